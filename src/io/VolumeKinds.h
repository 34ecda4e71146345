//===- VolumeKinds.h - Naming the kinds of a volume -------------*- C++ -*-===//
//
// The pure part of Volume: the volume type of a drive type, the file-system
// type of a file-system name, and the pieces of a volume's names.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_VOLUMEKINDS_H
#define WUX_SRC_IO_VOLUMEKINDS_H

#include "wux/io/Volume.h"
#include "wux/lang/String.h"

namespace cpp {
namespace io {

/// The volume type of the GetDriveTypeW result \p driveType for a path whose
/// first unit is \p firstUnit: a removable drive is a floppy at A or B
/// (upper case only), a removable volume elsewhere.
VolumeType volumeTypeOf(unsigned int driveType, unsigned short firstUnit);

/// The file-system type of the name GetVolumeInformationW reports, compared
/// exactly: "FAT" and "FAT32" are FAT32, "FAT16", "FAT12" and "NTFS" are
/// themselves, anything else is unknown.
FileSystemType fileSystemTypeOf(lang::String const& name);

/// A shell display name such as "DVD Drive (D:)" without its last four
/// units (the drive in parentheses); empty when it is shorter.
lang::String withoutDriveSuffix(lang::String const& displayName);

/// \p path without one final backslash.
lang::String withoutFinalBackslash(lang::String const& path);

/// The name WNetGetConnectionW expects for \p path: the drive ("X:") of a
/// drive path or root, else the path itself.
lang::String connectionName(lang::String const& path);

} // namespace io
} // namespace cpp

#endif
