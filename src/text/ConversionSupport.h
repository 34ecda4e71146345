//===- ConversionSupport.h - The steps the conversions share ----*- C++ -*-===//
//
// Every Conversion class converts along a row of steps: argument checks, a
// bounded copy when source and target encoding are the same, a pivot into
// UTF-16 (WideText), and a final step into the target. The classes combine
// these steps; the platform calls stay in CodePage, the Unicode forms in
// ConvertUTF.
//
// Sources and targets are byte buffers of the caller and may sit at any
// address; the UTF-16 and UTF-32 steps read and write them in whole units
// through aligned views (the caller's memory when it is aligned, otherwise a
// temporary copy), so that an odd address never reaches typed code. No step
// writes beyond the target size it was given: a UTF-32 target holds
// dstBytes / 4 units, a UTF-16 target dstBytes / 2.
//
// Temporary buffers come from the library's default allocator and go back on
// every path, failures included. Sizes are computed in 64 bits; a size the
// allocator cannot be asked for throws OutOfMemoryException.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_TEXT_CONVERSIONSUPPORT_H
#define WUX_SRC_TEXT_CONVERSIONSUPPORT_H

#include "text/ConvertUTF.h"
#include "wux/text/EncodingType.h"

namespace cpp {
namespace lang {
class IAllocator;
}
namespace text {
namespace detail {

//===-- Checks and failures -------------------------------------------------===//

/// NotImplementedException with its default message.
[[noreturn]] void throwNotImplemented();

/// The entry checks of toBytes: a null \p src throws ArgumentException "The
/// input bytes is null." ("str"), a null \p dst "The output bytes is null."
/// ("outBytes").
void checkToBytes(void const* src, void const* dst);

/// The source check of a count that reads the source itself: a null \p src
/// throws ArgumentException "The input bytes is null." ("str").
void checkSource(void const* src);

/// Maps a result of the Unicode routines: 0 passes; 1, 2 and 3 throw
/// FormatException "partial character in source, but hit end.", "insuff. room
/// in target for conversion." and "source sequence is illegal."; anything
/// else "Cannot convert string.". The error id is the thread's last error.
void checkResult(unicode::ConversionResult result);

/// \p bytes as an unsigned count; OutOfMemoryException when it does not fit
/// (no buffer of that size can be had).
unsigned int byteCount(unsigned long long bytes);

/// The code page of ASCII (the ANSI code page), UTF7 and UTF8.
unsigned int codePageOf(EncodingType type);

//===-- Memory --------------------------------------------------------------===//

/// A block of the default allocator, given back when the holder goes away.
class TempBuffer {
public:
    TempBuffer() : _allocator(nullptr), _block(nullptr) {}
    explicit TempBuffer(unsigned long long bytes);
    ~TempBuffer() { release(); }
    TempBuffer(TempBuffer const&) = delete;
    TempBuffer& operator=(TempBuffer const&) = delete;

    /// Replaces the block by one of \p bytes bytes.
    void allocate(unsigned long long bytes);
    void* get() const { return _block; }

private:
    void release();

    lang::IAllocator* _allocator;
    void* _block;
};

//===-- Same encoding ---------------------------------------------------------===//

/// Copies like strncpy: k = min(srcBytes, dstBytes) bytes, stopping at the
/// first 0 byte and zero-filling the rest of k. Returns the bytes before that
/// 0 (k when there is none).
unsigned int copyBytes(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes);

/// Copies whole units of \p unitSize bytes, at most min(srcBytes, dstBytes)
/// bytes, and stops after copying a 0 unit. Returns the bytes copied, that 0
/// unit included.
unsigned int copyUnits(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes,
                       unsigned int unitSize);

//===-- The UTF-16 pivot ------------------------------------------------------===//

/// UTF-16 units made of a source in a code page, UTF-16LE or UTF-32LE.
class WideText {
public:
    /// Code pages through the platform, UTF-16LE as it is (srcBytes / 2
    /// units), UTF-32LE through the Unicode routine (srcBytes / 4 values).
    /// Other types throw NotImplementedException.
    WideText(EncodingType type, void const* src, unsigned int srcBytes);
    WideText(WideText const&) = delete;
    WideText& operator=(WideText const&) = delete;

    unsigned short const* units() const { return _units; }
    unsigned int length() const { return _length; }

private:
    TempBuffer _buffer;
    unsigned short const* _units;
    unsigned int _length;
};

//===-- Into the target -------------------------------------------------------===//

/// UTF-16 into code page \p cp (the platform); bytes written or needed.
unsigned int wideToCodePage(unsigned int cp, WideText const& text, void* dst,
                            unsigned int dstBytes);
unsigned int countWideToCodePage(unsigned int cp, WideText const& text);

/// UTF-16 into UTF-32LE (Unicode routine); bytes written or needed.
unsigned int wideToUTF32(WideText const& text, void* dst, unsigned int dstBytes);
unsigned int countWideToUTF32(WideText const& text);

/// Code page \p cp straight into UTF-16LE (the platform).
unsigned int codePageToUTF16(unsigned int cp, void const* src, unsigned int srcBytes, void* dst,
                             unsigned int dstBytes);
unsigned int countCodePageToUTF16(unsigned int cp, void const* src, unsigned int srcBytes);

/// UTF-32LE into UTF-16LE (Unicode routine).
unsigned int utf32ToUTF16(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes);
unsigned int countUTF32ToUTF16(void const* src, unsigned int srcBytes);

/// UTF-32LE into UTF-8 (Unicode routine).
unsigned int utf32ToUTF8(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes);
unsigned int countUTF32ToUTF8(void const* src, unsigned int srcBytes);

/// UTF-8 into UTF-32LE (Unicode routine).
unsigned int utf8ToUTF32(void const* src, unsigned int srcBytes, void* dst, unsigned int dstBytes);
unsigned int countUTF8ToUTF32(void const* src, unsigned int srcBytes);

} // namespace detail
} // namespace text
} // namespace cpp

#endif
