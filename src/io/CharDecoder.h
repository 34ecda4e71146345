//===- CharDecoder.h - Bytes of a stream as UTF-16 units --------*- C++ -*-===//
//
// The engine behind StreamReader: a CharDecoder reads its source stream in
// blocks and turns the bytes into UTF-16 units, which it serves from a run of
// decoded units. Two variants exist: UTF16CharDecoder (UTF-16LE and BE) and
// ConversionCharDecoder (the ANSI code page, UTF-7 and UTF-8).
//
//   CharDecoder* d = ...;                 // made by StreamReader
//   while (d->fill()) {                   // false at the end of the data
//       unsigned short const* p = d->units();
//       unsigned int n = d->unitsLeft();  // at least 1 after fill()
//       ...use p[0..n)...
//       d->skip(n);
//   }
//
// read() and peek() serve one unit at a time (-1 at the end); the run
// interface above lets a reader scan and copy whole lines without a call per
// unit. A variant's decode() makes the next run ready when the current one
// is used up.
//
// Decoders are created in memory of the library allocator (placement new) by
// create() and go back to it through destroy(); their buffers come from
// new[]. close() closes the source (and deletes it when owned) and releases
// the buffers and the conversion; it is repeatable.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_CHARDECODER_H
#define WUX_SRC_IO_CHARDECODER_H

#include "wux/text/EncodingType.h"

namespace cpp {
namespace text {
class Conversion;
} // namespace text

namespace io {

class InputStream;

class CharDecoder {
public:
    CharDecoder(CharDecoder const&) = delete;
    CharDecoder& operator=(CharDecoder const&) = delete;
    /// Releases the buffers and the conversion; the source is left alone
    /// (close() is what closes it).
    virtual ~CharDecoder();

    /// The next unit, consumed; -1 at the end of the data.
    virtual int read();
    /// The next unit, not consumed; -1 at the end of the data.
    virtual int peek();
    /// Releases the variant's buffers; the decoder reads as empty afterwards.
    virtual void releaseBuffers() = 0;

    /// A decoder of \p type over \p source in memory of the library
    /// allocator, with a byte buffer of min(\p bufSize, source's available())
    /// bytes; null when that memory cannot be had. Types other than 0-4
    /// throw NotImplementedException. The source is not touched on failure.
    static CharDecoder* create(InputStream* source, bool ownsSource, text::EncodingType type,
                               unsigned int bufSize);
    /// Runs the destructor and gives the memory back; null is ignored.
    static void destroy(CharDecoder* decoder);

    /// True when units are ready (decoding more when the run is used up);
    /// false at the end of the data.
    bool fill() { return _unitPos < _unitCount || decode(); }
    /// The units ready; valid until the next fill() or skip() past them.
    unsigned short const* units() const { return _units + _unitPos; }
    unsigned int unitsLeft() const { return _unitCount - _unitPos; }
    /// Consumes \p n of the units ready (n <= unitsLeft()).
    void skip(unsigned int n) { _unitPos += n; }

    /// Closes the source, deletes it when owned and releases the buffers and
    /// the conversion. Everything is released even when the source's close()
    /// throws; that exception is passed on afterwards.
    void close();

    InputStream* getSource() const { return _source; }
    text::EncodingType getEncodingType() const { return _type; }

protected:
    /// Creates the conversion \p conversionType (Encoding::createConversion).
    CharDecoder(InputStream* source, bool ownsSource, text::EncodingType type,
                text::EncodingType conversionType);

    /// Makes the next run of units ready; false at the end of the data.
    virtual bool decode() = 0;

    /// One block read of up to \p count bytes at \p at; a result below 1 (the
    /// end, or a source that answers 0 there) gives 0.
    unsigned int readSource(unsigned char* at, unsigned int count);
    /// Installs a run of \p count decoded units.
    void setUnits(unsigned short const* units, unsigned int count) {
        _units = units;
        _unitCount = count;
        _unitPos = 0;
    }

    InputStream* _source;
    bool _ownsSource;
    text::Conversion* _conversion;
    unsigned char* _bytes;
    unsigned int _byteSize;
    unsigned int _filled;
    unsigned int _bytePos;

private:
    text::EncodingType _type;
    unsigned short const* _units;
    unsigned int _unitCount;
    unsigned int _unitPos;
};

} // namespace io
} // namespace cpp

#endif
