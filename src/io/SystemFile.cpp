// SystemFile: the cached attribute record and its loading, the time setters,
// and the static operations on path strings.
#include "wux/io/SystemFile.h"

#include "io/IOError.h"
#include "wux/global/Date.h"
#include "wux/io/Path.h"
#include "wux/lang/IAllocator.h"

#include <windows.h>

#include <new>

namespace cpp {
namespace io {

using lang::IAllocator;
using lang::String;

struct SystemFile::AttrRecord {
    unsigned int attributes;
    __int64 size;
    __int64 creationTime;
    __int64 lastAccess;
    __int64 lastModified;
};

namespace {

IAllocator* orDefault(IAllocator* allocator) {
    return allocator != nullptr ? allocator : IAllocator::getWUXAllocator();
}

__int64 ticksOf(FILETIME const& ft) {
    __int64 ticks = 0;
    fileTimeToTime(&ticks, &ft);
    return ticks;
}

__int64 sizeOf(DWORD high, DWORD low) {
    return static_cast<__int64>((static_cast<unsigned __int64>(high) << 32) | low);
}

// Sets the times that are given (null: left alone) on the entry at `path`,
// a file or a directory. Returns 0 on success, else the system error code.
DWORD setTimes(String const& path, __int64 const* creation, __int64 const* access,
               __int64 const* modified) {
    FILETIME c = {0, 0};
    FILETIME a = {0, 0};
    FILETIME m = {0, 0};
    if (creation != nullptr)
        timeToFileTime(&c, creation);
    if (access != nullptr)
        timeToFileTime(&a, access);
    if (modified != nullptr)
        timeToFileTime(&m, modified);
    // Backup semantics let directories be opened as well as files.
    HANDLE h = CreateFileW(path.getWCStr(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD error = 0;
    if (!SetFileTime(h, creation != nullptr ? &c : nullptr, access != nullptr ? &a : nullptr,
                     modified != nullptr ? &m : nullptr))
        error = GetLastError();
    CloseHandle(h);
    return error;
}

void setTimesOrThrow(String const& path, __int64 const* creation, __int64 const* access,
                     __int64 const* modified) {
    DWORD error = setTimes(path, creation, access, modified);
    if (error != 0)
        throwIOError(error, true, path);
}

// The standard information of `path`; a failure throws.
WIN32_FILE_ATTRIBUTE_DATA standardInfo(String const& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.getWCStr(), GetFileExInfoStandard, &data))
        throwIOError(GetLastError(), true, path);
    return data;
}

} // namespace

SystemFile::SystemFile(String const& name) : SystemFile(nullptr, name) {}

SystemFile::SystemFile(IAllocator* allocator, String const& name)
    : _allocator(orDefault(allocator)), _fullName(Path::makeFullPath(name), _allocator),
      _attrs(nullptr), _stale(true) {}

SystemFile::SystemFile(IAllocator* allocator, String const& name, bool isFullName)
    : _allocator(orDefault(allocator)),
      _fullName(isFullName ? name : Path::makeFullPath(name), _allocator), _attrs(nullptr),
      _stale(true) {}

SystemFile::SystemFile(SystemFile const& other)
    : _allocator(other._allocator), _fullName(other._fullName), _attrs(nullptr), _stale(true) {
    copyCacheFrom(other);
}

SystemFile& SystemFile::operator=(SystemFile const& other) {
    if (this != &other) {
        // Take the record first: a failed allocation leaves the target as it was.
        if (other._attrs != nullptr)
            record();
        _fullName = other._fullName;
        copyCacheFrom(other);
    }
    return *this;
}

SystemFile::~SystemFile() {
    releaseRecord();
}

String SystemFile::getFullName() const {
    return _fullName;
}

void SystemFile::setFullName(String const& name) {
    _fullName = name;
    _stale = true;
}

void SystemFile::refresh() {
    loadFileAttrs();
}

FileAttributes SystemFile::getFileAttrs() const {
    return static_cast<FileAttributes>(attrs().attributes);
}

__int64 SystemFile::getLastModified() const {
    return attrs().lastModified;
}

__int64 SystemFile::getCreationTime() const {
    return attrs().creationTime;
}

__int64 SystemFile::getLastAccess() const {
    return attrs().lastAccess;
}

__int64 SystemFile::getSize() const {
    return attrs().size;
}

void SystemFile::setFileAttrs(int attributes) {
    _stale = true;
    if (!SetFileAttributesW(_fullName.getWCStr(), static_cast<DWORD>(attributes)))
        throwIOError(GetLastError(), true, _fullName);
}

void SystemFile::setLastModified(__int64 const& time) {
    _stale = true;
    setTimesOrThrow(_fullName, nullptr, nullptr, &time);
}

void SystemFile::setCreationTime(__int64 const& time) {
    _stale = true;
    setTimesOrThrow(_fullName, &time, nullptr, nullptr);
}

void SystemFile::setLastAccess(__int64 const& time) {
    _stale = true;
    setTimesOrThrow(_fullName, nullptr, &time, nullptr);
}

void SystemFile::setFileTime(__int64 const& creationTime, __int64 const& lastAccess,
                             __int64 const& lastModified) {
    _stale = true;
    setTimesOrThrow(_fullName, &creationTime, &lastAccess, &lastModified);
}

bool SystemFile::isFile(String const& path) {
    DWORD attributes = GetFileAttributesW(path.getWCStr());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool SystemFile::isDirectory(String const& path) {
    DWORD attributes = GetFileAttributesW(path.getWCStr());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileAttributes SystemFile::getFileAttrs(String const& path) {
    return static_cast<FileAttributes>(GetFileAttributesW(path.getWCStr()));
}

void SystemFile::setFileAttrs(String const& path, int attributes) {
    if (!SetFileAttributesW(path.getWCStr(), static_cast<DWORD>(attributes)))
        throwIOError(GetLastError(), true, path);
}

__int64 SystemFile::getLastModified(String const& path) {
    return ticksOf(standardInfo(path).ftLastWriteTime);
}

__int64 SystemFile::getCreationTime(String const& path) {
    return ticksOf(standardInfo(path).ftCreationTime);
}

__int64 SystemFile::getLastAccess(String const& path) {
    return ticksOf(standardInfo(path).ftLastAccessTime);
}

void SystemFile::setLastModified(String const& path, __int64 const& time) {
    setTimesOrThrow(path, nullptr, nullptr, &time);
}

void SystemFile::setCreationTime(String const& path, __int64 const& time) {
    setTimesOrThrow(path, &time, nullptr, nullptr);
}

void SystemFile::setLastAccess(String const& path, __int64 const& time) {
    setTimesOrThrow(path, nullptr, &time, nullptr);
}

void SystemFile::loadFileAttrs() const {
    AttrRecord* r = record();
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(_fullName.getWCStr(), GetFileExInfoStandard, &data)) {
        r->attributes = data.dwFileAttributes;
        r->size = sizeOf(data.nFileSizeHigh, data.nFileSizeLow);
        r->creationTime = ticksOf(data.ftCreationTime);
        r->lastAccess = ticksOf(data.ftLastAccessTime);
        r->lastModified = ticksOf(data.ftLastWriteTime);
        _stale = false;
        return;
    }
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        // A missing entry: ask the system again on the next read.
        r->attributes = INVALID_FILE_ATTRIBUTES;
        r->size = 0;
        r->creationTime = 0;
        r->lastAccess = 0;
        r->lastModified = 0;
        _stale = true;
        return;
    }
    throwIOError(error, true, _fullName);
}

void SystemFile::setFileAttrs(WIN32_FIND_DATAW const& data) {
    AttrRecord* r = record();
    r->attributes = data.dwFileAttributes;
    r->size = sizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    r->creationTime = ticksOf(data.ftCreationTime);
    r->lastAccess = ticksOf(data.ftLastAccessTime);
    r->lastModified = ticksOf(data.ftLastWriteTime);
    _stale = false;
}

SystemFile::AttrRecord const& SystemFile::attrs() const {
    if (_stale || _attrs == nullptr)
        loadFileAttrs();
    return *_attrs;
}

SystemFile::AttrRecord* SystemFile::record() const {
    if (_attrs == nullptr) {
        void* block = _allocator->malloc(sizeof(AttrRecord));
        _attrs = new (block) AttrRecord();
    }
    return _attrs;
}

void SystemFile::releaseRecord() {
    if (_attrs != nullptr) {
        _allocator->free(_attrs);
        _attrs = nullptr;
    }
}

// The copy keeps the source's freshness: a record the source would reload
// before its next read is reloaded by the copy too.
void SystemFile::copyCacheFrom(SystemFile const& other) {
    if (other._attrs == nullptr) {
        releaseRecord();
        _stale = true;
        return;
    }
    *record() = *other._attrs;
    _stale = other._stale;
}

} // namespace io
} // namespace cpp
