//===- MoImage.h - Catalog images built in memory ---------------*- C++ -*-===//
//
// What the catalog parser tests share: catalog images laid out as msgfmt
// lays them out (header, message-id table, translation table, then each
// string followed by a 0 byte), in either byte order, with helpers that read
// and overwrite their 32-bit fields; a page-guarded copy of an image, so
// that a read past its end faults at once; and the catalogs the build
// compiles with msgfmt beside the test program.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TESTS_UTIL_INTERNAL_MOIMAGE_H
#define WUX_TESTS_UTIL_INTERNAL_MOIMAGE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace motest {

// Offsets of the header fields.
std::size_t const COUNT = 8;
std::size_t const ID_TABLE = 12;
std::size_t const TEXT_TABLE = 16;

struct Entry {
    std::string id;
    std::string text;
};

inline void putWord(std::string& image, std::size_t at, std::uint32_t value,
                    bool bigEndian = false) {
    for (int i = 0; i < 4; ++i) {
        int shift = bigEndian ? 24 - 8 * i : 8 * i;
        image[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> shift) & 0xFF);
    }
}

inline std::uint32_t getWord(std::string const& image, std::size_t at, bool bigEndian = false) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        int shift = bigEndian ? 24 - 8 * i : 8 * i;
        value |= static_cast<std::uint32_t>(
                     static_cast<unsigned char>(image[at + static_cast<std::size_t>(i)]))
                 << shift;
    }
    return value;
}

// The offset of the (length, offset) pair of entry `i` of a table.
inline std::size_t idEntry(std::string const& image, std::size_t i, bool bigEndian = false) {
    return getWord(image, ID_TABLE, bigEndian) + 8 * i;
}
inline std::size_t textEntry(std::string const& image, std::size_t i, bool bigEndian = false) {
    return getWord(image, TEXT_TABLE, bigEndian) + 8 * i;
}

// A catalog image of `entries` in the given order; no hash table.
inline std::string buildImage(std::vector<Entry> const& entries, bool bigEndian = false) {
    std::uint32_t n = static_cast<std::uint32_t>(entries.size());
    std::string image(28 + 16 * static_cast<std::size_t>(n), '\0');
    putWord(image, 0, 0x950412DEu, bigEndian);
    putWord(image, COUNT, n, bigEndian);
    putWord(image, ID_TABLE, 28, bigEndian);
    putWord(image, TEXT_TABLE, 28 + 8 * n, bigEndian);
    putWord(image, 24, 28 + 16 * n, bigEndian);
    auto add = [&](std::size_t entry, std::string const& s) {
        putWord(image, entry, static_cast<std::uint32_t>(s.size()), bigEndian);
        putWord(image, entry + 4, static_cast<std::uint32_t>(image.size()), bigEndian);
        image += s;
        image += '\0';
    };
    for (std::uint32_t i = 0; i < n; ++i)
        add(28 + 8 * static_cast<std::size_t>(i), entries[i].id);
    for (std::uint32_t i = 0; i < n; ++i)
        add(28 + 8 * (static_cast<std::size_t>(n) + i), entries[i].text);
    return image;
}

// A copy of an image whose last byte is the last byte before a page that
// cannot be read: reading one byte too far faults.
class GuardedBytes {
public:
    explicit GuardedBytes(std::string const& bytes) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        std::size_t page = info.dwPageSize;
        std::size_t pages = (bytes.size() + page - 1) / page;
        _size = (pages + 1) * page;
        _base = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, _size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (_base == nullptr) {
            ADD_FAILURE() << "VirtualAlloc failed: " << GetLastError();
            return;
        }
        DWORD old = 0;
        if (!VirtualProtect(_base + pages * page, page, PAGE_NOACCESS, &old))
            ADD_FAILURE() << "VirtualProtect failed: " << GetLastError();
        _data = _base + pages * page - bytes.size();
        if (!bytes.empty())
            std::memcpy(_data, bytes.data(), bytes.size());
    }
    GuardedBytes(GuardedBytes const&) = delete;
    GuardedBytes& operator=(GuardedBytes const&) = delete;
    ~GuardedBytes() {
        if (_base != nullptr)
            VirtualFree(_base, 0, MEM_RELEASE);
    }

    unsigned char const* data() const { return _data; }

private:
    unsigned char* _base = nullptr;
    unsigned char* _data = nullptr;
    std::size_t _size = 0;
};

// The folder of the running test program, with a trailing backslash.
inline std::wstring programFolder() {
    wchar_t path[MAX_PATH + 1];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// The bytes of a file the build put beside the test program ("" when it is
// missing, after a test failure).
inline std::string builtFile(std::wstring const& relative) {
    std::wstring path = programFolder() + relative;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "missing build output (error " << GetLastError() << ")";
        return std::string();
    }
    std::string bytes;
    char block[4096];
    DWORD got = 0;
    while (ReadFile(h, block, sizeof block, &got, nullptr) && got > 0)
        bytes.append(block, got);
    CloseHandle(h);
    return bytes;
}

} // namespace motest

#endif // WUX_TESTS_UTIL_INTERNAL_MOIMAGE_H
