#include "io/CharDecoder.h"

#include "io/ConversionCharDecoder.h"
#include "io/UTF16CharDecoder.h"
#include "wux/io/InputStream.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/text/Conversion.h"
#include "wux/text/Encoding.h"

#include <new>

namespace cpp {
namespace io {
using cpp::lang::IAllocator;
using cpp::lang::NotImplementedException;
using cpp::text::EncodingType;

CharDecoder::CharDecoder(InputStream* source, bool ownsSource, EncodingType type,
                         EncodingType conversionType)
    : _source(source), _ownsSource(ownsSource), _conversion(nullptr), _bytes(nullptr), _byteSize(0),
      _filled(0), _bytePos(0), _type(type), _units(nullptr), _unitCount(0), _unitPos(0) {
    _conversion = text::Encoding::createConversion(conversionType);
}

CharDecoder::~CharDecoder() {
    delete _conversion;
}

int CharDecoder::read() {
    if (!fill())
        return -1;
    return _units[_unitPos++];
}

int CharDecoder::peek() {
    if (!fill())
        return -1;
    return _units[_unitPos];
}

CharDecoder* CharDecoder::create(InputStream* source, bool ownsSource, EncodingType type,
                                 unsigned int bufSize) {
    if (static_cast<unsigned int>(type) > text::UTF16BE)
        throw NotImplementedException();
    // What the source holds bounds the buffer: a short text gets a short
    // buffer, and a source that reports nothing gets none and reads as empty.
    __int64 const available = source->available();
    unsigned int size = bufSize;
    if (available < static_cast<__int64>(size))
        size = available > 0 ? static_cast<unsigned int>(available) : 0;

    bool const utf16 = type == text::UTF16LE || type == text::UTF16BE;
    IAllocator* alloc = IAllocator::getWUXAllocator();
    void* memory = alloc->malloc(utf16 ? sizeof(UTF16CharDecoder) : sizeof(ConversionCharDecoder));
    if (memory == nullptr)
        return nullptr;
    try {
        if (utf16)
            return new (memory) UTF16CharDecoder(source, ownsSource, type, size);
        return new (memory) ConversionCharDecoder(source, ownsSource, type, size);
    } catch (...) {
        alloc->free(memory);
        throw;
    }
}

void CharDecoder::destroy(CharDecoder* decoder) {
    if (decoder == nullptr)
        return;
    decoder->~CharDecoder();
    IAllocator::getWUXAllocator()->free(decoder);
}

void CharDecoder::close() {
    InputStream* source = _source;
    _source = nullptr;
    releaseBuffers();
    setUnits(nullptr, 0);
    delete _conversion;
    _conversion = nullptr;
    if (source == nullptr)
        return;
    try {
        source->close();
    } catch (...) {
        if (_ownsSource)
            delete source;
        throw;
    }
    if (_ownsSource)
        delete source;
}

unsigned int CharDecoder::readSource(unsigned char* at, unsigned int count) {
    if (_source == nullptr || count == 0)
        return 0;
    int const got = _source->read(at, count > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(count));
    if (got <= 0)
        return 0;
    // A source that claims more than it was asked for is held to the count.
    return static_cast<unsigned int>(got) < count ? static_cast<unsigned int>(got) : count;
}

} // namespace io
} // namespace cpp
