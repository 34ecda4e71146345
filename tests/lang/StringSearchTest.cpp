// Reading a String: the six searches in every pattern form, findAny and
// findLastOfAny, freq, startsWith, compare and compareIgnoreCase, the pieces
// (subString to afterLast, trim) and the allocator each one lands on, case
// mapping, split and the concatenation operators.
//
// Single-unit searches and the scan for the first differing unit (used by
// compare, startsWith and the substring searches) run eight units per step
// on x86-64. The sweeps below put matches and differences at every index of
// strings up to 40 units long, use units that differ only in their high byte,
// and leave stale units behind the terminator, so that the block loop, the
// tail loop and the seams between them must all give exact results.
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/OutOfRangeException.h"
#include "wux/lang/String.h"

#include "StringTestSupport.h"
#include "TestAllocator.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cwctype>
#include <string>
#include <vector>

namespace {

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::IAllocator;
using cpp::lang::OutOfRangeException;
using cpp::lang::String;
using wuxtest::TestAllocator;

unsigned int const NPOS = String::NO_POSITION;

using wuxtest::text;
using wuxtest::u;

unsigned short const* u(std::u16string const& t) {
    return reinterpret_cast<unsigned short const*>(t.c_str());
}

unsigned short unit(unsigned int v) {
    return static_cast<unsigned short>(v);
}

String make(std::u16string const& t, IAllocator* a = nullptr) {
    return String(u(t), static_cast<unsigned int>(t.size()), a);
}

// The units of an ASCII wide literal as narrow bytes.
std::string narrow(wchar_t const* p) {
    std::string out;
    for (; *p != 0; ++p)
        out.push_back(static_cast<char>(*p));
    return out;
}

unsigned int lengthOf(wchar_t const* p) {
    return static_cast<unsigned int>(std::wcslen(p));
}

// Runs \p op and checks that it throws OutOfRangeException with \p message.
template <class Op>
::testing::AssertionResult throwsOutOfRange(Op op, std::u16string const& message) {
    try {
        op();
    } catch (OutOfRangeException const& e) {
        if (text(e.getMessage()) != message)
            return ::testing::AssertionFailure()
                   << "message " << ::testing::PrintToString(text(e.getMessage()));
        return ::testing::AssertionSuccess();
    } catch (Exception const& e) {
        return ::testing::AssertionFailure()
               << "threw another exception: " << ::testing::PrintToString(text(e.getMessage()));
    }
    return ::testing::AssertionFailure() << "nothing was thrown";
}

using wuxtest::throwsArgument;

//===-- The six searches --------------------------------------------------===//

enum class Search { Find, RFind, FirstOf, LastOf, FirstNotOf, LastNotOf };

// Calls the search \p op with whichever pattern form the arguments select.
template <class... Args> unsigned int search(Search op, String const& s, Args const&... args) {
    switch (op) {
    case Search::Find:
        return s.find(args...);
    case Search::RFind:
        return s.rfind(args...);
    case Search::FirstOf:
        return s.findFirstOf(args...);
    case Search::LastOf:
        return s.findLastOf(args...);
    case Search::FirstNotOf:
        return s.findFirstNotOf(args...);
    case Search::LastNotOf:
        return s.findLastNotOf(args...);
    }
    return 0xBADu;
}

// What std::u16string answers for the same question; its rules for empty
// patterns, start positions past the end and overlong patterns are the ones
// String follows.
unsigned int standardSearch(Search op, std::u16string const& s, std::u16string const& p,
                            unsigned int pos, unsigned int n) {
    std::size_t at = static_cast<std::size_t>(pos);
    std::size_t r = 0;
    switch (op) {
    case Search::Find:
        r = s.find(p.data(), at, n);
        break;
    case Search::RFind:
        r = s.rfind(p.data(), at, n);
        break;
    case Search::FirstOf:
        r = s.find_first_of(p.data(), at, n);
        break;
    case Search::LastOf:
        r = s.find_last_of(p.data(), at, n);
        break;
    case Search::FirstNotOf:
        r = s.find_first_not_of(p.data(), at, n);
        break;
    case Search::LastNotOf:
        r = s.find_last_not_of(p.data(), at, n);
        break;
    }
    return r == std::u16string::npos ? NPOS : static_cast<unsigned int>(r);
}

char const* nameOf(Search op) {
    switch (op) {
    case Search::Find:
        return "find";
    case Search::RFind:
        return "rfind";
    case Search::FirstOf:
        return "findFirstOf";
    case Search::LastOf:
        return "findLastOf";
    case Search::FirstNotOf:
        return "findFirstNotOf";
    case Search::LastNotOf:
        return "findLastNotOf";
    }
    return "?";
}

Search const allSearches[] = {Search::Find,   Search::RFind,      Search::FirstOf,
                              Search::LastOf, Search::FirstNotOf, Search::LastNotOf};

struct SearchCase {
    char const* name;
    Search op;
    wchar_t const* subject;
    wchar_t const* pattern; // only its first n units are the pattern
    unsigned int pos;
    unsigned int n;
    unsigned int expected;
};

SearchCase const searchCases[] = {
    // find
    {"find: n = 0 at the start", Search::Find, L"abcab", L"", 0, 0, 0},
    {"find: n = 0 inside", Search::Find, L"abcab", L"", 2, 0, 2},
    {"find: n = 0 at pos = L", Search::Find, L"abcab", L"", 5, 0, 5},
    {"find: n = 0 past the end", Search::Find, L"abcab", L"", 6, 0, NPOS},
    {"find: n = 0 from NO_POSITION", Search::Find, L"abcab", L"", NPOS, 0, NPOS},
    {"find: n = 0 in an empty string", Search::Find, L"", L"", 0, 0, 0},
    {"find: empty pattern from 3 in 3 units", Search::Find, L"abc", L"", 3, 0, 3},
    {"find: empty pattern from 3 in 2 units", Search::Find, L"ab", L"", 3, 0, NPOS},
    {"find: first occurrence", Search::Find, L"abcab", L"ab", 0, 2, 0},
    {"find: the start skips an earlier occurrence", Search::Find, L"abcab", L"ab", 1, 2, 3},
    {"find: occurrence at the start position", Search::Find, L"abcab", L"ab", 3, 2, 3},
    {"find: occurrence ending at the last unit", Search::Find, L"abcab", L"cab", 0, 3, 2},
    {"find: the whole string", Search::Find, L"abcab", L"abcab", 0, 5, 0},
    {"find: retries after a partial match", Search::Find, L"aabab", L"ab", 0, 2, 1},
    {"find: n > L - pos", Search::Find, L"abcab", L"abc", 3, 3, NPOS},
    {"find: pattern longer than the string", Search::Find, L"abcab", L"abcabc", 0, 6, NPOS},
    {"find: pos = L", Search::Find, L"abcab", L"b", 5, 1, NPOS},
    {"find: pos past the end", Search::Find, L"abcab", L"b", 9, 1, NPOS},
    {"find: pos = NO_POSITION", Search::Find, L"abcab", L"b", NPOS, 1, NPOS},
    {"find: only the first n units are the pattern", Search::Find, L"abcab", L"caX", 0, 2, 2},
    {"find: absent", Search::Find, L"abcab", L"ac", 0, 2, NPOS},
    {"find: in an empty string", Search::Find, L"", L"a", 0, 1, NPOS},

    // rfind
    {"rfind: n = 0 from NO_POSITION gives L", Search::RFind, L"abcab", L"", NPOS, 0, 5},
    {"rfind: n = 0 inside", Search::RFind, L"abcab", L"", 2, 0, 2},
    {"rfind: n = 0 past the end gives L", Search::RFind, L"abcab", L"", 7, 0, 5},
    {"rfind: n = 0 in an empty string", Search::RFind, L"", L"", NPOS, 0, 0},
    {"rfind: last occurrence", Search::RFind, L"abcab", L"ab", NPOS, 2, 3},
    {"rfind: start before the last occurrence", Search::RFind, L"abcab", L"ab", 2, 2, 0},
    {"rfind: occurrence at the start position", Search::RFind, L"abcab", L"ab", 3, 2, 3},
    {"rfind: start clipped to L - n", Search::RFind, L"abcab", L"ab", 4, 2, 3},
    {"rfind: occurrence at 0 from 0", Search::RFind, L"abcab", L"ab", 0, 2, 0},
    {"rfind: occurrence only after the start", Search::RFind, L"abcab", L"cab", 1, 3, NPOS},
    {"rfind: the whole string", Search::RFind, L"abcab", L"abcab", NPOS, 5, 0},
    {"rfind: retries after a partial match", Search::RFind, L"abaa", L"ab", NPOS, 2, 0},
    {"rfind: n > L", Search::RFind, L"abcab", L"abcabc", NPOS, 6, NPOS},
    {"rfind: only the first n units are the pattern", Search::RFind, L"abcab", L"bX", NPOS, 1, 4},
    {"rfind: absent", Search::RFind, L"abcab", L"ba", NPOS, 2, NPOS},
    {"rfind: in an empty string", Search::RFind, L"", L"a", NPOS, 1, NPOS},

    // findFirstOf
    {"findFirstOf: n = 0", Search::FirstOf, L"abcab", L"", 0, 0, NPOS},
    {"findFirstOf: pos = L", Search::FirstOf, L"abcab", L"a", 5, 1, NPOS},
    {"findFirstOf: pos = NO_POSITION", Search::FirstOf, L"abcab", L"ab", NPOS, 2, NPOS},
    {"findFirstOf: first unit of the set", Search::FirstOf, L"abcab", L"cb", 0, 2, 1},
    {"findFirstOf: from a position", Search::FirstOf, L"abcab", L"cb", 2, 2, 2},
    {"findFirstOf: at the last unit", Search::FirstOf, L"abcab", L"b", 4, 1, 4},
    {"findFirstOf: a set longer than the rest", Search::FirstOf, L"abcab", L"xyzwb", 4, 5, 4},
    {"findFirstOf: none of the set", Search::FirstOf, L"abcab", L"xyz", 0, 3, NPOS},
    {"findFirstOf: only the first n units are the set", Search::FirstOf, L"abcab", L"xb", 0, 1,
     NPOS},
    {"findFirstOf: in an empty string", Search::FirstOf, L"", L"a", 0, 1, NPOS},

    // findLastOf
    {"findLastOf: n = 0", Search::LastOf, L"abcab", L"", NPOS, 0, NPOS},
    {"findLastOf: L = 0", Search::LastOf, L"", L"a", NPOS, 1, NPOS},
    {"findLastOf: last unit of the set", Search::LastOf, L"abcab", L"a", NPOS, 1, 3},
    {"findLastOf: from a position", Search::LastOf, L"abcab", L"ac", 2, 2, 2},
    {"findLastOf: from a position before the set", Search::LastOf, L"abcab", L"ca", 1, 2, 0},
    {"findLastOf: pos clipped to L - 1", Search::LastOf, L"abcab", L"b", 100, 1, 4},
    {"findLastOf: at 0 from 0", Search::LastOf, L"abcab", L"a", 0, 1, 0},
    {"findLastOf: nothing at or before pos", Search::LastOf, L"abcab", L"b", 0, 1, NPOS},
    {"findLastOf: none of the set", Search::LastOf, L"abcab", L"xyz", NPOS, 3, NPOS},
    {"findLastOf: only the first n units are the set", Search::LastOf, L"abcab", L"xa", NPOS, 1,
     NPOS},

    // findFirstNotOf
    {"findFirstNotOf: pos = L", Search::FirstNotOf, L"aabca", L"x", 5, 1, NPOS},
    {"findFirstNotOf: pos = L with n = 0", Search::FirstNotOf, L"aabca", L"", 5, 0, NPOS},
    {"findFirstNotOf: pos = NO_POSITION", Search::FirstNotOf, L"aabca", L"", NPOS, 0, NPOS},
    {"findFirstNotOf: n = 0 gives pos", Search::FirstNotOf, L"aabca", L"", 2, 0, 2},
    {"findFirstNotOf: n = 0 in an empty string", Search::FirstNotOf, L"", L"", 0, 0, NPOS},
    {"findFirstNotOf: one unit", Search::FirstNotOf, L"aabca", L"a", 0, 1, 2},
    {"findFirstNotOf: two units", Search::FirstNotOf, L"aabca", L"ab", 0, 2, 3},
    {"findFirstNotOf: every unit in the set", Search::FirstNotOf, L"aabca", L"abc", 0, 3, NPOS},
    {"findFirstNotOf: from a position", Search::FirstNotOf, L"aabca", L"a", 3, 1, 3},
    {"findFirstNotOf: the rest all in the set", Search::FirstNotOf, L"aabca", L"ab", 4, 2, NPOS},
    {"findFirstNotOf: only the first n units are the set", Search::FirstNotOf, L"aabca", L"ab", 0,
     1, 2},

    // findLastNotOf
    {"findLastNotOf: L = 0", Search::LastNotOf, L"", L"a", NPOS, 1, NPOS},
    {"findLastNotOf: L = 0 with n = 0", Search::LastNotOf, L"", L"", NPOS, 0, NPOS},
    {"findLastNotOf: n = 0 from NO_POSITION gives L - 1", Search::LastNotOf, L"aabca", L"", NPOS, 0,
     4},
    {"findLastNotOf: n = 0 gives the start", Search::LastNotOf, L"aabca", L"", 2, 0, 2},
    {"findLastNotOf: n = 0 past the end gives L - 1", Search::LastNotOf, L"aabca", L"", 100, 0, 4},
    {"findLastNotOf: one unit", Search::LastNotOf, L"aabca", L"a", NPOS, 1, 3},
    {"findLastNotOf: two units", Search::LastNotOf, L"aabca", L"ac", NPOS, 2, 2},
    {"findLastNotOf: every unit in the set", Search::LastNotOf, L"aabca", L"abc", NPOS, 3, NPOS},
    {"findLastNotOf: nothing at or before pos", Search::LastNotOf, L"aabca", L"a", 1, 1, NPOS},
    {"findLastNotOf: from a position", Search::LastNotOf, L"aabca", L"c", 3, 1, 2},
    {"findLastNotOf: only the first n units are the set", Search::LastNotOf, L"aabca", L"ab", NPOS,
     1, 3},
};

TEST(StringSearch, CountedWideFormFollowsItsRules) {
    for (SearchCase const& c : searchCases) {
        SCOPED_TRACE(c.name);
        String s(c.subject);
        EXPECT_EQ(search(c.op, s, u(c.pattern), c.pos, c.n), c.expected);
    }
}

// The String, terminated wide and single-unit forms give what the counted
// wide form gives; the narrow forms too, except that a narrow pattern of 0
// bytes finds nothing.
TEST(StringSearch, EveryPatternFormAgreesWithTheCountedForm) {
    for (SearchCase const& c : searchCases) {
        SCOPED_TRACE(c.name);
        String s(c.subject);
        bool whole = lengthOf(c.pattern) == c.n; // the terminated text is the pattern
        std::string bytes = narrow(c.pattern);
        unsigned int narrowExpected = c.n == 0 ? NPOS : c.expected;

        EXPECT_EQ(search(c.op, s, String(u(c.pattern), c.n), c.pos), c.expected) << "String";
        EXPECT_EQ(search(c.op, s, bytes.c_str(), c.pos, c.n), narrowExpected) << "narrow, counted";
        if (whole) {
            EXPECT_EQ(search(c.op, s, u(c.pattern), c.pos), c.expected) << "terminated wide";
            EXPECT_EQ(search(c.op, s, bytes.c_str(), c.pos), narrowExpected) << "terminated narrow";
        }
        if (c.n == 1) {
            EXPECT_EQ(search(c.op, s, unit(c.pattern[0]), c.pos), c.expected) << "single unit";
        }
    }
}

TEST(StringSearch, EmptyNarrowPatternFindsNothingWhereTheWideOneMatches) {
    String s(L"abc");
    EXPECT_EQ(s.find(u(L""), 3), 3u);
    EXPECT_EQ(s.find("", 3), NPOS);
    EXPECT_EQ(s.find("", 0), NPOS);
    EXPECT_EQ(s.rfind(u(L"")), 3u);
    EXPECT_EQ(s.rfind(""), NPOS);
    EXPECT_EQ(s.findFirstNotOf(u(L""), 1), 1u);
    EXPECT_EQ(s.findFirstNotOf("", 1), NPOS);
    EXPECT_EQ(s.findLastNotOf(u(L"")), 2u);
    EXPECT_EQ(s.findLastNotOf(""), NPOS);
    EXPECT_EQ(s.find(String()), 0u);
    EXPECT_EQ(s.rfind(String()), 3u);
}

TEST(StringSearch, DefaultStartsAreTheFrontAndTheBack) {
    String s(L"abcab");
    EXPECT_EQ(s.find(String(L"ab")), 0u);
    EXPECT_EQ(s.find(u(L"b")), 1u);
    EXPECT_EQ(s.find("ca"), 2u);
    EXPECT_EQ(s.find(unit('b')), 1u);
    EXPECT_EQ(s.rfind(String(L"ab")), 3u);
    EXPECT_EQ(s.rfind(u(L"a")), 3u);
    EXPECT_EQ(s.rfind("bc"), 1u);
    EXPECT_EQ(s.rfind(unit('b')), 4u);
    EXPECT_EQ(s.findFirstOf(String(L"cb")), 1u);
    EXPECT_EQ(s.findFirstOf("c"), 2u);
    EXPECT_EQ(s.findFirstOf(unit('c')), 2u);
    EXPECT_EQ(s.findLastOf(String(L"ca")), 3u);
    EXPECT_EQ(s.findLastOf(u(L"c")), 2u);
    EXPECT_EQ(s.findLastOf(unit('a')), 3u);
    EXPECT_EQ(s.findFirstNotOf(String(L"a")), 1u);
    EXPECT_EQ(s.findFirstNotOf(u(L"ab")), 2u);
    EXPECT_EQ(s.findFirstNotOf(unit('a')), 1u);
    EXPECT_EQ(s.findLastNotOf(String(L"b")), 3u);
    EXPECT_EQ(s.findLastNotOf("ab"), 2u);
    EXPECT_EQ(s.findLastNotOf(unit('b')), 3u);
}

TEST(StringSearch, NarrowPatternsConvertThroughTheAnsiCodePage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
    // 0x80 is the euro sign in code page 1252, not the unit 0x0080.
    String s(L"caf\u00E9 \u20AC5 \x0080");
    EXPECT_EQ(s.find("\xE9"), 3u);
    EXPECT_EQ(s.find("\x80"), 5u);
    EXPECT_EQ(s.find("\x80", 0, 1), 5u);
    EXPECT_EQ(s.rfind("\xE9 \x80"), 3u);
    EXPECT_EQ(s.findFirstOf("\x80\xE9"), 3u);
    EXPECT_EQ(s.findLastOf("\x80\xE9"), 5u);
    EXPECT_EQ(s.findFirstNotOf("caf\xE9 "), 5u);
    EXPECT_EQ(s.findLastNotOf("\x80 5", NPOS, 3), 8u);
}

// Every operation on random strings over units that share a byte with each
// other (0x0041, 0x0141, 0x4100, 0x8041), every start position around the
// length and every pattern of up to two units, plus three-unit pieces of the
// subject, checked against std::u16string.
TEST(StringSearchBlocks, AllSearchesAgreeWithTheStandardString) {
    char16_t const alphabet[] = {0x0041, 0x0141, 0x4100, 0x8041};
    std::vector<std::u16string> shortPatterns = {u""};
    for (char16_t a : alphabet) {
        shortPatterns.push_back(std::u16string(1, a));
        for (char16_t b : alphabet)
            shortPatterns.push_back(std::u16string{a, b});
    }
    unsigned int seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFFu;
    };
    int failures = 0;
    for (unsigned int len = 0; len <= 35; ++len) {
        for (int round = 0; round < 3; ++round) {
            std::u16string subject;
            for (unsigned int i = 0; i < len; ++i)
                subject.push_back(alphabet[next() % 4]);
            std::vector<std::u16string> patterns = shortPatterns;
            for (unsigned int at = 0; at + 3 <= len; at += 5)
                patterns.push_back(subject.substr(at, 3));
            String s = make(subject);
            std::vector<unsigned int> positions;
            for (unsigned int pos = 0; pos <= len + 1; ++pos)
                positions.push_back(pos);
            positions.push_back(NPOS);
            for (std::u16string const& p : patterns) {
                unsigned int n = static_cast<unsigned int>(p.size());
                for (unsigned int pos : positions) {
                    for (Search op : allSearches) {
                        unsigned int expected = standardSearch(op, subject, p, pos, n);
                        unsigned int got = search(op, s, u(p), pos, n);
                        if (got != expected && ++failures <= 10)
                            ADD_FAILURE() << nameOf(op) << " on " << len << " units "
                                          << ::testing::PrintToString(subject) << ", pattern "
                                          << ::testing::PrintToString(p) << ", pos " << pos
                                          << ": got " << got << ", expected " << expected;
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

struct UnitPair {
    char const* name;
    unsigned short wanted;
    unsigned short filler;
};

// Pairs that an 8-bit compare would confuse, or that a signed compare would
// order differently.
UnitPair const unitPairs[] = {
    {"0x0041 among 0x0141", 0x0041, 0x0141}, {"0x0141 among 0x0041", 0x0141, 0x0041},
    {"0x0041 among 0x4141", 0x0041, 0x4141}, {"0x4100 among 0x0041", 0x4100, 0x0041},
    {"0x8000 among 0x0080", 0x8000, 0x0080}, {"0x0000 among 0x0100", 0x0000, 0x0100},
    {"0xFFFF among 0xFFFE", 0xFFFF, 0xFFFE},
};

// Lengths 1 to 40, the wanted unit at every index: block loop, tail loop and
// their seams all report the index, never a unit that matches in one byte.
TEST(StringSearchBlocks, SingleUnitAtEveryIndexOfEveryLength) {
    for (UnitPair const& pair : unitPairs) {
        SCOPED_TRACE(pair.name);
        for (unsigned int len = 1; len <= 40; ++len) {
            String none(pair.filler, len);
            EXPECT_EQ(none.find(pair.wanted), NPOS) << len;
            EXPECT_EQ(none.rfind(pair.wanted), NPOS) << len;
            EXPECT_EQ(none.findFirstOf(pair.wanted), NPOS) << len;
            EXPECT_EQ(none.findLastOf(pair.wanted), NPOS) << len;
            for (unsigned int m = 0; m < len; ++m) {
                String s(pair.filler, len);
                s[m] = pair.wanted;
                EXPECT_EQ(s.find(pair.wanted), m) << len << " units, at " << m;
                EXPECT_EQ(s.find(pair.wanted, m), m) << len << " units, at " << m;
                EXPECT_EQ(s.find(pair.wanted, m + 1), NPOS) << len << " units, at " << m;
                EXPECT_EQ(s.findFirstOf(pair.wanted), m) << len << " units, at " << m;
                EXPECT_EQ(s.rfind(pair.wanted), m) << len << " units, at " << m;
                EXPECT_EQ(s.rfind(pair.wanted, m), m) << len << " units, at " << m;
                EXPECT_EQ(s.findLastOf(pair.wanted, len - 1), m) << len << " units, at " << m;
                if (m > 0) {
                    EXPECT_EQ(s.rfind(pair.wanted, m - 1), NPOS) << len << " units, at " << m;
                }
                EXPECT_EQ(s.findFirstNotOf(pair.filler), m) << len << " units, at " << m;
                EXPECT_EQ(s.findLastNotOf(pair.filler), m) << len << " units, at " << m;
            }
        }
    }
}

// Two matches inside one 24-unit string, at every pair of indexes: forward
// searches report the first, backward ones the last.
TEST(StringSearchBlocks, FirstAndLastOfTwoMatches) {
    unsigned int const len = 24;
    for (unsigned int j = 0; j < len; ++j) {
        for (unsigned int k = j + 1; k < len; ++k) {
            String s(unit(0x0141), len);
            s[j] = 0x0041;
            s[k] = 0x0041;
            EXPECT_EQ(s.find(unit(0x0041)), j) << j << ", " << k;
            EXPECT_EQ(s.find(unit(0x0041), j + 1), k) << j << ", " << k;
            EXPECT_EQ(s.rfind(unit(0x0041)), k) << j << ", " << k;
            EXPECT_EQ(s.rfind(unit(0x0041), k - 1), j) << j << ", " << k;
        }
    }
}

// A shortened string keeps its old units behind the terminator; no search or
// comparison may see them, nor the terminator itself.
TEST(StringSearchBlocks, UnitsPastTheLengthAreNeverSeen) {
    for (unsigned int len : {5u, 8u, 16u, 20u}) {
        SCOPED_TRACE(len);
        String s(unit('b'), len);
        s.append(unit('a'), 35);
        s.remove(len);
        ASSERT_EQ(s.getLength(), len);
        EXPECT_EQ(s.find(unit('a')), NPOS);
        EXPECT_EQ(s.find(unit(0)), NPOS);
        EXPECT_EQ(s.rfind(unit('a')), NPOS);
        EXPECT_EQ(s.rfind(unit('a'), NPOS - 1), NPOS);
        EXPECT_EQ(s.findFirstOf(u(L"a")), NPOS);
        EXPECT_EQ(s.findLastOf(u(L"a")), NPOS);
        EXPECT_EQ(s.find(u(L"ba")), NPOS);
        EXPECT_EQ(s.rfind(u(L"ba")), NPOS);
        EXPECT_EQ(s.findFirstNotOf(unit('b')), NPOS);
        std::u16string longer(len, u'b');
        longer += u"aaa";
        EXPECT_EQ(s.compare(make(longer)), -1);
        EXPECT_FALSE(s.startsWith(make(longer)));
        EXPECT_EQ(s.compare(make(std::u16string(len, u'b'))), 0);
    }
}

// A pattern of 9 to 33 units whose one wrong unit sits at each index: the
// first copy in the subject is the damaged one, so find and rfind must see
// the difference wherever it lies in the scan.
TEST(StringSearchBlocks, LongPatternsDifferingAtEveryIndex) {
    for (unsigned int n = 9; n <= 33; ++n) {
        std::u16string pattern;
        for (unsigned int i = 0; i < n; ++i)
            pattern.push_back(static_cast<char16_t>(0x0040 + i % 26));
        for (unsigned int d = 1; d < n; ++d) {
            std::u16string damaged = pattern;
            damaged[d] = static_cast<char16_t>(damaged[d] | 0x0100);
            String s = make(damaged + pattern + damaged);
            EXPECT_EQ(s.find(make(pattern)), n) << n << " units, differing at " << d;
            EXPECT_EQ(s.rfind(make(pattern)), n) << n << " units, differing at " << d;
            EXPECT_FALSE(make(damaged).startsWith(make(pattern)))
                << n << " units, differing at " << d;
            EXPECT_TRUE(s.startsWith(make(damaged))) << n << " units, differing at " << d;
        }
    }
}

//===-- findAny and findLastOfAny -----------------------------------------===//

struct AnyCase {
    char const* name;
    wchar_t const* subject;
    unsigned int (*op)(String const& s, String const& set);
    wchar_t const* set;
    unsigned int expected;
};

AnyCase const anyCases[] = {
    {"findAny from 0", L"a,b;c",
     [](String const& s, String const& set) { return s.findAny(0, set); }, L",;", 1},
    {"findAny from a position", L"a,b;c",
     [](String const& s, String const& set) { return s.findAny(2, set); }, L",;", 3},
    {"findAny at the match", L"a,b;c",
     [](String const& s, String const& set) { return s.findAny(3, set); }, L",;", 3},
    {"findAny after the last match", L"a,b;c",
     [](String const& s, String const& set) { return s.findAny(4, set); }, L",;", NPOS},
    {"findAny from pos = L", L"a,b;c",
     [](String const& s, String const& set) { return s.findAny(5, set); }, L",;", NPOS},
    {"findAny with an empty set", L"a,b;c",
     [](String const& s, String const& set) { return s.findAny(0, set); }, L"", NPOS},
    {"findAny from 0 in an empty string", L"",
     [](String const& s, String const& set) { return s.findAny(0, set); }, L",", NPOS},
    {"findAny(set) starts at 0", L",b;c",
     [](String const& s, String const& set) { return s.findAny(set); }, L";,", 0},
    {"findLastOfAny from NO_POSITION", L"a,b;c",
     [](String const& s, String const& set) { return s.findLastOfAny(NPOS, set); }, L",;", NPOS},
    {"findLastOfAny from the last index", L"a,b;c",
     [](String const& s, String const& set) { return s.findLastOfAny(4, set); }, L",;", 3},
    {"findLastOfAny at the match", L"a,b;c",
     [](String const& s, String const& set) { return s.findLastOfAny(3, set); }, L",;", 3},
    {"findLastOfAny from a position", L"a,b;c",
     [](String const& s, String const& set) { return s.findLastOfAny(2, set); }, L",;", 1},
    {"findLastOfAny before the first match", L"a,b;c",
     [](String const& s, String const& set) { return s.findLastOfAny(0, set); }, L",;", NPOS},
    {"findLastOfAny with an empty set", L"a,b;c",
     [](String const& s, String const& set) { return s.findLastOfAny(4, set); }, L"", NPOS},
    {"findLastOfAny(set) starts at L - 1", L"a,b;c;",
     [](String const& s, String const& set) { return s.findLastOfAny(set); }, L",;", 5},
    {"findLastOfAny(set) finds index 0", L",abc",
     [](String const& s, String const& set) { return s.findLastOfAny(set); }, L",", 0},
    {"findLastOfAny(set) on an empty string", L"",
     [](String const& s, String const& set) { return s.findLastOfAny(set); }, L",", NPOS},
    {"findLastOfAny(NO_POSITION) on an empty string", L"",
     [](String const& s, String const& set) { return s.findLastOfAny(NPOS, set); }, L",", NPOS},
};

TEST(StringSearchAny, FindsTheFirstOrLastUnitOfTheSet) {
    for (AnyCase const& c : anyCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.op(String(c.subject), String(c.set)), c.expected);
    }
}

struct AnyFailureCase {
    char const* name;
    wchar_t const* subject;
    void (*op)(String const& s);
};

AnyFailureCase const anyFailureCases[] = {
    {"findAny from L + 1", L"a,b", [](String const& s) { s.findAny(4, String(L",")); }},
    {"findAny from NO_POSITION", L"a,b", [](String const& s) { s.findAny(NPOS, String(L",")); }},
    {"findAny from 1 in an empty string", L"", [](String const& s) { s.findAny(1, String(L",")); }},
    {"findLastOfAny from L", L"a,b", [](String const& s) { s.findLastOfAny(3, String(L",")); }},
    {"findLastOfAny from NO_POSITION - 1", L"a,b",
     [](String const& s) { s.findLastOfAny(NPOS - 1, String(L",")); }},
    {"findLastOfAny from 0 in an empty string", L"",
     [](String const& s) { s.findLastOfAny(0, String(L",")); }},
};

TEST(StringSearchAny, StartsOutsideTheStringThrow) {
    for (AnyFailureCase const& c : anyFailureCases) {
        SCOPED_TRACE(c.name);
        String s(c.subject);
        EXPECT_TRUE(throwsOutOfRange([&] { c.op(s); }, u"The offset is out of range."));
    }
}

//===-- freq and startsWith -----------------------------------------------===//

TEST(StringSearch, FreqCountsTheEqualUnits) {
    EXPECT_EQ(String(L"abcabca").freq(unit('a')), 3);
    EXPECT_EQ(String(L"abcabca").freq(unit('c')), 2);
    EXPECT_EQ(String(L"abcabca").freq(unit('x')), 0);
    EXPECT_EQ(String(L"abcabca").freq(unit('A')), 0);
    EXPECT_EQ(String().freq(unit('a')), 0);
    EXPECT_EQ(String(L"a\0b\0", 4).freq(unit(0)), 2); // the terminator is not counted
    EXPECT_EQ(String(L"\u0141A\u0141").freq(unit(0x0041)), 1);
    EXPECT_EQ(String(unit(0x0141), 37).freq(unit(0x0141)), 37);
}

struct StartsCase {
    char const* name;
    wchar_t const* subject;
    bool (*op)(String const& s);
    bool expected;
};

StartsCase const startsCases[] = {
    {"empty wide text", L"abc", [](String const& s) { return s.startsWith(u(L"")); }, true},
    {"empty wide text on an empty string", L"",
     [](String const& s) { return s.startsWith(u(L"")); }, true},
    {"empty String", L"abc", [](String const& s) { return s.startsWith(String()); }, true},
    {"empty narrow text", L"abc", [](String const& s) { return s.startsWith(""); }, false},
    {"empty narrow text on an empty string", L"", [](String const& s) { return s.startsWith(""); },
     false},
    {"wide prefix", L"abc", [](String const& s) { return s.startsWith(u(L"ab")); }, true},
    {"wide whole text", L"abc", [](String const& s) { return s.startsWith(u(L"abc")); }, true},
    {"wide text longer than the string", L"abc",
     [](String const& s) { return s.startsWith(u(L"abcd")); }, false},
    {"wide text differing in the first unit", L"abc",
     [](String const& s) { return s.startsWith(u(L"b")); }, false},
    {"wide text differing in the high byte", L"abc",
     [](String const& s) { return s.startsWith(u(L"a\u0162")); }, false},
    {"String prefix", L"abc", [](String const& s) { return s.startsWith(String(L"ab")); }, true},
    {"String differing at the end", L"abc",
     [](String const& s) { return s.startsWith(String(L"abd")); }, false},
    {"narrow prefix", L"abc", [](String const& s) { return s.startsWith("ab"); }, true},
    {"narrow whole text", L"abc", [](String const& s) { return s.startsWith("abc"); }, true},
    {"narrow text longer than the string", L"abc",
     [](String const& s) { return s.startsWith("abcd"); }, false},
    {"narrow text differing", L"abc", [](String const& s) { return s.startsWith("ac"); }, false},
    {"wide text on an empty string", L"", [](String const& s) { return s.startsWith(u(L"a")); },
     false},
};

TEST(StringSearch, StartsWithComparesTheFirstUnits) {
    for (StartsCase const& c : startsCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.op(String(c.subject)), c.expected);
    }
}

TEST(StringSearch, StartsWithConvertsNarrowTextThroughTheAnsiCodePage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
    String s(L"\u20AC\u00E9t\u00E9");
    EXPECT_TRUE(s.startsWith("\x80\xE9"));
    EXPECT_FALSE(String(L"\x0080\u00E9").startsWith("\x80"));
}

//===-- compare and compareIgnoreCase ---------------------------------------===//

struct CompareCase {
    char const* name;
    wchar_t const* subject;
    int (*op)(String const& s);
    int expected;
};

CompareCase const compareCases[] = {
    // compare(String const&)
    {"String: equal", L"abcd", [](String const& s) { return s.compare(String(L"abcd")); }, 0},
    {"String: 3 units against 4 that start with them", L"abc",
     [](String const& s) { return s.compare(String(L"abcd")); }, -1},
    {"String: 4 units against their first 3", L"abcd",
     [](String const& s) { return s.compare(String(L"abc")); }, 1},
    {"String: first difference smaller", L"abcd",
     [](String const& s) { return s.compare(String(L"abdd")); }, -1},
    {"String: first difference greater", L"abcd",
     [](String const& s) { return s.compare(String(L"abbd")); }, 1},
    {"String: greater first unit wins over a shorter length", L"b",
     [](String const& s) { return s.compare(String(L"abcd")); }, 1},
    {"String: smaller first unit wins over a longer length", L"abcd",
     [](String const& s) { return s.compare(String(L"b")); }, -1},
    {"String: a longer text whose first unit is greater", L"bcde",
     [](String const& s) { return s.compare(String(L"abc")); }, 1},
    {"String: units are unsigned", L"\x8000",
     [](String const& s) { return s.compare(String(L"\x7FFF")); }, 1},
    {"String: 0xFFFF is the greatest unit", L"A",
     [](String const& s) { return s.compare(String(L"\xFFFF")); }, -1},
    {"String: both empty", L"", [](String const& s) { return s.compare(String()); }, 0},
    {"String: empty against text", L"", [](String const& s) { return s.compare(String(L"a")); },
     -1},
    {"String: text against empty", L"a", [](String const& s) { return s.compare(String()); }, 1},

    // compare(unsigned short const*)
    {"units: equal", L"abcd", [](String const& s) { return s.compare(u(L"abcd")); }, 0},
    {"units: smaller", L"abcd", [](String const& s) { return s.compare(u(L"abce")); }, -1},
    {"units: shorter other", L"abcd", [](String const& s) { return s.compare(u(L"ab")); }, 1},

    // compare(unsigned short const*, unsigned)
    {"counted units: only pn units count", L"abcd",
     [](String const& s) { return s.compare(u(L"abcdX"), 4); }, 0},
    {"counted units: longer other", L"abcd",
     [](String const& s) { return s.compare(u(L"abcdX"), 5); }, -1},
    {"counted units: shorter other", L"abcd",
     [](String const& s) { return s.compare(u(L"abX"), 2); }, 1},
    {"counted units: pn = 0", L"abcd", [](String const& s) { return s.compare(u(L"X"), 0); }, 1},
    {"counted units: pn = 0 on an empty string", L"",
     [](String const& s) { return s.compare(u(L"X"), 0); }, 0},

    // compare(pos, n, String const&)
    {"pos n String: equal window", L"abcd",
     [](String const& s) { return s.compare(1, 2, String(L"bc")); }, 0},
    {"pos n String: n to the end", L"abcd",
     [](String const& s) { return s.compare(1, NPOS, String(L"bcd")); }, 0},
    {"pos n String: window shorter than the other", L"abcd",
     [](String const& s) { return s.compare(1, 2, String(L"bcd")); }, -1},
    {"pos n String: n clipped to the end", L"abcd",
     [](String const& s) { return s.compare(2, 100, String(L"c")); }, 1},
    {"pos n String: pos = L", L"abcd", [](String const& s) { return s.compare(4, 3, String()); },
     0},
    {"pos n String: n = 0", L"abcd", [](String const& s) { return s.compare(0, 0, String(L"a")); },
     -1},

    // compare(pos, n, unsigned short const*)
    {"pos n units: equal window", L"abcd", [](String const& s) { return s.compare(2, 1, u(L"c")); },
     0},
    {"pos n units: longer window", L"abcd",
     [](String const& s) { return s.compare(2, 5, u(L"c")); }, 1},
    {"pos n units: difference in the window", L"abcd",
     [](String const& s) { return s.compare(1, 3, u(L"bce")); }, -1},

    // compare(pos, n, p, pn)
    {"pos n p pn: equal", L"abcd", [](String const& s) { return s.compare(1, 2, u(L"bcX"), 2); },
     0},
    {"pos n p pn: other longer", L"abcd",
     [](String const& s) { return s.compare(1, 2, u(L"bcX"), 3); }, -1},
    {"pos n p pn: difference decides", L"abcd",
     [](String const& s) { return s.compare(0, 4, u(L"abX"), 3); }, 1},
    {"pos n p pn: empty window and empty other", L"abcd",
     [](String const& s) { return s.compare(4, 9, u(L""), 0); }, 0},

    // compare(pos, n, String const&, spos, sn)
    {"pos n String spos sn: equal pieces", L"abcd",
     [](String const& s) { return s.compare(1, 2, String(L"xbcx"), 1, 2); }, 0},
    {"pos n String spos sn: sn to the end", L"abcd",
     [](String const& s) { return s.compare(0, NPOS, String(L"xxabcd"), 2, NPOS); }, 0},
    {"pos n String spos sn: sn clipped", L"abcd",
     [](String const& s) { return s.compare(0, 2, String(L"xab"), 1, 100); }, 0},
    {"pos n String spos sn: spos = length gives an empty other", L"abcd",
     [](String const& s) { return s.compare(0, 2, String(L"ab"), 2, 5); }, 1},
    {"pos n String spos sn: both empty", L"abcd",
     [](String const& s) { return s.compare(4, 0, String(L"ab"), 2, 0); }, 0},
    {"pos n String spos sn: piece smaller", L"abcd",
     [](String const& s) { return s.compare(1, 3, String(L"abce"), 1, 3); }, -1},
};

TEST(StringCompare, SignFollowsTheFirstDifferenceThenTheLengths) {
    for (CompareCase const& c : compareCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.op(String(c.subject)), c.expected);
    }
}

CompareCase const compareIgnoreCaseCases[] = {
    {"String: upper against lower", L"ABC",
     [](String const& s) { return s.compareIgnoreCase(String(L"abc")); }, 0},
    {"String: mixed case", L"aBcD",
     [](String const& s) { return s.compareIgnoreCase(String(L"AbCd")); }, 0},
    {"String: a later letter in the last place", L"ABC",
     [](String const& s) { return s.compareIgnoreCase(String(L"abd")); }, -1},
    {"String: the sign comes from the unmapped units", L"abc",
     [](String const& s) { return s.compareIgnoreCase(String(L"ABD")); }, 1},
    {"String: lower a against upper B", L"a",
     [](String const& s) { return s.compareIgnoreCase(String(L"B")); }, 1},
    {"String: upper B against lower a", L"B",
     [](String const& s) { return s.compareIgnoreCase(String(L"a")); }, -1},
    {"String: symbols do not fold", L"@",
     [](String const& s) { return s.compareIgnoreCase(String(L"`")); }, -1},
    {"String: brackets do not fold", L"{",
     [](String const& s) { return s.compareIgnoreCase(String(L"[")); }, 1},
    {"String: shorter", L"ABC",
     [](String const& s) { return s.compareIgnoreCase(String(L"abcd")); }, -1},
    {"String: longer", L"abcd", [](String const& s) { return s.compareIgnoreCase(String(L"ABC")); },
     1},
    {"String: units are unsigned", L"\x8000",
     [](String const& s) { return s.compareIgnoreCase(String(L"\x7FFF")); }, 1},
    {"units: equal ignoring case", L"Hello",
     [](String const& s) { return s.compareIgnoreCase(u(L"hELLO")); }, 0},
    {"units: smaller", L"Hello", [](String const& s) { return s.compareIgnoreCase(u(L"hELLp")); },
     -1},
    {"counted units", L"abcd", [](String const& s) { return s.compareIgnoreCase(u(L"ABCDX"), 4); },
     0},
    {"counted units: longer other", L"abcd",
     [](String const& s) { return s.compareIgnoreCase(u(L"ABCDX"), 5); }, -1},
    {"pos n String", L"abcd",
     [](String const& s) { return s.compareIgnoreCase(1, 2, String(L"BC")); }, 0},
    {"pos n String: window longer", L"abcd",
     [](String const& s) { return s.compareIgnoreCase(1, 3, String(L"BC")); }, 1},
    {"pos n units", L"abcd", [](String const& s) { return s.compareIgnoreCase(2, 2, u(L"CD")); },
     0},
    {"pos n p pn", L"abcd", [](String const& s) { return s.compareIgnoreCase(1, 2, u(L"BCx"), 2); },
     0},
    {"pos n String spos sn", L"abcd",
     [](String const& s) { return s.compareIgnoreCase(0, NPOS, String(L"xxABCD"), 2, NPOS); }, 0},
    {"pos n String spos sn: other piece greater", L"abcd",
     [](String const& s) { return s.compareIgnoreCase(0, NPOS, String(L"xxABce"), 2, NPOS); }, -1},
};

TEST(StringCompare, IgnoreCaseFoldsLettersButSignsByTheUnmappedUnits) {
    for (CompareCase const& c : compareIgnoreCaseCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.op(String(c.subject)), c.expected);
    }
}

// Beyond ASCII the runtime's case tables decide (in the "C" locale they may
// map nothing); compareIgnoreCase must agree with towupper/towlower.
TEST(StringCompare, IgnoreCaseBeyondAsciiFollowsTheRuntimeCaseMapping) {
    unsigned short const pairs[][2] = {
        {0x00E9, 0x00C9}, {0x0142, 0x0141}, {0x03B1, 0x0391}, {0x0430, 0x0410}, {0xFF41, 0xFF21}};
    for (auto const& pair : pairs) {
        unsigned short a = pair[0];
        unsigned short b = pair[1];
        auto up = [](unsigned short c) { return std::towupper(static_cast<std::wint_t>(c)); };
        auto low = [](std::wint_t c) { return std::towlower(c); };
        bool same = up(a) == up(b) || low(up(a)) == low(up(b));
        int expected = same ? 0 : (a < b ? -1 : 1);
        EXPECT_EQ(String(a, 1).compareIgnoreCase(String(b, 1)), expected) << std::hex << a;
        EXPECT_EQ(String(b, 1).compareIgnoreCase(String(a, 1)), same ? 0 : -expected)
            << std::hex << a;
    }
}

struct CompareFailureCase {
    char const* name;
    void (*op)(String const& s);
    char16_t const* message;
};

CompareFailureCase const compareFailureCases[] = {
    {"compare pos n p pn: pos > L", [](String const& s) { s.compare(4, 0, u(L""), 0); },
     u"The offset is out of range."},
    {"compare pos n p pn: pos = NO_POSITION",
     [](String const& s) { s.compare(NPOS, 1, u(L"a"), 1); }, u"The offset is out of range."},
    {"compare pos n String: pos > L", [](String const& s) { s.compare(4, 1, String(L"a")); },
     u"The offset is out of range."},
    {"compare pos n units: pos > L", [](String const& s) { s.compare(5, 1, u(L"a")); },
     u"The offset is out of range."},
    {"compare pos n String spos sn: pos > L",
     [](String const& s) { s.compare(4, 1, String(L"ab"), 0, 1); }, u"The offset is out of range."},
    {"compare pos n String spos sn: spos > length",
     [](String const& s) { s.compare(0, 1, String(L"ab"), 3, 1); },
     u"The source offset is out of range."},
    {"compare pos n String spos sn: spos = NO_POSITION",
     [](String const& s) { s.compare(0, 1, String(L"ab"), NPOS, 1); },
     u"The source offset is out of range."},
    {"compareIgnoreCase pos n p pn: pos > L",
     [](String const& s) { s.compareIgnoreCase(4, 0, u(L""), 0); }, u"The offset is out of range."},
    {"compareIgnoreCase pos n String: pos > L",
     [](String const& s) { s.compareIgnoreCase(NPOS, 1, String(L"a")); },
     u"The offset is out of range."},
    {"compareIgnoreCase pos n units: pos > L",
     [](String const& s) { s.compareIgnoreCase(9, 1, u(L"a")); }, u"The offset is out of range."},
    {"compareIgnoreCase pos n String spos sn: pos > L",
     [](String const& s) { s.compareIgnoreCase(4, 1, String(L"ab"), 0, 1); },
     u"The offset is out of range."},
    {"compareIgnoreCase pos n String spos sn: spos > length",
     [](String const& s) { s.compareIgnoreCase(0, 1, String(L"ab"), 3, 1); },
     u"The source offset is out of range."},
};

TEST(StringCompare, OffsetsOutsideEitherTextThrow) {
    for (CompareFailureCase const& c : compareFailureCases) {
        SCOPED_TRACE(c.name);
        String s(L"abc");
        EXPECT_TRUE(throwsOutOfRange([&] { c.op(s); }, c.message));
    }
}

// Strings of 1 to 40 units that differ in one unit, at every index, by the
// high byte only (0x0041 against 0x0141) or across the sign bit of a 16-bit
// value (0x7FFF against 0x8000).
TEST(StringCompareBlocks, FirstDifferenceAtEveryIndexOfEveryLength) {
    struct Difference {
        char const* name;
        char16_t low;
        char16_t high;
    } const differences[] = {{"high byte", 0x0041, 0x0141}, {"sign bit", 0x7FFF, 0x8000}};
    for (Difference const& d : differences) {
        SCOPED_TRACE(d.name);
        for (unsigned int len = 1; len <= 40; ++len) {
            std::u16string base;
            for (unsigned int i = 0; i < len; ++i)
                base.push_back(static_cast<char16_t>(0x0061 + i % 26));
            String same = make(base);
            EXPECT_EQ(same.compare(make(base)), 0) << len;
            EXPECT_EQ(same.compare(make(base + u"a")), -1) << len;
            EXPECT_EQ(make(base + u"a").compare(same), 1) << len;
            for (unsigned int at = 0; at < len; ++at) {
                std::u16string lower = base;
                std::u16string higher = base;
                lower[at] = d.low;
                higher[at] = d.high;
                String a = make(lower);
                String b = make(higher);
                EXPECT_EQ(a.compare(b), -1) << len << " units, at " << at;
                EXPECT_EQ(b.compare(a), 1) << len << " units, at " << at;
                EXPECT_EQ(a.compare(u(higher)), -1) << len << " units, at " << at;
                EXPECT_EQ(b.compare(0, NPOS, u(lower), len), 1) << len << " units, at " << at;
                // the difference decides even against a longer text
                EXPECT_EQ(b.compare(make(lower + u"zzz")), 1) << len << " units, at " << at;
                EXPECT_EQ(a.compareIgnoreCase(b), -1) << len << " units, at " << at;
            }
        }
    }
}

//===-- Pieces ------------------------------------------------------------===//

struct PieceCase {
    char const* name;
    wchar_t const* subject;
    String (*op)(String const& s);
    char16_t const* expected;
};

PieceCase const pieceCases[] = {
    {"subString: all", L"abcdef", [](String const& s) { return s.subString(0, NPOS); }, u"abcdef"},
    {"subString: default count", L"abcdef", [](String const& s) { return s.subString(3); }, u"def"},
    {"subString: middle", L"abcdef", [](String const& s) { return s.subString(2, 3); }, u"cde"},
    {"subString: count clipped", L"abcdef", [](String const& s) { return s.subString(4, 100); },
     u"ef"},
    {"subString: pos = L", L"abcdef", [](String const& s) { return s.subString(6, 1); }, u""},
    {"subString: count 0", L"abcdef", [](String const& s) { return s.subString(0, 0); }, u""},
    {"leftString: 0", L"abcdef", [](String const& s) { return s.leftString(0); }, u""},
    {"leftString: some", L"abcdef", [](String const& s) { return s.leftString(3); }, u"abc"},
    {"leftString: L is a full copy", L"abcdef", [](String const& s) { return s.leftString(6); },
     u"abcdef"},
    {"rightString: 0", L"abcdef", [](String const& s) { return s.rightString(0); }, u""},
    {"rightString: some", L"abcdef", [](String const& s) { return s.rightString(2); }, u"ef"},
    {"rightString: L is a full copy", L"abcdef", [](String const& s) { return s.rightString(6); },
     u"abcdef"},
    {"beforeFirst", L"a.b.c", [](String const& s) { return s.beforeFirst(unit('.')); }, u"a"},
    {"beforeLast", L"a.b.c", [](String const& s) { return s.beforeLast(unit('.')); }, u"a.b"},
    {"afterFirst", L"a.b.c", [](String const& s) { return s.afterFirst(unit('.')); }, u"b.c"},
    {"afterLast", L"a.b.c", [](String const& s) { return s.afterLast(unit('.')); }, u"c"},
    {"beforeFirst: absent", L"a.b.c", [](String const& s) { return s.beforeFirst(unit('x')); },
     u"a.b.c"},
    {"beforeLast: absent", L"a.b.c", [](String const& s) { return s.beforeLast(unit('x')); },
     u"a.b.c"},
    {"afterFirst: absent gives an empty string", L"a.b.c",
     [](String const& s) { return s.afterFirst(unit('x')); }, u""},
    {"afterLast: absent gives the whole string", L"a.b.c",
     [](String const& s) { return s.afterLast(unit('x')); }, u"a.b.c"},
    {"beforeFirst: at the front", L".ab.", [](String const& s) { return s.beforeFirst(unit('.')); },
     u""},
    {"beforeLast: at the back", L".ab.", [](String const& s) { return s.beforeLast(unit('.')); },
     u".ab"},
    {"afterFirst: at the front", L".ab.", [](String const& s) { return s.afterFirst(unit('.')); },
     u"ab."},
    {"afterLast: at the back", L".ab.", [](String const& s) { return s.afterLast(unit('.')); },
     u""},
    {"afterLast: empty string", L"", [](String const& s) { return s.afterLast(unit('.')); }, u""},
    {"trim: both ends", L"  ab  ", [](String const& s) { return s.trim(unit(' ')); }, u"ab"},
    {"trim: blanks by default", L" a b ", [](String const& s) { return s.trim(); }, u"a b"},
    {"trim: two blanks", L"  ", [](String const& s) { return s.trim(unit(' ')); }, u""},
    {"trim: empty string", L"", [](String const& s) { return s.trim(); }, u""},
    {"trim: nothing to trim", L"ab", [](String const& s) { return s.trim(); }, u"ab"},
    {"trim: only the given unit", L"\tab\t", [](String const& s) { return s.trim(); }, u"\tab\t"},
    {"trim: another unit, inner ones kept", L"xxaxbxx",
     [](String const& s) { return s.trim(unit('x')); }, u"axb"},
    {"trim: leading only", L"xxab", [](String const& s) { return s.trim(unit('x')); }, u"ab"},
    {"trim: trailing only", L"abxx", [](String const& s) { return s.trim(unit('x')); }, u"ab"},
};

TEST(StringPieces, CutTheExpectedUnitsAndLeaveTheSourceAlone) {
    for (PieceCase const& c : pieceCases) {
        SCOPED_TRACE(c.name);
        String s(c.subject);
        unsigned short const* buffer = s.getCStr();
        String piece = c.op(s);
        EXPECT_EQ(text(piece), std::u16string(c.expected));
        EXPECT_EQ(piece.getCStr()[piece.getLength()], 0);
        EXPECT_EQ(text(s), std::u16string(reinterpret_cast<char16_t const*>(c.subject)));
        EXPECT_EQ(s.getCStr(), buffer);
    }
}

struct PieceAllocatorCase {
    char const* name;
    String (*op)(String const& s);
    bool onSourceAllocator; // else on the default allocator
};

PieceAllocatorCase const pieceAllocatorCases[] = {
    {"subString", [](String const& s) { return s.subString(1, 2); }, true},
    {"leftString", [](String const& s) { return s.leftString(2); }, true},
    {"rightString", [](String const& s) { return s.rightString(2); }, true},
    {"beforeFirst", [](String const& s) { return s.beforeFirst(unit('.')); }, true},
    {"beforeFirst, absent", [](String const& s) { return s.beforeFirst(unit('x')); }, true},
    {"beforeLast", [](String const& s) { return s.beforeLast(unit('.')); }, true},
    {"beforeLast, absent", [](String const& s) { return s.beforeLast(unit('x')); }, true},
    {"trim", [](String const& s) { return s.trim(unit('.')); }, true},
    {"afterFirst", [](String const& s) { return s.afterFirst(unit('.')); }, false},
    {"afterFirst, absent", [](String const& s) { return s.afterFirst(unit('x')); }, false},
    {"afterLast", [](String const& s) { return s.afterLast(unit('.')); }, false},
    {"afterLast, absent", [](String const& s) { return s.afterLast(unit('x')); }, false},
};

TEST(StringPieces, AfterFirstAndAfterLastUseTheDefaultAllocatorTheOthersTheSources) {
    TestAllocator alloc;
    String s(L".a.b.", &alloc);
    for (PieceAllocatorCase const& c : pieceAllocatorCases) {
        SCOPED_TRACE(c.name);
        String piece = c.op(s);
        if (c.onSourceAllocator) {
            EXPECT_EQ(piece.getAllocator(), &alloc);
            EXPECT_TRUE(alloc.owns(piece.getCStr()));
        } else {
            EXPECT_EQ(piece.getAllocator(), IAllocator::getWUXAllocator());
            EXPECT_FALSE(alloc.owns(piece.getCStr()));
        }
    }
}

struct PieceFailureCase {
    char const* name;
    void (*op)(String const& s);
};

TEST(StringPieces, BadOffsetsAndCountsThrow) {
    String s(L"abcdef");
    PieceFailureCase const offsetCases[] = {
        {"subString from L + 1", [](String const& t) { t.subString(7, 0); }},
        {"subString from NO_POSITION", [](String const& t) { t.subString(NPOS); }},
    };
    for (PieceFailureCase const& c : offsetCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(throwsOutOfRange([&] { c.op(s); }, u"The offset is out of range."));
    }
    PieceFailureCase const countCases[] = {
        {"leftString(L + 1)", [](String const& t) { t.leftString(7); }},
        {"leftString(NO_POSITION)", [](String const& t) { t.leftString(NPOS); }},
        {"rightString(L + 1)", [](String const& t) { t.rightString(7); }},
        {"rightString(NO_POSITION)", [](String const& t) { t.rightString(NPOS); }},
        {"leftString(1) of an empty string", [](String const&) { String().leftString(1); }},
    };
    for (PieceFailureCase const& c : countCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(throwsArgument([&] { c.op(s); }, u"the count is too long.", u"count"));
    }
}

//===-- Case mapping ------------------------------------------------------===//

TEST(StringCase, AsciiLettersMapAndEverythingElseStays) {
    std::u16string all;
    for (char16_t c = 1; c < 128; ++c)
        all.push_back(c);
    std::u16string upper = all;
    std::u16string lower = all;
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 32);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 32);

    String s = make(all);
    String& up = s.toUpper();
    EXPECT_EQ(&up, &s);
    EXPECT_EQ(text(s), upper);
    String& down = s.toLower();
    EXPECT_EQ(&down, &s);
    EXPECT_EQ(text(s), lower);

    String mixed(L"Hello, World! [x]");
    EXPECT_EQ(text(mixed.toUpper()), u"HELLO, WORLD! [X]");
    EXPECT_EQ(text(mixed.toLower()), u"hello, world! [x]");
    String empty;
    EXPECT_TRUE(empty.toUpper().isEmpty());
}

// Beyond ASCII the result is whatever the runtime's towupper/towlower give.
TEST(StringCase, OtherUnitsMapAsTheRuntimeMapsThem) {
    std::u16string units = u"\u00E9\u00C9\u00FF\u0141\u0142\u03B1\u0391\u0430\u0410\uFF41\uFF21";
    std::u16string upper;
    std::u16string lower;
    for (char16_t c : units) {
        upper.push_back(static_cast<char16_t>(std::towupper(static_cast<std::wint_t>(c))));
        lower.push_back(static_cast<char16_t>(std::towlower(static_cast<std::wint_t>(c))));
    }
    String s = make(units);
    EXPECT_EQ(text(s.toUpper()), upper);
    s = make(units);
    EXPECT_EQ(text(s.toLower()), lower);
}

//===-- split -------------------------------------------------------------===//

struct SplitCase {
    char const* name;
    wchar_t const* subject;
    wchar_t const* separators;
    std::vector<std::u16string> expected;
};

std::vector<SplitCase> const splitCases = {
    {"leading, adjacent and trailing separators", L",a,,b,", L",", {u"", u"a", u"", u"b"}},
    {"empty string", L"", L",", {}},
    {"empty string, empty separator set", L"", L"", {}},
    {"empty separator set gives the whole string", L"a,b", L"", {u"a,b"}},
    {"no separator in the string", L"abc", L",", {u"abc"}},
    {"several separators", L"a,b;c", L";,", {u"a", u"b", u"c"}},
    {"only a separator", L",", L",", {u""}},
    {"two separators", L",,", L",", {u"", u""}},
    {"trailing separator", L"a,", L",", {u"a"}},
    {"two trailing separators", L"a,,", L",", {u"a", u""}},
    {"leading separator", L",a", L",", {u"", u"a"}},
    {"pieces of one unit", L"a b c", L" ", {u"a", u"b", u"c"}},
};

TEST(StringSplit, AppendsThePiecesBetweenSeparators) {
    for (SplitCase const& c : splitCases) {
        SCOPED_TRACE(c.name);
        std::vector<String> out;
        String(c.subject).split(String(c.separators), out);
        std::vector<std::u16string> pieces;
        for (String const& piece : out)
            pieces.push_back(text(piece));
        EXPECT_EQ(pieces, c.expected);
        if (lengthOf(c.separators) == 1) {
            std::vector<String> byUnit;
            String(c.subject).split(unit(c.separators[0]), byUnit);
            std::vector<std::u16string> unitPieces;
            for (String const& piece : byUnit)
                unitPieces.push_back(text(piece));
            EXPECT_EQ(unitPieces, c.expected) << "split(unsigned short)";
        }
    }
}

TEST(StringSplit, KeepsWhatTheVectorHeld) {
    std::vector<String> out;
    out.push_back(String(L"kept"));
    String(L"x;y").split(unit(';'), out);
    String(L"z").split(String(L";"), out);
    String().split(unit(';'), out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(text(out[0]), u"kept");
    EXPECT_EQ(text(out[1]), u"x");
    EXPECT_EQ(text(out[2]), u"y");
    EXPECT_EQ(text(out[3]), u"z");
}

TEST(StringSplit, PiecesAreOnTheSourcesAllocator) {
    TestAllocator alloc;
    String s(L"a,b,", &alloc);
    std::vector<String> out;
    s.split(unit(','), out);
    s.split(String(), out);
    ASSERT_EQ(out.size(), 3u);
    for (String const& piece : out)
        EXPECT_EQ(piece.getAllocator(), &alloc);
}

//===-- Concatenation -----------------------------------------------------===//

struct ConcatCase {
    char const* name;
    String (*op)(String const& s); // s holds "ab"
    char16_t const* expected;
};

ConcatCase const concatCases[] = {
    {"String + String", [](String const& s) { return s + String(L"cd", s.getAllocator()); },
     u"abcd"},
    {"String + empty String", [](String const& s) { return s + String(s.getAllocator()); }, u"ab"},
    {"String + unit", [](String const& s) { return s + unit('c'); }, u"abc"},
    {"String + units", [](String const& s) { return s + u(L"cd"); }, u"abcd"},
    {"String + wide literal", [](String const& s) { return s + L"cd"; }, u"abcd"},
    {"String + narrow text", [](String const& s) { return s + "cd"; }, u"abcd"},
    {"String + empty narrow text", [](String const& s) { return s + ""; }, u"ab"},
    {"unit + String", [](String const& s) { return unit('c') + s; }, u"cab"},
    {"units + String", [](String const& s) { return u(L"cd") + s; }, u"cdab"},
    {"wide literal + String", [](String const& s) { return L"cd" + s; }, u"cdab"},
    {"narrow text + String", [](String const& s) { return "cd" + s; }, u"cdab"},
};

TEST(StringConcat, LeftOperandFirstOnTheStringOperandsAllocator) {
    TestAllocator alloc;
    String s(L"ab", &alloc);
    for (ConcatCase const& c : concatCases) {
        SCOPED_TRACE(c.name);
        String r = c.op(s);
        EXPECT_EQ(text(r), std::u16string(c.expected));
        EXPECT_EQ(r.getCStr()[r.getLength()], 0);
        EXPECT_EQ(r.getAllocator(), &alloc);
        EXPECT_TRUE(alloc.owns(r.getCStr()));
        EXPECT_EQ(text(s), u"ab");
    }
}

TEST(StringConcat, NarrowOperandsConvertThroughTheAnsiCodePage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
    String s(L"=");
    EXPECT_EQ(text(s + "\x80"), u"=\u20AC");
    EXPECT_EQ(text("\xE9" + s), u"\u00E9=");
}

} // namespace
