//===- wux/lang/UInt.h - 32-bit unsigned integers ---------------*- C++ -*-===//
//
// UInt holds the limits of unsigned int, given as int bit patterns, and turns
// unsigned ints into text.
//
//   String t = UInt::toString(4000000000u);            // "4000000000"
//   unsigned max = static_cast<unsigned>(UInt::MAX_VALUE); // 4294967295
//
// All members are static and re-entrant.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_UINT_H
#define WUX_LANG_UINT_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace lang {

class WUX_API UInt {
public:
    static int const MIN_VALUE = 0;
    /// All bits set: 4294967295 when read as unsigned.
    static int const MAX_VALUE = -1;

    UInt() {}
    ~UInt() {}
    UInt& operator=(UInt const&) { return *this; }

    /// \p v in decimal ("%u").
    static String toString(unsigned int v);
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_UINT_H
