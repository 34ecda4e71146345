// The pure part of Volume, which covers the drives Wine cannot show: the
// volume type of every drive type (floppy only at upper-case A and B), the
// file-system names compared exactly, the shell name without its drive, the
// path without its final backslash, and the name asked for a connection.
#include "io/VolumeKinds.h"

#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using namespace cpp::io;
using cpp::lang::String;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

TEST(VolumeKindsTest, DriveTypesGiveVolumeTypes) {
    struct Row {
        char const* name;
        unsigned int driveType;
        wchar_t first;
        VolumeType expected;
    };
    Row const rows[] = {
        {"unknown", DRIVE_UNKNOWN, L'C', UnknownVolume},
        {"no root", DRIVE_NO_ROOT_DIR, L'C', UnknownVolume},
        {"removable at A", DRIVE_REMOVABLE, L'A', FloppyVolume},
        {"removable at B", DRIVE_REMOVABLE, L'B', FloppyVolume},
        {"removable at lower-case a", DRIVE_REMOVABLE, L'a', RemovableVolume},
        {"removable at E", DRIVE_REMOVABLE, L'E', RemovableVolume},
        {"fixed", DRIVE_FIXED, L'C', FixedVolume},
        {"fixed at A", DRIVE_FIXED, L'A', FixedVolume},
        {"CD-ROM", DRIVE_CDROM, L'D', CDROMVolume},
        {"remote", DRIVE_REMOTE, L'X', NetworkVolume},
        {"RAM disk", DRIVE_RAMDISK, L'R', RAMDiskVolume},
        {"beyond the table", 7, L'C', UnknownVolume},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(volumeTypeOf(row.driveType, static_cast<unsigned short>(row.first)),
                  row.expected);
    }
}

TEST(VolumeKindsTest, FileSystemNamesCompareExactly) {
    struct Row {
        char const* name;
        std::wstring fileSystem;
        cpp::io::FileSystemType expected;
    };
    Row const rows[] = {
        {"FAT", L"FAT", FAT32},
        {"FAT32", L"FAT32", FAT32},
        {"FAT16", L"FAT16", FAT16},
        {"FAT12", L"FAT12", FAT12},
        {"NTFS", L"NTFS", NTFS},
        {"lower case", L"ntfs", UnknownFileSystem},
        {"exFAT", L"exFAT", UnknownFileSystem},
        {"CDFS", L"CDFS", UnknownFileSystem},
        {"trailing blank", L"NTFS ", UnknownFileSystem},
        {"empty", L"", UnknownFileSystem},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(fileSystemTypeOf(String(row.fileSystem.c_str())), row.expected);
    }
}

TEST(VolumeKindsTest, NamePieces) {
    struct Row {
        char const* name;
        std::wstring input;
        std::wstring withoutSuffix;
        std::wstring withoutBackslash;
        std::wstring connection;
    };
    Row const rows[] = {
        {"shell name", L"DVD Drive (D:)", L"DVD Drive ", L"DVD Drive (D:)", L"DVD Drive (D:)"},
        {"root", L"C:\\", L"", L"C:", L"C:"},
        {"drive", L"X:", L"", L"X:", L"X:"},
        {"root with slash", L"C:/", L"", L"C:/", L"C:"},
        {"folder on a drive", L"C:\\dir\\", L"C:\\", L"C:\\dir", L"C:\\dir\\"},
        {"share", L"\\\\srv\\share\\", L"\\\\srv\\sh", L"\\\\srv\\share", L"\\\\srv\\share\\"},
        {"four units", L"(D:)", L"", L"(D:)", L"(D:)"},
        {"empty", L"", L"", L"", L""},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        String input(row.input.c_str());
        EXPECT_EQ(text(withoutDriveSuffix(input)), row.withoutSuffix);
        EXPECT_EQ(text(withoutFinalBackslash(input)), row.withoutBackslash);
        EXPECT_EQ(text(connectionName(input)), row.connection);
    }
}

} // namespace
