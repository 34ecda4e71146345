// The default allocator against the runtime heap: a mix of live blocks of
// 8-512 bytes freed in random order, on one thread and on two.
#include "Harness.h"

#include <wux/lang/IAllocator.h>

#include <windows.h>

#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

namespace {

using cpp::lang::IAllocator;

// A fixed script of operations: which slot to replace and the new size.
struct Script {
    std::vector<unsigned int> slots;
    std::vector<unsigned int> sizes;
};

Script const& script() {
    static Script s = [] {
        Script r;
        std::mt19937 rng(12345);
        std::uniform_int_distribution<unsigned int> slot(0, 999), size(8, 512);
        for (int i = 0; i < 4096; ++i) {
            r.slots.push_back(slot(rng));
            r.sizes.push_back(size(rng));
        }
        return r;
    }();
    return s;
}

// Keeps 1000 blocks live; each step frees a random one and allocates a new
// block of a random size in its place.
template <class Alloc, class Free>
std::uint64_t churn(std::uint64_t iterations, Alloc alloc, Free release) {
    Script const& s = script();
    std::vector<void*> live(1000);
    for (std::size_t i = 0; i < live.size(); ++i)
        live[i] = alloc(s.sizes[i]);
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < iterations; ++i) {
        std::size_t k = static_cast<std::size_t>(i % s.slots.size());
        void*& slot = live[s.slots[k]];
        release(slot);
        slot = alloc(s.sizes[k]);
        *static_cast<unsigned char*>(slot) = static_cast<unsigned char>(i);
        check += reinterpret_cast<std::uintptr_t>(slot) & 0xFF;
    }
    for (void* p : live)
        release(p);
    return check;
}

std::uint64_t wuxChurn(std::uint64_t n) {
    IAllocator* a = IAllocator::getWUXAllocator();
    return churn(
        n, [a](unsigned int size) { return a->malloc(size); }, [a](void* p) { a->free(p); });
}

std::uint64_t crtChurn(std::uint64_t n) {
    return churn(
        n, [](unsigned int size) { return std::malloc(size); }, [](void* p) { std::free(p); });
}

std::uint64_t heapChurn(std::uint64_t n) {
    HANDLE heap = GetProcessHeap();
    return churn(
        n, [heap](unsigned int size) { return HeapAlloc(heap, 0, size); },
        [heap](void* p) { HeapFree(heap, 0, p); });
}

template <class Side> std::uint64_t onTwoThreads(Side side, std::uint64_t n) {
    std::uint64_t a = 0, b = 0;
    std::thread t([&] { a = side(n); });
    b = side(n);
    t.join();
    return a + b;
}

bench::Registrar mix{{"alloc_mix", "1000 live blocks, 8-512 bytes", "msvcrt malloc/free", 1.0 / 15,
                      wuxChurn, crtChurn}};
bench::Registrar mixHeap{{"alloc_mix_heap", "1000 live blocks, 8-512 bytes", "HeapAlloc/HeapFree",
                          1.0 / 15, wuxChurn, heapChurn}};
bench::Registrar twoThreads{{"alloc_2threads", "the same on two threads at once",
                             "msvcrt malloc, two threads", 1.0,
                             [](std::uint64_t n) { return onTwoThreads(wuxChurn, n); },
                             [](std::uint64_t n) { return onTwoThreads(crtChurn, n); }}};
// No collapse: two threads doing n steps each must take no longer than one
// thread doing all 2n steps (aggregate throughput at least the one-thread one).
bench::Registrar scaling{{"alloc_2threads_scale", "2 x n steps on 2 threads",
                          "wux, 2n steps on one thread", 1.0,
                          [](std::uint64_t n) { return onTwoThreads(wuxChurn, n); },
                          [](std::uint64_t n) { return wuxChurn(2 * n); }}};

} // namespace
