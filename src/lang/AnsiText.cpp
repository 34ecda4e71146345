#include "lang/AnsiText.h"

#include "wux/lang/ArgumentException.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/IAllocator.h"

#include <windows.h>

#include <climits>
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
    if (n > static_cast<unsigned int>(INT_MAX))
        throw ArgumentException(String("count is too long."), String("count"));
    int bytes = static_cast<int>(n);
    int count = MultiByteToWideChar(CP_ACP, 0, p, bytes, nullptr, 0);
    if (count <= 0)
        throw FormatException(String("Cannot convert string."), static_cast<int>(GetLastError()));
    _units = static_cast<unsigned short*>(
        _allocator->malloc(static_cast<unsigned int>(count) * sizeof(unsigned short)));
    int written =
        MultiByteToWideChar(CP_ACP, 0, p, bytes, reinterpret_cast<wchar_t*>(_units), count);
    if (written <= 0) {
        int error = static_cast<int>(GetLastError());
        _allocator->free(_units);
        throw FormatException(String("Cannot convert string."), error);
    }
    _length = static_cast<unsigned int>(written);
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
