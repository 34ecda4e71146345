// Char: classification of single UTF-16 units by their Unicode 3.0 general
// category, whitespace, case mapping and one-unit strings.

#include "wux/lang/Char.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <string>

using cpp::lang::Char;
using cpp::lang::String;

namespace {

template <typename T> std::string caseName(::testing::TestParamInfo<T> const& info) {
    return std::string(info.param.name);
}

// Unicode general categories, as the predicates group them.
// clang-format off
enum Category {
    Lu, Ll, Lt, Lm, Lo, Mn, Mc, Me, Nd, Nl, No, Zs, Zl, Zp, Cc,
    Cf, Cs, Co, Pc, Pd, Ps, Pe, Pi, Pf, Po, Sm, Sc, Sk, So, Cn
};
// clang-format on

struct CategoryCase {
    char const* name;
    unsigned short unit;
    Category category;
};

// One or more units of every category, the run boundaries of the big blocks,
// and code points that Unicode assigned only after 3.0 (unassigned here).
CategoryCase const CATEGORY_CASES[] = {
    {"LatinCapitalA", 0x0041, Lu},
    {"LatinCapitalZ", 0x005A, Lu},
    {"OhmSign", 0x2126, Lu},
    {"LatinSmallZ", 0x007A, Ll},
    {"GreekFinalSigma", 0x03C2, Ll},
    {"LongSWithDotAbove", 0x1E9B, Ll},
    {"TitlecaseDz", 0x01C5, Lt},
    {"ModifierSmallH", 0x02B0, Lm},
    {"HebrewAlef", 0x05D0, Lo},
    {"CjkFirstOfExtensionA", 0x3400, Lo},
    {"CjkLastOfExtensionA", 0x4DB5, Lo},
    {"CjkLastUnified", 0x9FA5, Lo},
    {"HangulFirstSyllable", 0xAC00, Lo},
    {"HangulLastSyllable", 0xD7A3, Lo},
    {"CombiningGrave", 0x0300, Mn},
    {"DevanagariVisarga", 0x0903, Mc},
    {"CombiningEnclosingCircle", 0x20DD, Me},
    {"DigitSeven", 0x0037, Nd},
    {"ArabicIndicZero", 0x0660, Nd},
    {"DevanagariZero", 0x0966, Nd},
    {"FullwidthZero", 0xFF10, Nd},
    {"RomanNumeralOne", 0x2160, Nl},
    {"SuperscriptTwo", 0x00B2, No},
    {"Space", 0x0020, Zs},
    {"NoBreakSpace", 0x00A0, Zs},
    {"ZeroWidthSpace", 0x200B, Zs},
    {"IdeographicSpace", 0x3000, Zs},
    {"LineSeparator", 0x2028, Zl},
    {"ParagraphSeparator", 0x2029, Zp},
    {"Null", 0x0000, Cc},
    {"Backspace", 0x0008, Cc},
    {"Tab", 0x0009, Cc},
    {"CarriageReturn", 0x000D, Cc},
    {"ShiftOut", 0x000E, Cc},
    {"UnitSeparator", 0x001F, Cc},
    {"NextLine", 0x0085, Cc},
    {"ByteOrderMark", 0xFEFF, Cf},
    {"LeftToRightMark", 0x200E, Cf},
    {"HighSurrogate", 0xD800, Cs},
    {"LowSurrogate", 0xDFFF, Cs},
    {"PrivateUseFirst", 0xE000, Co},
    {"PrivateUseLast", 0xF8FF, Co},
    {"LowLine", 0x005F, Pc},
    {"HyphenMinus", 0x002D, Pd},
    {"LeftParenthesis", 0x0028, Ps},
    {"LeftSquareBracket", 0x005B, Ps},
    {"RightParenthesis", 0x0029, Pe},
    {"LeftGuillemet", 0x00AB, Pi},
    {"RightGuillemet", 0x00BB, Pf},
    {"ExclamationMark", 0x0021, Po},
    {"CommercialAt", 0x0040, Po},
    {"PlusSign", 0x002B, Sm},
    {"DollarSign", 0x0024, Sc},
    {"CircumflexAccent", 0x005E, Sk},
    {"CopyrightSign", 0x00A9, So},
    {"ReplacementCharacter", 0xFFFD, So},
    // Assigned in Unicode 3.1 and 3.2: not yet letters in 3.0.
    {"ThetaSymbolFrom31", 0x03F4, Cn},
    {"NWithLongRightLegFrom32", 0x0220, Cn},
    {"SmallKatakanaKuFrom32", 0x31F0, Cn},
    // Assigned later still, or never.
    {"DWithCurlFrom40", 0x0221, Cn},
    {"AfterExtensionA", 0x4DB6, Cn},
    {"AfterCjkUnified", 0x9FA6, Cn},
    {"AfterHangul", 0xD7A4, Cn},
    {"GreekGap", 0x0378, Cn},
    {"NonCharacterFFFE", 0xFFFE, Cn},
    {"NonCharacterFFFF", 0xFFFF, Cn},
};

class CharCategory : public ::testing::TestWithParam<CategoryCase> {};

bool among(Category c, std::initializer_list<Category> set) {
    for (Category k : set) {
        if (c == k)
            return true;
    }
    return false;
}

TEST_P(CharCategory, PredicatesFollowTheCategory) {
    CategoryCase const& k = GetParam();
    Category const c = k.category;
    EXPECT_EQ(Char::isUpper(k.unit), c == Lu);
    EXPECT_EQ(Char::isLower(k.unit), c == Ll);
    EXPECT_EQ(Char::isLetter(k.unit), among(c, {Lu, Ll, Lt, Lm, Lo}));
    EXPECT_EQ(Char::isDigit(k.unit), c == Nd);
    EXPECT_EQ(Char::isNumber(k.unit), among(c, {Nd, Nl, No}));
    EXPECT_EQ(Char::isSeperator(k.unit), among(c, {Zs, Zl, Zp}));
    EXPECT_EQ(Char::isPunctuation(k.unit), among(c, {Pc, Pd, Ps, Pe, Pi, Pf, Po}));
    EXPECT_EQ(Char::isSymbol(k.unit), among(c, {Sm, Sc, Sk, So}));
}

INSTANTIATE_TEST_SUITE_P(Units, CharCategory, ::testing::ValuesIn(CATEGORY_CASES),
                         caseName<CategoryCase>);

struct WhitespaceCase {
    char const* name;
    unsigned short unit;
    bool whitespace;
};

WhitespaceCase const WHITESPACE_CASES[] = {
    {"Backspace", 0x0008, false},
    {"Tab", 0x0009, true},
    {"LineFeed", 0x000A, true},
    {"VerticalTab", 0x000B, true},
    {"FormFeed", 0x000C, true},
    {"CarriageReturn", 0x000D, true},
    {"ShiftOut", 0x000E, false},
    {"FileSeparator", 0x001C, false},
    {"Space", 0x0020, true},
    {"NextLine", 0x0085, true},
    {"NoBreakSpace", 0x00A0, true},
    {"EnQuad", 0x2000, true},
    {"ZeroWidthSpace", 0x200B, true},
    {"LineSeparator", 0x2028, true},
    {"ParagraphSeparator", 0x2029, true},
    {"IdeographicSpace", 0x3000, true},
    {"ByteOrderMark", 0xFEFF, false},
    {"LetterA", 0x0041, false},
    {"Null", 0x0000, false},
};

class CharWhitespace : public ::testing::TestWithParam<WhitespaceCase> {};

TEST_P(CharWhitespace, SpaceSeparatorsAndLineControls) {
    EXPECT_EQ(Char::isWhitespace(GetParam().unit), GetParam().whitespace);
}

INSTANTIATE_TEST_SUITE_P(Units, CharWhitespace, ::testing::ValuesIn(WHITESPACE_CASES),
                         caseName<WhitespaceCase>);

TEST(Char, LineAndParagraphSeparatorsAreSeparatorsButControlsAreNot) {
    // isSeperator is the Z categories only; the controls that count as
    // whitespace are not separators.
    EXPECT_TRUE(Char::isSeperator(0x2028));
    EXPECT_TRUE(Char::isSeperator(0x2029));
    EXPECT_FALSE(Char::isSeperator(0x0009));
    EXPECT_FALSE(Char::isSeperator(0x0085));
}

struct CaseMapping {
    char const* name;
    unsigned short unit;
    unsigned short upper;
    unsigned short lower;
};

// In the "C" locale the runtime maps the ASCII letters only.
CaseMapping const CASE_MAPPINGS[] = {
    {"SmallA", 'a', 'A', 'a'},
    {"SmallZ", 'z', 'Z', 'z'},
    {"CapitalA", 'A', 'A', 'a'},
    {"CapitalZ", 'Z', 'Z', 'z'},
    {"At", '@', '@', '@'},
    {"Backtick", '`', '`', '`'},
    {"LeftBracket", '[', '[', '['},
    {"LeftBrace", '{', '{', '{'},
    {"Digit", '7', '7', '7'},
    {"Null", 0x0000, 0x0000, 0x0000},
    {"SmallEAcuteUnmapped", 0x00E9, 0x00E9, 0x00E9},
    {"CapitalEAcuteUnmapped", 0x00C9, 0x00C9, 0x00C9},
    {"CyrillicSmallAUnmapped", 0x0430, 0x0430, 0x0430},
    {"LastUnit", 0xFFFF, 0xFFFF, 0xFFFF},
};

class CharCase : public ::testing::TestWithParam<CaseMapping> {};

TEST_P(CharCase, RuntimeMappingInTheCLocale) {
    EXPECT_EQ(Char::toUpper(GetParam().unit), GetParam().upper);
    EXPECT_EQ(Char::toLower(GetParam().unit), GetParam().lower);
}

INSTANTIATE_TEST_SUITE_P(Units, CharCase, ::testing::ValuesIn(CASE_MAPPINGS),
                         caseName<CaseMapping>);

TEST(Char, ToStringGivesAOneUnitString) {
    String s = Char::toString('x');
    ASSERT_EQ(s.getLength(), 1u);
    EXPECT_EQ(s.getCStr()[0], 'x');
    EXPECT_EQ(s.getCStr()[1], 0);
    EXPECT_EQ(s.getAllocator(), String::EMPTY.getAllocator());

    // Even the 0 unit is kept as the string's one unit.
    String zero = Char::toString(0);
    ASSERT_EQ(zero.getLength(), 1u);
    EXPECT_EQ(zero.getCStr()[0], 0);
}

TEST(Char, Limits) {
    EXPECT_EQ(Char::MIN_VALUE, 0);
    EXPECT_EQ(Char::MAX_VALUE, 0xFFFF);
}

} // namespace
