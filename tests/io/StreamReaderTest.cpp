// StreamReader over the reference files that Python's codecs wrote in every
// supported encoding (with and without a byte-order mark, every line-end
// kind, empty lines, a line longer than any buffer, characters outside the
// Basic Multilingual Plane), read line by line and character by character
// with buffers small enough to cut characters at every refill; and over
// recording streams: line ends, delimiters, skipping, the end of the data
// (an odd UTF-16 byte, a source that answers 0 at its end), buffer sizes,
// ownership, constructor failures and the closed reader.
#include "wux/io/StreamReader.h"

#include "FileTestSupport.h"
#include "RecordingStreams.h"
#include "TextSamples.h"

#include "wux/io/EOFException.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/IOException.h"
#include "wux/io/MemoryInputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/String.h"
#include "wux/text/Conversion.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using cpp::io::EOFException;
using cpp::io::FileNotFoundException;
using cpp::io::IOException;
using cpp::io::MemoryInputStream;
using cpp::io::StreamReader;
using cpp::lang::ArgumentException;
using cpp::lang::NotImplementedException;
using cpp::lang::String;
using cpp::text::EncodingType;
using wuxtest::Bytes;
using wuxtest::bytesOf;
using wuxtest::CallLog;
using wuxtest::RecordingInputStream;
using wuxtest::SampleLine;
using wuxtest::throwsExactly;
using wuxtest::toWide;
namespace text = cpp::text;

char const* const CLOSED = "The input stream has been closed.";
char const* const END = "Have reached the end of file.";
char const* const NOT_IMPLEMENTED = "The method or operation is not implemented.";

Bytes ascii(char const* s) {
    return Bytes(s, s + std::strlen(s));
}

/// All lines left, read with readLine() while hasMore().
std::vector<std::wstring> readAllLines(StreamReader& reader) {
    std::vector<std::wstring> lines;
    while (reader.hasMore())
        lines.push_back(toWide(reader.readLine()));
    return lines;
}

//===-- The reference files ---------------------------------------------------===//

struct FileCase {
    char const* name;
    wchar_t const* file;
    char const* sample;
    bool detect;          // false: the type is given to the constructor
    EncodingType type;    // given, or expected from the detection
    unsigned int bufSize; // 0: the constructor without a size (4096)
};

FileCase const fileCases[] = {
    {"utf8_mark", L"sample.utf8bom.txt", "sample", true, text::UTF8, 0},
    {"utf8_mark_buf_7", L"sample.utf8bom.txt", "sample", true, text::UTF8, 7},
    {"utf8_mark_buf_1", L"sample.utf8bom.txt", "sample", true, text::UTF8, 1},
    {"utf8_detected", L"sample.utf8.txt", "sample", true, text::UTF8, 0},
    {"utf8_detected_buf_5", L"sample.utf8.txt", "sample", true, text::UTF8, 5},
    {"utf8_given", L"sample.utf8.txt", "sample", false, text::UTF8, 0},
    {"utf16le_mark", L"sample.utf16lebom.txt", "sample", true, text::UTF16LE, 0},
    {"utf16le_mark_buf_7", L"sample.utf16lebom.txt", "sample", true, text::UTF16LE, 7},
    {"utf16le_mark_buf_1", L"sample.utf16lebom.txt", "sample", true, text::UTF16LE, 1},
    {"utf16le_detected", L"sample.utf16le.txt", "sample", true, text::UTF16LE, 0},
    {"utf16le_detected_buf_3", L"sample.utf16le.txt", "sample", true, text::UTF16LE, 3},
    {"utf16le_given", L"sample.utf16le.txt", "sample", false, text::UTF16LE, 64},
    {"utf16be_mark", L"sample.utf16bebom.txt", "sample", true, text::UTF16BE, 0},
    {"utf16be_mark_buf_9", L"sample.utf16bebom.txt", "sample", true, text::UTF16BE, 9},
    {"utf16be_detected", L"sample.utf16be.txt", "sample", true, text::UTF16BE, 0},
    {"utf16be_given_buf_2", L"sample.utf16be.txt", "sample", false, text::UTF16BE, 2},
    {"utf7_given", L"sample.utf7.txt", "sample", false, text::UTF7, 0},
    {"utf7_given_buf_6", L"sample.utf7.txt", "sample", false, text::UTF7, 6},
    {"ansi_given", L"sample1252.txt", "sample1252", false, text::ASCII, 0},
    {"ansi_detected_buf_3", L"sample1252.txt", "sample1252", true, text::ASCII, 3},
};

class ReferenceFile : public ::testing::TestWithParam<FileCase> {
protected:
    void SetUp() override {
        if (GetParam().type == text::ASCII && GetACP() != 1252)
            GTEST_SKIP() << "the ANSI sample needs code page 1252, not " << GetACP();
    }

    std::unique_ptr<StreamReader> open() const {
        FileCase const& c = GetParam();
        String const name = wuxtest::toString(wuxtest::textFile(c.file));
        if (c.detect)
            return std::unique_ptr<StreamReader>(
                c.bufSize == 0 ? new StreamReader(name) : new StreamReader(name, c.bufSize));
        return std::unique_ptr<StreamReader>(c.bufSize == 0
                                                 ? new StreamReader(name, c.type)
                                                 : new StreamReader(name, c.type, c.bufSize));
    }
};

TEST_P(ReferenceFile, LineByLine) {
    FileCase const& c = GetParam();
    std::vector<SampleLine> const expected = wuxtest::loadSample(c.sample);
    std::unique_ptr<StreamReader> reader = open();
    EXPECT_EQ(c.type, reader->getEncodingType());
    std::vector<std::wstring> const lines = readAllLines(*reader);
    ASSERT_EQ(expected.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(expected[i].text, lines[i]) << "line " << i;
    EXPECT_EQ(-1, reader->peek());
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader->readLine(); }, END));
}

TEST_P(ReferenceFile, CharacterByCharacter) {
    FileCase const& c = GetParam();
    std::wstring const expected = wuxtest::joined(wuxtest::loadSample(c.sample));
    std::unique_ptr<StreamReader> reader = open();
    std::wstring all;
    for (;;) {
        int const next = reader->peek();
        if (next < 0)
            break;
        int const c1 = reader->readChar();
        ASSERT_EQ(next, c1) << "peek() shows what readChar() returns, at " << all.size();
        all += static_cast<wchar_t>(c1);
    }
    EXPECT_EQ(expected, all);
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader->readChar(); }, END));
}

INSTANTIATE_TEST_SUITE_P(Files, ReferenceFile, ::testing::ValuesIn(fileCases), wuxtest::CaseName());

TEST(StreamReaderFile, GivenTypeReadsTheMarkAsACharacter) {
    // Only detection skips a mark: a reader told the encoding reads it as
    // U+FEFF.
    std::vector<SampleLine> const expected = wuxtest::loadSample("sample");
    StreamReader reader(wuxtest::toString(wuxtest::textFile(L"sample.utf16bebom.txt")),
                        text::UTF16BE);
    EXPECT_EQ(L"\xfeff" + expected[0].text, toWide(reader.readLine()));
    EXPECT_EQ(expected[1].text, toWide(reader.readLine()));
}

TEST(StreamReaderFile, MissingFile) {
    wuxtest::TempFolder folder;
    String const name = wuxtest::toString(folder.at(L"missing.txt"));
    try {
        StreamReader reader(name);
        ADD_FAILURE() << "no exception";
    } catch (FileNotFoundException const&) {
    }
}

TEST(StreamReaderFile, EmptyName) {
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { StreamReader reader{String()}; },
                                                 "The file name is empty.", "name"));
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { StreamReader reader(String(), text::UTF8); },
                                                 "The file name is empty.", "name"));
}

TEST(StreamReaderFile, OthersMayWriteWhileReading) {
    wuxtest::TempFolder folder;
    std::wstring const path = folder.at(L"shared.txt");
    wuxtest::writeRawFile(path, "one\ntwo\n");
    StreamReader reader(wuxtest::toString(path));
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, h) << "error " << GetLastError();
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    EXPECT_EQ(L"one", toWide(reader.readLine()));
    reader.close();
}

//===-- Lines, delimiters and skipping ------------------------------------------===//

struct LineCase {
    char const* name;
    char const* bytes; // hex
    EncodingType type;
    unsigned int bufSize;
    std::vector<std::wstring> lines;
};

LineCase const lineCases[] = {
    {"crlf_cr_lf", "41 0D 0A 42 0D 43 0A", text::UTF8, 4096, {L"A", L"B", L"C"}},
    {"empty_lines_of_each_kind", "0D 0A 0D 0A 0D 0A 78", text::UTF8, 4096, {L"", L"", L"", L"x"}},
    {"lf_cr_is_two_ends", "61 0A 0D 62", text::UTF8, 4096, {L"a", L"", L"b"}},
    {"cr_at_the_very_end", "61 0D", text::UTF8, 4096, {L"a"}},
    {"only_a_line_feed", "0A", text::UTF8, 4096, {L""}},
    {"no_end_at_all", "61 62 63", text::UTF8, 4096, {L"abc"}},
    {"cr_lf_split_between_units", "41 00 0D 00 0A 00 42 00", text::UTF16LE, 2, {L"A", L"B"}},
    {"cr_lf_split_utf16be", "00 41 00 0D 00 0A 00 42", text::UTF16BE, 3, {L"A", L"B"}},
    {"line_longer_than_buffer",
     "61 C3 A9 62 E2 82 AC 63 F0 9F 98 80 64 65 66 67 68 0A 7A",
     text::UTF8,
     2,
     {L"a\u00e9b\u20acc\xd83d\xde00"
      L"defgh",
      L"z"}},
    {"ansi_bytes", "63 61 66 E9 0A 80", text::ASCII, 3, {L"caf\u00e9", L"\u20ac"}},
    {"utf7_shifted_line",
     "2B 41 4F 6B 2D 0D 0A 2B 49 4B 77",
     text::UTF7,
     4,
     {L"\u00e9", L"\u20ac"}},
};

class Lines : public ::testing::TestWithParam<LineCase> {};

TEST_P(Lines, ReadLineUntilTheEnd) {
    LineCase const& c = GetParam();
    if (c.type == text::ASCII && GetACP() != 1252)
        GTEST_SKIP() << "needs code page 1252";
    Bytes const data = bytesOf(c.bytes);
    MemoryInputStream in(data.data(), static_cast<unsigned int>(data.size()), false);
    StreamReader reader(&in, false, c.type, c.bufSize);
    EXPECT_EQ(c.lines, readAllLines(reader));
    EXPECT_FALSE(reader.hasMore());
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader.readLine(); }, END));
}

INSTANTIATE_TEST_SUITE_P(Cases, Lines, ::testing::ValuesIn(lineCases), wuxtest::CaseName());

TEST(StreamReader, EmptyStream) {
    unsigned char const none[1] = {0};
    MemoryInputStream in(none, 0, false);
    StreamReader reader(&in, false);
    EXPECT_EQ(-1, reader.peek());
    EXPECT_FALSE(reader.hasMore());
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader.readChar(); }, END));
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader.readLine(); }, END));
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader.readString(String(L";")); }, END));
    EXPECT_EQ(3u, reader.skipLine(3));
}

TEST(StreamReader, PeekDoesNotConsume) {
    Bytes const data = bytesOf("41 00 3D D8 00 DE");
    MemoryInputStream in(data.data(), static_cast<unsigned int>(data.size()), false);
    StreamReader reader(&in, false, text::UTF16LE);
    EXPECT_EQ(0x41, reader.peek());
    EXPECT_EQ(0x41, reader.peek());
    EXPECT_EQ(0x41, reader.readChar());
    EXPECT_EQ(0xD83D, reader.peek());
    EXPECT_EQ(0xD83D, reader.readChar()) << "surrogates come one unit at a time";
    EXPECT_EQ(0xDE00, reader.readChar());
    EXPECT_EQ(-1, reader.peek());
}

struct DelimiterCase {
    char const* name;
    char const* text;
    wchar_t const* delimiters;
    wchar_t const* piece;
    wchar_t const* rest; // what readLine() gives next; null: nothing is left
};

DelimiterCase const delimiterCases[] = {
    {"semicolon", "xy;zw", L";,", L"xy", L"zw"},
    {"comma", "xy,zw;", L";,", L"xy", L"zw;"},
    {"first_character", ";zw", L";,", L"", L"zw"},
    {"last_character", "xy;", L";,", L"xy", nullptr},
    {"line_end_is_no_delimiter", "x\r\ny;z", L";", L"x\r\ny", L"z"},
    {"line_feed_as_delimiter", "ab\ncd", L"\n", L"ab", L"cd"},
};

class Delimiters : public ::testing::TestWithParam<DelimiterCase> {};

TEST_P(Delimiters, ReadStringStopsAfterTheDelimiter) {
    DelimiterCase const& c = GetParam();
    for (unsigned int bufSize : {4096u, 1u}) {
        SCOPED_TRACE(bufSize);
        Bytes const data = ascii(c.text);
        MemoryInputStream in(data.data(), static_cast<unsigned int>(data.size()), false);
        StreamReader reader(&in, false, text::UTF8, bufSize);
        EXPECT_EQ(std::wstring(c.piece), toWide(reader.readString(String(c.delimiters))));
        if (c.rest == nullptr)
            EXPECT_FALSE(reader.hasMore());
        else
            EXPECT_EQ(std::wstring(c.rest), toWide(reader.readLine()));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Delimiters, ::testing::ValuesIn(delimiterCases),
                         wuxtest::CaseName());

TEST(StreamReader, ReadStringWithoutDelimiterLosesTheText) {
    Bytes const data = ascii("xy");
    MemoryInputStream in(data.data(), 2, false);
    StreamReader reader(&in, false, text::UTF8);
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader.readString(String(L";,")); }, END));
    EXPECT_FALSE(reader.hasMore());
}

TEST(StreamReader, ReadStringOfOneCharacter) {
    Bytes const data = ascii("key=value");
    MemoryInputStream in(data.data(), static_cast<unsigned int>(data.size()), false);
    StreamReader reader(&in, false, text::UTF8);
    EXPECT_EQ(L"key", toWide(reader.readString(static_cast<unsigned short>('='))));
    EXPECT_EQ(L"value", toWide(reader.readLine()));
}

struct SkipCase {
    char const* name;
    char const* text;
    unsigned int count;
    wchar_t const* next; // the line read after skipping; null: nothing left
};

SkipCase const skipCases[] = {
    {"two_lines_skip_five", "one\ntwo\n", 5, nullptr},
    {"skip_none", "one\ntwo", 0, L"one"},
    {"skip_one", "one\ntwo", 1, L"two"},
    {"crlf_counts_once", "one\r\ntwo\r\nthree", 2, L"three"},
    {"lone_cr_is_not_a_line_end_here", "one\rtwo\nthree", 1, L"three"},
    {"last_line_without_end", "one\ntwo", 2, nullptr},
};

class Skip : public ::testing::TestWithParam<SkipCase> {};

TEST_P(Skip, SkipLineReturnsTheCountAsked) {
    SkipCase const& c = GetParam();
    Bytes const data = ascii(c.text);
    MemoryInputStream in(data.data(), static_cast<unsigned int>(data.size()), false);
    StreamReader reader(&in, false, text::UTF8, 2);
    EXPECT_EQ(c.count, reader.skipLine(c.count));
    if (c.next == nullptr)
        EXPECT_FALSE(reader.hasMore());
    else
        EXPECT_EQ(std::wstring(c.next), toWide(reader.readLine()));
}

INSTANTIATE_TEST_SUITE_P(Cases, Skip, ::testing::ValuesIn(skipCases), wuxtest::CaseName());

//===-- UTF-8 as the platform decodes it ----------------------------------------===//

struct Utf8Case {
    char const* name;
    char const* bytes; // one line, without its end
};

// Well-formed text and every kind of malformed sequence, each between ASCII
// runs long enough for the sixteen-byte steps of the decoder: the reader
// must give exactly the units that the platform's conversion gives.
Utf8Case const utf8Cases[] = {
    {"boundaries_of_each_length", "C2 80 DF BF E0 A0 80 EF BF BF F0 90 80 80 F4 8F BF BF"},
    {"mark_inside_a_line", "61 EF BB BF 62"},
    {"non_ascii_at_every_offset",
     "30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 C3 A9 30 31 32 33 34 35 36 37 38 39 41 42 43 "
     "44 E2 82 AC 30 31 32 33 34 35 36 37 38 39 41 42 F0 9F 98 80 30"},
    {"overlong_two_bytes", "61 C0 AF 62"},
    {"overlong_three_bytes", "61 E0 80 AF 62"},
    {"overlong_four_bytes", "61 F0 80 80 AF 62"},
    {"encoded_surrogate", "61 ED A0 80 62"},
    {"beyond_10ffff", "61 F4 90 80 80 62"},
    {"lead_f5", "61 F5 80 80 80 62"},
    {"lead_ff", "61 FF 62"},
    {"lone_continuation", "61 80 62"},
    {"cut_by_ascii", "61 E2 82 62"},
    {"cut_at_the_end", "61 62 63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 70 71 F0 9F 98"},
};

class Utf8AsThePlatform : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8AsThePlatform, SameUnits) {
    Utf8Case const& c = GetParam();
    Bytes const line = bytesOf(c.bytes);
    String const expected = cpp::text::Conversion::toString(
        line.data(), static_cast<unsigned int>(line.size()), text::UTF8);
    for (bool withEnd : {true, false}) {
        SCOPED_TRACE(withEnd);
        Bytes data = line;
        if (withEnd)
            data.push_back(0x0A);
        MemoryInputStream in(data.data(), static_cast<unsigned int>(data.size()), false);
        StreamReader reader(&in, false, text::UTF8);
        EXPECT_EQ(toWide(expected), toWide(reader.readLine()));
        EXPECT_FALSE(reader.hasMore());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8AsThePlatform, ::testing::ValuesIn(utf8Cases),
                         wuxtest::CaseName());

TEST(StreamReaderUtf8, RandomLinesDecodeAsThePlatformDecodes) {
    // Lines of ASCII runs, well-formed characters of every length and stray
    // bytes, mixed by a fixed seed; each line must come out as the
    // platform's conversion of its bytes.
    unsigned int seed = 12345;
    auto next = [&seed](unsigned int bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % bound;
    };
    char const* const pieces[] = {"C3 A9", "E2 82 AC", "F0 9F 98 80", "EF BF BF", "C2 80",
                                  "80",    "C3",       "E2 82",       "ED B0 80", "F8",
                                  "C0 80", "FE",       "F4 90 80 80", "0D",       "09"};
    std::vector<Bytes> lines;
    Bytes data;
    for (int i = 0; i < 400; ++i) {
        Bytes line;
        unsigned int const parts = next(12);
        for (unsigned int k = 0; k < parts; ++k) {
            unsigned int const kind = next(3);
            if (kind == 0) {
                for (unsigned int n = next(40); n > 0; --n)
                    line.push_back(static_cast<unsigned char>('a' + next(26)));
            } else {
                Bytes const piece = bytesOf(pieces[next(kind == 1 ? 5 : 15)]);
                line.insert(line.end(), piece.begin(), piece.end());
            }
        }
        // A CR inside a line would end it for the reader; keep it out.
        for (unsigned char& b : line)
            if (b == 0x0D)
                b = 0x20;
        lines.push_back(line);
        data.insert(data.end(), line.begin(), line.end());
        data.push_back(0x0A);
    }
    for (unsigned int bufSize : {4096u, 100u, 7u}) {
        SCOPED_TRACE(bufSize);
        MemoryInputStream in(data.data(), static_cast<unsigned int>(data.size()), false);
        StreamReader reader(&in, false, text::UTF8, bufSize);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            Bytes const& line = lines[i];
            std::wstring expected;
            if (!line.empty())
                expected = toWide(cpp::text::Conversion::toString(
                    line.data(), static_cast<unsigned int>(line.size()), text::UTF8));
            ASSERT_EQ(expected, toWide(reader.readLine()))
                << "line " << i << ": " << wuxtest::hex(line);
        }
        EXPECT_FALSE(reader.hasMore());
    }
}

//===-- Detection through the reader --------------------------------------------===//

struct DetectCase {
    char const* name;
    char const* bytes;
    EncodingType type;
    wchar_t const* firstLine;
};

DetectCase const detectCases[] = {
    {"utf8_mark_skipped", "EF BB BF 68 69 0A", text::UTF8, L"hi"},
    {"utf16le_mark_skipped", "FF FE 68 00 69 00", text::UTF16LE, L"hi"},
    {"utf16be_mark_skipped", "FE FF 00 68 00 69", text::UTF16BE, L"hi"},
    {"utf8_without_mark", "63 61 66 C3 A9", text::UTF8, L"caf\u00e9"},
    {"utf16le_without_mark", "68 00 69 00", text::UTF16LE, L"hi"},
    {"utf16be_without_mark", "00 68 00 69", text::UTF16BE, L"hi"},
    {"ascii_without_mark", "68 69 0D 0A", text::ASCII, L"hi"},
};

class ReaderDetect : public ::testing::TestWithParam<DetectCase> {};

TEST_P(ReaderDetect, MarkSkippedTypeReported) {
    DetectCase const& c = GetParam();
    Bytes const data = bytesOf(c.bytes);
    MemoryInputStream in(data.data(), static_cast<unsigned int>(data.size()), false);
    StreamReader reader(&in, false);
    EXPECT_EQ(c.type, reader.getEncodingType());
    EXPECT_EQ(std::wstring(c.firstLine), toWide(reader.readLine()));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderDetect, ::testing::ValuesIn(detectCases),
                         wuxtest::CaseName());

TEST(StreamReader, UTF32IsNotSupported) {
    for (EncodingType t : {text::UTF32LE, text::UTF32BE}) {
        CallLog log;
        auto* rec = new RecordingInputStream(&log, bytesOf("41 00 00 00"));
        EXPECT_TRUE(throwsExactly<NotImplementedException>(
            [&] { StreamReader reader(rec, true, t); }, NOT_IMPLEMENTED));
        EXPECT_TRUE(log.has("destroyed")) << "an owned stream goes when the reader cannot be made";
    }
    // Detected UTF-32 is refused the same way.
    CallLog log;
    auto* rec = new RecordingInputStream(&log, bytesOf("00 00 FE FF 41 00 00 00"));
    EXPECT_TRUE(throwsExactly<NotImplementedException>([&] { StreamReader reader(rec, true); },
                                                       NOT_IMPLEMENTED));
    EXPECT_TRUE(log.has("destroyed"));
}

//===-- Buffers and the end of the data -----------------------------------------===//

TEST(StreamReaderBuffer, SizeIsBoundByWhatIsAvailable) {
    CallLog log;
    RecordingInputStream rec(&log, ascii("short\n"));
    StreamReader reader(&rec, false, text::UTF8);
    log.clear();
    EXPECT_EQ(L"short", toWide(reader.readLine()));
    EXPECT_EQ("read[6]", log.text());
}

TEST(StreamReaderBuffer, SizeGivenBoundsTheReads) {
    CallLog log;
    RecordingInputStream rec(&log, ascii("ab\ncd\nef\n"));
    StreamReader reader(&rec, false, text::UTF8, 3);
    EXPECT_EQ(L"ab", toWide(reader.readLine()));
    EXPECT_EQ("read[3]", log.text());
}

TEST(StreamReaderBuffer, NothingAvailableReadsAsEmpty) {
    CallLog log;
    RecordingInputStream rec(&log, ascii("text\n"));
    rec.fixedAvailable = 0;
    StreamReader reader(&rec, false, text::UTF8);
    EXPECT_FALSE(reader.hasMore());
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader.readLine(); }, END));
}

TEST(StreamReaderBuffer, LongLineDoublesTheBuffer) {
    std::string line(100, 'x');
    line += "\xC3\xA9\n";
    CallLog log;
    RecordingInputStream rec(&log, Bytes(line.begin(), line.end()));
    StreamReader reader(&rec, false, text::UTF8, 4);
    std::wstring const expected = std::wstring(100, L'x') + L"\u00e9";
    EXPECT_EQ(expected, toWide(reader.readLine()));
    EXPECT_EQ("read[4] read[4] read[8] read[16] read[32] read[64]", log.text());
}

struct PieceCase {
    char const* name;
    char const* bytes;
    EncodingType type;
    unsigned int bufSize;
    std::size_t maxPerRead; // the most a block read of the source returns
    wchar_t const* text;
};

// UTF-16 text delivered in pieces of odd sizes: a unit cut by a refill is
// completed by the next one.
PieceCase const pieceCases[] = {
    {"le_pieces_of_3", "41 00 42 00 43 00 44 00", text::UTF16LE, 4096, 3, L"ABCD"},
    {"le_pieces_of_1", "41 00 3D D8 00 DE 0A 00", text::UTF16LE, 4096, 1, L"A\xd83d\xde00\n"},
    {"le_buffer_of_3", "41 00 42 00 43 00", text::UTF16LE, 3, 0, L"ABC"},
    {"le_buffer_of_5_pieces_of_2", "41 00 42 00 43 00 44 00", text::UTF16LE, 5, 2, L"ABCD"},
    {"be_pieces_of_3", "00 41 00 42 00 43", text::UTF16BE, 4096, 3, L"ABC"},
    {"be_buffer_of_1", "00 41 D8 3D DE 00", text::UTF16BE, 1, 0, L"A\xd83d\xde00"},
    {"le_trailing_byte_dropped", "41 00 42 00 43", text::UTF16LE, 4096, 0, L"AB"},
    {"le_trailing_byte_after_pieces", "41 00 42 00 43", text::UTF16LE, 3, 3, L"AB"},
    {"be_trailing_byte_dropped", "00 41 00", text::UTF16BE, 2, 0, L"A"},
    {"single_byte_only", "41", text::UTF16LE, 4096, 0, L""},
    {"utf8_pieces_of_1", "61 C3 A9 E2 82 AC F0 9F 98 80", text::UTF8, 4096, 1,
     L"a\u00e9\u20ac\xd83d\xde00"},
};

class Pieces : public ::testing::TestWithParam<PieceCase> {};

TEST_P(Pieces, WholeCharactersOnly) {
    PieceCase const& c = GetParam();
    CallLog log;
    RecordingInputStream rec(&log, bytesOf(c.bytes));
    rec.maxPerRead = c.maxPerRead;
    StreamReader reader(&rec, false, c.type, c.bufSize);
    std::wstring all;
    while (reader.hasMore())
        all += static_cast<wchar_t>(reader.readChar());
    EXPECT_EQ(std::wstring(c.text), all);
    EXPECT_TRUE(throwsExactly<EOFException>([&] { reader.readChar(); }, END));
}

INSTANTIATE_TEST_SUITE_P(Cases, Pieces, ::testing::ValuesIn(pieceCases), wuxtest::CaseName());

// A source that answers 0 instead of -1 at its end, and fails the test
// instead of hanging when it is asked over and over.
class ZeroAtEnd : public RecordingInputStream {
public:
    ZeroAtEnd(CallLog* log, Bytes data) : RecordingInputStream(log, std::move(data)) {
        endResult = 0;
    }
    int read(unsigned char* bytes, int count) override {
        if (++_reads > 1000)
            throw IOException(String("read again and again"));
        return RecordingInputStream::read(bytes, count);
    }
    using RecordingInputStream::read;

private:
    int _reads = 0;
};

struct ZeroCase {
    char const* name;
    char const* bytes;
    EncodingType type;
    unsigned int bufSize;
    std::vector<std::wstring> lines;
};

ZeroCase const zeroCases[] = {
    {"utf8_last_line_without_end", "61 62 0A 63 64", text::UTF8, 4096, {L"ab", L"cd"}},
    {"utf8_small_buffer", "61 62 63 64 65", text::UTF8, 2, {L"abcde"}},
    {"ansi_without_end", "61 62", text::ASCII, 4096, {L"ab"}},
    {"utf16le", "61 00 0A 00 62 00", text::UTF16LE, 4096, {L"a", L"b"}},
};

class SourceEndsWithZero : public ::testing::TestWithParam<ZeroCase> {};

TEST_P(SourceEndsWithZero, TheLastLineEnds) {
    ZeroCase const& c = GetParam();
    CallLog log;
    ZeroAtEnd rec(&log, bytesOf(c.bytes));
    StreamReader reader(&rec, false, c.type, c.bufSize);
    EXPECT_EQ(c.lines, readAllLines(reader));
    EXPECT_FALSE(reader.hasMore());
}

INSTANTIATE_TEST_SUITE_P(Cases, SourceEndsWithZero, ::testing::ValuesIn(zeroCases),
                         wuxtest::CaseName());

//===-- Ownership, failures, closing --------------------------------------------===//

TEST(StreamReader, NullStream) {
    for (int form = 0; form < 4; ++form) {
        SCOPED_TRACE(form);
        EXPECT_TRUE(throwsExactly<ArgumentException>(
            [&] {
                if (form == 0)
                    StreamReader(nullptr, true);
                else if (form == 1)
                    StreamReader(nullptr, true, text::UTF8);
                else if (form == 2)
                    StreamReader(nullptr, true, 10u);
                else
                    StreamReader(nullptr, true, text::UTF8, 10u);
            },
            "The input stream object is null.", "in"));
    }
}

TEST(StreamReader, FailedDetectionDeletesAnOwnedStream) {
    for (bool owns : {true, false}) {
        CallLog log;
        auto* rec = new RecordingInputStream(&log, ascii("text"));
        rec->failAvailable = true;
        EXPECT_TRUE(throwsExactly<IOException>([&] { StreamReader reader(rec, owns); },
                                               "available failed"));
        EXPECT_EQ(owns, log.has("destroyed"));
        if (!owns)
            delete rec;
    }
}

TEST(StreamReader, AccessorsShowTheSourceAndType) {
    CallLog log;
    RecordingInputStream rec(&log, ascii("x"));
    StreamReader reader(&rec, false, text::UTF7, 16);
    EXPECT_EQ(&rec, reader.getInputStream());
    EXPECT_EQ(text::UTF7, reader.getEncodingType());
}

TEST(StreamReader, CloseClosesTheSourceAndDeletesItWhenOwned) {
    for (bool owns : {true, false}) {
        SCOPED_TRACE(owns);
        CallLog log;
        auto* rec = new RecordingInputStream(&log, ascii("a\nb\n"));
        {
            StreamReader reader(rec, owns, text::UTF8);
            EXPECT_EQ(L"a", toWide(reader.readLine()));
            log.clear();
            reader.close();
            EXPECT_EQ(owns ? "close destroyed" : "close", log.text());
            reader.close();
            EXPECT_EQ(owns ? "close destroyed" : "close", log.text())
                << "a second close is a no-op";
        }
        if (!owns)
            delete rec;
    }
}

TEST(StreamReader, DestructorCloses) {
    CallLog log;
    {
        StreamReader reader(new RecordingInputStream(&log, ascii("a")), true, text::UTF8);
        log.clear();
    }
    EXPECT_EQ("close destroyed", log.text());
}

TEST(StreamReader, FailingCloseStillDeletesAndReports) {
    CallLog log;
    auto* rec = new RecordingInputStream(&log, ascii("a"));
    rec->failClose = true;
    StreamReader reader(rec, true, text::UTF8);
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.close(); }, "close failed"));
    EXPECT_TRUE(log.has("destroyed"));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.peek(); }, CLOSED));
}

TEST(StreamReader, EveryOperationAfterCloseThrows) {
    CallLog log;
    RecordingInputStream rec(&log, ascii("a\nb\n"));
    StreamReader reader(&rec, false, text::UTF8);
    reader.close();
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.readChar(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.readLine(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.skipLine(1); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.skipLine(0); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.peek(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.hasMore(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.readString(String(L";")); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>(
        [&] { reader.readString(static_cast<unsigned short>(';')); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.getEncodingType(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { reader.getInputStream(); }, CLOSED));
}

} // namespace
