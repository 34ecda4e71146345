//===- wux/io/StreamWriter.h - Text into a byte stream ----------*- C++ -*-===//
//
// StreamWriter encodes UTF-16 text into the bytes of an OutputStream (or a
// file) in the system ANSI code page, UTF-7, UTF-8, UTF-16LE or UTF-16BE. It
// starts the output with the encoding's byte-order mark (none for the ANSI
// code page and UTF-7) and keeps the text in memory until flush() or
// close().
//
//   StreamWriter out(L"C:\\data\\report.txt", false, UTF8);  // EF BB BF
//   out.writeLine(L"Total: 42");              // text, then CR LF
//   out.writeString(L"caf\u00e9", ';');       // text, then one character
//   out.close();                              // one write, file closed
//
//   StreamWriter log(L"C:\\data\\log.txt", true, UTF16LE);   // append
//   // no second mark when the file exists and is not empty
//
// The pending text grows in one block (2048 bytes unless given, twice what
// it must hold whenever it overflows) and reaches the destination in a
// single write per flush. The mark, by contrast, is written straight to the
// destination when the writer is made. In the code pages a high surrogate
// written on its own waits for its low half, so a pair written one unit at
// a time still makes one character; flush() does not write half a
// character, close() does (as the platform encodes an unpaired surrogate).
//
// Failures: a null stream throws ArgumentException "The output stream is
// null." ("out"); a buffer size of 0 "The intial size of the internal buffer
// cannot be zero." ("bufSize"); a null character pointer "The string pointer
// is null." ("v"); the UTF-32 types NotImplementedException; after close()
// every operation but close() throws IOException "The output stream has been
// closed.". When a constructor fails, a stream it owns is deleted (and a
// file is not opened for a bad size or type). Exceptions of the destination
// pass through; close() releases everything before it reports one.
//
// A writer is for one thread at a time. The destructor closes (writing the
// pending text) and never throws.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_STREAMWRITER_H
#define WUX_IO_STREAMWRITER_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"
#include "wux/text/EncodingType.h"

namespace cpp {
namespace io {

class CharEncoder;
class OutputStream;

class WUX_API StreamWriter {
public:
    /// Writes to \p out in the ANSI code page; \p owns: delete \p out when
    /// the writer closes.
    StreamWriter(OutputStream* out, bool owns);
    /// Writes to \p out in \p type, its mark first.
    StreamWriter(OutputStream* out, bool owns, text::EncodingType type);
    /// The same with a first block of \p bufSize bytes.
    StreamWriter(OutputStream* out, bool owns, text::EncodingType type, unsigned int bufSize);
    /// Creates (or empties) the file \p fileName; ANSI code page.
    explicit StreamWriter(lang::String const& fileName);
    /// \p append: adds to the end of the file, without a mark when the file
    /// exists and is not empty.
    StreamWriter(lang::String const& fileName, bool append);
    StreamWriter(lang::String const& fileName, bool append, text::EncodingType type);
    StreamWriter(lang::String const& fileName, bool append, text::EncodingType type,
                 unsigned int bufSize);
    StreamWriter(StreamWriter const&) = delete;
    StreamWriter& operator=(StreamWriter const&) = delete;
    /// Closes; never throws.
    virtual ~StreamWriter();

    /// Writes the pending bytes in one write, then flushes the destination.
    virtual void flush();
    /// Writes the pending bytes, closes the destination (deleting it when
    /// owned); repeatable.
    virtual void close();
    virtual void writeChar(unsigned short c);
    /// \p count units at \p chars.
    virtual void writeChars(unsigned short const* chars, unsigned int count);
    /// The units at \p chars up to their 0.
    virtual void writeChars(unsigned short const* chars);
    /// \p s, then \p c.
    virtual void writeString(lang::String const& s, unsigned short c);
    virtual void writeString(lang::String const& s);
    /// \p s, then CR LF.
    virtual void writeLine(lang::String const& s);

    text::EncodingType getEncodingType() const;
    OutputStream* getOutputStream() const;

protected:
    /// Throws IOException "The output stream has been closed." once closed.
    void checkClosed() const;

private:
    void initEncodingStream(OutputStream* out, bool owns, text::EncodingType type,
                            unsigned int bufSize, bool writeProlog);
    void openFile(lang::String const& fileName, bool append, text::EncodingType type,
                  unsigned int bufSize);

    CharEncoder* _encoder;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_STREAMWRITER_H
