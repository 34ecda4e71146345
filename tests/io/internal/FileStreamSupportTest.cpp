// The translation tables of the file streams: FileMode to the creation
// disposition, FileShare to the share flags and SeekOrigin to the move
// method, values outside the enumerations included.
#include "io/FileStreamSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace cpp::io;

TEST(FileStreamSupportTest, ModesMapToDispositions) {
    struct Row {
        char const* name;
        int mode;
        unsigned long disposition;
    };
    Row const rows[] = {
        {"CreateNew", CreateNew, CREATE_NEW},
        {"Create", Create, CREATE_ALWAYS},
        {"Open", Open, OPEN_EXISTING},
        {"OpenOrCreate", OpenOrCreate, OPEN_ALWAYS},
        {"Truncate", Truncate, TRUNCATE_EXISTING},
        {"Append", Append, OPEN_ALWAYS},
        {"zero", 0, OPEN_EXISTING},
        {"seven", 7, OPEN_EXISTING},
        {"negative", -1, OPEN_EXISTING},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(creationDisposition(static_cast<FileMode>(row.mode)), row.disposition);
    }
}

TEST(FileStreamSupportTest, SharesMapToFlags) {
    struct Row {
        char const* name;
        int share;
        unsigned long flags;
    };
    Row const rows[] = {
        {"None", None, 0},
        {"Read", Read, FILE_SHARE_READ},
        {"Write", Write, FILE_SHARE_WRITE},
        {"ReadWrite", ReadWrite, FILE_SHARE_READ | FILE_SHARE_WRITE},
        {"four (would be delete sharing)", 4, 0},
        {"negative", -1, 0},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(shareFlags(static_cast<FileShare>(row.share)), row.flags);
    }
}

TEST(FileStreamSupportTest, OriginsMapToMoveMethods) {
    struct Row {
        char const* name;
        int origin;
        unsigned long method;
    };
    Row const rows[] = {
        {"Begin", Begin, FILE_BEGIN}, {"Current", Current, FILE_CURRENT}, {"End", End, FILE_END},
        {"three", 3, FILE_BEGIN},     {"negative", -1, FILE_BEGIN},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(moveMethod(static_cast<SeekOrigin>(row.origin)), row.method);
    }
}

} // namespace
