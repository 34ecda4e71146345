// FileOutputStream: unbuffered writes to a file through its Win32 handle,
// with 64-bit positions (SetFilePointerEx).
#include "wux/io/FileOutputStream.h"

#include "io/FileStreamSupport.h"
#include "io/IOError.h"
#include "wux/io/File.h"
#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"

#include <windows.h>

namespace cpp {
namespace io {

using lang::ArgumentException;
using lang::String;

FileOutputStream::FileOutputStream(File const& file, FileMode mode, FileShare share)
    : _fileName(file.getFullName()), _handle(INVALID_HANDLE_VALUE) {
    open(mode, share);
}

FileOutputStream::FileOutputStream(String const& name, FileMode mode, FileShare share)
    : _fileName(name), _handle(INVALID_HANDLE_VALUE) {
    if (name.isEmpty())
        throw ArgumentException(String("Tbe file name is empty."), String("fileName"));
    open(mode, share);
}

FileOutputStream::~FileOutputStream() {
    close();
}

void FileOutputStream::open(FileMode mode, FileShare share) {
    if (_handle != INVALID_HANDLE_VALUE)
        throw IOException(String("The file has been opened."));
    HANDLE h = CreateFileW(_fileName.getWCStr(), GENERIC_WRITE, shareFlags(share), nullptr,
                           creationDisposition(mode), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throwIOError(GetLastError(), true, _fileName);
    _handle = h;
    if (mode == Append) {
        try {
            seek(0, End);
        } catch (...) {
            close();
            throw;
        }
    }
}

void FileOutputStream::write(unsigned char const* bytes, unsigned int count) {
    checkClosed();
    if (bytes == nullptr)
        throw ArgumentException(String("The data buffer to write is null."), String("bytes"));
    if (count == 0)
        return;
    DWORD written = 0;
    if (!WriteFile(_handle, bytes, count, &written, nullptr))
        throwIOError(GetLastError(), true, _fileName);
}

__int64 FileOutputStream::seek(__int64 offset, SeekOrigin origin) {
    checkClosed();
    return seekFile(_handle, offset, origin, _fileName);
}

void FileOutputStream::flush() {
    checkClosed();
    if (!FlushFileBuffers(_handle))
        throwIOError(GetLastError(), true, _fileName);
}

void FileOutputStream::close() {
    if (_handle == INVALID_HANDLE_VALUE)
        return;
    try {
        flush();
    } catch (lang::Exception const&) {
        // Closing goes on: the handle must be released whatever the flush says.
    }
    CloseHandle(_handle);
    _handle = INVALID_HANDLE_VALUE;
}

__int64 FileOutputStream::getCurrentOffset() const {
    LARGE_INTEGER none;
    none.QuadPart = 0;
    LARGE_INTEGER position;
    if (_handle == INVALID_HANDLE_VALUE ||
        !SetFilePointerEx(_handle, none, &position, FILE_CURRENT))
        return -1;
    return position.QuadPart;
}

String FileOutputStream::getFileName() const {
    return _fileName;
}

void FileOutputStream::checkClosed() const {
    if (_handle == INVALID_HANDLE_VALUE)
        throwClosed(_fileName);
}

} // namespace io
} // namespace cpp
