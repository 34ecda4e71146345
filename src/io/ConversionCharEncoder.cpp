#include "io/ConversionCharEncoder.h"

#include "wux/lang/OutOfMemoryException.h"
#include "wux/text/Conversion.h"

namespace cpp {
namespace io {
using cpp::lang::OutOfMemoryException;
using cpp::text::EncodingType;

namespace {

bool isHighSurrogate(unsigned short c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(unsigned short c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool isAscii(unsigned short const* chars, unsigned int count) {
    unsigned short any = 0;
    for (unsigned int i = 0; i < count; ++i)
        any = static_cast<unsigned short>(any | chars[i]);
    return any < 0x80;
}

} // namespace

ConversionCharEncoder::ConversionCharEncoder(OutputStream* destination, bool ownsDestination,
                                             EncodingType type, unsigned int bufSize)
    : CharEncoder(destination, ownsDestination, type, bufSize), _utf8(type == text::UTF8),
      _heldHigh(0) {}

ConversionCharEncoder::~ConversionCharEncoder() {}

void ConversionCharEncoder::write(unsigned short const* chars, unsigned int count) {
    if (count == 0)
        return;
    if (_heldHigh != 0) {
        unsigned short const pair[2] = {_heldHigh, chars[0]};
        _heldHigh = 0;
        if (isLowSurrogate(chars[0])) {
            encode(pair, 2);
            ++chars;
            --count;
        } else {
            encode(pair, 1);
        }
    }
    if (count != 0 && isHighSurrogate(chars[count - 1])) {
        _heldHigh = chars[count - 1];
        --count;
    }
    if (count != 0)
        encode(chars, count);
}

void ConversionCharEncoder::complete() {
    if (_heldHigh == 0)
        return;
    unsigned short const alone = _heldHigh;
    _heldHigh = 0;
    encode(&alone, 1);
}

void ConversionCharEncoder::encode(unsigned short const* chars, unsigned int count) {
    if (count > 0x7FFFFFFFu)
        throw OutOfMemoryException();
    if (_utf8 && isAscii(chars, count)) {
        unsigned char* out = reserve(count);
        for (unsigned int i = 0; i < count; ++i)
            out[i] = static_cast<unsigned char>(chars[i]);
        commit(count);
        return;
    }
    unsigned int const needed = _conversion->getByteCount(chars, 2 * count, text::UTF16LE);
    if (needed == 0)
        return;
    unsigned char* out = reserve(needed);
    commit(_conversion->toBytes(chars, 2 * count, text::UTF16LE, out, needed));
}

} // namespace io
} // namespace cpp
