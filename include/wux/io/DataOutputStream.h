//===- wux/io/DataOutputStream.h - Typed values, big-endian -----*- C++ -*-===//
//
// DataOutputStream writes typed values in wux's fixed binary layout over any
// OutputStream: integers big-endian (most significant byte first), a bool as
// 0x00 or 0x01, a String as its 32-bit unit count followed by each UTF-16
// unit high byte first, or, through a Conversion, as a 32-bit byte count
// followed by the encoded bytes. DataInputStream reads the same layout.
//
//   MemoryOutputStream mem;
//   DataOutputStream out(&mem, false);
//   out.writeInt(0x01020304);                 // 01 02 03 04
//   out.writeShort(-2);                       // FF FE
//   out.writeString(String(L"Hi"));           // 00 00 00 02 00 48 00 69
//   UTF8Conversion utf8;
//   out.writeString(String(L"\u00e9"), &utf8); // 00 00 00 02 C3 A9
//   out.close();                              // flushes and closes mem
//
// Every byte goes to the wrapped stream's write(int) as it is produced; put a
// BufferedOutputStream in between to gather them. float and double are not
// supported (NotImplementedException).
//
// Closing always closes the wrapped stream (its flush() errors are ignored,
// its close() errors reported) and deletes it when owned. After close()
// every operation but close() throws IOException "The output stream has been
// closed.". The destructor closes and never throws.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_DATAOUTPUTSTREAM_H
#define WUX_IO_DATAOUTPUTSTREAM_H

#include "wux/io/OutputStream.h"
#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace text {
class Conversion;
} // namespace text
namespace io {

class WUX_API DataOutputStream : public OutputStream {
public:
    /// Writes to \p out; \p owns: delete it on close. A null \p out throws
    /// ArgumentException "The output stream object is null." ("out").
    DataOutputStream(OutputStream* out, bool owns);
    DataOutputStream(DataOutputStream const&) = delete;
    DataOutputStream& operator=(DataOutputStream const&) = delete;
    /// Closes; never throws.
    ~DataOutputStream() override;

    /// The wrapped stream's write().
    void write(unsigned char const* bytes, unsigned int count) override;
    using OutputStream::write;
    /// The wrapped stream's seek().
    __int64 seek(__int64 offset, SeekOrigin origin) override;
    /// The wrapped stream's flush().
    void flush() override;
    /// Flushes (ignoring errors), closes and, when owned, deletes the wrapped
    /// stream.
    void close() override;
    /// The wrapped stream's getBuffer().
    unsigned char const* getBuffer() const override;

    /// 0x00 or 0x01.
    virtual void writeBool(bool v);
    virtual void writeChar(char v);
    /// One UTF-16 unit, as writeUShort().
    virtual void writeWChar(unsigned short v);
    virtual void writeByte(unsigned char v);
    virtual void writeShort(short v);
    virtual void writeUShort(unsigned short v);
    virtual void writeInt(int v);
    virtual void writeUInt(unsigned int v);
    virtual void writeInt64(__int64 v);
    virtual void writeUInt64(unsigned __int64 v);
    /// Throws NotImplementedException.
    virtual void writeFloat(float v);
    /// Throws NotImplementedException.
    virtual void writeDouble(double v);
    /// writeUInt(k), then the k bytes \p conversion makes of \p s (an empty
    /// \p s is the count 0 alone). A null \p conversion throws
    /// ArgumentException "Conversion object is null." ("conversion").
    virtual void writeString(lang::String const& s, text::Conversion const* conversion);
    /// writeUInt(length), then each unit high byte first.
    virtual void writeString(lang::String const& s);

    /// The wrapped stream; null once closed.
    OutputStream* getOutputStream() const { return _out; }

protected:
    /// Forgets the wrapped stream without closing it: for derived classes
    /// whose construction fails after this part was built.
    void detachOutputStream() { _out = nullptr; }
    /// Whether the wrapped stream is deleted on close.
    bool ownsOutputStream() const { return _owns; }

private:
    /// Throws IOException "The output stream has been closed." once closed.
    void checkClosed() const;
    /// The \p size low bytes of \p v, most significant first, each through
    /// the wrapped stream's write(int).
    void putBigEndian(unsigned __int64 v, int size);

    OutputStream* _out;
    bool _owns;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_DATAOUTPUTSTREAM_H
