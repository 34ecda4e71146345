// CharBuffer and WCharBuffer: conversions into reusable buffers, the static
// empty results, the allocator they use and failures that leave them usable.

#include "TestAllocator.h"

#include "wux/lang/ArgumentException.h"
#include "wux/lang/CharBuffer.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/String.h"
#include "wux/lang/WCharBuffer.h"
#include "wux/text/ASCIIConversion.h"
#include "wux/text/UTF16BEConversion.h"
#include "wux/text/UTF16LEConversion.h"
#include "wux/text/UTF8Conversion.h"

#include <gtest/gtest.h>

#include <string>

using cpp::lang::ArgumentException;
using cpp::lang::CharBuffer;
using cpp::lang::IAllocator;
using cpp::lang::NotImplementedException;
using cpp::lang::OutOfMemoryException;
using cpp::lang::String;
using cpp::lang::WCharBuffer;
using cpp::text::ASCIIConversion;
using cpp::text::UTF16BEConversion;
using cpp::text::UTF16LEConversion;
using cpp::text::UTF8Conversion;
using wuxtest::TestAllocator;

namespace {

template <typename T> std::string caseName(::testing::TestParamInfo<T> const& info) {
    return std::string(info.param.name);
}

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

// The bytes at p, n of them and the byte after them.
std::string bytesWithTerminator(char const* p, unsigned int n) {
    return std::string(p, n + 1);
}

std::u16string unitsWithTerminator(unsigned short const* p, unsigned int n) {
    return std::u16string(reinterpret_cast<char16_t const*>(p), n + 1);
}

//===-- CharBuffer ----------------------------------------------------------===//

struct ToCharsCase {
    char const* name;
    wchar_t const* text;
    int conversion; // 0 ASCII, 1 UTF-8, 2 UTF-16LE
    std::string bytes;
};

ToCharsCase const TO_CHARS_CASES[] = {
    {"AsciiText", L"abc", 0, "abc"},
    {"Utf8OfLatin", L"caf\u00e9", 1, "caf\xC3\xA9"},
    {"Utf8OfCjk", L"\u4e2d", 1, "\xE4\xB8\xAD"},
    {"Utf8OfSurrogatePair", L"\xD83D\xDE00", 1, "\xF0\x9F\x98\x80"},
    {"Utf16LeBytes", L"ab", 2, std::string("a\0b\0", 4)},
};

class CharBufferToChars : public ::testing::TestWithParam<ToCharsCase> {};

TEST_P(CharBufferToChars, ConvertsAndTerminates) {
    ASCIIConversion ascii;
    UTF8Conversion utf8;
    UTF16LEConversion utf16;
    cpp::text::Conversion const* conversions[] = {&ascii, &utf8, &utf16};

    CharBuffer buffer;
    unsigned int n = 12345;
    char const* p = buffer.toChars(conversions[GetParam().conversion], String(GetParam().text), &n);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(n, GetParam().bytes.size());
    EXPECT_EQ(bytesWithTerminator(p, n), GetParam().bytes + '\0');
}

INSTANTIATE_TEST_SUITE_P(Texts, CharBufferToChars, ::testing::ValuesIn(TO_CHARS_CASES),
                         caseName<ToCharsCase>);

TEST(CharBuffer, NullConversionThrowsWithArgumentConv) {
    CharBuffer buffer;
    // The conversion is checked before the empty-string shortcut.
    for (wchar_t const* s : {L"abc", L""}) {
        try {
            buffer.toChars(nullptr, String(s), nullptr);
            ADD_FAILURE() << "no ArgumentException";
        } catch (ArgumentException const& e) {
            EXPECT_EQ(text(e.getArgumentName()), L"conv");
        }
    }
}

TEST(CharBuffer, EmptyStringGivesAStaticEmptyTextWithoutAllocating) {
    TestAllocator alloc;
    UTF8Conversion utf8;
    CharBuffer buffer(&alloc);
    unsigned int n = 99;
    char const* p = buffer.toChars(&utf8, String(), &n);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(*p, '\0');
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(alloc.mallocCalls(), 0u);
    EXPECT_FALSE(alloc.owns(p));
    // A null length pointer is allowed.
    EXPECT_EQ(*buffer.toChars(&utf8, String(), nullptr), '\0');
}

TEST(CharBuffer, BufferIsReusedUntilATextNeedsMore) {
    TestAllocator alloc;
    UTF8Conversion utf8;
    {
        CharBuffer buffer(&alloc);
        EXPECT_EQ(buffer.getAllocator(), &alloc);
        unsigned int n = 0;
        char const* first = buffer.toChars(&utf8, String(L"hello"), &n);
        EXPECT_EQ(alloc.mallocCalls(), 1u);
        ASSERT_EQ(alloc.requests().size(), 1u);
        EXPECT_EQ(alloc.requests()[0], 6u); // the bytes and a terminator
        EXPECT_TRUE(alloc.owns(first));

        // Shorter and equal sizes reuse the buffer.
        char const* second = buffer.toChars(&utf8, String(L"hi"), &n);
        EXPECT_EQ(second, first);
        EXPECT_EQ(bytesWithTerminator(second, n), std::string("hi", 3));
        buffer.toChars(&utf8, String(L"world"), &n);
        EXPECT_EQ(alloc.mallocCalls(), 1u);

        // A longer one replaces it.
        char const* third = buffer.toChars(&utf8, String(L"goodbye"), &n);
        EXPECT_EQ(bytesWithTerminator(third, n), std::string("goodbye", 8));
        EXPECT_EQ(alloc.mallocCalls(), 2u);
        EXPECT_EQ(alloc.freeCalls(), 1u);
        EXPECT_EQ(alloc.liveBlocks(), 1u);
    }
    // The destructor gives the buffer back.
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
}

TEST(CharBuffer, DefaultAllocatorWhenNoneGiven) {
    CharBuffer buffer;
    EXPECT_EQ(buffer.getAllocator(), IAllocator::getWUXAllocator());
    CharBuffer other(nullptr);
    EXPECT_EQ(other.getAllocator(), IAllocator::getWUXAllocator());
}

TEST(CharBuffer, CopyTakesTheAllocatorButNotTheBuffer) {
    TestAllocator alloc;
    UTF8Conversion utf8;
    {
        CharBuffer buffer(&alloc);
        char const* p = buffer.toChars(&utf8, String(L"abc"), nullptr);
        CharBuffer copy(buffer);
        EXPECT_EQ(copy.getAllocator(), &alloc);
        EXPECT_EQ(copy.getCapacity(), 0u);
        char const* q = copy.toChars(&utf8, String(L"xyz"), nullptr);
        EXPECT_NE(q, p);
        EXPECT_EQ(std::string(p), "abc"); // the original's text is untouched
        EXPECT_EQ(alloc.liveBlocks(), 2u);

        CharBuffer assigned;
        assigned = buffer;
        EXPECT_EQ(assigned.getAllocator(), &alloc);
        EXPECT_EQ(assigned.getCapacity(), 0u);
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
}

TEST(CharBuffer, FailedGrowthLeavesTheBufferUsable) {
    TestAllocator alloc;
    UTF8Conversion utf8;
    {
        CharBuffer buffer(&alloc);
        buffer.toChars(&utf8, String(L"ab"), nullptr);
        alloc.failNext(1);
        EXPECT_THROW(buffer.toChars(&utf8, String(L"longer text"), nullptr), OutOfMemoryException);
        unsigned int n = 0;
        char const* p = buffer.toChars(&utf8, String(L"longer text"), &n);
        EXPECT_EQ(bytesWithTerminator(p, n), std::string("longer text", 12));
    }
    // Every block was given back once, and only blocks of this allocator.
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
}

TEST(CharBuffer, ConversionFailuresPropagate) {
    UTF16BEConversion utf16be;
    CharBuffer buffer;
    EXPECT_THROW(buffer.toChars(&utf16be, String(L"abc"), nullptr), NotImplementedException);
    UTF8Conversion utf8;
    unsigned int n = 0;
    char const* p = buffer.toChars(&utf8, String(L"ok"), &n);
    EXPECT_EQ(bytesWithTerminator(p, n), std::string("ok", 3));
}

//===-- WCharBuffer ---------------------------------------------------------===//

TEST(WCharBuffer, CountedFormConvertsTheBytesGiven) {
    UTF8Conversion utf8;
    WCharBuffer buffer;
    unsigned int n = 12345;
    unsigned short const* p = buffer.toWChars(&utf8, "caf\xC3\xA9!!", 5, &n);
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(unitsWithTerminator(p, n), std::u16string(u"caf\u00e9") + u'\0');

    // Only the count limits the source: a 0 byte inside is converted.
    p = buffer.toWChars(&utf8, "a\0b", 3, &n);
    EXPECT_EQ(unitsWithTerminator(p, n), std::u16string(u"a\0b\0", 4));
}

TEST(WCharBuffer, TerminatedFormReadsUpToTheFirstZeroByte) {
    UTF8Conversion utf8;
    WCharBuffer buffer;
    unsigned int n = 0;
    unsigned short const* p = buffer.toWChars(&utf8,
                                              "\xE4\xB8\xAD"
                                              "x",
                                              &n);
    EXPECT_EQ(unitsWithTerminator(p, n), std::u16string(u"\u4e2dx") + u'\0');
}

TEST(WCharBuffer, SourceIsReadInTheEncodingOfTheConversion) {
    // A UTF-16LE conversion names UTF-16LE input: the bytes are copied.
    UTF16LEConversion utf16;
    WCharBuffer buffer;
    unsigned int n = 0;
    unsigned short const* p = buffer.toWChars(&utf16, "a\0b\0", 4, &n);
    EXPECT_EQ(unitsWithTerminator(p, n), std::u16string(u"ab") + u'\0');

    ASCIIConversion ascii;
    p = buffer.toWChars(&ascii, "plain", &n);
    EXPECT_EQ(unitsWithTerminator(p, n), std::u16string(u"plain") + u'\0');
}

TEST(WCharBuffer, NullConversionThrowsWithArgumentConv) {
    WCharBuffer buffer;
    unsigned int n = 0;
    // The conversion is checked before the empty-source shortcut.
    char const* sources[] = {"abc", "", nullptr};
    for (char const* src : sources) {
        try {
            buffer.toWChars(nullptr, src, &n);
            ADD_FAILURE() << "no ArgumentException";
        } catch (ArgumentException const& e) {
            EXPECT_EQ(text(e.getArgumentName()), L"conv");
        }
    }
    EXPECT_THROW(buffer.toWChars(nullptr, "abc", 0, &n), ArgumentException);
}

TEST(WCharBuffer, EmptySourceGivesAStaticEmptyTextWithoutAllocating) {
    TestAllocator alloc;
    UTF8Conversion utf8;
    WCharBuffer buffer(&alloc);
    struct {
        char const* name;
        char const* src;
        unsigned int n;
    } const cases[] = {{"NullSource", nullptr, 5}, {"ZeroCount", "abc", 0}};
    for (auto const& k : cases) {
        SCOPED_TRACE(k.name);
        unsigned int n = 99;
        unsigned short const* p = buffer.toWChars(&utf8, k.src, k.n, &n);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(*p, 0);
        EXPECT_EQ(n, 0u);
        EXPECT_FALSE(alloc.owns(p));
    }
    unsigned int n = 99;
    EXPECT_EQ(*buffer.toWChars(&utf8, nullptr, &n), 0);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(*buffer.toWChars(&utf8, "", nullptr), 0);
    EXPECT_EQ(alloc.mallocCalls(), 0u);
}

TEST(WCharBuffer, BufferIsReusedUntilATextNeedsMore) {
    TestAllocator alloc;
    UTF8Conversion utf8;
    {
        WCharBuffer buffer(&alloc);
        EXPECT_EQ(buffer.getAllocator(), &alloc);
        unsigned int n = 0;
        unsigned short const* first = buffer.toWChars(&utf8, "abcd", &n);
        ASSERT_EQ(alloc.requests().size(), 1u);
        EXPECT_EQ(alloc.requests()[0], 10u); // four units and a terminator
        EXPECT_EQ(buffer.getCapacity(), 4u);

        unsigned short const* second = buffer.toWChars(&utf8, "xy", &n);
        EXPECT_EQ(second, first);
        EXPECT_EQ(unitsWithTerminator(second, n), std::u16string(u"xy") + u'\0');
        EXPECT_EQ(alloc.mallocCalls(), 1u);

        unsigned short const* third = buffer.toWChars(&utf8, "longer", &n);
        EXPECT_EQ(unitsWithTerminator(third, n), std::u16string(u"longer") + u'\0');
        EXPECT_EQ(alloc.mallocCalls(), 2u);
        EXPECT_EQ(alloc.liveBlocks(), 1u);
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
}

TEST(WCharBuffer, CopyTakesTheAllocatorButNotTheBuffer) {
    TestAllocator alloc;
    UTF8Conversion utf8;
    {
        WCharBuffer buffer(&alloc);
        unsigned int n = 0;
        unsigned short const* p = buffer.toWChars(&utf8, "abc", &n);
        WCharBuffer copy(buffer);
        EXPECT_EQ(copy.getAllocator(), &alloc);
        EXPECT_EQ(copy.getCapacity(), 0u);
        unsigned short const* q = copy.toWChars(&utf8, "xyz", &n);
        EXPECT_NE(q, p);
        EXPECT_EQ(unitsWithTerminator(p, 3), std::u16string(u"abc") + u'\0');

        WCharBuffer assigned;
        assigned = buffer;
        EXPECT_EQ(assigned.getAllocator(), &alloc);
        EXPECT_EQ(assigned.getCapacity(), 0u);
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
}

TEST(WCharBuffer, FailuresLeaveTheBufferUsable) {
    TestAllocator alloc;
    UTF8Conversion utf8;
    {
        WCharBuffer buffer(&alloc);
        unsigned int n = 0;
        buffer.toWChars(&utf8, "ab", &n);
        alloc.failNext(1);
        EXPECT_THROW(buffer.toWChars(&utf8, "longer text", &n), OutOfMemoryException);

        // UTF-16BE input cannot be read: the conversion's exception passes.
        UTF16BEConversion utf16be;
        EXPECT_THROW(buffer.toWChars(&utf16be, "\0a", 2, &n), NotImplementedException);

        unsigned short const* p = buffer.toWChars(&utf8, "longer text", &n);
        EXPECT_EQ(unitsWithTerminator(p, n), std::u16string(u"longer text") + u'\0');
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
}

} // namespace
