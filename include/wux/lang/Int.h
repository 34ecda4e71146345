//===- wux/lang/Int.h - 32-bit signed integers ------------------*- C++ -*-===//
//
// Int holds the limits of int and turns ints into text and decimal text into
// ints.
//
//   String t = Int::toString(-42);        // "-42"
//   int v = Int::getValue(L"-17");        // -17
//   Int::getValue(L"12abc");              // 12: parsing stops at the 'a'
//   Int::getValue(L"abc");                // throws FormatException
//   Int::isInteger(L"2024");              // true
//   Int::isInteger(L"-1");                // false: signs are not digits
//
// getValue() reads like the C runtime's _wtoi(): optional leading white space
// and sign, then decimal digits up to the first other unit; the rest of the
// text is ignored. A text that reads as 0 is accepted only when it consists
// of '0' digits alone, so "-0", " 0" and any text without leading digits are
// rejected.
//
// All members are static and re-entrant.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_INT_H
#define WUX_LANG_INT_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace lang {

class WUX_API Int {
public:
    static int const MIN_VALUE = -2147483647 - 1;
    static int const MAX_VALUE = 2147483647;
    /// -1, the value that stands for "no limit".
    static int const INFINITE_VALUE = -1;

    Int() {}
    ~Int() {}
    Int& operator=(Int const&) { return *this; }

    /// \p v in decimal ("%d").
    static String toString(int v);

    /// True when \p n is not 0 and each of the \p n units at \p p is a
    /// decimal digit of some script (Char::isDigit); false for a null \p p.
    static bool isInteger(unsigned short const* p, unsigned int n);
    /// The counted form on the units before the first 0; false for null.
    static bool isInteger(unsigned short const* p);
    /// The counted form on the units of \p s.
    static bool isInteger(String const& s);

    /// The value of the decimal text \p s (see above). Throws FormatException
    /// "The string to parse is empty." for an empty \p s, and "Cannot parse
    /// the string '<s>'." when no value other than 0 can be read and \p s is
    /// not all '0' digits.
    static int getValue(String const& s);
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_INT_H
