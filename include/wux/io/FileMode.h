//===- wux/io/FileMode.h - How a file stream opens its file -----*- C++ -*-===//
//
// FileMode tells FileOutputStream what to do when the file exists or not;
// FileShare tells both file streams what other openers may do with the file
// while the stream has it open.
//
//   FileOutputStream log(L"C:\\data\\app.log", Append, Read);   // others read
//   FileOutputStream out(L"C:\\data\\new.bin", CreateNew, None); // exclusive
//   FileInputStream in(L"C:\\data\\app.log", ReadWrite);
//
//   mode          file missing      file present
//   CreateNew     created           fails (FileOutputStream throws)
//   Create        created           emptied
//   Open          fails             opened
//   OpenOrCreate  created           opened
//   Truncate      fails             emptied
//   Append        created           opened, writing starts at the end
//
// A value outside the table opens an existing file (as Open) and shares
// nothing (as None).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_FILEMODE_H
#define WUX_IO_FILEMODE_H

namespace cpp {
namespace io {

enum FileMode : int {
    /// Creates the file; fails when it exists.
    CreateNew = 1,
    /// Creates the file, or empties it when it exists.
    Create = 2,
    /// Opens the file; fails when it is missing.
    Open = 3,
    /// Opens the file, creating it when it is missing.
    OpenOrCreate = 4,
    /// Opens the file and empties it; fails when it is missing.
    Truncate = 5,
    /// As OpenOrCreate, then moves to the end of the file.
    Append = 6
};

enum FileShare : int {
    /// Nobody else may open the file.
    None = 0,
    /// Others may open the file for reading.
    Read = 1,
    /// Others may open the file for writing.
    Write = 2,
    /// Others may open the file for reading and writing.
    ReadWrite = 3
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_FILEMODE_H
