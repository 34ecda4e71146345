// Typed big-endian values through the data streams against a hand-written
// byte-swap loop.
#include "Harness.h"

#include <wux/io/BufferedOutputStream.h>
#include <wux/io/DataInputStream.h>
#include <wux/io/DataOutputStream.h>
#include <wux/io/MemoryInputStream.h>
#include <wux/io/MemoryOutputStream.h>

#include <cstdint>
#include <vector>

namespace {

using namespace cpp::io;

unsigned int const INTS = 10u * 1000u * 1000u;

// n rounds of writing INTS / 10 ints to memory and reading them back.
std::uint64_t wuxInts(std::uint64_t n) {
    unsigned int const count = INTS / 10;
    std::uint64_t check = 0;
    for (std::uint64_t r = 0; r < n; ++r) {
        MemoryOutputStream mem;
        {
            DataOutputStream out(&mem, false);
            for (unsigned int i = 0; i < count; ++i)
                out.writeInt(static_cast<int>(i * 2654435761u));
            // Read the bytes where they are, before closing the writer
            // closes the memory stream.
            DataInputStream in(new MemoryInputStream(mem.getBuffer(), mem.getLength(), false),
                               true);
            for (unsigned int i = 0; i < count; ++i)
                check += static_cast<unsigned int>(in.readInt());
        }
    }
    return check;
}

std::uint64_t handInts(std::uint64_t n) {
    unsigned int const count = INTS / 10;
    std::uint64_t check = 0;
    for (std::uint64_t r = 0; r < n; ++r) {
        std::vector<std::uint8_t> bytes;
        for (unsigned int i = 0; i < count; ++i) {
            unsigned int v = i * 2654435761u;
            bytes.push_back(static_cast<std::uint8_t>(v >> 24));
            bytes.push_back(static_cast<std::uint8_t>(v >> 16));
            bytes.push_back(static_cast<std::uint8_t>(v >> 8));
            bytes.push_back(static_cast<std::uint8_t>(v));
        }
        for (unsigned int i = 0; i < count; ++i) {
            std::uint8_t const* p = &bytes[4 * i];
            check += (static_cast<unsigned int>(p[0]) << 24) |
                     (static_cast<unsigned int>(p[1]) << 16) |
                     (static_cast<unsigned int>(p[2]) << 8) | p[3];
        }
    }
    return check;
}

bench::Registrar ints{{"data_stream_ints", "1 M big-endian ints to memory and back",
                       "byte-swap loop over std::vector", 2.0, wuxInts, handInts}};

} // namespace
