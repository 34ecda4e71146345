#include "global/SystemTimeZone.h"

#include "wux/global/Date.h"
#include "wux/lang/InvalidOperationException.h"

#include <windows.h>

namespace cpp {
namespace global {

using lang::String;

SystemTimeZone::SystemTimeZone() : _daylightOffset(0), _standardOffset(0) {}

SystemTimeZone::~SystemTimeZone() = default;

SystemTimeZone SystemTimeZone::fromSystem() {
    SystemTimeZone zone;
    TIME_ZONE_INFORMATION info;
    if (GetTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID)
        throw lang::InvalidOperationException(
            String("Cannot obtain the information of the current time zone."));
    zone.setDisplayName(String(reinterpret_cast<unsigned short const*>(info.StandardName)));
    // Biases are minutes to add to local time to obtain UTC.
    zone._standardOffset =
        -(static_cast<__int64>(info.Bias) + info.StandardBias) * Date::ticksPerMinute;
    zone._daylightOffset =
        -(static_cast<__int64>(info.Bias) + info.DaylightBias) * Date::ticksPerMinute;
    return zone;
}

__int64 SystemTimeZone::getOffset(Date const* date) const {
    return isDaylightTime(date) ? _daylightOffset : _standardOffset;
}

bool SystemTimeZone::isDaylightTime(Date const*) const {
    return false;
}

} // namespace global
} // namespace cpp
