#include "text/CodePage.h"

#include "wux/lang/ArgumentException.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/String.h"

#include <windows.h>

#include <climits>

namespace cpp {
namespace text {
namespace codepage {

namespace {

using lang::ArgumentException;
using lang::FormatException;
using lang::String;

unsigned int const MAX_PLATFORM_COUNT = static_cast<unsigned int>(INT_MAX);

[[noreturn]] void throwConversionFailed() {
    throw FormatException(String("Cannot convert string."), lastError());
}

[[noreturn]] void throwNoRoom() {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    throwConversionFailed();
}

void checkSource(void const* src, char const* argName) {
    if (src == nullptr)
        throw ArgumentException(String("The input string is null."), String(argName));
}

void checkOutput(void const* dst, char const* argName) {
    if (dst == nullptr)
        throw ArgumentException(String("The output string is null."), String(argName));
}

// The platform counts in int, and a negative source count means "up to the
// terminator": a count beyond INT_MAX must not reach it.
int sourceCount(unsigned int n, char const* argName) {
    if (n > MAX_PLATFORM_COUNT)
        throw ArgumentException(String("The input string is too long."), String(argName));
    return static_cast<int>(n);
}

// An output larger than the platform can address is used up to INT_MAX.
int roomCount(unsigned int n) {
    return static_cast<int>(n > MAX_PLATFORM_COUNT ? MAX_PLATFORM_COUNT : n);
}

unsigned int checkedResult(int n) {
    if (n <= 0)
        throwConversionFailed();
    return static_cast<unsigned int>(n);
}

} // namespace

unsigned int countWide(unsigned int cp, char const* src, unsigned int srcBytes) {
    checkSource(src, "chars");
    if (srcBytes == 0)
        return 0;
    return checkedResult(
        MultiByteToWideChar(cp, 0, src, sourceCount(srcBytes, "chars"), nullptr, 0));
}

unsigned int toWide(unsigned int cp, char const* src, unsigned int srcBytes, unsigned short* dst,
                    unsigned int dstUnits) {
    checkSource(src, "chars");
    checkOutput(dst, "outWChars");
    if (srcBytes == 0)
        return 0;
    int count = sourceCount(srcBytes, "chars");
    if (dstUnits == 0)
        throwNoRoom();
    return checkedResult(MultiByteToWideChar(cp, 0, src, count, reinterpret_cast<wchar_t*>(dst),
                                             roomCount(dstUnits)));
}

unsigned int countMultiByte(unsigned int cp, unsigned short const* src, unsigned int srcUnits) {
    checkSource(src, "wchars");
    if (srcUnits == 0)
        return 0;
    return checkedResult(WideCharToMultiByte(cp, 0, reinterpret_cast<wchar_t const*>(src),
                                             sourceCount(srcUnits, "wchars"), nullptr, 0, nullptr,
                                             nullptr));
}

unsigned int toMultiByte(unsigned int cp, unsigned short const* src, unsigned int srcUnits,
                         char* dst, unsigned int dstBytes) {
    checkSource(src, "wchars");
    checkOutput(dst, "outChars");
    if (srcUnits == 0)
        return 0;
    int count = sourceCount(srcUnits, "wchars");
    if (dstBytes == 0)
        throwNoRoom();
    return checkedResult(WideCharToMultiByte(cp, 0, reinterpret_cast<wchar_t const*>(src), count,
                                             dst, roomCount(dstBytes), nullptr, nullptr));
}

int lastError() {
    return static_cast<int>(GetLastError());
}

} // namespace codepage
} // namespace text
} // namespace cpp
