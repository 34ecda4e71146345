//===- wux/system/DataChunkOutputStream.h - Nested chunks -------*- C++ -*-===//
//
// DataChunkOutputStream is a DataOutputStream that writes its values into
// nested, length-prefixed chunks. Each chunk is its id (4 bytes), the length
// of its body (4 bytes, unsigned) and the body: the values written while it
// was the innermost open chunk and every nested chunk whole. All integers
// are big-endian, values use the DataOutputStream layout, and bytes written
// while no chunk is open are emitted as they are.
//
//   MemoryOutputStream mem;
//   DataChunkOutputStream out(&mem, false, IAllocator::getWUXAllocator());
//   out.startChunk(1);
//   out.writeInt(5);
//   out.startChunk(2);
//   out.writeByte(7);
//   out.endChunk();
//   out.endChunk();
//   out.close();
//   // mem: 00 00 00 01  00 00 00 0D  00 00 00 05
//   //      00 00 00 02  00 00 00 01  07
//
// Lengths are filled in in memory, never by seeking, so the wrapped stream
// may be a socket. All bytes stay in memory until the outermost chunk ends
// with at least 8192 bytes pending; they then go to the wrapped stream in one
// write followed by its flush(). Smaller amounts wait for a later chunk or
// for close(), which ends the chunks still open and writes the rest. flush()
// does nothing and seek() always throws IOException.
//
// Chunk entries, the stack of open chunks and conversion buffers come from
// the allocator given, which the stream does not own. After close() writes
// and chunk operations throw IOException with the library text for
// "IDS_OUT_HAS_CLOSED"; ending a chunk when none is open throws the text for
// "IDS_EMPTY_ENTRIES". Errors of the wrapped stream pass through endChunk();
// close() ignores those of its final writes and reports those of the wrapped
// stream's close(). The destructor closes and never throws.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SYSTEM_DATACHUNKOUTPUTSTREAM_H
#define WUX_SYSTEM_DATACHUNKOUTPUTSTREAM_H

#include "wux/io/DataOutputStream.h"
#include "wux/lang/AllocatorAdapter.h"
#include "wux/lang/Export.h"

#include <vector>

namespace cpp {
namespace lang {
class IAllocator;
} // namespace lang
namespace io {
struct ByteBlock;
} // namespace io
namespace system {

class WUX_API DataChunkOutputStream : public io::DataOutputStream {
public:
    /// Auto close on. A null \p out throws ArgumentException "The output
    /// stream object is null." ("out"), a null \p allocator then "The
    /// allocator pointer is null." ("alloc"); \p out is deleted when the
    /// construction fails and \p owns is true.
    DataChunkOutputStream(io::OutputStream* out, bool owns, lang::IAllocator* allocator);
    /// The same with auto close given: note the order, auto close first.
    DataChunkOutputStream(io::OutputStream* out, bool autoClose, bool owns,
                          lang::IAllocator* allocator);
    DataChunkOutputStream(DataChunkOutputStream const&) = delete;
    DataChunkOutputStream& operator=(DataChunkOutputStream const&) = delete;
    /// Closes; never throws.
    ~DataChunkOutputStream() override;

    /// Appends to the pending bytes and counts them in the innermost chunk.
    void write(unsigned char const* bytes, unsigned int count) override;
    using io::DataOutputStream::write;
    /// Throws IOException: lengths are patched in memory, never by seeking.
    __int64 seek(__int64 offset, io::SeekOrigin origin) override;
    /// Does nothing: data leaves when an outermost chunk ends or on close.
    void flush() override;
    /// Ends the open chunks, writes what is pending, closes the wrapped
    /// stream (auto close) and deletes it (owns).
    void close() override;

    void writeBool(bool v) override;
    void writeChar(char v) override;
    void writeWChar(unsigned short v) override;
    void writeByte(unsigned char v) override;
    void writeShort(short v) override;
    void writeUShort(unsigned short v) override;
    void writeInt(int v) override;
    void writeUInt(unsigned int v) override;
    void writeInt64(__int64 v) override;
    void writeUInt64(unsigned __int64 v) override;
    /// Throws NotImplementedException.
    void writeFloat(float v) override;
    /// Throws NotImplementedException.
    void writeDouble(double v) override;
    /// writeUInt(k), then each of the k bytes \p conversion makes of \p s
    /// through writeChar(). A null \p conversion throws ArgumentException
    /// "Conversion object is null." ("conversion").
    void writeString(lang::String const& s, text::Conversion const* conversion) override;
    /// writeUInt(length), then writeWChar() for each unit.
    void writeString(lang::String const& s) override;

    /// Opens a chunk with \p id inside the innermost open one.
    void startChunk(int id);
    /// Closes the innermost chunk, filling in its length.
    void endChunk();

private:
    struct Entry;

    /// Throws IOException "IDS_OUT_HAS_CLOSED" once closed.
    void checkOpen() const;
    /// Appends \p count bytes through this stream's write().
    void put(unsigned char const* bytes, unsigned int count);
    void init(bool owns);

    bool _autoClose;
    lang::IAllocator* _allocator;
    io::ByteBlock* _block;
    std::vector<Entry*, lang::AllocatorAdapter<Entry*>> _stack;
};

} // namespace system
} // namespace cpp

#endif // WUX_SYSTEM_DATACHUNKOUTPUTSTREAM_H
