// Path: the character tables, the structural operations on path strings
// (roots, directory and file names, extensions, combining, comparing) with
// the exceptions for invalid characters, makeFullPath under a current
// directory the tests choose, and the current directory and module folder
// read from the system, also when they are longer than MAX_PATH.
#include "wux/io/Path.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using cpp::io::Path;
using cpp::lang::ArgumentException;
using cpp::lang::String;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

String str(std::wstring const& s) {
    return String(s.c_str(), static_cast<unsigned int>(s.size()));
}

// Runs `call` and checks that it throws ArgumentException with exactly this
// message and argument name.
template <class Call>
void expectArgumentException(Call call, std::wstring const& message, std::wstring const& name) {
    try {
        call();
        ADD_FAILURE() << "no exception";
    } catch (ArgumentException const& e) {
        String composed(L"Argument ");
        composed += str(name);
        composed += L": ";
        composed += str(message);
        EXPECT_EQ(text(e.getArgumentName()), name);
        EXPECT_EQ(text(e.getMessage()), text(composed));
        EXPECT_EQ(e.getErrorId(), 0);
    }
}

std::wstring const PATH_ILLEGAL = L"Illegal characters of parameter path in path.";
std::wstring const NAME_ILLEGAL = L"Illegal characters in path.";
std::wstring const NOT_LEGAL_FORM = L"The parameter path is not of a legal form.";
std::wstring const BAD_UNC = L"UNC path should be of the form \\\\server\\share.";

//===-- Character tables -------------------------------------------------===//

TEST(PathCharsTest, InvalidPathCharsAreTheFifteenUnitsInOrder) {
    std::wstring const expected = {0x22, 0x3C, 0x3E, 0x7C, 0x08, 0x10, 0x11, 0x12,
                                   0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19};
    EXPECT_EQ(text(Path::getInvalidPathChars()), expected);
    EXPECT_EQ(text(Path::getSeparatorChars()), L"\\/");
    EXPECT_EQ(Path::separator, 0x5C);
    EXPECT_EQ(Path::altSeparator, 0x2F);
    EXPECT_EQ(Path::pathSeparator, 0x3B);
    EXPECT_EQ(Path::volumeSeparator, 0x3A);
}

// Every unit of the table makes the structural operations throw; the
// controls outside it (0x01-0x07, 0x09-0x0F, 0x1A-0x1F) and the wildcards
// do not.
TEST(PathCharsTest, EveryInvalidUnitThrowsAndNoOtherControlDoes) {
    std::wstring const invalid = text(Path::getInvalidPathChars());
    for (wchar_t u = 1; u < 0x80; ++u) {
        std::wstring path = L"C:\\a";
        path += u;
        path += L"b.x";
        bool isInvalid = invalid.find(u) != std::wstring::npos;
        SCOPED_TRACE(static_cast<int>(u));
        if (isInvalid) {
            expectArgumentException([&] { Path::isAbsolutePath(str(path)); }, PATH_ILLEGAL,
                                    L"path");
            expectArgumentException([&] { Path::getFileName(str(path)); }, NAME_ILLEGAL, L"path");
        } else {
            EXPECT_TRUE(Path::isAbsolutePath(str(path)));
            EXPECT_EQ(text(Path::getExtensionName(str(path))), L".x");
        }
    }
}

//===-- isAbsolutePath, isValidPath --------------------------------------===//

struct BoolRow {
    char const* name;
    wchar_t const* path;
    bool expected;
};

TEST(PathAbsoluteTest, Table) {
    BoolRow const rows[] = {
        {"backslash first", L"\\x", true},
        {"slash first", L"/x", true},
        {"drive alone", L"C:", true},
        {"drive relative", L"C:x", true},
        {"drive path", L"C:\\x", true},
        {"lone separator", L"\\", true},
        {"UNC", L"\\\\srv\\sh", true},
        {"relative name", L"x", false},
        {"dot", L".", false},
        {"empty", L"", false},
        {"colon later", L"ab:c", false},
        {"relative with separators", L"a\\b", false},
    };
    for (BoolRow const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Path::isAbsolutePath(String(row.path)), row.expected);
    }
}

TEST(PathAbsoluteTest, InvalidCharactersThrow) {
    expectArgumentException([] { Path::isAbsolutePath(String(L"a|b")); }, PATH_ILLEGAL, L"path");
    expectArgumentException([] { Path::isAbsolutePath(String(L"\\\"x\"")); }, PATH_ILLEGAL,
                            L"path");
}

TEST(PathValidTest, Table) {
    BoolRow const rows[] = {
        {"colon after the drive", L"C:\\a:b", false},
        {"plain drive path", L"C:\\ok", true},
        {"star", L"a*b", false},
        {"question mark", L"C:\\a?", false},
        {"pipe is rejected before any throw", L"a|b", false},
        {"quote", L"\"a\"", false},
        {"less than", L"a<b", false},
        {"greater than", L"a>b", false},
        {"colon in a relative path", L"a:b", true}, // index 1: a drive-relative path
        {"colon later in a relative path", L"ab:c", false},
        {"rooted path with a colon", L"\\a:b", false},
        {"drive alone", L"C:", true},
        {"empty", L"", true},
        {"relative", L"dir\\file.txt", true},
    };
    for (BoolRow const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Path::isValidPath(String(row.path)), row.expected);
    }
}

TEST(PathValidTest, OtherInvalidUnitsThrowThroughIsAbsolutePath) {
    expectArgumentException([] { Path::isValidPath(String(L"a\x10")); }, PATH_ILLEGAL, L"path");
}

//===-- getPathRoot, getDirectoryName, getFileName, getExtensionName -----===//

struct TextRow {
    char const* name;
    wchar_t const* path;
    wchar_t const* expected;
};

TEST(PathRootTest, Table) {
    TextRow const rows[] = {
        {"drive path", L"C:\\Windows", L"C:\\"},
        {"drive path with slash", L"C:/x", L"C:/"},
        {"drive relative", L"C:x", L"C:"},
        {"drive alone", L"C:", L"C:"},
        {"UNC with folders", L"\\\\srv\\share\\d\\f", L"\\\\srv\\share\\"},
        {"UNC share only", L"\\\\server\\share", L"\\\\server\\share\\"},
        {"UNC with slashes", L"//srv/sh", L"\\\\srv\\sh\\"},
        {"UNC server only", L"\\\\server", L"\\\\server\\"},
        {"UNC mixed separators", L"/\\srv/sh/d", L"\\\\srv\\sh\\"},
        {"rooted", L"\\x", L"\\"},
        {"rooted with slash", L"/x/y", L"\\"},
        {"lone slash", L"/", L"\\"},
        {"relative", L"rel\\x", L""},
        {"empty", L"", L""},
    };
    for (TextRow const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text(Path::getPathRoot(String(row.path))), row.expected);
    }
    expectArgumentException([] { Path::getPathRoot(String(L"C:\\<")); }, PATH_ILLEGAL, L"path");
}

TEST(PathDirectoryNameTest, Table) {
    TextRow const rows[] = {
        {"file in folder", L"C:\\a\\b.txt", L"C:\\a"},
        {"folder under the root", L"C:\\a", L"C:\\"},
        {"root", L"C:\\", L"C:\\"},
        {"trailing separator", L"C:\\a\\b\\", L"C:\\a"},
        {"rooted", L"\\x", L""},
        {"separator at index 1", L"a\\b", L""},
        {"separator at index 2", L"xy\\z", L"xy"},
        {"bare name", L"file.txt", L""},
        {"UNC root", L"\\\\srv\\sh\\", L"\\\\srv\\sh\\"},
        {"UNC file", L"\\\\srv\\sh\\f", L"\\\\srv\\sh"},
        {"slashes kept", L"C:/a/b", L"C:/a"},
        {"drive-relative", L"C:a\\b", L"C:a"},
    };
    for (TextRow const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text(Path::getDirectoryName(String(row.path))), row.expected);
    }
    expectArgumentException([] { Path::getDirectoryName(String()); }, NOT_LEGAL_FORM, L"path");
}

TEST(PathFileNameTest, Table) {
    TextRow const rows[] = {
        {"file in folder", L"C:\\a\\b.txt", L"b.txt"},
        {"trailing separator kept", L"C:\\a\\", L"a\\"},
        {"bare name", L"b.txt", L""},
        {"slash separator", L"x/y.z", L"y.z"},
        {"root", L"C:\\", L""},
        {"empty", L"", L""},
        {"lone separator", L"\\", L""},
    };
    for (TextRow const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text(Path::getFileName(String(row.path))), row.expected);
    }
    expectArgumentException([] { Path::getFileName(String(L"C:\\a>b")); }, NAME_ILLEGAL, L"path");
}

TEST(PathExtensionNameTest, Table) {
    TextRow const rows[] = {
        {"dot in a folder name only", L"C:\\a.b\\c", L""},
        {"last of two extensions", L"x.tar.gz", L".gz"},
        {"trailing dot", L"x.", L""},
        {"dot file", L".profile", L".profile"},
        {"plain", L"C:\\dir\\file.txt", L".txt"},
        {"no dot", L"C:\\dir\\file", L""},
        {"dot right after the separator", L"C:\\dir\\.x", L".x"},
        {"empty", L"", L""},
    };
    for (TextRow const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text(Path::getExtensionName(String(row.path))), row.expected);
    }
    expectArgumentException([] { Path::getExtensionName(String(L"a\"b.c")); }, NAME_ILLEGAL,
                            L"path");
}

//===-- changeExtension --------------------------------------------------===//

struct ChangeRow {
    char const* name;
    wchar_t const* path;
    wchar_t const* extension;
    wchar_t const* expected;
};

TEST(PathChangeExtensionTest, Table) {
    ChangeRow const rows[] = {
        {"without dot", L"a.txt", L"log", L"a.log"},
        {"with dot", L"a.txt", L".log", L"a.log"},
        {"removed", L"a.txt", L"", L"a"},
        {"added", L"a", L"log", L"a.log"},
        {"nothing to remove", L"a", L"", L"a"},
        {"trailing dot replaced", L"name.", L"log", L"name.log"},
        {"trailing dot removed", L"name.", L"", L"name"},
        {"last of two replaced", L"x.tar.gz", L"bz2", L"x.tar.bz2"},
        {"dot in folder untouched", L"C:\\a.b\\c", L"d", L"C:\\a.b\\c.d"},
        {"empty path", L"", L"log", L".log"},
    };
    for (ChangeRow const& row : rows) {
        SCOPED_TRACE(row.name);
        String path(row.path);
        Path::changeExtension(path, String(row.extension));
        EXPECT_EQ(text(path), row.expected);
    }
    String bad(L"a|b.txt");
    expectArgumentException([&] { Path::changeExtension(bad, String(L"log")); }, NAME_ILLEGAL,
                            L"path");
    EXPECT_EQ(text(bad), L"a|b.txt");
}

//===-- combine, equal ---------------------------------------------------===//

struct PairRow {
    char const* name;
    wchar_t const* path1;
    wchar_t const* path2;
    wchar_t const* expected;
};

TEST(PathCombineTest, Table) {
    PairRow const rows[] = {
        {"one separator added", L"C:\\a", L"b", L"C:\\a\\b"},
        {"separator present", L"C:\\a\\", L"b", L"C:\\a\\b"},
        {"slash present", L"C:/a/", L"b", L"C:/a/b"},
        {"absolute second", L"C:\\a", L"D:\\b", L"D:\\b"},
        {"rooted second", L"C:\\a", L"\\b", L"\\b"},
        {"empty first", L"", L"b", L"b"},
        {"empty second", L"C:\\a", L"", L"C:\\a"},
        {"empty first, second unchecked", L"", L"a|b", L"a|b"},
        {"empty second, first unchecked", L"a|b", L"", L"a|b"},
    };
    for (PairRow const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text(Path::combine(String(row.path1), String(row.path2))), row.expected);
    }
    expectArgumentException([] { Path::combine(String(L"C:\\a<"), String(L"b")); },
                            L"Illegal characters of parameter path1 in path", L"path1");
    expectArgumentException([] { Path::combine(String(L"C:\\a"), String(L"b>")); }, PATH_ILLEGAL,
                            L"path");
}

TEST(PathEqualTest, Table) {
    struct Row {
        char const* name;
        wchar_t const* path1;
        wchar_t const* path2;
        bool expected;
    } const rows[] = {
        {"blanks, case and trailing separator", L" C:\\Dir ", L"c:\\dir\\", true},
        {"slash and backslash differ", L"C:/a", L"C:\\a", false},
        {"slash-ended paths", L"C:/a/", L"c:/A/", true},
        {"a trailing slash is not a backslash", L"C:/a/", L"c:/A", false},
        {"different names", L"C:\\a", L"C:\\b", false},
        {"prefix only", L"C:\\a", L"C:\\ab", false},
        {"tabs are not trimmed", L"\tC:\\a", L"C:\\a", false},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Path::equal(String(row.path1), String(row.path2)), row.expected);
        EXPECT_EQ(Path::equal(String(row.path2), String(row.path1)), row.expected);
    }
}

//===-- The system: temporary folders and the current directory ----------===//

std::wstring systemCurrentDirectory() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::vector<wchar_t> buffer(n);
    DWORD written = GetCurrentDirectoryW(n, buffer.data());
    return std::wstring(buffer.data(), written);
}

// A folder of its own under the system's temporary folder, removed with
// everything the test put in it; the current directory is restored.
class TempFolderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        _savedCurrent = systemCurrentDirectory();
        wchar_t temp[MAX_PATH + 1];
        DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        ASSERT_GT(n, 0u);
        _root = std::wstring(temp, n) + L"wux-path-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(GetTickCount());
        ASSERT_TRUE(CreateDirectoryW(_root.c_str(), nullptr)) << GetLastError();
        _created.push_back(_root);
    }

    void TearDown() override {
        SetCurrentDirectoryW(_savedCurrent.c_str());
        for (std::wstring const& file : _files)
            DeleteFileW(file.c_str());
        for (auto it = _created.rbegin(); it != _created.rend(); ++it)
            EXPECT_TRUE(RemoveDirectoryW(it->c_str())) << GetLastError();
    }

    // Creates `name` under `parent` and returns its path.
    std::wstring makeFolder(std::wstring const& parent, std::wstring const& name) {
        std::wstring path = parent + L"\\" + name;
        EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << GetLastError();
        _created.push_back(path);
        return path;
    }

    // Creates nested folders under the root until the path is longer than
    // `units`, and returns it.
    std::wstring makeDeepFolder(std::size_t units) {
        std::wstring path = _root;
        for (wchar_t c = L'a'; path.size() <= units; ++c)
            path = makeFolder(path, std::wstring(60, c));
        return path;
    }

    // Makes `path` the current directory and returns it as the system
    // reports it.
    std::wstring enter(std::wstring const& path) {
        EXPECT_TRUE(SetCurrentDirectoryW(path.c_str())) << GetLastError();
        return systemCurrentDirectory();
    }

    std::wstring _root;
    std::wstring _savedCurrent;
    std::vector<std::wstring> _created;
    std::vector<std::wstring> _files;
};

//===-- makeFullPath -----------------------------------------------------===//

class PathFullPathTest : public TempFolderFixture {};

TEST_F(PathFullPathTest, UnderAKnownCurrentDirectory) {
    std::wstring work = makeFolder(_root, L"work");
    std::wstring sub = enter(makeFolder(work, L"sub"));
    ASSERT_EQ(sub.substr(1, 2), L":\\") << "the temporary folder is on a drive";
    std::wstring parent = sub.substr(0, sub.rfind(L'\\'));
    std::wstring drive = sub.substr(0, 2);
    // Enough ".." to climb past the drive's root from the current directory.
    std::wstring climb;
    for (std::size_t i = 0,
                     n = 2 + static_cast<std::size_t>(std::count(sub.begin(), sub.end(), L'\\'));
         i < n; ++i)
        climb += L"..\\";

    struct Row {
        char const* name;
        std::wstring path;
        std::wstring expected;
    } const rows[] = {
        {"parent", L"..\\x", parent + L"\\x"},
        {"dot", L".\\y", sub + L"\\y"},
        {"up to the root", climb + L"z", drive + L"\\z"},
        {"climbing past the root gives the drive's root", climb + climb, drive + L"\\"},
        {"dot alone", L".", sub},
        {"dot segments and slashes", L"./a/./b/../c/", sub + L"\\a\\c"},
        {"doubled separators skipped", L".\\\\a", sub + L"\\a"},
        {"dot-named file", L".hidden", sub + L"\\.hidden"},
        {"relative", L"x", sub + L"\\x"},
        {"relative keeps its dots", L"a\\..\\b", sub + L"\\a\\..\\b"},
        {"leading blank kept", L" x", sub + L"\\ x"},
        {"rooted gets the drive", L"\\x", drive + L"\\x"},
        {"rooted with slash", L"/x", drive + L"/x"},
        {"lone separator unchanged", L"\\", L"\\"},
        {"drive path unchanged", L"C:\\a\\..\\b", L"C:\\a\\..\\b"},
        {"drive-relative unchanged", L"C:x", L"C:x"},
        {"UNC with slashes", L"//srv/sh/f", L"\\\\srv\\sh\\f"},
        {"UNC unchanged", L"\\\\srv\\sh\\f", L"\\\\srv\\sh\\f"},
        {"UNC server and separator", L"\\\\srv\\", L"\\\\srv\\"},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text(Path::makeFullPath(str(row.path))), row.expected);
    }
}

TEST_F(PathFullPathTest, Failures) {
    enter(_root);
    struct Row {
        char const* name;
        wchar_t const* path;
        std::wstring message;
    } const rows[] = {
        {"three blanks", L"   ", NOT_LEGAL_FORM},
        {"empty", L"", NOT_LEGAL_FORM},
        {"UNC server only", L"\\\\srv", BAD_UNC},
        {"two separators", L"\\\\", BAD_UNC},
        {"two slashes", L"//", BAD_UNC},
        {"UNC whose first separator does not recur", L"\\\\srv/sh", BAD_UNC},
        {"invalid characters", L"a|b", PATH_ILLEGAL},
        {"invalid characters in a dotted path", L".\\a<b", PATH_ILLEGAL},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        expectArgumentException([&] { Path::makeFullPath(String(row.path)); }, row.message,
                                L"path");
    }
}

//===-- getCurrentPath, getCurrentModulePath -----------------------------===//

class PathSystemTest : public TempFolderFixture {};

TEST_F(PathSystemTest, CurrentPathIsWhatTheSystemReports) {
    std::wstring folder = enter(makeFolder(_root, L"here"));
    EXPECT_EQ(text(Path::getCurrentPath()), folder);
}

// A current directory longer than MAX_PATH is read whole, and paths made
// absolute against it keep all of it.
TEST_F(PathSystemTest, CurrentPathLongerThanMaxPath) {
    std::wstring deep = makeDeepFolder(400);
    ASSERT_TRUE(SetCurrentDirectoryW(deep.c_str()))
        << "the system refuses a current directory of " << deep.size() << " units";
    std::wstring reported = systemCurrentDirectory();
    ASSERT_GT(reported.size(), 400u);
    EXPECT_EQ(text(Path::getCurrentPath()), reported);
    EXPECT_EQ(text(Path::makeFullPath(String(L"x"))), reported + L"\\x");
    EXPECT_EQ(text(Path::makeFullPath(String(L"..\\y"))),
              reported.substr(0, reported.rfind(L'\\')) + L"\\y");
}

std::wstring moduleFileName(HMODULE module) {
    std::vector<wchar_t> buffer(0x8000);
    DWORD n = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), n);
}

std::wstring folderOf(std::wstring const& file) {
    return file.substr(0, file.rfind(L'\\'));
}

TEST_F(PathSystemTest, ModulePathIsTheLibrarysFolder) {
    HMODULE library = GetModuleHandleW(L"wux.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(text(Path::getCurrentModulePath()), folderOf(moduleFileName(library)));
}

// A copy of the library loaded from a folder deeper than MAX_PATH reports
// that folder whole.
TEST_F(PathSystemTest, ModulePathLongerThanMaxPath) {
    std::wstring library = moduleFileName(GetModuleHandleW(L"wux.dll"));
    std::wstring deep = makeDeepFolder(300);
    std::wstring copy = deep + L"\\wuxcopy.dll";
    ASSERT_TRUE(CopyFileW(library.c_str(), copy.c_str(), TRUE)) << GetLastError();
    _files.push_back(copy);
    HMODULE loaded = LoadLibraryW(copy.c_str());
    ASSERT_NE(loaded, nullptr) << GetLastError();
    // The copy's own Path::getCurrentModulePath(), reached by its exported
    // name. The String it returns lives on the copy's allocator, so it is
    // released before the copy is unloaded.
    typedef String (*ModulePathFn)();
    FARPROC proc = GetProcAddress(loaded, "_ZN3cpp2io4Path20getCurrentModulePathEv");
    if (proc != nullptr) {
        ModulePathFn modulePath =
            reinterpret_cast<ModulePathFn>(reinterpret_cast<void (*)()>(proc));
        std::wstring reported = text(modulePath());
        EXPECT_GT(reported.size(), 300u);
        EXPECT_EQ(reported, folderOf(moduleFileName(loaded)));
        EXPECT_EQ(reported, enter(deep));
    } else {
        ADD_FAILURE() << "Path::getCurrentModulePath is not exported under its expected name";
    }
    EXPECT_TRUE(FreeLibrary(loaded));
}

} // namespace
