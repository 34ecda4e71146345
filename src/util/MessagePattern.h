//===- MessagePattern.h - Catalog texts as patterns -------------*- C++ -*-===//
//
// Some catalog texts are printf patterns: the library formats them with
// arguments of its own (throwIOError passes the file name for "%s"). A
// catalog is untrusted, so a text may ask for other arguments than the
// library passes, or write through %n; formatting with it would read or write
// memory that was never passed. libraryPattern() checks a loaded text
// against the pattern the call site formats for, and falls back to the key:
//
//   String key(L"IDS_CANNOT_FIND_FILE");
//   String pattern = libraryPattern(loader, key, L"%s");
//   message.format(pattern.getCStr(), name.getWCStr());
//   // "The file '%s' cannot be found."  -> used as it is
//   // "File %d missing" or "%s%n"       -> "IDS_CANNOT_FIND_FILE"
//
// The conversions are read with the rules of the runtime's wide formatter
// (msvcrt): %s takes a wide string and %S a narrow one, %I64d a 64-bit
// integer, %Id a pointer-sized one, '*' as width or precision an int.
// Flags, widths and precisions do not change what a conversion takes, so
// "%-20s" matches "%s". A pattern with %n, or with a conversion those rules
// do not know (a lone '%' at the end, "%y", "%1$s"), never matches.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_UTIL_MESSAGEPATTERN_H
#define WUX_SRC_UTIL_MESSAGEPATTERN_H

#include "wux/lang/String.h"

#include <vector>

namespace cpp {
namespace lang {
class IResourceLoader;
} // namespace lang

namespace util {

/// What one conversion of a pattern takes from the argument list.
enum class PrintfArgument {
    Int,        ///< int (also characters, and short values after promotion)
    Int64,      ///< __int64
    Double,     ///< double
    LongDouble, ///< long double (%Lf)
    WideText,   ///< wchar_t const*
    NarrowText, ///< char const*
    Counted,    ///< a counted string structure (%Z)
    Pointer     ///< void* (%p)
};

/// Appends to \p out the arguments the pattern \p p (up to its 0 unit)
/// takes, in order. False, with \p out unspecified, when the pattern holds
/// %n or a conversion the formatter's rules do not define.
bool printfArguments(unsigned short const* p, std::vector<PrintfArgument>& out);

/// True when \p pattern takes exactly the arguments \p reference takes (same
/// number, same kinds, same order) and both are well formed.
bool samePrintfArguments(lang::String const& pattern, lang::String const& reference);

/// The pattern to format the library's message \p key with, for a call that
/// passes the arguments of \p expected: \p loader's text for \p key when it
/// takes exactly those arguments, otherwise \p key itself with every '%'
/// doubled (so that formatting it prints the key). Exceptions of the loader
/// propagate; a null loader gives the empty pattern (keyed messages are
/// empty while the library has no loader).
lang::String libraryPattern(lang::IResourceLoader* loader, lang::String const& key,
                            wchar_t const* expected);

} // namespace util
} // namespace cpp

#endif
