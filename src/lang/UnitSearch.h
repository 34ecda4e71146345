//===- UnitSearch.h - Searching raw arrays of 16-bit units -------*- C++ -*-===//
//
// The loops under String's searches and comparisons. Where SSE2 is available
// (always on x86-64) single-unit searches and the scan for the first
// difference look at eight units per step; the results are exactly those of
// the plain loops.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_LANG_UNITSEARCH_H
#define WUX_SRC_LANG_UNITSEARCH_H

namespace cpp {
namespace lang {
namespace units {

/// Sentinel of the functions below: nothing found.
unsigned int const NONE = 0xFFFFFFFFu;

/// The first index i in [from, end) with p[i] == c, else NONE.
unsigned int findUnit(unsigned short const* p, unsigned int from, unsigned int end,
                      unsigned short c);
/// The last index i in [0, last] with p[i] == c, else NONE.
unsigned int rfindUnit(unsigned short const* p, unsigned int last, unsigned short c);
/// The first index i < n with a[i] != b[i], else n.
unsigned int firstDifference(unsigned short const* a, unsigned short const* b, unsigned int n);
/// True when c is one of the n units of set.
bool contains(unsigned short const* set, unsigned int n, unsigned short c);

} // namespace units
} // namespace lang
} // namespace cpp

#endif
