// File: creating, removing, copying, renaming and shrinking a file. Sizes
// and offsets are 64-bit throughout, so files beyond 4 GiB work.
#include "wux/io/File.h"

#include "io/IOError.h"
#include "wux/io/IOException.h"
#include "wux/io/Path.h"
#include "wux/lang/ArgumentException.h"

#include <windows.h>

namespace cpp {
namespace io {

using lang::ArgumentException;
using lang::IAllocator;
using lang::String;

namespace {

// True when `name` is usable as the new name of a file: not blank and a
// valid path. Units that no path may hold count as invalid too.
bool isUsableName(String const& name) {
    if (name.trim(' ').isEmpty())
        return false;
    try {
        return Path::isValidPath(name);
    } catch (ArgumentException const&) {
        return false;
    }
}

} // namespace

File::File(String const& name) : SystemFile(name) {}

File::File(IAllocator* allocator, String const& name) : SystemFile(allocator, name) {}

File::File(IAllocator* allocator, String const& name, bool isFullName)
    : SystemFile(allocator, name, isFullName) {}

File::File(File const& other) : SystemFile(other) {}

File& File::operator=(File const& other) {
    SystemFile::operator=(other);
    return *this;
}

File::~File() {}

bool File::exists() const {
    FileAttributes attributes = getFileAttrs();
    return attributes != FileAttrInvalid && (attributes & FileAttrDirectory) == 0;
}

String File::getName() const {
    return Path::getFileName(fullName());
}

__int64 File::getLength() const {
    return exists() ? getSize() : 0;
}

bool File::isReadonly() const {
    return exists() && (getFileAttrs() & FileAttrReadOnly) != 0;
}

void File::setReadonly(bool readonly) {
    unsigned int attributes = getFileAttrs();
    // A missing file has no bits to keep; the system reports it missing.
    if (attributes == FileAttrInvalid)
        attributes = 0;
    if (readonly)
        attributes |= FileAttrReadOnly;
    else
        attributes &= ~static_cast<unsigned int>(FileAttrReadOnly);
    // No bits at all is said as "normal".
    if (attributes == 0)
        attributes = FileAttrNormal;
    setFileAttrs(static_cast<int>(attributes));
}

void File::create() {
    HANDLE h = CreateFileW(fullName().getWCStr(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throwIOError(GetLastError(), true, fullName());
    CloseHandle(h);
    markStale();
}

void File::remove() {
    if (!DeleteFileW(fullName().getWCStr())) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            throwIOError(error, true, fullName());
    }
    markStale();
}

void File::copy(String const& destination, bool failIfExists) {
    if (!CopyFileW(fullName().getWCStr(), destination.getWCStr(), failIfExists ? TRUE : FALSE))
        throwIOError(GetLastError(), true, fullName());
}

void File::rename(String const& newName) {
    if (newName.isEmpty())
        throw ArgumentException(String("The new name of the file is empty."));
    if (!isUsableName(newName))
        throw ArgumentException(String("The new name of the file is invalid."));
    if (SystemFile::getFileAttrs(newName) != FileAttrInvalid) {
        String message;
        message.format(L"%s already exists.", newName.getWCStr());
        throw IOException(message);
    }
    if (!MoveFileW(fullName().getWCStr(), newName.getWCStr()))
        throwIOError(GetLastError(), true, fullName());
    setFullName(Path::makeFullPath(newName));
}

__int64 File::truncate(__int64 const& length) {
    if (!exists())
        return 0;
    __int64 size = getSize();
    if (size <= length)
        return size;
    HANDLE h = CreateFileW(fullName().getWCStr(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throwIOError(GetLastError(), true, fullName());
    LARGE_INTEGER target;
    target.QuadPart = length;
    if (!SetFilePointerEx(h, target, nullptr, FILE_BEGIN) || !SetEndOfFile(h)) {
        // The error of the failed call, before CloseHandle can replace it.
        DWORD error = GetLastError();
        CloseHandle(h);
        throwIOError(error, true, fullName());
    }
    CloseHandle(h);
    markStale();
    return length;
}

} // namespace io
} // namespace cpp
