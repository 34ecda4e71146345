// File and SystemFile: existence and the cache (stale after changes, missing
// entries asked again, refresh), create, remove, copy, rename and truncate
// with their errors, the read-only flag and other attribute bits, the three
// file times through objects and through the static path operations, copies
// of objects and their allocator, and sizes beyond 4 GiB.
#include "FileTestSupport.h"

#include "TestAllocator.h"
#include "wux/global/Date.h"
#include "wux/io/DirectoryNotFoundException.h"
#include "wux/io/File.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/IOException.h"
#include "wux/io/SystemFile.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

namespace {

using cpp::global::Date;
using cpp::io::DirectoryNotFoundException;
using cpp::io::File;
using cpp::io::FileAttributes;
using cpp::io::FileNotFoundException;
using cpp::io::IOException;
using cpp::io::SystemFile;
using cpp::lang::String;
using cpp::lang::SystemErrorHandler;
using wuxtest::expectArgumentException;
using wuxtest::expectThrowsExactly;
using wuxtest::rawExists;
using wuxtest::rawFileSize;
using wuxtest::readRawFile;
using wuxtest::str;
using wuxtest::text;
using wuxtest::writeRawFile;

__int64 const GiB = 1024LL * 1024 * 1024;

// The system's text for an error code, as throwIOError puts it into an
// IOException for codes without a key of their own.
std::wstring systemText(int code) {
    return text(SystemErrorHandler::getInstance()->toString(code));
}

// Ticks from a FILETIME, computed independently of the library.
__int64 ticksOf(FILETIME const& ft) {
    unsigned __int64 raw =
        (static_cast<unsigned __int64>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<__int64>(raw / 10) - 11644473600000000LL;
}

WIN32_FILE_ATTRIBUTE_DATA rawInfo(std::wstring const& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    ZeroMemory(&data, sizeof data);
    EXPECT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    return data;
}

class FileTest : public ::testing::Test {
protected:
    wuxtest::TempFolder folder;
};

//===-- Existence and the cache -------------------------------------------===//

TEST_F(FileTest, MissingFileReportsNothingAndDoesNotThrow) {
    File f(str(folder.at(L"missing.txt")));
    EXPECT_FALSE(f.exists());
    EXPECT_EQ(f.getLength(), 0);
    EXPECT_FALSE(f.isReadonly());
    EXPECT_EQ(f.getFileAttrs(), cpp::io::FileAttrInvalid);
    EXPECT_EQ(f.getLastModified(), 0);
    EXPECT_EQ(text(f.getName()), L"missing.txt");

    // A missing entry keeps the cache stale: once the file appears, the
    // object sees it without refresh().
    writeRawFile(folder.at(L"missing.txt"), "abc");
    EXPECT_TRUE(f.exists());
    EXPECT_EQ(f.getLength(), 3);
}

TEST_F(FileTest, MissingFolderIsJustAMissingFile) {
    File f(str(folder.at(L"no-such-folder\\x.txt")));
    EXPECT_FALSE(f.exists());
    EXPECT_EQ(f.getLength(), 0);
}

TEST_F(FileTest, LoadedValuesAreCachedUntilRefresh) {
    std::wstring path = folder.at(L"grow.txt");
    writeRawFile(path, "12345");
    File f(str(path));
    EXPECT_EQ(f.getLength(), 5);
    writeRawFile(path, "1234567890");
    EXPECT_EQ(f.getLength(), 5) << "changes made outside the object are not seen before refresh";
    f.refresh();
    EXPECT_EQ(f.getLength(), 10);
}

TEST_F(FileTest, ADirectoryIsNoFile) {
    CreateDirectoryW(folder.at(L"dir").c_str(), nullptr);
    File f(str(folder.at(L"dir")));
    EXPECT_FALSE(f.exists());
    EXPECT_EQ(f.getLength(), 0);
    EXPECT_NE(f.getFileAttrs() & cpp::io::FileAttrDirectory, 0u);
}

TEST_F(FileTest, NamesAreMadeAbsoluteAgainstTheCurrentDirectory) {
    wuxtest::CurrentDirectoryGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path().c_str()));
    struct Row {
        char const* name;
        std::wstring given;
        std::wstring full;
    };
    Row const rows[] = {
        {"bare name", L"a.txt", folder.at(L"a.txt")},
        {"dot", L".\\b.txt", folder.at(L"b.txt")},
        {"absolute", folder.at(L"c.txt"), folder.at(L"c.txt")},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        File f(str(row.given));
        EXPECT_EQ(text(f.getFullName()), row.full);
    }
}

//===-- create, remove, copy ----------------------------------------------===//

TEST_F(FileTest, CreateMakesAnEmptyFileAndRefusesAnExistingOne) {
    std::wstring path = folder.at(L"new.txt");
    File f(str(path));
    EXPECT_FALSE(f.exists());
    f.create();
    EXPECT_TRUE(f.exists()) << "create() marks the cache stale";
    EXPECT_EQ(rawFileSize(path), 0);

    writeRawFile(path, "keep");
    std::wstring message = expectThrowsExactly<IOException>([&] { f.create(); });
    EXPECT_EQ(message, systemText(ERROR_FILE_EXISTS));
    EXPECT_EQ(readRawFile(path), "keep");
}

TEST_F(FileTest, CreateInAMissingFolderThrowsDirectoryNotFound) {
    File f(str(folder.at(L"no-such-folder\\x.txt")));
    expectThrowsExactly<DirectoryNotFoundException>([&] { f.create(); });
}

TEST_F(FileTest, RemoveDeletesAndToleratesAMissingFile) {
    std::wstring path = folder.at(L"gone.txt");
    writeRawFile(path, "x");
    File f(str(path));
    EXPECT_TRUE(f.exists());
    f.remove();
    EXPECT_FALSE(rawExists(path));
    EXPECT_FALSE(f.exists()) << "remove() marks the cache stale";
    f.remove(); // already gone: no error
}

TEST_F(FileTest, RemovingAReadOnlyFileIsRefused) {
    std::wstring path = folder.at(L"locked.txt");
    writeRawFile(path, "x");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    File f(str(path));
    expectThrowsExactly<IOException>([&] { f.remove(); });
    EXPECT_TRUE(rawExists(path));
}

TEST_F(FileTest, CopyDuplicatesAndKeepsNamingTheSource) {
    std::wstring source = folder.at(L"source.bin");
    std::string content("\x00\x01\xFFwux", 6);
    writeRawFile(source, content);
    File f(str(source));

    struct Row {
        char const* name;
        bool destinationExists;
        bool failIfExists;
        bool throws;
        std::string expected;
    };
    Row const rows[] = {
        {"new destination", false, true, false, content},
        {"overwrite allowed", true, false, false, content},
        {"overwrite refused", true, true, true, "old"},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        std::wstring destination = folder.at(L"copy.bin");
        DeleteFileW(destination.c_str());
        if (row.destinationExists)
            writeRawFile(destination, "old");
        if (row.throws) {
            std::wstring message = expectThrowsExactly<IOException>(
                [&] { f.copy(str(destination), row.failIfExists); });
            EXPECT_EQ(message, systemText(ERROR_FILE_EXISTS));
        } else {
            f.copy(str(destination), row.failIfExists);
        }
        EXPECT_EQ(readRawFile(destination), row.expected);
        EXPECT_EQ(text(f.getFullName()), source);
        EXPECT_EQ(readRawFile(source), content);
    }
}

TEST_F(FileTest, CopyOfAMissingFileThrowsFileNotFound) {
    File f(str(folder.at(L"missing.bin")));
    expectThrowsExactly<FileNotFoundException>([&] { f.copy(str(folder.at(L"x.bin")), false); });
    EXPECT_FALSE(rawExists(folder.at(L"x.bin")));
}

//===-- rename ------------------------------------------------------------===//

TEST_F(FileTest, RenameMovesTheFileAndTheObjectFollows) {
    std::wstring from = folder.at(L"before.txt");
    writeRawFile(from, "data");
    File f(str(from));
    EXPECT_TRUE(f.exists());
    f.rename(str(folder.at(L"after.txt")));
    EXPECT_EQ(text(f.getFullName()), folder.at(L"after.txt"));
    EXPECT_EQ(text(f.getName()), L"after.txt");
    EXPECT_FALSE(rawExists(from));
    EXPECT_EQ(readRawFile(folder.at(L"after.txt")), "data");
    EXPECT_TRUE(f.exists());
}

TEST_F(FileTest, RenameToARelativeNameResolvesAgainstTheCurrentDirectory) {
    wuxtest::CurrentDirectoryGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path().c_str()));
    writeRawFile(folder.at(L"one.txt"), "1");
    File f(str(folder.at(L"one.txt")));
    f.rename(String(L"two.txt"));
    EXPECT_EQ(text(f.getFullName()), folder.at(L"two.txt"));
    EXPECT_TRUE(rawExists(folder.at(L"two.txt")));
}

TEST_F(FileTest, RenameRejectsBadNames) {
    writeRawFile(folder.at(L"stay.txt"), "x");
    File f(str(folder.at(L"stay.txt")));
    struct Row {
        char const* name;
        std::wstring newName;
        std::wstring message;
    };
    std::wstring const invalid = L"The new name of the file is invalid.";
    Row const rows[] = {
        {"empty", L"", L"The new name of the file is empty."},
        {"blank", L"   ", invalid},
        {"wildcard", folder.at(L"a*b.txt"), invalid},
        {"question mark", folder.at(L"a?b.txt"), invalid},
        {"second colon", folder.at(L"a:b.txt"), invalid},
        {"pipe", folder.at(L"a|b.txt"), invalid},
        {"control unit",
         folder.at(L"a\x10"
                   L"b.txt"),
         invalid},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        expectArgumentException([&] { f.rename(str(row.newName)); }, row.message, L"");
        EXPECT_EQ(text(f.getFullName()), folder.at(L"stay.txt"));
        EXPECT_TRUE(rawExists(folder.at(L"stay.txt")));
    }
}

TEST_F(FileTest, RenameOntoAnExistingEntryThrowsAndLeavesBoth) {
    writeRawFile(folder.at(L"a.txt"), "a");
    writeRawFile(folder.at(L"b.txt"), "b");
    CreateDirectoryW(folder.at(L"dir").c_str(), nullptr);
    File f(str(folder.at(L"a.txt")));
    for (std::wstring target : {folder.at(L"b.txt"), folder.at(L"dir")}) {
        std::wstring message = expectThrowsExactly<IOException>([&] { f.rename(str(target)); });
        EXPECT_EQ(message, target + L" already exists.");
    }
    EXPECT_EQ(readRawFile(folder.at(L"a.txt")), "a");
    EXPECT_EQ(readRawFile(folder.at(L"b.txt")), "b");
    EXPECT_EQ(text(f.getFullName()), folder.at(L"a.txt"));
}

TEST_F(FileTest, RenameOfAMissingFileThrowsFileNotFound) {
    File f(str(folder.at(L"missing.txt")));
    expectThrowsExactly<FileNotFoundException>([&] { f.rename(str(folder.at(L"new.txt"))); });
    EXPECT_EQ(text(f.getFullName()), folder.at(L"missing.txt"));
}

//===-- truncate ----------------------------------------------------------===//

TEST_F(FileTest, TruncateOnlyShrinks) {
    struct Row {
        char const* name;
        bool exists;
        __int64 request;
        __int64 result;
        __int64 finalSize;
    };
    Row const rows[] = {
        {"shorter", true, 10, 10, 10},      {"to zero", true, 0, 0, 0},
        {"same length", true, 50, 50, 50},  {"longer", true, 100, 50, 50},
        {"missing file", false, 10, 0, -1},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        std::wstring path = folder.at(L"t.bin");
        DeleteFileW(path.c_str());
        std::string content;
        for (int i = 0; i < 50; ++i)
            content += static_cast<char>('a' + i % 26);
        if (row.exists)
            writeRawFile(path, content);
        File f(str(path));
        EXPECT_EQ(f.truncate(row.request), row.result);
        EXPECT_EQ(rawFileSize(path), row.finalSize);
        if (row.exists) {
            EXPECT_EQ(readRawFile(path),
                      content.substr(0, static_cast<std::size_t>(row.finalSize)));
            EXPECT_EQ(f.getLength(), row.finalSize) << "truncate() marks the cache stale";
        }
    }
}

TEST_F(FileTest, TruncateToANegativeLengthThrowsAndReleasesTheFile) {
    std::wstring path = folder.at(L"neg.bin");
    writeRawFile(path, "0123456789");
    File f(str(path));
    std::wstring message = expectThrowsExactly<IOException>([&] { f.truncate(-1); });
    EXPECT_EQ(message, systemText(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(rawFileSize(path), 10);
    // The handle was closed on the way out: an exclusive open succeeds.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
}

TEST_F(FileTest, TruncateOfAFileOpenWithoutSharingThrows) {
    std::wstring path = folder.at(L"busy.bin");
    writeRawFile(path, "0123456789");
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    File f(str(path));
    std::wstring message = expectThrowsExactly<IOException>([&] { f.truncate(4); });
    EXPECT_EQ(message, systemText(ERROR_SHARING_VIOLATION));
    CloseHandle(h);
    EXPECT_EQ(rawFileSize(path), 10);
}

//===-- Attributes --------------------------------------------------------===//

TEST_F(FileTest, ReadonlyFlagIsSetAndClearedKeepingOtherBits) {
    std::wstring path = folder.at(L"flag.txt");
    writeRawFile(path, "x");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    DWORD const before = GetFileAttributesW(path.c_str()); // Wine adds the archive bit
    File f(str(path));
    EXPECT_FALSE(f.isReadonly());
    f.setReadonly(true);
    EXPECT_TRUE(f.isReadonly()) << "setReadonly() marks the cache stale";
    EXPECT_EQ(GetFileAttributesW(path.c_str()), before | FILE_ATTRIBUTE_READONLY);
    f.setReadonly(false);
    EXPECT_FALSE(f.isReadonly());
    EXPECT_EQ(GetFileAttributesW(path.c_str()), before);

    // The last bit cleared leaves a "normal" file.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    f.refresh();
    EXPECT_TRUE(f.isReadonly());
    f.setReadonly(false);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_FALSE(f.isReadonly());
}

TEST_F(FileTest, SetReadonlyOfAMissingFileThrowsFileNotFound) {
    File f(str(folder.at(L"missing.txt")));
    expectThrowsExactly<FileNotFoundException>([&] { f.setReadonly(true); });
}

TEST_F(FileTest, AttributeBitsThroughObjectAndPath) {
    std::wstring path = folder.at(L"bits.txt");
    writeRawFile(path, "x");
    CreateDirectoryW(folder.at(L"dir").c_str(), nullptr);

    // Wine reports the archive bit on every file, set or not.
    DWORD const hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    File f(str(path));
    f.setFileAttrs(static_cast<int>(hiddenSystem));
    EXPECT_EQ(f.getFileAttrs() & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), hiddenSystem);
    EXPECT_EQ(static_cast<DWORD>(f.getFileAttrs()), GetFileAttributesW(path.c_str()));
    EXPECT_EQ(SystemFile::getFileAttrs(str(path)), f.getFileAttrs());

    SystemFile::setFileAttrs(str(path), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & (hiddenSystem | FILE_ATTRIBUTE_READONLY),
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(f.getFileAttrs() & FILE_ATTRIBUTE_READONLY, 0u) << "the object's cache is fresh";
    f.refresh();
    EXPECT_NE(f.getFileAttrs() & FILE_ATTRIBUTE_READONLY, 0u);
    SystemFile::setFileAttrs(str(path), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(SystemFile::getFileAttrs(str(folder.at(L"missing"))), cpp::io::FileAttrInvalid);

    struct Row {
        char const* name;
        std::wstring path;
        bool isFile;
        bool isDirectory;
    };
    Row const rows[] = {
        {"file", path, true, false},
        {"directory", folder.at(L"dir"), false, true},
        {"missing", folder.at(L"missing"), false, false},
        {"missing folder", folder.at(L"missing\\x"), false, false},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SystemFile::isFile(str(row.path)), row.isFile);
        EXPECT_EQ(SystemFile::isDirectory(str(row.path)), row.isDirectory);
    }
}

TEST_F(FileTest, SettingAttributesOfAMissingEntryThrows) {
    File f(str(folder.at(L"missing.txt")));
    expectThrowsExactly<FileNotFoundException>([&] { f.setFileAttrs(FILE_ATTRIBUTE_HIDDEN); });
    expectThrowsExactly<FileNotFoundException>(
        [&] { SystemFile::setFileAttrs(str(folder.at(L"missing.txt")), FILE_ATTRIBUTE_HIDDEN); });
    expectThrowsExactly<DirectoryNotFoundException>(
        [&] { SystemFile::setFileAttrs(str(folder.at(L"none\\x.txt")), FILE_ATTRIBUTE_HIDDEN); });
}

//===-- Times -------------------------------------------------------------===//

// Two distinct instants with microseconds, so that a conversion that loses
// them or swaps the times shows.
__int64 const MODIFIED = Date(2011, 7, 15, 10, 20, 30, 0).time() + 123456;
__int64 const ACCESSED = Date(2019, 2, 28, 23, 59, 58, 0).time() + 654321;

TEST_F(FileTest, TimesReadAsTheSystemReportsThem) {
    std::wstring path = folder.at(L"times.txt");
    writeRawFile(path, "x");
    File f(str(path));
    WIN32_FILE_ATTRIBUTE_DATA raw = rawInfo(path);
    EXPECT_EQ(f.getLastModified(), ticksOf(raw.ftLastWriteTime));
    EXPECT_EQ(f.getLastAccess(), ticksOf(raw.ftLastAccessTime));
    EXPECT_EQ(f.getCreationTime(), ticksOf(raw.ftCreationTime));
    EXPECT_EQ(SystemFile::getLastModified(str(path)), ticksOf(raw.ftLastWriteTime));
    EXPECT_EQ(SystemFile::getLastAccess(str(path)), ticksOf(raw.ftLastAccessTime));
    EXPECT_EQ(SystemFile::getCreationTime(str(path)), ticksOf(raw.ftCreationTime));
    // A fresh file was written just now.
    __int64 now = Date::getCurrentTime();
    EXPECT_LE(f.getLastModified(), now + Date::ticksPerSecond);
    EXPECT_GE(f.getLastModified(), now - 60 * Date::ticksPerSecond);
}

TEST_F(FileTest, TimeSettersWriteTheirOwnTimeOnly) {
    std::wstring path = folder.at(L"set.txt");
    writeRawFile(path, "x");
    File f(str(path));

    f.setLastModified(MODIFIED);
    EXPECT_EQ(f.getLastModified(), MODIFIED) << "the setter marks the cache stale";
    EXPECT_EQ(ticksOf(rawInfo(path).ftLastWriteTime), MODIFIED);
    EXPECT_NE(ticksOf(rawInfo(path).ftLastAccessTime), MODIFIED);

    f.setLastAccess(ACCESSED);
    EXPECT_EQ(f.getLastAccess(), ACCESSED);
    EXPECT_EQ(f.getLastModified(), MODIFIED);

    f.setFileTime(MODIFIED, MODIFIED, ACCESSED);
    EXPECT_EQ(f.getLastAccess(), MODIFIED);
    EXPECT_EQ(f.getLastModified(), ACCESSED);
}

TEST_F(FileTest, StaticTimeSettersWorkOnFilesAndDirectories) {
    std::wstring file = folder.at(L"f.txt");
    std::wstring dir = folder.at(L"d");
    writeRawFile(file, "x");
    CreateDirectoryW(dir.c_str(), nullptr);
    for (std::wstring const& path : {file, dir}) {
        SystemFile::setLastModified(str(path), MODIFIED);
        SystemFile::setLastAccess(str(path), ACCESSED);
        EXPECT_EQ(SystemFile::getLastModified(str(path)), MODIFIED);
        EXPECT_EQ(SystemFile::getLastAccess(str(path)), ACCESSED);
    }
}

TEST_F(FileTest, CreationTimeCanBeSet) {
    std::wstring path = folder.at(L"born.txt");
    writeRawFile(path, "x");
    File f(str(path));
    f.setCreationTime(MODIFIED); // accepted everywhere
    SystemFile::setCreationTime(str(path), MODIFIED);
    if (wuxtest::runningUnderWine())
        GTEST_SKIP() << "Wine ignores creation times and reports the last-write time instead";
    EXPECT_EQ(f.getCreationTime(), MODIFIED);
    EXPECT_EQ(SystemFile::getCreationTime(str(path)), MODIFIED);
}

TEST_F(FileTest, TimesOfMissingEntriesThrow) {
    struct Row {
        char const* name;
        std::wstring path;
        bool folderMissing;
    };
    Row const rows[] = {
        {"missing file", folder.at(L"missing.txt"), false},
        {"missing folder", folder.at(L"none\\x.txt"), true},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        String path = str(row.path);
        File f(path);
        auto calls = {
            std::function<void()>([&] { SystemFile::getLastModified(path); }),
            std::function<void()>([&] { SystemFile::getLastAccess(path); }),
            std::function<void()>([&] { SystemFile::getCreationTime(path); }),
            std::function<void()>([&] { SystemFile::setLastModified(path, MODIFIED); }),
            std::function<void()>([&] { SystemFile::setLastAccess(path, MODIFIED); }),
            std::function<void()>([&] { SystemFile::setCreationTime(path, MODIFIED); }),
            std::function<void()>([&] { f.setLastModified(MODIFIED); }),
            std::function<void()>([&] { f.setFileTime(MODIFIED, MODIFIED, MODIFIED); }),
        };
        for (std::function<void()> const& call : calls) {
            if (row.folderMissing)
                expectThrowsExactly<DirectoryNotFoundException>(call);
            else
                expectThrowsExactly<FileNotFoundException>(call);
        }
    }
}

//===-- Copies and allocators ---------------------------------------------===//

TEST_F(FileTest, CopiesCarryTheNameAndTheCache) {
    std::wstring path = folder.at(L"c.txt");
    writeRawFile(path, "12345");
    File loaded(str(path));
    EXPECT_EQ(loaded.getLength(), 5);
    File copy(loaded);
    writeRawFile(path, "1234567890");
    EXPECT_EQ(text(copy.getFullName()), path);
    EXPECT_EQ(copy.getLength(), 5) << "the copy has the source's fresh cache";

    File notLoaded(str(path));
    File assigned(str(folder.at(L"other.txt")));
    EXPECT_FALSE(assigned.exists());
    assigned = notLoaded;
    EXPECT_EQ(text(assigned.getFullName()), path);
    EXPECT_EQ(assigned.getLength(), 10) << "a source without cache makes the target reload";

    // A copy of a changed object reloads too.
    File changed(str(path));
    EXPECT_FALSE(changed.isReadonly());
    changed.setReadonly(true);
    File afterChange(changed);
    EXPECT_TRUE(afterChange.isReadonly());
    changed.setReadonly(false);
}

TEST_F(FileTest, PathAndCacheLiveOnTheGivenAllocator) {
    std::wstring path = folder.at(L"alloc.txt");
    writeRawFile(path, "xyz");
    wuxtest::TestAllocator alloc;
    wuxtest::TestAllocator other;
    {
        File f(&alloc, str(path));
        EXPECT_EQ(f.getAllocator(), &alloc);
        EXPECT_EQ(f.getLength(), 3);
        EXPECT_EQ(f.getFullName().getAllocator(), &alloc) << "a copy of the name on its allocator";
        File copy(f);
        EXPECT_EQ(copy.getAllocator(), &alloc);
        File target(&other, str(folder.at(L"t.txt")));
        std::size_t const otherBlocks = other.liveBlocks();
        std::size_t const allocBlocks = alloc.liveBlocks();
        target = f;
        EXPECT_EQ(target.getAllocator(), &other) << "assignment keeps the target's allocator";
        EXPECT_EQ(other.liveBlocks(), otherBlocks + 1) << "the cache copied onto the target's";
        EXPECT_EQ(alloc.liveBlocks(), allocBlocks);
        EXPECT_EQ(target.getLength(), 3);
        File defaulted(nullptr, str(path));
        EXPECT_EQ(defaulted.getAllocator(), cpp::lang::IAllocator::getWUXAllocator());
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(other.liveBlocks(), 0u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
    EXPECT_EQ(other.foreignFrees(), 0u);
}

//===-- Beyond 4 GiB ------------------------------------------------------===//

TEST_F(FileTest, LengthAndTruncateBeyondFourGiB) {
    std::wstring path = folder.at(L"big.bin");
    __int64 const size = 5 * GiB + 7;
    std::string reason;
    if (!wuxtest::createSparseFile(path, size, 4 * GiB + 100, "marker", reason))
        GTEST_SKIP() << reason;
    File f(str(path));
    EXPECT_EQ(f.getLength(), size);

    struct Row {
        char const* name;
        __int64 request;
        __int64 result;
    };
    Row const rows[] = {
        {"longer than the file", 6 * GiB, size},
        {"still beyond 4 GiB", 4 * GiB + 103, 4 * GiB + 103},
        {"exactly 4 GiB", 4 * GiB, 4 * GiB},
        {"below 4 GiB", GiB + 1, GiB + 1},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(f.truncate(row.request), row.result);
        EXPECT_EQ(rawFileSize(path), row.result);
        EXPECT_EQ(f.getLength(), row.result);
    }
}

} // namespace
