// Directory: existence, names, roots and parents, create with missing
// parents and its argument checks, remove, removeTree (nested trees, and
// links that it must not follow), createSubDirectory, and the listing family
// in all its forms: filters, kinds, "." and "..", appending, preset
// attributes, allocators, and missing directories.
#include "FileTestSupport.h"

#include "TestAllocator.h"
#include "wux/io/Directory.h"
#include "wux/io/DirectoryNotFoundException.h"
#include "wux/io/File.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/IOException.h"
#include "wux/io/SystemFile.h"
#include "wux/lang/AllocatorAdapter.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using cpp::io::Directory;
using cpp::io::DirectoryNotFoundException;
using cpp::io::File;
using cpp::io::IOException;
using cpp::io::SystemFile;
using cpp::lang::AllocatorAdapter;
using cpp::lang::String;
using wuxtest::expectArgumentException;
using wuxtest::expectThrowsExactly;
using wuxtest::rawExists;
using wuxtest::str;
using wuxtest::text;
using wuxtest::writeRawFile;

typedef std::set<std::wstring> Names;

bool rawIsDirectory(std::wstring const& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A Directory on a name taken as it is (the protected constructor), to reach
// the checks of create() that a made-absolute name never fails.
class RawDirectory : public Directory {
public:
    explicit RawDirectory(String const& name) : Directory(nullptr, name, true) {}
};

class DirectoryTest : public ::testing::Test {
protected:
    wuxtest::TempFolder folder;
};

//===-- Existence, names, roots -------------------------------------------===//

TEST_F(DirectoryTest, ExistsOnlyForDirectories) {
    CreateDirectoryW(folder.at(L"dir").c_str(), nullptr);
    writeRawFile(folder.at(L"file.txt"), "x");
    struct Row {
        char const* name;
        std::wstring path;
        bool exists;
    };
    Row const rows[] = {
        {"directory", folder.at(L"dir"), true},
        {"file", folder.at(L"file.txt"), false},
        {"missing", folder.at(L"missing"), false},
        {"missing parent", folder.at(L"missing\\x"), false},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Directory(str(row.path)).exists(), row.exists);
    }
}

TEST_F(DirectoryTest, NamesRootsAndParents) {
    struct Row {
        char const* name;
        std::wstring path;
        std::wstring ownName;
        bool isRoot;
        std::wstring parent; // empty: getParent() throws
    };
    Row const rows[] = {
        {"drive root", L"C:\\", L"C:\\", true, L""},
        {"folder", L"C:\\a\\b", L"b", false, L"C:\\a"},
        {"top folder", L"C:\\a", L"a", false, L"C:\\"},
        {"trailing separator", L"C:\\a\\b\\", L"b\\", false, L"C:\\a"},
        {"share root", L"\\\\srv\\share\\", L"share\\", true, L""},
        {"share folder", L"\\\\srv\\share\\d", L"d", false, L"\\\\srv\\share"},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        Directory d(str(row.path));
        EXPECT_EQ(text(d.getFullName()), row.path);
        EXPECT_EQ(text(d.getName()), row.ownName);
        EXPECT_EQ(d.isRoot(), row.isRoot);
        if (row.parent.empty()) {
            std::wstring message = expectThrowsExactly<IOException>([&] { d.getParent(); });
            EXPECT_EQ(message, L"Cannot get parent due to the directory is root.");
        } else {
            EXPECT_EQ(text(d.getParent().getFullName()), row.parent);
        }
    }
}

TEST_F(DirectoryTest, RelativeNamesResolveAgainstTheCurrentDirectory) {
    wuxtest::CurrentDirectoryGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path().c_str()));
    EXPECT_EQ(text(Directory(String(L"sub")).getFullName()), folder.at(L"sub"));
    EXPECT_EQ(text(Directory(String(L"..\\x")).getParent().getFullName()),
              text(Directory(str(folder.path())).getParent().getFullName()));
}

//===-- create ------------------------------------------------------------===//

TEST_F(DirectoryTest, CreateMakesEveryMissingParent) {
    CreateDirectoryW(folder.at(L"a").c_str(), nullptr);
    Directory d(str(folder.at(L"a\\b\\c\\d")));
    EXPECT_FALSE(d.exists());
    d.create();
    EXPECT_TRUE(rawIsDirectory(folder.at(L"a\\b")));
    EXPECT_TRUE(rawIsDirectory(folder.at(L"a\\b\\c")));
    EXPECT_TRUE(rawIsDirectory(folder.at(L"a\\b\\c\\d")));
    EXPECT_TRUE(d.exists()) << "create() marks the cache stale";

    d.create(); // an existing directory is no error
    EXPECT_TRUE(d.exists());

    Directory root(String(L"C:\\"));
    root.create(); // a root is left alone
    EXPECT_TRUE(root.exists());
}

TEST_F(DirectoryTest, CreateRefusesUnusableNames) {
    struct Row {
        char const* name;
        std::wstring fullName;
        std::wstring message;
    };
    Row const rows[] = {
        {"empty", L"", L"Path is empty."},
        {"pipe", folder.at(L"a|b"), L"Path contains invalid chars."},
        {"quote", folder.at(L"a\"b"), L"Path contains invalid chars."},
        {"control unit", folder.at(L"a\x19"), L"Path contains invalid chars."},
        {"blank", L"   ", L"Only blank characters in fullPath."},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        RawDirectory d(str(row.fullName));
        expectArgumentException([&] { d.create(); }, row.message, L"");
    }
}

TEST_F(DirectoryTest, CreateBelowAFileThrows) {
    writeRawFile(folder.at(L"file"), "x");
    Directory d(str(folder.at(L"file\\sub")));
    EXPECT_THROW(d.create(), IOException);
    EXPECT_FALSE(rawIsDirectory(folder.at(L"file\\sub")));
}

TEST_F(DirectoryTest, CreateSubDirectoryUsesTheLastComponent) {
    Directory base(str(folder.path()));
    struct Row {
        char const* name;
        std::wstring given;
        std::wstring created;
    };
    Row const rows[] = {
        {"bare name", L"one", folder.at(L"one")},
        {"nested name", L"x\\two", folder.at(L"two")},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        Directory sub = base.createSubDirectory(str(row.given));
        EXPECT_EQ(text(sub.getFullName()), row.created);
        EXPECT_TRUE(rawIsDirectory(row.created));
        EXPECT_TRUE(sub.exists());
    }
    EXPECT_FALSE(rawExists(folder.at(L"x")));
}

//===-- remove and removeTree ---------------------------------------------===//

TEST_F(DirectoryTest, RemoveTakesAnEmptyDirectoryAndToleratesAMissingOne) {
    CreateDirectoryW(folder.at(L"empty").c_str(), nullptr);
    Directory d(str(folder.at(L"empty")));
    EXPECT_TRUE(d.exists());
    d.remove();
    EXPECT_FALSE(rawExists(folder.at(L"empty")));
    EXPECT_FALSE(d.exists()) << "remove() marks the cache stale";
    d.remove(); // already gone
}

TEST_F(DirectoryTest, RemoveRefusesADirectoryWithEntries) {
    CreateDirectoryW(folder.at(L"full").c_str(), nullptr);
    writeRawFile(folder.at(L"full\\x.txt"), "x");
    Directory d(str(folder.at(L"full")));
    std::wstring message = expectThrowsExactly<IOException>([&] { d.remove(); });
    EXPECT_EQ(message,
              text(cpp::lang::SystemErrorHandler::getInstance()->toString(ERROR_DIR_NOT_EMPTY)));
    EXPECT_TRUE(rawExists(folder.at(L"full\\x.txt")));
}

TEST_F(DirectoryTest, RemoveTreeRemovesNestedTrees) {
    std::wstring const dirs[] = {L"t", L"t\\a", L"t\\a\\b", L"t\\a\\b\\c", L"t\\d", L"t\\e"};
    for (std::wstring const& d : dirs)
        CreateDirectoryW(folder.at(d).c_str(), nullptr);
    std::wstring const files[] = {L"t\\top.txt", L"t\\a\\1.bin", L"t\\a\\b\\2.bin",
                                  L"t\\a\\b\\c\\3.bin", L"t\\d\\4.bin"};
    for (std::wstring const& f : files)
        writeRawFile(folder.at(f), "data");
    SetFileAttributesW(folder.at(L"t\\d\\4.bin").c_str(), FILE_ATTRIBUTE_HIDDEN);
    writeRawFile(folder.at(L"beside.txt"), "keep");

    Directory t(str(folder.at(L"t")));
    t.removeTree();
    EXPECT_FALSE(rawExists(folder.at(L"t")));
    EXPECT_FALSE(t.exists());
    EXPECT_TRUE(rawExists(folder.at(L"beside.txt")));

    t.removeTree(); // missing: nothing to do
}

TEST_F(DirectoryTest, RemoveTreeOnAFileLeavesTheFile) {
    writeRawFile(folder.at(L"plain"), "x");
    Directory(str(folder.at(L"plain"))).removeTree();
    EXPECT_TRUE(rawExists(folder.at(L"plain")));
}

// A link to a directory, made as the platform allows: CreateSymbolicLinkW
// on Windows (it needs the privilege or developer mode); under Wine, whose
// CreateSymbolicLinkW creates nothing, a Unix symbolic link made by the
// shell, which Wine shows as a directory with the reparse-point bit.
class DirectoryLink {
public:
    DirectoryLink(std::wstring const& link, std::wstring const& target) : _link(link) {
        if (CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
            isLink())
            return;
        if (!wuxtest::runningUnderWine()) {
            _reason =
                "no symbolic link could be made (error " + std::to_string(GetLastError()) + ")";
            return;
        }
        _unixLink = unixName(link);
        std::string targetUnix = unixName(target);
        if (_unixLink.empty() || targetUnix.empty()) {
            _reason = "Wine gave no Unix names";
            return;
        }
        if (!runShell("ln -s '" + targetUnix + "' '" + _unixLink + "'") || !isLink())
            _reason = "Wine could not run the Unix shell to make a link";
    }
    ~DirectoryLink() {
        // Wine can neither remove a Unix link to a directory with entries
        // nor see one whose target is gone: the shell removes it.
        if (!_unixLink.empty())
            runShell("rm -f '" + _unixLink + "'");
        else if (isLink())
            RemoveDirectoryW(_link.c_str());
    }
    DirectoryLink(DirectoryLink const&) = delete;
    DirectoryLink& operator=(DirectoryLink const&) = delete;

    bool made() const { return _reason.empty(); }
    std::string const& reason() const { return _reason; }

private:
    typedef char*(CDECL* UnixNameFn)(wchar_t const*);
    typedef wchar_t*(CDECL* DosNameFn)(char const*);

    bool isLink() const {
        DWORD attributes = GetFileAttributesW(_link.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }

    static FARPROC wineExport(char const* name) {
        return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name);
    }

    static std::string unixName(std::wstring const& path) {
        FARPROC proc = wineExport("wine_get_unix_file_name");
        if (proc == nullptr)
            return std::string();
        UnixNameFn fn = reinterpret_cast<UnixNameFn>(reinterpret_cast<void (*)()>(proc));
        char* name = fn(path.c_str());
        if (name == nullptr)
            return std::string();
        std::string result(name);
        HeapFree(GetProcessHeap(), 0, name);
        return result;
    }

    // Runs `command` with /bin/sh and waits for it to finish. A Unix program
    // started by Wine cannot be waited for, so the command ends by creating
    // a marker file that this side watches for.
    bool runShell(std::string const& command) const {
        FARPROC proc = wineExport("wine_get_dos_file_name");
        if (proc == nullptr)
            return false;
        DosNameFn fn = reinterpret_cast<DosNameFn>(reinterpret_cast<void (*)()>(proc));
        wchar_t* dosName = fn("/bin/sh");
        if (dosName == nullptr)
            return false;
        std::wstring shell(dosName);
        HeapFree(GetProcessHeap(), 0, dosName);
        std::wstring marker = _link + L".done";
        std::string markerUnix = unixName(marker);
        if (markerUnix.empty())
            return false;
        std::string line = "sh -c \"" + command + "; : > '" + markerUnix + "'\"";
        std::wstring commandLine(line.begin(), line.end());
        STARTUPINFOW startup;
        ZeroMemory(&startup, sizeof startup);
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        if (!CreateProcessW(shell.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        for (int i = 0; i < 500; ++i) {
            if (DeleteFileW(marker.c_str()))
                return true;
            Sleep(10);
        }
        return false;
    }

    std::wstring _link;
    std::string _unixLink;
    std::string _reason;
};

TEST_F(DirectoryTest, RemoveTreeDoesNotFollowALinkToADirectory) {
    CreateDirectoryW(folder.at(L"target").c_str(), nullptr);
    writeRawFile(folder.at(L"target\\keep.txt"), "keep");
    CreateDirectoryW(folder.at(L"tree").c_str(), nullptr);
    CreateDirectoryW(folder.at(L"tree\\sub").c_str(), nullptr);
    writeRawFile(folder.at(L"tree\\sub\\file.txt"), "x");
    DirectoryLink link(folder.at(L"tree\\link"), folder.at(L"target"));
    if (!link.made())
        GTEST_SKIP() << link.reason();
    ASSERT_NE(GetFileAttributesW(folder.at(L"tree\\link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT,
              0u);

    struct Row {
        char const* name;
        std::wstring removed; // the directory whose tree is removed
        std::wstring gone;    // what is gone when removal completes
    };
    Row const rows[] = {
        {"the link itself", folder.at(L"tree\\link"), folder.at(L"tree\\link")},
        {"a tree holding the link", folder.at(L"tree"), folder.at(L"tree")},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        bool completed = true;
        try {
            Directory(str(row.removed)).removeTree();
        } catch (IOException const&) {
            completed = false;
        }
        // What the link points to is never touched.
        EXPECT_EQ(wuxtest::readRawFile(folder.at(L"target\\keep.txt")), "keep");
        EXPECT_TRUE(rawIsDirectory(folder.at(L"target")));
        if (completed) {
            EXPECT_FALSE(rawExists(row.gone));
        } else {
            // Windows removes a link to a directory with RemoveDirectoryW;
            // Wine treats a Unix link as the directory it points to and
            // refuses to remove it while that has entries (error 145). The
            // link survives, and so does its target.
            EXPECT_TRUE(wuxtest::runningUnderWine()) << "removeTree failed on a link";
            EXPECT_TRUE(rawExists(folder.at(L"tree\\link")));
        }
    }
}

//===-- Listing -----------------------------------------------------------===//

// A folder with files and directories, one directory named like a file.
class ListingTest : public DirectoryTest {
protected:
    void SetUp() override {
        writeRawFile(folder.at(L"a.txt"), "a");
        writeRawFile(folder.at(L"b.txt"), "bb");
        writeRawFile(folder.at(L"c.log"), "ccc");
        CreateDirectoryW(folder.at(L"d1").c_str(), nullptr);
        CreateDirectoryW(folder.at(L"d2.txt").c_str(), nullptr);
    }

    enum Kind { Both, DirsOnly, FilesOnly };
    struct Row {
        char const* name;
        Kind kind;
        std::wstring filter;
        Names expected;
    };
    std::vector<Row> rows() const {
        return {
            {"everything", Both, L"*", {L"a.txt", L"b.txt", L"c.log", L"d1", L"d2.txt"}},
            {"all files", FilesOnly, L"*", {L"a.txt", L"b.txt", L"c.log"}},
            {"all directories", DirsOnly, L"*", {L"d1", L"d2.txt"}},
            {"txt of both kinds", Both, L"*.txt", {L"a.txt", L"b.txt", L"d2.txt"}},
            {"txt files", FilesOnly, L"*.txt", {L"a.txt", L"b.txt"}},
            {"txt directories", DirsOnly, L"*.txt", {L"d2.txt"}},
            {"single-unit wildcard", Both, L"?.txt", {L"a.txt", L"b.txt"}},
            {"one name", FilesOnly, L"c.log", {L"c.log"}},
            {"no match", Both, L"*.none", {}},
            {"no matching file", FilesOnly, L"d*", {}},
        };
    }

    // The names below the folder of full paths, each checked to lie in it.
    Names namesOf(std::vector<std::wstring> const& paths) const {
        Names names;
        for (std::wstring const& path : paths) {
            std::wstring prefix = folder.path() + L"\\";
            EXPECT_EQ(path.compare(0, prefix.size(), prefix), 0)
                << std::string(path.begin(), path.end());
            std::wstring name = path.substr(std::min(prefix.size(), path.size()));
            EXPECT_TRUE(names.insert(name).second) << "listed twice";
        }
        return names;
    }

    // Full paths listed after a sentinel that must stay first.
    std::vector<std::wstring> listStrings(Kind kind, std::wstring const& filter) const {
        Directory d(str(folder.path()));
        std::vector<String> out;
        out.push_back(String(L"sentinel"));
        if (kind == Both)
            d.list(out, str(filter));
        else if (kind == DirsOnly)
            d.listDirs(out, str(filter));
        else
            d.listFiles(out, str(filter));
        EXPECT_EQ(text(out.front()), L"sentinel") << "listing appends";
        std::vector<std::wstring> paths;
        for (std::size_t i = 1; i < out.size(); ++i)
            paths.push_back(text(out[i]));
        return paths;
    }
};

TEST_F(ListingTest, PathsByFilterAndKind) {
    for (Row const& row : rows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(namesOf(listStrings(row.kind, row.filter)), row.expected);
    }
}

TEST_F(ListingTest, ObjectsByFilterAndKindCarryTheSearchData) {
    for (Row const& row : rows()) {
        SCOPED_TRACE(row.name);
        Directory d(str(folder.path()));
        std::vector<std::wstring> paths;
        std::vector<SystemFile*> entries;
        std::vector<Directory*> dirs;
        std::vector<File*> files;
        if (row.kind == Both)
            d.list(entries, str(row.filter));
        else if (row.kind == DirsOnly)
            d.listDirs(dirs, str(row.filter));
        else
            d.listFiles(files, str(row.filter));
        entries.insert(entries.end(), dirs.begin(), dirs.end());
        entries.insert(entries.end(), files.begin(), files.end());
        for (SystemFile* e : entries) {
            std::wstring path = text(e->getFullName());
            paths.push_back(path);
            bool isDir = rawIsDirectory(path);
            EXPECT_EQ(dynamic_cast<Directory*>(e) != nullptr, isDir);
            EXPECT_EQ(dynamic_cast<File*>(e) != nullptr, !isDir);
            EXPECT_TRUE(e->exists());
            EXPECT_EQ(text(e->getName()), path.substr(folder.path().size() + 1));
            delete e;
        }
        EXPECT_EQ(namesOf(paths), row.expected);
    }
}

TEST_F(ListingTest, AllocatorObjectsByFilterAndKind) {
    for (Row const& row : rows()) {
        SCOPED_TRACE(row.name);
        wuxtest::TestAllocator alloc;
        {
            Directory d(str(folder.path()));
            std::vector<Directory*, AllocatorAdapter<Directory*>> dirs{
                AllocatorAdapter<Directory*>(&alloc)};
            std::vector<File*, AllocatorAdapter<File*>> files{AllocatorAdapter<File*>(&alloc)};
            if (row.kind == Both)
                d.list(&alloc, dirs, files, str(row.filter));
            else if (row.kind == DirsOnly)
                d.listDirs(&alloc, dirs, str(row.filter));
            else
                d.listFiles(&alloc, files, str(row.filter));
            std::vector<std::wstring> paths;
            for (Directory* dir : dirs) {
                EXPECT_TRUE(alloc.owns(dir));
                EXPECT_EQ(dir->getAllocator(), &alloc);
                EXPECT_TRUE(rawIsDirectory(text(dir->getFullName())));
                EXPECT_TRUE(dir->exists());
                paths.push_back(text(dir->getFullName()));
                dir->~Directory();
                alloc.free(dir);
            }
            for (File* file : files) {
                EXPECT_TRUE(alloc.owns(file));
                EXPECT_EQ(file->getAllocator(), &alloc);
                EXPECT_TRUE(file->exists());
                paths.push_back(text(file->getFullName()));
                file->~File();
                alloc.free(file);
            }
            EXPECT_EQ(namesOf(paths), row.expected);
        }
        EXPECT_EQ(alloc.liveBlocks(), 0u);
        EXPECT_EQ(alloc.foreignFrees(), 0u);
    }
}

TEST_F(ListingTest, ListedObjectsNeedNoFurtherSystemCall) {
    Directory d(str(folder.path()));
    std::vector<File*> files;
    d.listFiles(files, String(L"b.txt"));
    ASSERT_EQ(files.size(), 1u);
    WIN32_FILE_ATTRIBUTE_DATA raw;
    ASSERT_TRUE(GetFileAttributesExW(folder.at(L"b.txt").c_str(), GetFileExInfoStandard, &raw));
    // Gone from the disk, the entry still reports what the search found.
    DeleteFileW(folder.at(L"b.txt").c_str());
    EXPECT_TRUE(files[0]->exists());
    EXPECT_EQ(files[0]->getLength(), 2);
    EXPECT_EQ(files[0]->getFileAttrs(), static_cast<cpp::io::FileAttributes>(raw.dwFileAttributes));
    unsigned __int64 written =
        (static_cast<unsigned __int64>(raw.ftLastWriteTime.dwHighDateTime) << 32) |
        raw.ftLastWriteTime.dwLowDateTime;
    EXPECT_EQ(files[0]->getLastModified(),
              static_cast<__int64>(written / 10) - 11644473600000000LL);
    files[0]->refresh();
    EXPECT_FALSE(files[0]->exists());
    delete files[0];
}

TEST_F(ListingTest, TheAllocatorFormsBuildTheNameFromTheFullNameAsItIs) {
    // A root-like full name ending in a separator gets no second one.
    RawDirectory withSeparator(str(folder.path() + L"\\"));
    wuxtest::TestAllocator alloc;
    {
        std::vector<File*, AllocatorAdapter<File*>> files{AllocatorAdapter<File*>(&alloc)};
        withSeparator.listFiles(&alloc, files, String(L"a.txt"));
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(text(files[0]->getFullName()), folder.at(L"a.txt"));
        files[0]->~File();
        alloc.free(files[0]);
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
}

TEST_F(ListingTest, NullAllocatorIsRefusedBeforeSearching) {
    Directory missing(str(folder.at(L"missing")));
    wuxtest::TestAllocator alloc;
    std::vector<Directory*, AllocatorAdapter<Directory*>> dirs{
        AllocatorAdapter<Directory*>(&alloc)};
    std::vector<File*, AllocatorAdapter<File*>> files{AllocatorAdapter<File*>(&alloc)};
    std::wstring const message = L"The allocator is null.";
    expectArgumentException([&] { missing.list(nullptr, dirs, files, String(L"*")); }, message,
                            L"alloc");
    expectArgumentException([&] { missing.listDirs(nullptr, dirs, String(L"*")); }, message,
                            L"alloc");
    expectArgumentException([&] { missing.listFiles(nullptr, files, String(L"*")); }, message,
                            L"alloc");
    EXPECT_TRUE(dirs.empty());
    EXPECT_TRUE(files.empty());
}

TEST_F(DirectoryTest, EmptyDirectoryListsNothingAndNeverDots) {
    CreateDirectoryW(folder.at(L"empty").c_str(), nullptr);
    Directory d(str(folder.at(L"empty")));
    for (std::wstring filter : {L"*", L".*", L"*.*"}) {
        SCOPED_TRACE(std::string(filter.begin(), filter.end()));
        std::vector<String> out;
        d.list(out, str(filter));
        d.listDirs(out, str(filter));
        EXPECT_TRUE(out.empty());
    }
}

TEST_F(DirectoryTest, MissingDirectoryThrowsOnlyForTheFilterStar) {
    Directory d(str(folder.at(L"missing")));
    std::vector<String> out;
    std::vector<SystemFile*> entries;
    std::vector<File*> files;
    std::vector<Directory*> dirs;
    expectThrowsExactly<DirectoryNotFoundException>([&] { d.list(out, String(L"*")); });
    expectThrowsExactly<DirectoryNotFoundException>([&] { d.listFiles(out, String(L"*")); });
    expectThrowsExactly<DirectoryNotFoundException>([&] { d.list(entries, String(L"*")); });
    expectThrowsExactly<DirectoryNotFoundException>([&] { d.listFiles(files, String(L"*")); });
    expectThrowsExactly<DirectoryNotFoundException>([&] { d.listDirs(dirs, String(L"*")); });
    wuxtest::TestAllocator alloc;
    {
        std::vector<File*, AllocatorAdapter<File*>> afiles{AllocatorAdapter<File*>(&alloc)};
        expectThrowsExactly<DirectoryNotFoundException>(
            [&] { d.listFiles(&alloc, afiles, String(L"*")); });
        d.listFiles(&alloc, afiles, String(L"*.txt"));
        EXPECT_TRUE(afiles.empty());
    }

    d.list(out, String(L"*.txt"));
    d.listFiles(files, String(L"*.txt"));
    d.list(entries, String(L"x*"));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(files.empty());
    EXPECT_TRUE(entries.empty());
}

TEST_F(DirectoryTest, CopiesAreIndependentNames) {
    CreateDirectoryW(folder.at(L"one").c_str(), nullptr);
    Directory one(str(folder.at(L"one")));
    EXPECT_TRUE(one.exists());
    Directory copy(one);
    Directory other(str(folder.at(L"two")));
    other = one;
    EXPECT_EQ(text(copy.getFullName()), folder.at(L"one"));
    EXPECT_EQ(text(other.getFullName()), folder.at(L"one"));
    RemoveDirectoryW(folder.at(L"one").c_str());
    one.refresh();
    EXPECT_FALSE(one.exists());
    EXPECT_TRUE(copy.exists()) << "the copy keeps its own cache";
}

} // namespace
