// Numbers, booleans and characters as String text (toString and operator<<),
// printf-style formatting with the runtime's wide conventions, and formatting
// with a pattern fetched from an IResourceLoader: the exact texts, what fits
// in the fixed number buffers, outputs longer than any internal buffer, and
// the failures with their messages, argument names and causes.
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/InvalidOperationException.h"
#include "wux/lang/String.h"

#include "StringTestSupport.h"
#include "TestAllocator.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::FormatException;
using cpp::lang::IAllocator;
using cpp::lang::InvalidOperationException;
using cpp::lang::IResourceLoader;
using cpp::lang::String;
using wuxtest::TestAllocator;

using wuxtest::text;
using wuxtest::u;

std::wstring wide(std::u16string const& t) {
    return std::wstring(t.begin(), t.end());
}

// The content is \p expected and a 0 unit follows it.
::testing::AssertionResult hasText(String const& s, std::u16string const& expected) {
    if (text(s) != expected)
        return ::testing::AssertionFailure() << "content " << ::testing::PrintToString(text(s))
                                             << ", expected " << ::testing::PrintToString(expected);
    if (s.getCStr()[s.getLength()] != 0)
        return ::testing::AssertionFailure() << "no terminator after " << s.getLength() << " units";
    return ::testing::AssertionSuccess();
}

// Everything a failed operation must leave as it was.
struct Snapshot {
    explicit Snapshot(String const& s)
        : content(text(s)), capacity(s.getCapacity()), buffer(s.getCStr()) {}

    ::testing::AssertionResult matches(String const& s) const {
        if (text(s) != content)
            return ::testing::AssertionFailure()
                   << "content changed to " << ::testing::PrintToString(text(s));
        if (s.getCapacity() != capacity || s.getCStr() != buffer)
            return ::testing::AssertionFailure() << "buffer changed";
        return ::testing::AssertionSuccess();
    }

    std::u16string content;
    unsigned int capacity;
    unsigned short const* buffer;
};

using wuxtest::throwsArgument;

//===-- toString ----------------------------------------------------------===//

struct TextCase {
    char const* name;
    String (*make)();
    char16_t const* expected;
};

TextCase const toStringCases[] = {
    {"bool true", [] { return String::toString(true); }, u"True"},
    {"bool false", [] { return String::toString(false); }, u"False"},
    {"short minimum", [] { return String::toString(static_cast<short>(SHRT_MIN)); }, u"-32768"},
    {"short maximum", [] { return String::toString(static_cast<short>(SHRT_MAX)); }, u"32767"},
    {"short -1 stays signed", [] { return String::toString(static_cast<short>(-1)); }, u"-1"},
    {"unsigned short is a character",
     [] { return String::toString(static_cast<unsigned short>(0x41)); }, u"A"},
    {"unsigned short beyond ASCII",
     [] { return String::toString(static_cast<unsigned short>(0x20AC)); }, u"\u20AC"},
    {"int 0", [] { return String::toString(0); }, u"0"},
    {"int minimum", [] { return String::toString(INT_MIN); }, u"-2147483648"},
    {"int maximum", [] { return String::toString(INT_MAX); }, u"2147483647"},
    {"unsigned int maximum", [] { return String::toString(UINT_MAX); }, u"4294967295"},
    {"unsigned int 0", [] { return String::toString(0u); }, u"0"},
    {"__int64 minimum", [] { return String::toString(static_cast<__int64>(LLONG_MIN)); },
     u"-9223372036854775808"},
    {"__int64 maximum", [] { return String::toString(static_cast<__int64>(LLONG_MAX)); },
     u"9223372036854775807"},
    {"__int64 beyond 32 bits", [] { return String::toString(static_cast<__int64>(4294967296LL)); },
     u"4294967296"},
    {"unsigned __int64 maximum",
     [] { return String::toString(static_cast<unsigned __int64>(ULLONG_MAX)); },
     u"18446744073709551615"},
    {"float", [] { return String::toString(1.5f); }, u"1.500000"},
    {"negative float", [] { return String::toString(-0.25f); }, u"-0.250000"},
    {"float 0", [] { return String::toString(0.0f); }, u"0.000000"},
    {"float rounded to six places", [] { return String::toString(2.0000004f); }, u"2.000000"},
    {"float 1e6", [] { return String::toString(1e6f); }, u"1000000.000000"},
    {"double", [] { return String::toString(0.5); }, u"0.5"},
    {"negative double", [] { return String::toString(-2.25); }, u"-2.25"},
    {"double 0", [] { return String::toString(0.0); }, u"0"},
    {"double with six significant digits", [] { return String::toString(123456.0); }, u"123456"},
    {"double rounded to six significant digits", [] { return String::toString(3.14159265); },
     u"3.14159"},
    {"double maximum", [] { return String::toString(DBL_MAX); }, u"1.79769e+308"},
    {"double negative maximum", [] { return String::toString(-DBL_MAX); }, u"-1.79769e+308"},
    {"double smallest normal", [] { return String::toString(-DBL_MIN); }, u"-2.22507e-308"},
};

TEST(StringNumberText, ToStringGivesTheFormattedText) {
    for (TextCase const& c : toStringCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(hasText(c.make(), c.expected));
    }
}

TEST(StringNumberText, ToStringOfUnitZeroIsOneUnitLong) {
    String s = String::toString(static_cast<unsigned short>(0));
    ASSERT_EQ(s.getLength(), 1u);
    EXPECT_EQ(s[0], 0);
}

// "%f" of the greatest float below 1e25 (the float nearest to 1e25, about
// 9.99999956e24) takes exactly the 32 units of the buffer; from 1e25 on the
// text no longer fits.
TEST(StringNumberText, FloatTextFillsThe32UnitBufferJustBelow1e25) {
    ASSERT_LT(static_cast<double>(1e25f), 1e25);
    std::u16string t = text(String::toString(1e25f));
    EXPECT_EQ(t.size(), 32u) << ::testing::PrintToString(t);
    EXPECT_EQ(t.substr(0, 7), u"9999999");
    EXPECT_EQ(t.substr(t.size() - 7), u".000000");

    String s(L"x=");
    s << 1e25f;
    EXPECT_EQ(text(s).size(), 34u);
}

struct FloatFailureCase {
    char const* name;
    float value;
};

FloatFailureCase const floatFailureCases[] = {
    {"the first float above 1e25", std::nextafter(1e25f, FLT_MAX)},
    {"-1e25", -1e25f},
    {"1e30", 1e30f},
    {"largest float", FLT_MAX},
};

TEST(StringNumberText, FloatTextTooLongForItsBufferThrows) {
    for (FloatFailureCase const& c : floatFailureCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(throwsArgument([&] { String::toString(c.value); }, u"count is too long.", u""));
    }
}

// Appending a float that does not fit throws before anything is appended.
TEST(StringNumberText, AppendingAFloatTooLongLeavesTheStringAlone) {
    for (FloatFailureCase const& c : floatFailureCases) {
        SCOPED_TRACE(c.name);
        String s(L"x=");
        Snapshot before(s);
        EXPECT_TRUE(throwsArgument([&] { s << c.value; }, u"count is too long.", u""));
        EXPECT_TRUE(before.matches(s));
    }
}

//===-- operator<< --------------------------------------------------------===//

struct AppendCase {
    char const* name;
    String& (*append)(String& s);
    char16_t const* expected; // after the initial "v="
};

AppendCase const appendCases[] = {
    {"bool true", [](String& s) -> String& { return s << true; }, u"True"},
    {"bool false", [](String& s) -> String& { return s << false; }, u"False"},
    {"int", [](String& s) -> String& { return s << -42; }, u"-42"},
    {"int minimum", [](String& s) -> String& { return s << INT_MIN; }, u"-2147483648"},
    {"unsigned int", [](String& s) -> String& { return s << 4000000000u; }, u"4000000000"},
    {"__int64", [](String& s) -> String& { return s << static_cast<__int64>(LLONG_MIN); },
     u"-9223372036854775808"},
    {"unsigned __int64",
     [](String& s) -> String& { return s << static_cast<unsigned __int64>(ULLONG_MAX); },
     u"18446744073709551615"},
    {"float", [](String& s) -> String& { return s << 2.5f; }, u"2.500000"},
    {"float 1e6", [](String& s) -> String& { return s << 1e6f; }, u"1000000.000000"},
    {"double", [](String& s) -> String& { return s << 0.25; }, u"0.25"},
    {"double maximum", [](String& s) -> String& { return s << DBL_MAX; }, u"1.79769e+308"},
    {"char is a character", [](String& s) -> String& { return s << 'x'; }, u"x"},
    {"a digit char is the digit, not its code", [](String& s) -> String& { return s << '0'; },
     u"0"},
    {"wchar_t is a character", [](String& s) -> String& { return s << L'y'; }, u"y"},
    {"wchar_t beyond ASCII", [](String& s) -> String& { return s << L'\u20AC'; }, u"\u20AC"},
    {"unsigned short is a character",
     [](String& s) -> String& { return s << static_cast<unsigned short>('z'); }, u"z"},
    {"a chain", [](String& s) -> String& { return s << 1 << ' ' << true << L'!' << 2u; },
     u"1 True!2"},
};

TEST(StringNumberText, OperatorShiftAppendsTheText) {
    TestAllocator alloc;
    for (AppendCase const& c : appendCases) {
        SCOPED_TRACE(c.name);
        String s(L"v=", &alloc);
        String& result = c.append(s);
        EXPECT_EQ(&result, &s);
        EXPECT_TRUE(hasText(s, u"v=" + std::u16string(c.expected)));
        EXPECT_EQ(s.getAllocator(), &alloc);
    }
}

TEST(StringNumberText, NarrowCharacterConvertsThroughTheAnsiCodePage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
    String s(L"v=");
    s << '\xE9' << '\x80';
    EXPECT_TRUE(hasText(s, u"v=\u00E9\u20AC"));
}

//===-- format and formatv ------------------------------------------------===//

String& formatWithList(String& s, wchar_t const* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    try {
        s.formatv(u(fmt), args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return s;
}

struct FormatCase {
    char const* name;
    String& (*format)(String& s);
    char16_t const* expected;
};

FormatCase const formatCases[] = {
    {"wide %s", [](String& s) -> String& { return s.format(L"%s-%s", L"ab", L"cd"); }, u"ab-cd"},
    {"%s beyond ASCII", [](String& s) -> String& { return s.format(L"<%s>", L"\u20AC\u0141"); },
     u"<\u20AC\u0141>"},
    {"%d", [](String& s) -> String& { return s.format(L"%d|%d", -7, INT_MAX); }, u"-7|2147483647"},
    {"%u", [](String& s) -> String& { return s.format(L"%u", UINT_MAX); }, u"4294967295"},
    {"%I64d",
     [](String& s) -> String& { return s.format(L"%I64d", static_cast<__int64>(LLONG_MIN)); },
     u"-9223372036854775808"},
    {"%I64u",
     [](String& s) -> String& {
         return s.format(L"%I64u", static_cast<unsigned __int64>(ULLONG_MAX));
     },
     u"18446744073709551615"},
    {"%I64d then %d",
     [](String& s) -> String& { return s.format(L"%I64d,%d", static_cast<__int64>(1) << 40, 5); },
     u"1099511627776,5"},
    {"%x and width", [](String& s) -> String& { return s.format(L"%x|%5d|%-3s|", 255, 42, L"a"); },
     u"ff|   42|a  |"},
    {"%c takes a wide character", [](String& s) -> String& { return s.format(L"%c", L'Z'); }, u"Z"},
    {"%.2f", [](String& s) -> String& { return s.format(L"%.2f", 3.14159); }, u"3.14"},
    {"%%", [](String& s) -> String& { return s.format(L"100%%"); }, u"100%"},
    {"empty format", [](String& s) -> String& { return s.format(L""); }, u""},
    {"unit pointer format", [](String& s) -> String& { return s.format(u(L"%d%s"), 1, L"x"); },
     u"1x"},
    {"formatv", [](String& s) -> String& { return formatWithList(s, L"%s=%d", L"n", 3); }, u"n=3"},
    {"formatv %I64d",
     [](String& s) -> String& {
         return formatWithList(s, L"%I64d", static_cast<__int64>(LLONG_MAX));
     },
     u"9223372036854775807"},
};

TEST(StringFormat, ReplacesTheContentWithTheFormattedText) {
    TestAllocator alloc;
    for (FormatCase const& c : formatCases) {
        SCOPED_TRACE(c.name);
        String s(L"old content that is longer than most results", &alloc);
        String& result = c.format(s);
        EXPECT_EQ(&result, &s);
        EXPECT_TRUE(hasText(s, c.expected));
        EXPECT_EQ(s.getAllocator(), &alloc);
        EXPECT_TRUE(alloc.owns(s.getCStr()));
    }
}

// Results around and far beyond any internal buffer: a long %s, then more
// arguments after it so that the argument list must be read correctly again
// for a second pass.
TEST(StringFormat, LongResultsAreComplete) {
    TestAllocator alloc;
    for (unsigned int n :
         {250u, 251u, 252u, 253u, 254u, 255u, 256u, 257u, 511u, 512u, 4000u, 70000u}) {
        SCOPED_TRACE(n);
        std::u16string piece;
        for (unsigned int i = 0; i < n; ++i)
            piece.push_back(static_cast<char16_t>(u'a' + i % 26));
        std::wstring arg = wide(piece);

        String s(L"old", &alloc);
        s.format(L"%s", arg.c_str());
        EXPECT_TRUE(hasText(s, piece));
        EXPECT_EQ(s.getAllocator(), &alloc);
        EXPECT_TRUE(alloc.owns(s.getCStr()));

        String t(L"old", &alloc);
        t.format(L"[%s|%d|%s]", arg.c_str(), 42, L"end");
        EXPECT_TRUE(hasText(t, u"[" + piece + u"|42|end]"));

        String v(&alloc);
        formatWithList(v, L"%d:%s:%I64d", -1, arg.c_str(), static_cast<__int64>(1) << 33);
        EXPECT_TRUE(hasText(v, u"-1:" + piece + u":8589934592"));
    }
}

TEST(StringFormat, WideFieldWidthsBeyondTheShortPath) {
    String s;
    s.format(L"%300d", 7);
    EXPECT_TRUE(hasText(s, std::u16string(299, u' ') + u"7"));
    s.format(L"%-256s|", L"x");
    EXPECT_TRUE(hasText(s, u"x" + std::u16string(255, u' ') + u"|"));
    s.format(L"%d", 1);
    EXPECT_TRUE(hasText(s, u"1"));
}

TEST(StringFormat, NullFormatThrowsAndLeavesTheStringAlone) {
    String s(L"keep");
    Snapshot before(s);
    EXPECT_TRUE(throwsArgument([&] { s.format(static_cast<unsigned short const*>(nullptr)); },
                               u"The source pointer is null.", u"ptr"));
    EXPECT_TRUE(before.matches(s));
    EXPECT_TRUE(throwsArgument([&] { s.format(static_cast<wchar_t const*>(nullptr)); },
                               u"The source pointer is null.", u"ptr"));
    EXPECT_TRUE(before.matches(s));
    EXPECT_TRUE(throwsArgument([&] { formatWithList(s, nullptr); }, u"The source pointer is null.",
                               u"ptr"));
    EXPECT_TRUE(before.matches(s));
}

//===-- Formatting with a resource loader ----------------------------------===//

// Patterns by id and by key; a key without a pattern gives the key itself,
// as a catalog does. When `failure` is set every lookup calls it instead.
class FakeLoader : public IResourceLoader {
public:
    String loadString(String const& key) override {
        keysAsked.push_back(text(key));
        if (failure)
            failure();
        auto it = byKey.find(text(key));
        return it == byKey.end() ? key : String(wide(it->second).c_str());
    }

    String loadString(unsigned int id) override {
        idsAsked.push_back(id);
        if (failure)
            failure();
        auto it = byId.find(id);
        return it == byId.end() ? String() : String(wide(it->second).c_str());
    }

    String getResourceFileName() const override { return String(L"fake.mo"); }
    cpp::global::Locale const* getLocale() const override { return nullptr; }
    void* getResourceFileHandle() const override { return nullptr; }

    std::map<unsigned int, std::u16string> byId;
    std::map<std::u16string, std::u16string> byKey;
    std::vector<unsigned int> idsAsked;
    std::vector<std::u16string> keysAsked;
    std::function<void()> failure;
};

String& formatIdWithList(String& s, IResourceLoader* loader, unsigned int id, ...) {
    va_list args;
    va_start(args, id);
    try {
        s.formatv(loader, id, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return s;
}

String& formatKeyWithList(String& s, IResourceLoader* loader, wchar_t const* key, ...) {
    va_list args;
    va_start(args, key);
    try {
        s.formatv(loader, u(key), args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    return s;
}

// The four loader forms, each formatting the pattern of id 7 or of the key
// "IDS_GREETING" with the arguments L"Bob" and 3.
struct LoaderForm {
    char const* name;
    String& (*format)(String& s, IResourceLoader* loader);
    bool byKey;
};

LoaderForm const loaderForms[] = {
    {"format by id",
     [](String& s, IResourceLoader* l) -> String& { return s.format(l, 7u, L"Bob", 3); }, false},
    {"format by key",
     [](String& s, IResourceLoader* l) -> String& {
         return s.format(l, u(L"IDS_GREETING"), L"Bob", 3);
     },
     true},
    {"formatv by id",
     [](String& s, IResourceLoader* l) -> String& { return formatIdWithList(s, l, 7u, L"Bob", 3); },
     false},
    {"formatv by key",
     [](String& s, IResourceLoader* l) -> String& {
         return formatKeyWithList(s, l, L"IDS_GREETING", L"Bob", 3);
     },
     true},
};

TEST(StringFormatLoader, FormatsThePatternTheLoaderGives) {
    for (LoaderForm const& form : loaderForms) {
        SCOPED_TRACE(form.name);
        FakeLoader loader;
        loader.byId[7] = u"%s has %d (by id)";
        loader.byKey[u"IDS_GREETING"] = u"%s has %d (by key)";
        String s(L"old content");
        String& result = form.format(s, &loader);
        EXPECT_EQ(&result, &s);
        if (form.byKey) {
            EXPECT_TRUE(hasText(s, u"Bob has 3 (by key)"));
            EXPECT_EQ(loader.keysAsked, std::vector<std::u16string>{u"IDS_GREETING"});
            EXPECT_TRUE(loader.idsAsked.empty());
        } else {
            EXPECT_TRUE(hasText(s, u"Bob has 3 (by id)"));
            EXPECT_EQ(loader.idsAsked, std::vector<unsigned int>{7u});
            EXPECT_TRUE(loader.keysAsked.empty());
        }
    }
}

TEST(StringFormatLoader, LongResultsAreComplete) {
    std::u16string piece;
    for (unsigned int i = 0; i < 1000; ++i)
        piece.push_back(static_cast<char16_t>(u'A' + i % 26));
    std::wstring arg = wide(piece);
    FakeLoader loader;
    loader.byId[9] = u"<%s:%d>";
    loader.byKey[u"IDS_LONG"] = u"{%s:%d}";
    String s;
    s.format(&loader, 9u, arg.c_str(), 12);
    EXPECT_TRUE(hasText(s, u"<" + piece + u":12>"));
    s.format(&loader, u(L"IDS_LONG"), arg.c_str(), 13);
    EXPECT_TRUE(hasText(s, u"{" + piece + u":13}"));
    formatIdWithList(s, &loader, 9u, arg.c_str(), 14);
    EXPECT_TRUE(hasText(s, u"<" + piece + u":14>"));
    formatKeyWithList(s, &loader, L"IDS_LONG", arg.c_str(), 15);
    EXPECT_TRUE(hasText(s, u"{" + piece + u":15}"));
}

TEST(StringFormatLoader, NullLoaderThrows) {
    for (LoaderForm const& form : loaderForms) {
        SCOPED_TRACE(form.name);
        String s(L"keep");
        Snapshot before(s);
        EXPECT_TRUE(throwsArgument([&] { form.format(s, nullptr); },
                                   u"The resource loader is null.", u"loader"));
        EXPECT_TRUE(before.matches(s));
    }
}

struct LoaderFailureCase {
    char const* name;
    std::function<void()> failure;
    char16_t const* causeMessage;
    int errorId;
    bool invalidOperation; // the cause is an InvalidOperationException
};

// A loader that throws a library exception turns into FormatException "Cannot
// format the string." whose cause is a copy of what the loader threw (the
// loader's own object is gone by the time the caller looks at it).
TEST(StringFormatLoader, LoaderFailureBecomesFormatExceptionWithTheCause) {
    LoaderFailureCase const cases[] = {
        {"Exception with an error id", [] { throw Exception(String(L"no such text"), 1814); },
         u"no such text", 1814, false},
        {"InvalidOperationException",
         [] { throw InvalidOperationException(String(L"catalog closed")); }, u"catalog closed", 0,
         true},
    };
    for (LoaderFailureCase const& c : cases) {
        for (LoaderForm const& form : loaderForms) {
            SCOPED_TRACE(std::string(c.name) + ", " + form.name);
            FakeLoader loader;
            loader.byId[7] = u"%s";
            loader.byKey[u"IDS_GREETING"] = u"%s";
            loader.failure = c.failure;
            String s(L"keep");
            Snapshot before(s);
            try {
                form.format(s, &loader);
                ADD_FAILURE() << "nothing was thrown";
            } catch (FormatException const& e) {
                EXPECT_EQ(text(e.getMessage()), u"Cannot format the string.");
                EXPECT_EQ(e.getErrorId(), c.errorId);
                Exception const* cause = e.getCause();
                ASSERT_NE(cause, nullptr);
                EXPECT_EQ(text(cause->getMessage()), std::u16string(c.causeMessage));
                EXPECT_EQ(cause->getErrorId(), c.errorId);
                EXPECT_EQ(dynamic_cast<InvalidOperationException const*>(cause) != nullptr,
                          c.invalidOperation);
                EXPECT_EQ(cause->getCause(), nullptr);
            } catch (Exception const& e) {
                ADD_FAILURE() << "threw another exception: "
                              << ::testing::PrintToString(text(e.getMessage()));
            }
            EXPECT_TRUE(before.matches(s));
        }
    }
}

} // namespace
