//===- wux/io/StreamReader.h - Text from a byte stream ----------*- C++ -*-===//
//
// StreamReader turns the bytes of an InputStream (or a file) into UTF-16
// text: characters, lines, or pieces up to a delimiter. The encoding is
// detected from the byte-order mark at the start, guessed from the first
// bytes when there is none, or given by the caller.
//
//   StreamReader reader(L"C:\\data\\notes.txt");   // detects the encoding
//   while (reader.hasMore()) {
//       String line = reader.readLine();           // without CR / LF
//       ...
//   }
//   reader.close();
//
//   MemoryInputStream* mem = new MemoryInputStream(bytes, n, false);
//   StreamReader csv(mem, true, UTF8);             // owns mem
//   String field = csv.readString(L";,");          // up to ';' or ','
//
// Encodings: ASCII (the system ANSI code page), UTF7, UTF8, UTF16LE and
// UTF16BE; the UTF-32 types throw NotImplementedException. Detection is
// Encoding::checkEncodingType: a mark is skipped, and getEncodingType()
// tells what was found.
//
// Lines end at LF, CR or CR LF; a last line without an end is returned
// whole, and a line longer than the buffer is read whole (the buffer grows).
// Text in the code pages is decoded line by line, so a multi-byte sequence
// is never cut; UTF-16 text is decoded in whole units (a single byte left at
// the very end of the data makes no character and is dropped).
//
// The buffer holds min(bufSize, bytes available in the source) bytes; unless
// given, bufSize is 4096 for a stream and 65536 for a file. A source that
// reports nothing available reads as empty.
//
// Failures: a null stream throws ArgumentException "The input stream object
// is null." ("in"); reading past the end (readChar, readLine at the start
// of a line, readString before a delimiter) throws EOFException; after
// close() every operation but close() throws IOException "The input stream
// has been closed.". Exceptions of the source pass through. When a
// constructor fails, a stream it owns (given or opened) is deleted.
//
// A reader is for one thread at a time.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_STREAMREADER_H
#define WUX_IO_STREAMREADER_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"
#include "wux/text/EncodingType.h"

namespace cpp {
namespace io {

class CharDecoder;
class InputStream;

class WUX_API StreamReader {
public:
    /// Reads \p in, detecting the encoding; \p owns: delete \p in when the
    /// reader closes.
    StreamReader(InputStream* in, bool owns);
    /// Reads \p in in the encoding \p type.
    StreamReader(InputStream* in, bool owns, text::EncodingType type);
    /// Reads \p in with a buffer of at most \p bufSize bytes.
    StreamReader(InputStream* in, bool owns, unsigned int bufSize);
    StreamReader(InputStream* in, bool owns, text::EncodingType type, unsigned int bufSize);
    /// Reads the file \p fileName (others may read and write it meanwhile).
    explicit StreamReader(lang::String const& fileName);
    StreamReader(lang::String const& fileName, unsigned int bufSize);
    StreamReader(lang::String const& fileName, text::EncodingType type);
    StreamReader(lang::String const& fileName, text::EncodingType type, unsigned int bufSize);
    StreamReader(StreamReader const&) = delete;
    StreamReader& operator=(StreamReader const&) = delete;
    /// Closes; never throws.
    virtual ~StreamReader();

    /// The next character; EOFException at the end.
    virtual int readChar();
    /// Closes (and deletes, when owned) the source; repeatable.
    virtual void close();
    /// The next line without its end; EOFException when no character is
    /// left.
    virtual lang::String readLine();
    /// Skips \p count lines, each up to and including a line feed (a lone CR
    /// does not end a line here), fewer when the text ends first; returns
    /// \p count.
    virtual unsigned int skipLine(unsigned int count);
    /// The next character without consuming it; -1 at the end.
    virtual int peek();
    /// True while a character is left.
    virtual bool hasMore();

    /// The characters up to the first one of \p delimiters, which is
    /// consumed but not returned. EOFException when the text ends first.
    lang::String readString(lang::String const& delimiters);
    /// The characters up to \p delimiter.
    lang::String readString(unsigned short delimiter);

    /// The encoding detected or given.
    text::EncodingType getEncodingType() const;
    /// The source stream.
    InputStream* getInputStream() const;

protected:
    /// Throws IOException "The input stream has been closed." once closed.
    void checkClosed() const {
        if (_decoder == nullptr)
            throwClosed();
    }

private:
    [[noreturn]] static void throwClosed();
    void initEncodingStream(InputStream* in, bool owns, unsigned int bufSize);
    void initEncodingStream(InputStream* in, bool owns, text::EncodingType type,
                            unsigned int bufSize);
    void openFile(lang::String const& fileName, bool detect, text::EncodingType type,
                  unsigned int bufSize);

    CharDecoder* _decoder;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_STREAMREADER_H
