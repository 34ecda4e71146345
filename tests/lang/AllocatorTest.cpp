// The allocators through the public API: the library default allocator's
// block layout and size rules, the two stand-alone allocation policies with
// their out-of-memory handlers, and AllocatorAdapter for standard containers.
#include "wux/lang/AllocatorAdapter.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/HeapAllocTemplate.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/MallocAllocTemplate.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/String.h"

#include "TestAllocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <list>
#include <string>
#include <vector>

namespace {

using cpp::lang::AllocatorAdapter;
using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::HeapAllocTemplate;
using cpp::lang::IAllocator;
using cpp::lang::MallocAllocTemplate;
using cpp::lang::OutOfMemoryException;
using cpp::lang::String;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

// The gross block size the default allocator keeps in the 4 bytes before a
// block.
unsigned int headerOf(void const* p) {
    unsigned int gross;
    std::memcpy(&gross, static_cast<unsigned char const*>(p) - 4, sizeof gross);
    return gross;
}

void fill(void* p, unsigned int n, unsigned char seed) {
    auto* b = static_cast<unsigned char*>(p);
    for (unsigned int i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>(seed + i * 7);
}

// The index of the first byte that differs from fill(p, n, seed), or n.
unsigned int firstBadByte(void const* p, unsigned int n, unsigned char seed) {
    auto const* b = static_cast<unsigned char const*>(p);
    for (unsigned int i = 0; i < n; ++i)
        if (b[i] != static_cast<unsigned char>(seed + i * 7))
            return i;
    return n;
}

// ---------------------------------------------------------------------------
// The default allocator

class DefaultAllocator : public ::testing::Test {
protected:
    DefaultAllocator() : alloc(IAllocator::getWUXAllocator()) {}

    IAllocator* alloc;
};

TEST_F(DefaultAllocator, IsStableAndBehindEveryDefaultString) {
    ASSERT_NE(alloc, nullptr);
    EXPECT_EQ(IAllocator::getWUXAllocator(), alloc);
    EXPECT_EQ(String().getAllocator(), alloc);
    EXPECT_EQ(String("x", nullptr).getAllocator(), alloc);
    EXPECT_EQ(String::EMPTY.getAllocator(), alloc);
}

struct GrossCase {
    char const* name;
    unsigned int request;
    unsigned int gross;
};

// Request + 4-byte header, rounded up to 8 up to 512 gross bytes, unrounded
// above.
GrossCase const grossCases[] = {
    {"nothing: smallest class, 4 usable bytes", 0, 8},
    {"one byte", 1, 8},
    {"four bytes still fit the smallest class", 4, 8},
    {"five bytes: next class", 5, 16},
    {"an empty String's buffer", 20, 24},
    {"largest small request", 508, 512},
    {"smallest large request", 509, 513},
    {"large, odd size, not rounded", 1001, 1005},
    {"a megabyte", 1u << 20, (1u << 20) + 4},
};

TEST_F(DefaultAllocator, HeaderHoldsTheGrossSizeAndPayloadsAreAligned) {
    std::vector<void*> blocks;
    for (GrossCase const& c : grossCases) {
        void* p = alloc->malloc(c.request);
        ASSERT_NE(p, nullptr) << c.name;
        blocks.push_back(p);
        EXPECT_EQ(headerOf(p), c.gross) << c.name;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 8, 0u) << c.name;
        // The whole usable part may be written.
        fill(p, c.gross - 4, static_cast<unsigned char>(c.request));
    }
    // Writing each block left its neighbours' headers and bytes alone.
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        GrossCase const& c = grossCases[i];
        EXPECT_EQ(headerOf(blocks[i]), c.gross) << c.name;
        EXPECT_EQ(firstBadByte(blocks[i], c.gross - 4, static_cast<unsigned char>(c.request)),
                  c.gross - 4)
            << c.name;
    }
    for (void* p : blocks)
        alloc->free(p);
}

TEST_F(DefaultAllocator, ReallocWithinTheSameGrossSizeKeepsTheBlock) {
    struct {
        char const* name;
        unsigned int from;
        unsigned int to;
        bool same;
    } const cases[] = {
        {"small, same class, larger", 10, 12, true},
        {"small, same class, smaller", 12, 9, true},
        {"small, smaller class", 10, 4, false},
        {"small, larger class", 10, 13, false},
        {"largest small to a smaller request of its class", 508, 505, true},
        {"largest small to large", 508, 509, false},
        {"large, same size", 600, 600, true},
        {"large, one byte more", 600, 601, false},
        {"large, one byte less", 600, 599, false},
        {"smallest large to largest small", 509, 508, false},
    };
    for (auto const& c : cases) {
        void* p = alloc->malloc(c.from);
        fill(p, c.from, 0x31);
        void* q = alloc->realloc(p, c.to);
        ASSERT_NE(q, nullptr) << c.name;
        EXPECT_EQ(q == p, c.same) << c.name;
        unsigned int kept = c.from < c.to ? c.from : c.to;
        EXPECT_EQ(firstBadByte(q, kept, 0x31), kept) << c.name;
        unsigned int expectedGross = c.to + 4 > 512 ? c.to + 4 : (c.to + 4 + 7) / 8 * 8;
        if (!c.same) {
            EXPECT_EQ(headerOf(q), expectedGross) << c.name;
        }
        alloc->free(q);
    }
}

TEST_F(DefaultAllocator, GrowingCopiesTheOldUsableBytes) {
    // A 10-byte request gets a 16-byte block with 12 usable bytes: all 12
    // move along.
    void* p = alloc->malloc(10);
    fill(p, 12, 0x55);
    void* q = alloc->realloc(p, 3000);
    ASSERT_NE(q, p);
    EXPECT_EQ(headerOf(q), 3004u);
    EXPECT_EQ(firstBadByte(q, 12, 0x55), 12u);

    // Large to larger, then shrinking back to a small block.
    fill(q, 3000, 0x66);
    void* r = alloc->realloc(q, 70000);
    EXPECT_EQ(firstBadByte(r, 3000, 0x66), 3000u);
    void* s = alloc->realloc(r, 20);
    EXPECT_EQ(headerOf(s), 24u);
    EXPECT_EQ(firstBadByte(s, 20, 0x66), 20u);
    alloc->free(s);
}

TEST_F(DefaultAllocator, NullPointersAreValid) {
    alloc->free(nullptr);
    void* p = alloc->realloc(nullptr, 100);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(headerOf(p), 104u);
    alloc->free(p);
}

TEST_F(DefaultAllocator, CallocFillsEveryByteWithTheLowByteOfFill) {
    struct {
        char const* name;
        unsigned int count;
        unsigned int size;
        unsigned short fill;
        unsigned char expected;
    } const cases[] = {
        {"small, high byte ignored", 7, 9, 0x12C, 0x2C},
        {"large", 1000, 3, 0xFF, 0xFF},
        {"zero fill", 50, 10, 0xAB00, 0x00},
        {"nothing", 0, 5, 0x11, 0x11},
    };
    for (auto const& c : cases) {
        unsigned int n = c.count * c.size;
        auto* p = static_cast<unsigned char*>(alloc->calloc(c.count, c.size, c.fill));
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(headerOf(p), n + 4 > 512 ? n + 4 : (n + 4 + 7) / 8 * 8) << c.name;
        unsigned int bad = 0;
        for (unsigned int i = 0; i < n; ++i)
            bad += p[i] != c.expected ? 1u : 0u;
        EXPECT_EQ(bad, 0u) << c.name;
        alloc->free(p);
    }
}

// A byte count that does not fit 32 bits is refused rather than wrapped
// into a small block.
TEST_F(DefaultAllocator, ImpossibleSizesThrowOutOfMemory) {
    EXPECT_THROW(alloc->malloc(0xFFFFFFFFu), OutOfMemoryException);
    EXPECT_THROW(alloc->calloc(0x10000, 0x10000, 0), OutOfMemoryException);
    EXPECT_THROW(alloc->calloc(0x80000001u, 2, 0), OutOfMemoryException);
    EXPECT_THROW(alloc->calloc(3, 0x55555556u, 0), OutOfMemoryException);

    void* p = alloc->malloc(16);
    fill(p, 16, 0x42);
    EXPECT_THROW(alloc->realloc(p, 0xFFFFFFFFu), OutOfMemoryException);
    EXPECT_EQ(headerOf(p), 24u) << "the block survives a failed realloc";
    EXPECT_EQ(firstBadByte(p, 16, 0x42), 16u);
    alloc->free(p);

    // Still usable afterwards.
    void* q = alloc->malloc(100);
    EXPECT_EQ(headerOf(q), 104u);
    alloc->free(q);
}

TEST_F(DefaultAllocator, OutOfMemoryExceptionCarriesItsErrorId) {
    try {
        alloc->malloc(0xFFFFFFFFu);
        FAIL() << "nothing thrown";
    } catch (OutOfMemoryException const& e) {
        EXPECT_EQ(static_cast<unsigned int>(e.getErrorId()), 0x8007000Eu);
    }
}

// ---------------------------------------------------------------------------
// MallocAllocTemplate and HeapAllocTemplate

int handlerCalls = 0;
void countingHandler() {
    ++handlerCalls;
}
void otherHandler() {}

template <class Policy> void checkHandlerExchange() {
    Policy policy;
    EXPECT_EQ(policy.set_oom_handler(&countingHandler), nullptr) << "no handler at first";
    EXPECT_EQ(policy.set_oom_handler(&otherHandler), &countingHandler);
    EXPECT_EQ(policy.set_oom_handler(nullptr), &otherHandler);
    EXPECT_EQ(policy.set_oom_handler(nullptr), nullptr);
}

template <class Policy> void checkRoundTrip(Policy& policy) {
    void* p = policy.malloc(100);
    ASSERT_NE(p, nullptr);
    fill(p, 100, 0x10);
    void* q = policy.realloc(p, 100000);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(firstBadByte(q, 100, 0x10), 100u);
    fill(q, 100000, 0x20);
    void* r = policy.realloc(q, 50);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(firstBadByte(r, 50, 0x20), 50u);
    policy.free(r);
    policy.free(nullptr);
}

TEST(MallocAllocTemplate, SetOomHandlerReturnsThePreviousOne) {
    checkHandlerExchange<MallocAllocTemplate>();
}

TEST(MallocAllocTemplate, RoundTripKeepsTheData) {
    MallocAllocTemplate policy;
    checkRoundTrip(policy);
}

TEST(HeapAllocTemplate, SetOomHandlerReturnsThePreviousOne) {
    checkHandlerExchange<HeapAllocTemplate>();
}

TEST(HeapAllocTemplate, RoundTripKeepsTheData) {
    HeapAllocTemplate heap;
    checkRoundTrip(heap);
}

TEST(HeapAllocTemplate, CloseThenMallocUsesANewHeap) {
    HeapAllocTemplate heap;
    void* before = heap.malloc(64);
    ASSERT_NE(before, nullptr);
    heap.close();
    heap.close(); // repeatable
    checkRoundTrip(heap);
    heap.close();
    // realloc of nothing on a closed heap is a malloc on a new one.
    void* p = heap.realloc(nullptr, 32);
    ASSERT_NE(p, nullptr);
    fill(p, 32, 0x77);
    EXPECT_EQ(firstBadByte(p, 32, 0x77), 32u);
    heap.free(p);
}

// Whether a HeapAllocTemplate request of \p size fails on this system (with a
// handler set, so that the process survives the failure).
bool heapRequestFails(unsigned int size) {
    HeapAllocTemplate heap;
    heap.set_oom_handler(&countingHandler);
    void* p = heap.malloc(size);
    heap.free(p);
    return p == nullptr;
}

// On a 64-bit system even the largest 32-bit request may succeed; then only
// the success path can be checked.
TEST(HeapAllocTemplate, FailureCallsTheHandlerAndGivesNull) {
    HeapAllocTemplate heap;
    heap.set_oom_handler(&countingHandler);
    handlerCalls = 0;
    void* p = heap.malloc(0xFFFFFFF0u);
    if (p == nullptr) {
        EXPECT_EQ(handlerCalls, 1) << "called once, no retry";
    } else {
        EXPECT_EQ(handlerCalls, 0) << "the handler ran although the request succeeded";
        heap.free(p);
    }
    void* q = heap.malloc(16);
    EXPECT_NE(q, nullptr) << "the heap works after a large request";
    heap.free(q);
}

TEST(HeapAllocTemplateDeathTest, NoHandlerPrintsOutOfMemoryAndExits) {
    if (!heapRequestFails(0xFFFFFFF0u))
        GTEST_SKIP() << "no request fails reliably here: a private heap grants 0xFFFFFFF0 bytes "
                        "in a 64-bit process";
    EXPECT_EXIT(
        {
            HeapAllocTemplate heap;
            heap.malloc(0xFFFFFFF0u);
        },
        ::testing::ExitedWithCode(1), "Out of memory\\.");
}

void throwingHandler() {
    throw OutOfMemoryException();
}

// Whether a MallocAllocTemplate request of \p size fails on this system; the
// handler throws, which ends the retry loop.
bool runtimeRequestFails(unsigned int size) {
    MallocAllocTemplate policy;
    policy.set_oom_handler(&throwingHandler);
    try {
        void* p = policy.malloc(size);
        policy.free(p);
        return false;
    } catch (OutOfMemoryException const&) {
        return true;
    }
}

TEST(MallocAllocTemplateDeathTest, NoHandlerPrintsOutOfMemoryAndExits) {
    if (!runtimeRequestFails(0xFFFFFFFFu))
        GTEST_SKIP() << "no request fails reliably here: the runtime heap grants 0xFFFFFFFF bytes "
                        "in a 64-bit process";
    EXPECT_EXIT(
        {
            MallocAllocTemplate policy;
            policy.malloc(0xFFFFFFFFu);
        },
        ::testing::ExitedWithCode(1), "Out of memory\\.");
}

// A copy has a heap of its own: closing or destroying one instance leaves the
// other's blocks alone, and destroying both destroys two heaps, not one twice.
TEST(HeapAllocTemplate, CopiesHaveIndependentHeaps) {
    HeapAllocTemplate original;
    original.set_oom_handler(&countingHandler);
    void* a = original.malloc(256);
    fill(a, 256, 0x01);
    {
        HeapAllocTemplate copy(original);
        void* b = copy.malloc(256);
        fill(b, 256, 0x02);
        original.close();
        EXPECT_EQ(firstBadByte(b, 256, 0x02), 256u)
            << "the copy's block outlived the original's heap";
        EXPECT_EQ(copy.set_oom_handler(nullptr), &countingHandler) << "the handler is copied";
        copy.free(b);

        a = original.malloc(128);
        fill(a, 128, 0x03);
    }
    EXPECT_EQ(firstBadByte(a, 128, 0x03), 128u) << "the original's block outlived the copy";

    HeapAllocTemplate assigned;
    void* c = assigned.malloc(64);
    fill(c, 64, 0x04);
    assigned = original;
    EXPECT_EQ(assigned.set_oom_handler(nullptr), &countingHandler) << "the handler is assigned";
    EXPECT_EQ(firstBadByte(c, 64, 0x04), 64u) << "assignment keeps the target's heap";
    original.close();
    EXPECT_EQ(firstBadByte(c, 64, 0x04), 64u);
    assigned.free(c);
}

// ---------------------------------------------------------------------------
// AllocatorAdapter

TEST(AllocatorAdapter, NullAllocatorIsRefused) {
    try {
        AllocatorAdapter<int> adapter(nullptr);
        FAIL() << "nothing thrown";
    } catch (ArgumentException const& e) {
        EXPECT_EQ(text(e.Exception::getMessage()), L"The allocator pointer is null.");
        EXPECT_EQ(text(e.getArgumentName()), L"alloc");
        EXPECT_EQ(text(e.getMessage()), L"Argument alloc: The allocator pointer is null.");
    }
}

TEST(AllocatorAdapter, VectorTakesItsMemoryFromTheAllocator) {
    wuxtest::TestAllocator counting;
    {
        std::vector<int, AllocatorAdapter<int>> v{AllocatorAdapter<int>(&counting)};
        for (int i = 0; i < 1000; ++i)
            v.push_back(i);
        EXPECT_GT(counting.mallocCalls(), 0u);
        EXPECT_TRUE(counting.owns(v.data()));
        EXPECT_EQ(counting.liveBlocks(), 1u);
        // Each request is whole elements.
        for (unsigned int bytes : counting.requests())
            EXPECT_EQ(bytes % sizeof(int), 0u);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(v[static_cast<std::size_t>(i)], i);
    }
    EXPECT_EQ(counting.liveBlocks(), 0u);
    EXPECT_EQ(counting.foreignFrees(), 0u);
}

// A list allocates nodes, not ints: the adapter is rebound to the node type
// and still uses the same allocator.
TEST(AllocatorAdapter, ReboundAdapterUsesTheSameAllocator) {
    wuxtest::TestAllocator counting;
    {
        std::list<int, AllocatorAdapter<int>> l{AllocatorAdapter<int>(&counting)};
        for (int i = 0; i < 10; ++i)
            l.push_back(i);
        EXPECT_GE(counting.liveBlocks(), 10u);
    }
    EXPECT_EQ(counting.liveBlocks(), 0u);

    wuxtest::TestAllocator other;
    AllocatorAdapter<int> a(&counting);
    AllocatorAdapter<double> rebound(a);
    EXPECT_EQ(rebound.getAllocator(), &counting);
    EXPECT_TRUE(a == rebound);
    EXPECT_TRUE(a != AllocatorAdapter<int>(&other));
}

TEST(AllocatorAdapter, RequestBeyondThirtyTwoBitsThrowsWithoutCallingTheAllocator) {
    wuxtest::TestAllocator counting;
    AllocatorAdapter<int> adapter(&counting);
    EXPECT_THROW(adapter.allocate(0x40000000u), OutOfMemoryException);
    EXPECT_EQ(counting.mallocCalls(), 0u);
}

} // namespace
