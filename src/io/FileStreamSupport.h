//===- FileStreamSupport.h - What the two file streams share ----*- C++ -*-===//
//
// The translation of FileMode, FileShare and SeekOrigin into the values of
// CreateFileW and SetFilePointerEx, the 64-bit seek on a file handle, and the
// message of a closed file stream.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_FILESTREAMSUPPORT_H
#define WUX_SRC_IO_FILESTREAMSUPPORT_H

#include "wux/io/FileMode.h"
#include "wux/io/SeekOrigin.h"

#include <stddef.h> // __int64 on MinGW

namespace cpp {
namespace lang {
class String;
} // namespace lang

namespace io {

/// The creation disposition of CreateFileW for \p mode; OPEN_EXISTING for a
/// value outside the enumeration.
unsigned long creationDisposition(FileMode mode);
/// The share flags of CreateFileW for \p share; none for a value outside the
/// enumeration.
unsigned long shareFlags(FileShare share);
/// The move method of SetFilePointerEx for \p origin; FILE_BEGIN for a value
/// outside the enumeration.
unsigned long moveMethod(SeekOrigin origin);

/// Moves the file pointer of \p handle and returns the new 64-bit offset. A
/// failure throws the file-system exception of its error about \p name.
__int64 seekFile(void* handle, __int64 offset, SeekOrigin origin, lang::String const& name);

/// Throws IOException "The file '<name>' has been closed.".
[[noreturn]] void throwClosed(lang::String const& name);

} // namespace io
} // namespace cpp

#endif
