// The buffered streams over recording streams that show what reaches the
// wrapped stream and when: the input buffer's size rules, block reads that
// loop while the wrapped stream has data, reads that bypass the buffer,
// seeks inside and outside the buffer; the output side's single write per
// flush, its growing block, failed flushes that keep the data; and every
// combination of ownership and auto close, constructor failures and closed
// streams.
#include "RecordingStreams.h"

#include "wux/io/BufferedInputStream.h"
#include "wux/io/BufferedOutputStream.h"
#include "wux/io/IOException.h"
#include "wux/io/MemoryInputStream.h"
#include "wux/io/MemoryOutputStream.h"
#include "wux/lang/ArgumentException.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using cpp::io::Begin;
using cpp::io::BufferedInputStream;
using cpp::io::BufferedOutputStream;
using cpp::io::Current;
using cpp::io::End;
using cpp::io::IOException;
using cpp::io::MemoryInputStream;
using cpp::io::MemoryOutputStream;
using cpp::io::SeekOrigin;
using cpp::lang::ArgumentException;
using wuxtest::Bytes;
using wuxtest::CallLog;
using wuxtest::RecordingInputStream;
using wuxtest::RecordingOutputStream;
using wuxtest::throwsExactly;

char const* const IN_CLOSED = "The input stream has been closed.";
char const* const OUT_CLOSED = "The output stream has been closed.";

// Bytes 0, 1, 2, ... (modulo 256).
Bytes counting(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>(i);
    return b;
}

//===-- BufferedInputStream: buffer size ------------------------------------===//

struct SizeCase {
    char const* name;
    std::size_t dataSize;
    __int64 reported;          // what available() answers; -1: the bytes left
    unsigned int initSize;     // 0: the two-argument constructor
    unsigned int defaultSize;  // BufferedInputStream::defaultSize meanwhile
    unsigned int expectedSize; // the count of the first refill
};

SizeCase const sizeCases[] = {
    {"two_arg_small_stream_gets_its_size", 100, -1, 0, 2048, 100},
    {"two_arg_large_stream_gets_default", 10000, -1, 0, 2048, 2048},
    {"two_arg_exactly_default", 2048, -1, 0, 2048, 2048},
    {"two_arg_follows_changed_default", 10000, -1, 0, 512, 512},
    {"three_arg_size_below_available", 10000, -1, 300, 2048, 300},
    {"three_arg_available_below_size", 100, -1, 4096, 2048, 100},
    {"three_arg_size_beyond_default", 10000, -1, 4096, 2048, 4096},
    {"nothing_available_gives_empty_buffer", 50, 0, 0, 2048, 0},
    {"three_arg_nothing_available", 50, 0, 64, 2048, 0},
};

class BufferedInputSize : public ::testing::TestWithParam<SizeCase> {
protected:
    void SetUp() override { _saved = BufferedInputStream::defaultSize; }
    void TearDown() override { BufferedInputStream::defaultSize = _saved; }

private:
    unsigned int _saved = 0;
};

TEST_P(BufferedInputSize, FirstRefillAsksForTheBufferSize) {
    SizeCase const& c = GetParam();
    BufferedInputStream::defaultSize = c.defaultSize;
    CallLog log;
    RecordingInputStream rec(&log, counting(c.dataSize));
    rec.fixedAvailable = c.reported;
    std::unique_ptr<BufferedInputStream> in(c.initSize == 0
                                                ? new BufferedInputStream(&rec, false)
                                                : new BufferedInputStream(&rec, c.initSize, false));
    EXPECT_TRUE(log.calls.empty()) << "construction reads nothing";
    int const first = in->read();
    EXPECT_EQ("read[" + std::to_string(c.expectedSize) + "]", log.text());
    if (c.expectedSize == 0) {
        EXPECT_EQ(-1, first) << "an empty buffer ends single-byte reads at once";
    } else {
        EXPECT_EQ(0, first);
        EXPECT_EQ(1, in->read());
        EXPECT_EQ(1u, log.calls.size()) << "the second byte comes from the buffer";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BufferedInputSize, ::testing::ValuesIn(sizeCases),
                         wuxtest::CaseName());

TEST(BufferedInputStream, EmptyBufferPassesBlockReadsStraightThrough) {
    CallLog log;
    RecordingInputStream rec(&log, counting(50));
    rec.fixedAvailable = 0;
    BufferedInputStream in(&rec, false);
    unsigned char block[8];
    EXPECT_EQ(5, in.read(block, 5));
    EXPECT_EQ("00 01 02 03 04", wuxtest::hex(block, 5));
    EXPECT_EQ("read[5]", log.text());
}

//===-- BufferedInputStream: reading ----------------------------------------===//

TEST(BufferedInputStream, BlockReadLoopsWhileTheWrappedStreamHasData) {
    CallLog log;
    RecordingInputStream rec(&log, counting(100));
    rec.maxPerRead = 7; // the wrapped stream delivers in small pieces
    BufferedInputStream in(&rec, 10, false);
    unsigned char block[32];
    ASSERT_EQ(5, in.read(block, 5)); // refill of 10 brings 7
    EXPECT_EQ("read[10]", log.text());
    log.clear();
    // 2 from the buffer, then requests as large as the buffer bypass it,
    // and the smaller rests go through refills.
    ASSERT_EQ(25, in.read(block, 25));
    EXPECT_EQ("read[23] read[16] read[10] read[10]", log.text());
    for (int i = 0; i < 25; ++i)
        ASSERT_EQ(5 + i, block[i]) << i;
    EXPECT_EQ(30, in.read());
}

TEST(BufferedInputStream, BlockReadStopsWhenNothingMoreIsAvailable) {
    CallLog log;
    RecordingInputStream rec(&log, counting(100));
    BufferedInputStream in(&rec, 10, false);
    unsigned char block[32];
    ASSERT_EQ(5, in.read(block, 5));
    rec.fixedAvailable = 0;
    log.clear();
    EXPECT_EQ(5, in.read(block, 25)) << "only the buffered rest";
    EXPECT_TRUE(log.calls.empty());
}

TEST(BufferedInputStream, EndOfDataAndZeroCounts) {
    CallLog log;
    RecordingInputStream rec(&log, counting(4));
    BufferedInputStream in(&rec, false);
    unsigned char block[8];
    EXPECT_EQ(0, in.read(block, 0));
    EXPECT_EQ(4, in.read(block, 8));
    EXPECT_EQ(-1, in.read(block, 8)) << "bypassing read at the end";
    EXPECT_EQ(-1, in.read(block, 2)) << "refill that brings nothing";
    EXPECT_EQ(-1, in.read());
    EXPECT_EQ(0, in.read(block, 0));
}

TEST(BufferedInputStream, WrappedStreamAnsweringZeroAtItsEndEndsReads) {
    CallLog log;
    RecordingInputStream rec(&log, counting(3));
    rec.endResult = 0;
    BufferedInputStream in(&rec, false);
    unsigned char block[8];
    EXPECT_EQ(3, in.read(block, 3));
    EXPECT_EQ(-1, in.read(block, 8));
    EXPECT_EQ(-1, in.read(block, 1));
    EXPECT_EQ(-1, in.read());
}

TEST(BufferedInputStream, NullDestinationIsRefused) {
    CallLog log;
    RecordingInputStream rec(&log, counting(4));
    BufferedInputStream in(&rec, false);
    EXPECT_TRUE(throwsExactly<ArgumentException>(
        [&] { in.read(nullptr, 2); }, "The buffer into which the data is read is null.", "bytes"));
    EXPECT_TRUE(log.calls.empty());
}

TEST(BufferedInputStream, AvailableAddsBufferedAndWrappedBytes) {
    CallLog log;
    RecordingInputStream rec(&log, counting(100));
    BufferedInputStream in(&rec, 10, false);
    EXPECT_EQ(100, in.available());
    in.read();
    in.read();
    in.read();
    EXPECT_EQ(97, in.available()) << "7 buffered + 90 in the wrapped stream";
}

//===-- BufferedInputStream: seeking ----------------------------------------===//

// From a buffer holding bytes 40..49 with 43 next.
struct InSeekCase {
    char const* name;
    __int64 offset;
    int origin;
    __int64 result;
    char const* wrappedCall; // the seek the wrapped stream sees, "" for none
    int next;                // the byte read afterwards
};

InSeekCase const inSeekCases[] = {
    {"current_zero", 0, Current, 0, "", 43},
    {"current_forward_inside", 4, Current, 4, "", 47},
    {"current_forward_to_buffer_end", 7, Current, 7, "", 50},
    {"current_forward_beyond", 8, Current, 51, "seek(1,1)", 51},
    {"current_back_inside", -2, Current, -2, "", 41},
    {"current_back_to_buffer_start", -3, Current, -3, "", 40},
    {"current_back_beyond", -5, Current, 38, "seek(-12,1)", 38},
    {"begin", 5, Begin, 5, "seek(5,0)", 5},
    {"end", -1, End, 99, "seek(-1,2)", 99},
};

class BufferedInputSeek : public ::testing::TestWithParam<InSeekCase> {};

TEST_P(BufferedInputSeek, MovesInTheBufferOrSeeksTheWrappedStream) {
    InSeekCase const& c = GetParam();
    CallLog log;
    RecordingInputStream rec(&log, counting(100));
    BufferedInputStream in(&rec, 10, false);
    ASSERT_EQ(40, in.seek(40, Begin));
    ASSERT_EQ(40, in.read());
    ASSERT_EQ(41, in.read());
    ASSERT_EQ(42, in.read());
    log.clear();
    EXPECT_EQ(c.result, in.seek(c.offset, static_cast<SeekOrigin>(c.origin)));
    EXPECT_EQ(std::string(c.wrappedCall), log.text());
    EXPECT_EQ(c.next, in.read());
}

INSTANTIATE_TEST_SUITE_P(Cases, BufferedInputSeek, ::testing::ValuesIn(inSeekCases),
                         wuxtest::CaseName());

TEST(BufferedInputStream, SecondByteAgainAfterSeekingBackTwo) {
    Bytes data = {0x10, 0x20, 0x30, 0x40};
    MemoryInputStream mem(data.data(), 4, false);
    BufferedInputStream in(&mem, false);
    unsigned char block[3];
    ASSERT_EQ(3, in.read(block, 3));
    EXPECT_EQ(-2, in.seek(-2, Current));
    EXPECT_EQ(0x20, in.read());
}

TEST(BufferedInputStream, FailedWrappedSeekKeepsTheBuffer) {
    CallLog log;
    RecordingInputStream rec(&log, counting(100));
    BufferedInputStream in(&rec, 10, false);
    ASSERT_EQ(0, in.read());
    rec.failSeek = true;
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.seek(0, Begin); }, "seek failed"));
    EXPECT_EQ(1, in.read()) << "the buffered bytes are still served";
    EXPECT_EQ(98, in.available()) << "8 buffered + 90 in the wrapped stream";
}

//===-- BufferedInputStream: ownership and closing --------------------------===//

struct OwnershipCase {
    char const* name;
    bool owns;
    bool autoClose;
    char const* inputLog;  // what the wrapped input stream sees on close
    char const* outputLog; // what the wrapped output stream sees on close
};

OwnershipCase const ownershipCases[] = {
    {"owned_auto_close", true, true, "close destroyed", "write[3] flush close destroyed"},
    {"not_owned_auto_close", false, true, "close", "write[3] flush close"},
    {"owned_no_auto_close", true, false, "", "write[3] flush"},
    {"not_owned_no_auto_close", false, false, "", "write[3] flush"},
};

class BufferedOwnership : public ::testing::TestWithParam<OwnershipCase> {};

TEST_P(BufferedOwnership, InputCloseReachesTheWrappedStreamAsConfigured) {
    OwnershipCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingInputStream(&log, counting(10));
    {
        BufferedInputStream in(rec, c.owns);
        in.setAutoClose(c.autoClose);
        in.read();
        log.clear();
        in.close();
        EXPECT_EQ(std::string(c.inputLog), log.text());
        in.close();
        EXPECT_EQ(std::string(c.inputLog), log.text()) << "a second close does nothing";
    }
    EXPECT_EQ(std::string(c.inputLog), log.text()) << "nor does the destructor";
    if (!log.has("destroyed"))
        delete rec;
}

TEST_P(BufferedOwnership, InputDestructorClosesAsConfigured) {
    OwnershipCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingInputStream(&log, counting(10));
    {
        BufferedInputStream in(rec, c.owns);
        in.setAutoClose(c.autoClose);
    }
    EXPECT_EQ(std::string(c.inputLog), log.text());
    if (!log.has("destroyed"))
        delete rec;
}

TEST_P(BufferedOwnership, OutputCloseFlushesThenReachesTheWrappedStreamAsConfigured) {
    OwnershipCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    {
        BufferedOutputStream out(rec, c.owns);
        out.setAutoClose(c.autoClose);
        Bytes three = {1, 2, 3};
        out.write(three.data(), 3);
        EXPECT_TRUE(log.calls.empty());
        out.close();
        EXPECT_EQ(std::string(c.outputLog), log.text());
        out.close();
    }
    EXPECT_EQ(std::string(c.outputLog), log.text()) << "nothing more after close";
    if (!log.has("destroyed"))
        delete rec;
}

TEST_P(BufferedOwnership, OutputDestructorWritesPendingBytesAndClosesAsConfigured) {
    OwnershipCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    {
        BufferedOutputStream out(rec, c.owns);
        out.setAutoClose(c.autoClose);
        Bytes three = {1, 2, 3};
        out.write(three.data(), 3);
    }
    EXPECT_EQ(std::string(c.outputLog), log.text());
    if (!log.has("destroyed")) {
        EXPECT_EQ("01 02 03", wuxtest::hex(rec->data()));
        delete rec;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BufferedOwnership, ::testing::ValuesIn(ownershipCases),
                         wuxtest::CaseName());

TEST(BufferedInputStream, ClosedStreamRefusesEverythingButClose) {
    CallLog log;
    RecordingInputStream rec(&log, counting(10));
    BufferedInputStream in(&rec, false);
    in.close();
    unsigned char block[4];
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.read(); }, IN_CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.read(block, 4); }, IN_CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.seek(0, Begin); }, IN_CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { in.available(); }, IN_CLOSED));
}

TEST(BufferedInputStream, FailingWrappedCloseIsReportedByCloseOnly) {
    CallLog log;
    auto* rec = new RecordingInputStream(&log, counting(10));
    rec->failClose = true;
    {
        BufferedInputStream in(rec, true);
        EXPECT_TRUE(throwsExactly<IOException>([&] { in.close(); }, "close failed"));
        EXPECT_EQ("close destroyed", log.text()) << "the owned stream is deleted anyway";
        EXPECT_TRUE(throwsExactly<IOException>([&] { in.read(); }, IN_CLOSED));
        in.close();
    }
    log.clear();
    auto* second = new RecordingInputStream(&log, counting(10));
    second->failClose = true;
    EXPECT_NO_THROW({ BufferedInputStream in(second, true); });
    EXPECT_EQ("close destroyed", log.text()) << "the destructor swallows the failure";
}

TEST(BufferedInputStream, RefusedConstructionDeletesOnlyAnOwnedStream) {
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { BufferedInputStream in(nullptr, false); },
                                                 "The input stream is null.", "in"));
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { BufferedInputStream in(nullptr, 16, true); },
                                                 "The input stream is null.", "in"));

    CallLog log;
    auto* owned = new RecordingInputStream(&log, counting(10));
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { BufferedInputStream in(owned, 0, true); },
                                                 "The initial size is 0.", "initSize"));
    EXPECT_EQ("destroyed", log.text());

    log.clear();
    RecordingInputStream kept(&log, counting(10));
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { BufferedInputStream in(&kept, 0, false); },
                                                 "The initial size is 0.", "initSize"));
    EXPECT_TRUE(log.calls.empty());

    auto* failing = new RecordingInputStream(&log, counting(10));
    failing->failAvailable = true;
    EXPECT_TRUE(throwsExactly<IOException>([&] { BufferedInputStream in(failing, true); },
                                           "available failed"));
    EXPECT_EQ("destroyed", log.text());

    log.clear();
    auto* failing3 = new RecordingInputStream(&log, counting(10));
    failing3->failAvailable = true;
    EXPECT_TRUE(throwsExactly<IOException>([&] { BufferedInputStream in(failing3, 8, true); },
                                           "available failed"));
    EXPECT_EQ("destroyed", log.text());
}

//===-- BufferedOutputStream -----------------------------------------------===//

TEST(BufferedOutputStream, ThousandSmallWritesLeaveInOneWriteOnFlush) {
    MemoryOutputStream mem;
    CallLog log;
    RecordingOutputStream rec(&log);
    BufferedOutputStream out(&rec, false);
    for (int i = 0; i < 1000; ++i)
        out.write(i);
    EXPECT_TRUE(log.calls.empty()) << "nothing reaches the wrapped stream before flush";
    out.flush();
    EXPECT_EQ("write[1000] flush", log.text());
    ASSERT_EQ(1000u, rec.data().size());
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(static_cast<unsigned char>(i), rec.data()[static_cast<std::size_t>(i)]);
}

TEST(BufferedOutputStream, OverMemoryStreamNothingArrivesBeforeFlush) {
    MemoryOutputStream mem;
    BufferedOutputStream out(&mem, false);
    for (int i = 0; i < 1000; ++i)
        out.write(i);
    EXPECT_EQ(0u, mem.getLength());
    out.flush();
    EXPECT_EQ(1000u, mem.getLength());
}

TEST(BufferedOutputStream, PendingBytesAreTheBuffer) {
    CallLog log;
    RecordingOutputStream rec(&log);
    BufferedOutputStream out(&rec, false);
    EXPECT_EQ(nullptr, out.getBuffer()) << "no block before the first write";
    Bytes data = {0xCA, 0xFE};
    out.write(data.data(), 2);
    ASSERT_NE(nullptr, out.getBuffer());
    EXPECT_EQ("CA FE", wuxtest::hex(out.getBuffer(), 2));
}

TEST(BufferedOutputStream, BlockMovesOnlyWhenAWriteDoesNotFit) {
    // The block is created with exactly the first write's size (10) and
    // grows to 2 * (pending + count) = 22 on the next write.
    CallLog log;
    RecordingOutputStream rec(&log);
    BufferedOutputStream out(&rec, false);
    Bytes ten = counting(10);
    out.write(ten.data(), 10);
    unsigned char const* first = out.getBuffer();
    out.write(0x0A);
    unsigned char const* second = out.getBuffer();
    EXPECT_NE(first, second) << "11 bytes do not fit 10";
    for (int i = 11; i < 22; ++i)
        out.write(i);
    EXPECT_EQ(second, out.getBuffer()) << "22 bytes fit 22";
    out.write(22);
    EXPECT_NE(second, out.getBuffer()) << "the 23rd does not";
    out.flush();
    EXPECT_EQ(wuxtest::hex(counting(23)), wuxtest::hex(rec.data()));
}

TEST(BufferedOutputStream, SizedConstructorMakesTheBlockAtOnce) {
    CallLog log;
    RecordingOutputStream rec(&log);
    BufferedOutputStream out(&rec, 16, false);
    unsigned char const* block = out.getBuffer();
    ASSERT_NE(nullptr, block);
    Bytes sixteen = counting(16);
    out.write(sixteen.data(), 16);
    EXPECT_EQ(block, out.getBuffer());
    out.write(16);
    EXPECT_NE(block, out.getBuffer());
}

TEST(BufferedOutputStream, FlushWithNothingPendingOnlyFlushesTheWrappedStream) {
    CallLog log;
    RecordingOutputStream rec(&log);
    BufferedOutputStream out(&rec, false);
    out.flush();
    EXPECT_EQ("flush", log.text());
    out.write(1);
    out.flush();
    out.flush();
    EXPECT_EQ("flush write[1] flush flush", log.text()) << "a flush empties the block";
}

TEST(BufferedOutputStream, SeekFlushesFirst) {
    CallLog log;
    RecordingOutputStream rec(&log);
    rec.seekResult = 42;
    BufferedOutputStream out(&rec, false);
    Bytes three = {7, 8, 9};
    out.write(three.data(), 3);
    EXPECT_EQ(42, out.seek(5, Begin));
    EXPECT_EQ("write[3] flush seek(5,0)", log.text());
}

TEST(BufferedOutputStream, FailedFlushKeepsThePendingBytes) {
    CallLog log;
    RecordingOutputStream rec(&log);
    BufferedOutputStream out(&rec, false);
    Bytes three = {7, 8, 9};
    out.write(three.data(), 3);
    rec.failWrite = true;
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.flush(); }, "write failed"));
    rec.failWrite = false;
    out.write(10);
    log.clear();
    out.flush();
    EXPECT_EQ("write[4] flush", log.text());
    EXPECT_EQ("07 08 09 0A", wuxtest::hex(rec.data()));
}

TEST(BufferedOutputStream, CloseWhoseFlushFailsStillClosesAndReports) {
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    rec->failWrite = true;
    BufferedOutputStream out(rec, true);
    out.write(1);
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.close(); }, "write failed"));
    EXPECT_EQ("write[1] close destroyed", log.text());
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.write(2); }, OUT_CLOSED));
}

TEST(BufferedOutputStream, DestructorNeverThrows) {
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    rec->failWrite = true;
    rec->failClose = true;
    EXPECT_NO_THROW({
        BufferedOutputStream out(rec, true);
        out.write(1);
    });
    EXPECT_EQ("write[1] close destroyed", log.text());
}

TEST(BufferedOutputStream, FailingWrappedCloseIsReportedAfterClosing) {
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    rec->failClose = true;
    BufferedOutputStream out(rec, true);
    out.write(1);
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.close(); }, "close failed"));
    EXPECT_EQ("write[1] flush close destroyed", log.text());
    out.close();
}

TEST(BufferedOutputStream, ClosedStreamRefusesEverythingButClose) {
    CallLog log;
    RecordingOutputStream rec(&log);
    BufferedOutputStream out(&rec, false);
    out.close();
    Bytes one = {1};
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.write(one.data(), 1); }, OUT_CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.write(1); }, OUT_CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.flush(); }, OUT_CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.seek(0, Begin); }, OUT_CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.getBuffer(); }, OUT_CLOSED));
    out.close();
    EXPECT_EQ("flush close", log.text());
}

TEST(BufferedOutputStream, RefusedArguments) {
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { BufferedOutputStream out(nullptr, false); },
                                                 "The output stream object is null.", "out"));
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { BufferedOutputStream out(nullptr, 8, true); },
                                                 "The output stream object is null.", "out"));
    CallLog log;
    auto* owned = new RecordingOutputStream(&log);
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { BufferedOutputStream out(owned, 0, true); },
                                                 "The initial size is zero.", "initSize"));
    EXPECT_EQ("destroyed", log.text());
    log.clear();
    RecordingOutputStream kept(&log);
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { BufferedOutputStream out(&kept, 0, false); },
                                                 "The initial size is zero.", "initSize"));
    EXPECT_TRUE(log.calls.empty());

    BufferedOutputStream out(&kept, false);
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { out.write(nullptr, 1); },
                                                 "The data buffer to write is null.", "bytes"));
}

} // namespace
