//===- CodePage.h - The platform's code-page conversions --------*- C++ -*-===//
//
// MultiByteToWideChar and WideCharToMultiByte behind one set of functions
// with the library's argument checks and error mapping:
//
//   - a null source throws ArgumentException "The input string is null."
//     (argument "chars" for bytes, "wchars" for UTF-16 units);
//   - a null output throws ArgumentException "The output string is null."
//     (argument "outWChars" or "outChars");
//   - an empty source gives 0 without asking the platform, which would fail
//     on it;
//   - a failed call throws FormatException "Cannot convert string." with the
//     platform's error code. An output too small for the whole result fails
//     with ERROR_INSUFFICIENT_BUFFER (122), also when it has no room at all
//     (the platform would take a zero size as a request to count).
//
// Flags are always 0: unmappable characters get the platform's default
// treatment (best fit or '?' in the ANSI code page, U+FFFD for malformed
// UTF-8 and for unpaired surrogates written as UTF-8).
//
// The code page of the system's ANSI text is CODE_PAGE_ANSI (CP_ACP); UTF-7 is
// 65000 and UTF-8 65001.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_TEXT_CODEPAGE_H
#define WUX_SRC_TEXT_CODEPAGE_H

namespace cpp {
namespace text {
namespace codepage {

unsigned int const CODE_PAGE_ANSI = 0;
unsigned int const CODE_PAGE_UTF7 = 65000;
unsigned int const CODE_PAGE_UTF8 = 65001;

/// The UTF-16 units the \p srcBytes bytes at \p src make in code page \p cp.
unsigned int countWide(unsigned int cp, char const* src, unsigned int srcBytes);
/// Converts the \p srcBytes bytes at \p src into at most \p dstUnits units at
/// \p dst; returns the units written.
unsigned int toWide(unsigned int cp, char const* src, unsigned int srcBytes, unsigned short* dst,
                    unsigned int dstUnits);

/// The bytes the \p srcUnits UTF-16 units at \p src make in code page \p cp.
unsigned int countMultiByte(unsigned int cp, unsigned short const* src, unsigned int srcUnits);
/// Converts the \p srcUnits units at \p src into at most \p dstBytes bytes at
/// \p dst; returns the bytes written.
unsigned int toMultiByte(unsigned int cp, unsigned short const* src, unsigned int srcUnits,
                         char* dst, unsigned int dstBytes);

/// The calling thread's last platform error code.
int lastError();

} // namespace codepage
} // namespace text
} // namespace cpp

#endif
