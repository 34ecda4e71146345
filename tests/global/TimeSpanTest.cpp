// TimeSpan: whole days of a signed microsecond count, truncated toward zero.
#include "wux/global/TimeSpan.h"
#include "wux/global/Date.h"

#include <gtest/gtest.h>

namespace {

using cpp::global::Date;
using cpp::global::TimeSpan;

TEST(TimeSpanTest, DaysTruncateTowardZero) {
    struct Row {
        char const* name;
        __int64 ticks;
        int days;
    } const rows[] = {
        {"zero", 0, 0},
        {"one tick back", -1, 0},
        {"just under three days", Date::ticksPerDay * 3 - 1, 2},
        {"three days", Date::ticksPerDay * 3, 3},
        {"one day back", -Date::ticksPerDay, -1},
        {"just under three days back", -Date::ticksPerDay * 3 + 1, -2},
        {"a million days", Date::ticksPerDay * 1000000 + 7, 1000000},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        TimeSpan span(row.ticks);
        EXPECT_EQ(span.getDays(), row.days);
        EXPECT_EQ(span.getTicks(), row.ticks);
    }
}

TEST(TimeSpanTest, CopiesAreIndependentValues) {
    TimeSpan a(Date::ticksPerDay * 2);
    TimeSpan b(a);
    TimeSpan c(5);
    c = a;
    a = TimeSpan(-Date::ticksPerDay);
    EXPECT_EQ(b.getDays(), 2);
    EXPECT_EQ(c.getTicks(), Date::ticksPerDay * 2);
    EXPECT_EQ(a.getDays(), -1);
}

} // namespace
