// Volume: reading a drive's label, kind, file system and sizes from the
// system, setting the label, and listing the logical and network drives.
#include "wux/io/Volume.h"

#include "io/VolumeKinds.h"
#include "util/LibraryResources.h"
#include "wux/io/IOException.h"
#include "wux/io/Path.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/NotImplementedException.h"

#include <windows.h>

#include <shellapi.h>
#include <winnetwk.h>

#include <new>

namespace cpp {
namespace io {

using lang::AllocatorAdapter;
using lang::ArgumentException;
using lang::IAllocator;
using lang::String;

struct Volume::VolumeRecord {
    explicit VolumeRecord(IAllocator* allocator)
        : name(allocator), capacity(0), freeBytes(0), fileSystemType(0), volumeType(0) {}

    String name;
    __int64 capacity;
    __int64 freeBytes;
    unsigned char fileSystemType;
    unsigned char volumeType;
};

namespace {

DWORD const REMOTE_NAME_UNITS = 1040;
DWORD const NAME_UNITS = MAX_PATH + 1;

IAllocator* orDefault(IAllocator* allocator) {
    return allocator != nullptr ? allocator : IAllocator::getWUXAllocator();
}

String textOf(wchar_t const* units) {
    return String(units);
}

bool isPathValid(String const& path) {
    try {
        return Path::isValidPath(path);
    } catch (ArgumentException const&) {
        // Units that no path may hold.
        return false;
    }
}

// The drive type of `path`, or DRIVE_REMOTE with the share's name (ending in
// a backslash) when the path is connected, or remembered as connected, to a
// network share.
struct DriveKind {
    UINT type;
    String remoteName;
};

DriveKind detectDrive(String const& path) {
    DriveKind kind;
    wchar_t remote[REMOTE_NAME_UNITS] = {0};
    DWORD length = REMOTE_NAME_UNITS;
    DWORD result = WNetGetConnectionW(connectionName(path).getWCStr(), remote, &length);
    if (result == NO_ERROR || result == ERROR_CONNECTION_UNAVAIL) {
        remote[REMOTE_NAME_UNITS - 1] = 0;
        kind.type = DRIVE_REMOTE;
        kind.remoteName = textOf(remote);
        if (kind.remoteName.isEmpty() || kind.remoteName[kind.remoteName.getLength() - 1] != '\\')
            kind.remoteName += static_cast<unsigned short>('\\');
    } else {
        kind.type = GetDriveTypeW(path.getWCStr());
    }
    return kind;
}

// The shell's display name of `path`; false when the shell has none.
bool shellDisplayName(String const& path, String& name) {
    SHFILEINFOW info;
    ZeroMemory(&info, sizeof info);
    if (SHGetFileInfoW(path.getWCStr(), 0, &info, sizeof info, SHGFI_DISPLAYNAME) == 0)
        return false;
    info.szDisplayName[MAX_PATH - 1] = 0;
    name = textOf(info.szDisplayName);
    return true;
}

// The library's name for a removable volume without a label; empty while the
// library has no resource loader or the text cannot be read.
String removableVolumeName() {
    lang::IResourceLoader* loader = util::libraryLoader();
    if (loader == nullptr)
        return String();
    try {
        return loader->loadString(String("IDS_REMOVABLE_VOL_NAME"));
    } catch (lang::Exception const&) {
        return String();
    }
}

[[noreturn]] void throwNoInformation(DWORD error) {
    throw IOException(String("Cannot get the volume information."), static_cast<int>(error));
}

// The roots of the logical drives (C:\ ...), in the system's order.
std::vector<String> logicalDriveRoots() {
    DWORD units = GetLogicalDriveStringsW(0, nullptr);
    if (units == 0)
        throw IOException(String("Cannot get the logical volumes."),
                          static_cast<int>(GetLastError()));
    IAllocator* allocator = IAllocator::getWUXAllocator();
    for (;;) {
        wchar_t* buffer = static_cast<wchar_t*>(allocator->malloc(2 * units + 2));
        DWORD written = GetLogicalDriveStringsW(units, buffer);
        if (written == 0) {
            DWORD error = GetLastError();
            allocator->free(buffer);
            throw IOException(String("Cannot get the logical volumes."), static_cast<int>(error));
        }
        if (written > units) {
            // A drive appeared between the two calls: ask again.
            allocator->free(buffer);
            units = written;
            continue;
        }
        std::vector<String> roots;
        try {
            buffer[written] = 0;
            for (wchar_t const* p = buffer; *p != 0;) {
                String root(p);
                p += root.getLength() + 1;
                roots.push_back(root);
            }
        } catch (...) {
            allocator->free(buffer);
            throw;
        }
        allocator->free(buffer);
        return roots;
    }
}

// The drives C: to Z: that are connected, or remembered as connected, to a
// network share.
std::vector<String> networkDrives() {
    std::vector<String> drives;
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        wchar_t drive[] = {letter, L':', 0};
        String path(drive);
        if (detectDrive(path).type == DRIVE_REMOTE)
            drives.push_back(path);
    }
    return drives;
}

std::vector<Volume*> newVolumes(std::vector<String> const& paths) {
    std::vector<Volume*> volumes;
    try {
        for (String const& path : paths) {
            volumes.reserve(volumes.size() + 1);
            volumes.push_back(new Volume(path));
        }
    } catch (...) {
        for (Volume* volume : volumes)
            delete volume;
        throw;
    }
    return volumes;
}

std::vector<Volume*, AllocatorAdapter<Volume*>> volumesIn(IAllocator* allocator,
                                                          std::vector<String> const& paths) {
    std::vector<Volume*, AllocatorAdapter<Volume*>> volumes((AllocatorAdapter<Volume*>(allocator)));
    try {
        for (String const& path : paths) {
            volumes.reserve(volumes.size() + 1);
            void* block = allocator->malloc(sizeof(Volume));
            try {
                volumes.push_back(new (block) Volume(allocator, path));
            } catch (...) {
                allocator->free(block);
                throw;
            }
        }
    } catch (...) {
        for (Volume* volume : volumes) {
            volume->~Volume();
            allocator->free(volume);
        }
        throw;
    }
    return volumes;
}

} // namespace

Volume::Volume(String const& volumePath) : Volume(nullptr, volumePath) {}

Volume::Volume(IAllocator* allocator, String const& volumePath)
    : _allocator(orDefault(allocator)), _volumePath(volumePath, _allocator), _attrs(nullptr) {
    if (!isPathValid(volumePath))
        throw ArgumentException(String("Volume path is invalid."), String("volumePath"));
}

Volume::Volume(Volume const& other)
    : _allocator(other._allocator), _volumePath(other._volumePath), _attrs(nullptr) {
    if (other._attrs != nullptr) {
        void* block = _allocator->malloc(sizeof(VolumeRecord));
        try {
            _attrs = new (block) VolumeRecord(*other._attrs);
        } catch (...) {
            _allocator->free(block);
            throw;
        }
    }
}

Volume& Volume::operator=(Volume const& other) {
    if (this == &other)
        return *this;
    // The copy of the record is made first, on the source's allocator: a
    // failure leaves the target as it was.
    VolumeRecord* copy = nullptr;
    if (other._attrs != nullptr) {
        void* block = other._allocator->malloc(sizeof(VolumeRecord));
        try {
            copy = new (block) VolumeRecord(other._allocator);
            *copy = *other._attrs;
        } catch (...) {
            if (copy != nullptr)
                copy->~VolumeRecord();
            other._allocator->free(block);
            throw;
        }
    }
    releaseRecord();
    _allocator = other._allocator;
    _volumePath = other._volumePath;
    _attrs = copy;
    return *this;
}

Volume::~Volume() {
    releaseRecord();
}

String Volume::getVolumePath() const {
    return _volumePath;
}

String Volume::getVolumeName() const {
    return attrs().name;
}

__int64 Volume::getCapacity() const {
    return attrs().capacity;
}

__int64 Volume::getFreeBytes() const {
    return attrs().freeBytes;
}

__int64 Volume::getUsedBytes() const {
    VolumeRecord const& record = attrs();
    return record.capacity - record.freeBytes;
}

FileSystemType Volume::getFileSystemType() const {
    return static_cast<FileSystemType>(attrs().fileSystemType);
}

VolumeType Volume::getVolumeType() const {
    return static_cast<VolumeType>(attrs().volumeType);
}

void Volume::refresh() {
    loadVolumeAttrs();
}

void Volume::setVolumeName(String const& volumeName) {
    if (volumeName.isEmpty())
        throw ArgumentException(String("The new volume name is empty."), String("volumeName"));
    // getWCStr() is never null: the label is always a real text.
    if (!SetVolumeLabelW(_volumePath.getWCStr(), volumeName.getWCStr()))
        throw IOException(String("Failed to set volume name."), static_cast<int>(GetLastError()));
    if (_attrs != nullptr)
        _attrs->name = volumeName;
}

String Volume::toString() const {
    String text(attrs().name, _allocator);
    text += static_cast<unsigned short>('(');
    text += withoutFinalBackslash(_volumePath);
    text += static_cast<unsigned short>(')');
    return text;
}

bool Volume::canMount() const {
    throw lang::NotImplementedException();
}

bool Volume::isMounted() const {
    throw lang::NotImplementedException();
}

bool Volume::isReadonly() const {
    throw lang::NotImplementedException();
}

void Volume::define(String const&) {
    throw lang::NotImplementedException();
}

void Volume::mount(String const&) {
    throw lang::NotImplementedException();
}

std::vector<Volume*> Volume::getLogicalVolumes() {
    return newVolumes(logicalDriveRoots());
}

std::vector<Volume*, AllocatorAdapter<Volume*>> Volume::getLogicalVolumes(IAllocator* allocator) {
    if (allocator == nullptr)
        lang::AllocatorAdapterBase::throwArg();
    return volumesIn(allocator, logicalDriveRoots());
}

std::vector<Volume*> Volume::getNetVolumes() {
    return newVolumes(networkDrives());
}

std::vector<Volume*, AllocatorAdapter<Volume*>> Volume::getNetVolumes(IAllocator* allocator) {
    if (allocator == nullptr)
        lang::AllocatorAdapterBase::throwArg();
    return volumesIn(allocator, networkDrives());
}

void Volume::loadVolumeAttrs() const {
    VolumeRecord fresh(_allocator);
    DriveKind kind = detectDrive(_volumePath);
    VolumeType type = volumeTypeOf(kind.type, _volumePath.isEmpty() ? static_cast<unsigned short>(0)
                                                                    : _volumePath[0]);
    fresh.volumeType = static_cast<unsigned char>(type);
    bool network = type == NetworkVolume && !kind.remoteName.isEmpty();
    String const& path = network ? kind.remoteName : _volumePath;

    wchar_t label[NAME_UNITS] = {0};
    wchar_t fileSystem[NAME_UNITS] = {0};
    // No "insert a disk" box for an empty drive: the call just fails.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL known = GetVolumeInformationW(path.getWCStr(), label, NAME_UNITS, nullptr, nullptr,
                                       nullptr, fileSystem, NAME_UNITS);
    DWORD error = known ? 0 : GetLastError();
    SetErrorMode(oldMode);

    if (!known) {
        if (type != FloppyVolume && type != CDROMVolume)
            throwNoInformation(error);
        // A drive without a medium: its shell name, nothing else.
        String display;
        if (shellDisplayName(path, display))
            fresh.name = withoutDriveSuffix(display);
    } else {
        label[NAME_UNITS - 1] = 0;
        fileSystem[NAME_UNITS - 1] = 0;
        String display;
        if (network && shellDisplayName(kind.remoteName, display)) {
            bool unc = kind.remoteName.getLength() >= 2 && kind.remoteName[0] == '\\' &&
                       kind.remoteName[1] == '\\';
            fresh.name = unc ? display : withoutDriveSuffix(display);
        } else {
            fresh.name = textOf(label);
            if (fresh.name.isEmpty() && (type == RemovableVolume || type == FloppyVolume))
                fresh.name = removableVolumeName();
        }
        fresh.fileSystemType = static_cast<unsigned char>(fileSystemTypeOf(textOf(fileSystem)));
        ULARGE_INTEGER total;
        ULARGE_INTEGER totalFree;
        if (!GetDiskFreeSpaceExW(path.getWCStr(), nullptr, &total, &totalFree))
            throwNoInformation(GetLastError());
        fresh.capacity = static_cast<__int64>(total.QuadPart);
        fresh.freeBytes = static_cast<__int64>(totalFree.QuadPart);
    }

    if (_attrs == nullptr) {
        void* block = _allocator->malloc(sizeof(VolumeRecord));
        try {
            _attrs = new (block) VolumeRecord(_allocator);
        } catch (...) {
            _allocator->free(block);
            throw;
        }
    }
    *_attrs = fresh;
}

Volume::VolumeRecord const& Volume::attrs() const {
    if (_attrs == nullptr)
        loadVolumeAttrs();
    return *_attrs;
}

void Volume::releaseRecord() {
    if (_attrs != nullptr) {
        _attrs->~VolumeRecord();
        _allocator->free(_attrs);
        _attrs = nullptr;
    }
}

} // namespace io
} // namespace cpp
