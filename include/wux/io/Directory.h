//===- wux/io/Directory.h - A directory on disk -----------------*- C++ -*-===//
//
// Directory names a directory and offers what can be done to it: create it
// with every missing parent, remove it (empty, or with everything below it),
// list its entries with a wildcard filter, and (from SystemFile) read its
// cached attributes and times.
//
//   Directory work(L"C:\\data\\work\\today");
//   work.create();                             // C:\data and ...\work too
//   Directory logs = work.createSubDirectory(L"logs");
//   std::vector<String> names;
//   work.listFiles(names, L"*.txt");           // full paths, appended
//   std::vector<SystemFile*> entries;
//   work.list(entries, L"*");                  // Files and Directories
//   for (SystemFile* e : entries) {
//       ... e->getName(), e->getLastModified() (no further system call) ...
//       delete e;
//   }
//   work.getParent().getName();                // "work"
//   work.removeTree();                         // everything below, then it
//
// Listing never returns "." or "..", appends to the caller's vector, and
// gives the entries in the order the system does (no sorting). With the
// filter "*" a missing directory throws; with any other filter it simply
// lists nothing. The objects a listing creates carry the attributes, size
// and times from the search, so reading them costs no further system call;
// the caller deletes them (the allocator forms: destroys them and frees
// their memory through the same allocator).
//
// removeTree() never follows a junction or symbolic link: such an entry (or
// the directory itself, when it is one) is removed as a link, and what it
// points to is left alone.
//
// Failures of system calls throw FileNotFoundException (error 2),
// DirectoryNotFoundException (error 3) or IOException (anything else).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_DIRECTORY_H
#define WUX_IO_DIRECTORY_H

#include "wux/io/File.h"
#include "wux/io/SystemFile.h"
#include "wux/lang/AllocatorAdapter.h"
#include "wux/lang/Export.h"
#include "wux/lang/String.h"

#include <vector>

namespace cpp {
namespace io {

class WUX_API Directory : public SystemFile {
public:
    /// The directory \p name, made absolute against the current directory.
    explicit Directory(lang::String const& name);
    /// The same on \p allocator (the default allocator when null).
    Directory(lang::IAllocator* allocator, lang::String const& name);
    Directory(Directory const& other);
    Directory& operator=(Directory const& other);
    ~Directory() override;

    /// True when the entry exists and is a directory.
    bool exists() const override;
    /// The last component of the full name; a root names itself ("C:\").
    lang::String getName() const override;

    /// True when the full name is a root (C:\, \\server\share\, \).
    bool isRoot() const;
    /// The directory above this one. Throws IOException "Cannot get parent
    /// due to the directory is root." for a root.
    Directory getParent() const;

    /// Creates the directory and every missing parent, outermost first. An
    /// existing directory and a root are left alone. Throws
    /// ArgumentException "Path is empty.", "Path contains invalid chars." or
    /// "Only blank characters in fullPath." for an unusable full name.
    void create();
    /// Removes the directory, which must be empty; a directory that is
    /// already gone is no error.
    void remove();
    /// Removes everything below the directory, depth first, then the
    /// directory itself; a missing directory is no error.
    void removeTree();
    /// Creates the directory named by the last component of \p name (or by
    /// \p name itself when it has none) below this one, and returns it.
    Directory createSubDirectory(lang::String const& name) const;

    // Listing: see above. Entries are appended to the vector.

    /// Files and directories, created with new.
    void list(std::vector<SystemFile*>& entries, lang::String const& filter) const;
    /// Directories, created with new.
    void listDirs(std::vector<Directory*>& dirs, lang::String const& filter) const;
    /// Files, created with new.
    void listFiles(std::vector<File*>& files, lang::String const& filter) const;
    /// Directories into \p dirs and files into \p files, their memory taken
    /// from \p allocator. A null \p allocator throws ArgumentException "The
    /// allocator is null." ("alloc").
    void list(lang::IAllocator* allocator,
              std::vector<Directory*, lang::AllocatorAdapter<Directory*>>& dirs,
              std::vector<File*, lang::AllocatorAdapter<File*>>& files,
              lang::String const& filter) const;
    void listDirs(lang::IAllocator* allocator,
                  std::vector<Directory*, lang::AllocatorAdapter<Directory*>>& dirs,
                  lang::String const& filter) const;
    void listFiles(lang::IAllocator* allocator,
                   std::vector<File*, lang::AllocatorAdapter<File*>>& files,
                   lang::String const& filter) const;
    /// Full paths of files and directories.
    void list(std::vector<lang::String>& paths, lang::String const& filter) const;
    /// Full paths of directories.
    void listDirs(std::vector<lang::String>& paths, lang::String const& filter) const;
    /// Full paths of files.
    void listFiles(std::vector<lang::String>& paths, lang::String const& filter) const;

protected:
    /// \p isFullName true: \p name is used as it is.
    Directory(lang::IAllocator* allocator, lang::String const& name, bool isFullName);

private:
    void listPaths(std::vector<lang::String>& paths, lang::String const& filter, bool dirs,
                   bool files) const;
    void listAllocated(lang::IAllocator* allocator,
                       std::vector<Directory*, lang::AllocatorAdapter<Directory*>>* dirs,
                       std::vector<File*, lang::AllocatorAdapter<File*>>* files,
                       lang::String const& filter) const;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_DIRECTORY_H
