// Catalog texts used as printf patterns: which arguments a pattern takes
// under the runtime's wide formatter rules, the fallback to the key when a
// loaded text does not take what the call passes, the shipped English texts
// against what the library passes, and throwIOError with a catalog whose
// text asks for other arguments.
#include "util/MessagePattern.h"
#include "io/IOError.h"
#include "util/LibraryResources.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/String.h"
#include "wux/util/MoResourceLoader.h"
#include "wux/util/ResourceException.h"

#include "MoImage.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <map>
#include <string>

namespace {

using cpp::lang::IResourceLoader;
using cpp::lang::String;
using cpp::util::libraryPattern;
using cpp::util::samePrintfArguments;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

struct PatternCase {
    wchar_t const* pattern;
    wchar_t const* reference;
    bool same;
};

PatternCase const PATTERN_CASES[] = {
    {L"The file '%s' cannot be found.", L"%s", true},
    {L"%-20.5s", L"%s", true},
    {L"%ls and %ws", L"%s%s", true},
    {L"100%% of %s", L"%s", true},
    {L"no conversions", L"", true},
    {L"%%", L"", true},
    {L"%S", L"%s", false},  // narrow text where a wide string is passed
    {L"%hs", L"%s", false}, // narrow as well
    {L"%d", L"%s", false},
    {L"", L"%s", false},
    {L"%s %s", L"%s", false},
    {L"%s%n", L"%s", false},
    {L"%n", L"%n", false},
    {L"%*s", L"%s", false},
    {L"%*s", L"%d%s", true},
    {L"%.*s", L"%d%s", true},
    {L"%I64d", L"%lld", true},
    {L"%I64u", L"%d", false},
    {L"%I32d and %ld", L"%d%d", true},
    {L"%c %C %hd", L"%d%d%d", true},
    {L"%f %e %G", L"%g%g%g", true},
    {L"%Lf", L"%f", false},
    {L"%p", L"%p", true},
    {L"%p", L"%I64d", false},
    {L"%5%", L"", false}, // a flagged percent sign is not defined
    {L"trailing %", L"", false},
    {L"%y", L"", false},
    {L"%1$s", L"%s", false}, // no positional arguments
    {L"%hhd", L"%d", false},
    {L"%ls", L"%Ls", false},
};

TEST(MessagePattern, ComparesTheArgumentsPatternsTake) {
    for (PatternCase const& c : PATTERN_CASES) {
        EXPECT_EQ(samePrintfArguments(String(c.pattern), String(c.reference)), c.same)
            << "pattern \"" << std::string(c.pattern, c.pattern + wcslen(c.pattern))
            << "\", reference \"" << std::string(c.reference, c.reference + wcslen(c.reference))
            << "\"";
    }
}

TEST(MessagePattern, PointerSizedIntegersFollowThePlatform) {
    bool wide = sizeof(void*) == 8;
    EXPECT_EQ(samePrintfArguments(String(L"%Id"), String(L"%I64d")), wide);
    EXPECT_EQ(samePrintfArguments(String(L"%Iu"), String(L"%u")), !wide);
}

// Answers from a table; other keys with the key itself. A key mapped to
// "throw" makes it fail like an unreadable catalog.
class TableLoader : public IResourceLoader {
public:
    std::map<std::wstring, std::wstring> texts;

    String loadString(String const& key) override {
        auto it = texts.find(text(key));
        if (it == texts.end())
            return key;
        if (it->second == L"throw")
            throw cpp::util::ResourceException(String(L"unreadable"), 0);
        return String(it->second.c_str());
    }
    String loadString(unsigned int) override { return String(); }
    String getResourceFileName() const override { return String(); }
    cpp::global::Locale const* getLocale() const override { return nullptr; }
    void* getResourceFileHandle() const override { return nullptr; }
};

struct FallbackCase {
    char const* name;
    wchar_t const* key;
    wchar_t const* loaded; // null: the catalog lacks the key
    wchar_t const* result;
};

FallbackCase const FALLBACK_CASES[] = {
    {"matching text", L"IDS_K", L"File '%s' is missing.", L"File '%s' is missing."},
    {"another argument kind", L"IDS_K", L"File %d is missing.", L"IDS_K"},
    {"one argument too many", L"IDS_K", L"%s: %s", L"IDS_K"},
    {"no argument", L"IDS_K", L"File missing.", L"IDS_K"},
    {"writing through %n", L"IDS_K", L"%s%n", L"IDS_K"},
    {"missing key", L"IDS_K", nullptr, L"IDS_K"},
    {"key with a percent sign", L"IDS_%d", L"%d", L"IDS_%%d"},
};

TEST(MessagePattern, LoadedTextsThatTakeOtherArgumentsFallBackToTheKey) {
    for (FallbackCase const& c : FALLBACK_CASES) {
        SCOPED_TRACE(c.name);
        TableLoader loader;
        if (c.loaded != nullptr)
            loader.texts[c.key] = c.loaded;
        EXPECT_EQ(text(libraryPattern(&loader, String(c.key), L"%s")), c.result);
    }
}

TEST(MessagePattern, WithoutALoaderThePatternIsEmpty) {
    EXPECT_TRUE(libraryPattern(nullptr, String(L"IDS_K"), L"%s").isEmpty());
}

TEST(MessagePattern, FailuresOfTheLoaderPropagate) {
    TableLoader loader;
    loader.texts[L"IDS_K"] = L"throw";
    EXPECT_THROW(libraryPattern(&loader, String(L"IDS_K"), L"%s"), cpp::util::ResourceException);
}

// The keys the library formats as patterns, with the arguments it passes.
struct FormattedKey {
    wchar_t const* key;
    wchar_t const* arguments;
};

FormattedKey const FORMATTED_KEYS[] = {
    {L"IDS_CANNOT_FIND_FILE", L"%s"}, {L"IDS_CANNOT_FIND_DIR", L"%s"},
    {L"IDS_CANNOT_FIND_PATH", L"%s"}, {L"IDS_ACCESS_FILE_DENY", L"%s"},
    {L"IDS_ACCESS_DIR_DENY", L"%s"},
};

TEST(MessagePattern, TheShippedEnglishTextsTakeWhatTheLibraryPasses) {
    cpp::util::MoResourceLoader english(
        String((motest::programFolder() + L"locale\\en_US\\wux.mo").c_str()), nullptr);
    for (FormattedKey const& k : FORMATTED_KEYS) {
        SCOPED_TRACE(std::string(k.key, k.key + wcslen(k.key)));
        String loaded = english.loadString(String(k.key));
        EXPECT_NE(text(loaded), k.key) << "no English text";
        EXPECT_TRUE(samePrintfArguments(loaded, String(k.arguments)));
    }
}

// throwIOError formats a catalog text with the file name: a text that asks
// for an integer instead shows the key, not a number made of the pointer.
class IOErrorPatterns : public ::testing::Test {
protected:
    void SetUp() override { cpp::util::setLibraryLoader(&loader); }
    void TearDown() override { cpp::util::setLibraryLoader(nullptr); }
    TableLoader loader;
};

TEST_F(IOErrorPatterns, ATextTakingOtherArgumentsShowsTheKey) {
    loader.texts[L"IDS_CANNOT_FIND_FILE"] = L"File number %d is missing.";
    try {
        cpp::io::throwIOError(2, true, String(L"C:\\x.txt"));
    } catch (cpp::io::FileNotFoundException const& e) {
        EXPECT_EQ(text(e.getMessage()), L"IDS_CANNOT_FIND_FILE");
    }
}

TEST_F(IOErrorPatterns, AMatchingTextIsFormattedWithTheName) {
    loader.texts[L"IDS_CANNOT_FIND_FILE"] = L"Missing: %s.";
    try {
        cpp::io::throwIOError(2, true, String(L"C:\\x.txt"));
    } catch (cpp::io::FileNotFoundException const& e) {
        EXPECT_EQ(text(e.getMessage()), L"Missing: C:\\x.txt.");
    }
}

} // namespace
