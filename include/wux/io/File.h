//===- wux/io/File.h - A file on disk ---------------------------*- C++ -*-===//
//
// File names a file and offers what can be done to it as a whole: create,
// remove, copy, rename, shrink, the read-only flag, and (from SystemFile) the
// cached attributes and times. Reading and writing its bytes is the job of
// FileInputStream and FileOutputStream.
//
//   File f(L"C:\\data\\log.txt");
//   if (!f.exists())
//       f.create();                          // empty; fails if it exists
//   __int64 bytes = f.getLength();           // 0 when missing
//   f.copy(L"C:\\data\\log.bak", false);     // overwrites log.bak
//   f.truncate(1024);                        // keeps at most 1024 bytes
//   f.rename(L"C:\\data\\old.txt");          // f now names old.txt
//   f.setReadonly(true);
//   f.isReadonly();                          // true: the cache is reloaded
//   f.setReadonly(false);
//   f.remove();                              // a missing file is no error
//
// Failures of system calls throw FileNotFoundException (error 2),
// DirectoryNotFoundException (error 3) or IOException (anything else, such
// as a refused access or a file that already exists).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_FILE_H
#define WUX_IO_FILE_H

#include "wux/io/SystemFile.h"
#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace io {

class WUX_API File : public SystemFile {
public:
    /// The file \p name, made absolute against the current directory.
    explicit File(lang::String const& name);
    /// The same on \p allocator (the default allocator when null).
    File(lang::IAllocator* allocator, lang::String const& name);
    File(File const& other);
    File& operator=(File const& other);
    ~File() override;

    /// True when the entry exists and is not a directory.
    bool exists() const override;
    /// The last component of the full name.
    lang::String getName() const override;

    /// The size in bytes; 0 when the file does not exist.
    __int64 getLength() const;
    /// The read-only bit; false when the file does not exist.
    bool isReadonly() const;
    /// Sets or clears the read-only bit, keeping the other bits.
    void setReadonly(bool readonly);

    /// Creates the file, empty. Throws IOException when it exists.
    void create();
    /// Deletes the file; a file that is already gone is no error.
    void remove();
    /// Copies the file to \p destination; \p failIfExists: throw instead of
    /// overwriting. The object keeps naming the source.
    void copy(lang::String const& destination, bool failIfExists);
    /// Moves the file to \p newName, which the object names afterwards.
    /// Throws ArgumentException "The new name of the file is empty." or "The
    /// new name of the file is invalid." for a bad name, and IOException
    /// "<newName> already exists." when the name is taken.
    void rename(lang::String const& newName);
    /// Shrinks the file to \p length bytes; a file no longer than that is
    /// left alone. Returns the resulting length (0 when the file does not
    /// exist).
    __int64 truncate(__int64 const& length);

protected:
    /// \p isFullName true: \p name is used as it is.
    File(lang::IAllocator* allocator, lang::String const& name, bool isFullName);

private:
    friend class Directory;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_FILE_H
