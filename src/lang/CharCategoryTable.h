//===- CharCategoryTable.h - Unicode categories of UTF-16 units -*- C++ -*-===//
//
// The Unicode 3.0 general category of every 16-bit code unit, one byte per
// unit in read-only data. Code points assigned after Unicode 3.0 (U+0221,
// U+03F4, ...) are Cn. The table itself is generated from Unicode data by
// scripts/gen_char_categories.py into CharCategoryTable.cpp.
//
//   if (charcat::categoryOf(c) == charcat::Nd) ...   // a decimal digit
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_LANG_CHARCATEGORYTABLE_H
#define WUX_SRC_LANG_CHARCATEGORYTABLE_H

#include <cstddef>

namespace cpp {
namespace lang {
namespace charcat {

/// Unicode's general categories under their own abbreviations, numbered in
/// the order of the table's byte values.
enum Category : unsigned char {
    Lu, // letter, uppercase
    Ll, // letter, lowercase
    Lt, // letter, titlecase
    Lm, // letter, modifier
    Lo, // letter, other
    Mn, // mark, nonspacing
    Mc, // mark, spacing combining
    Me, // mark, enclosing
    Nd, // number, decimal digit
    Nl, // number, letter
    No, // number, other
    Zs, // separator, space
    Zl, // separator, line
    Zp, // separator, paragraph
    Cc, // other, control
    Cf, // other, format
    Cs, // other, surrogate
    Co, // other, private use
    Pc, // punctuation, connector
    Pd, // punctuation, dash
    Ps, // punctuation, open
    Pe, // punctuation, close
    Pi, // punctuation, initial quote
    Pf, // punctuation, final quote
    Po, // punctuation, other
    Sm, // symbol, math
    Sc, // symbol, currency
    Sk, // symbol, modifier
    So, // symbol, other
    Cn  // other, not assigned
};
static_assert(Cn == 29, "the table codes the categories 0 (Lu) to 29 (Cn)");

std::size_t const CODE_UNITS = 0x10000;

struct CategoryTable {
    unsigned char category[CODE_UNITS];
};

/// The table; defined (and filled at compile time) in CharCategoryTable.cpp.
extern CategoryTable const TABLE;

/// The category of \p c: one read of the table.
inline Category categoryOf(unsigned short c) {
    return static_cast<Category>(TABLE.category[c]);
}

/// True when the category of \p c is one of the categories in \p mask (a set
/// of bits 1 << category).
inline bool isIn(unsigned short c, unsigned long mask) {
    return ((mask >> TABLE.category[c]) & 1u) != 0;
}

/// The bit of \p category in a mask for isIn().
constexpr unsigned long bit(Category category) {
    return 1ul << category;
}

} // namespace charcat
} // namespace lang
} // namespace cpp

#endif // WUX_SRC_LANG_CHARCATEGORYTABLE_H
