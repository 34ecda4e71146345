// The two Path operations that ask the system: the current directory and the
// folder of the library's own module. Both read texts of any length: the
// buffer starts at MAX_PATH + 1 units and grows to what the system reports.
#include "wux/io/Path.h"

#include "io/IOError.h"
#include "lang/LibraryModule.h"

#include <windows.h>

#include <vector>

namespace cpp {
namespace io {

using lang::String;

namespace {

DWORD const FIRST_BUFFER_UNITS = MAX_PATH + 1;

// The longest name the system can report (UNICODE_STRING counts bytes in 16
// bits); a buffer this large always holds it.
DWORD const LARGEST_BUFFER_UNITS = 0x8000;

typedef DWORD(WINAPI* GetModuleFileNameExFn)(HANDLE, HMODULE, LPWSTR, DWORD);

// The file name of `module` through psapi's GetModuleFileNameExW; empty when
// psapi or the function is missing or the call fails. psapi is loaded for
// the call only.
String moduleFileNameFromPsapi(HMODULE module) {
    HMODULE psapi = LoadLibraryW(L"psapi.dll");
    if (psapi == nullptr)
        return String();
    String name;
    FARPROC proc = GetProcAddress(psapi, "GetModuleFileNameExW");
    if (proc != nullptr) {
        GetModuleFileNameExFn getName =
            reinterpret_cast<GetModuleFileNameExFn>(reinterpret_cast<void (*)()>(proc));
        // A truncated name comes back as a count near the buffer size (with
        // or without a terminator, depending on the system): only a count
        // that leaves room to spare is known to be complete.
        std::vector<wchar_t> buffer(FIRST_BUFFER_UNITS);
        for (;;) {
            DWORD size = static_cast<DWORD>(buffer.size());
            DWORD n = getName(GetCurrentProcess(), module, buffer.data(), size);
            if (n == 0)
                break;
            if (n + 1 < size || size >= LARGEST_BUFFER_UNITS) {
                name.assign(reinterpret_cast<unsigned short const*>(buffer.data()),
                            n < size ? n : size);
                break;
            }
            buffer.resize(static_cast<std::size_t>(size) * 2);
        }
    }
    FreeLibrary(psapi);
    return name;
}

// The file name of the program's executable. A failure throws the
// file-system exception of its error code.
String executableFileName() {
    std::vector<wchar_t> buffer(FIRST_BUFFER_UNITS);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (n == 0)
            throwIOError(GetLastError(), false, String::EMPTY);
        // A name that does not fit is cut to the buffer and reported with
        // the buffer's size.
        if (n < size || size >= LARGEST_BUFFER_UNITS)
            return String(reinterpret_cast<unsigned short const*>(buffer.data()),
                          n < size ? n : size);
        buffer.resize(static_cast<std::size_t>(size) * 2);
    }
}

} // namespace

String Path::getCurrentPath() {
    std::vector<wchar_t> buffer(FIRST_BUFFER_UNITS);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD n = GetCurrentDirectoryW(size, buffer.data());
        if (n == 0)
            throwIOError(GetLastError(), false, String::EMPTY);
        // Success gives the length; a buffer too small gives the units
        // needed, terminator included. The directory may change between two
        // calls, so ask again until it fits.
        if (n < size)
            return String(reinterpret_cast<unsigned short const*>(buffer.data()), n);
        buffer.resize(n);
    }
}

String Path::getCurrentModulePath() {
    HMODULE module = lang::libraryModule();
    if (module != nullptr) {
        String name = moduleFileNameFromPsapi(module);
        if (!name.isEmpty())
            return getDirectoryName(name);
    }
    return getDirectoryName(executableFileName());
}

} // namespace io
} // namespace cpp
