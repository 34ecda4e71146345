// Volume: the system drive's kind, file system, sizes and name checked
// against the system's own answers, toString with and without a final
// backslash, invalid paths, the unsupported operations, labels, a drive that
// does not exist, copies with their own cache, and the lists of logical and
// network drives in both allocation forms. Floppy, CD-ROM, removable and
// network drives are checked where the machine has them (Wine has none).
#include "FileTestSupport.h"

#include "TestAllocator.h"
#include "wux/io/IOException.h"
#include "wux/io/Volume.h"
#include "wux/lang/AllocatorAdapter.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using cpp::io::FileSystemType;
using cpp::io::IOException;
using cpp::io::Volume;
using cpp::io::VolumeType;
using cpp::lang::AllocatorAdapter;
using cpp::lang::NotImplementedException;
using cpp::lang::String;
using wuxtest::expectArgumentException;
using wuxtest::str;
using wuxtest::text;

struct RawVolume {
    bool known;
    DWORD error;
    std::wstring label;
    std::wstring fileSystem;
};

RawVolume rawVolume(std::wstring const& root) {
    RawVolume v = {false, 0, L"", L""};
    wchar_t label[MAX_PATH + 1] = {0};
    wchar_t fileSystem[MAX_PATH + 1] = {0};
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    v.known = GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                    fileSystem, MAX_PATH + 1) != FALSE;
    v.error = v.known ? 0 : GetLastError();
    SetErrorMode(old);
    v.label = label;
    v.fileSystem = fileSystem;
    return v;
}

std::vector<std::wstring> rawDriveRoots() {
    wchar_t buffer[512] = {0};
    DWORD n = GetLogicalDriveStringsW(511, buffer);
    std::vector<std::wstring> roots;
    for (wchar_t const* p = buffer; p < buffer + n && *p != 0; p += wcslen(p) + 1)
        roots.push_back(p);
    return roots;
}

FileSystemType expectedFileSystem(std::wstring const& name) {
    if (name == L"FAT" || name == L"FAT32")
        return cpp::io::FAT32;
    if (name == L"FAT16")
        return cpp::io::FAT16;
    if (name == L"FAT12")
        return cpp::io::FAT12;
    if (name == L"NTFS")
        return cpp::io::NTFS;
    return cpp::io::UnknownFileSystem;
}

// Checks that `call` throws IOException "Cannot get the volume information."
// with the system's error code.
void expectNoInformation(std::function<void()> const& call, DWORD error) {
    try {
        call();
        ADD_FAILURE() << "no exception";
    } catch (IOException const& e) {
        EXPECT_EQ(text(e.getMessage()), L"Cannot get the volume information.");
        EXPECT_EQ(e.getErrorId(), static_cast<int>(error));
    }
}

//===-- The system drive --------------------------------------------------===//

TEST(VolumeTest, SystemDriveAgreesWithTheSystem) {
    std::wstring const root = L"C:\\";
    ASSERT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_FIXED));
    RawVolume raw = rawVolume(root);
    ASSERT_TRUE(raw.known);

    Volume c(str(root));
    EXPECT_EQ(text(c.getVolumePath()), root);
    EXPECT_EQ(c.getVolumeType(), cpp::io::FixedVolume);
    EXPECT_EQ(c.getFileSystemType(), expectedFileSystem(raw.fileSystem));
    if (raw.fileSystem == L"NTFS") {
        EXPECT_EQ(c.getFileSystemType(), cpp::io::NTFS);
    }
    EXPECT_EQ(text(c.getVolumeName()), raw.label);

    ULARGE_INTEGER callerFree, total, freeBefore, freeAfter;
    ASSERT_TRUE(GetDiskFreeSpaceExW(root.c_str(), &callerFree, &total, &freeBefore));
    c.refresh();
    ASSERT_TRUE(GetDiskFreeSpaceExW(root.c_str(), &callerFree, &total, &freeAfter));
    EXPECT_EQ(c.getCapacity(), static_cast<__int64>(total.QuadPart));
    EXPECT_GT(c.getCapacity(), 0);
    // Others may write meanwhile: the free bytes lie between the two readings.
    __int64 low = static_cast<__int64>(std::min(freeBefore.QuadPart, freeAfter.QuadPart));
    __int64 high = static_cast<__int64>(std::max(freeBefore.QuadPart, freeAfter.QuadPart));
    EXPECT_GE(c.getFreeBytes(), low - 64 * 1024 * 1024);
    EXPECT_LE(c.getFreeBytes(), high + 64 * 1024 * 1024);
    EXPECT_EQ(c.getUsedBytes(), c.getCapacity() - c.getFreeBytes());
}

TEST(VolumeTest, ToStringIsTheNameAndTheDriveInParentheses) {
    std::wstring label = rawVolume(L"C:\\").label;
    struct Row {
        char const* name;
        std::wstring path;
        std::wstring expected;
    };
    Row const rows[] = {
        {"root with backslash", L"C:\\", label + L"(C:)"},
        {"drive without backslash", L"C:", label + L"(C:)"},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        Volume v(str(row.path));
        EXPECT_EQ(text(v.toString()), row.expected);
        EXPECT_EQ(text(v.getVolumePath()), row.path);
    }
}

TEST(VolumeTest, InvalidPathsAreRefused) {
    struct Row {
        char const* name;
        std::wstring path;
    };
    Row const rows[] = {
        {"star", L"C:\\*"},
        {"question mark", L"C:\\a?"},
        {"pipe", L"C:\\a|b"},
        {"angle", L"<C:\\"},
        {"second colon", L"C:\\a:b"},
        {"colon in relative", L"ab:c"},
        {"control unit", L"C:\\\x12"},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        expectArgumentException([&] { Volume v(str(row.path)); }, L"Volume path is invalid.",
                                L"volumePath");
        wuxtest::TestAllocator alloc;
        expectArgumentException([&] { Volume v(&alloc, str(row.path)); },
                                L"Volume path is invalid.", L"volumePath");
        EXPECT_EQ(alloc.liveBlocks(), 0u);
    }
}

TEST(VolumeTest, MountingAndTheReadOnlyQueryAreNotSupported) {
    Volume c(String(L"C:\\"));
    std::function<void()> const calls[] = {
        [&] { c.canMount(); },
        [&] { c.isMounted(); },
        [&] { c.isReadonly(); },
        [&] { c.define(String(L"D:\\")); },
        [&] { c.mount(String(L"D:\\")); },
    };
    for (std::function<void()> const& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no exception";
        } catch (NotImplementedException const& e) {
            EXPECT_EQ(text(e.getMessage()), L"The method or operation is not implemented.");
        }
    }
}

TEST(VolumeTest, EmptyLabelIsRefused) {
    Volume c(String(L"C:\\"));
    expectArgumentException([&] { c.setVolumeName(String()); }, L"The new volume name is empty.",
                            L"volumeName");
}

TEST(VolumeTest, SettingALabelUpdatesTheCachedName) {
    if (!wuxtest::runningUnderWine())
        GTEST_SKIP() << "would change the label of the system drive; checked under Wine only, "
                        "whose SetVolumeLabelW changes nothing";
    Volume c(String(L"C:\\"));
    c.getCapacity(); // loaded
    c.setVolumeName(String(L"WuxTest"));
    EXPECT_EQ(text(c.getVolumeName()), L"WuxTest");
    EXPECT_EQ(text(c.toString()), L"WuxTest(C:)");
    Volume notLoaded(String(L"C:\\"));
    notLoaded.setVolumeName(String(L"WuxTest"));
    // Wine accepts the label and never reports it: a reload shows the
    // system's label again, which on Windows would be the new one.
    c.refresh();
    EXPECT_EQ(text(c.getVolumeName()), rawVolume(L"C:\\").label);
}

//===-- A drive that does not exist ---------------------------------------===//

TEST(VolumeTest, MissingDriveThrowsEveryTime) {
    DWORD used = GetLogicalDrives();
    wchar_t letter = 0;
    for (wchar_t l = L'Y'; l >= L'D'; --l) {
        if ((used & (1u << (l - L'A'))) == 0) {
            letter = l;
            break;
        }
    }
    if (letter == 0)
        GTEST_SKIP() << "every drive letter from D to Y is in use";
    std::wstring root = std::wstring(1, letter) + L":\\";
    RawVolume raw = rawVolume(root);
    ASSERT_FALSE(raw.known);
    EXPECT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));

    Volume v(str(root)); // constructing reads nothing
    expectNoInformation([&] { v.getCapacity(); }, raw.error);
    // Nothing half-loaded is kept: the next read asks again.
    expectNoInformation([&] { v.getVolumeType(); }, raw.error);
    expectNoInformation([&] { v.toString(); }, raw.error);
    expectNoInformation([&] { v.refresh(); }, raw.error);
}

//===-- Copies ------------------------------------------------------------===//

TEST(VolumeTest, CopiesHaveTheirOwnCache) {
    wuxtest::TestAllocator alloc;
    wuxtest::TestAllocator other;
    {
        Volume* source = new Volume(&alloc, String(L"C:\\"));
        __int64 capacity = source->getCapacity();
        std::wstring name = text(source->toString());
        Volume copy(*source);
        Volume assigned(&other, String(L"C:"));
        assigned.getCapacity(); // a record to replace
        assigned = *source;
        Volume notLoaded(String(L"C:\\"));
        Volume fromNotLoaded(notLoaded);
        delete source;
        EXPECT_EQ(copy.getCapacity(), capacity);
        EXPECT_EQ(text(copy.toString()), name);
        EXPECT_EQ(text(assigned.getVolumePath()), L"C:\\");
        EXPECT_EQ(text(assigned.toString()), name);
        EXPECT_EQ(fromNotLoaded.getCapacity(), capacity);
        assigned = assigned;
        EXPECT_EQ(text(assigned.toString()), name);
    }
    EXPECT_EQ(alloc.foreignFrees(), 0u) << "a record was released twice";
    EXPECT_EQ(other.foreignFrees(), 0u);
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(other.liveBlocks(), 0u);
}

//===-- Lists of volumes --------------------------------------------------===//

TEST(VolumeTest, LogicalVolumesAreOnePerRootInOrder) {
    std::vector<std::wstring> roots = rawDriveRoots();
    ASSERT_FALSE(roots.empty());
    std::vector<Volume*> volumes = Volume::getLogicalVolumes();
    ASSERT_EQ(volumes.size(), roots.size());
    for (std::size_t i = 0; i < roots.size(); ++i) {
        EXPECT_EQ(text(volumes[i]->getVolumePath()), roots[i]);
        delete volumes[i];
    }

    wuxtest::TestAllocator alloc;
    {
        std::vector<Volume*, AllocatorAdapter<Volume*>> inAlloc = Volume::getLogicalVolumes(&alloc);
        EXPECT_EQ(inAlloc.get_allocator().getAllocator(), &alloc);
        ASSERT_EQ(inAlloc.size(), roots.size());
        for (std::size_t i = 0; i < roots.size(); ++i) {
            EXPECT_TRUE(alloc.owns(inAlloc[i]));
            EXPECT_EQ(text(inAlloc[i]->getVolumePath()), roots[i]);
            EXPECT_EQ(inAlloc[i]->getVolumePath().getAllocator(), &alloc);
            inAlloc[i]->~Volume();
            alloc.free(inAlloc[i]);
        }
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
}

TEST(VolumeTest, NetworkVolumesAreTheRemoteDrives) {
    std::vector<std::wstring> expected;
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        std::wstring root = std::wstring(1, letter) + L":\\";
        if (GetDriveTypeW(root.c_str()) == DRIVE_REMOTE)
            expected.push_back(std::wstring(1, letter) + L":");
    }
    std::vector<Volume*> volumes = Volume::getNetVolumes();
    std::vector<std::wstring> paths;
    for (Volume* v : volumes) {
        paths.push_back(text(v->getVolumePath()));
        EXPECT_EQ(v->getVolumeType(), cpp::io::NetworkVolume);
        delete v;
    }
    EXPECT_EQ(paths, expected);

    wuxtest::TestAllocator alloc;
    {
        std::vector<Volume*, AllocatorAdapter<Volume*>> inAlloc = Volume::getNetVolumes(&alloc);
        EXPECT_EQ(inAlloc.size(), expected.size());
        for (Volume* v : inAlloc) {
            v->~Volume();
            alloc.free(v);
        }
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
}

TEST(VolumeTest, ListsRefuseANullAllocator) {
    expectArgumentException([] { Volume::getLogicalVolumes(nullptr); },
                            L"The allocator pointer is null.", L"alloc");
    expectArgumentException([] { Volume::getNetVolumes(nullptr); },
                            L"The allocator pointer is null.", L"alloc");
}

//===-- Drives Wine does not have -----------------------------------------===//

TEST(VolumeTest, RemovableCdromAndNetworkDrives) {
    int checked = 0;
    for (std::wstring const& root : rawDriveRoots()) {
        UINT type = GetDriveTypeW(root.c_str());
        if (type != DRIVE_REMOVABLE && type != DRIVE_CDROM && type != DRIVE_REMOTE)
            continue;
        SCOPED_TRACE(std::string(root.begin(), root.end()));
        ++checked;
        Volume v(str(root));
        RawVolume raw = rawVolume(root);
        VolumeType expectedType = type == DRIVE_CDROM                    ? cpp::io::CDROMVolume
                                  : type == DRIVE_REMOTE                 ? cpp::io::NetworkVolume
                                  : (root[0] == L'A' || root[0] == L'B') ? cpp::io::FloppyVolume
                                                                         : cpp::io::RemovableVolume;
        if (!raw.known && type != DRIVE_REMOTE) {
            if (expectedType == cpp::io::RemovableVolume) {
                // Only floppy and CD-ROM drives are spared the error.
                expectNoInformation([&] { v.getCapacity(); }, raw.error);
                continue;
            }
            // No medium: no exception, zero sizes, no file system.
            EXPECT_EQ(v.getCapacity(), 0);
            EXPECT_EQ(v.getFreeBytes(), 0);
            EXPECT_EQ(v.getFileSystemType(), cpp::io::UnknownFileSystem);
        }
        EXPECT_EQ(v.getVolumeType(), expectedType);
    }
    if (checked == 0)
        GTEST_SKIP() << "no floppy, CD-ROM, removable or network drive here (Wine offers only "
                        "the fixed drives C: and Z:; others need faked registry entries and a "
                        "restarted server, and a faked CD-ROM reports a medium anyway)";
}

} // namespace
