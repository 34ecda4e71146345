// String's number text and printf-style formatting, on the runtime's
// Microsoft-semantics wide formatter (msvcrt's _vsnwprintf: %s takes a wide
// string, %I64d a 64-bit integer).
#include "wux/lang/String.h"

#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/IResourceLoader.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace cpp {
namespace lang {

namespace {

// Units of the buffers the number forms are written into.
unsigned int const NUMBER_UNITS = 32;
unsigned int const WIDE_NUMBER_UNITS = 64;

// Formats into a fixed buffer of `units` units. A text that does not fit
// (the formatter reports -1) throws "count is too long." before anything
// else happens, so an appending caller stays unchanged.
template <unsigned int units, class T>
String numberText(wchar_t const* fmt, T value, IAllocator* a = nullptr) {
    wchar_t buffer[units];
    int n = _snwprintf(buffer, units, fmt, value);
    if (n < 0)
        throw ArgumentException(String("count is too long."), String::EMPTY);
    return String(reinterpret_cast<unsigned short const*>(buffer), static_cast<unsigned int>(n),
                  a);
}

unsigned short const TRUE_TEXT[] = {'T', 'r', 'u', 'e', 0};
unsigned short const FALSE_TEXT[] = {'F', 'a', 'l', 's', 'e', 0};

} // namespace

//===-- Numbers and booleans as text -------------------------------------===//

String String::toString(bool b) { return String(b ? TRUE_TEXT : FALSE_TEXT); }

String String::toString(short v) { return numberText<NUMBER_UNITS>(L"%d", static_cast<int>(v)); }

String String::toString(unsigned short c) { return String(c, 1); }

String String::toString(int v) { return numberText<NUMBER_UNITS>(L"%d", v); }

String String::toString(unsigned int v) { return numberText<NUMBER_UNITS>(L"%u", v); }

String String::toString(__int64 const& v) { return numberText<WIDE_NUMBER_UNITS>(L"%I64d", v); }

String String::toString(unsigned __int64 const& v) {
    return numberText<WIDE_NUMBER_UNITS>(L"%I64u", v);
}

String String::toString(float v) {
    return numberText<NUMBER_UNITS>(L"%f", static_cast<double>(v));
}

String String::toString(double v) { return numberText<WIDE_NUMBER_UNITS>(L"%g", v); }

String& String::operator<<(bool b) { return append(b ? TRUE_TEXT : FALSE_TEXT); }

String& String::operator<<(int v) {
    String text = numberText<NUMBER_UNITS>(L"%d", v, _allocator);
    return append(text);
}

String& String::operator<<(unsigned int v) {
    String text = numberText<NUMBER_UNITS>(L"%u", v, _allocator);
    return append(text);
}

String& String::operator<<(__int64 const& v) {
    String text = numberText<WIDE_NUMBER_UNITS>(L"%I64d", v, _allocator);
    return append(text);
}

String& String::operator<<(unsigned __int64 const& v) {
    String text = numberText<WIDE_NUMBER_UNITS>(L"%I64u", v, _allocator);
    return append(text);
}

String& String::operator<<(float v) {
    String text = numberText<NUMBER_UNITS>(L"%f", static_cast<double>(v), _allocator);
    return append(text);
}

String& String::operator<<(double v) {
    String text = numberText<WIDE_NUMBER_UNITS>(L"%g", v, _allocator);
    return append(text);
}

String& String::operator<<(char c) { return append(&c, 1); }

//===-- Formatting -------------------------------------------------------===//

String& String::format(unsigned short const* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    try {
        formatv(fmt, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return *this;
}

String& String::format(wchar_t const* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    try {
        formatv(reinterpret_cast<unsigned short const*>(fmt), args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return *this;
}

String& String::formatv(unsigned short const* fmt, va_list args) {
    if (fmt == nullptr)
        throw ArgumentException(String("The source pointer is null."), String("ptr"));
    wchar_t const* wfmt = reinterpret_cast<wchar_t const*>(fmt);

    // Most texts are short: one pass into a local buffer first, then one
    // copy. The string is touched only once the text is known.
    wchar_t local[256];
    va_list attempt;
    va_copy(attempt, args);
    int n = _vsnwprintf(local, 256, wfmt, attempt);
    va_end(attempt);
    if (n >= 0 && n < 256)
        return assign(reinterpret_cast<unsigned short const*>(local), static_cast<unsigned int>(n));

    // Longer texts: measure, grow, write.
    va_list measure;
    va_copy(measure, args);
    int count = _vscwprintf(wfmt, measure);
    va_end(measure);
    if (count < 0)
        throw FormatException(String("Cannot format the string."), 0);
    unsigned int units = static_cast<unsigned int>(count);
    String text(_allocator);
    text.growTo(units + 1);
    va_list write;
    va_copy(write, args);
    int written = _vsnwprintf(reinterpret_cast<wchar_t*>(text._buffer), units, wfmt, write);
    va_end(write);
    if (written < 0)
        throw FormatException(String("Cannot format the string."), 0);
    text.setLength(static_cast<unsigned int>(written));
    swap(text);
    return *this;
}

namespace {

// The pattern a loader gives for an id or a key; a loader that fails turns
// into FormatException with its exception as the cause.
template <class Key> String loadPattern(IResourceLoader* loader, Key const& key) {
    if (loader == nullptr)
        throw ArgumentException(String("The resource loader is null."), String("loader"));
    try {
        return loader->loadString(key);
    } catch (Exception const& e) {
        throw FormatException(String("Cannot format the string."), &e);
    }
}

} // namespace

String& String::format(IResourceLoader* loader, unsigned int id, ...) {
    String pattern = loadPattern(loader, id);
    va_list args;
    va_start(args, id);
    try {
        formatv(pattern.getCStr(), args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return *this;
}

String& String::format(IResourceLoader* loader, unsigned short const* key, ...) {
    String pattern = loadPattern(loader, String(key));
    va_list args;
    va_start(args, key);
    try {
        formatv(pattern.getCStr(), args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return *this;
}

String& String::formatv(IResourceLoader* loader, unsigned int id, va_list args) {
    String pattern = loadPattern(loader, id);
    return formatv(pattern.getCStr(), args);
}

String& String::formatv(IResourceLoader* loader, unsigned short const* key, va_list args) {
    String pattern = loadPattern(loader, String(key));
    return formatv(pattern.getCStr(), args);
}

} // namespace lang
} // namespace cpp
