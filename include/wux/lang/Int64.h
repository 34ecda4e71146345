//===- wux/lang/Int64.h - 64-bit signed integers ----------------*- C++ -*-===//
//
// Int64 holds the limits of __int64 and converts between __int64 and decimal
// text.
//
//   String t = Int64::toString(Int64::MIN_VALUE);  // "-9223372036854775808"
//   __int64 v = Int64::getValue(L"8589934592");     // 2^33
//
// getValue() reads like the C runtime's _wtoi64() and otherwise follows the
// rules of Int::getValue(): leading white space and a sign are allowed, the
// digits end at the first other unit, and a text that reads as 0 must consist
// of '0' digits alone.
//
// All members are static and re-entrant.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_INT64_H
#define WUX_LANG_INT64_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

#include <stddef.h> // __int64 on MinGW

namespace cpp {
namespace lang {

class WUX_API Int64 {
public:
    static __int64 const MIN_VALUE = -9223372036854775807LL - 1;
    static __int64 const MAX_VALUE = 9223372036854775807LL;

    Int64() {}
    ~Int64() {}
    Int64& operator=(Int64 const&) { return *this; }

    /// \p v in decimal ("%I64d").
    static String toString(__int64 v);

    /// The value of the decimal text \p s. Throws FormatException "The string
    /// to parse is empty." for an empty \p s, and "Cannot parse the string
    /// '<s>'." when no value other than 0 can be read and \p s is not all '0'
    /// digits.
    static __int64 getValue(String const& s);
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_INT64_H
