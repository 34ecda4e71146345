//===- FileTestSupport.h - Temporary folders and file helpers ---*- C++ -*-===//
//
// What the file, directory, file-stream and volume tests share: a temporary
// folder of their own that is removed with everything in it, raw Win32
// helpers that create and read files without the library (so a test never
// checks the library with itself), a guard that restores the current
// directory, a sparse-file maker for sizes beyond 4 GiB, and checks of the
// exact class and texts of an exception.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TESTS_IO_FILETESTSUPPORT_H
#define WUX_TESTS_IO_FILETESTSUPPORT_H

#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace wuxtest {

inline std::wstring text(cpp::lang::String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

inline cpp::lang::String str(std::wstring const& s) {
    return cpp::lang::String(s.c_str(), static_cast<unsigned int>(s.size()));
}

inline bool runningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Removes `path` and everything below it with plain Win32 calls: read-only
// bits are cleared first, and links (reparse points) are removed as links.
inline void removeAll(std::wstring const& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesW(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(path.c_str());
        return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        std::vector<std::wstring> children;
        WIN32_FIND_DATAW data;
        HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = data.cFileName;
                if (name != L"." && name != L"..")
                    children.push_back(path + L"\\" + name);
            } while (FindNextFileW(h, &data));
            FindClose(h);
        }
        for (std::wstring const& child : children)
            removeAll(child);
    }
    RemoveDirectoryW(path.c_str());
}

// A folder of the test's own under the system's temporary folder, removed
// with its contents when the object goes.
class TempFolder {
public:
    TempFolder() {
        wchar_t temp[MAX_PATH + 1];
        DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        std::wstring base(temp, n);
        if (!base.empty() && base.back() != L'\\')
            base += L'\\';
        static unsigned int counter = 0;
        for (;;) {
            _path = base + L"wux-io-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount());
            if (CreateDirectoryW(_path.c_str(), nullptr))
                break;
            if (GetLastError() != ERROR_ALREADY_EXISTS) {
                ADD_FAILURE() << "cannot create a temporary folder, error " << GetLastError();
                break;
            }
        }
    }
    TempFolder(TempFolder const&) = delete;
    TempFolder& operator=(TempFolder const&) = delete;
    ~TempFolder() { removeAll(_path); }

    std::wstring const& path() const { return _path; }
    /// The path of `name` inside the folder.
    std::wstring at(std::wstring const& name) const { return _path + L"\\" + name; }

private:
    std::wstring _path;
};

// Restores the current directory when it goes.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() {
        wchar_t buffer[MAX_PATH + 1];
        DWORD n = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
        _saved.assign(buffer, n);
    }
    CurrentDirectoryGuard(CurrentDirectoryGuard const&) = delete;
    CurrentDirectoryGuard& operator=(CurrentDirectoryGuard const&) = delete;
    ~CurrentDirectoryGuard() { SetCurrentDirectoryW(_saved.c_str()); }

private:
    std::wstring _saved;
};

inline void writeRawFile(std::wstring const& path, std::string const& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    DWORD written = 0;
    BOOL ok = bytes.empty() ||
              WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_TRUE(ok);
}

inline std::string readRawFile(std::wstring const& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char block[4096];
    DWORD got = 0;
    while (ReadFile(h, block, sizeof block, &got, nullptr) && got > 0)
        bytes.append(block, got);
    CloseHandle(h);
    return bytes;
}

/// The size of the file at `path` as the system reports it; -1 when missing.
inline __int64 rawFileSize(std::wstring const& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<__int64>((static_cast<unsigned __int64>(data.nFileSizeHigh) << 32) |
                                data.nFileSizeLow);
}

inline bool rawExists(std::wstring const& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Creates a sparse file of `size` bytes (zeros) with the ASCII `marker` at
// `markerOffset`. Sparse, so that a size beyond 4 GiB costs only the pages
// written. Returns false (with the reason) when the volume cannot hold it.
inline bool createSparseFile(std::wstring const& path, __int64 size, __int64 markerOffset,
                             std::string const& marker, std::string& reason) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        reason = "cannot create the file";
        return false;
    }
    DWORD returned = 0;
    if (!DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr)) {
        CloseHandle(h);
        reason = "the volume has no sparse files (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    LARGE_INTEGER at;
    at.QuadPart = size;
    bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    if (ok) {
        at.QuadPart = markerOffset;
        DWORD written = 0;
        ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) &&
             WriteFile(h, marker.data(), static_cast<DWORD>(marker.size()), &written, nullptr) &&
             written == marker.size();
    }
    if (!ok)
        reason = "the volume cannot hold the file (error " + std::to_string(GetLastError()) + ")";
    CloseHandle(h);
    return ok;
}

// Checks that `call` throws exactly the class E (not a subclass) with error
// id 0, and returns its message (empty when nothing or something else was
// thrown).
template <class E, class Call> std::wstring expectThrowsExactly(Call call) {
    try {
        call();
        ADD_FAILURE() << "no exception, expected " << typeid(E).name();
    } catch (E const& e) {
        EXPECT_EQ(typeid(e), typeid(E)) << "thrown: " << typeid(e).name();
        EXPECT_EQ(e.getErrorId(), 0);
        return text(e.getMessage());
    } catch (cpp::lang::Exception const& e) {
        ADD_FAILURE() << "thrown " << typeid(e).name() << ", expected " << typeid(E).name();
    }
    return std::wstring();
}

// Checks that `call` throws ArgumentException with exactly this message and
// argument name (an empty name: the message alone).
template <class Call>
void expectArgumentException(Call call, std::wstring const& message, std::wstring const& argName) {
    try {
        call();
        ADD_FAILURE() << "no exception";
    } catch (cpp::lang::ArgumentException const& e) {
        EXPECT_EQ(text(e.getArgumentName()), argName);
        std::wstring expected =
            argName.empty() ? message : L"Argument " + argName + L": " + message;
        EXPECT_EQ(text(e.getMessage()), expected);
    }
}

} // namespace wuxtest

#endif // WUX_TESTS_IO_FILETESTSUPPORT_H
