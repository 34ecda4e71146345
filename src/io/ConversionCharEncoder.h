//===- ConversionCharEncoder.h - Code-page targets --------------*- C++ -*-===//
//
// The encoder of text in the ANSI code page, UTF-7 or UTF-8, through the
// Conversion of that encoding.
//
// A high surrogate at the end of a write is held back until the next write,
// so that a pair written one unit at a time is encoded as one character
// (0xD83D then 0xDE00 in UTF-8: F0 9F 98 80). A held surrogate that is not
// followed by its low half is encoded on its own (as the platform encodes an
// unpaired surrogate) before the next units, or by close(). flush() leaves
// it held: half a character is not written.
//
// Text of UTF-8 that is plain ASCII is copied byte for byte without asking
// the platform.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_CONVERSIONCHARENCODER_H
#define WUX_SRC_IO_CONVERSIONCHARENCODER_H

#include "io/CharEncoder.h"

namespace cpp {
namespace io {

class ConversionCharEncoder : public CharEncoder {
public:
    /// \p type is ASCII, UTF7 or UTF8.
    ConversionCharEncoder(OutputStream* destination, bool ownsDestination, text::EncodingType type,
                          unsigned int bufSize);
    ~ConversionCharEncoder() override;

    void write(unsigned short const* chars, unsigned int count) override;
    void complete() override;

private:
    /// Converts \p count units into the pending block.
    void encode(unsigned short const* chars, unsigned int count);

    bool _utf8;
    /// A high surrogate waiting for its low half; 0 when none.
    unsigned short _heldHigh;
};

} // namespace io
} // namespace cpp

#endif
