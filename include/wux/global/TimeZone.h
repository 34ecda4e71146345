//===- wux/global/TimeZone.h - Local time of an instant ---------*- C++ -*-===//
//
// TimeZone turns a UTC instant into local time: getOffset() gives the
// microseconds to add to a Date's ticks. The process-wide current zone is
// built once, on first use, from the system's time-zone information:
//
//   TimeZone const* zone = TimeZone::getCurrentTimeZone();
//   Date now;
//   __int64 local = now.time() + zone->getOffset(&now);  // = now.getLocalTime()
//   String name = zone->getDisplayName();   // the zone's standard-time name
//
// The current zone applies the standard offset to every instant, in summer
// as in winter: its isDaylightTime() is false for every date. A change of the
// system's zone while the process runs is not seen.
//
// getCurrentTimeZone() throws InvalidOperationException "Cannot obtain the
// information of the current time zone." when the system has none; a later
// call tries again. Concurrent first calls build a single zone.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_GLOBAL_TIMEZONE_H
#define WUX_GLOBAL_TIMEZONE_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace global {

class Date;

class WUX_API TimeZone {
public:
    /// An empty display name.
    TimeZone();
    TimeZone(TimeZone const& other);
    TimeZone& operator=(TimeZone const& other);
    virtual ~TimeZone();

    /// The microseconds to add to the UTC ticks of \p date to obtain local
    /// time.
    virtual __int64 getOffset(Date const* date) const = 0;
    /// Whether daylight-saving time is in force at \p date.
    virtual bool isDaylightTime(Date const* date) const = 0;

    /// A copy of the display name.
    lang::String getDisplayName() const;

    /// The process-wide current zone, built on first use.
    static TimeZone const* getCurrentTimeZone();

protected:
    void setDisplayName(lang::String const& name);

private:
    lang::String _displayName;
};

} // namespace global
} // namespace cpp

#endif // WUX_GLOBAL_TIMEZONE_H
