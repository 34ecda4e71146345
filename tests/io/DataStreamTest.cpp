// The big-endian data streams: the exact bytes of every typed write and the
// values read back, strings with and without a Conversion, data that ends
// inside a value (and how much of it was consumed), the virtual slots that
// the composite operations go through, forwarding, closing and ownership,
// and counts read from the data that claim far more than the data holds.
#include "RecordingStreams.h"
#include "TestAllocator.h"

#include "wux/io/DataInputStream.h"
#include "wux/io/DataOutputStream.h"
#include "wux/io/EOFException.h"
#include "wux/io/IOException.h"
#include "wux/io/MemoryInputStream.h"
#include "wux/io/MemoryOutputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/String.h"
#include "wux/text/UTF16LEConversion.h"
#include "wux/text/UTF8Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

using cpp::io::Begin;
using cpp::io::DataInputStream;
using cpp::io::DataOutputStream;
using cpp::io::End;
using cpp::io::EOFException;
using cpp::io::IOException;
using cpp::io::MemoryInputStream;
using cpp::io::MemoryOutputStream;
using cpp::lang::ArgumentException;
using cpp::lang::NotImplementedException;
using cpp::lang::String;
using cpp::text::UTF16LEConversion;
using cpp::text::UTF8Conversion;
using wuxtest::Bytes;
using wuxtest::bytesOf;
using wuxtest::CallLog;
using wuxtest::RecordingInputStream;
using wuxtest::RecordingOutputStream;
using wuxtest::TestAllocator;
using wuxtest::throwsExactly;

char const* const OUT_CLOSED = "The output stream has been closed.";
char const* const IN_CLOSED = "The input stream has been closed.";
char const* const NOT_IMPLEMENTED = "The method or operation is not implemented.";
char const* const END_OF_FILE = "Have reached the end of file.";

UTF8Conversion const utf8;
UTF16LEConversion const utf16le;

// The units of a string in hex, "0048 0069".
std::string units(String const& s) {
    std::string r;
    char part[8];
    for (unsigned int i = 0; i < s.getLength(); ++i) {
        std::snprintf(part, sizeof part, "%s%04X", i == 0 ? "" : " ", s.getCStr()[i]);
        r += part;
    }
    return r;
}

// The put:XX entries that sending \p hexBytes through write(int) leaves.
std::string puts(char const* hexBytes) {
    CallLog expected;
    for (unsigned char b : bytesOf(hexBytes))
        expected.add("put:" + wuxtest::hex(&b, 1));
    return expected.text();
}

//===-- Writing ------------------------------------------------------------===//

struct WriteCase {
    char const* name;
    void (*write)(DataOutputStream&);
    char const* bytes;
};

WriteCase const writeCases[] = {
    {"bool_false", [](DataOutputStream& o) { o.writeBool(false); }, "00"},
    {"bool_true", [](DataOutputStream& o) { o.writeBool(true); }, "01"},
    {"char_A", [](DataOutputStream& o) { o.writeChar('A'); }, "41"},
    {"char_negative", [](DataOutputStream& o) { o.writeChar(static_cast<char>(-1)); }, "FF"},
    {"byte", [](DataOutputStream& o) { o.writeByte(0xFE); }, "FE"},
    {"wchar", [](DataOutputStream& o) { o.writeWChar(0x00E9); }, "00 E9"},
    {"wchar_high", [](DataOutputStream& o) { o.writeWChar(0xFFFE); }, "FF FE"},
    {"short_minus_two", [](DataOutputStream& o) { o.writeShort(-2); }, "FF FE"},
    {"short_positive", [](DataOutputStream& o) { o.writeShort(0x1234); }, "12 34"},
    {"short_min", [](DataOutputStream& o) { o.writeShort(-32768); }, "80 00"},
    {"ushort", [](DataOutputStream& o) { o.writeUShort(0xABCD); }, "AB CD"},
    {"int", [](DataOutputStream& o) { o.writeInt(0x01020304); }, "01 02 03 04"},
    {"int_minus_one", [](DataOutputStream& o) { o.writeInt(-1); }, "FF FF FF FF"},
    {"int_min", [](DataOutputStream& o) { o.writeInt(std::numeric_limits<int>::min()); },
     "80 00 00 00"},
    {"uint", [](DataOutputStream& o) { o.writeUInt(0xDEADBEEFu); }, "DE AD BE EF"},
    {"int64_one", [](DataOutputStream& o) { o.writeInt64(1); }, "00 00 00 00 00 00 00 01"},
    {"int64_minus_two", [](DataOutputStream& o) { o.writeInt64(-2); }, "FF FF FF FF FF FF FF FE"},
    {"int64_ordered", [](DataOutputStream& o) { o.writeInt64(0x0102030405060708LL); },
     "01 02 03 04 05 06 07 08"},
    {"uint64_max", [](DataOutputStream& o) { o.writeUInt64(0xFFFFFFFFFFFFFFFFull); },
     "FF FF FF FF FF FF FF FF"},
    {"uint64_high_bit", [](DataOutputStream& o) { o.writeUInt64(0x8000000000000001ull); },
     "80 00 00 00 00 00 00 01"},
    {"string_Hi", [](DataOutputStream& o) { o.writeString(String(L"Hi")); },
     "00 00 00 02 00 48 00 69"},
    {"string_empty", [](DataOutputStream& o) { o.writeString(String()); }, "00 00 00 00"},
    {"string_beyond_ascii", [](DataOutputStream& o) { o.writeString(String(L"\u00e9\u20ac")); },
     "00 00 00 02 00 E9 20 AC"},
    {"utf8_e_acute", [](DataOutputStream& o) { o.writeString(String(L"\u00e9"), &utf8); },
     "00 00 00 02 C3 A9"},
    {"utf8_mixed", [](DataOutputStream& o) { o.writeString(String(L"Hi\u20ac"), &utf8); },
     "00 00 00 05 48 69 E2 82 AC"},
    {"utf8_empty", [](DataOutputStream& o) { o.writeString(String(), &utf8); }, "00 00 00 00"},
    {"utf16le_Hi", [](DataOutputStream& o) { o.writeString(String(L"Hi"), &utf16le); },
     "00 00 00 04 48 00 69 00"},
};

class DataWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(DataWrite, ExactBytesOneByOneThroughWriteInt) {
    WriteCase const& c = GetParam();
    CallLog log;
    RecordingOutputStream rec(&log);
    DataOutputStream out(&rec, false);
    c.write(out);
    EXPECT_EQ(c.bytes, wuxtest::hex(rec.data()));
    EXPECT_EQ(puts(c.bytes), log.text()) << "every byte is a write(int) of its own";
}

TEST_P(DataWrite, SameBytesIntoAMemoryStream) {
    WriteCase const& c = GetParam();
    MemoryOutputStream mem;
    DataOutputStream out(&mem, false);
    c.write(out);
    EXPECT_EQ(c.bytes, wuxtest::hex(mem.getBuffer(), mem.getLength()));
}

INSTANTIATE_TEST_SUITE_P(Cases, DataWrite, ::testing::ValuesIn(writeCases), wuxtest::CaseName());

//===-- Reading ------------------------------------------------------------===//

struct ReadCase {
    char const* name;
    char const* bytes;
    std::string (*read)(DataInputStream&);
    char const* value;
};

template <class T> std::string str(T v) {
    return std::to_string(v);
}

ReadCase const readCases[] = {
    {"bool_zero", "00", [](DataInputStream& i) { return str(i.readBool()); }, "0"},
    {"bool_one", "01", [](DataInputStream& i) { return str(i.readBool()); }, "1"},
    {"bool_two_is_true", "02", [](DataInputStream& i) { return str(i.readBool()); }, "1"},
    {"bool_ff_is_true", "FF", [](DataInputStream& i) { return str(i.readBool()); }, "1"},
    {"char", "41", [](DataInputStream& i) { return str(static_cast<int>(i.readChar())); }, "65"},
    {"char_ff", "FF",
     [](DataInputStream& i) {
         return str(static_cast<int>(static_cast<unsigned char>(i.readChar())));
     },
     "255"},
    {"byte", "FE", [](DataInputStream& i) { return str(static_cast<int>(i.readByte())); }, "254"},
    {"wchar", "00 E9", [](DataInputStream& i) { return str(i.readWChar()); }, "233"},
    {"short_minus_two", "FF FE", [](DataInputStream& i) { return str(i.readShort()); }, "-2"},
    {"short_min", "80 00", [](DataInputStream& i) { return str(i.readShort()); }, "-32768"},
    {"ushort", "FF FE", [](DataInputStream& i) { return str(i.readUShort()); }, "65534"},
    {"int", "01 02 03 04", [](DataInputStream& i) { return str(i.readInt()); }, "16909060"},
    {"int_minus_one", "FF FF FF FF", [](DataInputStream& i) { return str(i.readInt()); }, "-1"},
    {"uint_max", "FF FF FF FF", [](DataInputStream& i) { return str(i.readUInt()); }, "4294967295"},
    {"int64_minus_two", "FF FF FF FF FF FF FF FE",
     [](DataInputStream& i) { return str(i.readInt64()); }, "-2"},
    {"int64_one", "00 00 00 00 00 00 00 01", [](DataInputStream& i) { return str(i.readInt64()); },
     "1"},
    {"int64_low_half_unsigned", "00 00 00 01 80 00 00 00",
     [](DataInputStream& i) { return str(i.readInt64()); }, "6442450944"},
    {"int64_min", "80 00 00 00 00 00 00 00", [](DataInputStream& i) { return str(i.readInt64()); },
     "-9223372036854775808"},
    {"uint64_max", "FF FF FF FF FF FF FF FF",
     [](DataInputStream& i) { return str(i.readUInt64()); }, "18446744073709551615"},
    {"string_Hi", "00 00 00 02 00 48 00 69",
     [](DataInputStream& i) { return units(i.readString()); }, "0048 0069"},
    {"string_empty", "00 00 00 00", [](DataInputStream& i) { return units(i.readString()); }, ""},
    {"string_beyond_ascii", "00 00 00 02 00 E9 20 AC",
     [](DataInputStream& i) { return units(i.readString()); }, "00E9 20AC"},
    {"utf8_e_acute", "00 00 00 02 C3 A9",
     [](DataInputStream& i) { return units(i.readString(&utf8)); }, "00E9"},
    {"utf8_mixed", "00 00 00 05 48 69 E2 82 AC",
     [](DataInputStream& i) { return units(i.readString(&utf8)); }, "0048 0069 20AC"},
    {"utf8_empty", "00 00 00 00", [](DataInputStream& i) { return units(i.readString(&utf8)); },
     ""},
    {"utf16le_Hi", "00 00 00 04 48 00 69 00",
     [](DataInputStream& i) { return units(i.readString(&utf16le)); }, "0048 0069"},
};

class DataRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DataRead, ValueFromItsBytesTakenOneByOne) {
    ReadCase const& c = GetParam();
    CallLog log;
    RecordingInputStream rec(&log, bytesOf(c.bytes));
    DataInputStream in(&rec, false);
    EXPECT_EQ(c.value, c.read(in));
    std::size_t const n = bytesOf(c.bytes).size();
    EXPECT_EQ(n, rec.position()) << "exactly the value's bytes are consumed";
    EXPECT_EQ(n, log.count("read1")) << log.text();
    EXPECT_EQ(n, log.calls.size()) << "no block reads: " << log.text();
}

INSTANTIATE_TEST_SUITE_P(Cases, DataRead, ::testing::ValuesIn(readCases), wuxtest::CaseName());

TEST(DataStreams, RecordRoundTripsThroughMemory) {
    Bytes written;
    {
        MemoryOutputStream mem;
        DataOutputStream out(&mem, false);
        out.writeBool(true);
        out.writeChar('x');
        out.writeWChar(0x263A);
        out.writeByte(0x80);
        out.writeShort(-12345);
        out.writeUShort(54321);
        out.writeInt(-123456789);
        out.writeUInt(3123456789u);
        out.writeInt64(-1234567890123456789LL);
        out.writeUInt64(12345678901234567890ull);
        out.writeString(String(L"plain \u00e9"));
        out.writeString(String(L"caf\u00e9 \u20ac"), &utf8);
        out.writeString(String());
        written.assign(mem.getBuffer(), mem.getBuffer() + mem.getLength());
    }
    MemoryInputStream mem(written.data(), static_cast<unsigned int>(written.size()), false);
    DataInputStream in(&mem, false);
    EXPECT_TRUE(in.readBool());
    EXPECT_EQ('x', in.readChar());
    EXPECT_EQ(0x263A, in.readWChar());
    EXPECT_EQ(0x80, in.readByte());
    EXPECT_EQ(-12345, in.readShort());
    EXPECT_EQ(54321, in.readUShort());
    EXPECT_EQ(-123456789, in.readInt());
    EXPECT_EQ(3123456789u, in.readUInt());
    EXPECT_EQ(-1234567890123456789LL, in.readInt64());
    EXPECT_EQ(12345678901234567890ull, in.readUInt64());
    EXPECT_EQ(units(String(L"plain \u00e9")), units(in.readString()));
    EXPECT_EQ(units(String(L"caf\u00e9 \u20ac")), units(in.readString(&utf8)));
    String last(L"not emptied");
    in.readString(last);
    EXPECT_TRUE(last.isEmpty());
    EXPECT_EQ(0, in.available());
    EXPECT_TRUE(throwsExactly<EOFException>([&] { in.readByte(); }, END_OF_FILE));
}

//===-- End of data --------------------------------------------------------===//

struct EndCase {
    char const* name;
    char const* bytes;
    void (*read)(DataInputStream&);
    std::size_t consumed;
};

EndCase const endCases[] = {
    {"bool_nothing_left", "", [](DataInputStream& i) { i.readBool(); }, 0},
    {"char_nothing_left", "", [](DataInputStream& i) { i.readChar(); }, 0},
    {"byte_nothing_left", "", [](DataInputStream& i) { i.readByte(); }, 0},
    {"wchar_one_byte_left", "12", [](DataInputStream& i) { i.readWChar(); }, 1},
    {"short_one_byte_left", "12", [](DataInputStream& i) { i.readShort(); }, 1},
    {"ushort_nothing_left", "", [](DataInputStream& i) { i.readUShort(); }, 0},
    {"int_three_bytes_left", "01 02 03", [](DataInputStream& i) { i.readInt(); }, 3},
    {"uint_one_byte_left", "01", [](DataInputStream& i) { i.readUInt(); }, 1},
    {"int64_seven_bytes_left", "01 02 03 04 05 06 07", [](DataInputStream& i) { i.readInt64(); },
     7},
    {"int64_high_half_missing", "01 02", [](DataInputStream& i) { i.readInt64(); }, 2},
    {"uint64_five_bytes_left", "01 02 03 04 05", [](DataInputStream& i) { i.readUInt64(); }, 5},
    {"string_count_cut", "00 00 00", [](DataInputStream& i) { i.readString(); }, 3},
    {"string_three_units_one_there", "00 00 00 03 00 41",
     [](DataInputStream& i) { i.readString(); }, 6},
    {"string_half_unit", "00 00 00 02 00 41 00", [](DataInputStream& i) { i.readString(); }, 7},
    {"string_count_all_ones", "FF FF FF FF 00 41", [](DataInputStream& i) { i.readString(); }, 4},
    {"string_count_all_ones_nothing_after", "FF FF FF FF",
     [](DataInputStream& i) { i.readString(); }, 4},
    {"utf8_count_cut", "00 00", [](DataInputStream& i) { i.readString(&utf8); }, 2},
    {"utf8_bytes_missing", "00 00 00 05 41 42", [](DataInputStream& i) { i.readString(&utf8); }, 6},
    {"utf8_count_all_ones", "FF FF FF FF 41", [](DataInputStream& i) { i.readString(&utf8); }, 4},
};

class DataEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(DataEnd, ThrowsEOFExceptionHavingConsumedWhatItGot) {
    EndCase const& c = GetParam();
    Bytes data = bytesOf(c.bytes);
    data.push_back(0); // MemoryInputStream wants a block even for no bytes
    MemoryInputStream mem(data.data(), static_cast<unsigned int>(data.size() - 1), false);
    DataInputStream in(&mem, false);
    EXPECT_TRUE(throwsExactly<EOFException>([&] { c.read(in); }, END_OF_FILE));
    EXPECT_EQ(static_cast<__int64>(data.size() - 1 - c.consumed), in.available());
}

INSTANTIATE_TEST_SUITE_P(Cases, DataEnd, ::testing::ValuesIn(endCases), wuxtest::CaseName());

TEST(DataInputStream, StringCutShortKeepsTheUnitsThatArrived) {
    Bytes data = bytesOf("00 00 00 03 00 41 00 42 00");
    MemoryInputStream mem(data.data(), static_cast<unsigned int>(data.size()), false);
    DataInputStream in(&mem, false);
    String out(L"old");
    EXPECT_TRUE(throwsExactly<EOFException>([&] { in.readString(out); }, END_OF_FILE));
    EXPECT_EQ("0041 0042", units(out));
}

TEST(DataInputStream, AllOnesCountLeavesTheTargetUntouched) {
    Bytes data = bytesOf("FF FF FF FF");
    MemoryInputStream mem(data.data(), 4, false);
    DataInputStream in(&mem, false);
    String out(L"old");
    EXPECT_TRUE(throwsExactly<EOFException>([&] { in.readString(out); }, END_OF_FILE));
    EXPECT_EQ(units(String(L"old")), units(out));
}

//===-- Counts from the data are not trusted --------------------------------===//

// A stream that cannot tell how much it holds (available() is 0), like a
// socket.
struct OpaqueSource {
    explicit OpaqueSource(Bytes const& bytes) : rec(&log, bytes) { rec.fixedAvailable = 0; }
    CallLog log;
    RecordingInputStream rec;
};

std::size_t largestRequest(TestAllocator const& alloc) {
    std::size_t largest = 0;
    for (unsigned int r : alloc.requests())
        largest = std::max<std::size_t>(largest, r);
    return largest;
}

TEST(DataInputStream, HugeClaimedStringEndsQuicklyWithoutHugeAllocation) {
    struct Case {
        char const* name;
        char const* bytes;
        bool encoded;
        bool opaque;
    } const cases[] = {
        {"units_2GiB_memory", "7F FF FF FF 00 41 00 42", false, false},
        {"units_2GiB_opaque", "7F FF FF FF 00 41 00 42", false, true},
        {"units_4GiB_minus_2_memory", "FF FF FF FE 00 41 00 42", false, false},
        {"encoded_2GiB_memory", "7F FF FF FF 41 42 43 44", true, false},
        {"encoded_2GiB_opaque", "7F FF FF FF 41 42 43 44", true, true},
        {"encoded_4GiB_minus_2_opaque", "FF FF FF FE 41 42 43 44", true, true},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes data = bytesOf(c.bytes);
        MemoryInputStream mem(data.data(), static_cast<unsigned int>(data.size()), false);
        OpaqueSource opaque(data);
        DataInputStream in(c.opaque ? static_cast<cpp::io::InputStream*>(&opaque.rec) : &mem,
                           false);
        TestAllocator alloc;
        String out(&alloc);
        auto const start = std::chrono::steady_clock::now();
        if (c.encoded)
            EXPECT_TRUE(
                throwsExactly<EOFException>([&] { in.readString(&utf8, out); }, END_OF_FILE));
        else
            EXPECT_TRUE(throwsExactly<EOFException>([&] { in.readString(out); }, END_OF_FILE));
        auto const elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_LT(elapsed, std::chrono::milliseconds(200));
        EXPECT_LE(largestRequest(alloc), 256u) << "for 8 bytes of input";
        EXPECT_EQ(0u, alloc.foreignFrees());
    }
}

TEST(DataInputStream, LongStringsStillArriveWhole) {
    // Storage grows with the data; a string far longer than any first
    // reservation arrives whole, and its storage stays a small multiple of
    // its size.
    unsigned int const n = 100000;
    std::vector<unsigned short> expected(n);
    Bytes data = {0x00, 0x01, 0x86, 0xA0}; // 100000
    for (unsigned int i = 0; i < n; ++i) {
        expected[i] = static_cast<unsigned short>(0x20 + i % 0x7000);
        data.push_back(static_cast<unsigned char>(expected[i] >> 8));
        data.push_back(static_cast<unsigned char>(expected[i] & 0xFF));
    }
    for (bool opaque : {false, true}) {
        SCOPED_TRACE(opaque ? "opaque source" : "memory source");
        MemoryInputStream mem(data.data(), static_cast<unsigned int>(data.size()), false);
        OpaqueSource hidden(data);
        DataInputStream in(opaque ? static_cast<cpp::io::InputStream*>(&hidden.rec) : &mem, false);
        TestAllocator alloc;
        String out(&alloc);
        in.readString(out);
        ASSERT_EQ(n, out.getLength());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.getCStr()));
        EXPECT_LE(largestRequest(alloc), 3u * data.size());
    }
}

TEST(DataInputStream, LongEncodedStringsStillArriveWhole) {
    std::string ascii(70000, 'a');
    for (std::size_t i = 0; i < ascii.size(); ++i)
        ascii[i] = static_cast<char>('a' + i % 26);
    Bytes data = {0x00, 0x01, 0x11, 0x70}; // 70000
    data.insert(data.end(), ascii.begin(), ascii.end());
    for (bool opaque : {false, true}) {
        SCOPED_TRACE(opaque ? "opaque source" : "memory source");
        MemoryInputStream mem(data.data(), static_cast<unsigned int>(data.size()), false);
        OpaqueSource hidden(data);
        DataInputStream in(opaque ? static_cast<cpp::io::InputStream*>(&hidden.rec) : &mem, false);
        TestAllocator alloc;
        String out(&alloc);
        in.readString(&utf8, out);
        ASSERT_EQ(70000u, out.getLength());
        bool same = true;
        for (unsigned int i = 0; i < out.getLength(); ++i)
            same = same && out.getCStr()[i] == static_cast<unsigned short>(ascii[i]);
        EXPECT_TRUE(same);
        EXPECT_LE(largestRequest(alloc), 4u * data.size());
        EXPECT_EQ(0u, alloc.foreignFrees());
    }
}

//===-- Virtual slots ------------------------------------------------------===//

// Records the calls of the slots that composite operations must go through,
// and shows that the other typed operations do not use them.
class SpyingOutput : public DataOutputStream {
public:
    SpyingOutput(cpp::io::OutputStream* out, CallLog* log)
        : DataOutputStream(out, false), _log(log) {}
    void writeUShort(unsigned short v) override {
        _log->add("writeUShort(" + std::to_string(v) + ")");
        DataOutputStream::writeUShort(v);
    }
    void writeUInt(unsigned int v) override {
        _log->add("writeUInt(" + std::to_string(v) + ")");
        DataOutputStream::writeUInt(v);
    }
    void writeUInt64(unsigned __int64 v) override {
        _log->add("writeUInt64(" + std::to_string(v) + ")");
        DataOutputStream::writeUInt64(v);
    }

private:
    CallLog* _log;
};

class SpyingInput : public DataInputStream {
public:
    SpyingInput(cpp::io::InputStream* in, CallLog* log) : DataInputStream(in, false), _log(log) {}
    int readInt() override {
        _log->add("readInt");
        return DataInputStream::readInt();
    }
    unsigned int readUInt() override {
        _log->add("readUInt");
        return DataInputStream::readUInt();
    }
    unsigned short readUShort() override {
        _log->add("readUShort");
        return DataInputStream::readUShort();
    }
    unsigned __int64 readUInt64() override {
        _log->add("readUInt64");
        return DataInputStream::readUInt64();
    }

private:
    CallLog* _log;
};

TEST(DataOutputStream, CompositeWritesGoThroughTheVirtualSlots) {
    CallLog spy;
    MemoryOutputStream mem;
    SpyingOutput out(&mem, &spy);
    out.writeShort(-1);
    out.writeInt(7);
    out.writeInt64(1);
    EXPECT_TRUE(spy.calls.empty()) << "signed writes do not use the unsigned slots";
    out.writeWChar(0x41);
    out.writeString(String(L"Hi"));
    out.writeString(String(L"\u00e9"), &utf8);
    EXPECT_EQ("writeUShort(65) writeUInt(2) writeUInt(2)", spy.text());
    EXPECT_EQ("FF FF 00 00 00 07 00 00 00 00 00 00 00 01 "
              "00 41 00 00 00 02 00 48 00 69 00 00 00 02 C3 A9",
              wuxtest::hex(mem.getBuffer(), mem.getLength()));
}

TEST(DataInputStream, CompositeReadsGoThroughTheVirtualSlots) {
    Bytes data = bytesOf("FF FE 00 00 00 01 00 00 00 02  FF FF FF FF FF FF FF FF  00 41"
                         "00 00 00 01 00 5A  00 00 00 01 5A");
    CallLog spy;
    MemoryInputStream mem(data.data(), static_cast<unsigned int>(data.size()), false);
    SpyingInput in(&mem, &spy);
    EXPECT_EQ(-2, in.readShort());
    EXPECT_TRUE(spy.calls.empty()) << "readShort does not use readUShort";
    EXPECT_EQ(0x100000002LL, in.readInt64());
    EXPECT_EQ(0xFFFFFFFFFFFFFFFFull, in.readUInt64());
    EXPECT_EQ(0x41, in.readWChar());
    EXPECT_EQ("005A", units(in.readString()));
    EXPECT_EQ("005A", units(in.readString(&utf8)));
    EXPECT_EQ("readInt readInt readUInt64 readInt readInt readUShort readUInt readUInt",
              spy.text());
}

//===-- Refusals, forwarding, closing ---------------------------------------===//

TEST(DataOutputStream, RefusedArgumentsAndUnsupportedTypes) {
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { DataOutputStream out(nullptr, false); },
                                                 "The output stream object is null.", "out"));
    CallLog log;
    RecordingOutputStream rec(&log);
    DataOutputStream out(&rec, false);
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { out.writeString(String(L"x"), nullptr); },
                                                 "Conversion object is null.", "conversion"));
    EXPECT_TRUE(
        throwsExactly<NotImplementedException>([&] { out.writeFloat(1.0f); }, NOT_IMPLEMENTED));
    EXPECT_TRUE(
        throwsExactly<NotImplementedException>([&] { out.writeDouble(1.0); }, NOT_IMPLEMENTED));
    EXPECT_TRUE(log.calls.empty());
}

TEST(DataInputStream, RefusedArgumentsAndUnsupportedTypes) {
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { DataInputStream in(nullptr, false); },
                                                 "The input stream cannot be null.", "in"));
    CallLog log;
    RecordingInputStream rec(&log, bytesOf("00 00 00 01 41"));
    DataInputStream in(&rec, false);
    String out;
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { in.readString(nullptr, out); },
                                                 "The conversion object is null.", "conversion"));
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { in.readString(nullptr); },
                                                 "The conversion object is null.", "conversion"));
    EXPECT_TRUE(throwsExactly<NotImplementedException>([&] { in.readFloat(); }, NOT_IMPLEMENTED));
    EXPECT_TRUE(throwsExactly<NotImplementedException>([&] { in.readDouble(); }, NOT_IMPLEMENTED));
    EXPECT_TRUE(log.calls.empty()) << "nothing was consumed";
}

TEST(DataOutputStream, PlainOperationsAreForwarded) {
    CallLog log;
    RecordingOutputStream rec(&log);
    rec.seekResult = 17;
    DataOutputStream out(&rec, false);
    EXPECT_EQ(&rec, out.getOutputStream());
    Bytes three = {1, 2, 3};
    out.write(three.data(), 3);
    out.write(0x104);
    EXPECT_EQ(17, out.seek(-3, End));
    out.flush();
    EXPECT_EQ(rec.getBuffer(), out.getBuffer());
    EXPECT_EQ("write[3] write[1] seek(-3,2) flush", log.text())
        << "write(int) of the data stream is the block write of one byte";
}

TEST(DataInputStream, PlainOperationsAreForwarded) {
    CallLog log;
    RecordingInputStream rec(&log, bytesOf("01 02 03 04 05"));
    DataInputStream in(&rec, false);
    EXPECT_EQ(&rec, in.getInputStream());
    unsigned char block[4];
    EXPECT_EQ(2, in.read(block, 2));
    EXPECT_EQ(3, in.read());
    EXPECT_EQ(2, in.available());
    EXPECT_EQ(1, in.seek(1, Begin));
    EXPECT_EQ("read[2] read[1] seek(1,0)", log.text());
}

struct DataCloseCase {
    char const* name;
    bool owns;
    char const* outputLog;
    char const* inputLog;
};

DataCloseCase const dataCloseCases[] = {
    {"owned", true, "flush close destroyed", "close destroyed"},
    {"not_owned", false, "flush close", "close"},
};

class DataClose : public ::testing::TestWithParam<DataCloseCase> {};

TEST_P(DataClose, OutputAlwaysClosesTheWrappedStream) {
    DataCloseCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    {
        DataOutputStream out(rec, c.owns);
        out.close();
        EXPECT_EQ(c.outputLog, log.text());
        EXPECT_EQ(nullptr, out.getOutputStream());
        out.close();
    }
    EXPECT_EQ(c.outputLog, log.text());
    if (!c.owns)
        delete rec;
}

TEST_P(DataClose, OutputDestructorCloses) {
    DataCloseCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    { DataOutputStream out(rec, c.owns); }
    EXPECT_EQ(c.outputLog, log.text());
    if (!c.owns)
        delete rec;
}

TEST_P(DataClose, InputAlwaysClosesTheWrappedStream) {
    DataCloseCase const& c = GetParam();
    CallLog log;
    auto* rec = new RecordingInputStream(&log, Bytes{1});
    {
        DataInputStream in(rec, c.owns);
        in.close();
        EXPECT_EQ(c.inputLog, log.text());
        EXPECT_EQ(nullptr, in.getInputStream());
        in.close();
    }
    EXPECT_EQ(c.inputLog, log.text());
    if (!c.owns)
        delete rec;
}

INSTANTIATE_TEST_SUITE_P(Cases, DataClose, ::testing::ValuesIn(dataCloseCases),
                         wuxtest::CaseName());

TEST(DataOutputStream, CloseIgnoresAFailingFlushButNotAFailingClose) {
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    rec->failFlush = true;
    {
        DataOutputStream out(rec, true);
        EXPECT_NO_THROW(out.close());
        EXPECT_EQ("flush close destroyed", log.text()) << "the wrapped stream is still closed";
    }
    log.clear();
    rec = new RecordingOutputStream(&log);
    rec->failClose = true;
    {
        DataOutputStream out(rec, true);
        EXPECT_TRUE(throwsExactly<IOException>([&] { out.close(); }, "close failed"));
        EXPECT_EQ("flush close destroyed", log.text());
        EXPECT_TRUE(throwsExactly<IOException>([&] { out.writeInt(1); }, OUT_CLOSED));
    }
    log.clear();
    rec = new RecordingOutputStream(&log);
    rec->failClose = true;
    EXPECT_NO_THROW({ DataOutputStream out(rec, true); });
    EXPECT_EQ("flush close destroyed", log.text()) << "the destructor swallows the failure";
}

TEST(DataInputStream, FailingCloseIsReportedByCloseOnly) {
    CallLog log;
    auto* rec = new RecordingInputStream(&log, Bytes{1});
    rec->failClose = true;
    {
        DataInputStream in(rec, true);
        EXPECT_TRUE(throwsExactly<IOException>([&] { in.close(); }, "close failed"));
        EXPECT_EQ("close destroyed", log.text());
    }
    log.clear();
    rec = new RecordingInputStream(&log, Bytes{1});
    rec->failClose = true;
    EXPECT_NO_THROW({ DataInputStream in(rec, true); });
    EXPECT_EQ("close destroyed", log.text());
}

TEST(DataOutputStream, ClosedStreamRefusesEverythingButClose) {
    CallLog log;
    RecordingOutputStream rec(&log);
    DataOutputStream out(&rec, false);
    out.close();
    log.clear();
    void (*const ops[])(DataOutputStream&) = {
        [](DataOutputStream& o) { o.write(Bytes{1}.data(), 1); },
        [](DataOutputStream& o) { o.write(1); },
        [](DataOutputStream& o) { o.seek(0, Begin); },
        [](DataOutputStream& o) { o.flush(); },
        [](DataOutputStream& o) { o.getBuffer(); },
        [](DataOutputStream& o) { o.writeBool(true); },
        [](DataOutputStream& o) { o.writeChar('a'); },
        [](DataOutputStream& o) { o.writeWChar(1); },
        [](DataOutputStream& o) { o.writeByte(1); },
        [](DataOutputStream& o) { o.writeShort(1); },
        [](DataOutputStream& o) { o.writeUShort(1); },
        [](DataOutputStream& o) { o.writeInt(1); },
        [](DataOutputStream& o) { o.writeUInt(1); },
        [](DataOutputStream& o) { o.writeInt64(1); },
        [](DataOutputStream& o) { o.writeUInt64(1); },
        [](DataOutputStream& o) { o.writeFloat(1.0f); },
        [](DataOutputStream& o) { o.writeDouble(1.0); },
        [](DataOutputStream& o) { o.writeString(String(L"a")); },
        [](DataOutputStream& o) { o.writeString(String(L"a"), &utf8); },
        [](DataOutputStream& o) { o.writeString(String(L"a"), nullptr); },
    };
    int index = 0;
    for (auto op : ops) {
        EXPECT_TRUE(throwsExactly<IOException>([&] { op(out); }, OUT_CLOSED)) << "op " << index;
        ++index;
    }
    EXPECT_TRUE(log.calls.empty());
}

TEST(DataInputStream, ClosedStreamRefusesEverythingButCloseAndTheUnsupportedTypes) {
    CallLog log;
    RecordingInputStream rec(&log, Bytes{1, 2, 3, 4});
    DataInputStream in(&rec, false);
    in.close();
    log.clear();
    void (*const ops[])(DataInputStream&) = {
        [](DataInputStream& i) {
            unsigned char b[2];
            i.read(b, 2);
        },
        [](DataInputStream& i) { i.read(); },
        [](DataInputStream& i) { i.seek(0, Begin); },
        [](DataInputStream& i) { i.available(); },
        [](DataInputStream& i) { i.readBool(); },
        [](DataInputStream& i) { i.readChar(); },
        [](DataInputStream& i) { i.readWChar(); },
        [](DataInputStream& i) { i.readByte(); },
        [](DataInputStream& i) { i.readShort(); },
        [](DataInputStream& i) { i.readUShort(); },
        [](DataInputStream& i) { i.readInt(); },
        [](DataInputStream& i) { i.readUInt(); },
        [](DataInputStream& i) { i.readInt64(); },
        [](DataInputStream& i) { i.readUInt64(); },
        [](DataInputStream& i) { i.readString(); },
        [](DataInputStream& i) {
            String s;
            i.readString(s);
        },
        [](DataInputStream& i) { i.readString(&utf8); },
        [](DataInputStream& i) {
            String s;
            i.readString(&utf8, s);
        },
    };
    int index = 0;
    for (auto op : ops) {
        EXPECT_TRUE(throwsExactly<IOException>([&] { op(in); }, IN_CLOSED)) << "op " << index;
        ++index;
    }
    EXPECT_TRUE(throwsExactly<NotImplementedException>([&] { in.readFloat(); }, NOT_IMPLEMENTED));
    EXPECT_TRUE(throwsExactly<NotImplementedException>([&] { in.readDouble(); }, NOT_IMPLEMENTED));
    EXPECT_TRUE(log.calls.empty());
}

} // namespace
