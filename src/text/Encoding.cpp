#include "wux/text/Encoding.h"

#include "wux/io/InputStream.h"
#include "wux/io/OutputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/CharBuffer.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/text/ASCIIConversion.h"
#include "wux/text/UTF16BEConversion.h"
#include "wux/text/UTF16LEConversion.h"
#include "wux/text/UTF32BEConversion.h"
#include "wux/text/UTF32LEConversion.h"
#include "wux/text/UTF7Conversion.h"
#include "wux/text/UTF8Conversion.h"

namespace cpp {
namespace text {
using cpp::io::InputStream;
using cpp::io::OutputStream;
using cpp::lang::ArgumentException;
using cpp::lang::CharBuffer;
using cpp::lang::NotImplementedException;
using cpp::lang::String;

namespace {

unsigned int const TYPE_COUNT = 7;

char const* const NAMES[TYPE_COUNT] = {
    "US-ASCII",           "Unicode (UTF-7)",    "Unicode (UTF-8)",   "Unicode (UTF-16LE)",
    "Unicode (UTF-16BE)", "Unicode (UTF-32LE)", "Unicode (UTF-32BE)"};

char const* const WEB_NAMES[TYPE_COUNT] = {"US-ASCII", "UTF-7",    "UTF-8",   "UTF-16LE",
                                           "UTF-16BE", "UTF-32LE", "UTF-32BE"};

struct Prolog {
    unsigned int length;
    unsigned char bytes[4];
};

Prolog const PROLOGS[TYPE_COUNT] = {{0, {0, 0, 0, 0}},
                                    {0, {0, 0, 0, 0}},
                                    {3, {0xEF, 0xBB, 0xBF, 0}},
                                    {2, {0xFF, 0xFE, 0, 0}},
                                    {2, {0xFE, 0xFF, 0, 0}},
                                    {4, {0x00, 0x00, 0xFE, 0xFF}},
                                    {4, {0x00, 0x00, 0xFF, 0xFE}}};

/// The bytes the detection looks at when there is no prolog.
unsigned int const SAMPLE_SIZE = 2048;

/// The index of a valid type; anything outside 0-6 throws ArgumentException
/// with its default message.
unsigned int checkedType(EncodingType type) {
    unsigned int const t = static_cast<unsigned int>(type);
    if (t >= TYPE_COUNT)
        throw ArgumentException();
    return t;
}

/// Control bytes that never occur in text: NUL to BEL, SO to DLE.
bool isBinaryByte(unsigned int b) {
    return b <= 0x07 || (b >= 0x0E && b <= 0x10);
}

/// Well-formed UTF-8 (as far as the lead bytes tell) with at least one
/// multi-byte sequence. A sequence cut by the end of the sample passes.
bool looksLikeUTF8(unsigned char const* p, unsigned int n) {
    bool multiByte = false;
    unsigned int i = 0;
    while (i < n) {
        unsigned int const b = p[i++];
        if (b < 0x80) {
            if (isBinaryByte(b))
                return false;
            continue;
        }
        unsigned int follow;
        if (b <= 0xDF)
            follow = 1;
        else if (b <= 0xEF)
            follow = 2;
        else if (b <= 0xF4)
            follow = 3;
        else
            return false;
        multiByte = true;
        for (; follow > 0 && i < n; --follow, ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
    }
    return multiByte;
}

/// Units of two bytes (low byte first when \p littleEndian) with at least one
/// ASCII text unit, no binary control unit and no broken surrogate pairing.
/// An odd last byte is ignored.
bool looksLikeUTF16(unsigned char const* p, unsigned int n, bool littleEndian) {
    if (n < 2)
        return false;
    unsigned int const lo = littleEndian ? 0 : 1;
    unsigned int const hi = littleEndian ? 1 : 0;
    // A mark of this byte order (not followed by the two 0 bytes that would
    // make it a UTF-32 mark) settles it; one of the other order rules it out.
    if (p[lo] == 0xFF && p[hi] == 0xFE)
        return !(n >= 4 && p[2] == 0 && p[3] == 0);
    if (p[lo] == 0xFE && p[hi] == 0xFF)
        return false;
    bool text = false;
    bool highPending = false;
    for (unsigned int i = 0; i + 1 < n; i += 2) {
        unsigned int const l = p[i + lo];
        unsigned int const h = p[i + hi];
        if (h == 0) {
            if (isBinaryByte(l))
                return false;
            if ((l >= 0x09 && l <= 0x0D) || (l >= 0x20 && l <= 0x7E))
                text = true;
        } else if (h >= 0xD8 && h <= 0xDB) {
            if (highPending)
                return false;
            highPending = true;
        } else if (h >= 0xDC && h <= 0xDF) {
            if (!highPending)
                return false;
            highPending = false;
        }
    }
    return text;
}

bool isUnreserved(unsigned int b) {
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '-' ||
           b == '_' || b == '.' || b == '~';
}

char const HEX_DIGITS[] = "0123456789ABCDEFabcdef";

} // namespace

Conversion* Encoding::createConversion(EncodingType type) {
    switch (checkedType(type)) {
    case ASCII:
        return new ASCIIConversion();
    case UTF7:
        return new UTF7Conversion();
    case UTF8:
        return new UTF8Conversion();
    case UTF16LE:
        return new UTF16LEConversion();
    case UTF16BE:
        return new UTF16BEConversion();
    case UTF32LE:
        return new UTF32LEConversion();
    default:
        return new UTF32BEConversion();
    }
}

String Encoding::getEncodingName(EncodingType type) {
    return String(NAMES[checkedType(type)]);
}

String Encoding::getEncodingWebName(EncodingType type) {
    return String(WEB_NAMES[checkedType(type)]);
}

unsigned int Encoding::getEncodingPrologLength(EncodingType type) {
    return PROLOGS[checkedType(type)].length;
}

unsigned int Encoding::fillEncodingProlog(EncodingType type, unsigned char* buf,
                                          unsigned int bufSize) {
    if (buf == nullptr)
        throw ArgumentException(String("The buffer to fill the encoding prolog is null."));
    Prolog const& prolog = PROLOGS[checkedType(type)];
    if (bufSize < prolog.length)
        throw ArgumentException(String("The size of buffer is not enough."), String("bufSize"));
    for (unsigned int i = 0; i < prolog.length; ++i)
        buf[i] = prolog.bytes[i];
    return prolog.length;
}

unsigned int Encoding::fillEncodingProlog(EncodingType type, OutputStream* out) {
    if (out == nullptr)
        throw ArgumentException(String("The output stream to fill the encoding prolog is null."));
    Prolog const& prolog = PROLOGS[checkedType(type)];
    for (unsigned int i = 0; i < prolog.length; ++i)
        out->write(static_cast<int>(prolog.bytes[i]));
    return prolog.length;
}

EncodingType Encoding::checkEncodingType(InputStream* in, int& prologLength) {
    if (in == nullptr)
        throw ArgumentException(String("The input stream to detect its encoding type is null."));
    __int64 const avail = in->available();
    if (avail < 2)
        return ASCII;

    // The bytes consumed so far; the stream goes back by their count.
    unsigned char sample[SAMPLE_SIZE];
    unsigned int n = 0;
    auto next = [&]() -> int {
        int const b = in->read();
        if (b >= 0)
            sample[n++] = static_cast<unsigned char>(b);
        return b;
    };

    EncodingType result = ASCII;
    int length = -1;
    int const b0 = next();
    if (b0 == 0xEF && avail > 2) {
        if (next() == 0xBB && next() == 0xBF) {
            result = UTF8;
            length = 3;
        }
    } else if (b0 == 0x00 && avail > 3) {
        if (next() == 0x00) {
            int const b2 = next();
            int const b3 = next();
            if (b2 == 0xFE && b3 == 0xFF) {
                result = UTF32LE;
                length = 4;
            } else if (b2 == 0xFF && b3 == 0xFE) {
                result = UTF32BE;
                length = 4;
            }
        }
    } else if (b0 == 0xFF || b0 == 0xFE) {
        int const b1 = next();
        if (b0 == 0xFF && b1 == 0xFE) {
            result = UTF16LE;
            length = 2;
        } else if (b0 == 0xFE && b1 == 0xFF) {
            result = UTF16BE;
            length = 2;
        }
    }

    if (length < 0) {
        // No prolog: guess from a sample that starts with the bytes read.
        while (n < SAMPLE_SIZE) {
            int const got = in->read(sample + n, static_cast<int>(SAMPLE_SIZE - n));
            if (got <= 0)
                break;
            n += static_cast<unsigned int>(got);
        }
        length = 0;
        if (looksLikeUTF8(sample, n))
            result = UTF8;
        else if (looksLikeUTF16(sample, n, true))
            result = UTF16LE;
        else if (looksLikeUTF16(sample, n, false))
            result = UTF16BE;
        else
            result = ASCII;
    }

    in->seek(-static_cast<__int64>(n), io::Current);
    prologLength = length;
    return result;
}

bool Encoding::isLittleEndian() {
    return true;
}

String Encoding::encodeWebURL(EncodingType type, String const& s) {
    if (type != UTF8)
        throw NotImplementedException();
    if (s.isEmpty())
        return String();
    // Walking the UTF-8 bytes themselves escapes each character with exactly
    // the bytes it was converted to: one to three for the units of the Basic
    // Multilingual Plane (an unpaired surrogate included, which the platform
    // writes as U+FFFD), four for a surrogate pair.
    UTF8Conversion utf8;
    CharBuffer chars;
    unsigned int count = 0;
    unsigned char const* bytes =
        reinterpret_cast<unsigned char const*>(chars.toChars(&utf8, s, &count));
    String result;
    if (count < 0x40000000u)
        result.reserve(count * 3);
    unsigned short escape[3] = {'%', 0, 0};
    for (unsigned int i = 0; i < count; ++i) {
        unsigned int const b = bytes[i];
        if (isUnreserved(b)) {
            result += static_cast<unsigned short>(b);
        } else {
            escape[1] = static_cast<unsigned short>(HEX_DIGITS[b >> 4]);
            escape[2] = static_cast<unsigned short>(HEX_DIGITS[b & 0x0F]);
            result.append(escape, 3);
        }
    }
    return result;
}

String Encoding::decodeWebURL(EncodingType, String const&) {
    throw NotImplementedException();
}

} // namespace text
} // namespace cpp
