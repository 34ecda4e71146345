// Reading a 64 MB file through the buffered file stream against a raw
// ReadFile loop with 64 KiB buffers.
#include "Harness.h"

#include <wux/io/BufferedInputStream.h>
#include <wux/io/FileInputStream.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

unsigned int const FILE_BYTES = 64u << 20;
unsigned int const BLOCK = 64u << 10;

// The test file, made once per run in the temporary folder and removed at
// exit.
std::wstring const& testFile() {
    static std::wstring path = [] {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        std::wstring p = std::wstring(dir) + L"wux-bench-64mb.bin";
        HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        std::vector<unsigned char> block(BLOCK);
        for (unsigned int i = 0; i < BLOCK; ++i)
            block[i] = static_cast<unsigned char>(i * 7 + 1);
        for (unsigned int done = 0; done < FILE_BYTES; done += BLOCK) {
            DWORD written = 0;
            WriteFile(h, block.data(), BLOCK, &written, nullptr);
        }
        CloseHandle(h);
        std::atexit([] { DeleteFileW(testFile().c_str()); });
        return p;
    }();
    return path;
}

std::uint64_t wuxRead(std::uint64_t n) {
    std::uint64_t check = 0;
    std::vector<unsigned char> block(BLOCK);
    for (std::uint64_t r = 0; r < n; ++r) {
        cpp::io::BufferedInputStream in(
            new cpp::io::FileInputStream(cpp::lang::String(testFile().c_str()),
                                         cpp::io::FileShare::Read),
            true);
        for (int got; (got = in.read(block.data(), static_cast<int>(BLOCK))) > 0;)
            check += static_cast<std::uint64_t>(got) + block[0];
    }
    return check;
}

std::uint64_t rawRead(std::uint64_t n) {
    std::uint64_t check = 0;
    std::vector<unsigned char> block(BLOCK);
    for (std::uint64_t r = 0; r < n; ++r) {
        HANDLE h = CreateFileW(testFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD got = 0;
        while (ReadFile(h, block.data(), BLOCK, &got, nullptr) && got > 0)
            check += got + block[0];
        CloseHandle(h);
    }
    return check;
}

bench::Registrar fileRead{{"file_read", "64 MB file, 64 KiB reads",
                           "raw ReadFile loop, 64 KiB buffers", 1.1, wuxRead, rawRead}};

} // namespace
