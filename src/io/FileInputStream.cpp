// FileInputStream: unbuffered reads of a file through its Win32 handle. The
// size and the position are 64-bit (GetFileSizeEx, SetFilePointerEx).
#include "wux/io/FileInputStream.h"

#include "io/FileStreamSupport.h"
#include "io/IOError.h"
#include "wux/io/File.h"
#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"

#include <windows.h>

namespace cpp {
namespace io {

using lang::ArgumentException;
using lang::String;

FileInputStream::FileInputStream(File const& file, FileShare share)
    : _fileName(file.getFullName()), _handle(INVALID_HANDLE_VALUE), _position(0) {
    open(share);
}

FileInputStream::FileInputStream(String const& name, FileShare share)
    : _fileName(name), _handle(INVALID_HANDLE_VALUE), _position(0) {
    if (name.isEmpty())
        throw ArgumentException(String("The file name is empty."), String("name"));
    open(share);
}

FileInputStream::~FileInputStream() {
    close();
}

void FileInputStream::open(FileShare share) {
    if (_handle != INVALID_HANDLE_VALUE)
        throw IOException(String("The file has been opened."));
    HANDLE h = CreateFileW(_fileName.getWCStr(), GENERIC_READ, shareFlags(share), nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throwIOError(GetLastError(), true, _fileName);
    _handle = h;
}

int FileInputStream::read(unsigned char* bytes, int count) {
    checkClosed();
    if (bytes == nullptr)
        throw ArgumentException(String("The buffer into which the data is read is null."),
                                String("bytes"));
    if (count <= 0)
        return 0;
    // ReadFile stops at the end of the file by itself, so the read gives
    // exactly min(count, available()) bytes without asking the file's size
    // first (one system call per read, not two); nothing read is the end of
    // the data.
    DWORD got = 0;
    if (!ReadFile(_handle, bytes, static_cast<DWORD>(count), &got, nullptr))
        throwIOError(GetLastError(), true, _fileName);
    _position += got;
    return got == 0 ? -1 : static_cast<int>(got);
}

__int64 FileInputStream::seek(__int64 offset, SeekOrigin origin) {
    checkClosed();
    _position = seekFile(_handle, offset, origin, _fileName);
    return _position;
}

void FileInputStream::close() {
    if (_handle == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(_handle);
    _handle = INVALID_HANDLE_VALUE;
}

__int64 FileInputStream::available() const {
    checkClosed();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(_handle, &size))
        throwIOError(GetLastError(), true, _fileName);
    return size.QuadPart - _position;
}

String FileInputStream::getFileName() const {
    return _fileName;
}

void FileInputStream::checkClosed() const {
    if (_handle == INVALID_HANDLE_VALUE)
        throwClosed(_fileName);
}

} // namespace io
} // namespace cpp
