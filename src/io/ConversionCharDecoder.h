//===- ConversionCharDecoder.h - Code-page sources --------------*- C++ -*-===//
//
// The decoder of text in the ANSI code page, UTF-7 or UTF-8: whole lines of
// bytes are converted to UTF-16 with the UTF-16LE Conversion, so that no
// multi-byte sequence is ever cut (a line-feed byte 0x0A is never part of
// one in these encodings).
//
// Each decode() converts everything up to the last line feed among the
// bytes read; when there is none, it reads on (moving the unread bytes to
// the front when more than half the buffer is used up, doubling the buffer
// otherwise) until a line feed comes or the source ends, so a line longer
// than the buffer is still converted whole. A source that answers a block
// read with 0 or -1 has ended.
//
// The unit buffer holds as many units as the converted bytes (no byte of
// these encodings makes more than one unit); it grows with the byte buffer.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_CONVERSIONCHARDECODER_H
#define WUX_SRC_IO_CONVERSIONCHARDECODER_H

#include "io/CharDecoder.h"

namespace cpp {
namespace io {

class ConversionCharDecoder : public CharDecoder {
public:
    /// \p type is ASCII, UTF7 or UTF8; \p bufSize the bytes of the buffer.
    ConversionCharDecoder(InputStream* source, bool ownsSource, text::EncodingType type,
                          unsigned int bufSize);
    ~ConversionCharDecoder() override;

    void releaseBuffers() override;

protected:
    bool decode() override;

private:
    /// Converts the \p count bytes at the byte position into the unit
    /// buffer and installs them as the current run; returns the units.
    unsigned int convert(unsigned int count);
    /// Makes room after the unread bytes for more: moves them to the front
    /// or doubles the buffer.
    void makeRoom();
    /// Gives the unit buffer room for \p units units.
    void reserveUnits(unsigned int units);

    text::EncodingType _sourceType;
    unsigned short* _chars;
    unsigned int _charCapacity;
};

} // namespace io
} // namespace cpp

#endif
