//===- ConvertUTF.h - Conversions between the Unicode forms -----*- C++ -*-===//
//
// The conversions between UTF-32, UTF-16 and UTF-8 in the shape of the
// Unicode Consortium's sample converter: each routine walks a source range and
// writes into a bounded target range, advancing both pointers as far as it
// got, and reports one of four results:
//
//   conversionOK     (0) the whole source was converted;
//   sourceExhausted  (1) the source ends inside a character (a UTF-8 sequence
//                        cut short, a high surrogate as the last UTF-16 unit);
//   targetExhausted  (2) the next character does not fit into the target;
//   sourceIllegal    (3) the source holds something that is not a character
//                        of its form (always for malformed UTF-8; in strict
//                        mode also for surrogates and values above 0x10FFFF).
//
// On any result but conversionOK, *sourceStart points at the first unit of
// the character that was not converted and *targetStart just after the last
// unit written; nothing of that character has been written.
//
// Lenient mode (the library's mode) repairs what it can:
//   - UTF-32 surrogate values 0xD800-0xDFFF and values above 0x10FFFF become
//     U+FFFD, both into UTF-16 and into UTF-8;
//   - unpaired UTF-16 surrogates are passed on as their own value
//     (UTF-16 D800 -> UTF-32 0000D800, UTF-8 ED A0 80);
//   - malformed UTF-8 (a stray continuation byte, C0/C1, F5-FF, an overlong
//     form, an encoded surrogate, a value above 0x10FFFF, a lead byte of a 5-
//     or 6-byte form) stays sourceIllegal.
// Strict mode stops with sourceIllegal at each of these instead.
//
//   UTF32 const in[] = {0x41, 0x1F600};
//   UTF16 out[4];
//   UTF32 const* s = in;
//   UTF16* t = out;
//   convertUTF32toUTF16(&s, in + 2, &t, out + 4, lenientConversion);
//   // conversionOK, out = 0041 D83D DE00, t == out + 3
//
// The measure functions run the same walk without a target: they report the
// result the conversion would have with unlimited room and count the units it
// would write.
//
// These routines are plain computation: no allocation, no platform call.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_TEXT_CONVERTUTF_H
#define WUX_SRC_TEXT_CONVERTUTF_H

#include <cstddef>

namespace cpp {
namespace text {
namespace unicode {

typedef unsigned int UTF32;
typedef unsigned short UTF16;
typedef unsigned char UTF8;

enum ConversionResult {
    conversionOK = 0,
    sourceExhausted = 1,
    targetExhausted = 2,
    sourceIllegal = 3
};

enum ConversionFlags { strictConversion = 0, lenientConversion = 1 };

UTF32 const REPLACEMENT_CHAR = 0xFFFD;
UTF32 const MAX_LEGAL_UTF32 = 0x10FFFF;

ConversionResult convertUTF32toUTF16(UTF32 const** sourceStart, UTF32 const* sourceEnd,
                                     UTF16** targetStart, UTF16* targetEnd, ConversionFlags flags);
ConversionResult convertUTF16toUTF32(UTF16 const** sourceStart, UTF16 const* sourceEnd,
                                     UTF32** targetStart, UTF32* targetEnd, ConversionFlags flags);
ConversionResult convertUTF16toUTF8(UTF16 const** sourceStart, UTF16 const* sourceEnd,
                                    UTF8** targetStart, UTF8* targetEnd, ConversionFlags flags);
ConversionResult convertUTF8toUTF16(UTF8 const** sourceStart, UTF8 const* sourceEnd,
                                    UTF16** targetStart, UTF16* targetEnd, ConversionFlags flags);
ConversionResult convertUTF32toUTF8(UTF32 const** sourceStart, UTF32 const* sourceEnd,
                                    UTF8** targetStart, UTF8* targetEnd, ConversionFlags flags);
ConversionResult convertUTF8toUTF32(UTF8 const** sourceStart, UTF8 const* sourceEnd,
                                    UTF32** targetStart, UTF32* targetEnd, ConversionFlags flags);

// The units each conversion would write, in *count; the source pointer
// advances as in the conversion. Never targetExhausted.
ConversionResult measureUTF32toUTF16(UTF32 const** sourceStart, UTF32 const* sourceEnd,
                                     std::size_t* count, ConversionFlags flags);
ConversionResult measureUTF16toUTF32(UTF16 const** sourceStart, UTF16 const* sourceEnd,
                                     std::size_t* count, ConversionFlags flags);
ConversionResult measureUTF16toUTF8(UTF16 const** sourceStart, UTF16 const* sourceEnd,
                                    std::size_t* count, ConversionFlags flags);
ConversionResult measureUTF8toUTF16(UTF8 const** sourceStart, UTF8 const* sourceEnd,
                                    std::size_t* count, ConversionFlags flags);
ConversionResult measureUTF32toUTF8(UTF32 const** sourceStart, UTF32 const* sourceEnd,
                                    std::size_t* count, ConversionFlags flags);
ConversionResult measureUTF8toUTF32(UTF8 const** sourceStart, UTF8 const* sourceEnd,
                                    std::size_t* count, ConversionFlags flags);

} // namespace unicode
} // namespace text
} // namespace cpp

#endif
