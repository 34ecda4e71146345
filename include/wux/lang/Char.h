//===- wux/lang/Char.h - One UTF-16 unit: category and case -----*- C++ -*-===//
//
// Char classifies single 16-bit code units by their Unicode general category
// and maps their case. The categories are those of Unicode 3.0: every code
// point assigned later (U+0221, U+03F4, ...) counts as unassigned, and U+200B
// ZERO WIDTH SPACE is a space separator. Each test is one read of a constant
// table, so the helpers suit per-character loops.
//
//   Char::isLetter('a');                  // true
//   Char::isDigit(0x0660);                // true: ARABIC-INDIC DIGIT ZERO
//   Char::isWhitespace(0x2029);           // true: PARAGRAPH SEPARATOR
//   Char::isPunctuation('!');             // true
//   Char::toUpper('q');                   // 'Q'
//   String s = Char::toString('x');       // "x"
//
// Surrogates are classified as such (category Cs): pairs are not combined.
//
// toUpper() and toLower() are the C runtime's towupper() and towlower(), so
// they follow the runtime's locale: in the "C" locale, which a program is in
// until it calls setlocale(), Microsoft's runtime maps only the ASCII letters
// A-Z and a-z and returns every other unit unchanged.
//
// All members are static and re-entrant.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_CHAR_H
#define WUX_LANG_CHAR_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace lang {

class WUX_API Char {
public:
    static unsigned short const MIN_VALUE = 0;
    static unsigned short const MAX_VALUE = 0xFFFF;

    Char() {}
    ~Char() {}
    Char& operator=(Char const&) { return *this; }

    /// Category Lu (uppercase letter).
    static bool isUpper(unsigned short c);
    /// Category Ll (lowercase letter).
    static bool isLower(unsigned short c);
    /// Categories Lu, Ll, Lt, Lm and Lo: letters of every kind.
    static bool isLetter(unsigned short c);
    /// Category Nd: the decimal digits of every script.
    static bool isDigit(unsigned short c);
    /// Categories Nd, Nl and No: digits, letter numbers (Roman numerals) and
    /// other numbers (superscripts, fractions).
    static bool isNumber(unsigned short c);
    /// Categories Zs, Zl and Zp: space, line and paragraph separators.
    static bool isSeperator(unsigned short c);
    /// Categories Pc, Pd, Ps, Pe, Pi, Pf and Po.
    static bool isPunctuation(unsigned short c);
    /// Categories Sm, Sc, Sk and So: math, currency, modifier and other
    /// symbols.
    static bool isSymbol(unsigned short c);
    /// Space separators (Zs), the controls U+0009 to U+000D, U+0085 (NEXT
    /// LINE), U+2028 (LINE SEPARATOR) and U+2029 (PARAGRAPH SEPARATOR).
    static bool isWhitespace(unsigned short c);

    /// The runtime's towupper() of \p c (see above for the "C" locale).
    static unsigned short toUpper(unsigned short c);
    /// The runtime's towlower() of \p c (see above for the "C" locale).
    static unsigned short toLower(unsigned short c);

    /// A String of the one unit \p c, on the default allocator.
    static String toString(unsigned short c);
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_CHAR_H
