// Date: tick values of components, FILETIME and SYSTEMTIME, checked against
// an independent calendar calculation (days from the civil date); the
// calendar getters over the whole convertible range; the rejected
// components; the conversion functions; the arithmetic; "now".
#include "wux/global/Date.h"
#include "wux/global/TimeSpan.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/OutOfRangeException.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

namespace {

using cpp::global::Date;
using cpp::global::TimeSpan;
using cpp::global::Weekday;
using cpp::lang::ArgumentException;
using cpp::lang::OutOfRangeException;
using cpp::lang::String;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

//===-- An independent calendar ------------------------------------------===//
// Proleptic Gregorian days relative to 1970-01-01, by era arithmetic (400
// years = 146097 days), without the system's conversions.

std::int64_t const US_PER_DAY = 86400000000LL;
// 1601-01-01 00:00:00 UTC, in microseconds before 1970.
std::int64_t const EPOCH_1601 = -11644473600000000LL;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    std::int64_t era = floorDiv(y, 400);
    std::int64_t yoe = y - era * 400;
    std::int64_t mp = m > 2 ? m - 3 : m + 9;
    std::int64_t doy = (153 * mp + 2) / 5 + d - 1;
    std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    std::int64_t year;
    unsigned month;
    unsigned day;
    unsigned dayOfWeek; // 0 = Sunday
    unsigned dayOfYear;
    unsigned hour;
    unsigned minute;
    unsigned second;
    unsigned millisecond;
};

Civil civilFromTicks(std::int64_t ticks) {
    std::int64_t z = floorDiv(ticks, US_PER_DAY);
    std::int64_t rest = ticks - z * US_PER_DAY;
    Civil c;
    c.dayOfWeek = static_cast<unsigned>(z + 4 - floorDiv(z + 4, 7) * 7); // 1970-01-01: Thu
    std::int64_t shifted = z + 719468;
    std::int64_t era = floorDiv(shifted, 146097);
    std::int64_t doe = shifted - era * 146097;
    std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    std::int64_t mp = (5 * doy + 2) / 153;
    c.day = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    c.year = yoe + era * 400 + (c.month <= 2 ? 1 : 0);
    c.dayOfYear = static_cast<unsigned>(z - daysFromCivil(c.year, 1, 1) + 1);
    c.hour = static_cast<unsigned>(rest / 3600000000LL);
    c.minute = static_cast<unsigned>(rest / 60000000LL % 60);
    c.second = static_cast<unsigned>(rest / 1000000LL % 60);
    c.millisecond = static_cast<unsigned>(rest / 1000LL % 1000);
    return c;
}

std::int64_t civilTicks(std::int64_t y, unsigned m, unsigned d, unsigned h, unsigned mi, unsigned s,
                        unsigned ms) {
    return daysFromCivil(y, m, d) * US_PER_DAY +
           ((static_cast<std::int64_t>(h) * 60 + mi) * 60 + s) * 1000000LL + ms * 1000LL;
}

// Checks every calendar getter of `date` against the independent calendar.
void expectCalendar(Date const& date) {
    Civil c = civilFromTicks(date.time());
    EXPECT_EQ(date.getYear(), c.year);
    EXPECT_EQ(date.getMonth(), c.month);
    EXPECT_EQ(date.getDay(), c.day);
    EXPECT_EQ(static_cast<unsigned>(date.getDayOfWeek()), c.dayOfWeek);
    EXPECT_EQ(date.getDayOfYear(), c.dayOfYear);
    EXPECT_EQ(date.getHours(), c.hour);
    EXPECT_EQ(date.getMinutes(), c.minute);
    EXPECT_EQ(date.getSeconds(), c.second);
}

void expectAllGettersZero(Date const& date) {
    EXPECT_EQ(date.getYear(), 0);
    EXPECT_EQ(date.getMonth(), 0u);
    EXPECT_EQ(date.getDay(), 0u);
    EXPECT_EQ(static_cast<int>(date.getDayOfWeek()), 0);
    EXPECT_EQ(date.getDayOfYear(), 0u);
    EXPECT_EQ(date.getHours(), 0u);
    EXPECT_EQ(date.getMinutes(), 0u);
    EXPECT_EQ(date.getSeconds(), 0u);
}

TEST(DateCalendarSelfTest, IndependentCalendarKnowsItsAnchors) {
    // The reference itself, on dates that are common knowledge.
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(civilTicks(1601, 1, 1, 0, 0, 0, 0), EPOCH_1601);
    EXPECT_EQ(civilTicks(2001, 9, 9, 1, 46, 40, 0), 1000000000LL * 1000000LL);
    Civil c = civilFromTicks(-1);
    EXPECT_EQ(c.year, 1969);
    EXPECT_EQ(c.dayOfYear, 365u);
    EXPECT_EQ(c.millisecond, 999u);
    EXPECT_EQ(civilFromTicks(civilTicks(2000, 1, 1, 0, 0, 0, 0)).dayOfWeek, 6u); // Saturday
}

//===-- Constants, leap years, month lengths -----------------------------===//

TEST(DateConstantsTest, TicksPerUnit) {
    EXPECT_EQ(Date::ticksPerMillisecond, 1000LL);
    EXPECT_EQ(Date::ticksPerSecond, 1000000LL);
    EXPECT_EQ(Date::ticksPerMinute, 60000000LL);
    EXPECT_EQ(Date::ticksPerHour, 3600000000LL);
    EXPECT_EQ(Date::ticksPerDay, 86400000000LL);
}

TEST(DateLeapYearTest, GregorianRule) {
    struct Row {
        unsigned year;
        bool leap;
    } const rows[] = {{2008, true}, {2007, false}, {2000, true}, {1900, false}, {2100, false},
                      {2400, true}, {1600, true},  {4, true},    {1, false},    {0, true}};
    for (Row const& row : rows) {
        SCOPED_TRACE(row.year);
        EXPECT_EQ(Date::isLeapYear(row.year), row.leap);
    }
}

TEST(DateDaysInMonthTest, EveryMonthOfCommonAndLeapYears) {
    int const common[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    unsigned const years[] = {1900, 2000, 2007, 2008, 2100};
    for (unsigned year : years) {
        for (int month = 1; month <= 12; ++month) {
            SCOPED_TRACE(testing::Message() << year << "-" << month);
            // The independent calendar: the distance to the next month.
            std::int64_t next = month == 12
                                    ? daysFromCivil(year + 1, 1, 1)
                                    : daysFromCivil(year, static_cast<unsigned>(month) + 1, 1);
            std::int64_t days = next - daysFromCivil(year, static_cast<unsigned>(month), 1);
            EXPECT_EQ(daysInMonth(year, month), days);
            EXPECT_EQ(daysInMonth(year, month),
                      common[month - 1] + (month == 2 && Date::isLeapYear(year) ? 1 : 0));
        }
    }
}

//===-- The component constructor ----------------------------------------===//

struct ComponentRow {
    char const* name;
    unsigned year, month, day, hour, minute, second, millisecond;
};

TEST(DateComponentTest, TicksMatchTheCivilCalendar) {
    ComponentRow const rows[] = {
        {"epoch", 1970, 1, 1, 0, 0, 0, 0},
        {"first convertible instant", 1601, 1, 1, 0, 0, 0, 0},
        {"leap day of a century leap year", 2000, 2, 29, 0, 0, 0, 0},
        {"end of a leap day", 2008, 2, 29, 23, 59, 59, 0},
        {"last millisecond before the epoch", 1969, 12, 31, 23, 59, 59, 999},
        {"last representable instant", 9999, 12, 31, 23, 59, 59, 999},
        {"32-bit time_t overflow", 2038, 1, 19, 3, 14, 8, 0},
        {"Gregorian reform era", 1752, 9, 14, 12, 0, 0, 500},
        {"end of a century common year", 1900, 12, 31, 23, 0, 0, 1},
    };
    for (ComponentRow const& r : rows) {
        SCOPED_TRACE(r.name);
        Date date(r.year, r.month, r.day, r.hour, r.minute, r.second, r.millisecond);
        EXPECT_EQ(date.time(),
                  civilTicks(r.year, r.month, r.day, r.hour, r.minute, r.second, r.millisecond));
        expectCalendar(date);
    }
    EXPECT_EQ(Date(1970, 1, 1, 0, 0, 0, 0).time(), 0);
    EXPECT_EQ(Date(1601, 1, 1, 0, 0, 0, 0).time(), -11644473600000000LL);
}

// Every component outside what a Date can represent throws the same
// exception, whether or not the system would convert it: the system accepts
// 29 February 2001, and rejects years before 1601 and 1000 milliseconds.
TEST(DateComponentTest, UnrepresentableComponentsThrow) {
    ComponentRow const rows[] = {
        {"30 February", 2008, 2, 30, 0, 0, 0, 0},
        {"29 February of a common century", 2100, 2, 29, 0, 0, 0, 0},
        {"29 February of a common year", 2001, 2, 29, 0, 0, 0, 0},
        {"31 April", 2008, 4, 31, 0, 0, 0, 0},
        {"32 January", 2008, 1, 32, 0, 0, 0, 0},
        {"day 0", 2008, 1, 0, 0, 0, 0, 0},
        {"month 0", 2008, 0, 1, 0, 0, 0, 0},
        {"month 13", 2008, 13, 1, 0, 0, 0, 0},
        {"year 0", 0, 1, 1, 0, 0, 0, 0},
        {"year 10000", 10000, 1, 1, 0, 0, 0, 0},
        {"year before 1601", 1600, 12, 31, 23, 59, 59, 999},
        {"year 1", 1, 1, 1, 0, 0, 0, 0},
        {"hour 24", 2008, 1, 1, 24, 0, 0, 0},
        {"minute 60", 2008, 1, 1, 0, 60, 0, 0},
        {"second 60", 2008, 1, 1, 0, 0, 60, 0},
        {"millisecond 1000", 2008, 1, 1, 0, 0, 0, 1000},
        {"huge millisecond", 2008, 1, 1, 0, 0, 0, 0x10000},
        {"huge year", 0x10000 + 2008, 1, 1, 0, 0, 0, 0},
    };
    for (ComponentRow const& r : rows) {
        SCOPED_TRACE(r.name);
        try {
            Date date(r.year, r.month, r.day, r.hour, r.minute, r.second, r.millisecond);
            ADD_FAILURE() << "accepted, ticks " << date.time();
        } catch (OutOfRangeException const& e) {
            EXPECT_EQ(text(e.getMessage()), L"Parameters describes an unrepresentable Date.");
            EXPECT_EQ(e.getErrorId(), 0);
        }
    }
}

//===-- Calendar getters -------------------------------------------------===//

struct DayRow {
    char const* name;
    unsigned year, month, day;
    unsigned dayOfYear;
    Weekday dayOfWeek;
};

TEST(DateGetterTest, DayOfYearAndWeekday) {
    DayRow const rows[] = {
        {"leap day", 2008, 2, 29, 60, cpp::global::Friday},
        {"after a leap day", 2008, 3, 1, 61, cpp::global::Saturday},
        {"1 March of a common year", 2007, 3, 1, 60, cpp::global::Thursday},
        {"last day of a leap year", 2008, 12, 31, 366, cpp::global::Wednesday},
        {"last day of a common year", 2007, 12, 31, 365, cpp::global::Monday},
        {"epoch", 1970, 1, 1, 1, cpp::global::Thursday},
        {"first convertible day", 1601, 1, 1, 1, cpp::global::Monday},
        {"common century", 1900, 3, 1, 60, cpp::global::Thursday},
    };
    for (DayRow const& r : rows) {
        SCOPED_TRACE(r.name);
        Date date(r.year, r.month, r.day, 12, 0, 0, 0);
        EXPECT_EQ(date.getDayOfYear(), r.dayOfYear);
        EXPECT_EQ(date.getDayOfWeek(), r.dayOfWeek);
    }
}

// The getters over the whole range from 1601 to the year 9999 in uneven
// steps, and densely around a leap day, against the independent calendar;
// each instant also goes back through the component constructor.
TEST(DateGetterTest, SweepAgainstTheCivilCalendar) {
    std::int64_t const last = civilTicks(9999, 12, 31, 23, 59, 59, 999) + 999;
    std::int64_t const wideStep = 7919 * US_PER_DAY + 11831123457LL;
    std::int64_t const denseFrom = civilTicks(1999, 12, 1, 0, 0, 0, 0);
    std::int64_t const denseTo = civilTicks(2000, 4, 1, 0, 0, 0, 0);
    std::int64_t const denseStep = 13 * 3600000000LL + 7 * 60000000LL + 3000001LL;
    auto check = [](std::int64_t ticks) {
        SCOPED_TRACE(testing::Message() << "ticks " << ticks);
        Date date(ticks);
        expectCalendar(date);
        Civil c = civilFromTicks(ticks);
        Date rebuilt(static_cast<unsigned>(c.year), c.month, c.day, c.hour, c.minute, c.second,
                     c.millisecond);
        EXPECT_EQ(rebuilt.time(), floorDiv(ticks, 1000) * 1000);
        EXPECT_EQ(date.timeOfDay(), ticks % Date::ticksPerDay);
    };
    for (std::int64_t t = EPOCH_1601; t <= last; t += wideStep)
        check(t);
    for (std::int64_t t = denseFrom; t <= denseTo; t += denseStep)
        check(t);
    check(last);
}

TEST(DateGetterTest, TimeOfDayIsASignedRemainder) {
    EXPECT_EQ(Date(-1).timeOfDay(), -1);
    EXPECT_EQ(Date(0).timeOfDay(), 0);
    EXPECT_EQ(Date(Date::ticksPerDay + 5).timeOfDay(), 5);
    EXPECT_EQ(Date(-Date::ticksPerDay - 5).timeOfDay(), -5);
    EXPECT_EQ(Date(2008, 2, 29, 23, 59, 59, 0).timeOfDay(), 86399 * Date::ticksPerSecond);
}

// Instants the system cannot convert give 0 from every getter; the first and
// last convertible instants are converted.
TEST(DateGetterTest, UnconvertibleInstantsGiveZero) {
    std::int64_t const lastConvertible = INT64_MAX / 10 + EPOCH_1601;
    struct Row {
        char const* name;
        std::int64_t ticks;
    } const rows[] = {
        {"one microsecond before 1601", EPOCH_1601 - 1},
        {"a year before 1601", EPOCH_1601 - 365 * US_PER_DAY},
        {"smallest ticks", INT64_MIN},
        {"past the FILETIME range", lastConvertible + 1},
        {"largest ticks", INT64_MAX},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        expectAllGettersZero(Date(row.ticks));
    }
    {
        SCOPED_TRACE("first convertible instant");
        expectCalendar(Date(EPOCH_1601));
    }
    {
        SCOPED_TRACE("last convertible instant");
        Date last(lastConvertible);
        expectCalendar(last);
        EXPECT_EQ(last.getYear(), 30828);
    }
}

//===-- FILETIME and SYSTEMTIME ------------------------------------------===//

FILETIME fileTime(std::uint64_t value) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return ft;
}

std::uint64_t value(FILETIME const& ft) {
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

TEST(DateFileTimeTest, FileTimeToTicks) {
    struct Row {
        char const* name;
        std::uint64_t fileTime;
        std::int64_t ticks;
    } const rows[] = {
        {"1601", 0, EPOCH_1601},
        {"epoch", 116444736000000000ULL, 0},
        {"sub-microsecond part dropped", 116444736000000019ULL, 1},
        {"just below the epoch", 116444735999999999ULL, -1},
        {"high word only", 1ULL << 32, 429496729LL + EPOCH_1601},
        {"negative FILETIME truncates toward zero", 0xFFFFFFFFFFFFFFF1ULL, -1 + EPOCH_1601},
        {"2001-09-09 01:46:40", 126444736000000000ULL, 1000000000000000LL},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        FILETIME ft = fileTime(row.fileTime);
        __int64 ticks = 12345;
        fileTimeToTime(&ticks, &ft);
        EXPECT_EQ(ticks, row.ticks);
        EXPECT_EQ(Date(ft).time(), row.ticks);
    }
}

TEST(DateFileTimeTest, TicksToFileTimeAndBack) {
    std::int64_t const rows[] = {
        EPOCH_1601, -1, 0, 1, 1000000000000000LL, civilTicks(9999, 12, 31, 23, 59, 59, 999) + 999};
    for (std::int64_t ticks : rows) {
        SCOPED_TRACE(ticks);
        __int64 in = ticks;
        FILETIME ft;
        timeToFileTime(&ft, &in);
        EXPECT_EQ(value(ft), static_cast<std::uint64_t>(ticks - EPOCH_1601) * 10u);
        __int64 back = 0;
        fileTimeToTime(&back, &ft);
        EXPECT_EQ(back, ticks);
    }
    // The system reads the FILETIME the same way.
    __int64 ticks = civilTicks(2008, 2, 29, 13, 14, 15, 16);
    FILETIME ft;
    timeToFileTime(&ft, &ticks);
    SYSTEMTIME st;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
    EXPECT_EQ(st.wYear, 2008);
    EXPECT_EQ(st.wMonth, 2);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wMinute, 14);
    EXPECT_EQ(st.wSecond, 15);
    EXPECT_EQ(st.wMilliseconds, 16);
}

SYSTEMTIME systemTime(unsigned y, unsigned mo, unsigned d, unsigned h, unsigned mi, unsigned s,
                      unsigned ms, unsigned dayOfWeek = 0) {
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDayOfWeek = static_cast<WORD>(dayOfWeek);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    st.wMilliseconds = static_cast<WORD>(ms);
    return st;
}

TEST(DateSystemTimeTest, ValidValuesMatchTheCivilCalendar) {
    struct Row {
        char const* name;
        SYSTEMTIME st;
    } const rows[] = {
        {"with milliseconds", systemTime(2008, 2, 29, 23, 59, 59, 999)},
        {"weekday ignored", systemTime(2008, 2, 29, 1, 2, 3, 4, 0)},
        {"1601", systemTime(1601, 1, 1, 0, 0, 0, 0)},
        {"last year of the system", systemTime(30827, 12, 31, 23, 59, 59, 999)},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        Date date(row.st);
        EXPECT_EQ(date.time(), civilTicks(row.st.wYear, row.st.wMonth, row.st.wDay, row.st.wHour,
                                          row.st.wMinute, row.st.wSecond, row.st.wMilliseconds));
    }
    // A SYSTEMTIME round trip through FILETIME.
    SYSTEMTIME st = systemTime(1999, 12, 31, 23, 59, 58, 123);
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    EXPECT_EQ(Date(st).time(), Date(ft).time());
}

// A value the system rejects (or, like 29 February 2001, should reject)
// throws ArgumentException with the system's text for an invalid parameter.
TEST(DateSystemTimeTest, RejectedValuesThrow) {
    struct Row {
        char const* name;
        SYSTEMTIME st;
    } const rows[] = {
        {"millisecond 1000", systemTime(2008, 1, 1, 0, 0, 0, 1000)},
        {"hour 24", systemTime(2008, 1, 1, 24, 0, 0, 0)},
        {"minute 60", systemTime(2008, 1, 1, 0, 60, 0, 0)},
        {"second 60", systemTime(2008, 1, 1, 0, 0, 60, 0)},
        {"29 February of a common year", systemTime(2001, 2, 29, 0, 0, 0, 0)},
        {"31 June", systemTime(2008, 6, 31, 0, 0, 0, 0)},
        {"day 0", systemTime(2008, 6, 0, 0, 0, 0, 0)},
        {"month 13", systemTime(2008, 13, 1, 0, 0, 0, 0)},
        {"month 0", systemTime(2008, 0, 1, 0, 0, 0, 0)},
        {"year 1600", systemTime(1600, 12, 31, 0, 0, 0, 0)},
        {"year 30828", systemTime(30828, 1, 1, 0, 0, 0, 0)},
    };
    std::wstring const invalidParameter =
        text(cpp::lang::SystemErrorHandler::getInstance()->toString(ERROR_INVALID_PARAMETER));
    ASSERT_FALSE(invalidParameter.empty());
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            Date date(row.st);
            ADD_FAILURE() << "accepted, ticks " << date.time();
        } catch (ArgumentException const& e) {
            EXPECT_EQ(text(e.getArgumentName()), L"stime");
            EXPECT_EQ(text(e.getMessage()), L"Argument stime: " + invalidParameter);
        }
    }
}

//===-- Now --------------------------------------------------------------===//

std::int64_t systemNow() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return static_cast<std::int64_t>(value(ft) / 10) + EPOCH_1601;
}

TEST(DateNowTest, BetweenTwoReadingsOfTheSystemClock) {
    std::int64_t before = floorDiv(systemNow(), 1000) * 1000;
    Date now;
    __int64 current = Date::getCurrentTime();
    std::int64_t after = systemNow();
    EXPECT_GE(now.time(), before);
    EXPECT_LE(now.time(), current);
    EXPECT_LE(current, after);
    // Whole milliseconds: the system's clock is read through SYSTEMTIME.
    EXPECT_EQ(now.time() % 1000, 0);
    EXPECT_EQ(current % 1000, 0);
}

//===-- Arithmetic -------------------------------------------------------===//

TEST(DateArithmeticTest, AddDaysAndHours) {
    struct Row {
        char const* name;
        int days;
        int hours;
        std::int64_t expected;
    } const rows[] = {
        {"over a leap day", 1, 0, civilTicks(2008, 3, 1, 23, 59, 59, 0)},
        {"back a year", -366, 0, civilTicks(2007, 2, 28, 23, 59, 59, 0)},
        {"hours into the next day", 0, 25, civilTicks(2008, 3, 2, 0, 59, 59, 0)},
        {"hours back", 0, -48, civilTicks(2008, 2, 27, 23, 59, 59, 0)},
        {"large day count", 100000, 0,
         civilTicks(2008, 2, 29, 23, 59, 59, 0) + 100000 * US_PER_DAY},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        Date date(2008, 2, 29, 23, 59, 59, 0);
        date.addDays(row.days);
        date.addHours(row.hours);
        EXPECT_EQ(date.time(), row.expected);
    }
}

TEST(DateArithmeticTest, SubtractAndAddGiveSpans) {
    Date a(2008, 3, 1, 0, 0, 0, 0);
    Date b(2008, 2, 1, 12, 0, 0, 0);
    TimeSpan span = a.subtract(b);
    EXPECT_EQ(span.getTicks(), 28 * Date::ticksPerDay + 12 * Date::ticksPerHour);
    EXPECT_EQ(span.getDays(), 28);
    TimeSpan back = b.subtract(a);
    EXPECT_EQ(back.getTicks(), -span.getTicks());
    EXPECT_EQ(back.getDays(), -28);
    EXPECT_EQ(a.add(b).getTicks(), a.time() + b.time());
    EXPECT_EQ(Date(5).add(Date(-7)).getTicks(), -2);
}

TEST(DateArithmeticTest, TimeReplacesTheTicks) {
    Date date(0);
    date.time(123456789);
    EXPECT_EQ(date.time(), 123456789);
    Date copy = date;
    copy.addHours(1);
    EXPECT_EQ(date.time(), 123456789);
    EXPECT_EQ(copy.time(), 123456789 + Date::ticksPerHour);
}

} // namespace
