#include "io/FileStreamSupport.h"

#include "io/IOError.h"
#include "wux/io/IOException.h"
#include "wux/lang/String.h"

#include <windows.h>

namespace cpp {
namespace io {

using lang::String;

unsigned long creationDisposition(FileMode mode) {
    switch (mode) {
    case CreateNew:
        return CREATE_NEW;
    case Create:
        return CREATE_ALWAYS;
    case Open:
        return OPEN_EXISTING;
    case OpenOrCreate:
    case Append:
        return OPEN_ALWAYS;
    case Truncate:
        return TRUNCATE_EXISTING;
    }
    return OPEN_EXISTING;
}

unsigned long shareFlags(FileShare share) {
    switch (share) {
    case None:
        return 0;
    case Read:
        return FILE_SHARE_READ;
    case Write:
        return FILE_SHARE_WRITE;
    case ReadWrite:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
    return 0;
}

unsigned long moveMethod(SeekOrigin origin) {
    switch (origin) {
    case Begin:
        return FILE_BEGIN;
    case Current:
        return FILE_CURRENT;
    case End:
        return FILE_END;
    }
    return FILE_BEGIN;
}

__int64 seekFile(void* handle, __int64 offset, SeekOrigin origin, String const& name) {
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    position.QuadPart = 0;
    if (!SetFilePointerEx(handle, distance, &position, moveMethod(origin)))
        throwIOError(GetLastError(), true, name);
    return position.QuadPart;
}

void throwClosed(String const& name) {
    String message;
    message.format(L"The file '%s' has been closed.", name.getWCStr());
    throw IOException(message);
}

} // namespace io
} // namespace cpp
