// Int, UInt and Int64: limits, text of numbers, digit checks and parsing.

#include "wux/lang/FormatException.h"
#include "wux/lang/Int.h"
#include "wux/lang/Int64.h"
#include "wux/lang/String.h"
#include "wux/lang/UInt.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <functional>
#include <string>

using cpp::lang::FormatException;
using cpp::lang::Int;
using cpp::lang::Int64;
using cpp::lang::String;
using cpp::lang::UInt;

namespace {

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

template <typename T> std::string caseName(::testing::TestParamInfo<T> const& info) {
    return std::string(info.param.name);
}

TEST(Number, Limits) {
    EXPECT_EQ(Int::MIN_VALUE, INT_MIN);
    EXPECT_EQ(Int::MAX_VALUE, INT_MAX);
    EXPECT_EQ(Int::INFINITE_VALUE, -1);
    EXPECT_EQ(UInt::MIN_VALUE, 0);
    EXPECT_EQ(UInt::MAX_VALUE, -1);
    EXPECT_EQ(static_cast<unsigned int>(UInt::MAX_VALUE), UINT_MAX);
    EXPECT_EQ(Int64::MIN_VALUE, LLONG_MIN);
    EXPECT_EQ(Int64::MAX_VALUE, LLONG_MAX);
}

TEST(Number, ToStringInDecimal) {
    EXPECT_EQ(text(Int::toString(0)), L"0");
    EXPECT_EQ(text(Int::toString(-42)), L"-42");
    EXPECT_EQ(text(Int::toString(Int::MIN_VALUE)), L"-2147483648");
    EXPECT_EQ(text(Int::toString(Int::MAX_VALUE)), L"2147483647");
    EXPECT_EQ(text(UInt::toString(0u)), L"0");
    EXPECT_EQ(text(UInt::toString(4000000000u)), L"4000000000");
    EXPECT_EQ(text(UInt::toString(static_cast<unsigned int>(UInt::MAX_VALUE))), L"4294967295");
    EXPECT_EQ(text(Int64::toString(0)), L"0");
    EXPECT_EQ(text(Int64::toString(8589934592LL)), L"8589934592");
    EXPECT_EQ(text(Int64::toString(Int64::MIN_VALUE)), L"-9223372036854775808");
    EXPECT_EQ(text(Int64::toString(Int64::MAX_VALUE)), L"9223372036854775807");
}

//===-- isInteger -----------------------------------------------------------===//

struct DigitsCase {
    char const* name;
    wchar_t const* text;
    bool integer;
};

DigitsCase const DIGITS_CASES[] = {
    {"AsciiDigits", L"0123456789", true},
    {"OneDigit", L"7", true},
    {"ArabicIndicDigits", L"\u0660\u0661\u0669", true},
    {"DevanagariAndThaiDigits", L"\u0966\u0E50", true},
    {"FullwidthDigits", L"\uFF11\uFF12", true},
    {"MixedScripts", L"1\u06602", true},
    {"Empty", L"", false},
    {"MinusSign", L"-1", false},
    {"PlusSign", L"+1", false},
    {"LeadingBlank", L" 1", false},
    {"TrailingLetter", L"12a", false},
    {"DecimalPoint", L"1.5", false},
    {"RomanNumeral", L"\u2160", false},
    {"Superscript", L"\u00B2", false},
};

class IntIsInteger : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(IntIsInteger, EveryUnitMustBeADecimalDigit) {
    DigitsCase const& k = GetParam();
    auto const* units = reinterpret_cast<unsigned short const*>(k.text);
    EXPECT_EQ(Int::isInteger(String(k.text)), k.integer);
    EXPECT_EQ(Int::isInteger(units), k.integer);
    EXPECT_EQ(Int::isInteger(units, static_cast<unsigned int>(std::wcslen(k.text))), k.integer);
}

INSTANTIATE_TEST_SUITE_P(Texts, IntIsInteger, ::testing::ValuesIn(DIGITS_CASES),
                         caseName<DigitsCase>);

TEST(IntIsIntegerCounted, ReadsExactlyTheUnitsCounted) {
    auto const* units = reinterpret_cast<unsigned short const*>(L"12x4");
    EXPECT_TRUE(Int::isInteger(units, 2));
    EXPECT_FALSE(Int::isInteger(units, 3));
    EXPECT_FALSE(Int::isInteger(units, 0));
    // The count, not a terminator, ends the text: a 0 unit inside is checked.
    unsigned short const withZero[] = {'1', 0, '2', 0};
    EXPECT_FALSE(Int::isInteger(withZero, 3));
}

TEST(IntIsIntegerCounted, NullPointerIsNoInteger) {
    EXPECT_FALSE(Int::isInteger(static_cast<unsigned short const*>(nullptr)));
    EXPECT_FALSE(Int::isInteger(nullptr, 5));
}

//===-- getValue ------------------------------------------------------------===//

struct ParseCase {
    char const* name;
    wchar_t const* text;
    long long value;
};

// Texts both parsers read. The runtime skips leading blanks and takes a
// sign; digits end at the first other unit.
ParseCase const PARSE_CASES[] = {
    {"Positive", L"42", 42},
    {"Negative", L"-17", -17},
    {"PlusSign", L"+5", 5},
    {"TrailingLetters", L"12abc", 12},
    {"TrailingBlank", L"7 ", 7},
    {"LeadingBlanks", L"  42", 42},
    {"LeadingZeros", L"007", 7},
    {"OneZero", L"0", 0},
    {"ThreeZeros", L"000", 0},
    {"IntMax", L"2147483647", 2147483647LL},
    {"IntMin", L"-2147483648", -2147483647LL - 1},
};

class NumberGetValue : public ::testing::TestWithParam<ParseCase> {};

TEST_P(NumberGetValue, Int) {
    EXPECT_EQ(Int::getValue(String(GetParam().text)), GetParam().value);
}

TEST_P(NumberGetValue, Int64) {
    EXPECT_EQ(Int64::getValue(String(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberGetValue, ::testing::ValuesIn(PARSE_CASES),
                         caseName<ParseCase>);

TEST(Int64GetValue, ReadsBeyondThirtyTwoBits) {
    EXPECT_EQ(Int64::getValue(String(L"8589934592")), 8589934592LL);
    EXPECT_EQ(Int64::getValue(String(L"-9223372036854775808")), LLONG_MIN);
    EXPECT_EQ(Int64::getValue(String(L"9223372036854775807")), LLONG_MAX);
    EXPECT_EQ(Int64::getValue(String(L"-4294967296xyz")), -4294967296LL);
}

struct RejectCase {
    char const* name;
    wchar_t const* text;
};

// Texts from which the runtime reads 0 but which are not all '0' digits.
RejectCase const REJECT_CASES[] = {
    {"Letters", L"abc"},    {"MinusZero", L"-0"},
    {"BlankZero", L" 0"},   {"ZeroThenLetters", L"0abc"},
    {"HexPrefix", L"0x10"}, {"SignOnly", L"-"},
    {"Blank", L" "},        {"ZerosThenBlank", L"00 "},
};

class NumberGetValueRejects : public ::testing::TestWithParam<RejectCase> {};

void expectCannotParse(std::function<void()> const& parse, wchar_t const* input) {
    try {
        parse();
        ADD_FAILURE() << "no FormatException";
    } catch (FormatException const& e) {
        EXPECT_EQ(text(e.getMessage()), std::wstring(L"Cannot parse the string '") + input + L"'.");
        EXPECT_EQ(e.getErrorId(), 0);
    }
}

TEST_P(NumberGetValueRejects, Int) {
    wchar_t const* input = GetParam().text;
    expectCannotParse([input] { Int::getValue(String(input)); }, input);
}

TEST_P(NumberGetValueRejects, Int64) {
    wchar_t const* input = GetParam().text;
    expectCannotParse([input] { Int64::getValue(String(input)); }, input);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberGetValueRejects, ::testing::ValuesIn(REJECT_CASES),
                         caseName<RejectCase>);

TEST(NumberGetValueEmpty, ThrowsItsOwnMessage) {
    for (int which = 0; which < 2; ++which) {
        SCOPED_TRACE(which == 0 ? "Int" : "Int64");
        try {
            if (which == 0)
                Int::getValue(String());
            else
                Int64::getValue(String());
            ADD_FAILURE() << "no FormatException";
        } catch (FormatException const& e) {
            EXPECT_EQ(text(e.getMessage()), L"The string to parse is empty.");
        }
    }
}

TEST(NumberGetValueMessage, QuotesLongTextsWhole) {
    // The message carries the whole text, however long.
    std::wstring input(300, L'x');
    expectCannotParse([&input] { Int::getValue(String(input.c_str())); }, input.c_str());
}

} // namespace
