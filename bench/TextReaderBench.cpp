// Reading 64 MB of UTF-8 lines through StreamReader::readLine against
// ReadFile plus MultiByteToWideChar for each line.
#include "Harness.h"

#include <wux/io/StreamReader.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

unsigned int const FILE_BYTES = 64u << 20;

// 64 MB of lines of 20 to 120 bytes, mixed ASCII and two-byte UTF-8, CR LF.
std::wstring const& linesFile() {
    static std::wstring path = [] {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        std::wstring p = std::wstring(dir) + L"wux-bench-lines.txt";
        HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        std::string chunk;
        unsigned int seed = 1;
        while (chunk.size() < (1u << 20)) {
            seed = seed * 1103515245u + 12345u;
            unsigned int words = 3 + (seed >> 16) % 15;
            for (unsigned int w = 0; w < words; ++w)
                chunk += (w % 4 == 3) ? "gr\xC3\xBC\xC3\x9F"
                                        "e "
                                      : "word ";
            chunk += "\r\n";
        }
        for (unsigned int done = 0; done < FILE_BYTES;
             done += static_cast<unsigned int>(chunk.size())) {
            DWORD written = 0;
            WriteFile(h, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr);
        }
        CloseHandle(h);
        std::atexit([] { DeleteFileW(linesFile().c_str()); });
        return p;
    }();
    return path;
}

std::uint64_t wuxLines(std::uint64_t n) {
    std::uint64_t check = 0;
    for (std::uint64_t r = 0; r < n; ++r) {
        cpp::io::StreamReader reader(cpp::lang::String(linesFile().c_str()), cpp::text::UTF8);
        while (reader.hasMore())
            check += reader.readLine().getLength();
    }
    return check;
}

// The peer: 64 KiB blocks with ReadFile, each line found with memchr and
// converted with MultiByteToWideChar into a reused buffer.
std::uint64_t rawLines(std::uint64_t n) {
    std::uint64_t check = 0;
    std::vector<char> block(64u << 10);
    std::vector<wchar_t> line(1024);
    for (std::uint64_t r = 0; r < n; ++r) {
        HANDLE h = CreateFileW(linesFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        std::string carry;
        DWORD got = 0;
        auto emit = [&](char const* p, std::size_t len) {
            if (len > 0 && p[len - 1] == '\r')
                --len;
            int units = MultiByteToWideChar(CP_UTF8, 0, p, static_cast<int>(len), line.data(),
                                            static_cast<int>(line.size()));
            check += static_cast<std::uint64_t>(units);
        };
        while (ReadFile(h, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) &&
               got > 0) {
            char const* p = block.data();
            char const* end = p + got;
            while (p < end) {
                char const* lf = static_cast<char const*>(
                    std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                if (lf == nullptr) {
                    carry.append(p, end);
                    break;
                }
                if (!carry.empty()) {
                    carry.append(p, lf);
                    emit(carry.data(), carry.size());
                    carry.clear();
                } else {
                    emit(p, static_cast<std::size_t>(lf - p));
                }
                p = lf + 1;
            }
        }
        if (!carry.empty())
            emit(carry.data(), carry.size());
        CloseHandle(h);
    }
    return check;
}

bench::Registrar lines{{"text_reader_lines", "64 MB of UTF-8 lines, readLine",
                        "ReadFile + MultiByteToWideChar per line", 1.0, wuxLines, rawLines}};

} // namespace
