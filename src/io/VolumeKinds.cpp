#include "io/VolumeKinds.h"

#include <windows.h>

namespace cpp {
namespace io {

using lang::String;

VolumeType volumeTypeOf(unsigned int driveType, unsigned short firstUnit) {
    switch (driveType) {
    case DRIVE_REMOVABLE:
        return firstUnit == 'A' || firstUnit == 'B' ? FloppyVolume : RemovableVolume;
    case DRIVE_FIXED:
        return FixedVolume;
    case DRIVE_CDROM:
        return CDROMVolume;
    case DRIVE_REMOTE:
        return NetworkVolume;
    case DRIVE_RAMDISK:
        return RAMDiskVolume;
    default:
        return UnknownVolume;
    }
}

FileSystemType fileSystemTypeOf(String const& name) {
    if (name.compare(String(L"FAT")) == 0 || name.compare(String(L"FAT32")) == 0)
        return FAT32;
    if (name.compare(String(L"NTFS")) == 0)
        return NTFS;
    if (name.compare(String(L"FAT16")) == 0)
        return FAT16;
    if (name.compare(String(L"FAT12")) == 0)
        return FAT12;
    return UnknownFileSystem;
}

String withoutDriveSuffix(String const& displayName) {
    unsigned int length = displayName.getLength();
    return length < 4 ? String() : displayName.subString(0, length - 4);
}

String withoutFinalBackslash(String const& path) {
    unsigned int length = path.getLength();
    if (length > 0 && path[length - 1] == '\\')
        return path.subString(0, length - 1);
    return path;
}

String connectionName(String const& path) {
    unsigned int length = path.getLength();
    bool drive = length >= 2 && path[1] == ':' &&
                 (length == 2 || (length == 3 && (path[2] == '\\' || path[2] == '/')));
    return drive ? path.subString(0, 2) : path;
}

} // namespace io
} // namespace cpp
