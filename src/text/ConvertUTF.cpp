#include "text/ConvertUTF.h"

namespace cpp {
namespace text {
namespace unicode {

namespace {

UTF32 const HIGH_SURROGATE_START = 0xD800;
UTF32 const HIGH_SURROGATE_END = 0xDBFF;
UTF32 const LOW_SURROGATE_START = 0xDC00;
UTF32 const LOW_SURROGATE_END = 0xDFFF;

bool isHighSurrogate(UTF32 c) {
    return c >= HIGH_SURROGATE_START && c <= HIGH_SURROGATE_END;
}
bool isLowSurrogate(UTF32 c) {
    return c >= LOW_SURROGATE_START && c <= LOW_SURROGATE_END;
}
bool isSurrogate(UTF32 c) {
    return c >= HIGH_SURROGATE_START && c <= LOW_SURROGATE_END;
}

//===-- Targets -------------------------------------------------------------===//

// Writes into [p, end).
template <class Unit> class BoundedSink {
public:
    BoundedSink(Unit* p, Unit* end) : _p(p), _end(end) {}
    bool hasRoom(std::size_t n) const { return static_cast<std::size_t>(_end - _p) >= n; }
    void put(UTF32 u) { *_p++ = static_cast<Unit>(u); }
    Unit* position() const { return _p; }

private:
    Unit* _p;
    Unit* _end;
};

// Counts what would be written; never runs out of room.
class CountingSink {
public:
    CountingSink() : _count(0) {}
    bool hasRoom(std::size_t) const { return true; }
    void put(UTF32) { ++_count; }
    std::size_t count() const { return _count; }

private:
    std::size_t _count;
};

// The writers put one code point (at most 0x10FFFF) into a sink, all of its
// units or none; false when it does not fit.

struct PutUTF32 {
    template <class Sink> bool operator()(Sink& out, UTF32 ch) const {
        if (!out.hasRoom(1))
            return false;
        out.put(ch);
        return true;
    }
};

struct PutUTF16 {
    template <class Sink> bool operator()(Sink& out, UTF32 ch) const {
        if (ch <= 0xFFFF) {
            if (!out.hasRoom(1))
                return false;
            out.put(ch);
            return true;
        }
        if (!out.hasRoom(2))
            return false;
        ch -= 0x10000;
        out.put(HIGH_SURROGATE_START + (ch >> 10));
        out.put(LOW_SURROGATE_START + (ch & 0x3FF));
        return true;
    }
};

struct PutUTF8 {
    template <class Sink> bool operator()(Sink& out, UTF32 ch) const {
        if (ch < 0x80) {
            if (!out.hasRoom(1))
                return false;
            out.put(ch);
        } else if (ch < 0x800) {
            if (!out.hasRoom(2))
                return false;
            out.put(0xC0 | (ch >> 6));
            out.put(0x80 | (ch & 0x3F));
        } else if (ch < 0x10000) {
            if (!out.hasRoom(3))
                return false;
            out.put(0xE0 | (ch >> 12));
            out.put(0x80 | ((ch >> 6) & 0x3F));
            out.put(0x80 | (ch & 0x3F));
        } else {
            if (!out.hasRoom(4))
                return false;
            out.put(0xF0 | (ch >> 18));
            out.put(0x80 | ((ch >> 12) & 0x3F));
            out.put(0x80 | ((ch >> 6) & 0x3F));
            out.put(0x80 | (ch & 0x3F));
        }
        return true;
    }
};

//===-- Sources -------------------------------------------------------------===//

// The readers decode the character at p (p < end) into *ch and its length in
// source units into *length, applying the repairs of the mode; any result
// but conversionOK leaves the character unconverted.

struct ReadUTF32 {
    ConversionResult operator()(UTF32 const* p, UTF32 const*, ConversionFlags flags, UTF32* ch,
                                std::size_t* length) const {
        UTF32 c = *p;
        if (isSurrogate(c) || c > MAX_LEGAL_UTF32) {
            if (flags == strictConversion)
                return sourceIllegal;
            c = REPLACEMENT_CHAR;
        }
        *ch = c;
        *length = 1;
        return conversionOK;
    }
};

struct ReadUTF16 {
    ConversionResult operator()(UTF16 const* p, UTF16 const* end, ConversionFlags flags, UTF32* ch,
                                std::size_t* length) const {
        UTF32 c = *p;
        *length = 1;
        if (isHighSurrogate(c)) {
            // The low half may still be on its way: the caller has to supply
            // more source.
            if (p + 1 == end)
                return sourceExhausted;
            UTF32 c2 = p[1];
            if (isLowSurrogate(c2)) {
                c = ((c - HIGH_SURROGATE_START) << 10) + (c2 - LOW_SURROGATE_START) + 0x10000;
                *length = 2;
            } else if (flags == strictConversion) {
                return sourceIllegal;
            }
        } else if (isLowSurrogate(c) && flags == strictConversion) {
            return sourceIllegal;
        }
        *ch = c;
        return conversionOK;
    }
};

// Continuation bytes announced by a lead byte. The 5- and 6-byte forms of the
// original UTF-8 definition are counted so that their length is known; they
// are never legal. A continuation byte used as a lead counts as a sequence of
// one byte (and is illegal).
unsigned int trailingBytesForUTF8(UTF8 lead) {
    if (lead < 0xC0)
        return 0;
    if (lead < 0xE0)
        return 1;
    if (lead < 0xF0)
        return 2;
    if (lead < 0xF8)
        return 3;
    if (lead < 0xFC)
        return 4;
    return 5;
}

bool isContinuation(UTF8 b) {
    return b >= 0x80 && b <= 0xBF;
}

// Whether the length bytes at s form one well-formed UTF-8 sequence: no
// overlong form, no surrogate, nothing above 0x10FFFF.
bool isLegalUTF8(UTF8 const* s, unsigned int length) {
    UTF8 lead = s[0];
    switch (length) {
    case 4:
        if (!isContinuation(s[3]))
            return false;
        [[fallthrough]];
    case 3:
        if (!isContinuation(s[2]))
            return false;
        [[fallthrough]];
    case 2: {
        UTF8 second = s[1];
        if (!isContinuation(second))
            return false;
        switch (lead) {
        case 0xE0: // below 0x800: overlong
            if (second < 0xA0)
                return false;
            break;
        case 0xED: // 0xD800-0xDFFF: surrogates
            if (second > 0x9F)
                return false;
            break;
        case 0xF0: // below 0x10000: overlong
            if (second < 0x90)
                return false;
            break;
        case 0xF4: // above 0x10FFFF
            if (second > 0x8F)
                return false;
            break;
        default:
            break;
        }
        [[fallthrough]];
    }
    case 1:
        // A continuation byte cannot lead; C0 and C1 only start overlong
        // forms of ASCII.
        if (lead >= 0x80 && lead < 0xC2)
            return false;
        return lead <= 0xF4;
    default:
        return false;
    }
}

struct ReadUTF8 {
    ConversionResult operator()(UTF8 const* p, UTF8 const* end, ConversionFlags flags, UTF32* ch,
                                std::size_t* length) const {
        unsigned int extra = trailingBytesForUTF8(*p);
        if (extra >= static_cast<std::size_t>(end - p))
            return sourceExhausted;
        if (!isLegalUTF8(p, extra + 1))
            return sourceIllegal;
        static UTF8 const leadMask[] = {0x7F, 0x1F, 0x0F, 0x07};
        UTF32 c = static_cast<UTF32>(p[0] & leadMask[extra]);
        for (unsigned int i = 1; i <= extra; ++i)
            c = (c << 6) | (p[i] & 0x3Fu);
        // Well-formed UTF-8 never gets here with a surrogate or a value above
        // 0x10FFFF; the check keeps the rule of the other sources.
        if (isSurrogate(c) || c > MAX_LEGAL_UTF32) {
            if (flags == strictConversion)
                return sourceIllegal;
            c = REPLACEMENT_CHAR;
        }
        *ch = c;
        *length = extra + 1;
        return conversionOK;
    }
};

//===-- The walk --------------------------------------------------------------===//

template <class In, class Reader, class Writer, class Sink>
ConversionResult run(In const** sourceStart, In const* sourceEnd, Sink& out, ConversionFlags flags,
                     Reader read, Writer write) {
    In const* p = *sourceStart;
    ConversionResult result = conversionOK;
    while (p < sourceEnd) {
        UTF32 ch = 0;
        std::size_t length = 0;
        result = read(p, sourceEnd, flags, &ch, &length);
        if (result != conversionOK)
            break;
        if (!write(out, ch)) {
            result = targetExhausted;
            break;
        }
        p += length;
    }
    *sourceStart = p;
    return result;
}

template <class In, class Out, class Reader, class Writer>
ConversionResult convert(In const** sourceStart, In const* sourceEnd, Out** targetStart,
                         Out* targetEnd, ConversionFlags flags, Reader read, Writer write) {
    BoundedSink<Out> out(*targetStart, targetEnd);
    ConversionResult result = run(sourceStart, sourceEnd, out, flags, read, write);
    *targetStart = out.position();
    return result;
}

template <class In, class Reader, class Writer>
ConversionResult measure(In const** sourceStart, In const* sourceEnd, std::size_t* count,
                         ConversionFlags flags, Reader read, Writer write) {
    CountingSink out;
    ConversionResult result = run(sourceStart, sourceEnd, out, flags, read, write);
    *count = out.count();
    return result;
}

} // namespace

ConversionResult convertUTF32toUTF16(UTF32 const** sourceStart, UTF32 const* sourceEnd,
                                     UTF16** targetStart, UTF16* targetEnd, ConversionFlags flags) {
    return convert(sourceStart, sourceEnd, targetStart, targetEnd, flags, ReadUTF32(), PutUTF16());
}

ConversionResult convertUTF16toUTF32(UTF16 const** sourceStart, UTF16 const* sourceEnd,
                                     UTF32** targetStart, UTF32* targetEnd, ConversionFlags flags) {
    return convert(sourceStart, sourceEnd, targetStart, targetEnd, flags, ReadUTF16(), PutUTF32());
}

ConversionResult convertUTF16toUTF8(UTF16 const** sourceStart, UTF16 const* sourceEnd,
                                    UTF8** targetStart, UTF8* targetEnd, ConversionFlags flags) {
    return convert(sourceStart, sourceEnd, targetStart, targetEnd, flags, ReadUTF16(), PutUTF8());
}

ConversionResult convertUTF8toUTF16(UTF8 const** sourceStart, UTF8 const* sourceEnd,
                                    UTF16** targetStart, UTF16* targetEnd, ConversionFlags flags) {
    return convert(sourceStart, sourceEnd, targetStart, targetEnd, flags, ReadUTF8(), PutUTF16());
}

ConversionResult convertUTF32toUTF8(UTF32 const** sourceStart, UTF32 const* sourceEnd,
                                    UTF8** targetStart, UTF8* targetEnd, ConversionFlags flags) {
    return convert(sourceStart, sourceEnd, targetStart, targetEnd, flags, ReadUTF32(), PutUTF8());
}

ConversionResult convertUTF8toUTF32(UTF8 const** sourceStart, UTF8 const* sourceEnd,
                                    UTF32** targetStart, UTF32* targetEnd, ConversionFlags flags) {
    return convert(sourceStart, sourceEnd, targetStart, targetEnd, flags, ReadUTF8(), PutUTF32());
}

ConversionResult measureUTF32toUTF16(UTF32 const** sourceStart, UTF32 const* sourceEnd,
                                     std::size_t* count, ConversionFlags flags) {
    return measure(sourceStart, sourceEnd, count, flags, ReadUTF32(), PutUTF16());
}

ConversionResult measureUTF16toUTF32(UTF16 const** sourceStart, UTF16 const* sourceEnd,
                                     std::size_t* count, ConversionFlags flags) {
    return measure(sourceStart, sourceEnd, count, flags, ReadUTF16(), PutUTF32());
}

ConversionResult measureUTF16toUTF8(UTF16 const** sourceStart, UTF16 const* sourceEnd,
                                    std::size_t* count, ConversionFlags flags) {
    return measure(sourceStart, sourceEnd, count, flags, ReadUTF16(), PutUTF8());
}

ConversionResult measureUTF8toUTF16(UTF8 const** sourceStart, UTF8 const* sourceEnd,
                                    std::size_t* count, ConversionFlags flags) {
    return measure(sourceStart, sourceEnd, count, flags, ReadUTF8(), PutUTF16());
}

ConversionResult measureUTF32toUTF8(UTF32 const** sourceStart, UTF32 const* sourceEnd,
                                    std::size_t* count, ConversionFlags flags) {
    return measure(sourceStart, sourceEnd, count, flags, ReadUTF32(), PutUTF8());
}

ConversionResult measureUTF8toUTF32(UTF8 const** sourceStart, UTF8 const* sourceEnd,
                                    std::size_t* count, ConversionFlags flags) {
    return measure(sourceStart, sourceEnd, count, flags, ReadUTF8(), PutUTF32());
}

} // namespace unicode
} // namespace text
} // namespace cpp
