// The catalog parser on images built in memory: the layout in both byte
// orders, every bound it checks (at the bound and one past it, including
// 32-bit wrap-arounds), strings read only within their lengths, plural forms,
// the header's charset, the limit on shared strings, and catalogs from msgfmt
// truncated at every length and mutated at random. Every image sits right
// before an unreadable page, so that reading past its end faults.
#include "util/MoCatalog.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/String.h"
#include "wux/util/ResourceException.h"

#include "MoImage.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using cpp::lang::String;
using cpp::util::MoResourceLoader;
using cpp::util::readMoCatalog;
using cpp::util::ResourceException;
using motest::buildImage;
using motest::Entry;
using motest::getWord;
using motest::GuardedBytes;
using motest::putWord;

typedef std::map<std::wstring, std::wstring> Texts;

std::wstring const NOT_VALID = L"'t.mo' is not a valid message catalog.";

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

struct Parsed {
    bool loaded;
    std::wstring error; // the ResourceException's message when not loaded
    Texts messages;
};

Parsed parse(std::string const& image) {
    GuardedBytes bytes(image);
    MoResourceLoader::MessageMap messages;
    try {
        readMoCatalog(bytes.data(), image.size(), String(L"t.mo"), messages);
    } catch (ResourceException const& e) {
        return Parsed{false, text(e.getMessage()), Texts()};
    }
    Texts texts;
    for (auto const& m : messages)
        texts[text(m.first)] = text(m.second);
    return Parsed{true, std::wstring(), texts};
}

std::string const HEADER = "Content-Type: text/plain; charset=UTF-8\n";

TEST(MoCatalogRead, ReadsTheEntriesInBothByteOrders) {
    std::vector<Entry> entries = {{"", HEADER},
                                  {"IDS_A", "Alpha"},
                                  {"IDS_B", "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x98\x83"},
                                  {"ctx\x04IDS_A", "In context"}};
    Texts expected = {{L"", L"Content-Type: text/plain; charset=UTF-8\n"},
                      {L"IDS_A", L"Alpha"},
                      {L"IDS_B", L"Gr\u00FC\u00DFe \u2603"},
                      {L"ctx\u0004IDS_A", L"In context"}};
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        Parsed p = parse(buildImage(entries, bigEndian));
        ASSERT_TRUE(p.loaded) << std::string(p.error.begin(), p.error.end());
        EXPECT_EQ(p.messages, expected);
    }
}

// The image the structure cases start from: two entries, no header.
// Layout: 28 header bytes, id table at 28, text table at 44, strings from 60
// ("IDS_A" 60, "IDS_B" 66, "Alpha" 72, "Beta" 78), 83 bytes.
std::string base() {
    return buildImage({{"IDS_A", "Alpha"}, {"IDS_B", "Beta"}});
}

std::size_t const ID0 = 28, ID1 = 36, TEXT0 = 44, TEXT1 = 52;

// `image` with its table at `field` copied to the end and pointed to there.
std::string tableAtEnd(std::string image, std::size_t field) {
    std::size_t table = getWord(image, field);
    std::string copy = image.substr(table, 16);
    putWord(image, field, static_cast<std::uint32_t>(image.size()));
    return image + copy;
}

struct StructureCase {
    char const* name;
    std::function<std::string()> image;
    bool loaded;
    Texts messages; // when loaded
};

Texts const BOTH = {{L"IDS_A", L"Alpha"}, {L"IDS_B", L"Beta"}};

StructureCase const STRUCTURE_CASES[] = {
    {"the base image", [] { return base(); }, true, BOTH},
    {"28 bytes without entries",
     [] {
         std::string image = base().substr(0, 28);
         putWord(image, motest::COUNT, 0);
         putWord(image, motest::TEXT_TABLE, 28);
         return image;
     },
     false,
     {}},
    {"29 bytes without entries",
     [] {
         std::string image = base().substr(0, 29);
         putWord(image, motest::COUNT, 0);
         putWord(image, motest::TEXT_TABLE, 29);
         return image;
     },
     true,
     {}},
    {"no bytes", [] { return std::string(); }, false, {}},
    {"another magic number",
     [] {
         std::string image = base();
         image[3] = 0x12;
         return image;
     },
     false,
     {}},
    {"id table ending at the end", [] { return tableAtEnd(base(), motest::ID_TABLE); }, true, BOTH},
    {"id table one byte past the end",
     [] {
         std::string image = tableAtEnd(base(), motest::ID_TABLE);
         return image.substr(0, image.size() - 1);
     },
     false,
     {}},
    {"text table one byte past the end",
     [] {
         std::string image = tableAtEnd(base(), motest::TEXT_TABLE);
         return image.substr(0, image.size() - 1);
     },
     false,
     {}},
    {"table offset beyond the file",
     [] {
         std::string image = base();
         putWord(image, motest::TEXT_TABLE, 84);
         return image;
     },
     false,
     {}},
    {"table offset wrapping around 32 bits",
     [] {
         std::string image = base();
         putWord(image, motest::ID_TABLE, 0xFFFFFFF8u);
         return image;
     },
     false,
     {}},
    {"count whose table size wraps around 32 bits",
     [] {
         std::string image = base();
         putWord(image, motest::COUNT, 0x20000000u);
         return image;
     },
     false,
     {}},
    {"count of 0xFFFFFFFF",
     [] {
         std::string image = base();
         putWord(image, motest::COUNT, 0xFFFFFFFFu);
         return image;
     },
     false,
     {}},
    {"last string ending at the end of the file, without its 0 byte",
     [] { return base().substr(0, 82); }, true, BOTH},
    {"last string one byte past the end of the file",
     [] { return base().substr(0, 81); },
     true,
     {{L"IDS_A", L"Alpha"}}},
    {"string offset wrapping around 32 bits",
     [] {
         std::string image = base();
         putWord(image, TEXT1 + 4, 0xFFFFFFFEu);
         return image;
     },
     true,
     {{L"IDS_A", L"Alpha"}}},
    {"string length wrapping around 32 bits",
     [] {
         std::string image = base();
         putWord(image, TEXT1, 0xFFFFFFF8u);
         putWord(image, TEXT1 + 4, 0x10);
         return image;
     },
     true,
     {{L"IDS_A", L"Alpha"}}},
    {"string length of 0xFFFFFFFF",
     [] {
         std::string image = base();
         putWord(image, TEXT1, 0xFFFFFFFFu);
         return image;
     },
     true,
     {{L"IDS_A", L"Alpha"}}},
    {"message id outside the file: the empty key",
     [] {
         std::string image = base();
         putWord(image, ID0 + 4, 1000);
         return image;
     },
     true,
     {{L"", L"Alpha"}, {L"IDS_B", L"Beta"}}},
    {"message id read only to its length",
     [] {
         std::string image = base();
         putWord(image, ID0, 3);
         return image;
     },
     true,
     {{L"IDS", L"Alpha"}, {L"IDS_B", L"Beta"}}},
    {"translation read only to its length",
     [] {
         std::string image = base();
         putWord(image, TEXT0, 3);
         return image;
     },
     true,
     {{L"IDS_A", L"Alp"}, {L"IDS_B", L"Beta"}}},
    {"message id up to its first 0 byte",
     [] {
         return buildImage({{std::string("IDS_A\0junk", 10), "Alpha"}});
     },
     true,
     {{L"IDS_A", L"Alpha"}}},
    {"two entries sharing a translation within the file's size",
     [] {
         std::string image = base();
         putWord(image, TEXT1, getWord(image, TEXT0));
         putWord(image, TEXT1 + 4, getWord(image, TEXT0 + 4));
         return image;
     },
     true,
     {{L"IDS_A", L"Alpha"}, {L"IDS_B", L"Alpha"}}},
    {"entries sharing more string bytes than the file holds",
     [] {
         std::vector<Entry> entries;
         for (int i = 0; i < 300; ++i)
             entries.push_back({"k" + std::to_string(i), "x"});
         entries.push_back({"long", std::string(200, 'y')});
         std::string image = buildImage(entries);
         std::size_t last = motest::textEntry(image, 300);
         for (std::size_t i = 0; i < 300; ++i) {
             putWord(image, motest::textEntry(image, i), 200);
             putWord(image, motest::textEntry(image, i) + 4, getWord(image, last + 4));
         }
         return image;
     },
     false,
     {}},
    {"a later entry with the same key replaces an earlier one",
     [] {
         return buildImage({{"IDS_A", "first"}, {"IDS_A", "second"}});
     },
     true,
     {{L"IDS_A", L"second"}}},
};

void PrintTo(StructureCase const& c, std::ostream* os) {
    *os << c.name;
}

class MoCatalogStructure : public ::testing::TestWithParam<StructureCase> {};

TEST_P(MoCatalogStructure, LoadsOrRejects) {
    StructureCase const& c = GetParam();
    Parsed p = parse(c.image());
    if (c.loaded) {
        EXPECT_TRUE(p.loaded) << std::string(p.error.begin(), p.error.end());
        EXPECT_EQ(p.messages, c.messages);
    } else {
        EXPECT_FALSE(p.loaded);
        EXPECT_EQ(p.error, NOT_VALID);
    }
}

std::string caseName(::testing::TestParamInfo<StructureCase> const& info) {
    std::string name;
    for (char const* p = info.param.name; *p != 0; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, MoCatalogStructure, ::testing::ValuesIn(STRUCTURE_CASES), caseName);

TEST(MoCatalogRead, ManyEntriesSharingOneLongStringAreRejectedBeforeDecoding) {
    // 10000 distinct keys that all name one 30000-byte translation: storing
    // them would take 600 MB of text for an image of 200 kB.
    std::vector<Entry> entries;
    char key[16];
    for (int i = 0; i < 10000; ++i) {
        std::snprintf(key, sizeof key, "k%05d", i);
        entries.push_back({key, i == 0 ? std::string(30000, 'z') : std::string("x")});
    }
    std::string image = buildImage(entries);
    std::size_t first = motest::textEntry(image, 0);
    for (std::size_t i = 1; i < entries.size(); ++i) {
        putWord(image, motest::textEntry(image, i), getWord(image, first));
        putWord(image, motest::textEntry(image, i) + 4, getWord(image, first + 4));
    }
    Parsed p = parse(image);
    EXPECT_FALSE(p.loaded);
    EXPECT_EQ(p.error, NOT_VALID);
}

struct FormsCase {
    char const* name;
    std::string translation;
    std::uint32_t statedLength; // the length in the table
    wchar_t const* stored;      // null: nothing stored
};

FormsCase const FORMS_CASES[] = {
    {"one form", "one", 3, L"one"},
    {"the last non-empty form wins", std::string("a\0\0c", 4), 4, L"c"},
    {"an empty last form is skipped", std::string("a\0b\0", 4), 4, L"b"},
    {"a form cut by the translation's length", std::string("first\0second", 12), 9, L"sec"},
    {"only empty forms", std::string("\0\0", 2), 2, nullptr},
    {"empty translation", "", 0, nullptr},
};

TEST(MoCatalogRead, PluralFormsKeepTheLastNonEmptyForm) {
    for (FormsCase const& c : FORMS_CASES) {
        SCOPED_TRACE(c.name);
        std::string image = buildImage({{"IDS_A", c.translation}});
        putWord(image, motest::textEntry(image, 0), c.statedLength);
        Parsed p = parse(image);
        ASSERT_TRUE(p.loaded);
        if (c.stored == nullptr)
            EXPECT_TRUE(p.messages.empty());
        else
            EXPECT_EQ(p.messages, (Texts{{L"IDS_A", c.stored}}));
    }
}

struct CharsetCase {
    char const* name;
    std::vector<Entry> entries;
    wchar_t const* rejected; // the charset named in the exception; null: loads
};

std::string header(std::string const& charsetLine) {
    return "Project-Id-Version: t\n" + charsetLine + "Plural-Forms: nplurals=2;\n";
}

CharsetCase const CHARSET_CASES[] = {
    {"UTF-8", {{"", header("Content-Type: text/plain; charset=UTF-8\n")}}, nullptr},
    {"utf-8", {{"", header("Content-Type: text/plain; charset=utf-8\n")}}, nullptr},
    {"Utf-8", {{"", header("Content-Type: text/plain; charset=Utf-8\n")}}, nullptr},
    {"ISO-8859-1", {{"", header("Content-Type: text/plain; charset=ISO-8859-1\n")}}, L"ISO-8859-1"},
    {"UTF8 without the hyphen",
     {{"", header("Content-Type: text/plain; charset=UTF8\n")}},
     L"UTF8"},
    {"the placeholder CHARSET",
     {{"", header("Content-Type: text/plain; charset=CHARSET\n")}},
     nullptr},
    {"the placeholder in lower case",
     {{"", header("Content-Type: text/plain; charset=charset\n")}},
     L"charset"},
    {"an empty charset", {{"", header("Content-Type: text/plain; charset=\n")}}, nullptr},
    {"a charset line without a line feed",
     {{"", "Content-Type: text/plain; charset=ISO-8859-1"}},
     nullptr},
    {"another spelling of the field",
     {{"", header("Content-type: text/plain; charset=KOI8-R\n")}},
     nullptr},
    {"a header that is not entry 0",
     {{"IDS_A", "Alpha"}, {"", header("Content-Type: text/plain; charset=KOI8-R\n")}},
     nullptr},
    {"an empty message id that has bytes after its 0 byte",
     {{std::string("\0x", 2), header("Content-Type: text/plain; charset=KOI8-R\n")}},
     L"KOI8-R"},
};

TEST(MoCatalogRead, OnlyUtf8CatalogsLoad) {
    for (CharsetCase const& c : CHARSET_CASES) {
        SCOPED_TRACE(c.name);
        Parsed p = parse(buildImage(c.entries));
        if (c.rejected == nullptr) {
            EXPECT_TRUE(p.loaded) << std::string(p.error.begin(), p.error.end());
        } else {
            EXPECT_FALSE(p.loaded);
            EXPECT_EQ(p.error, std::wstring(L"Just support charset=utf-8 encoding, but not "
                                            L"charset=") +
                                   c.rejected + L" encoding.");
        }
    }
}

TEST(MoCatalogRead, AHeaderOutsideTheFileIsNotChecked) {
    std::string image =
        buildImage({{"", header("Content-Type: text/plain; charset=KOI8-R\n")}, {"IDS_A", "A"}});
    putWord(image, motest::textEntry(image, 0) + 4, 0x7FFFFFFFu);
    Parsed p = parse(image);
    ASSERT_TRUE(p.loaded);
    EXPECT_EQ(p.messages, (Texts{{L"IDS_A", L"A"}}));
}

// Catalogs compiled by msgfmt during the build.
std::vector<std::pair<char const*, std::string>> realCatalogs() {
    return {{"sample.mo", motest::builtFile(L"testdata\\mo\\sample.mo")},
            {"sample-be.mo", motest::builtFile(L"testdata\\mo\\sample-be.mo")},
            {"en_US wux.mo", motest::builtFile(L"locale\\en_US\\wux.mo")}};
}

// Parses `image`, which may be anything: it loads, or it throws one of the
// catalog's own exceptions.
void expectLoadsOrRejects(std::string const& image) {
    GuardedBytes bytes(image);
    MoResourceLoader::MessageMap messages;
    try {
        readMoCatalog(bytes.data(), image.size(), String(L"t.mo"), messages);
    } catch (ResourceException const& e) {
        std::wstring message = text(e.getMessage());
        if (message != NOT_VALID && message.rfind(L"Just support charset=", 0) != 0)
            ADD_FAILURE() << "unexpected message of ResourceException";
    } catch (cpp::lang::FormatException const&) {
        // Malformed UTF-8 is the decoder's failure.
    } catch (cpp::lang::Exception const& e) {
        ADD_FAILURE() << "unexpected exception " << typeid(e).name();
    }
}

TEST(MoCatalogRead, EveryTruncationOfARealCatalogLoadsOrIsRejected) {
    for (auto const& catalog : realCatalogs()) {
        SCOPED_TRACE(catalog.first);
        std::string const& image = catalog.second;
        ASSERT_GT(image.size(), 100u);
        EXPECT_TRUE(parse(image).loaded);
        for (std::size_t n = 0; n < image.size(); ++n)
            expectLoadsOrRejects(image.substr(0, n));
    }
}

TEST(MoCatalogRead, MutatedRealCatalogsLoadOrAreRejected) {
    std::mt19937 random(20261201u);
    auto below = [&](std::size_t n) {
        return static_cast<std::size_t>(random() % static_cast<std::uint32_t>(n));
    };
    for (auto const& catalog : realCatalogs()) {
        SCOPED_TRACE(catalog.first);
        std::string const& original = catalog.second;
        ASSERT_GT(original.size(), 100u);
        bool bigEndian = getWord(original, 0) == 0xDE120495u;
        std::uint32_t const size = static_cast<std::uint32_t>(original.size());
        std::uint32_t const words[] = {0,        1,           4,           7,
                                       28,       size - 1,    size,        size + 1,
                                       size / 2, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
        // The words of the header and the tables: where a changed value
        // matters most.
        std::size_t tablesEnd = 28 + 16 * static_cast<std::size_t>(getWord(original, 8, bigEndian));
        for (int round = 0; round < 4000; ++round) {
            std::string image = original;
            int changes = 1 + static_cast<int>(below(4));
            for (int c = 0; c < changes; ++c) {
                switch (below(4)) {
                case 0: // any byte, any value
                    image[below(image.size())] = static_cast<char>(below(256));
                    break;
                case 1: // a header or table word, a boundary value
                    putWord(image, 4 * below(tablesEnd / 4), words[below(std::size(words))],
                            bigEndian);
                    break;
                case 2: // a header or table word, any value
                    putWord(image, 4 * below(tablesEnd / 4), static_cast<std::uint32_t>(random()),
                            bigEndian);
                    break;
                default: // cut the image short
                    image.resize(below(image.size()));
                    break;
                }
                if (image.size() < tablesEnd)
                    break;
            }
            expectLoadsOrRejects(image);
            if (::testing::Test::HasFailure()) {
                ADD_FAILURE() << "round " << round;
                return;
            }
        }
    }
}

} // namespace
