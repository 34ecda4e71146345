#!/usr/bin/env python3
"""Writes the text files that the reader and writer tests read and compare
with, encoded by Python's own codecs as an independent reference.

Run from any folder:  python3 make_textfiles.py
The outputs are committed next to this script; rerun it after changing the
samples below.

Two samples, each a list of (text, line end) pairs:

  * SAMPLE: every line-end kind (CR LF, LF, a lone CR, none at the very end),
    empty lines, characters of 2, 3 and 4 UTF-8 bytes (the last ones are
    surrogate pairs in UTF-16), a tab, and one line of 10,000 characters
    that is longer than any reader buffer, with multi-byte characters spread
    through it so that buffer boundaries fall inside them.
  * SAMPLE_1252: the same kinds of lines with characters of code page 1252
    only, for the system ANSI code page (1252 under the test locale).

Files written:

  sample.utf8bom.txt     EF BB BF, then UTF-8
  sample.utf8.txt        UTF-8 without a mark
  sample.utf16lebom.txt  FF FE, then UTF-16LE
  sample.utf16le.txt     UTF-16LE without a mark
  sample.utf16bebom.txt  FE FF, then UTF-16BE
  sample.utf16be.txt     UTF-16BE without a mark
  sample.utf7.txt        UTF-7 (no mark)
  sample1252.txt         code page 1252 (no mark)
  sample.expected        the lines of SAMPLE, one per line
  sample1252.expected    the lines of SAMPLE_1252, one per line

An expected file has one line per text line: the line end (CRLF, LF, CR or
NONE), a blank, and the line's UTF-16 code units in hex separated by blanks
(nothing after the line end for an empty line).
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))

ENDS = {"CRLF": "\r\n", "LF": "\n", "CR": "\r", "NONE": ""}


def long_line(length):
    """Digits with a character of 2, 3 and 4 UTF-8 bytes every few places."""
    extras = ["\u00e9", "\u20ac", "\U0001F600", "\u65e5"]
    out = []
    i = 0
    while len(out) < length:
        if i % 37 == 36:
            out.append(extras[(i // 37) % len(extras)])
        else:
            out.append(chr(ord("0") + i % 10))
        i += 1
    return "".join(out)


SAMPLE = [
    ("Plain ASCII line", "CRLF"),
    ("caf\u00e9 \u65e5\u672c\u8a9e \u20ac5", "LF"),
    ("", "CRLF"),
    ("", "LF"),
    ("astral \U0001F600 and \U00010348", "CR"),
    (long_line(10000), "CRLF"),
    ("tab\there", "LF"),
    ("", "CR"),
    ("last line without end \U0001F601", "NONE"),
]

SAMPLE_1252 = [
    ("Plain ASCII line", "CRLF"),
    ("caf\u00e9 \u00fcber \u20ac5 \u00bd", "LF"),
    ("", "CRLF"),
    ("", "LF"),
    ("lone CR \u00e0 \u00df", "CR"),
    (("0123456789\u00e9" * 1000), "CRLF"),
    ("tab\there", "LF"),
    ("last line without end", "NONE"),
]


def text_of(sample):
    return "".join(text + ENDS[end] for text, end in sample)


def units(text):
    data = text.encode("utf-16-le")
    return ["%04X" % int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]


def write_bytes(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def write_expected(name, sample):
    lines = []
    for text, end in sample:
        lines.append(" ".join([end] + units(text)))
    with open(os.path.join(HERE, name), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    text = text_of(SAMPLE)
    write_bytes("sample.utf8bom.txt", b"\xef\xbb\xbf" + text.encode("utf-8"))
    write_bytes("sample.utf8.txt", text.encode("utf-8"))
    write_bytes("sample.utf16lebom.txt", b"\xff\xfe" + text.encode("utf-16-le"))
    write_bytes("sample.utf16le.txt", text.encode("utf-16-le"))
    write_bytes("sample.utf16bebom.txt", b"\xfe\xff" + text.encode("utf-16-be"))
    write_bytes("sample.utf16be.txt", text.encode("utf-16-be"))
    write_bytes("sample.utf7.txt", text.encode("utf-7"))
    write_expected("sample.expected", SAMPLE)

    text1252 = text_of(SAMPLE_1252)
    write_bytes("sample1252.txt", text1252.encode("cp1252"))
    write_expected("sample1252.expected", SAMPLE_1252)


if __name__ == "__main__":
    main()
