//===- SystemTimeZone.h - The zone the system reports ----------*- C++ -*-===//
//
// The concrete zone behind TimeZone::getCurrentTimeZone(): the system's
// standard and daylight offsets and its standard-time name, read once. It
// applies the standard offset to every instant (isDaylightTime() is always
// false); the transition dates are not read.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_GLOBAL_SYSTEMTIMEZONE_H
#define WUX_SRC_GLOBAL_SYSTEMTIMEZONE_H

#include "wux/global/TimeZone.h"

namespace cpp {
namespace global {

class SystemTimeZone : public TimeZone {
public:
    /// An empty name and both offsets 0.
    SystemTimeZone();
    ~SystemTimeZone() override;

    /// The zone of the system's current time-zone information. Throws
    /// InvalidOperationException "Cannot obtain the information of the
    /// current time zone." when the system has none.
    static SystemTimeZone fromSystem();

    /// daylightOffset while isDaylightTime(), else standardOffset.
    __int64 getOffset(Date const* date) const override;
    /// False for every date.
    bool isDaylightTime(Date const* date) const override;

private:
    __int64 _daylightOffset;
    __int64 _standardOffset;
};

} // namespace global
} // namespace cpp

#endif
