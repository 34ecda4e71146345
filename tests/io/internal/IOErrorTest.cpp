// throwIOError: which exception class each Win32 error code becomes, the
// catalog key its message comes from (formatted with the name), error id 0,
// and the messages while there is no catalog or the catalog fails.
#include "io/IOError.h"
#include "util/LibraryResources.h"
#include "wux/io/DirectoryNotFoundException.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/IOException.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"
#include "wux/util/ResourceException.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

namespace {

using cpp::io::DirectoryNotFoundException;
using cpp::io::FileNotFoundException;
using cpp::io::IOException;
using cpp::io::throwIOError;
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;
using cpp::lang::SystemErrorHandler;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

// Patterns "<key>: %s" for the keys the mapping uses, so a test sees both
// the key chosen and the name formatted into it. Other keys, and ids, are
// not expected.
class PatternLoader : public IResourceLoader {
public:
    String loadString(String const& key) override {
        String pattern(key);
        pattern += L": %s";
        return pattern;
    }
    String loadString(unsigned int) override { return String(L"unexpected id"); }
    String getResourceFileName() const override { return String(L"fake.mo"); }
    cpp::global::Locale const* getLocale() const override { return nullptr; }
    void* getResourceFileHandle() const override { return nullptr; }
};

// A catalog that cannot be read.
class FailingLoader : public IResourceLoader {
public:
    String loadString(String const&) override {
        throw cpp::util::ResourceException(String(L"catalog unreadable"), 2);
    }
    String loadString(unsigned int) override {
        throw cpp::util::ResourceException(String(L"catalog unreadable"), 2);
    }
    String getResourceFileName() const override { return String(); }
    cpp::global::Locale const* getLocale() const override { return nullptr; }
    void* getResourceFileHandle() const override { return nullptr; }
};

enum class Kind { FileNotFound, DirectoryNotFound, IO };

char const* kindName(Kind kind) {
    switch (kind) {
    case Kind::FileNotFound:
        return "FileNotFoundException";
    case Kind::DirectoryNotFound:
        return "DirectoryNotFoundException";
    default:
        return "IOException";
    }
}

// The exception throwIOError throws for these arguments, caught as
// IOException (the base of all three), with its exact class.
struct Thrown {
    Kind kind;
    std::wstring message;
    int errorId;
    std::wstring toString;
};

Thrown thrownFor(unsigned int code, bool isFile, String const& name) {
    try {
        throwIOError(code, isFile, name);
    } catch (IOException const& e) {
        Kind kind = Kind::IO;
        if (typeid(e) == typeid(FileNotFoundException))
            kind = Kind::FileNotFound;
        else if (typeid(e) == typeid(DirectoryNotFoundException))
            kind = Kind::DirectoryNotFound;
        else
            EXPECT_EQ(typeid(e), typeid(IOException)) << "an unexpected IOException subclass";
        return Thrown{kind, text(e.getMessage()), e.getErrorId(), text(e.toString())};
    }
    ADD_FAILURE() << "throwIOError returned";
    return Thrown{Kind::IO, L"", -1, L""};
}

class IOErrorTest : public ::testing::Test {
protected:
    void TearDown() override { cpp::util::setLibraryLoader(nullptr); }
};

struct MappingRow {
    char const* name;
    unsigned int code;
    bool isFile;
    Kind kind;
    wchar_t const* key; // null: the system's text for the code
};

MappingRow const MAPPING[] = {
    {"file not found, file", 2, true, Kind::FileNotFound, L"IDS_CANNOT_FIND_FILE"},
    {"file not found, directory", 2, false, Kind::FileNotFound, L"IDS_CANNOT_FIND_DIR"},
    {"path not found, file", 3, true, Kind::DirectoryNotFound, L"IDS_CANNOT_FIND_PATH"},
    {"path not found, directory", 3, false, Kind::DirectoryNotFound, L"IDS_CANNOT_FIND_PATH"},
    {"access denied, file", 5, true, Kind::IO, L"IDS_ACCESS_FILE_DENY"},
    {"access denied, directory", 5, false, Kind::IO, L"IDS_ACCESS_DIR_DENY"},
    {"sharing violation", 32, true, Kind::IO, nullptr},
    {"file exists", 80, false, Kind::IO, nullptr},
    {"directory not empty", 145, false, Kind::IO, nullptr},
    {"bad name", 123, true, Kind::IO, nullptr},
};

TEST_F(IOErrorTest, ClassesAndCatalogMessages) {
    PatternLoader loader;
    cpp::util::setLibraryLoader(&loader);
    String const name(L"C:\\dir\\100%s.txt");
    for (MappingRow const& row : MAPPING) {
        SCOPED_TRACE(row.name);
        Thrown thrown = thrownFor(row.code, row.isFile, name);
        EXPECT_STREQ(kindName(thrown.kind), kindName(row.kind));
        EXPECT_EQ(thrown.errorId, 0);
        std::wstring expected;
        if (row.key != nullptr) {
            // The name is the argument, never part of the pattern.
            expected = std::wstring(row.key) + L": C:\\dir\\100%s.txt";
        } else {
            expected =
                text(SystemErrorHandler::getInstance()->toString(static_cast<int>(row.code)));
            EXPECT_FALSE(expected.empty()) << "the system has a text for this code";
        }
        EXPECT_EQ(thrown.message, expected);
        // Error id 0: toString() is the message alone.
        EXPECT_EQ(thrown.toString, expected);
    }
}

// Until the library is initialised there is no catalog: keyed messages are
// empty instead of a failure to format them.
TEST_F(IOErrorTest, WithoutCatalogKeyedMessagesAreEmpty) {
    for (MappingRow const& row : MAPPING) {
        SCOPED_TRACE(row.name);
        Thrown thrown = thrownFor(row.code, row.isFile, String(L"x.txt"));
        EXPECT_STREQ(kindName(thrown.kind), kindName(row.kind));
        EXPECT_EQ(thrown.errorId, 0);
        if (row.key != nullptr)
            EXPECT_EQ(thrown.message, L"");
        else
            EXPECT_EQ(thrown.message, text(SystemErrorHandler::getInstance()->toString(
                                          static_cast<int>(row.code))));
    }
}

TEST_F(IOErrorTest, FailingCatalogGivesEmptyMessageOfTheRightClass) {
    FailingLoader loader;
    cpp::util::setLibraryLoader(&loader);
    Thrown thrown = thrownFor(2, true, String(L"x.txt"));
    EXPECT_STREQ(kindName(thrown.kind), kindName(Kind::FileNotFound));
    EXPECT_EQ(thrown.message, L"");
    EXPECT_EQ(thrown.errorId, 0);
}

// A code without a system text gives an empty message, still an IOException.
TEST_F(IOErrorTest, CodeWithoutSystemText) {
    unsigned int const code = 0x2000FFFF;
    ASSERT_EQ(text(SystemErrorHandler::getInstance()->toString(static_cast<int>(code))), L"");
    Thrown thrown = thrownFor(code, true, String(L"x.txt"));
    EXPECT_STREQ(kindName(thrown.kind), kindName(Kind::IO));
    EXPECT_EQ(thrown.message, L"");
    EXPECT_EQ(thrown.errorId, 0);
}

} // namespace
