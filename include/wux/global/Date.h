//===- wux/global/Date.h - A point in time ----------------------*- C++ -*-===//
//
// Date is wux's one representation of a point in time: a signed 64-bit count
// of microseconds (ticks) since 1970-01-01 00:00:00 UTC. Calendar fields are
// read in UTC through the system's conversions (proleptic Gregorian calendar,
// years 1601 to 30827); local time adds the current time zone's offset.
//
//   Date d(2008, 2, 29, 23, 59, 59, 0);     // UTC components
//   d.getDayOfYear();                       // 60
//   d.addDays(1);                           // 2008-03-01 23:59:59
//   d.getDayOfWeek();                       // Saturday
//   __int64 now = Date::getCurrentTime();
//   TimeSpan age = Date(now).subtract(d);
//   __int64 local = d.getLocalTime();       // ticks + the zone's offset
//
// The free functions fileTimeToTime() and timeToFileTime() convert between
// ticks and FILETIME (ticks = FILETIME / 10 - 11,644,473,600,000,000), and
// daysInMonth() gives the length of a month.
//
// Date is a plain value; it has no virtual functions.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_GLOBAL_DATE_H
#define WUX_GLOBAL_DATE_H

#include "wux/global/TimeSpan.h"
#include "wux/lang/Export.h"
#include "wux/lang/WinTypes.h"

namespace cpp {
namespace global {

/// Days of the week, numbered as the system's SYSTEMTIME numbers them.
enum Weekday {
    Sunday = 0,
    Monday = 1,
    Tuesday = 2,
    Wednesday = 3,
    Thursday = 4,
    Friday = 5,
    Saturday = 6
};

class WUX_API Date {
public:
    static __int64 const ticksPerMillisecond = 1000LL;
    static __int64 const ticksPerSecond = 1000000LL;
    static __int64 const ticksPerMinute = 60000000LL;
    static __int64 const ticksPerHour = 3600000000LL;
    static __int64 const ticksPerDay = 86400000000LL;

    /// The current instant, to the millisecond.
    Date();
    /// The instant of a FILETIME.
    Date(FILETIME const& ft);
    /// The instant of a UTC SYSTEMTIME (wDayOfWeek is ignored). A value the
    /// system cannot convert (a field out of range, a day the month does not
    /// have, a year outside 1601-30827) throws ArgumentException with the
    /// system's text for its error (argument "stime").
    Date(SYSTEMTIME const& stime);
    /// The instant \p ticks microseconds after 1970-01-01 00:00:00 UTC.
    Date(__int64 const& ticks);
    /// The instant of UTC components. Years 1601 to 9999, months 1-12, days
    /// of the month, hours 0-23, minutes and seconds 0-59, milliseconds
    /// 0-999; anything else throws OutOfRangeException "Parameters describes
    /// an unrepresentable Date.".
    Date(unsigned int year, unsigned int month, unsigned int day, unsigned int hour,
         unsigned int minute, unsigned int second, unsigned int millisecond);

    /// The current UTC ticks, to the millisecond.
    static __int64 getCurrentTime();
    /// True for years divisible by 4 and either not by 100 or by 400.
    static bool isLeapYear(unsigned int year);

    __int64 time() const { return _ticks; }
    void time(__int64 ticks) { _ticks = ticks; }

    /// The ticks plus the current time zone's offset for this instant.
    __int64 getLocalTime() const;
    /// Sets the ticks from local ticks: local minus the current zone's
    /// offset (asked for the local value taken as an instant).
    void setLocalTime(__int64 local);
    /// The ticks since midnight UTC: ticks modulo ticksPerDay, negative
    /// before 1970.
    __int64 timeOfDay() const;
    void addDays(int n);
    void addHours(int n);
    /// The span this - other.
    TimeSpan subtract(Date const& other) const;
    /// The span holding the sum of both tick counts.
    TimeSpan add(Date const& other) const;

    // Calendar fields in UTC. An instant the system cannot convert (before
    // 1601-01-01 or beyond the system's range) gives 0 from each of them.

    int getYear() const;
    /// 1-12.
    unsigned int getMonth() const;
    /// 1-31.
    unsigned int getDay() const;
    Weekday getDayOfWeek() const;
    /// 1 for January 1, up to 365 or 366.
    unsigned int getDayOfYear() const;
    unsigned int getHours() const;
    unsigned int getMinutes() const;
    unsigned int getSeconds() const;

protected:
    /// One calendar field of the ticks: 0 year, 1 month, 2 day, 3 day of
    /// year, 4 day of week, 5 hour, 6 minute, 7 second; 0 when the ticks
    /// cannot be converted or \p field is outside 0-7.
    int fromEpoch(int field) const;

private:
    __int64 _ticks;
};

} // namespace global
} // namespace cpp

extern "C" {

/// Stores in \p ticks the tick count of \p ft: FILETIME / 10 minus
/// 11,644,473,600,000,000 (signed, truncating).
WUX_API void fileTimeToTime(__int64* ticks, FILETIME const* ft);
/// Stores in \p ft the FILETIME of \p ticks: (ticks + 11,644,473,600,000,000)
/// times 10.
WUX_API void timeToFileTime(FILETIME* ft, __int64 const* ticks);
/// The days of \p month (1-12) in \p year, by the Gregorian leap-year rule;
/// 0 for a month outside 1-12.
WUX_API int daysInMonth(unsigned int year, int month);
}

#endif // WUX_GLOBAL_DATE_H
