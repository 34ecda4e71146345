// FileInputStream and FileOutputStream: opening by name and by File with the
// errors of missing files and folders, block and single-byte reads with
// available(), seeking from every origin, every FileMode against a missing
// and an existing file, share modes between two openers, writes, flush,
// close and the closed-stream errors, and files larger than 4 GiB.
#include "FileTestSupport.h"

#include "wux/io/DirectoryNotFoundException.h"
#include "wux/io/File.h"
#include "wux/io/FileInputStream.h"
#include "wux/io/FileMode.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/FileOutputStream.h"
#include "wux/io/IOException.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using cpp::io::DirectoryNotFoundException;
using cpp::io::File;
using cpp::io::FileInputStream;
using cpp::io::FileMode;
using cpp::io::FileNotFoundException;
using cpp::io::FileOutputStream;
using cpp::io::FileShare;
using cpp::io::IOException;
using cpp::io::SeekOrigin;
using cpp::lang::String;
using wuxtest::expectArgumentException;
using wuxtest::expectThrowsExactly;
using wuxtest::rawExists;
using wuxtest::rawFileSize;
using wuxtest::readRawFile;
using wuxtest::str;
using wuxtest::text;
using wuxtest::writeRawFile;

__int64 const GiB = 1024LL * 1024 * 1024;

std::wstring systemText(int code) {
    return text(cpp::lang::SystemErrorHandler::getInstance()->toString(code));
}

std::wstring closedMessage(std::wstring const& name) {
    return L"The file '" + name + L"' has been closed.";
}

// Streams whose protected open() a test can call a second time.
class ReopenableInput : public FileInputStream {
public:
    ReopenableInput(String const& name, FileShare share) : FileInputStream(name, share) {}
    void openAgain() { open(cpp::io::Read); }
};

class ReopenableOutput : public FileOutputStream {
public:
    ReopenableOutput(String const& name, FileMode mode, FileShare share)
        : FileOutputStream(name, mode, share) {}
    void openAgain() { open(cpp::io::OpenOrCreate, cpp::io::Read); }
};

class FileStreamTest : public ::testing::Test {
protected:
    wuxtest::TempFolder folder;
};

//===-- Opening -----------------------------------------------------------===//

TEST_F(FileStreamTest, OpeningMissingFilesAndFolders) {
    String missingFile = str(folder.at(L"missing.bin"));
    String missingFolder = str(folder.at(L"none\\x.bin"));
    expectThrowsExactly<FileNotFoundException>(
        [&] { FileInputStream in(missingFile, cpp::io::Read); });
    expectThrowsExactly<DirectoryNotFoundException>(
        [&] { FileInputStream in(missingFolder, cpp::io::Read); });
    expectThrowsExactly<FileNotFoundException>(
        [&] { FileInputStream in(File(missingFile), cpp::io::Read); });
    expectThrowsExactly<FileNotFoundException>(
        [&] { FileOutputStream out(missingFile, cpp::io::Open, cpp::io::None); });
    expectThrowsExactly<DirectoryNotFoundException>(
        [&] { FileOutputStream out(missingFolder, cpp::io::Create, cpp::io::None); });
    EXPECT_FALSE(rawExists(folder.at(L"missing.bin")));
}

TEST_F(FileStreamTest, EmptyNamesAreRefused) {
    expectArgumentException([] { FileInputStream in(String(), cpp::io::Read); },
                            L"The file name is empty.", L"name");
    expectArgumentException([] { FileOutputStream out(String(), cpp::io::Create, cpp::io::None); },
                            L"Tbe file name is empty.", L"fileName");
}

TEST_F(FileStreamTest, ADirectoryCannotBeOpenedAsAFile) {
    CreateDirectoryW(folder.at(L"dir").c_str(), nullptr);
    expectThrowsExactly<IOException>(
        [&] { FileInputStream in(str(folder.at(L"dir")), cpp::io::Read); });
    expectThrowsExactly<IOException>(
        [&] { FileOutputStream out(str(folder.at(L"dir")), cpp::io::Open, cpp::io::None); });
}

TEST_F(FileStreamTest, StreamsKeepTheirNames) {
    wuxtest::CurrentDirectoryGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path().c_str()));
    writeRawFile(folder.at(L"n.txt"), "x");
    // A name is kept as given; a File gives its full name.
    FileInputStream byName(String(L"n.txt"), cpp::io::ReadWrite);
    EXPECT_EQ(text(byName.getFileName()), L"n.txt");
    FileInputStream byFile(File(String(L"n.txt")), cpp::io::ReadWrite);
    EXPECT_EQ(text(byFile.getFileName()), folder.at(L"n.txt"));
    FileOutputStream outByFile(File(String(L"o.txt")), cpp::io::Create, cpp::io::ReadWrite);
    EXPECT_EQ(text(outByFile.getFileName()), folder.at(L"o.txt"));
    FileOutputStream outByName(String(L"p.txt"), cpp::io::Create, cpp::io::ReadWrite);
    EXPECT_EQ(text(outByName.getFileName()), L"p.txt");
    EXPECT_TRUE(rawExists(folder.at(L"p.txt")));
}

TEST_F(FileStreamTest, OpeningAnOpenStreamAgainIsRefused) {
    writeRawFile(folder.at(L"r.txt"), "x");
    ReopenableInput in(str(folder.at(L"r.txt")), cpp::io::ReadWrite);
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { in.openAgain(); }),
              L"The file has been opened.");
    ReopenableOutput out(str(folder.at(L"w.txt")), cpp::io::Create, cpp::io::ReadWrite);
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { out.openAgain(); }),
              L"The file has been opened.");
}

//===-- Reading -----------------------------------------------------------===//

TEST_F(FileStreamTest, BlockReadsUntilTheEnd) {
    std::wstring path = folder.at(L"ten.bin");
    writeRawFile(path, "0123456789");
    FileInputStream in(str(path), cpp::io::Read);
    unsigned char buffer[100] = {0};
    EXPECT_EQ(in.available(), 10);
    EXPECT_EQ(in.read(buffer, 0), 0);
    EXPECT_EQ(in.read(buffer, 4), 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "0123");
    EXPECT_EQ(in.available(), 6);
    EXPECT_EQ(in.read(buffer, 100), 6);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 6), "456789");
    EXPECT_EQ(in.available(), 0);
    EXPECT_EQ(in.read(buffer, 100), -1);
    EXPECT_EQ(in.read(buffer, 0), 0) << "a 0-byte request gives 0 even at the end";
    EXPECT_EQ(in.read(), -1);
}

TEST_F(FileStreamTest, SingleByteReadsGiveZeroTo255) {
    std::wstring path = folder.at(L"bytes.bin");
    writeRawFile(path, std::string("\x00\x7F\x80\xFF", 4));
    FileInputStream in(str(path), cpp::io::Read);
    EXPECT_EQ(in.read(), 0x00);
    EXPECT_EQ(in.read(), 0x7F);
    EXPECT_EQ(in.read(), 0x80);
    EXPECT_EQ(in.read(), 0xFF);
    EXPECT_EQ(in.read(), -1);
}

TEST_F(FileStreamTest, ReadIntoNullIsRefused) {
    writeRawFile(folder.at(L"x.bin"), "x");
    FileInputStream in(str(folder.at(L"x.bin")), cpp::io::Read);
    expectArgumentException([&] { in.read(nullptr, 1); },
                            L"The buffer into which the data is read is null.", L"bytes");
    EXPECT_EQ(in.available(), 1);
}

TEST_F(FileStreamTest, EmptyFileIsAtItsEnd) {
    writeRawFile(folder.at(L"empty.bin"), "");
    FileInputStream in(str(folder.at(L"empty.bin")), cpp::io::Read);
    unsigned char b[4];
    EXPECT_EQ(in.available(), 0);
    EXPECT_EQ(in.read(b, 4), -1);
}

TEST_F(FileStreamTest, InputSeeksFromEveryOrigin) {
    std::wstring path = folder.at(L"seek.bin");
    writeRawFile(path, "0123456789");
    FileInputStream in(str(path), cpp::io::Read);
    struct Row {
        char const* name;
        __int64 offset;
        SeekOrigin origin;
        __int64 position;
        int next; // the byte read after the seek, -1 at the end
    };
    Row const rows[] = {
        {"begin", 4, cpp::io::Begin, 4, '4'},
        {"current forward", 2, cpp::io::Current, 7, '7'},
        {"current back", -3, cpp::io::Current, 5, '5'},
        {"end back", -2, cpp::io::End, 8, '8'},
        {"end", 0, cpp::io::End, 10, -1},
        {"beyond the end", 15, cpp::io::Begin, 15, -1},
        {"unknown origin counts from the start", 3, static_cast<SeekOrigin>(7), 3, '3'},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(in.seek(row.offset, row.origin), row.position);
        EXPECT_EQ(in.available(), 10 - row.position);
        EXPECT_EQ(in.read(), row.next);
    }
}

TEST_F(FileStreamTest, SeekingBeforeTheStartThrowsAndKeepsThePosition) {
    writeRawFile(folder.at(L"s.bin"), "0123456789");
    FileInputStream in(str(folder.at(L"s.bin")), cpp::io::Read);
    in.seek(6, cpp::io::Begin);
    std::wstring message =
        expectThrowsExactly<IOException>([&] { in.seek(-20, cpp::io::Current); });
    EXPECT_EQ(message, systemText(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(in.available(), 4);
    EXPECT_EQ(in.read(), '6');
}

//===-- Closing -----------------------------------------------------------===//

TEST_F(FileStreamTest, ClosedInputThrowsNamingTheFile) {
    writeRawFile(folder.at(L"c.bin"), "abc");
    std::wstring name = folder.at(L"c.bin");
    FileInputStream in(str(name), cpp::io::None);
    in.close();
    in.close(); // repeatable
    unsigned char b[4];
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { in.read(b, 4); }), closedMessage(name));
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { in.read(); }), closedMessage(name));
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { in.available(); }), closedMessage(name));
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { in.seek(0, cpp::io::Begin); }),
              closedMessage(name));
    // The handle is gone: the file can be opened without sharing again.
    FileInputStream again(str(name), cpp::io::None);
}

TEST_F(FileStreamTest, ClosedOutputThrowsNamingTheFile) {
    std::wstring name = folder.at(L"o.bin");
    FileOutputStream out(str(name), cpp::io::Create, cpp::io::None);
    unsigned char const data[] = {'a', 'b'};
    out.write(data, 2);
    out.close();
    out.close();
    EXPECT_EQ(readRawFile(name), "ab");
    EXPECT_EQ(out.getCurrentOffset(), -1) << "no closed check, no exception";
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { out.write(data, 2); }), closedMessage(name));
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { out.write(1); }), closedMessage(name));
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { out.flush(); }), closedMessage(name));
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { out.seek(0, cpp::io::End); }),
              closedMessage(name));
    EXPECT_EQ(readRawFile(name), "ab");
}

TEST_F(FileStreamTest, DestructionClosesTheFile) {
    std::wstring name = folder.at(L"d.bin");
    {
        FileOutputStream out(str(name), cpp::io::Create, cpp::io::None);
        out.write('z');
    }
    {
        FileInputStream in(str(name), cpp::io::None);
        EXPECT_EQ(in.read(), 'z');
    }
    FileOutputStream again(str(name), cpp::io::Open, cpp::io::None);
}

//===-- Writing -----------------------------------------------------------===//

TEST_F(FileStreamTest, EveryModeAgainstAMissingAndAnExistingFile) {
    enum Outcome { Writes, ThrowsNotFound, ThrowsExists };
    struct Row {
        char const* name;
        FileMode mode;
        bool exists;
        Outcome outcome;
        std::string content; // after writing "ab" (or untouched on failure)
        __int64 startOffset; // right after opening
    };
    FileMode const unknown = static_cast<FileMode>(9);
    Row const rows[] = {
        {"CreateNew, missing", cpp::io::CreateNew, false, Writes, "ab", 0},
        {"CreateNew, existing", cpp::io::CreateNew, true, ThrowsExists, "12345", 0},
        {"Create, missing", cpp::io::Create, false, Writes, "ab", 0},
        {"Create, existing", cpp::io::Create, true, Writes, "ab", 0},
        {"Open, missing", cpp::io::Open, false, ThrowsNotFound, "<missing>", 0},
        {"Open, existing", cpp::io::Open, true, Writes, "ab345", 0},
        {"OpenOrCreate, missing", cpp::io::OpenOrCreate, false, Writes, "ab", 0},
        {"OpenOrCreate, existing", cpp::io::OpenOrCreate, true, Writes, "ab345", 0},
        {"Truncate, missing", cpp::io::Truncate, false, ThrowsNotFound, "<missing>", 0},
        {"Truncate, existing", cpp::io::Truncate, true, Writes, "ab", 0},
        {"Append, missing", cpp::io::Append, false, Writes, "ab", 0},
        {"Append, existing", cpp::io::Append, true, Writes, "12345ab", 5},
        {"unknown mode, missing", unknown, false, ThrowsNotFound, "<missing>", 0},
        {"unknown mode, existing", unknown, true, Writes, "ab345", 0},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        std::wstring path = folder.at(L"mode.bin");
        DeleteFileW(path.c_str());
        if (row.exists)
            writeRawFile(path, "12345");
        auto writeAb = [&] {
            FileOutputStream out(str(path), row.mode, cpp::io::None);
            EXPECT_EQ(out.getCurrentOffset(), row.startOffset);
            unsigned char const ab[] = {'a', 'b'};
            out.write(ab, 2);
            EXPECT_EQ(out.getCurrentOffset(), row.startOffset + 2);
        };
        if (row.outcome == Writes) {
            writeAb();
        } else if (row.outcome == ThrowsNotFound) {
            expectThrowsExactly<FileNotFoundException>(writeAb);
        } else {
            EXPECT_EQ(expectThrowsExactly<IOException>(writeAb), systemText(ERROR_FILE_EXISTS));
        }
        EXPECT_EQ(readRawFile(path), row.content);
    }
}

TEST_F(FileStreamTest, WritesSeeksAndSingleBytes) {
    std::wstring path = folder.at(L"w.bin");
    FileOutputStream out(str(path), cpp::io::Create, cpp::io::Read);
    unsigned char const digits[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};
    out.write(digits, 10);
    out.write(digits, 0); // nothing
    EXPECT_EQ(out.seek(2, cpp::io::Begin), 2);
    out.write(digits + 8, 2);
    EXPECT_EQ(out.getCurrentOffset(), 4);
    EXPECT_EQ(out.seek(-1, cpp::io::End), 9);
    out.write(0x141); // the low 8 bits: 'A'
    EXPECT_EQ(out.seek(-5, cpp::io::Current), 5);
    out.write('x');
    EXPECT_EQ(out.seek(12, cpp::io::Begin), 12);
    out.write('!');
    out.flush();
    EXPECT_EQ(readRawFile(path), std::string("01894x678A\0\0!", 13));
    expectArgumentException([&] { out.write(nullptr, 0); }, L"The data buffer to write is null.",
                            L"bytes");
    EXPECT_EQ(expectThrowsExactly<IOException>([&] { out.seek(-1, cpp::io::Begin); }),
              systemText(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(rawFileSize(path), 13);
}

TEST_F(FileStreamTest, CopyingAFileThroughTheStreams) {
    std::string content;
    unsigned int seed = 12345;
    for (int i = 0; i < 100000; ++i) {
        seed = seed * 1103515245u + 12345u;
        content += static_cast<char>(seed >> 24);
    }
    writeRawFile(folder.at(L"source.bin"), content);
    {
        FileInputStream in(str(folder.at(L"source.bin")), cpp::io::Read);
        FileOutputStream out(str(folder.at(L"copy.bin")), cpp::io::CreateNew, cpp::io::None);
        unsigned char block[4096];
        int n;
        while ((n = in.read(block, sizeof block)) > 0)
            out.write(block, static_cast<unsigned int>(n));
        EXPECT_EQ(n, -1);
    }
    EXPECT_EQ(readRawFile(folder.at(L"copy.bin")), content);
}

//===-- Share modes -------------------------------------------------------===//

TEST_F(FileStreamTest, ShareModesDecideASecondOpen) {
    enum Kind { In, Out };
    struct Row {
        char const* name;
        Kind firstKind;
        FileShare firstShare;
        Kind secondKind;
        FileShare secondShare;
        bool secondOpens;
    };
    FileShare const unknown = static_cast<FileShare>(9);
    Row const rows[] = {
        {"reader shares nothing", In, cpp::io::None, In, cpp::io::ReadWrite, false},
        {"writer shares nothing", Out, cpp::io::None, In, cpp::io::ReadWrite, false},
        {"readers sharing reading", In, cpp::io::Read, In, cpp::io::Read, true},
        {"reader refuses a writer", In, cpp::io::Read, Out, cpp::io::ReadWrite, false},
        {"reader lets a writer in", In, cpp::io::ReadWrite, Out, cpp::io::ReadWrite, true},
        {"writer lets readers in", Out, cpp::io::Read, In, cpp::io::ReadWrite, true},
        {"second reader refuses the writer", Out, cpp::io::Read, In, cpp::io::Read, false},
        {"writer shares writing only", Out, cpp::io::Write, In, cpp::io::ReadWrite, false},
        {"writers sharing writing", Out, cpp::io::Write, Out, cpp::io::Write, true},
        {"unknown share value is None", In, unknown, In, cpp::io::ReadWrite, false},
    };
    std::wstring path = folder.at(L"shared.bin");
    writeRawFile(path, "data");
    auto open = [&](Kind kind, FileShare share) -> std::unique_ptr<void, void (*)(void*)> {
        if (kind == In)
            return {new FileInputStream(str(path), share),
                    [](void* p) { delete static_cast<FileInputStream*>(p); }};
        return {new FileOutputStream(str(path), cpp::io::Open, share),
                [](void* p) { delete static_cast<FileOutputStream*>(p); }};
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        auto first = open(row.firstKind, row.firstShare);
        if (row.secondOpens) {
            auto second = open(row.secondKind, row.secondShare);
            EXPECT_NE(second.get(), nullptr);
        } else {
            std::wstring message =
                expectThrowsExactly<IOException>([&] { open(row.secondKind, row.secondShare); });
            EXPECT_EQ(message, systemText(ERROR_SHARING_VIOLATION));
        }
    }
    EXPECT_EQ(readRawFile(path), "data");
}

//===-- Beyond 4 GiB ------------------------------------------------------===//

class BigFileTest : public FileStreamTest {
protected:
    void SetUp() override {
        path = folder.at(L"big.bin");
        std::string reason;
        if (!wuxtest::createSparseFile(path, size, markerAt, "MARKER", reason))
            GTEST_SKIP() << reason;
    }

    std::wstring path;
    __int64 const size = 5 * GiB + 7;
    __int64 const markerAt = 4 * GiB + 100;
};

TEST_F(BigFileTest, ReadsAndSeeksBeyondFourGiB) {
    FileInputStream in(str(path), cpp::io::Read);
    EXPECT_EQ(in.available(), size);
    EXPECT_EQ(in.seek(markerAt, cpp::io::Begin), markerAt);
    EXPECT_EQ(in.available(), size - markerAt);
    unsigned char buffer[6] = {0};
    EXPECT_EQ(in.read(buffer, 6), 6);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 6), "MARKER");
    EXPECT_EQ(in.available(), size - markerAt - 6);

    EXPECT_EQ(in.seek(-6, cpp::io::Current), markerAt);
    EXPECT_EQ(in.read(), 'M');
    EXPECT_EQ(in.seek(-3, cpp::io::End), size - 3);
    unsigned char tail[10];
    EXPECT_EQ(in.read(tail, 10), 3) << "only what is left of the file";
    EXPECT_EQ(in.read(tail, 10), -1);
    EXPECT_EQ(in.seek(4 * GiB, cpp::io::Begin), 4 * GiB);
    EXPECT_EQ(in.read(), 0);
    EXPECT_EQ(in.seek(-(4 * GiB + 1), cpp::io::Current), 0);
}

TEST_F(BigFileTest, WritesAndAppendsBeyondFourGiB) {
    {
        FileOutputStream out(str(path), cpp::io::Open, cpp::io::None);
        EXPECT_EQ(out.seek(markerAt + 2, cpp::io::Begin), markerAt + 2);
        out.write('k');
        EXPECT_EQ(out.getCurrentOffset(), markerAt + 3);
        EXPECT_EQ(out.seek(0, cpp::io::End), size);
    }
    {
        FileOutputStream append(str(path), cpp::io::Append, cpp::io::None);
        EXPECT_EQ(append.getCurrentOffset(), size);
        append.write('!');
    }
    EXPECT_EQ(rawFileSize(path), size + 1);
    FileInputStream in(str(path), cpp::io::Read);
    in.seek(markerAt, cpp::io::Begin);
    unsigned char buffer[6];
    EXPECT_EQ(in.read(buffer, 6), 6);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 6), "MAkKER");
    in.seek(-1, cpp::io::End);
    EXPECT_EQ(in.read(), '!');
}

} // namespace
