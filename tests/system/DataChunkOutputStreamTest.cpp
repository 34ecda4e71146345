// The chunked data stream over a recording stream: the exact chunk layout
// (ids, patched lengths, nesting, bytes between chunks), the typed values
// inside bodies, when bytes leave (never while a chunk is open; at the end
// of an outermost chunk with 8192 or more pending; at close), the block
// growing under open chunks, closing with chunks still open, failures of
// the wrapped stream, ownership and auto close, the allocator that entries
// and conversion buffers come from, and closed-stream refusals.
#include "RecordingStreams.h"
#include "TestAllocator.h"

#include "wux/io/IOException.h"
#include "wux/io/MemoryOutputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/String.h"
#include "wux/system/DataChunkOutputStream.h"
#include "wux/text/UTF8Conversion.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using cpp::io::Begin;
using cpp::io::IOException;
using cpp::io::MemoryOutputStream;
using cpp::lang::ArgumentException;
using cpp::lang::IAllocator;
using cpp::lang::NotImplementedException;
using cpp::lang::String;
using cpp::system::DataChunkOutputStream;
using cpp::text::UTF8Conversion;
using wuxtest::Bytes;
using wuxtest::bytesOf;
using wuxtest::CallLog;
using wuxtest::RecordingOutputStream;
using wuxtest::TestAllocator;
using wuxtest::throwsExactly;

UTF8Conversion const utf8;
char const* const NOT_IMPLEMENTED = "The method or operation is not implemented.";
// Keyed messages come from the library resource loader, which is not set up
// in these tests: their text is empty.
char const* const KEYED = "";

IAllocator* pool() {
    return IAllocator::getWUXAllocator();
}

// A chunk stream over a recording stream it does not own, auto close on.
struct Fixture {
    Fixture() : rec(&log), out(&rec, false, pool()) {}
    std::string data() const { return wuxtest::hex(rec.data()); }
    CallLog log;
    RecordingOutputStream rec;
    DataChunkOutputStream out;
};

Bytes filler(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>(i * 7 + 3);
    return b;
}

//===-- Layout -------------------------------------------------------------===//

TEST(DataChunkOutputStream, NestedChunksGetTheirLengths) {
    Fixture f;
    f.out.startChunk(1);
    f.out.writeInt(5);
    f.out.startChunk(2);
    f.out.writeByte(7);
    f.out.endChunk();
    f.out.endChunk();
    EXPECT_TRUE(f.log.calls.empty()) << "21 bytes stay pending";
    f.out.close();
    EXPECT_EQ("00 00 00 01 00 00 00 0D 00 00 00 05 00 00 00 02 00 00 00 01 07", f.data());
    EXPECT_EQ("write[21] flush close", f.log.text());
}

TEST(DataChunkOutputStream, EmptyChunkIsItsHeader) {
    Fixture f;
    f.out.startChunk(9);
    f.out.endChunk();
    f.out.close();
    EXPECT_EQ("00 00 00 09 00 00 00 00", f.data());
}

TEST(DataChunkOutputStream, NegativeIdIsWrittenAsItsBits) {
    Fixture f;
    f.out.startChunk(-2);
    f.out.endChunk();
    f.out.close();
    EXPECT_EQ("FF FF FF FE 00 00 00 00", f.data());
}

TEST(DataChunkOutputStream, BytesOutsideChunksAreEmittedAsTheyAre) {
    Fixture f;
    Bytes raw = {0xAA, 0xBB, 0xCC};
    f.out.write(raw.data(), 3);
    f.out.startChunk(4);
    f.out.write(0x11);
    f.out.endChunk();
    f.out.writeShort(0x2233);
    f.out.startChunk(5);
    f.out.startChunk(6);
    f.out.endChunk();
    f.out.writeBool(true);
    f.out.endChunk();
    f.out.close();
    EXPECT_EQ("AA BB CC "
              "00 00 00 04 00 00 00 01 11 "
              "22 33 "
              "00 00 00 05 00 00 00 09 00 00 00 06 00 00 00 00 01",
              f.data());
}

TEST(DataChunkOutputStream, SiblingChunksAddUpInTheirParent) {
    Fixture f;
    f.out.startChunk(1);
    for (int id = 10; id < 13; ++id) {
        f.out.startChunk(id);
        f.out.writeUShort(static_cast<unsigned short>(id));
        f.out.endChunk();
    }
    f.out.writeByte(0xEE);
    f.out.endChunk();
    f.out.close();
    EXPECT_EQ("00 00 00 01 00 00 00 1F "
              "00 00 00 0A 00 00 00 02 00 0A "
              "00 00 00 0B 00 00 00 02 00 0B "
              "00 00 00 0C 00 00 00 02 00 0C "
              "EE",
              f.data());
}

// The typed values inside a body, in the big-endian layout of the data
// streams.
struct ValueCase {
    char const* name;
    void (*write)(DataChunkOutputStream&);
    char const* body;
};

ValueCase const valueCases[] = {
    {"bool_false", [](DataChunkOutputStream& o) { o.writeBool(false); }, "00"},
    {"bool_true", [](DataChunkOutputStream& o) { o.writeBool(true); }, "01"},
    {"char", [](DataChunkOutputStream& o) { o.writeChar(static_cast<char>(-1)); }, "FF"},
    {"byte", [](DataChunkOutputStream& o) { o.writeByte(0x80); }, "80"},
    {"write_int_low_byte", [](DataChunkOutputStream& o) { o.write(0x1FF); }, "FF"},
    {"wchar", [](DataChunkOutputStream& o) { o.writeWChar(0x20AC); }, "20 AC"},
    {"short", [](DataChunkOutputStream& o) { o.writeShort(-2); }, "FF FE"},
    {"ushort", [](DataChunkOutputStream& o) { o.writeUShort(0xABCD); }, "AB CD"},
    {"int", [](DataChunkOutputStream& o) { o.writeInt(0x01020304); }, "01 02 03 04"},
    {"int_min", [](DataChunkOutputStream& o) { o.writeInt(std::numeric_limits<int>::min()); },
     "80 00 00 00"},
    {"uint", [](DataChunkOutputStream& o) { o.writeUInt(0xDEADBEEFu); }, "DE AD BE EF"},
    {"int64", [](DataChunkOutputStream& o) { o.writeInt64(-2); }, "FF FF FF FF FF FF FF FE"},
    {"int64_ordered", [](DataChunkOutputStream& o) { o.writeInt64(0x0102030405060708LL); },
     "01 02 03 04 05 06 07 08"},
    {"uint64", [](DataChunkOutputStream& o) { o.writeUInt64(0x8000000000000001ull); },
     "80 00 00 00 00 00 00 01"},
    {"string", [](DataChunkOutputStream& o) { o.writeString(String(L"Hi")); },
     "00 00 00 02 00 48 00 69"},
    {"string_empty", [](DataChunkOutputStream& o) { o.writeString(String()); }, "00 00 00 00"},
    {"utf8", [](DataChunkOutputStream& o) { o.writeString(String(L"\u00e9"), &utf8); },
     "00 00 00 02 C3 A9"},
    {"utf8_empty", [](DataChunkOutputStream& o) { o.writeString(String(), &utf8); }, "00 00 00 00"},
    {"block",
     [](DataChunkOutputStream& o) {
         o.write(Bytes{1, 2, 3}.data(), 3);
     },
     "01 02 03"},
};

class ChunkValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ChunkValue, BodyHoldsTheBigEndianBytes) {
    ValueCase const& c = GetParam();
    Bytes const body = bytesOf(c.body);
    Fixture f;
    f.out.startChunk(0x0A0B0C0D);
    c.write(f.out);
    f.out.endChunk();
    f.out.close();
    Bytes header = bytesOf("0A 0B 0C 0D 00 00 00 00");
    header[7] = static_cast<unsigned char>(body.size());
    EXPECT_EQ(wuxtest::hex(header) + " " + c.body, f.data());
    EXPECT_EQ("write[" + std::to_string(8 + body.size()) + "] flush close", f.log.text())
        << "the whole chunk leaves in one write";
}

INSTANTIATE_TEST_SUITE_P(Cases, ChunkValue, ::testing::ValuesIn(valueCases), wuxtest::CaseName());

//===-- When bytes leave ---------------------------------------------------===//

TEST(DataChunkOutputStream, NothingLeavesWhileAChunkIsOpen) {
    Fixture f;
    f.out.startChunk(1);
    Bytes big = filler(20000);
    f.out.write(big.data(), 20000);
    f.out.startChunk(2);
    f.out.write(big.data(), 20000);
    f.out.endChunk();
    f.out.flush();
    EXPECT_TRUE(f.log.calls.empty()) << f.log.text();
    f.out.endChunk();
    EXPECT_EQ("write[40016] flush", f.log.text());
    EXPECT_EQ(40016u, f.rec.data().size());
    EXPECT_EQ("00 00 00 01 00 00 9C 48", wuxtest::hex(f.rec.data().data(), 8));
    EXPECT_EQ("00 00 00 02 00 00 4E 20", wuxtest::hex(f.rec.data().data() + 20008, 8));
}

struct ThresholdCase {
    char const* name;
    std::size_t before; // bytes already pending outside any chunk
    std::size_t body;   // body of the outermost chunk that then ends
    bool leavesAtEnd;   // whether that endChunk writes
};

ThresholdCase const thresholdCases[] = {
    {"pending_10000", 0, 9992, true},
    {"pending_exactly_8192", 0, 8184, true},
    {"pending_8191_waits", 0, 8183, false},
    {"pending_100_waits", 0, 92, false},
    {"earlier_bytes_count_toward_8192", 100, 8084, true},
    {"earlier_bytes_still_short", 100, 8083, false},
};

class ChunkThreshold : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(ChunkThreshold, OutermostEndWritesEverythingPendingInOnePiece) {
    ThresholdCase const& c = GetParam();
    Fixture f;
    Bytes before = filler(c.before);
    if (c.before != 0)
        f.out.write(before.data(), static_cast<unsigned int>(c.before));
    f.out.startChunk(1);
    Bytes body = filler(c.body);
    f.out.write(body.data(), static_cast<unsigned int>(c.body));
    f.out.endChunk();
    std::string const total = std::to_string(c.before + 8 + c.body);
    if (c.leavesAtEnd) {
        EXPECT_EQ("write[" + total + "] flush", f.log.text());
        f.log.clear();
        f.out.startChunk(2);
        f.out.endChunk();
        EXPECT_TRUE(f.log.calls.empty()) << "the block was emptied";
        f.out.close();
        EXPECT_EQ("write[8] flush close", f.log.text());
    } else {
        EXPECT_TRUE(f.log.calls.empty()) << f.log.text();
        f.out.close();
        EXPECT_EQ("write[" + total + "] flush close", f.log.text());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChunkThreshold, ::testing::ValuesIn(thresholdCases),
                         wuxtest::CaseName());

TEST(DataChunkOutputStream, InnerChunkEndNeverWrites) {
    Fixture f;
    f.out.startChunk(1);
    f.out.startChunk(2);
    Bytes big = filler(9000);
    f.out.write(big.data(), 9000);
    f.out.endChunk();
    EXPECT_TRUE(f.log.calls.empty());
    f.out.endChunk();
    EXPECT_EQ("write[9016] flush", f.log.text());
}

TEST(DataChunkOutputStream, FlushNeverWrites) {
    Fixture f;
    f.out.writeInt(1);
    f.out.startChunk(1);
    f.out.endChunk();
    f.out.flush();
    f.out.flush();
    EXPECT_TRUE(f.log.calls.empty());
}

TEST(DataChunkOutputStream, FiveThousandByteChunkGrowsTheBlock) {
    {
        Fixture f;
        f.out.startChunk(3);
        Bytes big = filler(5000);
        f.out.write(big.data(), 5000);
        f.out.endChunk();
        f.out.close();
        ASSERT_EQ(5008u, f.rec.data().size());
        EXPECT_EQ("00 00 00 03 00 00 13 88", wuxtest::hex(f.rec.data().data(), 8));
        EXPECT_TRUE(std::equal(big.begin(), big.end(), f.rec.data().begin() + 8));
    }
    {
        // One byte at a time inside a nested chunk: the block moves many
        // times while both headers wait for their lengths.
        Fixture f;
        f.out.writeByte(0x99);
        f.out.startChunk(1);
        f.out.writeInt(5);
        f.out.startChunk(2);
        for (int i = 0; i < 5000; ++i)
            f.out.writeByte(static_cast<unsigned char>(i));
        f.out.endChunk();
        f.out.writeShort(7);
        f.out.endChunk();
        f.out.close();
        Bytes const& d = f.rec.data();
        ASSERT_EQ(1u + 8 + 4 + 8 + 5000 + 2, d.size());
        EXPECT_EQ("99 00 00 00 01 00 00 13 96 00 00 00 05 00 00 00 02 00 00 13 88",
                  wuxtest::hex(d.data(), 21));
        for (int i = 0; i < 5000; ++i)
            ASSERT_EQ(static_cast<unsigned char>(i), d[21 + static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ("00 07", wuxtest::hex(d.data() + 5021, 2));
    }
}

TEST(DataChunkOutputStream, CloseEndsTheChunksStillOpen) {
    Fixture f;
    f.out.startChunk(1);
    f.out.writeInt(5);
    f.out.startChunk(2);
    f.out.writeByte(7);
    f.out.close();
    EXPECT_EQ("00 00 00 01 00 00 00 0D 00 00 00 05 00 00 00 02 00 00 00 01 07", f.data());
    EXPECT_EQ("write[21] flush close", f.log.text());
}

TEST(DataChunkOutputStream, CloseEndsBigOpenChunksWithOneWrite) {
    Fixture f;
    f.out.startChunk(1);
    Bytes big = filler(9000);
    f.out.write(big.data(), 9000);
    f.out.close();
    EXPECT_EQ("write[9008] flush close", f.log.text());
    EXPECT_EQ("00 00 00 01 00 00 23 28", wuxtest::hex(f.rec.data().data(), 8));
}

//===-- Refusals -----------------------------------------------------------===//

TEST(DataChunkOutputStream, EndWithoutOpenChunkSeekAndUnsupportedTypesThrow) {
    Fixture f;
    EXPECT_TRUE(throwsExactly<IOException>([&] { f.out.endChunk(); }, KEYED));
    f.out.startChunk(1);
    f.out.endChunk();
    EXPECT_TRUE(throwsExactly<IOException>([&] { f.out.endChunk(); }, KEYED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { f.out.seek(0, Begin); }, KEYED));
    EXPECT_TRUE(
        throwsExactly<NotImplementedException>([&] { f.out.writeFloat(1.0f); }, NOT_IMPLEMENTED));
    EXPECT_TRUE(
        throwsExactly<NotImplementedException>([&] { f.out.writeDouble(1.0); }, NOT_IMPLEMENTED));
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { f.out.writeString(String(L"x"), nullptr); },
                                                 "Conversion object is null.", "conversion"));
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { f.out.write(nullptr, 1); },
                                                 "The data buffer to write is null.", "bytes"));
    f.out.close();
    EXPECT_EQ("00 00 00 01 00 00 00 00", f.data()) << "the refused calls wrote nothing";
}

TEST(DataChunkOutputStream, ClosedStreamRefusesWritesAndChunks) {
    Fixture f;
    f.out.close();
    f.log.clear();
    void (*const ops[])(DataChunkOutputStream&) = {
        [](DataChunkOutputStream& o) { o.write(Bytes{1}.data(), 1); },
        [](DataChunkOutputStream& o) { o.write(1); },
        [](DataChunkOutputStream& o) { o.writeBool(true); },
        [](DataChunkOutputStream& o) { o.writeChar('a'); },
        [](DataChunkOutputStream& o) { o.writeWChar(1); },
        [](DataChunkOutputStream& o) { o.writeByte(1); },
        [](DataChunkOutputStream& o) { o.writeShort(1); },
        [](DataChunkOutputStream& o) { o.writeUShort(1); },
        [](DataChunkOutputStream& o) { o.writeInt(1); },
        [](DataChunkOutputStream& o) { o.writeUInt(1); },
        [](DataChunkOutputStream& o) { o.writeInt64(1); },
        [](DataChunkOutputStream& o) { o.writeUInt64(1); },
        [](DataChunkOutputStream& o) { o.writeString(String(L"a")); },
        [](DataChunkOutputStream& o) { o.writeString(String(L"a"), &utf8); },
        [](DataChunkOutputStream& o) { o.startChunk(1); },
        [](DataChunkOutputStream& o) { o.endChunk(); },
        [](DataChunkOutputStream& o) { o.seek(0, Begin); },
    };
    int index = 0;
    for (auto op : ops) {
        EXPECT_TRUE(throwsExactly<IOException>([&] { op(f.out); }, KEYED)) << "op " << index;
        ++index;
    }
    EXPECT_TRUE(throwsExactly<IOException>([&] { f.out.getBuffer(); },
                                           "The output stream has been closed."));
    f.out.flush();
    f.out.close();
    EXPECT_TRUE(f.log.calls.empty());
}

TEST(DataChunkOutputStream, GetBufferIsTheWrappedStreamsBuffer) {
    MemoryOutputStream mem;
    DataChunkOutputStream out(&mem, false, false, pool());
    EXPECT_EQ(mem.getBuffer(), out.getBuffer());
    out.close();
    EXPECT_EQ(0u, mem.getLength()) << "nothing was pending";
}

TEST(DataChunkOutputStream, RefusedConstructionDeletesOnlyAnOwnedStream) {
    EXPECT_TRUE(
        throwsExactly<ArgumentException>([] { DataChunkOutputStream out(nullptr, false, pool()); },
                                         "The output stream object is null.", "out"));
    EXPECT_TRUE(throwsExactly<ArgumentException>(
        [] { DataChunkOutputStream out(nullptr, true, false, nullptr); },
        "The output stream object is null.", "out"));
    CallLog log;
    auto* owned = new RecordingOutputStream(&log);
    EXPECT_TRUE(
        throwsExactly<ArgumentException>([&] { DataChunkOutputStream out(owned, true, nullptr); },
                                         "The allocator pointer is null.", "alloc"));
    EXPECT_EQ("destroyed", log.text());
    log.clear();
    owned = new RecordingOutputStream(&log);
    EXPECT_TRUE(throwsExactly<ArgumentException>(
        [&] { DataChunkOutputStream out(owned, true, true, nullptr); },
        "The allocator pointer is null.", "alloc"));
    EXPECT_EQ("destroyed", log.text());
    log.clear();
    RecordingOutputStream kept(&log);
    EXPECT_TRUE(throwsExactly<ArgumentException>(
        [&] { DataChunkOutputStream out(&kept, true, false, nullptr); },
        "The allocator pointer is null.", "alloc"));
    EXPECT_TRUE(log.calls.empty()) << "a stream the caller keeps is not touched";

    // The pending block cannot be had.
    TestAllocator refusing;
    refusing.failAlways(true);
    owned = new RecordingOutputStream(&log);
    EXPECT_THROW(DataChunkOutputStream(owned, true, &refusing), cpp::lang::OutOfMemoryException);
    EXPECT_EQ("destroyed", log.text());
    log.clear();
    EXPECT_THROW(DataChunkOutputStream(&kept, false, &refusing), cpp::lang::OutOfMemoryException);
    EXPECT_TRUE(log.calls.empty());
}

//===-- Ownership, auto close and failures ----------------------------------===//

struct CloseCase {
    char const* name;
    bool fourArguments;
    bool autoClose;
    bool owns;
    char const* log;
};

CloseCase const closeCases[] = {
    {"default_auto_close_owned", false, true, true, "write[8] flush close destroyed"},
    {"default_auto_close_not_owned", false, true, false, "write[8] flush close"},
    {"auto_close_owned", true, true, true, "write[8] flush close destroyed"},
    {"auto_close_not_owned", true, true, false, "write[8] flush close"},
    {"no_auto_close_owned", true, false, true, "write[8] flush destroyed"},
    {"no_auto_close_not_owned", true, false, false, "write[8] flush"},
};

class ChunkClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ChunkClose, ExplicitCloseReachesTheWrappedStreamAsConfigured) {
    CloseCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    {
        std::unique_ptr<DataChunkOutputStream> out(
            c.fourArguments ? new DataChunkOutputStream(rec, c.autoClose, c.owns, pool())
                            : new DataChunkOutputStream(rec, c.owns, pool()));
        out->startChunk(1);
        out->endChunk();
        out->close();
        EXPECT_EQ(c.log, log.text());
        EXPECT_EQ(nullptr, out->getOutputStream());
        out->close();
    }
    EXPECT_EQ(c.log, log.text()) << "nothing more from the destructor";
    if (!c.owns)
        delete rec;
}

TEST_P(ChunkClose, DestructorClosesAsConfigured) {
    CloseCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    {
        std::unique_ptr<DataChunkOutputStream> out(
            c.fourArguments ? new DataChunkOutputStream(rec, c.autoClose, c.owns, pool())
                            : new DataChunkOutputStream(rec, c.owns, pool()));
        out->startChunk(1);
    }
    EXPECT_EQ(c.log, log.text());
    if (!c.owns) {
        EXPECT_EQ("00 00 00 01 00 00 00 00", wuxtest::hex(rec->data()));
        delete rec;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChunkClose, ::testing::ValuesIn(closeCases), wuxtest::CaseName());

TEST(DataChunkOutputStream, EndChunkPassesWrappedFailuresThrough) {
    Fixture f;
    f.rec.failWrite = true;
    f.out.startChunk(1);
    Bytes big = filler(9000);
    f.out.write(big.data(), 9000);
    EXPECT_TRUE(throwsExactly<IOException>([&] { f.out.endChunk(); }, "write failed"));
    EXPECT_TRUE(throwsExactly<IOException>([&] { f.out.endChunk(); }, KEYED))
        << "the chunk was ended all the same";
    f.rec.failWrite = false;
    f.out.close();
    EXPECT_EQ("write[9008] write[9008] flush close", f.log.text())
        << "the pending bytes were kept for the next try";
    EXPECT_EQ(9008u, f.rec.data().size());
}

TEST(DataChunkOutputStream, CloseIgnoresFailedWritesButStillCloses) {
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    rec->failWrite = true;
    DataChunkOutputStream out(rec, true, pool());
    out.startChunk(1);
    Bytes big = filler(9000);
    out.write(big.data(), 9000);
    out.startChunk(2);
    EXPECT_NO_THROW(out.close());
    EXPECT_EQ("write[9016] write[9016] close destroyed", log.text());
}

TEST(DataChunkOutputStream, FailingWrappedCloseIsReportedByCloseOnly) {
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    rec->failClose = true;
    {
        DataChunkOutputStream out(rec, true, pool());
        EXPECT_TRUE(throwsExactly<IOException>([&] { out.close(); }, "close failed"));
        EXPECT_EQ("close destroyed", log.text()) << "nothing was pending";
    }
    log.clear();
    rec = new RecordingOutputStream(&log);
    rec->failClose = true;
    EXPECT_NO_THROW({
        DataChunkOutputStream out(rec, true, pool());
        out.startChunk(1);
    });
    EXPECT_EQ("write[8] flush close destroyed", log.text());
}

//===-- Allocator and virtual slots -----------------------------------------===//

TEST(DataChunkOutputStream, EntriesAndConversionBuffersComeFromTheGivenAllocator) {
    TestAllocator alloc;
    CallLog log;
    RecordingOutputStream rec(&log);
    {
        DataChunkOutputStream out(&rec, false, &alloc);
        std::size_t const base = alloc.liveBlocks();
        out.startChunk(1);
        out.startChunk(2);
        std::size_t const afterStarts = alloc.liveBlocks();
        EXPECT_GE(afterStarts, base + 2) << "an entry per open chunk";
        alloc.clearRequests();
        out.writeString(String(L"\u00e9\u00e9"), &utf8);
        EXPECT_EQ(std::vector<unsigned int>{4}, alloc.requests()) << "a buffer of the encoded size";
        EXPECT_EQ(afterStarts, alloc.liveBlocks()) << "and it went back";
        out.endChunk();
        out.endChunk();
        EXPECT_EQ(afterStarts - 2, alloc.liveBlocks()) << "entries go back when their chunks end";
        std::size_t const afterEnds = alloc.liveBlocks();
        out.startChunk(3);
        out.endChunk();
        EXPECT_EQ(afterEnds, alloc.liveBlocks());
    }
    EXPECT_EQ(0u, alloc.liveBlocks()) << "everything goes back with the stream";
    EXPECT_EQ(0u, alloc.foreignFrees());
    EXPECT_EQ("00 00 00 01 00 00 00 10 00 00 00 02 00 00 00 08 00 00 00 04 C3 A9 C3 A9 "
              "00 00 00 03 00 00 00 00",
              wuxtest::hex(rec.data()));
}

TEST(DataChunkOutputStream, RefusedAllocationLeavesNoHalfChunk) {
    TestAllocator alloc;
    CallLog log;
    RecordingOutputStream rec(&log);
    DataChunkOutputStream out(&rec, false, &alloc);
    out.startChunk(1);
    alloc.failNext(1);
    EXPECT_ANY_THROW(out.startChunk(2));
    out.writeByte(0x42);
    out.endChunk();
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.endChunk(); }, KEYED));
    out.close();
    EXPECT_EQ("00 00 00 01 00 00 00 01 42", wuxtest::hex(rec.data()));
}

// Records the virtual slots that the composite writes go through.
class SpyingChunks : public DataChunkOutputStream {
public:
    SpyingChunks(cpp::io::OutputStream* out, CallLog* log)
        : DataChunkOutputStream(out, false, IAllocator::getWUXAllocator()), _log(log) {}
    void write(unsigned char const* bytes, unsigned int count) override {
        _log->add("write[" + std::to_string(count) + "]");
        DataChunkOutputStream::write(bytes, count);
    }
    using DataChunkOutputStream::write;
    void writeChar(char v) override {
        _log->add("writeChar");
        DataChunkOutputStream::writeChar(v);
    }
    void writeWChar(unsigned short v) override {
        _log->add("writeWChar");
        DataChunkOutputStream::writeWChar(v);
    }
    void writeInt(int v) override {
        _log->add("writeInt");
        DataChunkOutputStream::writeInt(v);
    }
    void writeUInt(unsigned int v) override {
        _log->add("writeUInt");
        DataChunkOutputStream::writeUInt(v);
    }

private:
    CallLog* _log;
};

TEST(DataChunkOutputStream, CompositeWritesGoThroughTheVirtualSlots) {
    CallLog spy;
    CallLog log;
    RecordingOutputStream rec(&log);
    SpyingChunks out(&rec, &spy);
    out.startChunk(1);
    EXPECT_EQ("writeInt write[4] writeUInt write[4]", spy.text());
    spy.clear();
    out.writeString(String(L"Hi"));
    EXPECT_EQ("writeUInt write[4] writeWChar write[2] writeWChar write[2]", spy.text());
    spy.clear();
    out.writeString(String(L"\u00e9"), &utf8);
    EXPECT_EQ("writeUInt write[4] writeChar write[1] writeChar write[1]", spy.text());
    spy.clear();
    out.writeShort(1);
    out.writeInt64(1);
    EXPECT_EQ("write[2] write[8]", spy.text());
    out.endChunk();
    out.close();
    EXPECT_EQ("00 00 00 01 00 00 00 18 00 00 00 02 00 48 00 69 00 00 00 02 C3 A9 00 01 "
              "00 00 00 00 00 00 00 01",
              wuxtest::hex(rec.data()));
}

} // namespace
