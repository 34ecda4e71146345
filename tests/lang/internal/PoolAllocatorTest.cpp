// The pooled default allocator's block rules, on private instances.
#include "lang/PoolAllocator.h"
#include "lang/OutOfMemory.h"
#include "wux/lang/OutOfMemoryException.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

namespace {

using cpp::lang::OutOfMemoryException;
using cpp::lang::PoolAllocator;

class PoolAllocatorTest : public ::testing::Test {
protected:
    PoolAllocatorTest() : pool(&cpp::lang::throwOutOfMemory) {}
    ~PoolAllocatorTest() override { pool.close(); }

    PoolAllocator pool;
};

struct GrossCase {
    char const* name;
    unsigned int request;
    unsigned int gross;
};

// Gross size = request + 4-byte header, rounded to 8 for small blocks (up to
// 512 gross bytes), unrounded above.
GrossCase const grossCases[] = {
    {"zero bytes: class 1, 4 usable", 0, 8}, {"four bytes still class 1", 4, 8},
    {"five bytes: class 2", 5, 16},          {"twenty bytes (an empty String)", 20, 24},
    {"largest small request", 508, 512},     {"smallest large request", 509, 513},
    {"large, unrounded", 1000, 1004},        {"very large", 1u << 20, (1u << 20) + 4},
};

TEST_F(PoolAllocatorTest, GrossSizeFollowsTheSizeClasses) {
    for (GrossCase const& c : grossCases) {
        void* p = pool.malloc(c.request);
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(PoolAllocator::grossSizeOf(p), c.gross) << c.name;
        std::memset(p, 0xAB, c.request);
        pool.free(p);
    }
}

TEST_F(PoolAllocatorTest, PayloadsAreEightByteAligned) {
    std::vector<void*> blocks;
    for (unsigned int n = 0; n < 700; n += 3)
        blocks.push_back(pool.malloc(n));
    for (void* p : blocks)
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 8, 0u);
    for (void* p : blocks)
        pool.free(p);
}

TEST_F(PoolAllocatorTest, FreedSmallBlockIsReusedFromItsClass) {
    void* a = pool.malloc(40);
    pool.free(a);
    void* b = pool.malloc(44); // same class: 48 gross bytes
    EXPECT_EQ(a, b);
    pool.free(b);
}

TEST_F(PoolAllocatorTest, RefillTakesTenBlocksInAddressOrder) {
    std::vector<char*> blocks;
    for (int i = 0; i < 10; ++i)
        blocks.push_back(static_cast<char*>(pool.malloc(60))); // class 8, 64 bytes
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(blocks[static_cast<size_t>(i)] - blocks[static_cast<size_t>(i) - 1], 64);
    for (char* p : blocks)
        pool.free(p);
}

// Every class-1 block is 8 bytes; a free-list link is pointer-sized. Writing
// the whole usable part of neighbours and freeing in between must never
// disturb a neighbour's bytes.
TEST_F(PoolAllocatorTest, FreeListLinksStayInsideTheirBlocks) {
    std::vector<unsigned char*> blocks;
    for (int i = 0; i < 30; ++i) {
        auto* p = static_cast<unsigned char*>(pool.malloc(4));
        std::memset(p, 0x5A, 4);
        blocks.push_back(p);
    }
    for (size_t i = 0; i < blocks.size(); i += 2)
        pool.free(blocks[i]);
    for (size_t i = 1; i < blocks.size(); i += 2) {
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ(blocks[i][b], 0x5A) << "block " << i;
        EXPECT_EQ(PoolAllocator::grossSizeOf(blocks[i]), 8u);
    }
    for (size_t i = 1; i < blocks.size(); i += 2)
        pool.free(blocks[i]);
}

TEST_F(PoolAllocatorTest, ReallocKeepsTheBlockWithinTheSameGrossSize) {
    void* small = pool.malloc(10); // gross 16
    EXPECT_EQ(pool.realloc(small, 12), small);
    EXPECT_EQ(pool.realloc(small, 5), small);

    void* large = pool.malloc(600); // gross 604
    EXPECT_EQ(pool.realloc(large, 600), large);
    pool.free(large);

    auto* p = static_cast<unsigned char*>(pool.realloc(small, 3)); // class 1 now
    EXPECT_NE(p, small);
    pool.free(p);
}

TEST_F(PoolAllocatorTest, ReallocCopiesOnlyTheOldUsableBytes) {
    auto* p = static_cast<unsigned char*>(pool.malloc(12)); // gross 16, 12 usable
    for (unsigned char i = 0; i < 12; ++i)
        p[i] = i;
    auto* q = static_cast<unsigned char*>(pool.realloc(p, 2000));
    ASSERT_NE(q, nullptr);
    for (unsigned char i = 0; i < 12; ++i)
        EXPECT_EQ(q[i], i);
    auto* r = static_cast<unsigned char*>(pool.realloc(q, 5));
    for (unsigned char i = 0; i < 5; ++i)
        EXPECT_EQ(r[i], i);
    pool.free(r);
}

TEST_F(PoolAllocatorTest, NullPointersAreValid) {
    pool.free(nullptr);
    void* p = pool.realloc(nullptr, 100);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(PoolAllocator::grossSizeOf(p), 104u);
    pool.free(p);
}

TEST_F(PoolAllocatorTest, CallocFillsWithTheLowByte) {
    auto* p = static_cast<unsigned char*>(pool.calloc(7, 9, 0x12C));
    for (int i = 0; i < 63; ++i)
        ASSERT_EQ(p[i], 0x2C) << i;
    pool.free(p);
}

TEST_F(PoolAllocatorTest, ImpossibleSizesThrowAndLeaveThePoolUsable) {
    EXPECT_THROW(pool.malloc(0xFFFFFFFFu), OutOfMemoryException);
    EXPECT_THROW(pool.malloc(0xFFFFFFFCu), OutOfMemoryException);
    EXPECT_THROW(pool.calloc(0x10000, 0x10000, 0), OutOfMemoryException);
    void* p = pool.malloc(16);
    EXPECT_THROW(pool.realloc(p, 0xFFFFFFFDu), OutOfMemoryException);
    EXPECT_EQ(PoolAllocator::grossSizeOf(p), 24u) << "the block survives a failed realloc";
    pool.free(p);
}

TEST_F(PoolAllocatorTest, LargeBlocksAreTrackedAndUnlinkedByAddress) {
    std::size_t before = pool.getRawBlockCount();
    void* a = pool.malloc(5000);
    void* b = pool.malloc(7000);
    EXPECT_EQ(pool.getRawBlockCount(), before + 2);
    pool.free(a);
    EXPECT_EQ(pool.getRawBlockCount(), before + 1);
    pool.free(b);
    EXPECT_EQ(pool.getRawBlockCount(), before);
}

TEST_F(PoolAllocatorTest, FirstChunkIsFourPagesAndLaterChunksGrow) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    EXPECT_EQ(pool.getHeapSize(), 0u);
    void* first = pool.malloc(8);
    EXPECT_EQ(pool.getHeapSize(), 4u * info.dwPageSize);

    // Exhaust the first chunk with class-64 blocks (512 bytes, ten a refill).
    std::vector<void*> blocks;
    while (pool.getHeapSize() == 4u * info.dwPageSize)
        blocks.push_back(pool.malloc(508));
    // The new chunk: 8 * (10 * 512) plus a sixteenth of the heap so far.
    std::size_t expected = 4u * info.dwPageSize + 8u * 10u * 512u + (4u * info.dwPageSize) / 16u;
    EXPECT_EQ(pool.getHeapSize(), expected);
    for (void* p : blocks)
        pool.free(p);
    pool.free(first);
}

TEST_F(PoolAllocatorTest, CloseReleasesEverythingAndTheNextRequestStartsAFreshChunk) {
    for (int i = 0; i < 100; ++i)
        pool.malloc(static_cast<unsigned int>(i * 13));
    pool.malloc(100000);
    EXPECT_GT(pool.getRawBlockCount(), 1u);
    pool.close();
    EXPECT_EQ(pool.getRawBlockCount(), 0u);
    EXPECT_EQ(pool.getHeapSize(), 0u);
    void* p = pool.malloc(30);
    EXPECT_EQ(pool.getRawBlockCount(), 1u);
    pool.free(p);
}

} // namespace
