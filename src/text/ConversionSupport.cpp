#include "text/ConversionSupport.h"

#include "text/CodePage.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/String.h"

#include <cstdint>
#include <cstring>

namespace cpp {
namespace text {
namespace detail {

using lang::ArgumentException;
using lang::FormatException;
using lang::IAllocator;
using lang::NotImplementedException;
using lang::OutOfMemoryException;
using lang::String;
using unicode::lenientConversion;
// Unit types under names of their own: UTF8 and friends also name encodings.
typedef unicode::UTF8 Unit8;
typedef unicode::UTF16 Unit16;
typedef unicode::UTF32 Unit32;

namespace {

// What an empty text points at: the platform checks refuse a null source even
// when it is empty.
unsigned short const NO_UNITS[1] = {0};

bool isAligned(void const* p, std::size_t alignment) {
    return reinterpret_cast<std::uintptr_t>(p) % alignment == 0;
}

// The whole units of a caller's source, readable as Unit.
template <class Unit> class UnitSource {
public:
    UnitSource(void const* src, unsigned int srcBytes)
        : _units(static_cast<Unit const*>(src)), _count(srcBytes / sizeof(Unit)) {
        if (!isAligned(src, alignof(Unit))) {
            _copy.allocate(static_cast<unsigned long long>(_count) * sizeof(Unit));
            std::memcpy(_copy.get(), src, _count * sizeof(Unit));
            _units = static_cast<Unit const*>(_copy.get());
        }
    }
    UnitSource(UnitSource const&) = delete;
    UnitSource& operator=(UnitSource const&) = delete;

    Unit const* begin() const { return _units; }
    Unit const* end() const { return _units + _count; }

private:
    TempBuffer _copy;
    Unit const* _units;
    std::size_t _count;
};

// The whole units that fit into a caller's target, writable as Unit. commit()
// hands back the bytes written (copying them out when the target was not
// aligned).
template <class Unit> class UnitTarget {
public:
    UnitTarget(void* dst, unsigned int dstBytes)
        : _dst(dst), _units(static_cast<Unit*>(dst)), _room(dstBytes / sizeof(Unit)) {
        if (!isAligned(dst, alignof(Unit))) {
            _copy.allocate(static_cast<unsigned long long>(_room) * sizeof(Unit));
            _units = static_cast<Unit*>(_copy.get());
        }
    }
    UnitTarget(UnitTarget const&) = delete;
    UnitTarget& operator=(UnitTarget const&) = delete;

    Unit* begin() const { return _units; }
    Unit* end() const { return _units + _room; }
    unsigned int room() const { return _room; }

    unsigned int commit(Unit const* written) {
        std::size_t bytes = static_cast<std::size_t>(written - _units) * sizeof(Unit);
        if (static_cast<void*>(_units) != _dst)
            std::memcpy(_dst, _units, bytes);
        return static_cast<unsigned int>(bytes);
    }

private:
    TempBuffer _copy;
    void* _dst;
    Unit* _units;
    unsigned int _room;
};

} // namespace

//===-- Checks and failures -------------------------------------------------===//

void throwNotImplemented() {
    throw NotImplementedException();
}

void checkToBytes(void const* src, void const* dst) {
    checkSource(src);
    if (dst == nullptr)
        throw ArgumentException(String("The output bytes is null."), String("outBytes"));
}

void checkSource(void const* src) {
    if (src == nullptr)
        throw ArgumentException(String("The input bytes is null."), String("str"));
}

void checkResult(unicode::ConversionResult result) {
    char const* message = nullptr;
    switch (result) {
    case unicode::conversionOK:
        return;
    case unicode::sourceExhausted:
        message = "partial character in source, but hit end.";
        break;
    case unicode::targetExhausted:
        message = "insuff. room in target for conversion.";
        break;
    case unicode::sourceIllegal:
        message = "source sequence is illegal.";
        break;
    default:
        message = "Cannot convert string.";
        break;
    }
    throw FormatException(String(message), codepage::lastError());
}

unsigned int byteCount(unsigned long long bytes) {
    if (bytes > 0xFFFFFFFFull)
        throw OutOfMemoryException();
    return static_cast<unsigned int>(bytes);
}

unsigned int codePageOf(EncodingType type) {
    switch (type) {
    case UTF7:
        return codepage::CODE_PAGE_UTF7;
    case UTF8:
        return codepage::CODE_PAGE_UTF8;
    default:
        return codepage::CODE_PAGE_ANSI;
    }
}

//===-- Memory --------------------------------------------------------------===//

TempBuffer::TempBuffer(unsigned long long bytes) : _allocator(nullptr), _block(nullptr) {
    allocate(bytes);
}

void TempBuffer::allocate(unsigned long long bytes) {
    unsigned int size = byteCount(bytes);
    release();
    IAllocator* allocator = IAllocator::getWUXAllocator();
    _block = allocator->malloc(size);
    _allocator = allocator;
}

void TempBuffer::release() {
    if (_block != nullptr)
        _allocator->free(_block);
    _block = nullptr;
}

//===-- Same encoding ---------------------------------------------------------===//

unsigned int copyBytes(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes) {
    unsigned int k = srcBytes < dstBytes ? srcBytes : dstBytes;
    unsigned char const* from = static_cast<unsigned char const*>(src);
    unsigned char* to = static_cast<unsigned char*>(dst);
    void const* zero = std::memchr(from, 0, k);
    unsigned int length =
        zero == nullptr ? k
                        : static_cast<unsigned int>(static_cast<unsigned char const*>(zero) - from);
    std::memmove(to, from, length);
    std::memset(to + length, 0, k - length);
    return length;
}

unsigned int copyUnits(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes,
                       unsigned int unitSize) {
    unsigned int units = (srcBytes < dstBytes ? srcBytes : dstBytes) / unitSize;
    unsigned char const* from = static_cast<unsigned char const*>(src);
    static unsigned char const zeroUnit[4] = {0, 0, 0, 0};
    unsigned int copied = 0;
    while (copied < units) {
        bool isZero = std::memcmp(from + copied * unitSize, zeroUnit, unitSize) == 0;
        ++copied;
        if (isZero)
            break;
    }
    std::memmove(dst, src, copied * unitSize);
    return copied * unitSize;
}

//===-- The UTF-16 pivot ------------------------------------------------------===//

WideText::WideText(EncodingType type, void const* src, unsigned int srcBytes)
    : _units(NO_UNITS), _length(0) {
    switch (type) {
    case ASCII:
    case UTF7:
    case UTF8: {
        unsigned int cp = codePageOf(type);
        char const* bytes = static_cast<char const*>(src);
        unsigned int count = codepage::countWide(cp, bytes, srcBytes);
        if (count == 0)
            return;
        _buffer.allocate(2ull * count);
        unsigned short* units = static_cast<unsigned short*>(_buffer.get());
        _length = codepage::toWide(cp, bytes, srcBytes, units, count);
        _units = units;
        return;
    }
    case UTF16LE: {
        // A null source stays null so that the platform step reports it.
        unsigned int count = srcBytes / 2;
        _units = static_cast<unsigned short const*>(src);
        if (!isAligned(src, alignof(unsigned short))) {
            _buffer.allocate(2ull * count);
            std::memcpy(_buffer.get(), src, 2u * count);
            _units = static_cast<unsigned short const*>(_buffer.get());
        }
        _length = count;
        return;
    }
    case UTF32LE: {
        checkSource(src);
        UnitSource<Unit32> in(src, srcBytes);
        // At most two UTF-16 units per value.
        unsigned long long room = 2ull * (srcBytes / 4);
        _buffer.allocate(2ull * room);
        Unit16* begin = static_cast<Unit16*>(_buffer.get());
        Unit16* target = begin;
        Unit32 const* source = in.begin();
        checkResult(unicode::convertUTF32toUTF16(&source, in.end(), &target, begin + room,
                                                 lenientConversion));
        _units = begin;
        _length = static_cast<unsigned int>(target - begin);
        return;
    }
    default:
        throwNotImplemented();
    }
}

//===-- Into the target -------------------------------------------------------===//

unsigned int wideToCodePage(unsigned int cp, WideText const& text, void* dst,
                            unsigned int dstBytes) {
    return codepage::toMultiByte(cp, text.units(), text.length(), static_cast<char*>(dst),
                                 dstBytes);
}

unsigned int countWideToCodePage(unsigned int cp, WideText const& text) {
    return codepage::countMultiByte(cp, text.units(), text.length());
}

unsigned int wideToUTF32(WideText const& text, void* dst, unsigned int dstBytes) {
    UnitTarget<Unit32> out(dst, dstBytes);
    Unit16 const* source = text.units();
    Unit32* target = out.begin();
    checkResult(unicode::convertUTF16toUTF32(&source, source + text.length(), &target, out.end(),
                                             lenientConversion));
    return out.commit(target);
}

unsigned int countWideToUTF32(WideText const& text) {
    Unit16 const* source = text.units();
    std::size_t count = 0;
    checkResult(
        unicode::measureUTF16toUTF32(&source, source + text.length(), &count, lenientConversion));
    return byteCount(4ull * count);
}

unsigned int codePageToUTF16(unsigned int cp, void const* src, unsigned int srcBytes, void* dst,
                             unsigned int dstBytes) {
    UnitTarget<Unit16> out(dst, dstBytes);
    unsigned int units =
        codepage::toWide(cp, static_cast<char const*>(src), srcBytes, out.begin(), out.room());
    return out.commit(out.begin() + units);
}

unsigned int countCodePageToUTF16(unsigned int cp, void const* src, unsigned int srcBytes) {
    return byteCount(2ull * codepage::countWide(cp, static_cast<char const*>(src), srcBytes));
}

unsigned int utf32ToUTF16(void const* src, unsigned int srcBytes, void* dst,
                          unsigned int dstBytes) {
    UnitSource<Unit32> in(src, srcBytes);
    UnitTarget<Unit16> out(dst, dstBytes);
    Unit32 const* source = in.begin();
    Unit16* target = out.begin();
    checkResult(
        unicode::convertUTF32toUTF16(&source, in.end(), &target, out.end(), lenientConversion));
    return out.commit(target);
}

unsigned int countUTF32ToUTF16(void const* src, unsigned int srcBytes) {
    checkSource(src);
    UnitSource<Unit32> in(src, srcBytes);
    Unit32 const* source = in.begin();
    std::size_t count = 0;
    checkResult(unicode::measureUTF32toUTF16(&source, in.end(), &count, lenientConversion));
    return byteCount(2ull * count);
}

unsigned int utf32ToUTF8(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes) {
    UnitSource<Unit32> in(src, srcBytes);
    Unit32 const* source = in.begin();
    Unit8* begin = static_cast<Unit8*>(dst);
    Unit8* target = begin;
    checkResult(unicode::convertUTF32toUTF8(&source, in.end(), &target, begin + dstBytes,
                                            lenientConversion));
    return static_cast<unsigned int>(target - begin);
}

unsigned int countUTF32ToUTF8(void const* src, unsigned int srcBytes) {
    checkSource(src);
    UnitSource<Unit32> in(src, srcBytes);
    Unit32 const* source = in.begin();
    std::size_t count = 0;
    checkResult(unicode::measureUTF32toUTF8(&source, in.end(), &count, lenientConversion));
    return byteCount(count);
}

unsigned int utf8ToUTF32(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes) {
    Unit8 const* source = static_cast<Unit8 const*>(src);
    UnitTarget<Unit32> out(dst, dstBytes);
    Unit32* target = out.begin();
    checkResult(unicode::convertUTF8toUTF32(&source, source + srcBytes, &target, out.end(),
                                            lenientConversion));
    return out.commit(target);
}

unsigned int countUTF8ToUTF32(void const* src, unsigned int srcBytes) {
    checkSource(src);
    Unit8 const* source = static_cast<Unit8 const*>(src);
    std::size_t count = 0;
    checkResult(unicode::measureUTF8toUTF32(&source, source + srcBytes, &count, lenientConversion));
    return byteCount(4ull * count);
}

} // namespace detail
} // namespace text
} // namespace cpp
