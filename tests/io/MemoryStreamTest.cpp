// The stream base classes' default operations and the two memory streams:
// block and single-byte reads with their end-of-data answers, the seek rule
// with every origin (clamped at both ends, unknown origins ignored), growth
// of the default output stream by twice the write that did not fit, fixed
// caller buffers, zero-filled new memory, sizes beyond 32 bits, and the
// messages of closed streams and bad arguments.
#include "RecordingStreams.h"

#include "wux/io/EOFException.h"
#include "wux/io/IOException.h"
#include "wux/io/InputStream.h"
#include "wux/io/MemoryInputStream.h"
#include "wux/io/MemoryOutputStream.h"
#include "wux/io/OutputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/OutOfMemoryException.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

namespace {

using cpp::io::Begin;
using cpp::io::Current;
using cpp::io::End;
using cpp::io::EOFException;
using cpp::io::InputStream;
using cpp::io::IOException;
using cpp::io::MemoryInputStream;
using cpp::io::MemoryOutputStream;
using cpp::io::OutputStream;
using cpp::io::SeekOrigin;
using cpp::lang::ArgumentException;
using cpp::lang::OutOfMemoryException;
using wuxtest::Bytes;
using wuxtest::throwsExactly;

__int64 const INT64_MAXV = std::numeric_limits<__int64>::max();
__int64 const INT64_MINV = std::numeric_limits<__int64>::min();
char const* const CLOSED = "The memory stream has been closed.";

Bytes sequence(std::size_t n, unsigned char first = 1) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>(first + i);
    return b;
}

//===-- The base classes ---------------------------------------------------===//

// An input stream that only has a block read, answering with a fixed result
// and byte, and remembering the count it was asked for.
class ScriptedInput : public InputStream {
public:
    ScriptedInput(int result, unsigned char byte) : _result(result), _byte(byte) {}
    int read(unsigned char* bytes, int count) override {
        asked = count;
        if (_result > 0)
            bytes[0] = _byte;
        return _result;
    }
    using InputStream::read;
    __int64 seek(__int64, SeekOrigin) override { return 0; }
    int asked = 0;

private:
    int _result;
    unsigned char _byte;
};

struct SingleReadCase {
    char const* name;
    int blockResult;
    unsigned char byte;
    int expected;
};

SingleReadCase const singleReadCases[] = {
    {"byte_0x41", 1, 0x41, 0x41},
    {"byte_0x00_is_a_byte", 1, 0x00, 0},
    {"byte_0xFF_is_255_not_minus_one", 1, 0xFF, 255},
    {"end_of_data", -1, 0, -1},
    {"zero_bytes_read_means_end", 0, 0, -1},
    {"other_negative_result", -7, 0, -1},
};

class InputStreamSingleRead : public ::testing::TestWithParam<SingleReadCase> {};

TEST_P(InputStreamSingleRead, GoesThroughOneByteBlockRead) {
    SingleReadCase const& c = GetParam();
    ScriptedInput in(c.blockResult, c.byte);
    EXPECT_EQ(c.expected, in.read());
    EXPECT_EQ(1, in.asked);
}

INSTANTIATE_TEST_SUITE_P(Cases, InputStreamSingleRead, ::testing::ValuesIn(singleReadCases),
                         wuxtest::CaseName());

// An output stream that only has a block write.
class CollectingOutput : public OutputStream {
public:
    void write(unsigned char const* bytes, unsigned int count) override {
        counts.push_back(count);
        data.insert(data.end(), bytes, bytes + count);
    }
    using OutputStream::write;
    __int64 seek(__int64, SeekOrigin) override { return 0; }
    std::vector<unsigned int> counts;
    Bytes data;
};

TEST(OutputStreamBase, WriteIntSendsTheLowEightBitsAsOneByte) {
    struct Case {
        int value;
        unsigned char byte;
    } const cases[] = {{0x41, 0x41}, {0x1FF, 0xFF}, {-1, 0xFF}, {256, 0x00}, {0x12345678, 0x78}};
    for (auto const& c : cases) {
        CollectingOutput out;
        out.write(c.value);
        EXPECT_EQ(std::vector<unsigned int>{1}, out.counts) << c.value;
        EXPECT_EQ(Bytes{c.byte}, out.data) << c.value;
    }
}

TEST(StreamBases, DefaultOperationsDoNothing) {
    ScriptedInput in(-1, 0);
    EXPECT_EQ(0, in.available());
    in.close();
    in.close();
    CollectingOutput out;
    out.flush();
    out.close();
    EXPECT_EQ(nullptr, out.getBuffer());
    EXPECT_TRUE(out.counts.empty());
}

//===-- MemoryInputStream --------------------------------------------------===//

TEST(MemoryInputStream, NullBufferIsRefused) {
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { MemoryInputStream in(nullptr, 4, false); },
                                                 "The input buffer is null.", "buf"));
}

TEST(MemoryInputStream, BlockReadsReturnWhatIsLeftThenMinusOne) {
    Bytes data = sequence(6);
    MemoryInputStream in(data.data(), 6, false);
    unsigned char block[8] = {};
    ASSERT_EQ(4, in.read(block, 4));
    EXPECT_EQ(wuxtest::hex(data.data(), 4), wuxtest::hex(block, 4));
    EXPECT_EQ(2, in.available());
    ASSERT_EQ(2, in.read(block, 4));
    EXPECT_EQ("05 06", wuxtest::hex(block, 2));
    EXPECT_EQ(0, in.available());
    EXPECT_EQ(-1, in.read(block, 4));
    EXPECT_EQ(0, in.read(block, 0)) << "a 0-byte request answers 0 even at the end";
    EXPECT_EQ(-1, in.read());
}

TEST(MemoryInputStream, ZeroByteRequestMidwayReadsNothing) {
    Bytes data = sequence(3);
    MemoryInputStream in(data.data(), 3, false);
    unsigned char block[4];
    EXPECT_EQ(0, in.read(block, 0));
    EXPECT_EQ(3, in.available());
}

TEST(MemoryInputStream, SingleByteReadsGiveZeroTo255) {
    Bytes data = {0x00, 0x7F, 0x80, 0xFF};
    MemoryInputStream in(data.data(), 4, false);
    EXPECT_EQ(0x00, in.read());
    EXPECT_EQ(0x7F, in.read());
    EXPECT_EQ(0x80, in.read());
    EXPECT_EQ(0xFF, in.read());
    EXPECT_EQ(-1, in.read());
    EXPECT_EQ(-1, in.read());
}

TEST(MemoryInputStream, EmptyBlockIsAtItsEnd) {
    unsigned char none[1] = {0};
    MemoryInputStream in(none, 0, false);
    unsigned char block[1];
    EXPECT_EQ(-1, in.read(block, 1));
    EXPECT_EQ(-1, in.read());
    EXPECT_EQ(0, in.available());
    EXPECT_EQ(0, in.seek(5, Begin));
}

TEST(MemoryInputStream, NullDestinationIsRefused) {
    Bytes data = sequence(3);
    MemoryInputStream in(data.data(), 3, false);
    for (int count : {0, 1}) {
        EXPECT_TRUE(throwsExactly<ArgumentException>(
            [&] { in.read(nullptr, count); }, "The buffer into which the data is read is null.",
            "bytes"))
            << count;
    }
    EXPECT_EQ(3, in.available());
}

TEST(MemoryInputStream, GetBufferIsTheCallersBlock) {
    Bytes data = sequence(3);
    MemoryInputStream in(data.data(), 3, false);
    EXPECT_EQ(data.data(), in.getBuffer());
}

// The seek rule of both memory streams, from position 4 with bound 10.
struct SeekCase {
    char const* name;
    __int64 offset;
    int origin;
    __int64 expected;
};

SeekCase const seekCases[] = {
    {"begin_negative", -5, Begin, 0},
    {"begin_zero", 0, Begin, 0},
    {"begin_inside", 7, Begin, 7},
    {"begin_at_bound", 10, Begin, 10},
    {"begin_past_bound", 11, Begin, 10},
    {"begin_huge", INT64_MAXV, Begin, 10},
    {"begin_most_negative", INT64_MINV, Begin, 0},
    {"current_forward", 3, Current, 7},
    {"current_zero", 0, Current, 4},
    {"current_back_to_start", -4, Current, 0},
    {"current_before_start", -5, Current, 0},
    {"current_to_bound", 6, Current, 10},
    {"current_past_bound", 100, Current, 10},
    {"current_huge", INT64_MAXV, Current, 10},
    {"current_most_negative", INT64_MINV, Current, 0},
    {"end_zero", 0, End, 10},
    {"end_positive", 10, End, 10},
    {"end_back_three", -3, End, 7},
    {"end_back_to_start", -10, End, 0},
    {"end_before_start", -11, End, 0},
    {"end_most_negative", INT64_MINV, End, 0},
    {"unknown_origin_3", 2, 3, 4},
    {"unknown_origin_negative", 2, -1, 4},
};

class MemorySeek : public ::testing::TestWithParam<SeekCase> {};

TEST_P(MemorySeek, InputStreamClampsIntoTheLength) {
    SeekCase const& c = GetParam();
    Bytes data = sequence(10, 0x30);
    MemoryInputStream in(data.data(), 10, false);
    ASSERT_EQ(4, in.seek(4, Begin));
    EXPECT_EQ(c.expected, in.seek(c.offset, static_cast<SeekOrigin>(c.origin)));
    EXPECT_EQ(10 - c.expected, in.available());
    int const next = c.expected < 10 ? 0x30 + static_cast<int>(c.expected) : -1;
    EXPECT_EQ(next, in.read()) << "the next byte comes from the new position";
}

TEST_P(MemorySeek, OutputStreamClampsIntoTheCapacity) {
    SeekCase const& c = GetParam();
    unsigned char fixed[10] = {};
    MemoryOutputStream out(fixed, 10, false);
    ASSERT_EQ(4, out.seek(4, Begin));
    EXPECT_EQ(c.expected, out.seek(c.offset, static_cast<SeekOrigin>(c.origin)));
    EXPECT_EQ(static_cast<unsigned int>(c.expected), out.getLength());
}

INSTANTIATE_TEST_SUITE_P(Cases, MemorySeek, ::testing::ValuesIn(seekCases), wuxtest::CaseName());

TEST(MemoryInputStream, ClosedStreamRefusesEverythingButClose) {
    Bytes data = sequence(4);
    MemoryInputStream in(data.data(), 4, false);
    in.close();
    unsigned char block[4];
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.read(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.read(block, 4); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.read(block, 0); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.available(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.getBuffer(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.seek(0, Begin); }, CLOSED));
    in.close();
}

//===-- MemoryOutputStream -------------------------------------------------===//

TEST(MemoryOutputStream, DefaultStreamStartsWith2048Bytes) {
    MemoryOutputStream out;
    EXPECT_EQ(2048u, out.getCapacity());
    EXPECT_EQ(0u, out.getLength());
    ASSERT_NE(nullptr, out.getBuffer());
}

struct GrowthCase {
    char const* name;
    std::vector<unsigned int> writes; // sizes of consecutive writes
    unsigned int capacity;            // capacity afterwards
};

GrowthCase const growthCases[] = {
    {"exactly_2048_does_not_grow", {2048}, 2048},                 // fits
    {"one_byte_over_doubles", {2048, 1}, 4096},                   // 2 * 1 < 2048
    {"5000_at_once_adds_10000", {5000}, 12048},                   // + 2 * 5000
    {"small_then_large", {100, 2000}, 2048 + 4000},               // + 2 * 2000
    {"small_writes_double_each_time", {2048, 1, 2047, 1}, 8192},  // 4096, then 8192
    {"large_after_doubling", {2048, 1, 5000}, 4096 + 10000},      // + 2 * 5000
    {"write_that_fits_after_growth", {2048, 1, 2, 3}, 4096},      // 2 and 3 fit
};

class MemoryOutputGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(MemoryOutputGrowth, AddsTwiceTheWriteOrDoubles) {
    GrowthCase const& c = GetParam();
    MemoryOutputStream out;
    Bytes all;
    unsigned char next = 1;
    for (unsigned int n : c.writes) {
        Bytes chunk(n);
        for (auto& b : chunk)
            b = next++;
        out.write(chunk.data(), n);
        all.insert(all.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(c.capacity, out.getCapacity());
    ASSERT_EQ(all.size(), out.getLength());
    EXPECT_EQ(0, std::memcmp(all.data(), out.getBuffer(), all.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryOutputGrowth, ::testing::ValuesIn(growthCases),
                         wuxtest::CaseName());

TEST(MemoryOutputStream, GrowthKeepsOnlyTheBytesBeforeThePosition) {
    MemoryOutputStream out;
    Bytes first = sequence(10);
    out.write(first.data(), 10);
    out.seek(4, Begin);
    {
        // Leave dirty memory of the size the block will grow to, where the
        // heap may hand it out again.
        Bytes dirt(8048, 0xCD);
        ASSERT_EQ(0xCD, dirt.back());
    }
    Bytes big(3000, 0xAB);
    out.write(big.data(), 3000);
    EXPECT_EQ(2048u + 6000u, out.getCapacity());
    EXPECT_EQ(3004u, out.getLength());
    unsigned char const* p = out.getBuffer();
    EXPECT_EQ("01 02 03 04", wuxtest::hex(p, 4));
    // What lies beyond the data in the new block is zeros, not stale bytes.
    out.seek(0, End);
    EXPECT_EQ(8048u, out.getLength());
    p = out.getBuffer();
    for (unsigned int i = 3004; i < 8048; ++i)
        ASSERT_EQ(0, p[i]) << "byte " << i;
}

TEST(MemoryOutputStream, SeekingPastTheDataShowsZeros) {
    MemoryOutputStream out;
    Bytes data = sequence(3, 0xF0);
    out.write(data.data(), 3);
    EXPECT_EQ(100, out.seek(100, Begin));
    EXPECT_EQ(100u, out.getLength());
    unsigned char const* p = out.getBuffer();
    EXPECT_EQ("F0 F1 F2", wuxtest::hex(p, 3));
    for (unsigned int i = 3; i < 100; ++i)
        ASSERT_EQ(0, p[i]) << "byte " << i;
}

TEST(MemoryOutputStream, SeekingBackAndWritingCutsTheLength) {
    MemoryOutputStream out;
    Bytes data = sequence(10);
    out.write(data.data(), 10);
    EXPECT_EQ(4, out.seek(4, Begin));
    Bytes two = {0xAA, 0xBB};
    out.write(two.data(), 2);
    EXPECT_EQ(6u, out.getLength());
    EXPECT_EQ("01 02 03 04 AA BB", wuxtest::hex(out.getBuffer(), 6));
}

TEST(MemoryOutputStream, WriteIntWritesTheLowByte) {
    MemoryOutputStream out;
    out.write(0x1FF);
    out.write(-2);
    EXPECT_EQ(2u, out.getLength());
    EXPECT_EQ("FF FE", wuxtest::hex(out.getBuffer(), 2));
}

TEST(MemoryOutputStream, CallersBlockTakesExactlyItsSize) {
    unsigned char fixed[16];
    std::memset(fixed, 0xEE, sizeof fixed);
    MemoryOutputStream out(fixed, 16, false);
    EXPECT_EQ(fixed, out.getBuffer());
    EXPECT_EQ(16u, out.getCapacity());
    Bytes data = sequence(16);
    out.write(data.data(), 16);
    EXPECT_EQ(16u, out.getLength());
    EXPECT_TRUE(
        throwsExactly<EOFException>([&] { out.write(0x99); }, "Have reached the end of file."));
    EXPECT_EQ(16u, out.getLength());
    EXPECT_EQ(16u, out.getCapacity());
    EXPECT_EQ(0, std::memcmp(fixed, data.data(), 16)) << "the first 16 bytes stay intact";
}

TEST(MemoryOutputStream, WriteThatDoesNotFitTheCallersBlockChangesNothing) {
    unsigned char fixed[16] = {};
    MemoryOutputStream out(fixed, 16, false);
    Bytes first = sequence(14);
    out.write(first.data(), 14);
    Bytes five(5, 0x77);
    EXPECT_TRUE(throwsExactly<EOFException>([&] { out.write(five.data(), 5); },
                                            "Have reached the end of file."));
    EXPECT_EQ(14u, out.getLength());
    EXPECT_EQ(0, fixed[14]);
    EXPECT_EQ(0, fixed[15]);
    Bytes two(2, 0x55);
    out.write(two.data(), 2);
    EXPECT_EQ(16u, out.getLength());
}

TEST(MemoryOutputStream, CapacityBeyond32BitsIsRefusedAndChangesNothing) {
    // 2048 + 2 * count must fit 32 bits; none of these can, and the stream
    // must not try to allocate (or wrap around to a small block).
    unsigned int const counts[] = {0x7FFFFC00u, 0x80000000u, 0xFFFFFFFFu};
    for (unsigned int count : counts) {
        MemoryOutputStream out;
        Bytes data = sequence(100);
        out.write(data.data(), 100);
        unsigned char const* before = out.getBuffer();
        unsigned char dummy = 0;
        EXPECT_TRUE(throwsExactly<OutOfMemoryException>([&] { out.write(&dummy, count); }, ""))
            << count;
        EXPECT_EQ(100u, out.getLength());
        EXPECT_EQ(2048u, out.getCapacity());
        EXPECT_EQ(before, out.getBuffer());
        EXPECT_EQ(0, std::memcmp(data.data(), out.getBuffer(), 100));
    }
}

TEST(MemoryOutputStream, NullArgumentsAreRefused) {
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { MemoryOutputStream out(nullptr, 16, false); },
                                                 "The output buffer is null.", "buf"));
    MemoryOutputStream out;
    for (unsigned int count : {0u, 4u}) {
        EXPECT_TRUE(throwsExactly<ArgumentException>([&] { out.write(nullptr, count); },
                                                     "The data buffer to write is null.", "bytes"))
            << count;
    }
    EXPECT_EQ(0u, out.getLength());
}

TEST(MemoryOutputStream, ClosedStreamRefusesAllButSeekAndClose) {
    MemoryOutputStream out;
    Bytes data = sequence(8);
    out.write(data.data(), 8);
    out.close();
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.getBuffer(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.getLength(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.getCapacity(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.write(data.data(), 1); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.write(1); }, CLOSED));
    EXPECT_EQ(3, out.seek(3, Begin)) << "seek has no closed check";
    EXPECT_EQ(2048, out.seek(0, End));
    out.flush();
    out.close();
}

} // namespace
