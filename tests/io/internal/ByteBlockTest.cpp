// The growable block behind the buffered and chunked output streams: the
// exact capacities of its growth rule, sizes that cannot be held in 32 bits,
// and where its record comes from.
#include "io/ByteBlock.h"
#include "wux/lang/OutOfMemoryException.h"

#include "TestAllocator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using cpp::io::appendBytes;
using cpp::io::ByteBlock;
using cpp::io::createByteBlock;
using cpp::io::destroyByteBlock;
using cpp::io::truncateBytes;
using cpp::lang::OutOfMemoryException;
using wuxtest::TestAllocator;

struct GrowthCase {
    char const* name;
    unsigned int initial;
    std::vector<unsigned int> appends;
    std::vector<unsigned int> capacities; // after each append
};

GrowthCase const growthCases[] = {
    // The buffered output stream: a first block of exactly the first write.
    {"first_write_10_then_1", 10, {10, 1}, {10, 22}},
    {"fits_exactly_then_grows", 10, {10, 1, 11, 1}, {10, 22, 22, 46}},
    {"sized_block_16", 16, {16, 1}, {16, 34}},
    {"empty_first_write", 0, {0, 5}, {0, 10}},
    // The chunked stream: 1024 bytes at first.
    {"chunk_block_5000", 1024, {8, 5000}, {1024, 10016}},
    {"chunk_block_small_steps", 1024, {1000, 24, 1}, {1024, 1024, 2050}},
};

class ByteBlockGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(ByteBlockGrowth, GrowsToTwiceWhatItMustHold) {
    GrowthCase const& c = GetParam();
    TestAllocator alloc;
    ByteBlock* block = createByteBlock(&alloc, c.initial);
    EXPECT_EQ(c.initial, block->capacity);
    EXPECT_EQ(0u, block->size());
    std::vector<unsigned char> all;
    unsigned char next = 0;
    for (std::size_t i = 0; i < c.appends.size(); ++i) {
        std::vector<unsigned char> bytes(c.appends[i] + 1u);
        for (auto& b : bytes)
            b = next++;
        appendBytes(block, bytes.data(), c.appends[i]);
        all.insert(all.end(), bytes.data(), bytes.data() + c.appends[i]);
        EXPECT_EQ(c.capacities[i], block->capacity) << "after append " << i;
        ASSERT_EQ(all.size(), block->size());
    }
    EXPECT_TRUE(std::equal(all.begin(), all.end(), block->start));
    destroyByteBlock(&alloc, block);
    EXPECT_EQ(0u, alloc.liveBlocks());
}

INSTANTIATE_TEST_SUITE_P(Cases, ByteBlockGrowth, ::testing::ValuesIn(growthCases),
                         [](::testing::TestParamInfo<GrowthCase> const& p) {
                             return std::string(p.param.name);
                         });

TEST(ByteBlock, SizesBeyond32BitsAreRefusedAndChangeNothing) {
    TestAllocator alloc;
    ByteBlock* block = createByteBlock(&alloc, 16);
    unsigned char ten[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    appendBytes(block, ten, 10);
    unsigned char* start = block->start;
    // 10 pending + count must fit 32 bits; these do not.
    for (unsigned int count : {0xFFFFFFF6u, 0xFFFFFFFFu}) {
        EXPECT_THROW(appendBytes(block, ten, count), OutOfMemoryException) << count;
        EXPECT_EQ(start, block->start);
        EXPECT_EQ(16u, block->capacity);
        EXPECT_EQ(10u, block->size());
    }
    destroyByteBlock(&alloc, block);
}

TEST(ByteBlock, RecordComesFromTheAllocatorAndTruncateDropsTheTail) {
    TestAllocator alloc;
    ByteBlock* block = createByteBlock(&alloc, 8);
    EXPECT_TRUE(alloc.owns(block));
    EXPECT_EQ(std::vector<unsigned int>{sizeof(ByteBlock)}, alloc.requests());
    unsigned char bytes[6] = {1, 2, 3, 4, 5, 6};
    appendBytes(block, bytes, 6);
    truncateBytes(block, 2);
    EXPECT_EQ(2u, block->size());
    truncateBytes(block, 5);
    EXPECT_EQ(2u, block->size()) << "never lengthens";
    block->clear();
    EXPECT_EQ(0u, block->size());
    EXPECT_EQ(8u, block->capacity);
    destroyByteBlock(&alloc, block);
    destroyByteBlock(&alloc, nullptr);
    EXPECT_EQ(0u, alloc.liveBlocks());
}

TEST(ByteBlock, RefusedRecordLeavesNothingBehind) {
    TestAllocator alloc;
    alloc.failNext(1);
    EXPECT_THROW(createByteBlock(&alloc, 64), OutOfMemoryException);
    EXPECT_EQ(0u, alloc.liveBlocks());
}

} // namespace
