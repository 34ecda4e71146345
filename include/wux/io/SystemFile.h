//===- wux/io/SystemFile.h - A named file-system entry ----------*- C++ -*-===//
//
// SystemFile is the base of File and Directory: it holds the full path of an
// entry and a cached copy of its attributes, size and times, read from the
// system when first asked for and again after every change made through the
// object (or on refresh()).
//
//   File f(L"report.txt");                  // made absolute at once
//   if (f.exists()) {
//       __int64 changed = f.getLastModified(); // microseconds since 1970 UTC
//       Date when(changed);
//       f.setLastAccess(Date::getCurrentTime());
//       f.setFileAttrs(FileAttrHidden);      // the cache reloads next time
//   }
//   SystemFile::isDirectory(L"C:\\Windows");  // static: no object, no cache
//
// The entry on disk may appear, change or vanish at any time: a cache is only
// as fresh as its last load. A missing entry reports the attributes
// FileAttrInvalid and is asked for again on every read.
//
// Failures of system calls throw FileNotFoundException (error 2),
// DirectoryNotFoundException (error 3) or IOException (anything else).
// Objects are used by one thread at a time; the static operations are
// re-entrant.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_SYSTEMFILE_H
#define WUX_IO_SYSTEMFILE_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

#include <stddef.h> // __int64 on MinGW

// Directory-search data as <windows.h> declares it (same tag and typedef), so
// that either header may come first.
struct _WIN32_FIND_DATAW;
typedef struct _WIN32_FIND_DATAW WIN32_FIND_DATAW;

namespace cpp {
namespace lang {
class IAllocator;
} // namespace lang

namespace io {

/// The attribute bits of a file-system entry, as the system reports them.
/// The names carry a prefix because Directory is also a class here.
enum FileAttributes : unsigned int {
    FileAttrReadOnly = 0x00000001u,
    FileAttrHidden = 0x00000002u,
    FileAttrSystem = 0x00000004u,
    FileAttrDirectory = 0x00000010u,
    FileAttrArchive = 0x00000020u,
    FileAttrDevice = 0x00000040u,
    FileAttrNormal = 0x00000080u,
    FileAttrTemporary = 0x00000100u,
    FileAttrSparseFile = 0x00000200u,
    FileAttrReparsePoint = 0x00000400u,
    FileAttrCompressed = 0x00000800u,
    FileAttrOffline = 0x00001000u,
    FileAttrNotContentIndexed = 0x00002000u,
    FileAttrEncrypted = 0x00004000u,
    /// The entry does not exist.
    FileAttrInvalid = 0xFFFFFFFFu
};

class Directory;

class WUX_API SystemFile {
public:
    /// An entry named \p name, made absolute against the current directory.
    explicit SystemFile(lang::String const& name);
    /// The same, with the path and the cache on \p allocator (the default
    /// allocator when null).
    SystemFile(lang::IAllocator* allocator, lang::String const& name);
    /// Copies the name and the cache; the copy uses the source's allocator.
    SystemFile(SystemFile const& other);
    /// Copies the name and the cache; the target keeps its allocator.
    SystemFile& operator=(SystemFile const& other);
    virtual ~SystemFile();

    /// True when the entry exists and is of the object's kind.
    virtual bool exists() const = 0;
    /// The entry's own name (the last component of the full name).
    virtual lang::String getName() const = 0;

    lang::String getFullName() const;
    lang::IAllocator* getAllocator() const { return _allocator; }

    /// Reads the attributes from the system now.
    void refresh();

    // Cached values, reloaded first when the cache is stale. Times are
    // microseconds since 1970-01-01 00:00:00 UTC (Date's ticks).

    /// FileAttrInvalid when the entry does not exist.
    FileAttributes getFileAttrs() const;
    __int64 getLastModified() const;
    __int64 getCreationTime() const;
    __int64 getLastAccess() const;

    /// Sets the attribute bits (SetFileAttributesW).
    void setFileAttrs(int attributes);
    void setLastModified(__int64 const& time);
    void setCreationTime(__int64 const& time);
    void setLastAccess(__int64 const& time);
    void setFileTime(__int64 const& creationTime, __int64 const& lastAccess,
                     __int64 const& lastModified);

    // Operations on a path string as given: no object, no cache.

    /// True when \p path names an existing entry that is not a directory.
    static bool isFile(lang::String const& path);
    /// True when \p path names an existing directory.
    static bool isDirectory(lang::String const& path);
    /// The attribute bits; FileAttrInvalid when the entry does not exist.
    static FileAttributes getFileAttrs(lang::String const& path);
    static void setFileAttrs(lang::String const& path, int attributes);
    static __int64 getLastModified(lang::String const& path);
    static __int64 getCreationTime(lang::String const& path);
    static __int64 getLastAccess(lang::String const& path);
    static void setLastModified(lang::String const& path, __int64 const& time);
    static void setCreationTime(lang::String const& path, __int64 const& time);
    static void setLastAccess(lang::String const& path, __int64 const& time);

protected:
    /// \p isFullName true: \p name is used as it is, without making it
    /// absolute.
    SystemFile(lang::IAllocator* allocator, lang::String const& name, bool isFullName);

    /// Reads the attributes, size and times into the cache. A missing entry
    /// (error 2 or 3) gives the attributes FileAttrInvalid and leaves the
    /// cache stale; any other failure throws.
    void loadFileAttrs() const;
    /// Fills the cache from directory-search data; the cache is then fresh.
    void setFileAttrs(WIN32_FIND_DATAW const& data);
    /// The cached size in bytes, reloaded first when stale.
    __int64 getSize() const;
    /// The next read reloads the cache.
    void markStale() { _stale = true; }
    /// The full name, without a copy.
    lang::String const& fullName() const { return _fullName; }
    /// Names another entry (taken as it is); the cache becomes stale.
    void setFullName(lang::String const& name);

private:
    friend class Directory;

    struct AttrRecord;

    /// Reloads the cache when it is stale and returns it.
    AttrRecord const& attrs() const;
    AttrRecord* record() const;
    void releaseRecord();
    void copyCacheFrom(SystemFile const& other);

    lang::IAllocator* _allocator;
    lang::String _fullName;
    mutable AttrRecord* _attrs;
    mutable bool _stale;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_SYSTEMFILE_H
