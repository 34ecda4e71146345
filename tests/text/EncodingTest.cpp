// Encoding: the name and prolog tables, prologs written into buffers and
// streams, conversions created by type, detection of every prolog and of
// prolog-less UTF-8, UTF-16LE/BE and ASCII text (with the stream left where
// it was), percent-encoding for URLs including characters outside the Basic
// Multilingual Plane, and the exact failures.
#include "wux/text/Encoding.h"

#include "RecordingStreams.h"

#include "wux/io/MemoryInputStream.h"
#include "wux/io/MemoryOutputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/String.h"
#include "wux/text/Conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>

namespace {

using cpp::io::MemoryInputStream;
using cpp::io::MemoryOutputStream;
using cpp::lang::ArgumentException;
using cpp::lang::NotImplementedException;
using cpp::lang::String;
using cpp::text::Conversion;
using cpp::text::Encoding;
using cpp::text::EncodingType;
using wuxtest::Bytes;
using wuxtest::bytesOf;
using wuxtest::CallLog;
using wuxtest::hex;
using wuxtest::throwsExactly;
namespace text = cpp::text;

char const* const INVALID = "Argument is invalid.";
char const* const NOT_IMPLEMENTED = "The method or operation is not implemented.";

std::wstring wide(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

// Checks that op throws exactly ArgumentException with this message and no
// argument name (so that getMessage() is the message alone).
template <class Op>::testing::AssertionResult unnamedArgumentError(Op op, char const* message) {
    try {
        op();
    } catch (ArgumentException const& e) {
        if (typeid(e) != typeid(ArgumentException))
            return ::testing::AssertionFailure() << "threw " << typeid(e).name();
        if (!e.getArgumentName().isEmpty())
            return ::testing::AssertionFailure()
                   << "argument name \"" << wuxtest::narrow(e.getArgumentName()) << "\"";
        if (wuxtest::narrow(e.getMessage()) != message)
            return ::testing::AssertionFailure()
                   << "message \"" << wuxtest::narrow(e.getMessage()) << "\"";
        return ::testing::AssertionSuccess();
    } catch (...) {
        return ::testing::AssertionFailure() << "threw something else";
    }
    return ::testing::AssertionFailure() << "nothing was thrown";
}

//===-- Tables ----------------------------------------------------------------===//

struct TableRow {
    char const* name;
    EncodingType type;
    wchar_t const* encodingName;
    wchar_t const* webName;
    char const* prolog; // hex
};

TableRow const tableRows[] = {
    {"ascii", text::ASCII, L"US-ASCII", L"US-ASCII", ""},
    {"utf7", text::UTF7, L"Unicode (UTF-7)", L"UTF-7", ""},
    {"utf8", text::UTF8, L"Unicode (UTF-8)", L"UTF-8", "EF BB BF"},
    {"utf16le", text::UTF16LE, L"Unicode (UTF-16LE)", L"UTF-16LE", "FF FE"},
    {"utf16be", text::UTF16BE, L"Unicode (UTF-16BE)", L"UTF-16BE", "FE FF"},
    {"utf32le", text::UTF32LE, L"Unicode (UTF-32LE)", L"UTF-32LE", "00 00 FE FF"},
    {"utf32be", text::UTF32BE, L"Unicode (UTF-32BE)", L"UTF-32BE", "00 00 FF FE"},
};

class EncodingTable : public ::testing::TestWithParam<TableRow> {};

TEST_P(EncodingTable, NamesAndPrologLength) {
    TableRow const& r = GetParam();
    EXPECT_EQ(std::wstring(r.encodingName), wide(Encoding::getEncodingName(r.type)));
    EXPECT_EQ(std::wstring(r.webName), wide(Encoding::getEncodingWebName(r.type)));
    EXPECT_EQ(bytesOf(r.prolog).size(), Encoding::getEncodingPrologLength(r.type));
}

TEST_P(EncodingTable, PrologIntoABufferOfExactlyItsSize) {
    TableRow const& r = GetParam();
    Bytes const expected = bytesOf(r.prolog);
    unsigned char buf[8];
    std::memset(buf, 0xAA, sizeof buf);
    unsigned int const size = static_cast<unsigned int>(expected.size());
    EXPECT_EQ(size, Encoding::fillEncodingProlog(r.type, buf, size));
    EXPECT_EQ(hex(expected), hex(buf, size));
    EXPECT_EQ(0xAA, buf[size]) << "nothing beyond the prolog is written";
}

TEST_P(EncodingTable, PrologIntoAStreamOneByteAtATime) {
    TableRow const& r = GetParam();
    CallLog log;
    wuxtest::RecordingOutputStream out(&log);
    Bytes const expected = bytesOf(r.prolog);
    EXPECT_EQ(expected.size(), Encoding::fillEncodingProlog(r.type, &out));
    EXPECT_EQ(hex(expected), hex(out.data()));
    std::string singles;
    for (unsigned char b : expected)
        singles += (singles.empty() ? "put:" : " put:") + hex(&b, 1);
    EXPECT_EQ(singles, log.text()) << "single-byte writes only";
}

TEST_P(EncodingTable, CreatedConversionHasTheType) {
    TableRow const& r = GetParam();
    std::unique_ptr<Conversion> conv(Encoding::createConversion(r.type));
    ASSERT_NE(nullptr, conv.get());
    EXPECT_EQ(r.type, conv->getEncodingType());
}

INSTANTIATE_TEST_SUITE_P(Types, EncodingTable, ::testing::ValuesIn(tableRows), wuxtest::CaseName());

TEST(Encoding, ConversionsCreatedAreNewObjects) {
    std::unique_ptr<Conversion> a(Encoding::createConversion(text::UTF8));
    std::unique_ptr<Conversion> b(Encoding::createConversion(text::UTF8));
    EXPECT_NE(a.get(), b.get());
}

TEST(Encoding, IsLittleEndian) {
    EXPECT_TRUE(Encoding::isLittleEndian());
}

TEST(Encoding, TypesOutsideTheTableAreInvalid) {
    for (int t : {7, 8, -1}) {
        EncodingType const type = static_cast<EncodingType>(t);
        SCOPED_TRACE(t);
        unsigned char buf[8];
        CallLog log;
        wuxtest::RecordingOutputStream out(&log);
        EXPECT_TRUE(unnamedArgumentError([&] { Encoding::createConversion(type); }, INVALID));
        EXPECT_TRUE(
            unnamedArgumentError([&] { Encoding::getEncodingPrologLength(type); }, INVALID));
        EXPECT_TRUE(
            unnamedArgumentError([&] { Encoding::fillEncodingProlog(type, buf, 8); }, INVALID));
        EXPECT_TRUE(
            unnamedArgumentError([&] { Encoding::fillEncodingProlog(type, &out); }, INVALID));
        EXPECT_TRUE(unnamedArgumentError([&] { Encoding::getEncodingName(type); }, INVALID));
        EXPECT_TRUE(unnamedArgumentError([&] { Encoding::getEncodingWebName(type); }, INVALID));
        EXPECT_TRUE(log.calls.empty());
    }
}

TEST(Encoding, PrologFailures) {
    unsigned char buf[4] = {0x11, 0x22, 0x33, 0x44};
    EXPECT_TRUE(unnamedArgumentError(
        [] { Encoding::fillEncodingProlog(text::UTF8, static_cast<unsigned char*>(nullptr), 4); },
        "The buffer to fill the encoding prolog is null."));
    EXPECT_TRUE(throwsExactly<ArgumentException>(
        [&] { Encoding::fillEncodingProlog(text::UTF32LE, buf, 3); },
        "The size of buffer is not enough.", "bufSize"));
    EXPECT_TRUE(
        throwsExactly<ArgumentException>([&] { Encoding::fillEncodingProlog(text::UTF8, buf, 2); },
                                         "The size of buffer is not enough.", "bufSize"));
    EXPECT_EQ("11 22 33 44", hex(buf, 4)) << "a refused fill writes nothing";
    EXPECT_EQ(0u, Encoding::fillEncodingProlog(text::ASCII, buf, 0)) << "no prolog needs no room";
    EXPECT_TRUE(unnamedArgumentError(
        [] {
            Encoding::fillEncodingProlog(text::UTF8, static_cast<cpp::io::OutputStream*>(nullptr));
        },
        "The output stream to fill the encoding prolog is null."));
}

//===-- Detection -------------------------------------------------------------===//

struct DetectCase {
    char const* name;
    std::string bytes;
    EncodingType type;
    int prologLength; // -1: left as it was
};

std::string raw(char const* hexText) {
    Bytes b = bytesOf(hexText);
    return std::string(b.begin(), b.end());
}

std::string repeat(std::string const& s, std::size_t times) {
    std::string r;
    for (std::size_t i = 0; i < times; ++i)
        r += s;
    return r;
}

DetectCase const detectCases[] = {
    // Prologs, each followed by text of another kind so that only the
    // prolog can decide.
    {"utf8_prolog", raw("EF BB BF") + "plain", text::UTF8, 3},
    {"utf8_prolog_alone", raw("EF BB BF"), text::UTF8, 3},
    {"utf16le_prolog", raw("FF FE 41 00"), text::UTF16LE, 2},
    {"utf16le_prolog_alone", raw("FF FE"), text::UTF16LE, 2},
    {"utf16be_prolog", raw("FE FF 00 41"), text::UTF16BE, 2},
    {"utf32le_prolog", raw("00 00 FE FF 41 00 00 00"), text::UTF32LE, 4},
    {"utf32be_prolog", raw("00 00 FF FE 00 00 00 41"), text::UTF32BE, 4},
    {"utf32_pair_of_the_standard_is_utf16le", raw("FF FE 00 00 41 00 00 00"), text::UTF16LE, 2},
    // No prolog.
    {"utf8_text", "caf" + raw("C3 A9") + " au lait", text::UTF8, 0},
    {"utf8_three_and_four_byte", raw("E2 82 AC 20 F0 9F 98 80"), text::UTF8, 0},
    {"utf8_cut_at_the_end_accepted", "caf" + raw("C3 A9 E2 82"), text::UTF8, 0},
    {"utf16le_text", raw("41 00 42 00 0D 00 0A 00"), text::UTF16LE, 0},
    {"utf16le_with_pair", raw("41 00 3D D8 00 DE"), text::UTF16LE, 0},
    {"utf16be_text", raw("00 41 00 42 00 0A"), text::UTF16BE, 0},
    {"utf16be_with_pair", raw("00 41 D8 3D DE 00"), text::UTF16BE, 0},
    {"ascii_text", "Hello, world.\r\n", text::ASCII, 0},
    {"ansi_text_is_ascii", "caf" + raw("E9") + " au lait", text::ASCII, 0},
    {"utf8_after_binary_byte_is_ascii", raw("01 41 C3 A9"), text::ASCII, 0},
    {"utf8_lead_f5_is_ascii", raw("41 F5 80 80 80"), text::ASCII, 0},
    {"utf8_bad_continuation_is_ascii", raw("41 C3 41"), text::ASCII, 0},
    {"utf16le_binary_unit_is_ascii", raw("41 00 03 00"), text::ASCII, 0},
    {"utf16le_two_high_surrogates_fail", raw("41 00 3D D8 3D D8"), text::ASCII, 0},
    {"utf16le_lone_low_surrogate_fails", raw("41 00 00 DC"), text::ASCII, 0},
    {"utf16_without_text_unit_is_ascii", raw("3D D8 00 DE"), text::ASCII, 0},
    {"odd_last_byte_ignored", raw("41 00 42 00 43"), text::UTF16LE, 0},
    {"two_ff_bytes_then_utf16le", raw("FF FF 41 00"), text::UTF16LE, 0},
    {"utf16be_odd_last_byte_ignored", raw("00 41 00 42 00"), text::UTF16BE, 0},
    {"utf16be_binary_unit_is_ascii", raw("00 41 00 00"), text::ASCII, 0},
    {"one_byte_is_ascii_prolog_untouched", raw("FF"), text::ASCII, -1},
    {"empty_is_ascii_prolog_untouched", "", text::ASCII, -1},
    // Only the first 2048 bytes count.
    {"utf8_beyond_sample_unseen", repeat("a", 2048) + raw("C3 A9"), text::ASCII, 0},
    {"utf8_at_sample_end_seen", repeat("a", 2046) + raw("C3 A9"), text::UTF8, 0},
};

class Detect : public ::testing::TestWithParam<DetectCase> {};

TEST_P(Detect, TypePrologAndPositionRestored) {
    DetectCase const& c = GetParam();
    // Data in front of the examined part shows that detection starts at the
    // current position and goes back to it.
    std::string const data = "xyz" + c.bytes;
    MemoryInputStream in(reinterpret_cast<unsigned char const*>(data.data()),
                         static_cast<unsigned int>(data.size()), false);
    in.seek(3, cpp::io::Begin);
    int prolog = 77;
    EXPECT_EQ(c.type, Encoding::checkEncodingType(&in, prolog));
    EXPECT_EQ(c.prologLength < 0 ? 77 : c.prologLength, prolog);
    EXPECT_EQ(static_cast<__int64>(c.bytes.size()), in.available()) << "position restored";
}

INSTANTIATE_TEST_SUITE_P(Cases, Detect, ::testing::ValuesIn(detectCases), wuxtest::CaseName());

TEST(EncodingDetect, ShortStreamIsNotRead) {
    CallLog log;
    wuxtest::RecordingInputStream in(&log, bytesOf("EF"));
    int prolog = 5;
    EXPECT_EQ(text::ASCII, Encoding::checkEncodingType(&in, prolog));
    EXPECT_EQ(5, prolog);
    EXPECT_EQ("", log.text()) << "neither read nor seek";
}

TEST(EncodingDetect, PrologIsReadByteByByteAndSeekedBack) {
    CallLog log;
    wuxtest::RecordingInputStream in(&log, bytesOf("FE FF 00 41"));
    int prolog = 0;
    EXPECT_EQ(text::UTF16BE, Encoding::checkEncodingType(&in, prolog));
    EXPECT_EQ(2, prolog);
    EXPECT_EQ("read1 read1 seek(-2,1)", log.text());
}

struct AvailableCase {
    char const* name;
    char const* bytes;
    __int64 available; // what the stream reports
    EncodingType type;
    int prologLength;
    char const* calls;
};

// A prolog is only taken when the stream reports enough bytes for it; the
// sample decides otherwise.
AvailableCase const availableCases[] = {
    {"utf8_prolog_needs_three", "EF BB BF", 2, text::UTF8, 0,
     "read1 read[2047] read[2045] seek(-3,1)"},
    {"utf8_prolog_with_three", "EF BB BF", 3, text::UTF8, 3, "read1 read1 read1 seek(-3,1)"},
    {"utf32_prolog_needs_four", "00 00 FE FF 00 41", 3, text::ASCII, 0,
     "read1 read[2047] read[2042] seek(-6,1)"},
    {"utf32_prolog_with_four", "00 00 FE FF 00 41", 4, text::UTF32LE, 4,
     "read1 read1 read1 read1 seek(-4,1)"},
    {"utf16_prolog_needs_two", "FF FE 41 00", 2, text::UTF16LE, 2, "read1 read1 seek(-2,1)"},
    {"utf16_below_two_is_not_read", "FF FE 41 00", 1, text::ASCII, -1, ""},
};

class DetectAvailable : public ::testing::TestWithParam<AvailableCase> {};

TEST_P(DetectAvailable, PrologNeedsItsBytesAvailable) {
    AvailableCase const& c = GetParam();
    CallLog log;
    wuxtest::RecordingInputStream in(&log, bytesOf(c.bytes));
    in.fixedAvailable = c.available;
    int prolog = 99;
    EXPECT_EQ(c.type, Encoding::checkEncodingType(&in, prolog));
    EXPECT_EQ(c.prologLength < 0 ? 99 : c.prologLength, prolog);
    EXPECT_EQ(c.calls, log.text());
    EXPECT_EQ(0u, in.position());
}

INSTANTIATE_TEST_SUITE_P(Cases, DetectAvailable, ::testing::ValuesIn(availableCases),
                         wuxtest::CaseName());

TEST(EncodingDetect, SampleIsReadUpTo2048Bytes) {
    CallLog log;
    Bytes data(5000, 'a');
    wuxtest::RecordingInputStream in(&log, data);
    in.maxPerRead = 700; // a stream that delivers in pieces
    int prolog = 1;
    EXPECT_EQ(text::ASCII, Encoding::checkEncodingType(&in, prolog));
    EXPECT_EQ(0, prolog);
    EXPECT_EQ("read1 read[2047] read[1347] read[647] seek(-2048,1)", log.text());
    EXPECT_EQ(0u, in.position());
}

TEST(EncodingDetect, NullStream) {
    int prolog = 0;
    EXPECT_TRUE(unnamedArgumentError([&] { Encoding::checkEncodingType(nullptr, prolog); },
                                     "The input stream to detect its encoding type is null."));
}

//===-- URL encoding ----------------------------------------------------------===//

struct UrlCase {
    char const* name;
    std::wstring text;
    std::wstring encoded;
};

UrlCase const urlCases[] = {
    {"empty", L"", L""},
    {"unreserved_kept", L"AZaz09-_.~", L"AZaz09-_.~"},
    {"space_and_slash", L"a b/c", L"a%20b%2Fc"},
    {"reserved_ascii", L"?&=+%#", L"%3F%26%3D%2B%25%23"},
    {"control_and_nul", std::wstring(L"\x01\x7f", 2) + std::wstring(1, L'\0'), L"%01%7F%00"},
    {"two_byte", L"\u00e9", L"%C3%A9"},
    {"last_two_byte", L"\u07ff", L"%DF%BF"},
    {"three_byte", L"\u20ac", L"%E2%82%AC"},
    {"last_bmp", L"\uffff", L"%EF%BF%BF"},
    {"surrogate_pair", L"\xd83d\xde00", L"%F0%9F%98%80"},
    {"pair_between_text", L"a\xd83d\xde00z", L"a%F0%9F%98%80z"},
    {"two_pairs_at_end", L"x\xd800\xdf48\xdbff\xdfff", L"x%F0%90%8D%88%F4%8F%BF%BF"},
    {"lone_high_surrogate",
     L"\xd83d"
     L"a",
     L"%EF%BF%BDa"},
    {"lone_low_surrogate_at_end", L"a\xde00", L"a%EF%BF%BD"},
    {"hex_is_upper_case", L"\u00ff", L"%C3%BF"},
};

class EncodeUrl : public ::testing::TestWithParam<UrlCase> {};

TEST_P(EncodeUrl, Utf8PercentEncoding) {
    UrlCase const& c = GetParam();
    String const s(c.text.c_str(), static_cast<unsigned int>(c.text.size()));
    EXPECT_EQ(c.encoded, wide(Encoding::encodeWebURL(text::UTF8, s)));
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodeUrl, ::testing::ValuesIn(urlCases), wuxtest::CaseName());

TEST(EncodingUrl, LongTextOfPairs) {
    // Many four-byte characters: the walk must stay inside the converted
    // bytes however long the text.
    std::wstring textUnits;
    std::wstring expected;
    for (int i = 0; i < 3000; ++i) {
        textUnits += L"\xd83d\xde00";
        expected += L"%F0%9F%98%80";
    }
    String const s(textUnits.c_str(), static_cast<unsigned int>(textUnits.size()));
    EXPECT_EQ(expected, wide(Encoding::encodeWebURL(text::UTF8, s)));
}

TEST(EncodingUrl, OnlyUtf8IsImplemented) {
    for (EncodingType t :
         {text::ASCII, text::UTF7, text::UTF16LE, text::UTF16BE, text::UTF32LE, text::UTF32BE}) {
        SCOPED_TRACE(static_cast<int>(t));
        EXPECT_TRUE(throwsExactly<NotImplementedException>(
            [&] { Encoding::encodeWebURL(t, String(L"a b")); }, NOT_IMPLEMENTED));
    }
    for (EncodingType t : {text::ASCII, text::UTF8}) {
        EXPECT_TRUE(throwsExactly<NotImplementedException>(
            [&] { Encoding::decodeWebURL(t, String(L"a%20b")); }, NOT_IMPLEMENTED));
    }
}

} // namespace
