#include "wux/global/TimeZone.h"

#include "global/SystemTimeZone.h"

namespace cpp {
namespace global {

using lang::String;

TimeZone::TimeZone() {}

TimeZone::TimeZone(TimeZone const& other) : _displayName(other._displayName) {}

TimeZone& TimeZone::operator=(TimeZone const& other) {
    _displayName = other._displayName;
    return *this;
}

TimeZone::~TimeZone() {}

String TimeZone::getDisplayName() const {
    return _displayName;
}

void TimeZone::setDisplayName(String const& name) {
    _displayName = name;
}

TimeZone const* TimeZone::getCurrentTimeZone() {
    // Built once, under the runtime's guard for local statics, so racing
    // first calls get one zone; a build that throws leaves it unbuilt and
    // the next call tries again. Destroyed when the library unloads.
    static SystemTimeZone const current = SystemTimeZone::fromSystem();
    return &current;
}

} // namespace global
} // namespace cpp
