// The Unicode conversion routines on their own: every result (0 ok, 1 source
// exhausted, 2 target exhausted, 3 source illegal) of each of the six
// directions, lenient and strict, where the source and target pointers stop,
// that nothing is written past the reported target position, and that each
// measure function reports what its conversion does with unlimited room.
#include "text/ConvertUTF.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace cpp::text::unicode;

enum Direction { U32_TO_16, U16_TO_32, U16_TO_8, U8_TO_16, U32_TO_8, U8_TO_32 };

char const* directionName(Direction d) {
    static char const* const names[] = {"UTF-32 to UTF-16", "UTF-16 to UTF-32", "UTF-16 to UTF-8",
                                        "UTF-8 to UTF-16",  "UTF-32 to UTF-8",  "UTF-8 to UTF-32"};
    return names[d];
}

// A direction's routines over vectors of units held as 32-bit values.
struct Outcome {
    ConversionResult result;
    std::vector<UTF32> written;
    std::size_t consumed;
    bool wroteBeyond; // a unit changed after the reported target position
};

UTF32 const FILL = 0xA5A5A5A5u;

template <class In, class Out, class Fn>
Outcome runConvert(std::vector<UTF32> const& input, std::size_t room, ConversionFlags flags,
                   Fn fn) {
    std::vector<In> in;
    for (UTF32 u : input)
        in.push_back(static_cast<In>(u));
    std::vector<Out> out(room + 4, static_cast<Out>(FILL));
    In const* source = in.data();
    Out* target = out.data();
    Outcome o;
    o.result = fn(&source, in.data() + in.size(), &target, out.data() + room, flags);
    o.consumed = static_cast<std::size_t>(source - in.data());
    o.written.assign(out.data(), target);
    o.wroteBeyond = false;
    for (Out* p = target; p != out.data() + out.size(); ++p)
        if (*p != static_cast<Out>(FILL))
            o.wroteBeyond = true;
    return o;
}

Outcome convert(Direction d, std::vector<UTF32> const& input, std::size_t room,
                ConversionFlags flags) {
    switch (d) {
    case U32_TO_16:
        return runConvert<UTF32, UTF16>(input, room, flags, convertUTF32toUTF16);
    case U16_TO_32:
        return runConvert<UTF16, UTF32>(input, room, flags, convertUTF16toUTF32);
    case U16_TO_8:
        return runConvert<UTF16, UTF8>(input, room, flags, convertUTF16toUTF8);
    case U8_TO_16:
        return runConvert<UTF8, UTF16>(input, room, flags, convertUTF8toUTF16);
    case U32_TO_8:
        return runConvert<UTF32, UTF8>(input, room, flags, convertUTF32toUTF8);
    case U8_TO_32:
    default:
        return runConvert<UTF8, UTF32>(input, room, flags, convertUTF8toUTF32);
    }
}

struct Measured {
    ConversionResult result;
    std::size_t count;
    std::size_t consumed;
};

template <class In, class Fn>
Measured runMeasure(std::vector<UTF32> const& input, ConversionFlags flags, Fn fn) {
    std::vector<In> in;
    for (UTF32 u : input)
        in.push_back(static_cast<In>(u));
    In const* source = in.data();
    Measured m;
    m.count = 12345;
    m.result = fn(&source, in.data() + in.size(), &m.count, flags);
    m.consumed = static_cast<std::size_t>(source - in.data());
    return m;
}

Measured measure(Direction d, std::vector<UTF32> const& input, ConversionFlags flags) {
    switch (d) {
    case U32_TO_16:
        return runMeasure<UTF32>(input, flags, measureUTF32toUTF16);
    case U16_TO_32:
        return runMeasure<UTF16>(input, flags, measureUTF16toUTF32);
    case U16_TO_8:
        return runMeasure<UTF16>(input, flags, measureUTF16toUTF8);
    case U8_TO_16:
        return runMeasure<UTF8>(input, flags, measureUTF8toUTF16);
    case U32_TO_8:
        return runMeasure<UTF32>(input, flags, measureUTF32toUTF8);
    case U8_TO_32:
    default:
        return runMeasure<UTF8>(input, flags, measureUTF8toUTF32);
    }
}

std::size_t const ROOMY = 64;

struct Case {
    char const* name;
    Direction direction;
    ConversionFlags flags;
    std::vector<UTF32> input;
    std::size_t room;
    ConversionResult result;
    std::vector<UTF32> written;
    std::size_t consumed;
};

ConversionFlags const LENIENT = lenientConversion;
ConversionFlags const STRICT = strictConversion;

Case const cases[] = {
    //===-- UTF-32 to UTF-16
    {"BMP and astral",
     U32_TO_16,
     LENIENT,
     {0x41, 0x1F600, 0xFFFF},
     ROOMY,
     conversionOK,
     {0x41, 0xD83D, 0xDE00, 0xFFFF},
     3},
    {"first and last astral values",
     U32_TO_16,
     LENIENT,
     {0x10000, 0x10FFFF},
     ROOMY,
     conversionOK,
     {0xD800, 0xDC00, 0xDBFF, 0xDFFF},
     2},
    {"surrogate values become U+FFFD",
     U32_TO_16,
     LENIENT,
     {0xD800, 0xDBFF, 0xDC00, 0xDFFF},
     ROOMY,
     conversionOK,
     {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD},
     4},
    {"values beyond Unicode become U+FFFD",
     U32_TO_16,
     LENIENT,
     {0x110000, 0xFFFFFFFF, 0x42},
     ROOMY,
     conversionOK,
     {0xFFFD, 0xFFFD, 0x42},
     3},
    {"nothing to convert", U32_TO_16, LENIENT, {}, 0, conversionOK, {}, 0},
    {"a pair with room for one unit",
     U32_TO_16,
     LENIENT,
     {0x41, 0x1F600},
     2,
     targetExhausted,
     {0x41},
     1},
    {"a full target", U32_TO_16, LENIENT, {0x41, 0x42}, 1, targetExhausted, {0x41}, 1},
    {"strict: surrogate value",
     U32_TO_16,
     STRICT,
     {0x41, 0xDC00, 0x42},
     ROOMY,
     sourceIllegal,
     {0x41},
     1},
    {"strict: beyond Unicode", U32_TO_16, STRICT, {0x110000}, ROOMY, sourceIllegal, {}, 0},

    //===-- UTF-16 to UTF-32
    {"pairs combine",
     U16_TO_32,
     LENIENT,
     {0xD83D, 0xDE00, 0x41, 0xD800, 0xDC00, 0xDBFF, 0xDFFF},
     ROOMY,
     conversionOK,
     {0x1F600, 0x41, 0x10000, 0x10FFFF},
     7},
    {"high surrogate as the last unit",
     U16_TO_32,
     LENIENT,
     {0x41, 0xD800},
     ROOMY,
     sourceExhausted,
     {0x41},
     1},
    {"unpaired high surrogate passes on",
     U16_TO_32,
     LENIENT,
     {0xD800, 0x41},
     ROOMY,
     conversionOK,
     {0xD800, 0x41},
     2},
    {"unpaired low surrogate passes on",
     U16_TO_32,
     LENIENT,
     {0x41, 0xDC00},
     ROOMY,
     conversionOK,
     {0x41, 0xDC00},
     2},
    {"reversed pair passes on unit by unit",
     U16_TO_32,
     LENIENT,
     {0xDC00, 0xD800, 0x42},
     ROOMY,
     conversionOK,
     {0xDC00, 0xD800, 0x42},
     3},
    {"two high surrogates, then a low",
     U16_TO_32,
     LENIENT,
     {0xD800, 0xD83D, 0xDE00},
     ROOMY,
     conversionOK,
     {0xD800, 0x1F600},
     3},
    {"a full target", U16_TO_32, LENIENT, {0x41, 0xD83D, 0xDE00}, 1, targetExhausted, {0x41}, 1},
    {"strict: unpaired high surrogate",
     U16_TO_32,
     STRICT,
     {0x41, 0xD800, 0x42},
     ROOMY,
     sourceIllegal,
     {0x41},
     1},
    {"strict: unpaired low surrogate", U16_TO_32, STRICT, {0xDC00}, ROOMY, sourceIllegal, {}, 0},
    {"strict: high surrogate at the end",
     U16_TO_32,
     STRICT,
     {0xD800},
     ROOMY,
     sourceExhausted,
     {},
     0},

    //===-- UTF-16 to UTF-8
    {"one to four bytes",
     U16_TO_8,
     LENIENT,
     {0x41, 0xE9, 0x20AC, 0xD83D, 0xDE00},
     ROOMY,
     conversionOK,
     {0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80},
     5},
    {"length boundaries",
     U16_TO_8,
     LENIENT,
     {0x7F, 0x80, 0x7FF, 0x800, 0xFFFF},
     ROOMY,
     conversionOK,
     {0x7F, 0xC2, 0x80, 0xDF, 0xBF, 0xE0, 0xA0, 0x80, 0xEF, 0xBF, 0xBF},
     5},
    {"largest code point",
     U16_TO_8,
     LENIENT,
     {0xDBFF, 0xDFFF},
     ROOMY,
     conversionOK,
     {0xF4, 0x8F, 0xBF, 0xBF},
     2},
    {"unpaired high surrogate as its own value",
     U16_TO_8,
     LENIENT,
     {0xD800, 0x41},
     ROOMY,
     conversionOK,
     {0xED, 0xA0, 0x80, 0x41},
     2},
    {"unpaired low surrogate as its own value",
     U16_TO_8,
     LENIENT,
     {0xDFFF},
     ROOMY,
     conversionOK,
     {0xED, 0xBF, 0xBF},
     1},
    {"high surrogate as the last unit",
     U16_TO_8,
     LENIENT,
     {0x41, 0xDBFF},
     ROOMY,
     sourceExhausted,
     {0x41},
     1},
    {"three bytes with room for two",
     U16_TO_8,
     LENIENT,
     {0x41, 0x20AC},
     3,
     targetExhausted,
     {0x41},
     1},
    {"a pair with room for three bytes",
     U16_TO_8,
     LENIENT,
     {0xD83D, 0xDE00},
     3,
     targetExhausted,
     {},
     0},
    {"strict: unpaired low surrogate",
     U16_TO_8,
     STRICT,
     {0x41, 0xDC00},
     ROOMY,
     sourceIllegal,
     {0x41},
     1},

    //===-- UTF-8 to UTF-16
    {"one to four bytes",
     U8_TO_16,
     LENIENT,
     {0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80},
     ROOMY,
     conversionOK,
     {0x41, 0xE9, 0x20AC, 0xD83D, 0xDE00},
     10},
    {"smallest and largest of each length",
     U8_TO_16,
     LENIENT,
     {0xC2, 0x80, 0xDF, 0xBF, 0xE0, 0xA0, 0x80, 0xED, 0x9F, 0xBF, 0xEE,
      0x80, 0x80, 0xF0, 0x90, 0x80, 0x80, 0xF4, 0x8F, 0xBF, 0xBF},
     ROOMY,
     conversionOK,
     {0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xD800, 0xDC00, 0xDBFF, 0xDFFF},
     21},
    {"sequence cut by the end",
     U8_TO_16,
     LENIENT,
     {0x41, 0xE2, 0x82},
     ROOMY,
     sourceExhausted,
     {0x41},
     1},
    {"stray continuation byte",
     U8_TO_16,
     LENIENT,
     {0x41, 0x80, 0x42},
     ROOMY,
     sourceIllegal,
     {0x41},
     1},
    {"C0 and C1 start only overlong forms",
     U8_TO_16,
     LENIENT,
     {0xC1, 0xBF},
     ROOMY,
     sourceIllegal,
     {},
     0},
    {"overlong 3-byte form", U8_TO_16, LENIENT, {0xE0, 0x9F, 0xBF}, ROOMY, sourceIllegal, {}, 0},
    {"overlong 4-byte form",
     U8_TO_16,
     LENIENT,
     {0xF0, 0x8F, 0xBF, 0xBF},
     ROOMY,
     sourceIllegal,
     {},
     0},
    {"encoded surrogate", U8_TO_16, LENIENT, {0xED, 0xA0, 0x80}, ROOMY, sourceIllegal, {}, 0},
    {"beyond 10FFFF", U8_TO_16, LENIENT, {0xF4, 0x90, 0x80, 0x80}, ROOMY, sourceIllegal, {}, 0},
    {"F5 lead byte", U8_TO_16, LENIENT, {0xF5, 0x80, 0x80, 0x80}, ROOMY, sourceIllegal, {}, 0},
    {"missing continuation byte",
     U8_TO_16,
     LENIENT,
     {0xE2, 0x41, 0x42},
     ROOMY,
     sourceIllegal,
     {},
     0},
    {"five-byte form",
     U8_TO_16,
     LENIENT,
     {0xF8, 0x88, 0x80, 0x80, 0x80},
     ROOMY,
     sourceIllegal,
     {},
     0},
    // The length comes from the first byte before anything else is looked
    // at: a sequence cut by the end counts as such even when its bytes so far
    // could never be completed.
    {"cut sequence with a bad second byte",
     U8_TO_16,
     LENIENT,
     {0x41, 0xE2, 0x41},
     ROOMY,
     sourceExhausted,
     {0x41},
     1},
    {"FF announces six bytes", U8_TO_16, LENIENT, {0xFF, 0x41}, ROOMY, sourceExhausted, {}, 0},
    {"astral with room for one unit",
     U8_TO_16,
     LENIENT,
     {0x41, 0xF0, 0x9F, 0x98, 0x80},
     2,
     targetExhausted,
     {0x41},
     1},
    {"a full target", U8_TO_16, LENIENT, {0x41, 0x42}, 1, targetExhausted, {0x41}, 1},

    //===-- UTF-32 to UTF-8
    {"length boundaries",
     U32_TO_8,
     LENIENT,
     {0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF},
     ROOMY,
     conversionOK,
     {0x7F, 0xC2, 0x80, 0xDF, 0xBF, 0xE0, 0xA0, 0x80, 0xEF, 0xBF, 0xBF, 0xF0, 0x90, 0x80, 0x80,
      0xF4, 0x8F, 0xBF, 0xBF},
     7},
    {"surrogate values become U+FFFD",
     U32_TO_8,
     LENIENT,
     {0xD800, 0x41},
     ROOMY,
     conversionOK,
     {0xEF, 0xBF, 0xBD, 0x41},
     2},
    {"values beyond Unicode become U+FFFD",
     U32_TO_8,
     LENIENT,
     {0x110000},
     ROOMY,
     conversionOK,
     {0xEF, 0xBF, 0xBD},
     1},
    {"four bytes with room for three",
     U32_TO_8,
     LENIENT,
     {0x41, 0x1F600},
     4,
     targetExhausted,
     {0x41},
     1},
    {"strict: surrogate value", U32_TO_8, STRICT, {0xDFFF}, ROOMY, sourceIllegal, {}, 0},
    {"strict: beyond Unicode",
     U32_TO_8,
     STRICT,
     {0x41, 0x7FFFFFFF},
     ROOMY,
     sourceIllegal,
     {0x41},
     1},

    //===-- UTF-8 to UTF-32
    {"one to four bytes",
     U8_TO_32,
     LENIENT,
     {0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80},
     ROOMY,
     conversionOK,
     {0x41, 0xE9, 0x20AC, 0x1F600},
     10},
    {"3-byte sequence cut by the end",
     U8_TO_32,
     LENIENT,
     {0xE3, 0x81},
     ROOMY,
     sourceExhausted,
     {},
     0},
    {"4-byte sequence cut by the end",
     U8_TO_32,
     LENIENT,
     {0x41, 0xF0, 0x9F, 0x98},
     ROOMY,
     sourceExhausted,
     {0x41},
     1},
    {"malformed after good text",
     U8_TO_32,
     LENIENT,
     {0x41, 0x42, 0xC0, 0xAF},
     ROOMY,
     sourceIllegal,
     {0x41, 0x42},
     2},
    {"a full target", U8_TO_32, LENIENT, {0x41, 0xC3, 0xA9}, 1, targetExhausted, {0x41}, 1},
    {"nothing to convert", U8_TO_32, LENIENT, {}, 0, conversionOK, {}, 0},
};

std::string show(std::vector<UTF32> const& v) {
    std::string out;
    char buf[16];
    for (UTF32 u : v) {
        std::snprintf(buf, sizeof buf, "%s%X", out.empty() ? "" : " ", u);
        out += buf;
    }
    return out;
}

TEST(ConvertUTF, ResultsAndPositions) {
    for (Case const& c : cases) {
        SCOPED_TRACE(std::string(directionName(c.direction)) + ": " + c.name);
        Outcome o = convert(c.direction, c.input, c.room, c.flags);
        EXPECT_EQ(o.result, c.result);
        EXPECT_EQ(show(o.written), show(c.written));
        EXPECT_EQ(o.consumed, c.consumed);
        EXPECT_FALSE(o.wroteBeyond) << "a unit was written after the target position";
    }
}

// Counting runs the same walk: same result and source position as the
// conversion with room to spare, and the units it would write.
TEST(ConvertUTF, MeasureMatchesTheConversion) {
    for (Case const& c : cases) {
        SCOPED_TRACE(std::string(directionName(c.direction)) + ": " + c.name);
        Outcome roomy = convert(c.direction, c.input, 4 * c.input.size() + 4, c.flags);
        ASSERT_NE(roomy.result, targetExhausted);
        Measured m = measure(c.direction, c.input, c.flags);
        EXPECT_EQ(m.result, roomy.result);
        EXPECT_EQ(m.count, roomy.written.size());
        EXPECT_EQ(m.consumed, roomy.consumed);
    }
}

// Every code point survives a trip through each pair of forms.
TEST(ConvertUTF, RoundTripsOverAllOfUnicode) {
    std::vector<UTF32> all;
    for (UTF32 c = 0; c <= MAX_LEGAL_UTF32; c += (c < 0x10000 ? 1 : 61))
        if (c < 0xD800 || c > 0xDFFF)
            all.push_back(c);
    all.push_back(MAX_LEGAL_UTF32);

    Outcome to16 = convert(U32_TO_16, all, 2 * all.size(), STRICT);
    ASSERT_EQ(to16.result, conversionOK);
    Outcome back32 = convert(U16_TO_32, to16.written, all.size(), STRICT);
    ASSERT_EQ(back32.result, conversionOK);
    EXPECT_TRUE(back32.written == all);

    Outcome to8 = convert(U32_TO_8, all, 4 * all.size(), STRICT);
    ASSERT_EQ(to8.result, conversionOK);
    Outcome from8 = convert(U8_TO_32, to8.written, all.size(), STRICT);
    ASSERT_EQ(from8.result, conversionOK);
    EXPECT_TRUE(from8.written == all);

    Outcome to8from16 = convert(U16_TO_8, to16.written, 4 * all.size(), STRICT);
    ASSERT_EQ(to8from16.result, conversionOK);
    EXPECT_TRUE(to8from16.written == to8.written);
    Outcome to16from8 = convert(U8_TO_16, to8.written, 2 * all.size(), STRICT);
    ASSERT_EQ(to16from8.result, conversionOK);
    EXPECT_TRUE(to16from8.written == to16.written);
}

} // namespace
