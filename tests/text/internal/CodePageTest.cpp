// The platform code-page calls behind the conversions and the shared steps:
// argument checks, empty sources, targets without room, counts the platform
// cannot take, the mapping of failures to exceptions, and the sizes of
// temporary buffers.
#include "text/CodePage.h"
#include "text/ConversionSupport.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/OutOfMemoryException.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::FormatException;
using cpp::lang::OutOfMemoryException;
using cpp::lang::String;
using namespace cpp::text::codepage;
namespace detail = cpp::text::detail;
namespace unicode = cpp::text::unicode;

std::string narrow(String const& s) {
    std::string out;
    for (unsigned int i = 0; i < s.getLength(); ++i)
        out += static_cast<char>(s.getCStr()[i]);
    return out;
}

struct Failure {
    std::string kind;
    std::string message;
    std::string argument;
    int errorId = 0;
};

std::ostream& operator<<(std::ostream& os, Failure const& f) {
    return os << (f.kind.empty() ? "no" : f.kind) << " exception \"" << f.message << "\" ("
              << f.argument << ") errorId " << f.errorId;
}

Failure failureOf(std::function<void()> const& call) {
    Failure f;
    try {
        call();
    } catch (ArgumentException const& e) {
        f.kind = "Argument";
        f.message = narrow(e.Exception::getMessage());
        f.argument = narrow(e.getArgumentName());
    } catch (FormatException const& e) {
        f.kind = "Format";
        f.message = narrow(e.getMessage());
        f.errorId = e.getErrorId();
    } catch (OutOfMemoryException const&) {
        f.kind = "OutOfMemory";
    } catch (Exception const& e) {
        f.kind = "Exception";
        f.message = narrow(e.getMessage());
    }
    return f;
}

char const abc[] = "abc";
unsigned short const wabc[] = {0x61, 0x62, 0x63, 0};

TEST(CodePage, ArgumentChecks) {
    unsigned short wide[8];
    char bytes[8];
    struct Case {
        char const* name;
        std::function<void()> call;
        char const* message;
        char const* argument;
    } const cases[] = {
        {"count of null bytes", [] { countWide(CODE_PAGE_UTF8, nullptr, 3); },
         "The input string is null.", "chars"},
        {"null bytes, nothing to convert", [] { countWide(CODE_PAGE_UTF8, nullptr, 0); },
         "The input string is null.", "chars"},
        {"null bytes", [&] { toWide(CODE_PAGE_ANSI, nullptr, 3, wide, 8); },
         "The input string is null.", "chars"},
        {"null output units", [] { toWide(CODE_PAGE_ANSI, abc, 3, nullptr, 8); },
         "The output string is null.", "outWChars"},
        {"count of null units", [] { countMultiByte(CODE_PAGE_UTF7, nullptr, 3); },
         "The input string is null.", "wchars"},
        {"null units", [&] { toMultiByte(CODE_PAGE_UTF8, nullptr, 3, bytes, 8); },
         "The input string is null.", "wchars"},
        {"null output bytes", [] { toMultiByte(CODE_PAGE_UTF8, wabc, 3, nullptr, 8); },
         "The output string is null.", "outChars"},
        // The platform counts in int; a larger count must not reach it (as a
        // negative count it would mean "up to the terminator").
        {"more bytes than the platform counts", [] { countWide(CODE_PAGE_UTF8, abc, 0x80000000u); },
         "The input string is too long.", "chars"},
        {"more units than the platform counts",
         [&] { toMultiByte(CODE_PAGE_UTF8, wabc, 0xFFFFFFFFu, bytes, 8); },
         "The input string is too long.", "wchars"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Failure f = failureOf(c.call);
        EXPECT_EQ(f.kind, "Argument") << f;
        EXPECT_EQ(f.message, c.message);
        EXPECT_EQ(f.argument, c.argument);
    }
}

TEST(CodePage, ConvertsAndCounts) {
    unsigned short wide[8] = {0};
    EXPECT_EQ(countWide(CODE_PAGE_UTF8, "\xc3\xa9x", 3), 2u);
    EXPECT_EQ(toWide(CODE_PAGE_UTF8, "\xc3\xa9x", 3, wide, 8), 2u);
    EXPECT_EQ(wide[0], 0xE9);
    EXPECT_EQ(wide[1], 0x78);
    unsigned short const euro[] = {0x20AC, 0x41};
    char bytes[8] = {0};
    EXPECT_EQ(countMultiByte(CODE_PAGE_ANSI, euro, 2), 2u);
    EXPECT_EQ(toMultiByte(CODE_PAGE_ANSI, euro, 2, bytes, 8), 2u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x80); // the euro sign in 1252
    // Room beyond what the platform can address is used up to its limit.
    EXPECT_EQ(toWide(CODE_PAGE_ANSI, abc, 3, wide, 0xFFFFFFFFu), 3u);
    EXPECT_EQ(toMultiByte(CODE_PAGE_UTF8, wabc, 3, bytes, 0xFFFFFFFFu), 3u);
}

TEST(CodePage, EmptySourcesNeverReachThePlatform) {
    unsigned short wide[2] = {0x5555, 0x5555};
    char bytes[2] = {0x55, 0x55};
    SetLastError(0);
    EXPECT_EQ(countWide(CODE_PAGE_UTF7, abc, 0), 0u);
    EXPECT_EQ(toWide(CODE_PAGE_UTF8, abc, 0, wide, 0), 0u);
    EXPECT_EQ(countMultiByte(CODE_PAGE_ANSI, wabc, 0), 0u);
    EXPECT_EQ(toMultiByte(CODE_PAGE_UTF8, wabc, 0, bytes, 2), 0u);
    // The platform would have failed with ERROR_INVALID_PARAMETER.
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(wide[0], 0x5555);
    EXPECT_EQ(bytes[0], 0x55);
}

TEST(CodePage, FailuresCarryThePlatformError) {
    unsigned short wide[8];
    char bytes[8];
    struct Case {
        char const* name;
        std::function<void()> call;
        int errorId;
    } const cases[] = {
        {"no room for units", [&] { toWide(CODE_PAGE_UTF8, abc, 3, wide, 0); }, 122},
        {"room for two units of three", [&] { toWide(CODE_PAGE_UTF8, abc, 3, wide, 2); }, 122},
        {"no room for bytes", [&] { toMultiByte(CODE_PAGE_ANSI, wabc, 3, bytes, 0); }, 122},
        {"room for one byte of three", [&] { toMultiByte(CODE_PAGE_UTF7, wabc, 3, bytes, 1); },
         122},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Failure f = failureOf(c.call);
        EXPECT_EQ(f.kind, "Format") << f;
        EXPECT_EQ(f.message, "Cannot convert string.");
        EXPECT_EQ(f.errorId, c.errorId);
    }
    // A code page the platform does not know: whatever error it reports.
    SetLastError(0);
    int platform = MultiByteToWideChar(12345, 0, abc, 3, nullptr, 0);
    int expected = static_cast<int>(GetLastError());
    ASSERT_EQ(platform, 0);
    Failure f = failureOf([] { countWide(12345, abc, 3); });
    EXPECT_EQ(f.kind, "Format") << f;
    EXPECT_EQ(f.message, "Cannot convert string.");
    EXPECT_EQ(f.errorId, expected);
    EXPECT_NE(expected, 0);
}

TEST(ConversionSupport, RoutineResultsBecomeFormatExceptions) {
    struct Case {
        char const* name;
        int result;
        char const* message; // nullptr: no exception
    } const cases[] = {
        {"ok", unicode::conversionOK, nullptr},
        {"source exhausted", unicode::sourceExhausted, "partial character in source, but hit end."},
        {"target exhausted", unicode::targetExhausted, "insuff. room in target for conversion."},
        {"source illegal", unicode::sourceIllegal, "source sequence is illegal."},
        {"anything else", 4, "Cannot convert string."},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0x1357);
        Failure f = failureOf(
            [&] { detail::checkResult(static_cast<unicode::ConversionResult>(c.result)); });
        if (c.message == nullptr) {
            EXPECT_EQ(f.kind, "") << f;
            continue;
        }
        EXPECT_EQ(f.kind, "Format") << f;
        EXPECT_EQ(f.message, c.message);
        EXPECT_EQ(f.errorId, 0x1357);
    }
}

// Buffer sizes are computed in 64 bits: a size beyond 32 bits is refused
// rather than wrapped to a small buffer.
TEST(ConversionSupport, ImpossibleSizesAreOutOfMemory) {
    EXPECT_EQ(detail::byteCount(0xFFFFFFFFull), 0xFFFFFFFFu);
    EXPECT_EQ(failureOf([] { detail::byteCount(0x100000000ull); }).kind, "OutOfMemory");
    EXPECT_EQ(failureOf([] { detail::byteCount(2ull * 0x80000001u); }).kind, "OutOfMemory");
    EXPECT_EQ(failureOf([] { detail::TempBuffer b(0x100000000ull); }).kind, "OutOfMemory");
    detail::TempBuffer small(16);
    EXPECT_NE(small.get(), nullptr);
}

} // namespace
