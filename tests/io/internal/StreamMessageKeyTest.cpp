// The chunked stream's keyed messages, read through a library resource
// loader installed for the test: each failure uses its own key.
#include "util/LibraryResources.h"
#include "wux/io/IOException.h"
#include "wux/io/MemoryOutputStream.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/String.h"
#include "wux/system/DataChunkOutputStream.h"

#include "RecordingStreams.h"

#include <gtest/gtest.h>

namespace {

using cpp::io::Begin;
using cpp::io::IOException;
using cpp::io::MemoryOutputStream;
using cpp::lang::IAllocator;
using cpp::lang::IResourceLoader;
using cpp::lang::String;
using cpp::system::DataChunkOutputStream;
using wuxtest::throwsExactly;

// Answers every key with the key in brackets.
class BracketLoader : public IResourceLoader {
public:
    String loadString(String const& key) override {
        String s(L"[");
        s += key;
        s += L"]";
        return s;
    }
    String loadString(unsigned int) override { return String(); }
    String getResourceFileName() const override { return String(); }
    cpp::global::Locale const* getLocale() const override { return nullptr; }
    void* getResourceFileHandle() const override { return nullptr; }
};

class StreamMessageKeys : public ::testing::Test {
protected:
    void SetUp() override { cpp::util::setLibraryLoader(&loader); }
    void TearDown() override { cpp::util::setLibraryLoader(nullptr); }
    BracketLoader loader;
};

TEST_F(StreamMessageKeys, ChunkStreamFailuresUseTheirKeys) {
    MemoryOutputStream mem;
    DataChunkOutputStream out(&mem, false, false, IAllocator::getWUXAllocator());
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.endChunk(); }, "[IDS_EMPTY_ENTRIES]"));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.seek(0, Begin); }, "[IDS_INVALID_OPERATION]"));
    out.close();
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.writeInt(1); }, "[IDS_OUT_HAS_CLOSED]"));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.startChunk(1); }, "[IDS_OUT_HAS_CLOSED]"));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.endChunk(); }, "[IDS_OUT_HAS_CLOSED]"));
    EXPECT_TRUE(throwsExactly<IOException>([&] { out.seek(0, Begin); }, "[IDS_INVALID_OPERATION]"));
}

} // namespace
