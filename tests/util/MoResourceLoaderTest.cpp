// MoResourceLoader over catalogs that msgfmt compiled during the build (in
// both byte orders), over broken files, and as the library's own message
// source: with the shipped English catalog installed, file-system errors
// read as sentences that name the file.
#include "wux/util/MoResourceLoader.h"
#include "wux/io/DirectoryNotFoundException.h"
#include "wux/io/FileInputStream.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/IOException.h"
#include "wux/io/Path.h"
#include "wux/lang/Exception.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/String.h"
#include "wux/util/LibraryLoaderHook.h"
#include "wux/util/ResourceException.h"

#include "../io/FileTestSupport.h"
#include "internal/MoImage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <typeinfo>

namespace {

using cpp::io::DirectoryNotFoundException;
using cpp::io::FileInputStream;
using cpp::io::FileNotFoundException;
using cpp::io::IOException;
using cpp::lang::Exception;
using cpp::lang::String;
using cpp::util::MoResourceLoader;
using cpp::util::ResourceException;
using wuxtest::str;
using wuxtest::text;

typedef std::map<std::wstring, std::wstring> Texts;

String built(std::wstring const& relative) {
    return str(motest::programFolder() + relative);
}

Texts textsOf(MoResourceLoader const& loader) {
    Texts texts;
    for (auto const& m : loader.getMessages())
        texts[text(m.first)] = text(m.second);
    return texts;
}

// The message of the ResourceException that loading `path` throws; a
// failure when something else happens.
std::wstring resourceError(String const& path) {
    try {
        MoResourceLoader loader(path, nullptr);
        ADD_FAILURE() << "the catalog loaded";
    } catch (ResourceException const& e) {
        EXPECT_EQ(typeid(e), typeid(ResourceException));
        EXPECT_EQ(e.getErrorId(), 0);
        return text(e.getMessage());
    } catch (Exception const& e) {
        ADD_FAILURE() << "thrown " << typeid(e).name();
    }
    return std::wstring();
}

struct LookupCase {
    char const* name;
    wchar_t const* key;
    wchar_t const* text;
};

LookupCase const LOOKUP_CASES[] = {
    {"plain text", L"IDS_PLAIN", L"Plain text"},
    {"a pattern, kept as written", L"IDS_PATTERN", L"The file '%s' has %d lines."},
    {"UTF-8 beyond ASCII", L"IDS_GREETING", L"Gr\u00FC\u00DFe, \u65E5\u672C\u8A9E \u2014 \u2603"},
    {"a line feed inside", L"IDS_MULTILINE", L"first line\nsecond line"},
    {"plural forms: the last non-empty one", L"IDS_FILE", L"many files"},
    {"plural forms: an empty last one is skipped", L"IDS_TWO_FORMS", L"second form"},
    {"a context before the id", L"menu\u0004IDS_OPEN", L"Open (menu)"},
    {"the same id without context", L"IDS_OPEN", L"Open"},
    {"untranslated: the key", L"IDS_UNTRANSLATED", L"IDS_UNTRANSLATED"},
    {"the plural id is no key", L"IDS_FILES", L"IDS_FILES"},
    {"unknown key: the key", L"NO_SUCH_KEY", L"NO_SUCH_KEY"},
};

TEST(MoResourceLoader, LooksUpTheTranslationsInBothByteOrders) {
    for (wchar_t const* file : {L"testdata\\mo\\sample.mo", L"testdata\\mo\\sample-be.mo"}) {
        SCOPED_TRACE(std::string(file, file + wcslen(file)));
        MoResourceLoader loader(built(file), nullptr);
        for (LookupCase const& c : LOOKUP_CASES)
            EXPECT_EQ(text(loader.loadString(String(c.key))), c.text) << c.name;
        // The header is entry 0, under the empty id.
        EXPECT_EQ(text(loader.loadString(String())).rfind(L"Project-Id-Version: wux tests\n", 0),
                  0u);
    }
}

TEST(MoResourceLoader, BothByteOrdersGiveTheSameMessages) {
    MoResourceLoader little(built(L"testdata\\mo\\sample.mo"), nullptr);
    MoResourceLoader big(built(L"testdata\\mo\\sample-be.mo"), nullptr);
    // The header and eight translated messages.
    EXPECT_EQ(little.getMessages().size(), 9u);
    EXPECT_EQ(textsOf(little), textsOf(big));
}

TEST(MoResourceLoader, ACatalogWithoutHeaderLoads) {
    MoResourceLoader loader(built(L"testdata\\mo\\noheader.mo"), nullptr);
    EXPECT_EQ(textsOf(loader), (Texts{{L"IDS_PLAIN", L"Plain text"}, {L"IDS_SECOND", L"Second"}}));
}

TEST(MoResourceLoader, ACatalogInAnotherCharsetIsRejected) {
    for (wchar_t const* file : {L"testdata\\mo\\latin1.mo", L"testdata\\mo\\latin1-be.mo"}) {
        EXPECT_EQ(resourceError(built(file)),
                  L"Just support charset=utf-8 encoding, but not charset=ISO-8859-1 encoding.");
    }
}

TEST(MoResourceLoader, KeepsItsFileNameAndLocaleAndHasNoHandle) {
    String name = built(L"testdata\\mo\\sample.mo");
    int marker = 0;
    auto locale = reinterpret_cast<cpp::global::Locale const*>(&marker);
    MoResourceLoader loader(name, locale);
    EXPECT_EQ(text(loader.getResourceFileName()), text(name));
    EXPECT_EQ(loader.getLocale(), locale);
    EXPECT_EQ(loader.getResourceFileHandle(), nullptr);

    MoResourceLoader current(name);
    EXPECT_EQ(textsOf(current), textsOf(loader));
}

TEST(MoResourceLoader, NumericIdsAreNotSupported) {
    MoResourceLoader loader(built(L"testdata\\mo\\sample.mo"), nullptr);
    try {
        loader.loadString(5u);
        ADD_FAILURE() << "no exception";
    } catch (cpp::lang::NotImplementedException const& e) {
        EXPECT_EQ(text(e.getMessage()), L"The method or operation is not implemented.");
    }
}

TEST(MoResourceLoader, CopiesAndAssignmentsCarryNameLocaleAndMessages) {
    int markers[2] = {0, 0};
    auto first = reinterpret_cast<cpp::global::Locale const*>(&markers[0]);
    auto second = reinterpret_cast<cpp::global::Locale const*>(&markers[1]);
    MoResourceLoader sample(built(L"testdata\\mo\\sample.mo"), first);
    MoResourceLoader copy(sample);
    EXPECT_EQ(text(copy.getResourceFileName()), text(sample.getResourceFileName()));
    EXPECT_EQ(copy.getLocale(), first);
    EXPECT_EQ(textsOf(copy), textsOf(sample));

    MoResourceLoader other(built(L"testdata\\mo\\noheader.mo"), second);
    other = sample;
    EXPECT_EQ(text(other.getResourceFileName()), text(sample.getResourceFileName()));
    EXPECT_EQ(other.getLocale(), first);
    EXPECT_EQ(textsOf(other), textsOf(sample));
    EXPECT_EQ(text(other.loadString(String(L"IDS_SECOND"))), L"IDS_SECOND");
}

class MoResourceLoaderFiles : public ::testing::Test {
protected:
    // A copy of the built sample catalog in the test's folder.
    std::wstring copyOfSample() {
        std::wstring path = folder.at(L"sample.mo");
        wuxtest::writeRawFile(path, motest::builtFile(L"testdata\\mo\\sample.mo"));
        return path;
    }

    wuxtest::TempFolder folder;
};

TEST_F(MoResourceLoaderFiles, TheFileIsClosedOnceLoaded) {
    std::wstring path = copyOfSample();
    MoResourceLoader loader(str(path), nullptr);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
}

TEST_F(MoResourceLoaderFiles, ACatalogOpenForWritingElsewhereStillLoads) {
    // Another opener writes and lets others read: only an open that shares
    // writing can read the catalog meanwhile.
    std::wstring path = copyOfSample();
    HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    try {
        MoResourceLoader loader(str(path), nullptr);
        EXPECT_EQ(text(loader.loadString(String(L"IDS_PLAIN"))), L"Plain text");
    } catch (Exception const& e) {
        ADD_FAILURE() << "thrown " << typeid(e).name();
    }
    CloseHandle(writer);
}

struct BrokenFileCase {
    char const* name;
    std::function<std::string(std::string const& sample)> content;
};

BrokenFileCase const BROKEN_FILE_CASES[] = {
    {"an empty file", [](std::string const&) { return std::string(); }},
    {"28 bytes: a header without entries",
     [](std::string const& s) {
         std::string image = s.substr(0, 28);
         motest::putWord(image, motest::COUNT, 0);
         motest::putWord(image, motest::ID_TABLE, 28);
         motest::putWord(image, motest::TEXT_TABLE, 28);
         return image;
     }},
    {"a text file",
     [](std::string const&) { return std::string("msgid \"IDS_A\"\nmsgstr \"A\"\n"); }},
    {"a catalog whose message-id table lies beyond its end",
     [](std::string const& s) {
         std::string image = s;
         motest::putWord(image, motest::ID_TABLE, static_cast<std::uint32_t>(s.size()));
         return image;
     }},
};

TEST_F(MoResourceLoaderFiles, BrokenCatalogsAreNotValid) {
    std::string sample = motest::builtFile(L"testdata\\mo\\sample.mo");
    for (BrokenFileCase const& c : BROKEN_FILE_CASES) {
        SCOPED_TRACE(c.name);
        std::wstring path = folder.at(L"broken.mo");
        wuxtest::writeRawFile(path, c.content(sample));
        EXPECT_EQ(resourceError(str(path)), L"'" + path + L"' is not a valid message catalog.");
    }
}

TEST_F(MoResourceLoaderFiles, DamagedCatalogFilesLoadOrThrowCatalogExceptions) {
    // The parser meets every damage in the library's own tests; these files
    // check that nothing else escapes through the loader.
    std::string sample = motest::builtFile(L"testdata\\mo\\sample-be.mo");
    ASSERT_GT(sample.size(), 100u);
    std::mt19937 random(7u);
    std::wstring path = folder.at(L"damaged.mo");
    for (int round = 0; round < 300; ++round) {
        std::string image = sample;
        if (round % 3 == 0) {
            image.resize(random() % image.size());
        } else {
            for (int c = 0; c < 3; ++c)
                image[random() % image.size()] = static_cast<char>(random());
        }
        wuxtest::writeRawFile(path, image);
        try {
            MoResourceLoader loader(str(path), nullptr);
        } catch (ResourceException const&) {
        } catch (cpp::lang::FormatException const&) {
        } catch (Exception const& e) {
            ADD_FAILURE() << "round " << round << ": " << typeid(e).name();
        }
    }
}

TEST_F(MoResourceLoaderFiles, MissingFilesFailAsFileStreamsDo) {
    EXPECT_THROW({ MoResourceLoader loader(str(folder.at(L"missing.mo")), nullptr); },
                 FileNotFoundException);
    EXPECT_THROW({ MoResourceLoader loader(str(folder.at(L"no\\wux.mo")), nullptr); },
                 DirectoryNotFoundException);
}

TEST_F(MoResourceLoaderFiles, AFileOfTwoGiBIsNotValid) {
    std::wstring path = folder.at(L"huge.mo");
    std::string sample = motest::builtFile(L"testdata\\mo\\sample.mo");
    std::string reason;
    // One byte more than the largest catalog; the file is never read.
    __int64 const size = static_cast<__int64>(1) << 31;
    if (!wuxtest::createSparseFile(path, size, 0, sample, reason))
        GTEST_SKIP() << reason;
    EXPECT_EQ(resourceError(str(path)), L"'" + path + L"' is not a valid message catalog.");
}

// The shipped English catalog as the library's message source.
class LibraryTexts : public ::testing::Test {
protected:
    void SetUp() override { previous = cpp::util::interim::setLibraryLoader(&english); }
    void TearDown() override { cpp::util::interim::setLibraryLoader(previous); }

    // The catalog's text for `key` with `name` in place of its "%s".
    std::wstring expected(wchar_t const* key, std::wstring const& name) {
        std::wstring pattern = text(english.loadString(String(key)));
        EXPECT_NE(pattern, key) << "the English catalog lacks the key";
        std::size_t at = pattern.find(L"%s");
        EXPECT_NE(at, std::wstring::npos);
        EXPECT_EQ(pattern.find(L'%', at + 2), std::wstring::npos);
        return at == std::wstring::npos ? pattern : pattern.replace(at, 2, name);
    }

    // Where the build and the package put it: beside wux.dll.
    MoResourceLoader english{cpp::io::Path::combine(cpp::io::Path::getCurrentModulePath(),
                                                    String(L"locale\\en_US\\wux.mo")),
                             nullptr};
    cpp::lang::IResourceLoader* previous = nullptr;
    wuxtest::TempFolder folder;
};

enum class Kind { FileNotFound, DirectoryNotFound, IO };

struct FileErrorCase {
    char const* name;
    wchar_t const* relative; // below the test's folder; empty: the folder itself
    Kind kind;
    wchar_t const* key;
};

FileErrorCase const FILE_ERROR_CASES[] = {
    {"missing file", L"missing.txt", Kind::FileNotFound, L"IDS_CANNOT_FIND_FILE"},
    {"missing folder", L"no\\such.txt", Kind::DirectoryNotFound, L"IDS_CANNOT_FIND_PATH"},
    {"a folder opened as a file", L"", Kind::IO, L"IDS_ACCESS_FILE_DENY"},
};

TEST_F(LibraryTexts, FileSystemErrorsReadAsMessagesNamingTheFile) {
    for (FileErrorCase const& c : FILE_ERROR_CASES) {
        SCOPED_TRACE(c.name);
        std::wstring name = *c.relative == 0 ? folder.path() : folder.at(c.relative);
        try {
            FileInputStream in(str(name), cpp::io::ReadWrite);
            ADD_FAILURE() << "the file opened";
        } catch (IOException const& e) {
            Kind kind = typeid(e) == typeid(FileNotFoundException)        ? Kind::FileNotFound
                        : typeid(e) == typeid(DirectoryNotFoundException) ? Kind::DirectoryNotFound
                                                                          : Kind::IO;
            EXPECT_EQ(kind, c.kind) << typeid(e).name();
            EXPECT_EQ(text(e.getMessage()), expected(c.key, name));
            EXPECT_EQ(text(e.toString()), text(e.getMessage()));
        }
    }
}

TEST_F(LibraryTexts, TheEnglishTextOfAMissingFile) {
    std::wstring name = folder.at(L"gone.txt");
    std::wstring message;
    try {
        FileInputStream in(str(name), cpp::io::Read);
    } catch (FileNotFoundException const& e) {
        message = text(e.getMessage());
    }
    EXPECT_EQ(message, L"The file '" + name + L"' cannot be found.");
}

TEST_F(LibraryTexts, TheHookReportsAndReplacesTheInstalledLoader) {
    EXPECT_EQ(cpp::util::interim::getLibraryLoader(), &english);
    EXPECT_EQ(cpp::util::interim::setLibraryLoader(nullptr), &english);
    EXPECT_EQ(cpp::util::interim::getLibraryLoader(), nullptr);
    // Without a loader the keyed message is empty.
    try {
        FileInputStream in(str(folder.at(L"gone.txt")), cpp::io::Read);
    } catch (FileNotFoundException const& e) {
        EXPECT_TRUE(e.getMessage().isEmpty());
    }
}

} // namespace
