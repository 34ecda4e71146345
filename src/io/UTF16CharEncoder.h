//===- UTF16CharEncoder.h - UTF-16LE and UTF-16BE targets -------*- C++ -*-===//
//
// The encoder of UTF-16 text: each unit becomes two bytes, the low byte
// first for UTF-16LE and the high byte first for UTF-16BE. Units are written
// as they come (a surrogate pair split over two writes still makes the
// right four bytes).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_UTF16CHARENCODER_H
#define WUX_SRC_IO_UTF16CHARENCODER_H

#include "io/CharEncoder.h"

namespace cpp {
namespace io {

class UTF16CharEncoder : public CharEncoder {
public:
    /// \p type is UTF16LE or UTF16BE.
    UTF16CharEncoder(OutputStream* destination, bool ownsDestination, text::EncodingType type,
                     unsigned int bufSize);
    ~UTF16CharEncoder() override;

    void write(unsigned short const* chars, unsigned int count) override;

private:
    bool _littleEndian;
};

} // namespace io
} // namespace cpp

#endif
