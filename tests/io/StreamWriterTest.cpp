// StreamWriter: the exact bytes of every encoding with its mark, compared
// with the reference files that Python's codecs wrote (UTF-7 decoded by the
// platform instead, since its encoders may choose other valid bytes); files
// created and appended to, with a mark only where the file was missing or
// empty; the pending block that reaches the destination in one write per
// flush; surrogate pairs written one unit at a time; ownership, failures of
// the destination and the closed writer.
#include "wux/io/StreamWriter.h"

#include "FileTestSupport.h"
#include "RecordingStreams.h"
#include "TextSamples.h"

#include "wux/io/IOException.h"
#include "wux/io/MemoryOutputStream.h"
#include "wux/io/StreamReader.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using cpp::io::IOException;
using cpp::io::MemoryOutputStream;
using cpp::io::StreamReader;
using cpp::io::StreamWriter;
using cpp::lang::ArgumentException;
using cpp::lang::NotImplementedException;
using cpp::lang::String;
using cpp::text::EncodingType;
using wuxtest::Bytes;
using wuxtest::bytesOf;
using wuxtest::CallLog;
using wuxtest::hex;
using wuxtest::RecordingOutputStream;
using wuxtest::SampleLine;
using wuxtest::throwsExactly;
namespace text = cpp::text;

char const* const CLOSED = "The output stream has been closed.";
char const* const NOT_IMPLEMENTED = "The method or operation is not implemented.";
char const* const ZERO_SIZE = "The intial size of the internal buffer cannot be zero.";

std::string hexOf(std::string const& bytes) {
    return hex(reinterpret_cast<unsigned char const*>(bytes.data()), bytes.size());
}

/// Writes \p lines with their line ends: writeLine for CR LF, writeString
/// with the end character for LF and CR, writeString alone for none. With
/// \p unitByUnit every unit goes through writeChar instead.
void writeSample(StreamWriter& out, std::vector<SampleLine> const& lines, bool unitByUnit) {
    for (SampleLine const& line : lines) {
        String const s = wuxtest::toString(line.text);
        if (unitByUnit) {
            for (wchar_t c : line.text)
                out.writeChar(static_cast<unsigned short>(c));
            std::wstring const end = wuxtest::lineEnd(line.end);
            for (wchar_t c : end)
                out.writeChar(static_cast<unsigned short>(c));
        } else if (line.end == "CRLF") {
            out.writeLine(s);
        } else if (line.end == "LF") {
            out.writeString(s, 10);
        } else if (line.end == "CR") {
            out.writeString(s, 13);
        } else {
            out.writeString(s);
        }
    }
}

//===-- Exact bytes -------------------------------------------------------------===//

struct BytesCase {
    char const* name;
    EncodingType type;
    char const* prolog; // written when the writer is made
    char const* text;   // written by flush(): writeLine("hi")
};

BytesCase const bytesCases[] = {
    {"ascii", text::ASCII, "", "68 69 0D 0A"},
    {"utf7", text::UTF7, "", "68 69 0D 0A"},
    {"utf8", text::UTF8, "EF BB BF", "68 69 0D 0A"},
    {"utf16le", text::UTF16LE, "FF FE", "68 00 69 00 0D 00 0A 00"},
    {"utf16be", text::UTF16BE, "FE FF", "00 68 00 69 00 0D 00 0A"},
};

class WriterBytes : public ::testing::TestWithParam<BytesCase> {};

TEST_P(WriterBytes, MarkAtOnceTextAtFlush) {
    BytesCase const& c = GetParam();
    CallLog log;
    RecordingOutputStream rec(&log);
    StreamWriter out(&rec, false, c.type);
    EXPECT_EQ(c.type, out.getEncodingType());
    EXPECT_EQ(&rec, out.getOutputStream());
    EXPECT_EQ(hex(bytesOf(c.prolog)), hex(rec.data())) << "the mark goes straight out";
    std::size_t const markWrites = log.calls.size();
    for (std::string const& call : log.calls)
        EXPECT_EQ(0u, call.find("put:")) << "the mark is written byte by byte";
    out.writeLine(String(L"hi"));
    EXPECT_EQ(markWrites, log.calls.size()) << "nothing reaches the stream before flush()";
    out.flush();
    Bytes const text = bytesOf(c.text);
    EXPECT_EQ(hex(bytesOf(c.prolog)) + (bytesOf(c.prolog).empty() ? "" : " ") + hex(text),
              hex(rec.data()));
    ASSERT_EQ(1u, rec.blocks().size());
    EXPECT_EQ(hex(text), hex(rec.blocks()[0])) << "one write per flush";
    EXPECT_EQ("flush", log.calls.back());
    out.close();
}

INSTANTIATE_TEST_SUITE_P(Types, WriterBytes, ::testing::ValuesIn(bytesCases), wuxtest::CaseName());

TEST(StreamWriter, DefaultsToTheAnsiCodePageWithoutMark) {
    CallLog log;
    RecordingOutputStream rec(&log);
    StreamWriter out(&rec, false);
    EXPECT_EQ(text::ASCII, out.getEncodingType());
    out.writeString(String(L"ab"));
    out.close();
    EXPECT_EQ("61 62", hex(rec.data()));
}

TEST(StreamWriter, ManyWritesOneFlushOneWrite) {
    CallLog log;
    RecordingOutputStream rec(&log);
    StreamWriter out(&rec, false, text::UTF8, 4);
    for (int i = 0; i < 1000; ++i)
        out.writeChar(static_cast<unsigned short>('a' + i % 26));
    log.clear();
    out.flush();
    EXPECT_EQ("write[1000] flush", log.text());
    out.flush();
    EXPECT_EQ("write[1000] flush flush", log.text()) << "an empty block is not written";
}

struct WriteCase {
    char const* name;
    EncodingType type;
    std::vector<std::vector<unsigned short>> writes; // each one writeChars call
    char const* bytes;
};

// Units handed over in pieces; in the code pages a high surrogate waits for
// the next unit.
WriteCase const writeCases[] = {
    {"utf8_pair_by_chars", text::UTF8, {{0xD83D}, {0xDE00}}, "F0 9F 98 80"},
    {"utf8_pair_split_over_writes",
     text::UTF8,
     {{0x41, 0xD83D}, {0xDE00, 0x42}},
     "41 F0 9F 98 80 42"},
    {"utf8_pair_in_one_write", text::UTF8, {{0xD83D, 0xDE00}}, "F0 9F 98 80"},
    {"utf8_high_then_letter", text::UTF8, {{0xD83D}, {0x41}}, "EF BF BD 41"},
    {"utf8_high_high_low", text::UTF8, {{0xD83D}, {0xD83D}, {0xDE00}}, "EF BF BD F0 9F 98 80"},
    {"utf8_lone_low", text::UTF8, {{0xDE00}, {0x41}}, "EF BF BD 41"},
    {"utf8_high_at_close", text::UTF8, {{0x41, 0xD83D}}, "41 EF BF BD"},
    {"utf8_empty_write_keeps_high", text::UTF8, {{0xD83D}, {}, {0xDE00}}, "F0 9F 98 80"},
    {"utf8_mixed", text::UTF8, {{0x61, 0xE9, 0x20AC}}, "61 C3 A9 E2 82 AC"},
    {"utf8_nul_unit", text::UTF8, {{0x61, 0x00, 0x62}}, "61 00 62"},
    {"utf16le_pair_by_chars", text::UTF16LE, {{0xD83D}, {0xDE00}}, "3D D8 00 DE"},
    {"utf16be_pair_by_chars", text::UTF16BE, {{0xD83D}, {0xDE00}}, "D8 3D DE 00"},
    {"utf16le_lone_high_kept", text::UTF16LE, {{0xD83D}}, "3D D8"},
};

class Writes : public ::testing::TestWithParam<WriteCase> {};

TEST_P(Writes, BytesAfterClose) {
    WriteCase const& c = GetParam();
    CallLog log;
    RecordingOutputStream rec(&log);
    {
        StreamWriter out(&rec, false, c.type, 2);
        log.clear();
        for (std::vector<unsigned short> const& w : c.writes) {
            unsigned short const none = 0;
            out.writeChars(w.empty() ? &none : w.data(), static_cast<unsigned int>(w.size()));
        }
        out.close();
    }
    Bytes const prolog = bytesOf(c.type == text::UTF8      ? "EF BB BF"
                                 : c.type == text::UTF16LE ? "FF FE"
                                 : c.type == text::UTF16BE ? "FE FF"
                                                           : "");
    Bytes written(rec.data().begin() + static_cast<std::ptrdiff_t>(prolog.size()),
                  rec.data().end());
    EXPECT_EQ(c.bytes, hex(written));
}

INSTANTIATE_TEST_SUITE_P(Cases, Writes, ::testing::ValuesIn(writeCases), wuxtest::CaseName());

TEST(StreamWriter, FlushDoesNotWriteHalfAPair) {
    CallLog log;
    RecordingOutputStream rec(&log);
    StreamWriter out(&rec, false, text::UTF8);
    out.writeChar(0x41);
    out.writeChar(0xD83D);
    out.flush();
    EXPECT_EQ("EF BB BF 41", hex(rec.data()));
    out.writeChar(0xDE00);
    out.close();
    EXPECT_EQ("EF BB BF 41 F0 9F 98 80", hex(rec.data()));
}

TEST(StreamWriter, WriteCharsUpToTheTerminator) {
    CallLog log;
    RecordingOutputStream rec(&log);
    StreamWriter out(&rec, false, text::UTF16BE);
    unsigned short const units[] = {0x41, 0x20AC, 0, 0x42};
    out.writeChars(units);
    out.close();
    EXPECT_EQ("FE FF 00 41 20 AC", hex(rec.data()));
}

//===-- The reference files -----------------------------------------------------===//

struct SampleCase {
    char const* name;
    EncodingType type;
    char const* sample;
    wchar_t const* reference; // null: compared by decoding (UTF-7)
    bool unitByUnit;
};

SampleCase const sampleCases[] = {
    {"utf8", text::UTF8, "sample", L"sample.utf8bom.txt", false},
    {"utf8_unit_by_unit", text::UTF8, "sample", L"sample.utf8bom.txt", true},
    {"utf16le", text::UTF16LE, "sample", L"sample.utf16lebom.txt", false},
    {"utf16le_unit_by_unit", text::UTF16LE, "sample", L"sample.utf16lebom.txt", true},
    {"utf16be", text::UTF16BE, "sample", L"sample.utf16bebom.txt", false},
    {"utf16be_unit_by_unit", text::UTF16BE, "sample", L"sample.utf16bebom.txt", true},
    {"ansi", text::ASCII, "sample1252", L"sample1252.txt", false},
    {"ansi_unit_by_unit", text::ASCII, "sample1252", L"sample1252.txt", true},
    {"utf7", text::UTF7, "sample", nullptr, false},
    {"utf7_unit_by_unit", text::UTF7, "sample", nullptr, true},
};

class WriterSample : public ::testing::TestWithParam<SampleCase> {};

TEST_P(WriterSample, FileMatchesTheReference) {
    SampleCase const& c = GetParam();
    if (c.type == text::ASCII && GetACP() != 1252)
        GTEST_SKIP() << "the ANSI sample needs code page 1252, not " << GetACP();
    std::vector<SampleLine> const lines = wuxtest::loadSample(c.sample);
    wuxtest::TempFolder folder;
    std::wstring const path = folder.at(L"written.txt");
    {
        StreamWriter out(wuxtest::toString(path), false, c.type, 64);
        writeSample(out, lines, c.unitByUnit);
        out.close();
    }
    std::string const written = wuxtest::readRawFile(path);
    if (c.reference != nullptr) {
        std::string const expected = wuxtest::readRawFile(wuxtest::textFile(c.reference));
        ASSERT_EQ(expected.size(), written.size());
        EXPECT_TRUE(expected == written) << "the bytes differ from the reference";
        return;
    }
    // UTF-7: what the platform decodes from the bytes is the sample.
    std::wstring const expected = wuxtest::joined(lines);
    int const n = MultiByteToWideChar(CP_UTF7, 0, written.data(), static_cast<int>(written.size()),
                                      nullptr, 0);
    std::wstring decoded(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF7, 0, written.data(), static_cast<int>(written.size()), &decoded[0],
                        n);
    EXPECT_EQ(expected, decoded);
}

TEST_P(WriterSample, ReadBackLineByLine) {
    SampleCase const& c = GetParam();
    if (c.type == text::ASCII && GetACP() != 1252)
        GTEST_SKIP() << "the ANSI sample needs code page 1252, not " << GetACP();
    std::vector<SampleLine> const lines = wuxtest::loadSample(c.sample);
    wuxtest::TempFolder folder;
    String const name = wuxtest::toString(folder.at(L"roundtrip.txt"));
    {
        StreamWriter out(name, false, c.type);
        writeSample(out, lines, c.unitByUnit);
    } // the destructor writes the text
    StreamReader in(name, c.type, 16);
    for (SampleLine const& line : lines) {
        if (c.type != text::ASCII && c.type != text::UTF7 && &line == &lines.front()) {
            EXPECT_EQ(0xFEFF, in.readChar()) << "the mark, read as a character";
        }
        EXPECT_EQ(line.text, wuxtest::toWide(in.readLine()));
    }
    EXPECT_FALSE(in.hasMore());
}

INSTANTIATE_TEST_SUITE_P(Types, WriterSample, ::testing::ValuesIn(sampleCases),
                         wuxtest::CaseName());

//===-- Files: create and append ------------------------------------------------===//

struct AppendCase {
    char const* name;
    char const* before; // hex of the file beforehand; null: no file
    bool append;
    EncodingType type;
    char const* after;
};

AppendCase const appendCases[] = {
    {"append_missing_utf16le", nullptr, true, text::UTF16LE, "FF FE 61 00"},
    {"append_empty_utf16le", "", true, text::UTF16LE, "FF FE 61 00"},
    {"append_nonempty_utf16le", "FF FE 7A 00", true, text::UTF16LE, "FF FE 7A 00 61 00"},
    {"append_missing_utf8", nullptr, true, text::UTF8, "EF BB BF 61"},
    {"append_nonempty_utf8", "EF BB BF 7A", true, text::UTF8, "EF BB BF 7A 61"},
    {"append_nonempty_without_mark", "7A", true, text::UTF16BE, "7A 00 61"},
    {"append_ansi", "7A", true, text::ASCII, "7A 61"},
    {"create_replaces_content", "EF BB BF 7A 7A 7A", false, text::UTF8, "EF BB BF 61"},
    {"create_missing_utf16be", nullptr, false, text::UTF16BE, "FE FF 00 61"},
    {"create_ansi", "7A 7A", false, text::ASCII, "61"},
};

class WriterFile : public ::testing::TestWithParam<AppendCase> {};

TEST_P(WriterFile, MarkOnlyWhereTheFileStarts) {
    AppendCase const& c = GetParam();
    wuxtest::TempFolder folder;
    std::wstring const path = folder.at(L"log.txt");
    if (c.before != nullptr) {
        Bytes const b = bytesOf(c.before);
        wuxtest::writeRawFile(path, std::string(b.begin(), b.end()));
    }
    {
        StreamWriter out(wuxtest::toString(path), c.append, c.type);
        out.writeChar('a');
    }
    EXPECT_EQ(c.after, hexOf(wuxtest::readRawFile(path)));
}

INSTANTIATE_TEST_SUITE_P(Cases, WriterFile, ::testing::ValuesIn(appendCases), wuxtest::CaseName());

TEST(StreamWriterFile, FileFormsWithoutTypeUseTheAnsiCodePage) {
    wuxtest::TempFolder folder;
    std::wstring const path = folder.at(L"plain.txt");
    wuxtest::writeRawFile(path, "old content");
    {
        StreamWriter out(wuxtest::toString(path));
        EXPECT_EQ(text::ASCII, out.getEncodingType());
        out.writeString(String(L"new"));
    }
    EXPECT_EQ("new", wuxtest::readRawFile(path));
    {
        StreamWriter out(wuxtest::toString(path), true);
        out.writeLine(String(L"+"));
    }
    EXPECT_EQ("new+\r\n", wuxtest::readRawFile(path));
    {
        StreamWriter out(wuxtest::toString(path), true, text::UTF8, 1);
        out.writeString(String(L"\u00e9"));
    }
    EXPECT_EQ("new+\r\n\xC3\xA9", wuxtest::readRawFile(path));
}

TEST(StreamWriterFile, BadArgumentsLeaveTheFileAlone) {
    wuxtest::TempFolder folder;
    std::wstring const path = folder.at(L"keep.txt");
    wuxtest::writeRawFile(path, "keep");
    String const name = wuxtest::toString(path);
    EXPECT_TRUE(throwsExactly<ArgumentException>(
        [&] { StreamWriter out(name, false, text::UTF8, 0); }, ZERO_SIZE, "bufSize"));
    EXPECT_TRUE(throwsExactly<NotImplementedException>(
        [&] { StreamWriter out(name, false, text::UTF32LE); }, NOT_IMPLEMENTED));
    EXPECT_EQ("keep", wuxtest::readRawFile(path));
    std::wstring const missing = folder.at(L"missing.txt");
    EXPECT_TRUE(throwsExactly<NotImplementedException>(
        [&] { StreamWriter out(wuxtest::toString(missing), true, text::UTF32BE); },
        NOT_IMPLEMENTED));
    EXPECT_FALSE(wuxtest::rawExists(missing));
}

TEST(StreamWriterFile, EmptyName) {
    for (bool append : {false, true}) {
        EXPECT_TRUE(throwsExactly<ArgumentException>([&] { StreamWriter out(String(), append); },
                                                     "Tbe file name is empty.", "fileName"));
    }
}

TEST(StreamWriterFile, OthersMayReadWhileWriting) {
    wuxtest::TempFolder folder;
    std::wstring const path = folder.at(L"shared.txt");
    StreamWriter out(wuxtest::toString(path), false, text::UTF8);
    out.writeString(String(L"x"));
    out.flush();
    EXPECT_EQ("\xEF\xBB\xBFx", wuxtest::readRawFile(path));
    out.close();
}

//===-- Ownership, failures, closing --------------------------------------------===//

TEST(StreamWriter, NullStream) {
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { StreamWriter(nullptr, true); },
                                                 "The output stream is null.", "out"));
    EXPECT_TRUE(throwsExactly<ArgumentException>([] { StreamWriter(nullptr, true, text::UTF8); },
                                                 "The output stream is null.", "out"));
    EXPECT_TRUE(throwsExactly<ArgumentException>(
        [] { StreamWriter(nullptr, true, text::UTF8, 0u); }, "The output stream is null.", "out"));
}

TEST(StreamWriter, ZeroSizeDeletesAnOwnedStream) {
    for (bool owns : {true, false}) {
        SCOPED_TRACE(owns);
        CallLog log;
        auto* rec = new RecordingOutputStream(&log);
        EXPECT_TRUE(throwsExactly<ArgumentException>(
            [&] { StreamWriter out(rec, owns, text::UTF8, 0); }, ZERO_SIZE, "bufSize"));
        EXPECT_EQ(owns ? "destroyed" : "", log.text()) << "nothing written, nothing closed";
        if (!owns)
            delete rec;
    }
}

TEST(StreamWriter, UTF32DeletesAnOwnedStream) {
    for (EncodingType t : {text::UTF32LE, text::UTF32BE}) {
        CallLog log;
        auto* rec = new RecordingOutputStream(&log);
        EXPECT_TRUE(throwsExactly<NotImplementedException>([&] { StreamWriter out(rec, true, t); },
                                                           NOT_IMPLEMENTED));
        EXPECT_EQ("destroyed", log.text());
    }
}

TEST(StreamWriter, FailingMarkDeletesAnOwnedStream) {
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    rec->failWrite = true;
    EXPECT_TRUE(throwsExactly<IOException>([&] { StreamWriter out(rec, true, text::UTF8); },
                                           "write failed"));
    EXPECT_EQ("put:EF destroyed", log.text());
}

TEST(StreamWriter, NullCharactersComeBeforeTheClosedCheck) {
    CallLog log;
    RecordingOutputStream rec(&log);
    StreamWriter out(&rec, false, text::UTF8);
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { out.writeChars(nullptr, 3); },
                                                 "The string pointer is null.", "v"));
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { out.writeChars(nullptr); },
                                                 "The string pointer is null.", "v"));
    out.close();
    EXPECT_TRUE(throwsExactly<ArgumentException>([&] { out.writeChars(nullptr, 0); },
                                                 "The string pointer is null.", "v"));
}

TEST(StreamWriter, CloseWritesFlushesClosesAndDeletesWhenOwned) {
    for (bool owns : {true, false}) {
        SCOPED_TRACE(owns);
        CallLog log;
        auto* rec = new RecordingOutputStream(&log);
        {
            StreamWriter out(rec, owns, text::ASCII);
            out.writeString(String(L"abc"));
            out.close();
            EXPECT_EQ(owns ? "write[3] flush close destroyed" : "write[3] flush close", log.text());
            out.close();
            EXPECT_EQ(owns ? 4u : 3u, log.calls.size()) << "a second close is a no-op";
        }
        if (!owns) {
            EXPECT_EQ("61 62 63", hex(rec->data()));
            delete rec;
        }
    }
}

TEST(StreamWriter, DestructorWritesThePendingText) {
    CallLog log;
    {
        StreamWriter out(new RecordingOutputStream(&log), true, text::UTF16LE);
        out.writeChar('x');
    }
    EXPECT_EQ("put:FF put:FE write[2] flush close destroyed", log.text());
}

TEST(StreamWriter, FailedFlushKeepsThePendingText) {
    CallLog log;
    RecordingOutputStream rec(&log);
    StreamWriter out(&rec, false, text::UTF8);
    out.writeString(String(L"abc"));
    rec.failWrite = true;
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.flush(); }, "write failed"));
    rec.failWrite = false;
    out.flush();
    EXPECT_EQ("EF BB BF 61 62 63", hex(rec.data()));
}

TEST(StreamWriter, FailingCloseReleasesEverythingAndReports) {
    CallLog log;
    auto* rec = new RecordingOutputStream(&log);
    StreamWriter out(rec, true, text::ASCII);
    out.writeString(String(L"abc"));
    rec->failWrite = true;
    log.clear();
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.close(); }, "write failed"));
    EXPECT_EQ("write[3] close destroyed", log.text())
        << "the destination is closed and deleted all the same";
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.flush(); }, CLOSED));
}

TEST(StreamWriter, EveryOperationAfterCloseThrows) {
    CallLog log;
    RecordingOutputStream rec(&log);
    StreamWriter out(&rec, false, text::UTF8);
    out.close();
    unsigned short const units[] = {0x41, 0};
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.flush(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.writeChar('a'); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.writeChars(units, 1); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.writeChars(units); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.writeString(String(L"a"), ';'); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.writeString(String(L"a")); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.writeLine(String(L"a")); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.getEncodingType(); }, CLOSED));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.getOutputStream(); }, CLOSED));
}

TEST(StreamWriter, MemoryStreamHoldsNothingUntilFlush) {
    MemoryOutputStream mem;
    StreamWriter out(&mem, false, text::UTF16BE);
    EXPECT_EQ(2u, mem.getLength()) << "only the mark";
    out.writeLine(String(L"hi"));
    EXPECT_EQ(2u, mem.getLength());
    out.flush();
    EXPECT_EQ("FE FF 00 68 00 69 00 0D 00 0A", hex(mem.getBuffer(), mem.getLength()));
}

} // namespace
