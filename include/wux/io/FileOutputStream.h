//===- wux/io/FileOutputStream.h - Writing a file ---------------*- C++ -*-===//
//
// FileOutputStream writes bytes to a file. It opens (or creates) the file
// when it is constructed, as its FileMode says, and keeps it open until
// close() or destruction. Every block write is one system write: wrap the
// stream in a BufferedOutputStream for small writes.
//
//   FileOutputStream out(L"C:\\data\\copy.bin", Create, None);  // exclusive
//   out.write(block, n);
//   out.write(0x0A);                       // one byte
//   out.seek(0, Begin);                    // overwrite the start
//   out.flush();                           // to the disk
//   out.close();                           // flushes, then closes
//
//   FileOutputStream log(L"C:\\data\\app.log", Append, Read);
//   log.getCurrentOffset();                // the old length of the file
//
// Positions are 64-bit: files larger than 4 GiB seek correctly. The name is
// used as given (a relative name is resolved by the system against the
// current directory).
//
// A mode the file's state refuses (CreateNew on an existing file, Open or
// Truncate on a missing one) throws from the constructor: IOException,
// FileNotFoundException or DirectoryNotFoundException. After close() every
// operation but close() and getCurrentOffset() throws IOException "The file
// '<name>' has been closed.".
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_FILEOUTPUTSTREAM_H
#define WUX_IO_FILEOUTPUTSTREAM_H

#include "wux/io/FileMode.h"
#include "wux/io/OutputStream.h"
#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace io {

class File;

class WUX_API FileOutputStream : public OutputStream {
public:
    /// Opens \p file (its full name) for writing as \p mode says; \p share:
    /// what others may do with the file meanwhile.
    FileOutputStream(File const& file, FileMode mode, FileShare share);
    /// Opens the file \p name for writing. An empty name throws
    /// ArgumentException "Tbe file name is empty." ("fileName").
    FileOutputStream(lang::String const& name, FileMode mode, FileShare share);
    FileOutputStream(FileOutputStream const&) = delete;
    FileOutputStream& operator=(FileOutputStream const&) = delete;
    /// Calls close().
    ~FileOutputStream() override;

    /// Writes the \p count bytes at \p bytes; a \p count of 0 writes nothing.
    void write(unsigned char const* bytes, unsigned int count) override;
    using OutputStream::write;
    /// Moves the position and returns it; beyond the end is allowed (the
    /// next write extends the file).
    __int64 seek(__int64 offset, SeekOrigin origin) override;
    /// Makes the system write its buffers of the file to the disk.
    void flush() override;
    /// Flushes (ignoring a failure), then closes the file; repeatable.
    void close() override;

    /// The current position; -1 when the stream is closed. Never throws.
    __int64 getCurrentOffset() const;
    lang::String getFileName() const;

protected:
    /// Opens the file named at construction. Throws IOException "The file
    /// has been opened." when the stream is open already.
    void open(FileMode mode, FileShare share);
    /// Throws IOException "The file '<name>' has been closed." once closed.
    void checkClosed() const;

private:
    lang::String _fileName;
    void* _handle;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_FILEOUTPUTSTREAM_H
