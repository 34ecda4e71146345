// Character-set conversions: which path each target class takes for each
// source type, the bounded copies between equal encodings, the argument and
// result errors, empty input, targets without room, buffers at odd addresses,
// UTF-7 as Windows defines it, and a cross-check of every path against
// Python's codecs (tests/data/text/conversion_vectors.txt, written by
// make_vectors.py next to it).
#include "wux/text/Conversion.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/String.h"
#include "wux/text/ASCIIConversion.h"
#include "wux/text/EncodingType.h"
#include "wux/text/UTF16BEConversion.h"
#include "wux/text/UTF16LEConversion.h"
#include "wux/text/UTF32BEConversion.h"
#include "wux/text/UTF32LEConversion.h"
#include "wux/text/UTF7Conversion.h"
#include "wux/text/UTF8Conversion.h"

#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::FormatException;
using cpp::lang::NotImplementedException;
using cpp::lang::OutOfMemoryException;
using cpp::lang::String;
using namespace cpp::text;

typedef std::vector<unsigned char> Bytes;

unsigned int const ERROR_ROOM = 122; // ERROR_INSUFFICIENT_BUFFER

char const* const PARTIAL = "partial character in source, but hit end.";
char const* const NO_ROOM = "insuff. room in target for conversion.";
char const* const ILLEGAL = "source sequence is illegal.";
char const* const CANNOT = "Cannot convert string.";

//===-- Helpers ---------------------------------------------------------------===//

// The expected ANSI bytes are those of code page 1252, the ANSI code page of
// an English (or C.UTF-8) locale.
::testing::AssertionResult ansiIs1252() {
    if (GetACP() == 1252)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the ANSI code page is " << GetACP() << ", these expectations are for 1252";
}

std::string narrow(String const& s) {
    std::string out;
    for (unsigned int i = 0; i < s.getLength(); ++i)
        out += static_cast<char>(s.getCStr()[i] < 0x80 ? s.getCStr()[i] : '?');
    return out;
}

Bytes fromHex(std::string const& hex) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::string toHex(Bytes const& bytes) {
    static char const digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// A source pointer for the bytes: never null, also when there are none (a null
// source is an error even with nothing to convert).
unsigned char const* dataOf(Bytes const& b) {
    static unsigned char const none[1] = {0};
    return b.empty() ? none : b.data();
}

Bytes bytesOf(char const* s) {
    return Bytes(reinterpret_cast<unsigned char const*>(s),
                 reinterpret_cast<unsigned char const*>(s) + std::strlen(s));
}

Bytes utf16(std::u16string const& s) {
    Bytes out;
    for (char16_t c : s) {
        out.push_back(static_cast<unsigned char>(c & 0xFF));
        out.push_back(static_cast<unsigned char>(c >> 8));
    }
    return out;
}

Bytes utf32(std::u32string const& s) {
    Bytes out;
    for (char32_t c : s)
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<unsigned char>((c >> shift) & 0xFF));
    return out;
}

std::u16string unitsOf(String const& s) {
    return std::u16string(reinterpret_cast<char16_t const*>(s.getCStr()), s.getLength());
}

char const* typeName(EncodingType t) {
    static char const* const names[] = {"ASCII",   "UTF7",    "UTF8",   "UTF16LE",
                                        "UTF16BE", "UTF32LE", "UTF32BE"};
    unsigned int i = static_cast<unsigned int>(t);
    return i < 7 ? names[i] : "type 7";
}

Conversion const& conversionFor(EncodingType t) {
    static ASCIIConversion const ascii;
    static UTF7Conversion const utf7;
    static UTF8Conversion const utf8;
    static UTF16LEConversion const utf16le;
    static UTF16BEConversion const utf16be;
    static UTF32LEConversion const utf32le;
    static UTF32BEConversion const utf32be;
    static Conversion const* const all[] = {&ascii,   &utf7,    &utf8,   &utf16le,
                                            &utf16be, &utf32le, &utf32be};
    return *all[static_cast<unsigned int>(t)];
}

// What a call threw, if anything.
struct Failure {
    std::string kind; // "" when nothing was thrown
    std::string message;
    std::string argument;
    int errorId = 0;

    bool is(char const* k, char const* m) const { return kind == k && message == m; }
};

Failure failureOf(std::function<void()> const& call) {
    Failure f;
    try {
        call();
    } catch (ArgumentException const& e) {
        f.kind = "Argument";
        f.message = narrow(e.Exception::getMessage());
        f.argument = narrow(e.getArgumentName());
        f.errorId = e.getErrorId();
    } catch (FormatException const& e) {
        f.kind = "Format";
        f.message = narrow(e.getMessage());
        f.errorId = e.getErrorId();
    } catch (NotImplementedException const& e) {
        f.kind = "NotImplemented";
        f.message = narrow(e.getMessage());
    } catch (OutOfMemoryException const&) {
        f.kind = "OutOfMemory";
    } catch (Exception const& e) {
        f.kind = "Exception";
        f.message = narrow(e.getMessage());
    }
    return f;
}

std::ostream& operator<<(std::ostream& os, Failure const& f) {
    if (f.kind.empty())
        return os << "no exception";
    return os << f.kind << "Exception \"" << f.message << "\" argument \"" << f.argument
              << "\" errorId " << f.errorId;
}

// toBytes with the source and the target placed at chosen offsets inside
// buffers of their own (so that odd addresses can be tried), and guard bytes
// around the target that must come back untouched.
struct Outcome {
    Failure failure;
    Bytes written;
    bool guardsIntact = true;
};

unsigned char const GUARD = 0xA5;

Outcome runToBytes(Conversion const& c, Bytes const& src, EncodingType type, unsigned int dstBytes,
                   unsigned int srcOffset = 0, unsigned int dstOffset = 0) {
    // Start both buffers at an address that is a multiple of 8.
    std::vector<unsigned long long> srcStore((src.size() + srcOffset) / 8 + 2);
    unsigned char* srcPtr = reinterpret_cast<unsigned char*>(srcStore.data()) + srcOffset;
    if (!src.empty())
        std::memcpy(srcPtr, src.data(), src.size());
    unsigned int const tail = 16;
    std::vector<unsigned long long> dstStore((dstOffset + dstBytes + tail) / 8 + 2);
    unsigned char* base = reinterpret_cast<unsigned char*>(dstStore.data());
    std::size_t total = dstStore.size() * 8;
    std::memset(base, GUARD, total);
    unsigned char* dstPtr = base + dstOffset;

    Outcome run;
    unsigned int n = 0;
    run.failure = failureOf([&] {
        n = c.toBytes(srcPtr, static_cast<unsigned int>(src.size()), type, dstPtr, dstBytes);
    });
    if (run.failure.kind.empty()) {
        EXPECT_LE(n, dstBytes) << "result beyond the target size";
        run.written.assign(dstPtr, dstPtr + (n <= dstBytes ? n : dstBytes));
    }
    for (std::size_t i = 0; i < total; ++i)
        if ((i < dstOffset || i >= dstOffset + dstBytes) && base[i] != GUARD)
            run.guardsIntact = false;
    return run;
}

Bytes convertOk(Conversion const& c, Bytes const& src, EncodingType type, unsigned int dstBytes) {
    Outcome run = runToBytes(c, src, type, dstBytes);
    EXPECT_EQ(run.failure.kind, "") << run.failure;
    EXPECT_TRUE(run.guardsIntact);
    return run.written;
}

// UTF-16LE bytes of the UTF-7 bytes, decoded by the library.
Bytes decodeUtf7(Bytes const& utf7) {
    UTF16LEConversion c;
    unsigned int n = c.getByteCount(dataOf(utf7), static_cast<unsigned int>(utf7.size()), UTF7);
    return convertOk(c, utf7, UTF7, n);
}

// Whether the last step into the target is a Unicode routine (which reports
// a full target as "insuff. room in target for conversion.") rather than the
// platform (which fails with ERROR_INSUFFICIENT_BUFFER).
bool lastStepIsUnicode(EncodingType target, EncodingType source) {
    return target == UTF32LE || (source == UTF32LE && (target == UTF8 || target == UTF16LE));
}

//===-- Classes and types -------------------------------------------------------===//

TEST(Conversion, EachClassNamesItsEncodingType) {
    EXPECT_EQ(ASCIIConversion().getEncodingType(), ASCII);
    EXPECT_EQ(UTF7Conversion().getEncodingType(), UTF7);
    EXPECT_EQ(UTF8Conversion().getEncodingType(), UTF8);
    EXPECT_EQ(UTF16LEConversion().getEncodingType(), UTF16LE);
    EXPECT_EQ(UTF16BEConversion().getEncodingType(), UTF16BE);
    EXPECT_EQ(UTF32LEConversion().getEncodingType(), UTF32LE);
    EXPECT_EQ(UTF32BEConversion().getEncodingType(), UTF32BE);
    // The values are fixed: they are stored in files.
    int const values[] = {ASCII, UTF7, UTF8, UTF16LE, UTF16BE, UTF32LE, UTF32BE};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(values[i], i);
    // Copies convert like the original.
    UTF8Conversion original;
    UTF8Conversion copy(original);
    UTF8Conversion assigned;
    assigned = original;
    Bytes e9 = utf16(u"\u00e9");
    EXPECT_EQ(toHex(convertOk(copy, e9, UTF16LE, 2)), "c3a9");
    EXPECT_EQ(toHex(convertOk(assigned, e9, UTF16LE, 2)), "c3a9");
}

//===-- The support matrix --------------------------------------------------------===//

// How a target class handles a source type.
enum Path {
    SAME,     // bounded copy
    PLATFORM, // converted, the last step through the code-page calls
    ROUTINE,  // converted, the last step through a Unicode routine
    NONE      // NotImplementedException
};

// The probe text U+00E9 U+0000 'b' in every source form. A converting path
// carries the 0 through; a bounded copy stops at it.
Bytes probeIn(EncodingType t) {
    switch (t) {
    case ASCII:
        return fromHex("e90062");
    case UTF7:
        return bytesOf("+AOkAAA-b");
    case UTF8:
        return fromHex("c3a90062");
    case UTF16LE:
        return fromHex("e90000006200");
    case UTF16BE:
        return fromHex("00e900000062");
    case UTF32LE:
        return fromHex("e90000000000000062000000");
    case UTF32BE:
        return fromHex("000000e90000000000000062");
    default:
        return fromHex("e90062");
    }
}

TEST(ConversionMatrix, EveryTargetAndSourceTakeTheirPath) {
    ASSERT_TRUE(ansiIs1252());
    // Rows: target class; columns: source types 0-6, then an unknown type 7.
    Path const rows[7][8] = {
        /* ASCII    */ {SAME, PLATFORM, PLATFORM, PLATFORM, NONE, PLATFORM, NONE, NONE},
        /* UTF7     */ {PLATFORM, SAME, PLATFORM, PLATFORM, NONE, PLATFORM, NONE, NONE},
        /* UTF8     */ {PLATFORM, PLATFORM, SAME, PLATFORM, NONE, ROUTINE, NONE, NONE},
        /* UTF16LE  */ {PLATFORM, PLATFORM, PLATFORM, SAME, NONE, ROUTINE, NONE, NONE},
        /* UTF16BE  */ {NONE, NONE, NONE, NONE, NONE, NONE, NONE, NONE},
        /* UTF32LE  */ {ROUTINE, ROUTINE, ROUTINE, ROUTINE, NONE, SAME, NONE, NONE},
        /* UTF32BE  */ {NONE, NONE, NONE, NONE, NONE, NONE, NONE, NONE},
    };
    // The probe as each target writes it when converted, and what a bounded
    // copy keeps: the bytes before the first 0 byte, or the units up to and
    // including the first 0 unit (UTF-7 has no 0 byte: all of it).
    char const* const converted[7] = {"e90062",       nullptr, "c3a90062",
                                      "e90000006200", nullptr, "e90000000000000062000000",
                                      nullptr};
    char const* const copied[7] = {"e9",    "2b414f6b4141412d62", "c3a9", "e9000000",
                                   nullptr, "e900000000000000",   nullptr};

    for (int t = 0; t < 7; ++t) {
        for (int s = 0; s < 8; ++s) {
            EncodingType target = static_cast<EncodingType>(t);
            EncodingType source = static_cast<EncodingType>(s);
            Path path = rows[t][s];
            SCOPED_TRACE(std::string(typeName(target)) + " from " + typeName(source));
            Conversion const& c = conversionFor(target);
            Bytes src = probeIn(source);
            unsigned int srcBytes = static_cast<unsigned int>(src.size());

            if (path == NONE) {
                Outcome run = runToBytes(c, src, source, 64);
                EXPECT_TRUE(
                    run.failure.is("NotImplemented", "The method or operation is not implemented."))
                    << run.failure;
                Failure count = failureOf([&] { c.getByteCount(src.data(), srcBytes, source); });
                EXPECT_TRUE(
                    count.is("NotImplemented", "The method or operation is not implemented."))
                    << count;
                continue;
            }

            unsigned int counted = c.getByteCount(src.data(), srcBytes, source);
            if (path == SAME) {
                EXPECT_EQ(counted, srcBytes);
                Outcome run = runToBytes(c, src, source, srcBytes);
                EXPECT_EQ(run.failure.kind, "") << run.failure;
                EXPECT_EQ(toHex(run.written), copied[t]);
                continue;
            }

            Bytes out = convertOk(c, src, source, counted);
            EXPECT_EQ(out.size(), counted);
            if (target == UTF7) {
                for (unsigned char b : out)
                    EXPECT_LT(b, 0x80) << "UTF-7 is 7-bit";
                EXPECT_EQ(toHex(decodeUtf7(out)), toHex(probeIn(UTF16LE)));
            } else {
                EXPECT_EQ(toHex(out), converted[t]);
            }
            // One byte short: the last step tells which kind it is.
            Outcome shortRun = runToBytes(c, src, source, counted - 1);
            EXPECT_TRUE(shortRun.guardsIntact);
            if (path == ROUTINE) {
                EXPECT_TRUE(shortRun.failure.is("Format", NO_ROOM)) << shortRun.failure;
            } else {
                EXPECT_TRUE(shortRun.failure.is("Format", CANNOT)) << shortRun.failure;
                EXPECT_EQ(shortRun.failure.errorId, static_cast<int>(ERROR_ROOM));
            }
        }
    }
}

//===-- Bounded copies between equal encodings ------------------------------------===//

TEST(ConversionSame, CopiesAreBoundedAndStopAtTheFirstZero) {
    struct Case {
        char const* name;
        EncodingType type; // source and target
        char const* src;   // hex
        unsigned int dstBytes;
        unsigned int result;
        char const* dst; // the whole target afterwards, hex ("a5" = untouched)
    } const cases[] = {
        // Byte encodings: like strncpy over min(srcBytes, dstBytes) bytes.
        {"ANSI stops at 0 and zero-fills the rest of the count", ASCII, "61620063640a", 8, 2,
         "616200000000a5a5"},
        {"ANSI without 0 is cut at the target size", ASCII, "616263", 2, 2, "6162"},
        {"ANSI source shorter than the target", ASCII, "6162", 5, 2, "6162a5a5a5"},
        {"ANSI leading 0", ASCII, "006162", 3, 0, "000000"},
        {"UTF-8 copies bytes, not characters", UTF8, "c3a9e282ac", 4, 4, "c3a9e282"},
        {"UTF-8 stops at 0", UTF8, "c3a90041", 4, 2, "c3a90000"},
        {"UTF-7 copies bytes", UTF7, "2b414f6b2d", 3, 3, "2b414f"},
        {"UTF-7 stops at 0", UTF7, "4100422d", 4, 1, "41000000"},
        // UTF-16LE: whole units, the 0 unit copied and counted, no fill.
        {"UTF-16LE stops after the 0 unit", UTF16LE, "610062000000630064000000", 12, 6,
         "610062000000a5a5a5a5a5a5"},
        {"UTF-16LE odd target size copies whole units", UTF16LE, "610062006300", 5, 4,
         "61006200a5"},
        {"UTF-16LE odd source size drops the half unit", UTF16LE, "61006200ff", 6, 4,
         "61006200a5a5"},
        {"UTF-16LE a 0 byte inside a unit is no 0 unit", UTF16LE, "00610062", 4, 4, "00610062"},
        {"UTF-16LE target of one byte", UTF16LE, "6100", 1, 0, "a5"},
        // UTF-32LE likewise with 4-byte units.
        {"UTF-32LE stops after the 0 unit", UTF32LE, "410000000000000042000000", 12, 8,
         "4100000000000000a5a5a5a5"},
        {"UTF-32LE target of 7 bytes takes one unit", UTF32LE, "4100000042000000", 7, 4,
         "41000000a5a5a5"},
        {"UTF-32LE source of 6 bytes is one unit", UTF32LE, "410000004200", 8, 4,
         "41000000a5a5a5a5"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Conversion const& conv = conversionFor(c.type);
        Bytes src = fromHex(c.src);
        // getByteCount of the same encoding is the source size, whatever it holds.
        EXPECT_EQ(conv.getByteCount(src.data(), static_cast<unsigned int>(src.size()), c.type),
                  src.size());
        for (unsigned int offset : {0u, 1u}) {
            SCOPED_TRACE(offset == 0 ? "aligned" : "odd addresses");
            std::vector<unsigned char> store(c.dstBytes + offset + 8, GUARD);
            unsigned char* dst = store.data() + offset;
            std::vector<unsigned char> srcStore(src.size() + offset + 1);
            std::memcpy(srcStore.data() + offset, src.data(), src.size());
            unsigned int n =
                conv.toBytes(srcStore.data() + offset, static_cast<unsigned int>(src.size()),
                             c.type, dst, c.dstBytes);
            EXPECT_EQ(n, c.result);
            EXPECT_EQ(toHex(Bytes(dst, dst + c.dstBytes)), c.dst);
            for (std::size_t i = 0; i < store.size(); ++i) {
                if (i < offset || i >= offset + c.dstBytes) {
                    EXPECT_EQ(store[i], GUARD) << "byte " << i << " outside the target";
                }
            }
        }
    }
}

//===-- Cross-check with Python's codecs --------------------------------------------===//

struct Vector {
    std::string name;
    EncodingType source;
    Bytes src;
    EncodingType target;
    char kind; // '=', '@', '~', '!'
    std::string expect;
};

EncodingType typeFromName(std::string const& name) {
    for (int t = 0; t < 7; ++t)
        if (name == typeName(static_cast<EncodingType>(t)))
            return static_cast<EncodingType>(t);
    ADD_FAILURE() << "unknown type " << name;
    return ASCII;
}

std::string const VECTOR_FILE = std::string(WUX_TEST_DATA_DIR) + "/text/conversion_vectors.txt";

std::vector<Vector> loadVectors() {
    std::vector<Vector> out;
    std::ifstream in(VECTOR_FILE.c_str(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        if (fields.size() != 5 || fields[4].empty()) {
            ADD_FAILURE() << "bad line: " << line;
            continue;
        }
        Vector v;
        v.name = fields[0];
        v.source = typeFromName(fields[1]);
        v.src = fromHex(fields[2]);
        v.target = typeFromName(fields[3]);
        v.kind = fields[4][0];
        v.expect = fields[4].substr(1);
        out.push_back(v);
    }
    return out;
}

// UTF-16LE bytes with every run of U+FFFD reduced to one.
Bytes collapseReplacements(Bytes const& b) {
    Bytes out;
    bool lastWasReplacement = false;
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
        bool replacement = b[i] == 0xFD && b[i + 1] == 0xFF;
        if (!(replacement && lastWasReplacement)) {
            out.push_back(b[i]);
            out.push_back(b[i + 1]);
        }
        lastWasReplacement = replacement;
    }
    return out;
}

void checkExact(Vector const& v) {
    Conversion const& c = conversionFor(v.target);
    Bytes expected = fromHex(v.expect);
    unsigned int srcBytes = static_cast<unsigned int>(v.src.size());
    unsigned int size = static_cast<unsigned int>(expected.size());
    EXPECT_EQ(c.getByteCount(dataOf(v.src), srcBytes, v.source), size);

    // Exactly enough room, with the buffers aligned and at odd addresses.
    unsigned int const offsets[][2] = {{0, 0}, {1, 3}, {2, 1}};
    for (auto const& o : offsets) {
        SCOPED_TRACE("source offset " + std::to_string(o[0]) + ", target offset " +
                     std::to_string(o[1]));
        Outcome run = runToBytes(c, v.src, v.source, size, o[0], o[1]);
        EXPECT_EQ(run.failure.kind, "") << run.failure;
        EXPECT_EQ(toHex(run.written), v.expect);
        EXPECT_TRUE(run.guardsIntact);
    }

    // One byte less.
    if (size == 0)
        return;
    Outcome run = runToBytes(c, v.src, v.source, size - 1, 1, 1);
    EXPECT_TRUE(run.guardsIntact);
    if (v.source == v.target) {
        // A bounded copy keeps the whole units that fit.
        unsigned int unit = v.target == UTF16LE ? 2 : v.target == UTF32LE ? 4 : 1;
        unsigned int keep = (size - 1) / unit * unit;
        EXPECT_EQ(run.failure.kind, "") << run.failure;
        EXPECT_EQ(toHex(run.written), v.expect.substr(0, 2 * keep));
    } else if (lastStepIsUnicode(v.target, v.source)) {
        EXPECT_TRUE(run.failure.is("Format", NO_ROOM)) << run.failure;
    } else {
        EXPECT_TRUE(run.failure.is("Format", CANNOT)) << run.failure;
        EXPECT_EQ(run.failure.errorId, static_cast<int>(ERROR_ROOM));
    }

    // Conversion::toString goes the UTF-16LE way.
    if (v.target == UTF16LE) {
        String s = Conversion::toString(dataOf(v.src), srcBytes, v.source);
        EXPECT_EQ(toHex(utf16(unitsOf(s))), v.expect);
    }
}

void checkVector(Vector const& v) {
    Conversion const& c = conversionFor(v.target);
    unsigned int srcBytes = static_cast<unsigned int>(v.src.size());
    switch (v.kind) {
    case '=':
        checkExact(v);
        break;
    case '@': {
        unsigned int size = c.getByteCount(dataOf(v.src), srcBytes, v.source);
        Bytes out = convertOk(c, v.src, v.source, size);
        EXPECT_EQ(out.size(), size);
        for (unsigned char b : out)
            EXPECT_LT(b, 0x80) << "UTF-7 is 7-bit";
        EXPECT_EQ(toHex(decodeUtf7(out)), v.expect);
        break;
    }
    case '~': {
        unsigned int size = c.getByteCount(dataOf(v.src), srcBytes, v.source);
        Bytes out = convertOk(c, v.src, v.source, size);
        EXPECT_EQ(out.size(), size);
        EXPECT_EQ(toHex(collapseReplacements(out)), v.expect);
        break;
    }
    case '!': {
        char const* message = v.expect == "partial" ? PARTIAL : ILLEGAL;
        Outcome run = runToBytes(c, v.src, v.source, 4 * srcBytes + 16);
        EXPECT_TRUE(run.failure.is("Format", message)) << run.failure;
        Failure count = failureOf([&] { c.getByteCount(dataOf(v.src), srcBytes, v.source); });
        EXPECT_TRUE(count.is("Format", message)) << count;
        break;
    }
    default:
        ADD_FAILURE() << "unknown expectation " << v.kind;
    }
}

TEST(ConversionVectors, EveryPathAgreesWithPythonCodecs) {
    ASSERT_TRUE(ansiIs1252());
    std::vector<Vector> vectors = loadVectors();
    ASSERT_FALSE(vectors.empty()) << "no conversions read from " << VECTOR_FILE;
    for (Vector const& v : vectors) {
        SCOPED_TRACE(v.name + ": " + typeName(v.source) + " " + toHex(v.src) + " into " +
                     typeName(v.target));
        Failure unexpected = failureOf([&] { checkVector(v); });
        EXPECT_EQ(unexpected.kind, "") << unexpected;
    }
}

//===-- Edge cases --------------------------------------------------------------------===//

TEST(ConversionEdges, DocumentedCases) {
    // U+00E9 as UTF-8.
    Bytes e9 = utf16(u"\u00e9");
    EXPECT_EQ(UTF8Conversion().getByteCount(e9.data(), 2, UTF16LE), 2u);
    EXPECT_EQ(toHex(convertOk(UTF8Conversion(), e9, UTF16LE, 2)), "c3a9");

    // A UTF-32 value beyond Unicode becomes U+FFFD.
    Bytes beyond = utf32(U"\U00110000");
    EXPECT_EQ(toHex(convertOk(UTF16LEConversion(), beyond, UTF32LE, 2)), "fdff");

    // UTF-8 cut inside a 3-byte sequence.
    Bytes cut = fromHex("e381");
    Outcome run = runToBytes(UTF32LEConversion(), cut, UTF8, 16);
    EXPECT_TRUE(run.failure.is("Format", PARTIAL)) << run.failure;

    // The count of UTF-16LE into UTF-16LE is the input's size, odd or not.
    Bytes text = utf16(u"abc");
    EXPECT_EQ(UTF16LEConversion().getByteCount(text.data(), 6, UTF16LE), 6u);
    EXPECT_EQ(UTF16LEConversion().getByteCount(text.data(), 5, UTF16LE), 5u);
}

TEST(ConversionEdges, PartialUnitsOfTheSourceAreIgnored) {
    struct Case {
        char const* name;
        EncodingType target;
        EncodingType source;
        char const* src;
        char const* expected;
    } const cases[] = {
        {"UTF-32 source of 7 bytes", UTF16LE, UTF32LE, "41000000420000", "4100"},
        {"UTF-32 source of 3 bytes", UTF8, UTF32LE, "410000", ""},
        {"UTF-16 source of 5 bytes into UTF-8", UTF8, UTF16LE, "4100420043", "4142"},
        {"UTF-16 source of 1 byte into UTF-32", UTF32LE, UTF16LE, "41", ""},
        {"UTF-16 source of 3 bytes into ANSI", ASCII, UTF16LE, "410042", "41"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Conversion const& conv = conversionFor(c.target);
        Bytes src = fromHex(c.src);
        unsigned int size =
            conv.getByteCount(src.data(), static_cast<unsigned int>(src.size()), c.source);
        EXPECT_EQ(toHex(convertOk(conv, src, c.source, size)), c.expected);
    }
}

//===-- Empty input ------------------------------------------------------------------===//

// Nothing to convert gives nothing, on every path (the platform calls would
// fail on an empty source, so they must not be asked).
TEST(ConversionEmpty, AnEmptyStringWritesThroughEveryConversion) {
    EncodingType const targets[] = {ASCII, UTF7, UTF8, UTF16LE, UTF32LE};
    EncodingType const sources[] = {ASCII, UTF7, UTF8, UTF16LE, UTF32LE};
    unsigned char dst[4] = {GUARD, GUARD, GUARD, GUARD};
    unsigned char const src[4] = {0x41, 0x42, 0x43, 0x44};
    for (EncodingType t : targets) {
        Conversion const& c = conversionFor(t);
        SCOPED_TRACE(typeName(t));
        EXPECT_EQ(c.getByteCount(String()), 0u);
        EXPECT_EQ(c.toBytes(String(), dst, 0), 0u);
        EXPECT_EQ(c.toBytes(String::EMPTY, dst, sizeof dst), 0u);
        for (EncodingType s : sources) {
            SCOPED_TRACE(typeName(s));
            EXPECT_EQ(c.getByteCount(src, 0, s), 0u);
            EXPECT_EQ(c.toBytes(src, 0, s, dst, 0), 0u);
        }
        EXPECT_EQ(toHex(Bytes(dst, dst + 4)), "a5a5a5a5");
    }
    for (EncodingType s : sources) {
        SCOPED_TRACE(typeName(s));
        EXPECT_TRUE(Conversion::toString(src, 0, s).isEmpty());
    }
}

//===-- Targets without room ------------------------------------------------------------===//

// A target too small for the result fails, also when it has no room at all
// (the platform would read a zero size as "count only" and report the count
// as if it had written it).
TEST(ConversionRoom, TooSmallTargetsFailWithoutWritingBeyondThem) {
    struct Case {
        char const* name;
        EncodingType target;
        EncodingType source;
        char const* src;
        unsigned int dstBytes;
        char const* message;
        bool platform; // error id ERROR_INSUFFICIENT_BUFFER
    } const cases[] = {
        {"ANSI into UTF-16LE, no room", UTF16LE, ASCII, "616263", 0, CANNOT, true},
        {"ANSI into UTF-16LE, half a unit", UTF16LE, ASCII, "616263", 1, CANNOT, true},
        {"UTF-16LE into ANSI, no room", ASCII, UTF16LE, "61006200", 0, CANNOT, true},
        {"UTF-16LE into UTF-8, no room", UTF8, UTF16LE, "e900", 0, CANNOT, true},
        {"UTF-16LE into UTF-8, half a character", UTF8, UTF16LE, "e900", 1, CANNOT, true},
        {"ANSI into UTF-7, no room", UTF7, ASCII, "61", 0, CANNOT, true},
        {"UTF-32LE into ANSI, no room", ASCII, UTF32LE, "41000000", 0, CANNOT, true},
        {"ANSI into UTF-32LE, 3 bytes", UTF32LE, ASCII, "61", 3, NO_ROOM, false},
        {"UTF-8 into UTF-32LE, 7 bytes for two", UTF32LE, UTF8, "6162", 7, NO_ROOM, false},
        {"UTF-16LE pair into UTF-32LE, 3 bytes", UTF32LE, UTF16LE, "3dd800de", 3, NO_ROOM, false},
        {"UTF-32LE astral into UTF-16LE, one unit", UTF16LE, UTF32LE, "00f60100", 2, NO_ROOM,
         false},
        {"UTF-32LE astral into UTF-8, 3 bytes", UTF8, UTF32LE, "00f60100", 3, NO_ROOM, false},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Outcome run =
            runToBytes(conversionFor(c.target), fromHex(c.src), c.source, c.dstBytes, 0, 1);
        EXPECT_TRUE(run.failure.is("Format", c.message)) << run.failure;
        if (c.platform) {
            EXPECT_EQ(run.failure.errorId, static_cast<int>(ERROR_ROOM));
        }
        EXPECT_TRUE(run.guardsIntact);
    }
}

//===-- Argument and result errors ------------------------------------------------------===//

TEST(ConversionErrors, NullPointersAndUnknownTypes) {
    unsigned char buf[16] = {0};
    unsigned char const src[4] = {0x41, 0, 0, 0};
    EncodingType const converting[] = {ASCII, UTF7, UTF8, UTF16LE, UTF32LE};
    for (EncodingType t : converting) {
        Conversion const& c = conversionFor(t);
        SCOPED_TRACE(typeName(t));
        for (EncodingType s : converting) {
            SCOPED_TRACE(typeName(s));
            Failure f = failureOf([&] { c.toBytes(nullptr, 4, s, buf, sizeof buf); });
            EXPECT_TRUE(f.is("Argument", "The input bytes is null.")) << f;
            EXPECT_EQ(f.argument, "str");
            // Also with nothing to convert.
            f = failureOf([&] { c.toBytes(nullptr, 0, s, buf, sizeof buf); });
            EXPECT_TRUE(f.is("Argument", "The input bytes is null.")) << f;
            f = failureOf([&] { c.toBytes(src, 4, s, nullptr, sizeof buf); });
            EXPECT_TRUE(f.is("Argument", "The output bytes is null.")) << f;
            EXPECT_EQ(f.argument, "outBytes");
            f = failureOf([&] { c.toBytes(src, 0, s, nullptr, 0); });
            EXPECT_TRUE(f.is("Argument", "The output bytes is null.")) << f;
        }
        // Types beyond the last one.
        for (int value : {7, 200, -1}) {
            SCOPED_TRACE(value);
            EncodingType unknown = static_cast<EncodingType>(value);
            Failure f = failureOf([&] { c.toBytes(src, 4, unknown, buf, sizeof buf); });
            EXPECT_TRUE(f.is("NotImplemented", "The method or operation is not implemented.")) << f;
            f = failureOf([&] { c.getByteCount(src, 4, unknown); });
            EXPECT_TRUE(f.is("NotImplemented", "The method or operation is not implemented.")) << f;
        }
    }
    // The big-endian classes refuse everything, null pointers included.
    for (EncodingType t : {UTF16BE, UTF32BE}) {
        SCOPED_TRACE(typeName(t));
        Conversion const& c = conversionFor(t);
        Failure f = failureOf([&] { c.toBytes(nullptr, 0, ASCII, nullptr, 0); });
        EXPECT_TRUE(f.is("NotImplemented", "The method or operation is not implemented.")) << f;
        f = failureOf([&] { c.toBytes(String("x"), buf, sizeof buf); });
        EXPECT_TRUE(f.is("NotImplemented", "The method or operation is not implemented.")) << f;
        f = failureOf([&] { c.getByteCount(String("x")); });
        EXPECT_TRUE(f.is("NotImplemented", "The method or operation is not implemented.")) << f;
    }
}

TEST(ConversionErrors, CountsOfANullSourceNameTheStepThatReadsIt) {
    struct Case {
        char const* name;
        EncodingType target;
        EncodingType source;
        char const* message;
        char const* argument;
    } const cases[] = {
        {"bytes through the platform", UTF16LE, UTF8, "The input string is null.", "chars"},
        {"ANSI bytes into UTF-32", UTF32LE, ASCII, "The input string is null.", "chars"},
        {"UTF-7 into UTF-8", UTF8, UTF7, "The input string is null.", "chars"},
        {"UTF-16 units through the platform", ASCII, UTF16LE, "The input string is null.",
         "wchars"},
        {"UTF-16 units into UTF-7", UTF7, UTF16LE, "The input string is null.", "wchars"},
        {"UTF-32 into UTF-16", UTF16LE, UTF32LE, "The input bytes is null.", "str"},
        {"UTF-32 into UTF-8", UTF8, UTF32LE, "The input bytes is null.", "str"},
        {"UTF-32 into ANSI", ASCII, UTF32LE, "The input bytes is null.", "str"},
        {"UTF-8 into UTF-32", UTF32LE, UTF8, "The input bytes is null.", "str"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Failure f = failureOf([&] { conversionFor(c.target).getByteCount(nullptr, 8, c.source); });
        EXPECT_TRUE(f.is("Argument", c.message)) << f;
        EXPECT_EQ(f.argument, c.argument);
    }
    Failure f = failureOf([] { Conversion::toString(nullptr, 4, UTF8); });
    EXPECT_TRUE(f.is("Argument", "The characters pointer to convert is null.")) << f;
    EXPECT_EQ(f.argument, "chars");
    f = failureOf([] { Conversion::toString(nullptr, 0, UTF16LE); });
    EXPECT_TRUE(f.is("Argument", "The characters pointer to convert is null.")) << f;
}

// The Unicode routines' failures carry the thread's last error at the time of
// the throw.
TEST(ConversionErrors, RoutineFailuresCarryTheLastError) {
    struct Case {
        char const* name;
        EncodingType target;
        EncodingType source;
        char const* src;
        unsigned int dstBytes;
        char const* message;
    } const cases[] = {
        {"cut UTF-8", UTF32LE, UTF8, "41e3", 16, PARTIAL},
        {"high surrogate at the end", UTF32LE, UTF16LE, "410000d8", 16, PARTIAL},
        {"malformed UTF-8", UTF32LE, UTF8, "41c0af", 16, ILLEGAL},
        {"no room", UTF32LE, UTF8, "414243", 8, NO_ROOM},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes src = fromHex(c.src);
        unsigned char dst[16];
        SetLastError(0x2345);
        Failure f = failureOf([&] {
            conversionFor(c.target).toBytes(src.data(), static_cast<unsigned int>(src.size()),
                                            c.source, dst, c.dstBytes);
        });
        EXPECT_TRUE(f.is("Format", c.message)) << f;
        EXPECT_EQ(f.errorId, 0x2345);
    }
}

//===-- toString ------------------------------------------------------------------===//

TEST(ConversionToString, DecodesEverySourceIntoAString) {
    ASSERT_TRUE(ansiIs1252());
    struct Case {
        char const* name;
        EncodingType source;
        Bytes src;
        std::u16string expected;
    } const cases[] = {
        {"ANSI", ASCII, fromHex("63616680e9"), u"caf\u20ac\u00e9"},
        {"UTF-7", UTF7, bytesOf("Hi Mom -+Jjo--!"), u"Hi Mom -\u263a-!"},
        {"UTF-8", UTF8, fromHex("41f09f9880"), u"A\U0001f600"},
        {"UTF-16LE", UTF16LE, utf16(u"x\U0001f600"), u"x\U0001f600"},
        {"UTF-32LE", UTF32LE, utf32(U"y\U0001f600"), u"y\U0001f600"},
        // A bounded copy keeps the first 0 unit and ends there.
        {"UTF-16LE with a 0 unit", UTF16LE, utf16(std::u16string(u"ab\0cd", 5)),
         std::u16string(u"ab\0", 3)},
        // The platform converts a 0 byte like any other.
        {"UTF-8 with a 0 byte", UTF8, fromHex("61006200"), std::u16string(u"a\0b\0", 4)},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        String s =
            Conversion::toString(c.src.data(), static_cast<unsigned int>(c.src.size()), c.source);
        EXPECT_EQ(unitsOf(s), c.expected);
        EXPECT_EQ(s.getCStr()[s.getLength()], 0);
    }
    Failure f = failureOf([] {
        unsigned char src[2] = {0x41, 0};
        Conversion::toString(src, 2, UTF16BE);
    });
    EXPECT_TRUE(f.is("NotImplemented", "The method or operation is not implemented.")) << f;
}

TEST(ConversionToString, StringOverloadsConvertTheUnits) {
    String s(L"\u00e9\u65e5\U0001f600");
    UTF8Conversion utf8;
    unsigned int n = utf8.getByteCount(s);
    EXPECT_EQ(n, 9u);
    unsigned char dst[9];
    EXPECT_EQ(utf8.toBytes(s, dst, sizeof dst), 9u);
    EXPECT_EQ(toHex(Bytes(dst, dst + 9)), "c3a9e697a5f09f9880");
    UTF32LEConversion utf32le;
    EXPECT_EQ(utf32le.getByteCount(s), 12u);
}

//===-- UTF-7 -------------------------------------------------------------------------===//

// UTF-7 as Windows reads and writes it: the examples of RFC 2152 decode
// exactly; Windows writes only letters, digits, space, tab, CR, LF and
// '(),-./:? directly, closes every base64 run with '-', and writes '+' as "+-".
TEST(ConversionUtf7, WindowsForms) {
    struct Case {
        char const* name;
        std::u16string text;
        char const* utf7;
        bool written; // the platform writes exactly this form
    } const cases[] = {
        {"RFC example Hi Mom", u"Hi Mom -\u263a-!", "Hi Mom -+Jjo--!", false},
        {"Hi Mom as written", u"Hi Mom -\u263a-!", "Hi Mom -+Jjo--+ACE-", true},
        {"RFC example A not-identical Alpha", u"A\u2262\u0391.", "A+ImIDkQ.", false},
        {"A not-identical Alpha as written", u"A\u2262\u0391.", "A+ImIDkQ-.", true},
        {"RFC example Japanese", u"\u65e5\u672c\u8a9e", "+ZeVnLIqe-", true},
        {"RFC example Item 3", u"Item 3 is \u00a31.", "Item 3 is +AKM-1.", true},
        {"plus sign", u"1+1", "1+-1", true},
        {"astral character", u"\U0001f600", "+2D3eAA-", true},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes utf7 = bytesOf(c.utf7);
        String s = Conversion::toString(utf7.data(), static_cast<unsigned int>(utf7.size()), UTF7);
        EXPECT_EQ(unitsOf(s), c.text);
        if (c.written) {
            UTF7Conversion conv;
            Bytes src = utf16(c.text);
            unsigned int n =
                conv.getByteCount(src.data(), static_cast<unsigned int>(src.size()), UTF16LE);
            EXPECT_EQ(n, utf7.size());
            EXPECT_EQ(toHex(convertOk(conv, src, UTF16LE, n)), toHex(utf7));
        }
    }
}

//===-- Temporary memory --------------------------------------------------------------===//

// The process's commit charge (its private bytes; Wine reports them only under
// this name).
SIZE_T privateBytes() {
    PROCESS_MEMORY_COUNTERS counters;
    std::memset(&counters, 0, sizeof counters);
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

// Conversions that need a large temporary buffer and then fail: repeated many
// times, a buffer not given back would add up to hundreds of megabytes.
TEST(ConversionMemory, TemporaryBuffersAreGivenBackOnFailure) {
    unsigned int const chars = 1u << 20;
    Bytes utf32text(4 * chars);
    Bytes utf8text(chars);
    for (unsigned int i = 0; i < chars; ++i) {
        utf32text[4 * i] = static_cast<unsigned char>('a' + i % 26);
        utf8text[i] = static_cast<unsigned char>('a' + i % 26);
    }
    struct Case {
        char const* name;
        EncodingType target;
        EncodingType source;
        Bytes const& src;
        unsigned int srcOffset;
        char const* message;
    } const cases[] = {
        {"UTF-32 into ANSI, platform step fails", ASCII, UTF32LE, utf32text, 0, CANNOT},
        {"UTF-32 at an odd address into UTF-16", UTF16LE, UTF32LE, utf32text, 1, NO_ROOM},
        {"UTF-8 into UTF-7, platform step fails", UTF7, UTF8, utf8text, 0, CANNOT},
        {"ANSI into UTF-32, last step fails", UTF32LE, ASCII, utf8text, 0, NO_ROOM},
        {"UTF-8 into UTF-32 at an odd target", UTF32LE, UTF8, utf8text, 0, NO_ROOM},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        Conversion const& conv = conversionFor(c.target);
        unsigned int size = static_cast<unsigned int>(c.src.size());
        // Room for half of the result, at an odd address.
        unsigned int room = conv.getByteCount(c.src.data(), size, c.source) / 2;
        std::vector<unsigned char> dst(room + 8);
        std::vector<unsigned char> src(size + c.srcOffset);
        std::memcpy(src.data() + c.srcOffset, c.src.data(), size);
        SIZE_T before = privateBytes();
        for (int i = 0; i < 40; ++i) {
            Failure f = failureOf([&] {
                conv.toBytes(src.data() + c.srcOffset, size, c.source, dst.data() + 1, room);
            });
            ASSERT_TRUE(f.is("Format", c.message)) << f;
        }
        SIZE_T after = privateBytes();
        ASSERT_NE(before, 0u) << "no memory counters";
        EXPECT_LT(after, before + (48u << 20)) << "grew from " << before << " to " << after;
    }
}

} // namespace
