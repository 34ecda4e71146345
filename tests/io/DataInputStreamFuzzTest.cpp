// DataInputStream against data it cannot trust: thousands of random byte
// sequences, records cut at every kind of place and records with corrupted
// bytes, read through a memory stream, a buffered stream and a stream that
// cannot tell how much it holds. Every read either returns or throws
// EOFException (FormatException only where a Conversion decodes bytes);
// nothing crashes, and the strings' allocator never sees a request beyond a
// small multiple of the input size. Records cut short return every complete
// value as written and fail exactly at the value that crosses the cut.
#include "RecordingStreams.h"
#include "TestAllocator.h"

#include "wux/io/BufferedInputStream.h"
#include "wux/io/DataInputStream.h"
#include "wux/io/DataOutputStream.h"
#include "wux/io/EOFException.h"
#include "wux/io/MemoryInputStream.h"
#include "wux/io/MemoryOutputStream.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/String.h"
#include "wux/text/UTF16LEConversion.h"
#include "wux/text/UTF8Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using cpp::io::BufferedInputStream;
using cpp::io::DataInputStream;
using cpp::io::DataOutputStream;
using cpp::io::EOFException;
using cpp::io::InputStream;
using cpp::io::MemoryInputStream;
using cpp::io::MemoryOutputStream;
using cpp::lang::Exception;
using cpp::lang::FormatException;
using cpp::lang::String;
using cpp::text::UTF16LEConversion;
using cpp::text::UTF8Conversion;
using wuxtest::Bytes;
using wuxtest::CallLog;
using wuxtest::RecordingInputStream;
using wuxtest::TestAllocator;

UTF8Conversion const utf8;
UTF16LEConversion const utf16le;

enum Kind {
    Bool,
    Char,
    WChar,
    Byte,
    Short,
    UShort,
    Int,
    UInt,
    Int64,
    UInt64,
    Text,
    TextUtf8,
    TextUtf16,
    KIND_COUNT
};

// One value of a record: its kind, its bits as an unsigned 64-bit number
// (numbers) or its units (strings).
struct Field {
    Kind kind;
    unsigned long long bits;
    std::vector<unsigned short> text;
};

// How the data reaches DataInputStream.
enum Source { FromMemory, FromBuffered, FromOpaque, SOURCE_COUNT };

// The data behind a DataInputStream, kept alive for one sequence.
struct Reader {
    Reader(Bytes const& input, Source source) : data(input) {
        data.push_back(0); // a block even for no bytes
        unsigned int const n = static_cast<unsigned int>(input.size());
        switch (source) {
        case FromMemory:
            in.reset(new DataInputStream(new MemoryInputStream(data.data(), n, false), true));
            break;
        case FromBuffered:
            in.reset(new DataInputStream(
                new BufferedInputStream(new MemoryInputStream(data.data(), n, false), 7, true),
                true));
            break;
        default:
            opaque.reset(new RecordingInputStream(&log, input));
            opaque->fixedAvailable = 0;
            in.reset(new DataInputStream(opaque.get(), false));
            break;
        }
    }
    Bytes data;
    CallLog log;
    std::unique_ptr<RecordingInputStream> opaque;
    std::unique_ptr<DataInputStream> in;
};

// Reads one value of \p kind; strings go into a String on \p alloc. Returns
// the value in the form of Field.
Field readField(DataInputStream& in, Kind kind, TestAllocator& alloc) {
    Field f{kind, 0, {}};
    switch (kind) {
    case Bool:
        f.bits = in.readBool() ? 1 : 0;
        break;
    case Char:
        f.bits = static_cast<unsigned char>(in.readChar());
        break;
    case WChar:
        f.bits = in.readWChar();
        break;
    case Byte:
        f.bits = in.readByte();
        break;
    case Short:
        f.bits = static_cast<unsigned short>(in.readShort());
        break;
    case UShort:
        f.bits = in.readUShort();
        break;
    case Int:
        f.bits = static_cast<unsigned int>(in.readInt());
        break;
    case UInt:
        f.bits = in.readUInt();
        break;
    case Int64:
        f.bits = static_cast<unsigned long long>(in.readInt64());
        break;
    case UInt64:
        f.bits = in.readUInt64();
        break;
    default: {
        String s(&alloc);
        if (kind == Text)
            in.readString(s);
        else
            in.readString(
                kind == TextUtf8 ? static_cast<cpp::text::Conversion const*>(&utf8) : &utf16le, s);
        f.text.assign(s.getCStr(), s.getCStr() + s.getLength());
        break;
    }
    }
    return f;
}

void writeField(DataOutputStream& out, Field const& f) {
    switch (f.kind) {
    case Bool:
        out.writeBool(f.bits != 0);
        break;
    case Char:
        out.writeChar(static_cast<char>(f.bits));
        break;
    case WChar:
        out.writeWChar(static_cast<unsigned short>(f.bits));
        break;
    case Byte:
        out.writeByte(static_cast<unsigned char>(f.bits));
        break;
    case Short:
        out.writeShort(static_cast<short>(f.bits));
        break;
    case UShort:
        out.writeUShort(static_cast<unsigned short>(f.bits));
        break;
    case Int:
        out.writeInt(static_cast<int>(static_cast<unsigned int>(f.bits)));
        break;
    case UInt:
        out.writeUInt(static_cast<unsigned int>(f.bits));
        break;
    case Int64:
        out.writeInt64(static_cast<__int64>(f.bits));
        break;
    case UInt64:
        out.writeUInt64(f.bits);
        break;
    default: {
        String s(f.text.data(), static_cast<unsigned int>(f.text.size()));
        if (f.kind == Text)
            out.writeString(s);
        else
            out.writeString(s, f.kind == TextUtf8 ? static_cast<cpp::text::Conversion const*>(&utf8)
                                                  : &utf16le);
        break;
    }
    }
}

unsigned long long const MASKS[] = {1,      0xFF,       0xFFFF,     0xFF,  0xFFFF,
                                    0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, ~0ull, ~0ull};

Field randomField(std::mt19937& rng) {
    Field f{static_cast<Kind>(rng() % KIND_COUNT), 0, {}};
    if (f.kind < Text) {
        f.bits = ((static_cast<unsigned long long>(rng()) << 32) | rng()) & MASKS[f.kind];
        return f;
    }
    std::size_t const n = rng() % 5 == 0 ? rng() % 600 : rng() % 12;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned short u;
        do {
            u = static_cast<unsigned short>(rng() % 3 == 0 ? rng() % 0x10000 : 0x20 + rng() % 0x60);
            // Text through a conversion stays within what round-trips:
            // no surrogates (UTF-8) and no 0 unit (the UTF-16LE copy ends
            // at one).
        } while (f.kind != Text && (u == 0 || (u >= 0xD800 && u <= 0xDFFF)));
        f.text.push_back(u);
    }
    return f;
}

std::size_t largestRequest(TestAllocator const& alloc) {
    std::size_t largest = 0;
    for (unsigned int r : alloc.requests())
        largest = std::max<std::size_t>(largest, r);
    return largest;
}

std::size_t totalRequested(TestAllocator const& alloc) {
    std::size_t total = 0;
    for (unsigned int r : alloc.requests())
        total += r;
    return total;
}

// Runs reads of the kinds \p kinds over \p input until one throws; returns
// the number of values read. Any exception other than EOFException (or
// FormatException from a decoding read) fails the test.
::testing::AssertionResult readUntilFailure(Bytes const& input, Source source,
                                            std::vector<Kind> const& kinds, TestAllocator& alloc) {
    Reader reader(input, source);
    for (Kind kind : kinds) {
        try {
            readField(*reader.in, kind, alloc);
        } catch (EOFException const&) {
            break;
        } catch (FormatException const&) {
            if (kind != TextUtf8 && kind != TextUtf16)
                return ::testing::AssertionFailure() << "FormatException from kind " << kind;
            break;
        } catch (Exception const& e) {
            return ::testing::AssertionFailure() << "kind " << kind << " threw " << typeid(e).name()
                                                 << " \"" << wuxtest::narrow(e.toString()) << "\"";
        }
    }
    std::size_t const limit = 4 * input.size() + 256;
    if (largestRequest(alloc) > limit)
        return ::testing::AssertionFailure() << "a request of " << largestRequest(alloc)
                                             << " bytes for " << input.size() << " bytes of input";
    if (totalRequested(alloc) > 8 * input.size() + 8192)
        return ::testing::AssertionFailure()
               << totalRequested(alloc) << " bytes requested in all for " << input.size()
               << " bytes of input";
    if (alloc.liveBlocks() != 0 || alloc.foreignFrees() != 0)
        return ::testing::AssertionFailure() << "blocks leaked or freed twice";
    return ::testing::AssertionSuccess();
}

std::vector<Kind> randomKinds(std::mt19937& rng, std::size_t n) {
    std::vector<Kind> kinds(n);
    for (auto& k : kinds)
        k = static_cast<Kind>(rng() % KIND_COUNT);
    return kinds;
}

TEST(DataInputStreamFuzz, RandomBytesEndOnlyInEndOfData) {
    std::mt19937 rng(20261210u);
    for (int round = 0; round < 4000; ++round) {
        Bytes input(rng() % 48);
        for (auto& b : input)
            b = static_cast<unsigned char>(rng());
        // Counts that claim much more than is there are the interesting case.
        if (input.size() >= 4 && rng() % 2 == 0)
            input[rng() % 2] = static_cast<unsigned char>(0x40 + rng() % 0xC0);
        Source const source = static_cast<Source>(round % SOURCE_COUNT);
        TestAllocator alloc;
        ASSERT_TRUE(readUntilFailure(input, source, randomKinds(rng, 12), alloc))
            << "round " << round << ": " << wuxtest::hex(input);
    }
}

// A record of random values and the offset at which each value ends.
struct Record {
    std::vector<Field> fields;
    std::vector<std::size_t> ends;
    Bytes bytes;
};

Record randomRecord(std::mt19937& rng) {
    Record r;
    std::size_t const n = 1 + rng() % 10;
    MemoryOutputStream mem;
    DataOutputStream out(&mem, false);
    for (std::size_t i = 0; i < n; ++i) {
        r.fields.push_back(randomField(rng));
        writeField(out, r.fields.back());
        r.ends.push_back(mem.getLength());
    }
    r.bytes.assign(mem.getBuffer(), mem.getBuffer() + mem.getLength());
    return r;
}

TEST(DataInputStreamFuzz, RecordsCutAnywhereFailExactlyAtTheCut) {
    std::mt19937 rng(4242u);
    for (int round = 0; round < 3000; ++round) {
        Record const r = randomRecord(rng);
        std::size_t const cut = rng() % (r.bytes.size() + 1);
        Bytes const input(r.bytes.begin(), r.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        Source const source = static_cast<Source>(round % SOURCE_COUNT);
        TestAllocator alloc;
        {
            Reader reader(input, source);
            for (std::size_t i = 0; i < r.fields.size(); ++i) {
                Field const& expected = r.fields[i];
                if (r.ends[i] <= cut) {
                    Field got = readField(*reader.in, expected.kind, alloc);
                    ASSERT_EQ(expected.bits, got.bits) << "round " << round << " field " << i;
                    ASSERT_TRUE(expected.text == got.text) << "round " << round << " field " << i;
                } else {
                    ASSERT_THROW(readField(*reader.in, expected.kind, alloc), EOFException)
                        << "round " << round << " field " << i << " kind " << expected.kind
                        << " ends at " << r.ends[i] << ", cut at " << cut;
                    break;
                }
            }
        }
        ASSERT_LE(largestRequest(alloc), 4 * input.size() + 256) << "round " << round;
        ASSERT_EQ(0u, alloc.liveBlocks());
    }
}

TEST(DataInputStreamFuzz, CorruptedRecordsEndOnlyInEndOfData) {
    std::mt19937 rng(777u);
    for (int round = 0; round < 2000; ++round) {
        Record const r = randomRecord(rng);
        Bytes input = r.bytes;
        std::size_t const flips = 1 + rng() % 4;
        for (std::size_t i = 0; i < flips && !input.empty(); ++i)
            input[rng() % input.size()] = static_cast<unsigned char>(rng());
        std::vector<Kind> kinds;
        for (auto const& f : r.fields)
            kinds.push_back(f.kind);
        kinds.push_back(static_cast<Kind>(rng() % KIND_COUNT)); // one read past the end
        Source const source = static_cast<Source>(round % SOURCE_COUNT);
        TestAllocator alloc;
        ASSERT_TRUE(readUntilFailure(input, source, kinds, alloc))
            << "round " << round << ": " << wuxtest::hex(input);
    }
}

} // namespace
