//===- wux/io/DataInputStream.h - Typed values, big-endian ------*- C++ -*-===//
//
// DataInputStream reads typed values in the layout DataOutputStream writes:
// integers big-endian, a bool as one byte (any non-zero byte is true), a
// String as its 32-bit unit count followed by each UTF-16 unit high byte
// first, or, through a Conversion, as a 32-bit byte count followed by the
// encoded bytes.
//
//   MemoryInputStream mem(bytes, n, false);
//   DataInputStream in(&mem, false);
//   int i = in.readInt();                     // 01 02 03 04 -> 0x01020304
//   String s = in.readString();               // 00 00 00 02 00 48 00 69 -> Hi
//   UTF8Conversion utf8;
//   String e = in.readString(&utf8);          // 00 00 00 02 C3 A9 -> U+00E9
//
// Typed reads take their bytes one at a time from the wrapped stream's
// read(). Data that ends inside a value, and the string count 0xFFFFFFFF,
// throw EOFException; the bytes read until then are consumed. A count read
// from the data is not trusted: string storage grows with the bytes that
// actually arrive (starting from what available() reports), so a corrupt
// count cannot make the stream allocate more than the data it holds. float
// and double are not supported (NotImplementedException).
//
// Closing always closes the wrapped stream and deletes it when owned. After
// close() every operation but close(), readFloat() and readDouble() throws
// IOException "The input stream has been closed.". The destructor closes and
// never throws.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_DATAINPUTSTREAM_H
#define WUX_IO_DATAINPUTSTREAM_H

#include "wux/io/InputStream.h"
#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace text {
class Conversion;
} // namespace text
namespace io {

class WUX_API DataInputStream : public InputStream {
public:
    /// Reads from \p in; \p owns: delete it on close. A null \p in throws
    /// ArgumentException "The input stream cannot be null." ("in").
    DataInputStream(InputStream* in, bool owns);
    DataInputStream(DataInputStream const&) = delete;
    DataInputStream& operator=(DataInputStream const&) = delete;
    /// Closes; never throws.
    ~DataInputStream() override;

    /// The wrapped stream's read().
    int read(unsigned char* bytes, int count) override;
    using InputStream::read;
    /// The wrapped stream's seek().
    __int64 seek(__int64 offset, SeekOrigin origin) override;
    /// Closes and, when owned, deletes the wrapped stream.
    void close() override;
    /// The wrapped stream's available().
    __int64 available() const override;

    /// One byte; true unless 0.
    virtual bool readBool();
    virtual char readChar();
    /// One UTF-16 unit, as readUShort().
    virtual unsigned short readWChar();
    virtual unsigned char readByte();
    virtual short readShort();
    virtual unsigned short readUShort();
    virtual int readInt();
    virtual unsigned int readUInt();
    /// Two readInt() calls, high half first.
    virtual __int64 readInt64();
    /// Two readInt() calls, high half first.
    virtual unsigned __int64 readUInt64();
    /// Throws NotImplementedException.
    virtual float readFloat();
    /// Throws NotImplementedException.
    virtual double readDouble();
    /// A byte count, then that many bytes decoded by \p conversion's
    /// encoding into \p out. A null \p conversion throws ArgumentException
    /// "The conversion object is null." ("conversion").
    virtual void readString(text::Conversion const* conversion, lang::String& out);
    virtual lang::String readString(text::Conversion const* conversion);
    /// A unit count, then that many UTF-16 units, high byte first.
    virtual void readString(lang::String& out);
    virtual lang::String readString();

    /// The wrapped stream; null once closed.
    InputStream* getInputStream() const { return _in; }

private:
    /// Throws IOException "The input stream has been closed." once closed.
    void checkClosed() const;
    /// The next byte of the wrapped stream; EOFException at its end.
    unsigned char nextByte();
    /// The next \p size (at most 4) bytes as a big-endian value; every byte
    /// is taken before EOFException reports a missing one.
    unsigned int takeBigEndian(int size);

    InputStream* _in;
    bool _owns;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_DATAINPUTSTREAM_H
