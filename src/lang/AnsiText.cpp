#include "lang/AnsiText.h"

#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/text/UTF16LEConversion.h"

#include <cstring>

namespace cpp {
namespace lang {

namespace {

[[noreturn]] void throwNullSource() {
    throw ArgumentException(String("The source pointer is null."), String("ptr"));
}

} // namespace

AnsiText::AnsiText(IAllocator* a, char const* p, unsigned int n)
    : _allocator(a), _units(nullptr), _length(0) {
    if (n == 0)
        return;
    if (p == nullptr)
        throwNullSource();
    // The ANSI code page (EncodingType 0) into UTF-16LE.
    text::UTF16LEConversion const utf16;
    unsigned int bytes = utf16.getByteCount(p, n, text::ASCII);
    _units = static_cast<unsigned short*>(_allocator->malloc(bytes != 0 ? bytes : 2));
    try {
        _length = utf16.toBytes(p, n, text::ASCII, _units, bytes) / 2;
    } catch (...) {
        _allocator->free(_units);
        _units = nullptr;
        throw;
    }
}

AnsiText::~AnsiText() {
    if (_units != nullptr)
        _allocator->free(_units);
}

unsigned int AnsiText::lengthOf(char const* p) {
    if (p == nullptr)
        throwNullSource();
    std::size_t n = std::strlen(p);
    if (n >= 0xFFFFFFFFu)
        throw ArgumentException(String("count is too long."), String("count"));
    return static_cast<unsigned int>(n);
}

} // namespace lang
} // namespace cpp
