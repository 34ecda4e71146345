#include "wux/io/StreamReader.h"

#include "io/CharDecoder.h"
#include "wux/io/EOFException.h"
#include "wux/io/FileInputStream.h"
#include "wux/io/IOException.h"
#include "wux/io/InputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/text/Encoding.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cpp {
namespace io {
using cpp::lang::ArgumentException;
using cpp::lang::String;
using cpp::text::EncodingType;

namespace {

unsigned int const DEFAULT_BUFFER_SIZE = 4096;
/// A file read without a size given is read in larger blocks: fewer system
/// calls, and still no more than the file holds.
unsigned int const DEFAULT_FILE_BUFFER_SIZE = 65536;
unsigned short const CR = 13;
unsigned short const LF = 10;

/// The index of the first CR or LF among the \p n units at \p p; n when
/// there is none. Eight units at a time where SSE2 is there.
unsigned int findLineEnd(unsigned short const* p, unsigned int n) {
    unsigned int i = 0;
#if defined(__SSE2__)
    __m128i const cr = _mm_set1_epi16(static_cast<short>(CR));
    __m128i const lf = _mm_set1_epi16(static_cast<short>(LF));
    for (; i + 8 <= n; i += 8) {
        __m128i const v = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p + i));
        __m128i const hit = _mm_or_si128(_mm_cmpeq_epi16(v, cr), _mm_cmpeq_epi16(v, lf));
        unsigned int const mask = static_cast<unsigned int>(_mm_movemask_epi8(hit));
        if (mask != 0)
            return i + static_cast<unsigned int>(__builtin_ctz(mask)) / 2;
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == LF || p[i] == CR)
            return i;
    }
    return n;
}

/// The index of the first LF among the \p n units at \p p; n when there is
/// none.
unsigned int findLineFeed(unsigned short const* p, unsigned int n) {
    unsigned int i = 0;
#if defined(__SSE2__)
    __m128i const lf = _mm_set1_epi16(static_cast<short>(LF));
    for (; i + 8 <= n; i += 8) {
        __m128i const v = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p + i));
        unsigned int const mask =
            static_cast<unsigned int>(_mm_movemask_epi8(_mm_cmpeq_epi16(v, lf)));
        if (mask != 0)
            return i + static_cast<unsigned int>(__builtin_ctz(mask)) / 2;
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == LF)
            return i;
    }
    return n;
}

/// The index of the first of the \p n units at \p p that is one of the
/// \p setSize units at \p set; n when there is none.
unsigned int findAnyOf(unsigned short const* p, unsigned int n, unsigned short const* set,
                       unsigned int setSize) {
    for (unsigned int i = 0; i < n; ++i) {
        for (unsigned int k = 0; k < setSize; ++k) {
            if (p[i] == set[k])
                return i;
        }
    }
    return n;
}

} // namespace

StreamReader::StreamReader(InputStream* in, bool owns) : _decoder(nullptr) {
    initEncodingStream(in, owns, DEFAULT_BUFFER_SIZE);
}

StreamReader::StreamReader(InputStream* in, bool owns, EncodingType type) : _decoder(nullptr) {
    initEncodingStream(in, owns, type, DEFAULT_BUFFER_SIZE);
}

StreamReader::StreamReader(InputStream* in, bool owns, unsigned int bufSize) : _decoder(nullptr) {
    initEncodingStream(in, owns, bufSize);
}

StreamReader::StreamReader(InputStream* in, bool owns, EncodingType type, unsigned int bufSize)
    : _decoder(nullptr) {
    initEncodingStream(in, owns, type, bufSize);
}

StreamReader::StreamReader(String const& fileName) : _decoder(nullptr) {
    openFile(fileName, true, text::ASCII, DEFAULT_FILE_BUFFER_SIZE);
}

StreamReader::StreamReader(String const& fileName, unsigned int bufSize) : _decoder(nullptr) {
    openFile(fileName, true, text::ASCII, bufSize);
}

StreamReader::StreamReader(String const& fileName, EncodingType type) : _decoder(nullptr) {
    openFile(fileName, false, type, DEFAULT_FILE_BUFFER_SIZE);
}

StreamReader::StreamReader(String const& fileName, EncodingType type, unsigned int bufSize)
    : _decoder(nullptr) {
    openFile(fileName, false, type, bufSize);
}

StreamReader::~StreamReader() {
    try {
        close();
    } catch (...) {
        // A destructor reports nothing.
    }
}

void StreamReader::openFile(String const& fileName, bool detect, EncodingType type,
                            unsigned int bufSize) {
    InputStream* in = new FileInputStream(fileName, ReadWrite);
    if (detect)
        initEncodingStream(in, true, bufSize);
    else
        initEncodingStream(in, true, type, bufSize);
}

void StreamReader::initEncodingStream(InputStream* in, bool owns, unsigned int bufSize) {
    if (in == nullptr)
        throw ArgumentException(String("The input stream object is null."), String("in"));
    EncodingType type = text::ASCII;
    try {
        int prologLength = 0;
        type = text::Encoding::checkEncodingType(in, prologLength);
        in->seek(prologLength, Current);
    } catch (...) {
        if (owns)
            delete in;
        throw;
    }
    initEncodingStream(in, owns, type, bufSize);
}

void StreamReader::initEncodingStream(InputStream* in, bool owns, EncodingType type,
                                      unsigned int bufSize) {
    if (in == nullptr)
        throw ArgumentException(String("The input stream object is null."), String("in"));
    try {
        _decoder = CharDecoder::create(in, owns, type, bufSize);
    } catch (...) {
        if (owns)
            delete in;
        throw;
    }
    // Without memory for the decoder the reader stays closed; a stream it
    // was to own would be lost, so it goes now.
    if (_decoder == nullptr && owns)
        delete in;
}

int StreamReader::readChar() {
    checkClosed();
    int const c = _decoder->read();
    if (c < 0)
        throw EOFException();
    return c;
}

void StreamReader::close() {
    CharDecoder* decoder = _decoder;
    if (decoder == nullptr)
        return;
    _decoder = nullptr;
    try {
        decoder->close();
    } catch (...) {
        CharDecoder::destroy(decoder);
        throw;
    }
    CharDecoder::destroy(decoder);
}

String StreamReader::readLine() {
    checkClosed();
    CharDecoder* d = _decoder;
    if (!d->fill())
        throw EOFException();
    unsigned short const* p = d->units();
    unsigned int n = d->unitsLeft();
    unsigned int end = findLineEnd(p, n);
    // Usually the whole line lies in the decoded run and is copied once.
    String line(p, end);
    if (end == n) {
        // The line goes on in the next run (or is the last one).
        for (;;) {
            d->skip(n);
            if (!d->fill())
                return line;
            p = d->units();
            n = d->unitsLeft();
            end = findLineEnd(p, n);
            line.append(p, end);
            if (end < n)
                break;
        }
    }
    unsigned short const terminator = p[end];
    d->skip(end + 1);
    if (terminator == CR && d->fill() && *d->units() == LF)
        d->skip(1);
    return line;
}

unsigned int StreamReader::skipLine(unsigned int count) {
    checkClosed();
    CharDecoder* d = _decoder;
    for (unsigned int i = 0; i < count; ++i) {
        for (;;) {
            if (!d->fill())
                return count;
            unsigned int const n = d->unitsLeft();
            unsigned int const at = findLineFeed(d->units(), n);
            if (at < n) {
                d->skip(at + 1);
                break;
            }
            d->skip(n);
        }
    }
    return count;
}

int StreamReader::peek() {
    checkClosed();
    return _decoder->peek();
}

bool StreamReader::hasMore() {
    // peek() != -1, asked of the decoded run directly: this is called once
    // per line by every reading loop.
    checkClosed();
    return _decoder->fill();
}

String StreamReader::readString(String const& delimiters) {
    checkClosed();
    CharDecoder* d = _decoder;
    String result;
    for (;;) {
        if (!d->fill())
            throw EOFException();
        unsigned short const* p = d->units();
        unsigned int const n = d->unitsLeft();
        unsigned int const at = findAnyOf(p, n, delimiters.getCStr(), delimiters.getLength());
        if (at < n) {
            result.append(p, at);
            d->skip(at + 1);
            return result;
        }
        result.append(p, n);
        d->skip(n);
    }
}

String StreamReader::readString(unsigned short delimiter) {
    return readString(String(delimiter, 1));
}

EncodingType StreamReader::getEncodingType() const {
    checkClosed();
    return _decoder->getEncodingType();
}

InputStream* StreamReader::getInputStream() const {
    checkClosed();
    return _decoder->getSource();
}

void StreamReader::throwClosed() {
    throw IOException(String("The input stream has been closed."));
}

} // namespace io
} // namespace cpp
