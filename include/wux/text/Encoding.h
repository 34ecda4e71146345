//===- wux/text/Encoding.h - Names, prologs and detection -------*- C++ -*-===//
//
// Encoding gathers what the library knows about its EncodingTypes besides
// converting: it creates the Conversion of a type, names the encodings,
// writes and recognises the byte-order marks ("prologs") at the start of
// text files, guesses the encoding of a stream that has none, and
// percent-encodes text for URLs.
//
//   Encoding::getEncodingWebName(UTF8);          // "UTF-8"
//   unsigned char mark[4];
//   Encoding::fillEncodingProlog(UTF16LE, mark, sizeof mark);  // FF FE, 2
//
//   FileInputStream in(L"notes.txt", Read);
//   int prolog = 0;
//   EncodingType t = Encoding::checkEncodingType(&in, prolog);
//   in.seek(prolog, Current);                    // the text starts here
//   Conversion* conv = Encoding::createConversion(t);   // delete when done
//
//   Encoding::encodeWebURL(UTF8, L"a b/\u00e9");  // "a%20b%2F%C3%A9"
//
// Prologs written and recognised:
//
//   ASCII, UTF7   none
//   UTF8          EF BB BF
//   UTF16LE       FF FE
//   UTF16BE       FE FF
//   UTF32LE       00 00 FE FF
//   UTF32BE       00 00 FF FE
//
// The two UTF-32 marks are this library's own (not the pair of the Unicode
// standard): files written by the library carry them and the detection
// expects them.
//
// Detection without a prolog looks at the first 2048 bytes: text that is
// well-formed UTF-8 with at least one multi-byte sequence is UTF8; text of
// 2-byte units with ASCII text units (a 0 byte in every odd place) and
// well-paired surrogates is UTF16LE (or, the bytes swapped, UTF16BE);
// anything else, and every stream of fewer than 2 bytes, is ASCII. The
// stream is left where it was; the caller skips the prolog.
//
// encodeWebURL keeps the unreserved characters A-Z a-z 0-9 - _ . ~ and
// writes every other byte of the text's UTF-8 form as %XX (upper-case hex);
// a character outside the Basic Multilingual Plane gives its four bytes.
//
// Failures: an encoding type outside 0-6 throws ArgumentException "Argument
// is invalid."; null buffers and streams throw ArgumentException with the
// texts given below; encodeWebURL for any type but UTF8, and decodeWebURL
// always, throw NotImplementedException.
//
// Everything is static and may be used from any thread (a stream given to
// checkEncodingType must not be used elsewhere meanwhile).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_ENCODING_H
#define WUX_TEXT_ENCODING_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"
#include "wux/text/EncodingType.h"

namespace cpp {
namespace io {
class InputStream;
class OutputStream;
} // namespace io

namespace text {

class Conversion;

class WUX_API Encoding {
public:
    Encoding() {}
    ~Encoding() {}
    Encoding& operator=(Encoding const&) { return *this; }

    /// A new Conversion into \p type, owned by the caller.
    static Conversion* createConversion(EncodingType type);

    /// "US-ASCII", "Unicode (UTF-7)", "Unicode (UTF-8)", "Unicode
    /// (UTF-16LE)", "Unicode (UTF-16BE)", "Unicode (UTF-32LE)", "Unicode
    /// (UTF-32BE)".
    static lang::String getEncodingName(EncodingType type);
    /// "US-ASCII", "UTF-7", "UTF-8", "UTF-16LE", "UTF-16BE", "UTF-32LE",
    /// "UTF-32BE".
    static lang::String getEncodingWebName(EncodingType type);
    /// The bytes of the prolog of \p type: 0, 0, 3, 2, 2, 4, 4.
    static unsigned int getEncodingPrologLength(EncodingType type);

    /// Writes the prolog of \p type into \p buf and returns its length. A
    /// null \p buf throws ArgumentException "The buffer to fill the encoding
    /// prolog is null."; a \p bufSize below the prolog's length "The size of
    /// buffer is not enough." ("bufSize").
    static unsigned int fillEncodingProlog(EncodingType type, unsigned char* buf,
                                           unsigned int bufSize);
    /// Writes the prolog of \p type to \p out, one byte at a time, and
    /// returns its length. A null \p out throws ArgumentException "The
    /// output stream to fill the encoding prolog is null.".
    static unsigned int fillEncodingProlog(EncodingType type, io::OutputStream* out);

    /// The encoding of the text \p in holds from its current position: the
    /// type of its prolog, with the prolog's length in \p prologLength, or
    /// else a guess from its first 2048 bytes, with \p prologLength 0. The
    /// stream is moved back to where it was. A stream with fewer than 2
    /// bytes available is ASCII and \p prologLength is left untouched, so
    /// callers set it first. A null \p in throws ArgumentException "The
    /// input stream to detect its encoding type is null.".
    static EncodingType checkEncodingType(io::InputStream* in, int& prologLength);

    /// True: the library runs on little-endian machines only.
    static bool isLittleEndian();

    /// \p s percent-encoded over its UTF-8 bytes. Types other than UTF8
    /// throw NotImplementedException.
    static lang::String encodeWebURL(EncodingType type, lang::String const& s);
    /// Throws NotImplementedException.
    static lang::String decodeWebURL(EncodingType type, lang::String const& s);
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_ENCODING_H
