//===- wux/global/TimeSpan.h - A difference of two instants -----*- C++ -*-===//
//
// TimeSpan holds a signed count of microseconds, the difference (or, from
// Date::add, the sum) of two Date tick counts:
//
//   Date a(2008, 3, 1, 0, 0, 0, 0);
//   Date b(2008, 2, 1, 12, 0, 0, 0);
//   TimeSpan span = a.subtract(b);
//   span.getDays();                      // 28: whole days, toward zero
//   span.getTicks();                     // 28.5 days in microseconds
//
// TimeSpan is a plain value.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_GLOBAL_TIMESPAN_H
#define WUX_GLOBAL_TIMESPAN_H

#include "wux/lang/Export.h"

#include <cstddef> // __int64, from the runtime's headers

namespace cpp {
namespace global {

class WUX_API TimeSpan {
public:
    /// A span of \p ticks microseconds.
    TimeSpan(__int64 const& ticks);
    TimeSpan(TimeSpan const& other);
    TimeSpan& operator=(TimeSpan const& other);

    /// Whole days: ticks / Date::ticksPerDay, truncated toward zero.
    int getDays() const;
    /// The span in microseconds.
    __int64 getTicks() const { return _ticks; }

private:
    __int64 _ticks;
};

} // namespace global
} // namespace cpp

#endif // WUX_GLOBAL_TIMESPAN_H
