#include "wux/io/StreamWriter.h"

#include "io/CharEncoder.h"
#include "wux/io/File.h"
#include "wux/io/FileOutputStream.h"
#include "wux/io/IOException.h"
#include "wux/io/OutputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/text/Conversion.h"
#include "wux/text/Encoding.h"

namespace cpp {
namespace io {
using cpp::lang::ArgumentException;
using cpp::lang::NotImplementedException;
using cpp::lang::String;
using cpp::text::EncodingType;

namespace {

unsigned int const DEFAULT_BUFFER_SIZE = 2048;

[[noreturn]] void throwZeroSize() {
    throw ArgumentException(String("The intial size of the internal buffer cannot be zero."),
                            String("bufSize"));
}

} // namespace

StreamWriter::StreamWriter(OutputStream* out, bool owns) : _encoder(nullptr) {
    initEncodingStream(out, owns, text::ASCII, DEFAULT_BUFFER_SIZE, true);
}

StreamWriter::StreamWriter(OutputStream* out, bool owns, EncodingType type) : _encoder(nullptr) {
    initEncodingStream(out, owns, type, DEFAULT_BUFFER_SIZE, true);
}

StreamWriter::StreamWriter(OutputStream* out, bool owns, EncodingType type, unsigned int bufSize)
    : _encoder(nullptr) {
    initEncodingStream(out, owns, type, bufSize, true);
}

StreamWriter::StreamWriter(String const& fileName) : _encoder(nullptr) {
    openFile(fileName, false, text::ASCII, DEFAULT_BUFFER_SIZE);
}

StreamWriter::StreamWriter(String const& fileName, bool append) : _encoder(nullptr) {
    openFile(fileName, append, text::ASCII, DEFAULT_BUFFER_SIZE);
}

StreamWriter::StreamWriter(String const& fileName, bool append, EncodingType type)
    : _encoder(nullptr) {
    openFile(fileName, append, type, DEFAULT_BUFFER_SIZE);
}

StreamWriter::StreamWriter(String const& fileName, bool append, EncodingType type,
                           unsigned int bufSize)
    : _encoder(nullptr) {
    openFile(fileName, append, type, bufSize);
}

StreamWriter::~StreamWriter() {
    try {
        close();
    } catch (...) {
        // A destructor reports nothing.
    }
}

void StreamWriter::openFile(String const& fileName, bool append, EncodingType type,
                            unsigned int bufSize) {
    // Bad arguments are reported before the file is created or emptied.
    if (bufSize == 0)
        throwZeroSize();
    if (static_cast<unsigned int>(type) > text::UTF16BE)
        throw NotImplementedException();
    // Text added to a file that already holds some gets no second mark. (An
    // empty name is left to the file stream, which refuses it.)
    bool writeProlog = true;
    if (append && !fileName.isEmpty()) {
        File file(fileName);
        writeProlog = !(file.exists() && file.getLength() > 0);
    }
    OutputStream* out = new FileOutputStream(fileName, append ? Append : Create, ReadWrite);
    initEncodingStream(out, true, type, bufSize, writeProlog);
}

void StreamWriter::initEncodingStream(OutputStream* out, bool owns, EncodingType type,
                                      unsigned int bufSize, bool writeProlog) {
    if (out == nullptr)
        throw ArgumentException(String("The output stream is null."), String("out"));
    CharEncoder* encoder = nullptr;
    try {
        if (bufSize == 0)
            throwZeroSize();
        encoder = CharEncoder::create(out, owns, type, bufSize);
        if (writeProlog)
            text::Encoding::fillEncodingProlog(encoder->getConversion()->getEncodingType(), out);
    } catch (...) {
        CharEncoder::destroy(encoder);
        if (owns)
            delete out;
        throw;
    }
    _encoder = encoder;
}

void StreamWriter::flush() {
    checkClosed();
    _encoder->flush();
}

void StreamWriter::close() {
    CharEncoder* encoder = _encoder;
    if (encoder == nullptr)
        return;
    _encoder = nullptr;
    try {
        encoder->close();
    } catch (...) {
        CharEncoder::destroy(encoder);
        throw;
    }
    CharEncoder::destroy(encoder);
}

void StreamWriter::writeChar(unsigned short c) {
    checkClosed();
    _encoder->write(&c, 1);
}

void StreamWriter::writeChars(unsigned short const* chars, unsigned int count) {
    if (chars == nullptr)
        throw ArgumentException(String("The string pointer is null."), String("v"));
    checkClosed();
    _encoder->write(chars, count);
}

void StreamWriter::writeChars(unsigned short const* chars) {
    unsigned int count = 0;
    if (chars != nullptr) {
        while (chars[count] != 0)
            ++count;
    }
    writeChars(chars, count);
}

void StreamWriter::writeString(String const& s, unsigned short c) {
    checkClosed();
    _encoder->write(s.getCStr(), s.getLength());
    _encoder->write(&c, 1);
}

void StreamWriter::writeString(String const& s) {
    checkClosed();
    _encoder->write(s.getCStr(), s.getLength());
}

void StreamWriter::writeLine(String const& s) {
    checkClosed();
    static unsigned short const LINE_END[2] = {13, 10};
    _encoder->write(s.getCStr(), s.getLength());
    _encoder->write(LINE_END, 2);
}

EncodingType StreamWriter::getEncodingType() const {
    checkClosed();
    return _encoder->getConversion()->getEncodingType();
}

OutputStream* StreamWriter::getOutputStream() const {
    checkClosed();
    return _encoder->getDestination();
}

void StreamWriter::checkClosed() const {
    if (_encoder == nullptr)
        throw IOException(String("The output stream has been closed."));
}

} // namespace io
} // namespace cpp
