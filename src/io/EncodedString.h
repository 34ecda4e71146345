//===- EncodedString.h - A String in a byte encoding ------------*- C++ -*-===//
//
// The bytes a Conversion makes of a String, in a block of a given allocator
// that goes back when the object does. Shared by the data streams' encoded
// string writes, which then write the byte count and the bytes.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_IO_ENCODEDSTRING_H
#define WUX_SRC_IO_ENCODEDSTRING_H

namespace cpp {
namespace lang {
class IAllocator;
class String;
} // namespace lang
namespace text {
class Conversion;
} // namespace text

namespace io {

class EncodedString {
public:
    /// Encodes \p s with \p conversion. A null conversion throws
    /// ArgumentException "Conversion object is null." ("conversion"); an
    /// empty string makes no bytes without asking the conversion (the
    /// code-page calls refuse an empty source).
    EncodedString(lang::IAllocator* allocator, lang::String const& s,
                  text::Conversion const* conversion);
    ~EncodedString();
    EncodedString(EncodedString const&) = delete;
    EncodedString& operator=(EncodedString const&) = delete;

    unsigned char const* bytes() const { return _bytes; }
    unsigned int size() const { return _size; }

private:
    lang::IAllocator* _allocator;
    unsigned char* _bytes;
    unsigned int _size;
};

} // namespace io
} // namespace cpp

#endif
