// StringMatcher: wildcard patterns and extension lists over file names.
//
// Two tables of named rows, one per mode, each row run with the third
// construction flag off and on (it must not change a verdict). Around them:
// blank patterns, the case rule for units beyond ASCII, repeated use of one
// matcher, copies, the allocator the matcher keeps its pattern on, odd units
// in patterns and texts, and a randomized cross-check of wildcard matching
// against a straightforward dynamic-programming matcher.
//
// Wildcard matching is complete: a '*' takes any run, so "?*b" accepts "xyb"
// and "*b?c*" accepts "xbzcqc" (the segment b?c fits at its second try).
// When the text runs out, only '*' tokens may remain: "a?c" rejects "ac" and
// "xy*zw" rejects "zw".
#include "wux/text/StringMatcher.h"
#include "wux/lang/Char.h"
#include "wux/lang/String.h"

#include "TestAllocator.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using cpp::lang::Char;
using cpp::lang::String;
using cpp::text::StringMatcher;
using wuxtest::TestAllocator;

template <typename T> std::string caseName(::testing::TestParamInfo<T> const& info) {
    return std::string(info.param.name);
}

// The units of a wide text as printable ASCII (others as \uXXXX), for
// failure messages.
std::string show(String const& s) {
    static char const HEX[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned int i = 0; i < s.getLength(); ++i) {
        unsigned short c = s.getCStr()[i];
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out.push_back(HEX[(c >> shift) & 0xF]);
        }
    }
    return out;
}

struct MatchCase {
    char const* name;
    wchar_t const* pattern;
    wchar_t const* text;
    bool expected;
};

void PrintTo(MatchCase const& c, std::ostream* os) {
    *os << c.name;
}

//===-- Wildcard mode ------------------------------------------------------===//

MatchCase const WILDCARD_CASES[] = {
    // Literals alone: the whole text, ignoring case.
    {"LiteralEqualText", L"abc", L"abc", true},
    {"LiteralOtherCase", L"abc", L"AbC", true},
    {"LiteralShorterThanText", L"abc", L"abcd", false},
    {"LiteralTextHasPrefix", L"abc", L"xabc", false},
    {"LiteralLongerThanText", L"abc", L"ab", false},
    {"LiteralEmptyText", L"abc", L"", false},
    {"LiteralOtherUnit", L"abc", L"abd", false},
    {"DotIsLiteralInWildcardMode", L"a.b", L"a.b", true},
    {"WildcardModeIsNotAnExtensionList", L"txt", L"a.txt", false},

    // '*' alone and at either end.
    {"StarAcceptsEmptyText", L"*", L"", true},
    {"StarAcceptsAnyText", L"*", L"any.thing", true},
    {"StarDotTxtIgnoresCase", L"*.TXT", L"report.txt", true},
    {"StarDotTxtRejectsLaterExtension", L"*.TXT", L"report.txt.bak", false},
    {"StarDotTxtNeedsTheDot", L"*.txt", L"atxt", false},
    {"StarDotTxtAcceptsBareExtension", L"*.txt", L".txt", true},
    {"StarCrossesBackslashes", L"*.txt", L"dir\\sub\\a.txt", true},
    {"TrailingStarAcceptsNothingMore", L"a*", L"a", true},
    {"TrailingStarAcceptsRest", L"a*", L"abc", true},
    {"TrailingStarNeedsThePrefix", L"a*", L"ba", false},
    {"TrailingStarEmptyText", L"a*", L"", false},
    {"LeadingStarAcceptsPrefix", L"*a", L"ba", true},
    {"LeadingStarNeedsTheSuffix", L"*a", L"ab", false},
    {"StarsAroundFindInside", L"*b*", L"abc", true},
    {"StarsAroundMissing", L"*b*", L"ac", false},
    {"StarsAroundCaseIgnored", L"*B*", L"abc", true},

    // Stars between literals.
    {"StarBetweenTakesNothing", L"xy*zw", L"xyzw", true},
    {"StarBetweenTakesRun", L"xy*zw", L"XY123ZW", true},
    {"StarBetweenNeedsLeftLiteralFirst", L"xy*zw", L"axyzw", false},
    {"StarBetweenNeedsRightLiteralLast", L"xy*zw", L"xyzwq", false},
    {"TextRunsOutBeforeLeftLiteral", L"xy*zw", L"zw", false},
    {"LiteralsMayNotShareUnits", L"a*a", L"a", false},
    {"LiteralsEachTakeAUnit", L"a*a", L"aa", true},
    {"ThreeLiteralsInOrder", L"a*b*c", L"aXbYc", true},
    {"ThreeLiteralsAdjacent", L"a*b*c", L"abc", true},
    {"ThreeLiteralsOutOfOrder", L"a*b*c", L"acb", false},
    {"MiddleLiteralLongerThanRest", L"a*bcd*e", L"abce", false},
    {"MiddleLiteralAbsent", L"a*q*c", L"abc", false},
    {"AdjacentStarsAsOne", L"a**b", L"ab", true},
    {"AdjacentStarsTakeRun", L"a**b", L"axxb", true},
    {"RepeatedSegmentBothFound", L"*ab*ab", L"abab", true},
    {"RepeatedSegmentOnlyOnce", L"*ab*ab", L"xab", false},
    {"SegmentsMayNotOverlap", L"*aba*aba", L"ababa", false},
    {"SegmentsSideBySide", L"*aba*aba", L"abaaba", true},
    {"SuffixAmongRepeats", L"*aa", L"aaa", true},

    // '?' takes exactly one unit that is there.
    {"QuestionMarkAnyLetter", L"a?c", L"ABC", true},
    {"QuestionMarkNeedsAUnit", L"a?c", L"ac", false},
    {"QuestionMarkOnlyOneUnit", L"a?c", L"abbc", false},
    {"LoneQuestionMarkOneUnit", L"?", L"a", true},
    {"LoneQuestionMarkEmptyText", L"?", L"", false},
    {"LoneQuestionMarkTwoUnits", L"?", L"ab", false},
    {"QuestionMarksCountUnits", L"???", L"abc", true},
    {"QuestionMarksTooFewUnits", L"???", L"ab", false},
    {"QuestionMarksTooManyUnits", L"???", L"abcd", false},
    {"QuestionMarkBeforeStartOfText", L"?abc", L"abc", false},
    {"QuestionMarkAtStartOfText", L"?abc", L"xabc", true},
    {"StarQuestionMarkEmptyText", L"*?", L"", false},
    {"StarQuestionMarkOneUnit", L"*?", L"a", true},
    {"QuestionMarkStarEmptyText", L"?*", L"", false},
    {"QuestionMarkStarLongText", L"?*", L"abc", true},
    {"StarQuestionMarkBeforeStartOfText", L"*?abc", L"abc", false},
    {"StarQuestionMarkBeforeLiteral", L"*?abc", L"xabc", true},
    {"TrailingStarQuestionMark", L"a*?", L"ab", true},
    {"TrailingStarQuestionMarkNoUnit", L"a*?", L"a", false},

    // Leading '?' followed by '*': the star takes what the '?' leaves.
    {"QuestionMarkThenStarTakesRest", L"?*b", L"xyb", true},
    {"QuestionMarkThenStarTakesNothing", L"?*b", L"xb", true},
    {"QuestionMarkThenStarNeedsAUnit", L"?*b", L"b", false},
    {"QuestionMarkStarDotTxt", L"?*.txt", L"ab.txt", true},

    // A segment with '?' between stars is tried at each place in turn.
    {"SegmentFitsAtEarlierPlace", L"*b?c*", L"xbzcqc", true},
    {"SegmentFitsAtLastPlace", L"*b?c*", L"bxc", true},
    {"SegmentTooShortText", L"*b?c*", L"bc", false},
    {"PinnedEndsAndSegmentWithQuestionMark", L"a*b?c*d", L"abzcqcd", true},
    {"SegmentWithQuestionMarkAbsent", L"a*b?c*d", L"abcqcd", false},

    // Only trailing stars may be left when the text runs out.
    {"TextRunsOutBeforeStars", L"*a*", L"a", true},
    {"TextRunsOutBeforeLeadingStars", L"**abc", L"abc", true},
    {"TextRunsOutBeforeLiteralAndStar", L"x*abc", L"abc", false},

    // Blanks: the pattern is trimmed of U+0020 only, the text never.
    {"PatternBlanksTrimmed", L"  *.txt  ", L"a.txt", true},
    {"PatternInnerBlankKept", L"my *.txt", L"my file.txt", true},
    {"PatternInnerBlankRequired", L"my *.txt", L"myfile.txt", false},
    {"TextLeadingBlankKept", L"a.txt", L" a.txt", false},
    {"TextTrailingBlankKept", L"a.txt", L"a.txt ", false},
    {"PatternTabNotTrimmed", L"\t*.txt", L"a.txt", false},
    {"PatternTabIsALiteral", L"\t*.txt", L"\ta.txt", true},

    // Wildcard units in the text are ordinary units.
    {"TextQuestionMarkMatchedByQuestionMark", L"a?c", L"a?c", true},
    {"TextStarMatchedByStar", L"a*", L"a*", true},
    {"TextStarIsNoWildcard", L"abc", L"a*c", false},

    // UTF-16 code units, no surrogate awareness.
    {"QuestionMarksTakeSurrogatePair", L"??", L"\U0001F600", true},
    {"QuestionMarkTakesHalfAPair", L"?", L"\U0001F600", false},
    {"StarBeforeSurrogatePair", L"*\U0001F600", L"x\U0001F600", true},
    {"NonAsciiLiteralSameUnit", L"caf\u00e9*", L"caf\u00e9.txt", true},
};

class StringMatcherWildcard : public ::testing::TestWithParam<MatchCase> {};

TEST_P(StringMatcherWildcard, Match) {
    MatchCase const& c = GetParam();
    for (bool flag : {false, true}) {
        SCOPED_TRACE(flag ? "flag on" : "flag off");
        StringMatcher m(String(c.pattern), false, flag);
        EXPECT_EQ(m.match(String(c.text)), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, StringMatcherWildcard, ::testing::ValuesIn(WILDCARD_CASES),
                         caseName<MatchCase>);

//===-- Extension mode -----------------------------------------------------===//

MatchCase const EXTENSION_CASES[] = {
    {"FirstExtensionOtherCase", L"txt.log", L"a.TXT", true},
    {"SecondExtension", L"txt.log", L"b.log", true},
    {"OtherExtension", L"txt.log", L"c.doc", false},
    {"NoDotInText", L"txt.log", L"readme", false},
    {"TextEndsWithDot", L"txt.log", L"name.", false},
    {"EmptyText", L"txt.log", L"", false},
    {"PatternUpperCase", L"TXT", L"a.txt", true},
    {"LastDotCounts", L"txt", L"a.txt.bak", false},
    {"LastExtensionOfSeveral", L"bak", L"a.txt.bak", true},
    {"DoubleExtensionListFirst", L"tar.gz", L"x.tar", true},
    {"DoubleExtensionListSecond", L"tar.gz", L"x.tar.gz", true},
    {"TextStartsWithDot", L"bashrc", L".bashrc", true},
    {"TextIsADot", L"txt", L".", false},
    {"ExtensionIsNotPrefix", L"tx", L"a.txt", false},
    {"ExtensionLongerThanTextsOne", L"txt", L"a.tx", false},
    {"ExtensionIsNotSuffix", L"xt", L"a.txt", false},
    {"PatternWithLeadingDot", L".txt", L"a.txt", true},
    {"PatternWithTrailingDot", L"txt.", L"a.txt", true},
    {"PatternWithAdjacentDots", L"txt..log", L"a.log", true},
    {"DotOnlyPatternMatchesNothing", L".", L"a.txt", false},
    {"DotsOnlyPatternMatchesNothing", L"...", L"a.b", false},
    {"PatternBlanksTrimmed", L"  txt.log  ", L"a.log", true},
    {"BlankInsideListBelongsToExtension", L"txt. log", L"a.log", false},
    {"BlankInsideListMatchesBlankExtension", L"txt. log", L"a. log", true},
    {"StarIsLiteralExtension", L"*", L"a.txt", false},
    {"StarMatchesStarExtension", L"*", L"a.*", true},
    {"QuestionMarkIsLiteral", L"t?t", L"a.txt", false},
    {"QuestionMarkMatchesItself", L"t?t", L"a.t?t", true},
    {"DotInFolderName", L"d", L"dir.d\\readme", false},
};

class StringMatcherExtension : public ::testing::TestWithParam<MatchCase> {};

TEST_P(StringMatcherExtension, Match) {
    MatchCase const& c = GetParam();
    for (bool flag : {false, true}) {
        SCOPED_TRACE(flag ? "flag on" : "flag off");
        StringMatcher m(String(c.pattern), true, flag);
        EXPECT_EQ(m.match(String(c.text)), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, StringMatcherExtension, ::testing::ValuesIn(EXTENSION_CASES),
                         caseName<MatchCase>);

//===-- Both modes ---------------------------------------------------------===//

TEST(StringMatcher, BlankPatternAcceptsEverything) {
    wchar_t const* const patterns[] = {L"", L" ", L"     "};
    wchar_t const* const texts[] = {L"", L" ", L"a", L"a.txt", L"name.", L"readme"};
    for (bool extensionMode : {false, true}) {
        for (wchar_t const* p : patterns) {
            StringMatcher m(String(p), extensionMode, false);
            for (wchar_t const* t : texts) {
                SCOPED_TRACE(show(String(p)) + " / " + show(String(t)));
                EXPECT_TRUE(m.match(String(t)));
            }
        }
    }
}

// Beyond ASCII, two units are equal ignoring case as String::compareIgnoreCase
// decides: by Char::toUpper, or Char::toLower of those upper-case units. The
// runtime's locale decides whether e-acute and E-acute are such a pair, so
// the expectation is taken from Char.
TEST(StringMatcher, CaseBeyondAsciiFollowsCharMapping) {
    unsigned short const lower = 0x00E9; // e-acute
    unsigned short const upper = 0x00C9; // E-acute
    bool const folded = Char::toUpper(lower) == Char::toUpper(upper) ||
                        Char::toLower(Char::toUpper(lower)) == Char::toLower(Char::toUpper(upper));

    StringMatcher anchored(String(L"caf\u00e9"));
    EXPECT_EQ(anchored.match(String(L"CAF\u00c9")), folded);
    StringMatcher searched(String(L"*\u00e9*"));
    EXPECT_EQ(searched.match(String(L"x\u00c9x")), folded);
    StringMatcher extension(String(L"\u00e9xt"), true);
    EXPECT_EQ(extension.match(String(L"a.\u00c9XT")), folded);

    // The same unit always matches itself, whatever the locale.
    EXPECT_TRUE(anchored.match(String(L"CAF\u00e9")));
    EXPECT_TRUE(searched.match(String(L"x\u00e9x")));
    EXPECT_TRUE(extension.match(String(L"a.\u00e9XT")));
}

// Every row of a pattern through one matcher, twice over: a verdict must not
// depend on the texts the matcher saw before.
TEST(StringMatcher, OneMatcherServesManyTexts) {
    std::map<std::wstring, std::vector<MatchCase const*>> byPattern;
    for (MatchCase const& c : WILDCARD_CASES)
        byPattern[c.pattern].push_back(&c);
    for (auto const& entry : byPattern) {
        StringMatcher m(String(entry.first.c_str()));
        for (int round = 0; round < 2; ++round) {
            for (MatchCase const* c : entry.second) {
                SCOPED_TRACE(c->name);
                EXPECT_EQ(m.match(String(c->text)), c->expected);
            }
        }
    }
}

TEST(StringMatcher, CopiesMatchOnTheirOwn) {
    StringMatcher* original = new StringMatcher(String(L"*.txt"));
    StringMatcher copy(*original);
    StringMatcher assigned(String(L"log"), true);
    assigned = *original;
    delete original;

    for (StringMatcher const* m : {&copy, &assigned}) {
        EXPECT_TRUE(m->match(String(L"a.TXT")));
        EXPECT_FALSE(m->match(String(L"a.log")));
        EXPECT_FALSE(m->match(String(L"a.txt.bak")));
    }
}

TEST(StringMatcher, AssignmentTakesOverTheMode) {
    StringMatcher m(String(L"*.txt"));
    m = StringMatcher(String(L"log.txt"), true);
    EXPECT_TRUE(m.match(String(L"a.log")));
    EXPECT_FALSE(m.match(String(L"a.txt.bak")));

    m = StringMatcher(String(L"  "), true);
    EXPECT_TRUE(m.match(String(L"readme")));

    m = StringMatcher(String(L"a?c"));
    EXPECT_TRUE(m.match(String(L"abc")));
    EXPECT_FALSE(m.match(String(L"ac")));
}

TEST(StringMatcher, SelfAssignmentKeepsThePattern) {
    StringMatcher m(String(L"a*b"));
    StringMatcher& alias = m;
    m = alias;
    EXPECT_TRUE(m.match(String(L"axxb")));
    EXPECT_FALSE(m.match(String(L"axxc")));
}

// The matcher keeps its pattern on the default allocator, not on the
// allocator of the pattern the caller passes.
TEST(StringMatcher, KeepsNothingOnTheCallersAllocator) {
    TestAllocator alloc;
    StringMatcher* m = nullptr;
    {
        String pattern(L"  *.txt ", &alloc);
        std::size_t const before = alloc.liveBlocks();
        m = new StringMatcher(pattern);
        EXPECT_EQ(alloc.liveBlocks(), before);
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_TRUE(m->match(String(L"a.txt")));
    EXPECT_FALSE(m->match(String(L"a.doc")));
    delete m;
}

TEST(StringMatcher, TextsOnOtherAllocatorsMatch) {
    TestAllocator alloc;
    StringMatcher m(String(L"a?c"));
    EXPECT_TRUE(m.match(String(L"abc", &alloc)));
    EXPECT_FALSE(m.match(String(L"ac", &alloc)));
}

// Units with no meaning to the matcher, 0 among them, are ordinary units in
// patterns and texts alike.
TEST(StringMatcher, ZeroUnitsAreOrdinaryUnits) {
    unsigned short const patternUnits[] = {'a', '?', 'b', 0, '*'};
    unsigned short const textUnits[] = {'a', 0, 'b', 0, 'z'};
    StringMatcher m(String(patternUnits, 5));
    EXPECT_TRUE(m.match(String(textUnits, 5)));
    EXPECT_TRUE(m.match(String(textUnits, 4)));
    EXPECT_FALSE(m.match(String(textUnits, 3)));

    unsigned short const extUnits[] = {'t', 0, 't'};
    unsigned short const nameUnits[] = {'a', '.', 't', 0, 'T'};
    StringMatcher e(String(extUnits, 3), true);
    EXPECT_TRUE(e.match(String(nameUnits, 5)));
    EXPECT_FALSE(e.match(String(nameUnits, 4)));
}

// A derived class may apply the extension rule on its own.
class ExtensionProbe : public StringMatcher {
public:
    using StringMatcher::matchExtension;
    using StringMatcher::StringMatcher;
};

TEST(StringMatcher, MatchExtensionFromDerivedClass) {
    // A blank pattern holds no extension: everything passes.
    EXPECT_TRUE(ExtensionProbe(String(L" "), true).matchExtension(String(L"readme")));
    ExtensionProbe probe(String(L"txt.log"), true);
    EXPECT_TRUE(probe.matchExtension(String(L"a.LOG")));
    EXPECT_FALSE(probe.matchExtension(String(L"a.log.")));
}

//===-- Cross-check --------------------------------------------------------===//

// Glob matching by dynamic programming over (pattern prefix, text prefix),
// ASCII letters folded: the reference for the randomized comparison.
bool referenceMatch(std::string const& pattern, std::string const& text) {
    auto fold = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    std::vector<std::vector<bool>> ok(pattern.size() + 1, std::vector<bool>(text.size() + 1));
    ok[0][0] = true;
    for (std::size_t i = 1; i <= pattern.size(); ++i) {
        char const p = pattern[i - 1];
        for (std::size_t j = 0; j <= text.size(); ++j) {
            if (p == '*')
                ok[i][j] = ok[i - 1][j] || (j > 0 && ok[i][j - 1]);
            else
                ok[i][j] = j > 0 && ok[i - 1][j - 1] && (p == '?' || fold(p) == fold(text[j - 1]));
        }
    }
    return ok[pattern.size()][text.size()];
}

TEST(StringMatcher, AgreesWithReferenceOnRandomPatterns) {
    std::mt19937 random(20261207u);
    char const patternUnits[] = {'a', 'b', 'A', '*', '?'};
    char const textUnits[] = {'a', 'b', 'B'};
    int mismatches = 0;
    for (int round = 0; round < 20000 && mismatches < 10; ++round) {
        std::string pattern;
        std::size_t const patternLength = random() % 8;
        for (std::size_t i = 0; i < patternLength; ++i)
            pattern.push_back(patternUnits[random() % sizeof patternUnits]);
        std::string text;
        std::size_t const textLength = random() % 10;
        for (std::size_t i = 0; i < textLength; ++i)
            text.push_back(textUnits[random() % sizeof textUnits]);

        // An empty pattern makes a disabled matcher, which accepts all.
        bool const expected = pattern.empty() || referenceMatch(pattern, text);
        if (StringMatcher(String(pattern.c_str())).match(String(text.c_str())) != expected) {
            ++mismatches;
            ADD_FAILURE() << "pattern \"" << pattern << "\" text \"" << text << "\": expected "
                          << expected;
        }
    }
}

} // namespace
