#include "wux/global/TimeSpan.h"

#include "wux/global/Date.h"

namespace cpp {
namespace global {

TimeSpan::TimeSpan(__int64 const& ticks) : _ticks(ticks) {}

TimeSpan::TimeSpan(TimeSpan const& other) : _ticks(other._ticks) {}

TimeSpan& TimeSpan::operator=(TimeSpan const& other) {
    _ticks = other._ticks;
    return *this;
}

int TimeSpan::getDays() const {
    return static_cast<int>(_ticks / Date::ticksPerDay);
}

} // namespace global
} // namespace cpp
