//===- wux/lang/Array.h - Bounded copy of terminated arrays -----*- C++ -*-===//
//
// Array copies 0-terminated narrow or wide texts into fixed-size buffers
// without overrunning them: the copy is cut to the buffer and always ends
// with a 0 element.
//
//   char name[8];
//   Array::copy(name, "wux.config", 8);        // name: "wux.con"
//   unsigned short unit[4];
//   Array::copy(unit, someText.getCStr(), 4);  // at most 3 units and a 0
//
// Elements after the copied text's terminator are left as they were.
//
// All members are static and re-entrant.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_ARRAY_H
#define WUX_LANG_ARRAY_H

#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API Array {
public:
    Array() {}
    ~Array() {}
    Array& operator=(Array const&) { return *this; }

    /// Copies the elements of the 0-terminated \p src that precede its
    /// terminator, at most n - 1 of them, into \p dst and terminates them
    /// there; dst[n - 1] is always 0. No element of \p src after its
    /// terminator is read.
    ///
    /// Throws ArgumentException (argument name "ptr") "The destination
    /// pointer is null." for a null \p dst, "The source pointer is null."
    /// for a null \p src and "The source length is null." when \p n < 1.
    static void copy(char* dst, char const* src, int n);
    /// The same for 16-bit units.
    static void copy(unsigned short* dst, unsigned short const* src, int n);
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_ARRAY_H
