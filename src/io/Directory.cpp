// Directory: creating with missing parents, removing (also a whole tree) and
// listing entries through FindFirstFileW / FindNextFileW.
#include "wux/io/Directory.h"

#include "io/IOError.h"
#include "wux/io/IOException.h"
#include "wux/io/Path.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"

#include <windows.h>

#include <new>
#include <utility>

namespace cpp {
namespace io {

using lang::AllocatorAdapter;
using lang::ArgumentException;
using lang::IAllocator;
using lang::String;

namespace {

unsigned short const ALL_ENTRIES[] = {'*', 0};

bool isDotEntry(wchar_t const* name) {
    return (name[0] == L'.' && name[1] == 0) ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == 0);
}

bool isDirectoryEntry(WIN32_FIND_DATAW const& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool endsInSeparator(String const& path) {
    if (path.isEmpty())
        return false;
    unsigned short last = path[path.getLength() - 1];
    return last == Path::separator || last == Path::altSeparator;
}

// Calls visit(data) for every entry of `directory` that matches `filter`,
// "." and ".." left out, in the order the system returns them. A missing
// directory or an unmatched filter gives no entries, except with the filter
// "*", where the search's failure is thrown.
template <class Visit>
void forEachEntry(String const& directory, String const& filter, Visit visit) {
    String pattern = Path::combine(directory, filter);
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(pattern.getWCStr(), &data);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        bool everything = filter.compare(ALL_ENTRIES) == 0;
        if (!everything && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
            return;
        throwIOError(error, false, pattern);
    }
    try {
        do {
            if (!isDotEntry(data.cFileName))
                visit(data);
        } while (FindNextFileW(h, &data));
    } catch (...) {
        FindClose(h);
        throw;
    }
    FindClose(h);
}

String entryName(WIN32_FIND_DATAW const& data) {
    return String(data.cFileName);
}

// Destroys an object made in memory of `allocator` and gives the memory back.
template <class T> void destroyIn(IAllocator* allocator, T* object) {
    object->~T();
    allocator->free(object);
}

} // namespace

Directory::Directory(String const& name) : SystemFile(name) {}

Directory::Directory(IAllocator* allocator, String const& name) : SystemFile(allocator, name) {}

Directory::Directory(IAllocator* allocator, String const& name, bool isFullName)
    : SystemFile(allocator, name, isFullName) {}

Directory::Directory(Directory const& other) : SystemFile(other) {}

Directory& Directory::operator=(Directory const& other) {
    SystemFile::operator=(other);
    return *this;
}

Directory::~Directory() {}

bool Directory::exists() const {
    FileAttributes attributes = getFileAttrs();
    return attributes != FileAttrInvalid && (attributes & FileAttrDirectory) != 0;
}

String Directory::getName() const {
    String name = Path::getFileName(fullName());
    return name.isEmpty() ? fullName() : name;
}

bool Directory::isRoot() const {
    return Path::getPathRoot(fullName()).compare(fullName()) == 0;
}

Directory Directory::getParent() const {
    if (isRoot())
        throw IOException(String("Cannot get parent due to the directory is root."));
    return Directory(Path::getDirectoryName(fullName()));
}

void Directory::create() {
    String const& name = fullName();
    if (name.isEmpty())
        throw ArgumentException(String("Path is empty."));
    if (name.findFirstOf(Path::getInvalidPathChars()) != String::NO_POSITION)
        throw ArgumentException(String("Path contains invalid chars."));
    if (name.trim(' ').isEmpty())
        throw ArgumentException(String("Only blank characters in fullPath."));
    if (isRoot())
        return;
    Directory parent = getParent();
    if (!parent.isRoot() && !parent.exists())
        parent.create();
    if (!CreateDirectoryW(name.getWCStr(), nullptr)) {
        DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS)
            throwIOError(error, false, name);
    }
    markStale();
}

void Directory::remove() {
    if (!RemoveDirectoryW(fullName().getWCStr())) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            throwIOError(error, false, fullName());
    }
    markStale();
}

void Directory::removeTree() {
    if (!exists())
        return;
    if ((getFileAttrs() & FileAttrReparsePoint) != 0) {
        // This directory is itself a junction or symbolic link: only the
        // link goes.
        remove();
        return;
    }
    // Collect first, then remove: the search is not disturbed by removals.
    std::vector<std::pair<String, DWORD>> entries;
    forEachEntry(fullName(), String(ALL_ENTRIES), [&](WIN32_FIND_DATAW const& data) {
        entries.push_back(
            std::make_pair(Path::combine(fullName(), entryName(data)), data.dwFileAttributes));
    });
    for (std::pair<String, DWORD> const& entry : entries) {
        bool isDir = (entry.second & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if ((entry.second & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            // A junction or symbolic link: remove the link itself and leave
            // what it points to alone. RemoveDirectoryW and DeleteFileW act on
            // the link, never on its target.
            if (isDir)
                Directory(getAllocator(), entry.first, true).remove();
            else
                File(getAllocator(), entry.first, true).remove();
        } else if (isDir) {
            Directory(getAllocator(), entry.first, true).removeTree();
        } else {
            File(getAllocator(), entry.first, true).remove();
        }
    }
    remove();
}

Directory Directory::createSubDirectory(String const& name) const {
    String last = Path::getFileName(name);
    Directory sub(Path::combine(fullName(), last.isEmpty() ? name : last));
    sub.create();
    return sub;
}

void Directory::list(std::vector<SystemFile*>& entries, String const& filter) const {
    forEachEntry(fullName(), filter, [&](WIN32_FIND_DATAW const& data) {
        String path = Path::combine(fullName(), entryName(data));
        SystemFile* entry;
        if (isDirectoryEntry(data))
            entry = new Directory(path);
        else
            entry = new File(path);
        try {
            entry->setFileAttrs(data);
            entries.push_back(entry);
        } catch (...) {
            delete entry;
            throw;
        }
    });
}

void Directory::listDirs(std::vector<Directory*>& dirs, String const& filter) const {
    forEachEntry(fullName(), filter, [&](WIN32_FIND_DATAW const& data) {
        if (!isDirectoryEntry(data))
            return;
        Directory* dir = new Directory(Path::combine(fullName(), entryName(data)));
        try {
            dir->setFileAttrs(data);
            dirs.push_back(dir);
        } catch (...) {
            delete dir;
            throw;
        }
    });
}

void Directory::listFiles(std::vector<File*>& files, String const& filter) const {
    forEachEntry(fullName(), filter, [&](WIN32_FIND_DATAW const& data) {
        if (isDirectoryEntry(data))
            return;
        File* file = new File(Path::combine(fullName(), entryName(data)));
        try {
            file->setFileAttrs(data);
            files.push_back(file);
        } catch (...) {
            delete file;
            throw;
        }
    });
}

void Directory::list(IAllocator* allocator,
                     std::vector<Directory*, AllocatorAdapter<Directory*>>& dirs,
                     std::vector<File*, AllocatorAdapter<File*>>& files,
                     String const& filter) const {
    listAllocated(allocator, &dirs, &files, filter);
}

void Directory::listDirs(IAllocator* allocator,
                         std::vector<Directory*, AllocatorAdapter<Directory*>>& dirs,
                         String const& filter) const {
    listAllocated(allocator, &dirs, nullptr, filter);
}

void Directory::listFiles(IAllocator* allocator, std::vector<File*, AllocatorAdapter<File*>>& files,
                          String const& filter) const {
    listAllocated(allocator, nullptr, &files, filter);
}

void Directory::list(std::vector<String>& paths, String const& filter) const {
    listPaths(paths, filter, true, true);
}

void Directory::listDirs(std::vector<String>& paths, String const& filter) const {
    listPaths(paths, filter, true, false);
}

void Directory::listFiles(std::vector<String>& paths, String const& filter) const {
    listPaths(paths, filter, false, true);
}

void Directory::listPaths(std::vector<String>& paths, String const& filter, bool dirs,
                          bool files) const {
    forEachEntry(fullName(), filter, [&](WIN32_FIND_DATAW const& data) {
        if (isDirectoryEntry(data) ? dirs : files)
            paths.push_back(Path::combine(fullName(), entryName(data)));
    });
}

void Directory::listAllocated(IAllocator* allocator,
                              std::vector<Directory*, AllocatorAdapter<Directory*>>* dirs,
                              std::vector<File*, AllocatorAdapter<File*>>* files,
                              String const& filter) const {
    if (allocator == nullptr)
        throw ArgumentException(String("The allocator is null."), String("alloc"));
    // The entry names are appended to the full name as they are.
    String prefix(fullName(), allocator);
    if (!endsInSeparator(prefix))
        prefix += Path::separator;
    forEachEntry(fullName(), filter, [&](WIN32_FIND_DATAW const& data) {
        bool isDir = isDirectoryEntry(data);
        if ((isDir && dirs == nullptr) || (!isDir && files == nullptr))
            return;
        String name(prefix, allocator);
        name += entryName(data);
        if (isDir) {
            void* block = allocator->malloc(sizeof(Directory));
            Directory* dir;
            try {
                dir = new (block) Directory(allocator, name, true);
            } catch (...) {
                allocator->free(block);
                throw;
            }
            try {
                dir->setFileAttrs(data);
                dirs->push_back(dir);
            } catch (...) {
                destroyIn(allocator, dir);
                throw;
            }
        } else {
            void* block = allocator->malloc(sizeof(File));
            File* file;
            try {
                file = new (block) File(allocator, name, true);
            } catch (...) {
                allocator->free(block);
                throw;
            }
            try {
                file->setFileAttrs(data);
                files->push_back(file);
            } catch (...) {
                destroyIn(allocator, file);
                throw;
            }
        }
    });
}

} // namespace io
} // namespace cpp
