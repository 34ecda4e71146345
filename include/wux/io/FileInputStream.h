//===- wux/io/FileInputStream.h - Reading a file ----------------*- C++ -*-===//
//
// FileInputStream reads the bytes of a file. It opens the file when it is
// constructed and keeps it open until close() or destruction. Every block
// read is one system read: wrap the stream in a BufferedInputStream for
// small reads.
//
//   FileInputStream in(L"C:\\data\\photo.jpg", Read);   // others may read
//   unsigned char block[4096];
//   int n;
//   while ((n = in.read(block, sizeof block)) > 0)
//       ...use n bytes...
//   in.seek(-128, End);                    // the last 128 bytes
//   in.available();                        // 128
//   in.close();
//
// Sizes and positions are 64-bit: files larger than 4 GiB read and seek
// correctly. The name is used as given (a relative name is resolved by the
// system against the current directory).
//
// A missing file throws FileNotFoundException, a missing folder
// DirectoryNotFoundException, a file that another opener holds without
// sharing it IOException. After close() every operation but close() throws
// IOException "The file '<name>' has been closed.".
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_FILEINPUTSTREAM_H
#define WUX_IO_FILEINPUTSTREAM_H

#include "wux/io/FileMode.h"
#include "wux/io/InputStream.h"
#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace io {

class File;

class WUX_API FileInputStream : public InputStream {
public:
    /// Opens \p file (its full name) for reading; \p share: what others may
    /// do with the file meanwhile.
    FileInputStream(File const& file, FileShare share);
    /// Opens the file \p name for reading. An empty name throws
    /// ArgumentException "The file name is empty." ("name").
    FileInputStream(lang::String const& name, FileShare share);
    FileInputStream(FileInputStream const&) = delete;
    FileInputStream& operator=(FileInputStream const&) = delete;
    /// Calls close().
    ~FileInputStream() override;

    /// Reads up to \p count bytes; -1 at the end of the file, 0 for a
    /// \p count of 0.
    int read(unsigned char* bytes, int count) override;
    using InputStream::read;
    /// Moves the position and returns it. A position before the start
    /// throws IOException; one after the end is allowed (reads give -1).
    __int64 seek(__int64 offset, SeekOrigin origin) override;
    /// Closes the file; repeatable.
    void close() override;
    /// The file's size minus the position.
    __int64 available() const override;

    lang::String getFileName() const;

protected:
    /// Opens the file named at construction. Throws IOException "The file
    /// has been opened." when the stream is open already.
    virtual void open(FileShare share);
    /// Throws IOException "The file '<name>' has been closed." once closed.
    void checkClosed() const;

private:
    lang::String _fileName;
    void* _handle;
    __int64 _position;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_FILEINPUTSTREAM_H
