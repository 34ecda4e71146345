//===- UTF16CharDecoder.h - UTF-16LE and UTF-16BE sources -------*- C++ -*-===//
//
// The decoder of UTF-16 text: the source's bytes are read into a buffer of
// 16-bit units and served from there, byte-swapped in place for UTF-16BE.
//
// Only whole units are served. An odd byte left over at the end of a block
// is moved to the front of the buffer and completed by the next block; a
// single byte left at the true end of the data makes no unit and is
// dropped. The buffer holds at least 2 bytes (unless the source reported
// nothing available, in which case it holds none and the text is empty).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_UTF16CHARDECODER_H
#define WUX_SRC_IO_UTF16CHARDECODER_H

#include "io/CharDecoder.h"

namespace cpp {
namespace io {

class UTF16CharDecoder : public CharDecoder {
public:
    /// \p type is UTF16LE or UTF16BE; \p bufSize the bytes of the buffer.
    UTF16CharDecoder(InputStream* source, bool ownsSource, text::EncodingType type,
                     unsigned int bufSize);
    ~UTF16CharDecoder() override;

    void releaseBuffers() override;

protected:
    bool decode() override;

private:
    bool _littleEndian;
    unsigned short* _words;
};

} // namespace io
} // namespace cpp

#endif
