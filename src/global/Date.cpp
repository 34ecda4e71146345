// Date: ticks (microseconds since 1970-01-01 UTC) and the system's calendar
// conversions SystemTimeToFileTime / FileTimeToSystemTime.
#include "wux/global/Date.h"

#include "wux/global/TimeZone.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/OutOfRangeException.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"

#include <windows.h>

namespace {

// FILETIME counts 100-nanosecond intervals since 1601-01-01 UTC; this is
// 1970-01-01 in microseconds after that.
__int64 const EPOCH_OFFSET = 11644473600000000LL;

// The ticks the system's FILETIME range covers: FILETIME 0 up to the largest
// positive FILETIME, whose top bit the system refuses.
__int64 const FIRST_CONVERTIBLE_TICKS = -EPOCH_OFFSET;
__int64 const LAST_CONVERTIBLE_TICKS = 0x7FFFFFFFFFFFFFFFLL / 10 - EPOCH_OFFSET;

// Years a SYSTEMTIME may hold.
unsigned int const FIRST_SYSTEM_YEAR = 1601;
unsigned int const LAST_SYSTEM_YEAR = 30827;

int const DAYS_BEFORE_MONTH[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool isLeap(unsigned int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// True when every field of `st` lies in the range the system accepts,
// days checked against the month. Some systems accept 29 February of a
// common year; this check does not.
bool isConvertible(SYSTEMTIME const& st) {
    return st.wYear >= FIRST_SYSTEM_YEAR && st.wYear <= LAST_SYSTEM_YEAR && st.wMonth >= 1 &&
           st.wMonth <= 12 && st.wDay >= 1 &&
           st.wDay <= static_cast<unsigned int>(daysInMonth(st.wYear, st.wMonth)) &&
           st.wHour <= 23 && st.wMinute <= 59 && st.wSecond <= 59 && st.wMilliseconds <= 999;
}

// The ticks of the current instant, to the millisecond.
__int64 currentTicks() {
    SYSTEMTIME st;
    GetSystemTime(&st);
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    __int64 ticks;
    fileTimeToTime(&ticks, &ft);
    return ticks;
}

} // namespace

extern "C" {

void fileTimeToTime(__int64* ticks, FILETIME const* ft) {
    unsigned __int64 raw =
        (static_cast<unsigned __int64>(ft->dwHighDateTime) << 32) | ft->dwLowDateTime;
    *ticks = static_cast<__int64>(raw) / 10 - EPOCH_OFFSET;
}

void timeToFileTime(FILETIME* ft, __int64 const* ticks) {
    // Unsigned arithmetic: ticks beyond the FILETIME range wrap instead of
    // overflowing.
    unsigned __int64 raw =
        (static_cast<unsigned __int64>(*ticks) + static_cast<unsigned __int64>(EPOCH_OFFSET)) * 10u;
    ft->dwLowDateTime = static_cast<DWORD>(raw & 0xFFFFFFFFu);
    ft->dwHighDateTime = static_cast<DWORD>(raw >> 32);
}

int daysInMonth(unsigned int year, int month) {
    static int const DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && isLeap(year))
        return 29;
    return DAYS[month - 1];
}
}

namespace cpp {
namespace global {

using lang::String;

__int64 const Date::ticksPerMillisecond;
__int64 const Date::ticksPerSecond;
__int64 const Date::ticksPerMinute;
__int64 const Date::ticksPerHour;
__int64 const Date::ticksPerDay;

Date::Date() : _ticks(currentTicks()) {}

Date::Date(FILETIME const& ft) : _ticks(0) {
    fileTimeToTime(&_ticks, &ft);
}

Date::Date(SYSTEMTIME const& stime) : _ticks(0) {
    FILETIME ft;
    DWORD error = ERROR_INVALID_PARAMETER;
    if (isConvertible(stime)) {
        if (SystemTimeToFileTime(&stime, &ft)) {
            fileTimeToTime(&_ticks, &ft);
            return;
        }
        error = GetLastError();
    }
    throw lang::ArgumentException(
        lang::SystemErrorHandler::getInstance()->toString(static_cast<int>(error)),
        String("stime"));
}

Date::Date(__int64 const& ticks) : _ticks(ticks) {}

Date::Date(unsigned int year, unsigned int month, unsigned int day, unsigned int hour,
           unsigned int minute, unsigned int second, unsigned int millisecond)
    : _ticks(0) {
    // Years before 1601 are valid dates but outside what the system
    // converts; they fail like every other unrepresentable value.
    bool valid = year >= FIRST_SYSTEM_YEAR && year <= 9999 && month >= 1 && month <= 12 &&
                 day >= 1 &&
                 day <= static_cast<unsigned int>(daysInMonth(year, static_cast<int>(month))) &&
                 hour <= 23 && minute <= 59 && second <= 59 && millisecond <= 999;
    FILETIME ft;
    if (valid) {
        SYSTEMTIME st;
        st.wYear = static_cast<WORD>(year);
        st.wMonth = static_cast<WORD>(month);
        st.wDayOfWeek = 0;
        st.wDay = static_cast<WORD>(day);
        st.wHour = static_cast<WORD>(hour);
        st.wMinute = static_cast<WORD>(minute);
        st.wSecond = static_cast<WORD>(second);
        st.wMilliseconds = static_cast<WORD>(millisecond);
        valid = SystemTimeToFileTime(&st, &ft) != FALSE;
    }
    if (!valid)
        throw lang::OutOfRangeException(String("Parameters describes an unrepresentable Date."));
    fileTimeToTime(&_ticks, &ft);
}

__int64 Date::getCurrentTime() {
    return currentTicks();
}

bool Date::isLeapYear(unsigned int year) {
    return isLeap(year);
}

__int64 Date::getLocalTime() const {
    return _ticks + TimeZone::getCurrentTimeZone()->getOffset(this);
}

void Date::setLocalTime(__int64 local) {
    Date asInstant(local);
    _ticks = local - TimeZone::getCurrentTimeZone()->getOffset(&asInstant);
}

__int64 Date::timeOfDay() const {
    return _ticks % ticksPerDay;
}

void Date::addDays(int n) {
    _ticks += static_cast<__int64>(n) * ticksPerDay;
}

void Date::addHours(int n) {
    _ticks += static_cast<__int64>(n) * ticksPerHour;
}

TimeSpan Date::subtract(Date const& other) const {
    return TimeSpan(_ticks - other._ticks);
}

TimeSpan Date::add(Date const& other) const {
    return TimeSpan(_ticks + other._ticks);
}

int Date::getYear() const {
    return fromEpoch(0);
}

unsigned int Date::getMonth() const {
    return static_cast<unsigned int>(fromEpoch(1));
}

unsigned int Date::getDay() const {
    return static_cast<unsigned int>(fromEpoch(2));
}

Weekday Date::getDayOfWeek() const {
    return static_cast<Weekday>(fromEpoch(4));
}

unsigned int Date::getDayOfYear() const {
    return static_cast<unsigned int>(fromEpoch(3));
}

unsigned int Date::getHours() const {
    return static_cast<unsigned int>(fromEpoch(5));
}

unsigned int Date::getMinutes() const {
    return static_cast<unsigned int>(fromEpoch(6));
}

unsigned int Date::getSeconds() const {
    return static_cast<unsigned int>(fromEpoch(7));
}

int Date::fromEpoch(int field) const {
    if (field < 0 || field > 7)
        return 0;
    // Outside the FILETIME range the conversion would wrap around; the
    // system refuses such instants anyway.
    if (_ticks < FIRST_CONVERTIBLE_TICKS || _ticks > LAST_CONVERTIBLE_TICKS)
        return 0;
    FILETIME ft;
    timeToFileTime(&ft, &_ticks);
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&ft, &st))
        return 0;
    switch (field) {
    case 0:
        return st.wYear;
    case 1:
        return st.wMonth;
    case 2:
        return st.wDay;
    case 3: {
        int day = DAYS_BEFORE_MONTH[st.wMonth - 1] + st.wDay;
        if (st.wMonth > 2 && isLeap(st.wYear))
            ++day;
        return day;
    }
    case 4:
        return st.wDayOfWeek;
    case 5:
        return st.wHour;
    case 6:
        return st.wMinute;
    default:
        return st.wSecond;
    }
}

} // namespace global
} // namespace cpp
