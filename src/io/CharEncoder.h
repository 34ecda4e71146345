//===- CharEncoder.h - UTF-16 units as bytes of a stream --------*- C++ -*-===//
//
// The engine behind StreamWriter: a CharEncoder turns UTF-16 units into the
// bytes of its encoding and keeps them in a pending block in memory; only
// flush() and close() hand them to the destination, in one write. Two
// variants exist: UTF16CharEncoder (UTF-16LE and BE) and
// ConversionCharEncoder (the ANSI code page, UTF-7 and UTF-8).
//
//   CharEncoder* e = CharEncoder::create(out, true, UTF8, 2048);
//   e->write(units, n);          // into the pending block
//   e->flush();                  // one write to out, then out->flush()
//   e->close();                  // flush, close out, delete it (owned)
//   CharEncoder::destroy(e);
//
// The pending block starts with the capacity given and grows to twice what
// it must hold whenever an append does not fit.
//
// Encoders are created in memory of the library allocator (placement new)
// and go back to it through destroy(). close() is repeatable; it releases
// everything even when the destination fails, and passes that failure on.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_CHARENCODER_H
#define WUX_SRC_IO_CHARENCODER_H

#include "wux/text/EncodingType.h"

namespace cpp {
namespace text {
class Conversion;
} // namespace text

namespace io {

class OutputStream;
struct ByteBlock;

class CharEncoder {
public:
    CharEncoder(CharEncoder const&) = delete;
    CharEncoder& operator=(CharEncoder const&) = delete;
    /// Releases the block and the conversion; the destination is left alone.
    virtual ~CharEncoder();

    /// Encodes \p count units at \p chars into the pending block.
    virtual void write(unsigned short const* chars, unsigned int count) = 0;
    /// Encodes what the variant still holds back; called by close().
    virtual void complete();

    /// An encoder of \p type (0-4) writing to \p destination, its block of
    /// \p bufSize bytes, in memory of the library allocator. Other types
    /// throw NotImplementedException. The destination is not touched.
    static CharEncoder* create(OutputStream* destination, bool ownsDestination,
                               text::EncodingType type, unsigned int bufSize);
    /// Runs the destructor and gives the memory back; null is ignored.
    static void destroy(CharEncoder* encoder);

    /// Hands the pending bytes to the destination in one write (the block is
    /// emptied only when that write succeeds), then flushes the destination.
    void flush();
    /// complete(), flush(), then closes the destination and deletes it when
    /// owned; the block and the conversion are released on every path.
    void close();

    OutputStream* getDestination() const { return _destination; }
    text::Conversion const* getConversion() const { return _conversion; }

protected:
    CharEncoder(OutputStream* destination, bool ownsDestination, text::EncodingType type,
                unsigned int bufSize);

    /// Room for \p count more bytes after the pending ones; returns where
    /// they go. The caller then calls commit() with the bytes written.
    unsigned char* reserve(unsigned int count);
    void commit(unsigned int count);

    OutputStream* _destination;
    bool _ownsDestination;
    text::Conversion* _conversion;
    ByteBlock* _block;
};

} // namespace io
} // namespace cpp

#endif
