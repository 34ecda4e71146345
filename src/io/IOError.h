//===- IOError.h - Win32 errors as file-system exceptions -------*- C++ -*-===//
//
// throwIOError is the one mapping from a Win32 error code to the library's
// file-system exceptions, used by every operation on files, directories,
// file streams and paths:
//
//   HANDLE h = CreateFileW(name.getWCStr(), ...);
//   if (h == INVALID_HANDLE_VALUE)
//       throwIOError(GetLastError(), true, name);  // error 2: FileNotFound...
//
//   error 2  FileNotFoundException      "IDS_CANNOT_FIND_FILE" (isFile) or
//                                       "IDS_CANNOT_FIND_DIR"
//   error 3  DirectoryNotFoundException "IDS_CANNOT_FIND_PATH"
//   error 5  IOException                "IDS_ACCESS_FILE_DENY" (isFile) or
//                                       "IDS_ACCESS_DIR_DENY"
//   other    IOException                the system's text for the code
//
// The keyed texts come from the library resource loader and are formatted
// with the name as their one %s argument; while there is no loader (or the
// text cannot be formatted) the message is empty, and a catalog text that
// takes other arguments than the name gives the key. Every exception carries
// error id 0.
//
// Read GetLastError() before any cleanup call (CloseHandle, FindClose, ...)
// that may change it, and pass the saved code.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_IOERROR_H
#define WUX_SRC_IO_IOERROR_H

namespace cpp {
namespace lang {
class String;
} // namespace lang

namespace io {

/// Throws the file-system exception for the Win32 \p errorCode about the
/// file (\p isFile) or directory \p name. Never returns.
[[noreturn]] void throwIOError(unsigned int errorCode, bool isFile, lang::String const& name);

} // namespace io
} // namespace cpp

#endif
