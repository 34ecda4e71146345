//===- wux/io/Volume.h - A drive or network share ---------------*- C++ -*-===//
//
// Volume describes one drive or mapped network share: its name (the label),
// its kind, its file system, its capacity and free space. The values are
// read from the system when first asked for and kept until refresh().
//
//   Volume c(L"C:\\");
//   c.getVolumeType();                 // FixedVolume
//   c.getFileSystemType();             // NTFS
//   c.getUsedBytes();                  // capacity - free bytes
//   c.toString();                      // "System(C:)" for the label System
//
//   std::vector<Volume*> all = Volume::getLogicalVolumes();  // C:\, D:\, ...
//   for (Volume* v : all) {
//       ... v->toString() ...
//       delete v;
//   }
//
// A floppy or CD-ROM drive without a medium reports the shell's name for
// the drive, zero sizes and an unknown file system instead of failing; a
// removable volume without a label is named by the library's text
// "IDS_REMOVABLE_VOL_NAME". Mounting and the read-only query are not
// supported and throw NotImplementedException.
//
// Copies are independent: each keeps its own cached values. A volume is used
// by one thread at a time.
//
// <windows.h> declares an enumerator FileSystemType in the global namespace:
// code that includes it and imports cpp::io writes cpp::io::FileSystemType.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_VOLUME_H
#define WUX_IO_VOLUME_H

#include "wux/lang/AllocatorAdapter.h"
#include "wux/lang/Export.h"
#include "wux/lang/String.h"

#include <stddef.h> // __int64 on MinGW
#include <vector>

namespace cpp {
namespace lang {
class IAllocator;
} // namespace lang

namespace io {

/// The kind of a volume.
enum VolumeType : int {
    /// The system cannot tell, or the path is no root.
    UnknownVolume = 0,
    /// A removable drive at A: or B:.
    FloppyVolume = 1,
    FixedVolume = 2,
    CDROMVolume = 3,
    /// A removable drive at any other letter (a USB stick, a card reader).
    RemovableVolume = 4,
    /// A mapped or remembered network drive.
    NetworkVolume = 5,
    RAMDiskVolume = 6
};

/// The file system of a volume.
enum FileSystemType : int {
    UnknownFileSystem = 0,
    FAT12 = 1,
    FAT16 = 2,
    /// FAT32, also reported for a plain "FAT".
    FAT32 = 3,
    NTFS = 4
};

class WUX_API Volume {
public:
    /// The volume at \p volumePath (a root such as C:\ or a drive such as
    /// X:). An invalid path throws ArgumentException "Volume path is
    /// invalid." ("volumePath").
    explicit Volume(lang::String const& volumePath);
    /// The same on \p allocator (the default allocator when null).
    Volume(lang::IAllocator* allocator, lang::String const& volumePath);
    /// Copies the path, the allocator and the cached values (the copy has
    /// its own record).
    Volume(Volume const& other);
    Volume& operator=(Volume const& other);
    ~Volume();

    lang::String getVolumePath() const;

    // Cached values, read from the system on first use. A volume whose
    // information the system cannot give throws IOException "Cannot get the
    // volume information." (error id from the system).

    /// The label; for a network drive the shell's name of the share.
    lang::String getVolumeName() const;
    __int64 getCapacity() const;
    /// All free bytes on the volume, not only the caller's quota.
    __int64 getFreeBytes() const;
    /// Capacity minus free bytes.
    __int64 getUsedBytes() const;
    FileSystemType getFileSystemType() const;
    VolumeType getVolumeType() const;

    /// Reads the values from the system again.
    void refresh();
    /// Sets the label. An empty name throws ArgumentException "The new volume
    /// name is empty." ("volumeName"); a refusal throws IOException "Failed
    /// to set volume name." (error id from the system).
    void setVolumeName(lang::String const& volumeName);
    /// The name, then the path without a final backslash in parentheses:
    /// "Data(D:)".
    lang::String toString() const;

    // Not supported: each throws NotImplementedException.

    bool canMount() const;
    bool isMounted() const;
    bool isReadonly() const;
    void define(lang::String const& path);
    void mount(lang::String const& path);

    /// One volume per logical drive (A:\ included when present), in the
    /// system's order. The caller deletes them. Throws IOException "Cannot
    /// get the logical volumes." when the system cannot list them.
    static std::vector<Volume*> getLogicalVolumes();
    /// The same, each volume's memory taken from \p allocator and built on
    /// it; the caller destroys them and frees the memory through
    /// \p allocator. A null \p allocator throws ArgumentException "The
    /// allocator pointer is null." ("alloc").
    static std::vector<Volume*, lang::AllocatorAdapter<Volume*>>
    getLogicalVolumes(lang::IAllocator* allocator);
    /// One volume (path "X:") per mapped or remembered network drive from C:
    /// to Z:. The caller deletes them.
    static std::vector<Volume*> getNetVolumes();
    /// The same on \p allocator, as getLogicalVolumes(allocator).
    static std::vector<Volume*, lang::AllocatorAdapter<Volume*>>
    getNetVolumes(lang::IAllocator* allocator);

protected:
    /// Reads every value from the system into the cache. The cache changes
    /// only when all values could be read.
    void loadVolumeAttrs() const;

private:
    struct VolumeRecord;

    VolumeRecord const& attrs() const;
    void releaseRecord();

    lang::IAllocator* _allocator;
    lang::String _volumePath;
    mutable VolumeRecord* _attrs;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_VOLUME_H
