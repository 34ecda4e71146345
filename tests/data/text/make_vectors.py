#!/usr/bin/env python3
"""Writes conversion_vectors.txt: expected results of the wux conversions,
computed with Python's own codecs as an independent reference.

Run from any folder:  python3 make_vectors.py
The output is committed next to this script; rerun it after changing the
samples below.

Each line of the output is one conversion, five fields separated by tabs:

    name  source-type  source-hex  target-type  expectation

Types are ASCII (the ANSI code page, 1252 under the test locale), UTF7, UTF8,
UTF16LE and UTF32LE. The expectation is one of:

    =HEX      the exact bytes the target conversion produces (HEX may be empty);
    @HEX      UTF-7 targets: the output, decoded again from UTF-7, gives these
              UTF-16LE bytes (UTF-7 encoders may choose different but equally
              valid byte sequences);
    ~HEX      the output is these UTF-16LE bytes once every run of U+FFFD is
              collapsed into one (how many replacement characters a platform
              emits for one malformed UTF-8 sequence is its own choice);
    !partial  FormatException "partial character in source, but hit end.";
    !illegal  FormatException "source sequence is illegal.".

How each path treats what is not plain text (and how this script models it):

  * UTF-32LE sources pass through the Unicode Consortium's routines in lenient
    mode: surrogate values and values above 0x10FFFF become U+FFFD, for every
    target (Python: decode('utf-32-le', 'replace'), one U+FFFD per unit).
  * UTF-16LE into UTF-32LE uses the same routines: unpaired surrogates keep
    their value (Python: 'surrogatepass'); a high surrogate as the last unit
    is a partial character.
  * UTF-8 into UTF-32LE uses the same routines: malformed UTF-8 is illegal, a
    sequence cut by the end of the source is partial (Python's decoder tells
    the two apart: "unexpected end of data" is the cut).
  * Code-page steps use the platform: malformed UTF-8 decodes to U+FFFD
    (Python: decode('utf-8', 'replace'), compared with runs collapsed);
    unpaired surrogates written as UTF-8 become U+FFFD (EF BF BD); characters
    outside code page 1252 become one '?' per UTF-16 unit (the samples avoid
    characters for which the platform has a best-fit letter).
"""

import codecs
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "conversion_vectors.txt")

TYPES = ["ASCII", "UTF7", "UTF8", "UTF16LE", "UTF32LE"]


def _fffd(error):
    """UTF-8 encode error handler: each unpaired surrogate becomes U+FFFD."""
    if isinstance(error, UnicodeEncodeError):
        return ("\ufffd".encode("utf-8") * (error.end - error.start), error.end)
    raise error


codecs.register_error("wux-fffd", _fffd)


def utf16(text):
    return text.encode("utf-16-le", "surrogatepass")


def units(ch):
    return len(utf16(ch)) // 2


def encode_ansi(text):
    out = bytearray()
    for ch in text:
        try:
            out += ch.encode("cp1252")
        except UnicodeEncodeError:
            out += b"?" * units(ch)
    return bytes(out)


def ends_in_high_surrogate(text):
    return bool(text) and 0xD800 <= ord(text[-1]) <= 0xDBFF


# Well-formed texts: every source form converts into every target.
TEXTS = [
    ("empty", ""),
    ("ascii", "Hello, World! 0123456789 ~^_`{|}\t\r\n"),
    ("latin1", "caf\u00e9 na\u00efve \u00c6r\u00f8 \u00df \u00ff \u00a0\u00ab\u00bb"),
    ("cp1252 extras", "\u20ac \u201cq\u201d \u2013 \u2014 \u2026 \u2122 \u0161 \u0178"),
    ("bmp edges", "\u007f\u0080\u07ff\u0800\ufffd"),
    ("cjk", "\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8 \u4e2d\u6587 \ud55c\uad6d\uc5b4"),
    ("astral", "\U0001f600 \U0001d11e \U00020000 \U0010fffd!"),
    ("mixed", "A\u20ac\u00e9\u65e5\U0001f600z+-"),
    ("utf7 specials", "1+1=2 a~b \\ \"q\" !#$%&*;<=>@[]"),
]

# UTF-16 texts holding unpaired surrogates: given as UTF-16LE and as UTF-32LE
# (the surrogate value as a 32-bit unit).
SURROGATE_TEXTS = [
    ("lone high", "a\ud800b"),
    ("lone low", "a\udc00b"),
    ("reversed pair", "\udc00\ud800x"),
    ("lone high at end", "ab\ud800"),
]

# Raw UTF-32LE values, some beyond Unicode.
RAW_UTF32 = [
    ("utf32 beyond unicode", [0x41, 0x110000, 0x42, 0xFFFFFFFF, 0x10FFFF]),
    ("utf32 surrogate values", [0xD800, 0xDFFF, 0x43]),
]

# Malformed UTF-8, with the verdict of the Unicode routines: "partial" for a
# sequence cut by the end of the source (its bytes so far well-formed),
# "illegal" otherwise. The script checks Python agrees. (The routines take a
# sequence's length from its first byte before looking at the rest, so a
# malformed sequence cut by the end, such as E3 41 or a lone FF, counts as
# partial there while Python calls it invalid: such cases are left to the
# routines' own tests.)
MALFORMED_UTF8 = [
    ("cut 3-byte sequence", b"ab\xe3\x81", "partial"),
    ("cut 4-byte sequence", b"\xf0\x9f\x98", "partial"),
    ("cut 2-byte sequence", b"x\xc3", "partial"),
    ("stray continuation", b"a\x80b", "illegal"),
    ("overlong slash", b"\xc0\xaf", "illegal"),
    ("overlong 3-byte", b"\xe0\x80\xaf", "illegal"),
    ("encoded surrogate", b"\xed\xa0\x80z", "illegal"),
    ("beyond 10FFFF", b"\xf4\x90\x80\x80", "illegal"),
    ("five-byte form", b"\xf8\x88\x80\x80\x80", "illegal"),
    ("byte FF", b"q\xffabcdef", "illegal"),
    ("F5 lead", b"\xf5\x80\x80\x80", "illegal"),
    ("bad continuation", b"\xe3\x41\x42", "illegal"),
]


def python_verdict(data):
    try:
        data.decode("utf-8")
    except UnicodeDecodeError as e:
        return "partial" if e.reason == "unexpected end of data" else "illegal"
    return "ok"


def encode_utf7_source(text):
    # Python's encoder: a valid UTF-7 form different from the platform's.
    return text.encode("utf-7")


def expect_into(target, text, source):
    """The expectation for text (a str possibly with unpaired surrogates) that
    arrived through the given source path."""
    if target == "ASCII":
        return "=" + encode_ansi(text).hex()
    if target == "UTF7":
        return "@" + utf16(text).hex()
    if target == "UTF8":
        if source == "UTF32LE":
            # Unicode routine: no surrogate is left after decoding.
            return "=" + text.encode("utf-8").hex()
        return "=" + text.encode("utf-8", "wux-fffd").hex()
    if target == "UTF16LE":
        return "=" + utf16(text).hex()
    if target == "UTF32LE":
        if source in ("UTF16LE", "ASCII", "UTF7") and ends_in_high_surrogate(text):
            return "!partial"
        return "=" + text.encode("utf-32-le", "surrogatepass").hex()
    raise ValueError(target)


def same_or(target, source, data, text):
    """A bounded copy of data when source and target agree, else the
    conversion of text."""
    if target == source:
        return "=" + data.hex()
    return expect_into(target, text, source)


def rows():
    for name, text in TEXTS:
        assert "\0" not in text, name  # a 0 unit would end the bounded copies
        forms = {
            "UTF7": encode_utf7_source(text),
            "UTF8": text.encode("utf-8"),
            "UTF16LE": text.encode("utf-16-le"),
            "UTF32LE": text.encode("utf-32-le"),
        }
        try:
            forms["ASCII"] = text.encode("cp1252")
        except UnicodeEncodeError:
            pass
        for source in TYPES:
            if source not in forms:
                continue
            data = forms[source]
            for target in TYPES:
                if target == source:
                    expect = "=" + data.hex()  # bounded copy, no 0 byte
                else:
                    expect = expect_into(target, text, source)
                yield (name, source, data.hex(), target, expect)

    for name, text in SURROGATE_TEXTS:
        data16 = utf16(text)
        data32 = text.encode("utf-32-le", "surrogatepass")
        repaired = data32.decode("utf-32-le", "replace")
        for target in TYPES:
            yield (name, "UTF16LE", data16.hex(), target, same_or(target, "UTF16LE", data16, text))
        for target in TYPES:
            expect = same_or(target, "UTF32LE", data32, repaired)
            yield (name, "UTF32LE", data32.hex(), target, expect)

    for name, values in RAW_UTF32:
        data = b"".join(v.to_bytes(4, "little") for v in values)
        repaired = data.decode("utf-32-le", "replace")
        assert len(repaired) == len(values)
        for target in TYPES:
            yield (name, "UTF32LE", data.hex(), target, same_or(target, "UTF32LE", data, repaired))

    for name, data, verdict in MALFORMED_UTF8:
        assert python_verdict(data) == verdict, (name, python_verdict(data))
        replaced = data.decode("utf-8", "replace")
        yield (name, "UTF8", data.hex(), "UTF16LE", "~" + utf16(collapse(replaced)).hex())
        yield (name, "UTF8", data.hex(), "UTF32LE", "!" + verdict)
        yield (name, "UTF8", data.hex(), "UTF8", "=" + data.hex())


def collapse(text):
    out = []
    for ch in text:
        if ch == "\ufffd" and out and out[-1] == "\ufffd":
            continue
        out.append(ch)
    return "".join(out)


def main():
    lines = ["# Generated by make_vectors.py; see there for the format. Do not edit."]
    for row in rows():
        lines.append("\t".join(row))
    with open(OUT, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print("wrote", len(lines) - 1, "conversions to", OUT)


if __name__ == "__main__":
    main()
