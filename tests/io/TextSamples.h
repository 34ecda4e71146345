//===- TextSamples.h - The reference text files and their lines -*- C++ -*-===//
//
// What the reader and writer tests share: the text files written by
// tests/data/textfiles/make_textfiles.py with Python's codecs, and the lines
// each of them holds, read from the script's .expected files (the line end,
// then the line's UTF-16 units in hex).
//
//   std::vector<SampleLine> lines = loadSample("sample");
//   std::wstring path = textFile(L"sample.utf16lebom.txt");
//   std::wstring all = joined(lines);   // the text with its line ends
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TESTS_IO_TEXTSAMPLES_H
#define WUX_TESTS_IO_TEXTSAMPLES_H

#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace wuxtest {

struct SampleLine {
    std::string end; ///< "CRLF", "LF", "CR" or "NONE"
    std::wstring text;
};

inline std::wstring widen(std::string const& s) {
    return std::wstring(s.begin(), s.end());
}

/// The path of a file in tests/data/textfiles, as Wine sees it.
inline std::wstring textFile(std::wstring const& name) {
    return widen(WUX_TEST_DATA_DIR) + L"/textfiles/" + name;
}

/// The lines of \p name.expected.
inline std::vector<SampleLine> loadSample(std::string const& name) {
    std::vector<SampleLine> lines;
    std::ifstream in((std::string(WUX_TEST_DATA_DIR) + "/textfiles/" + name + ".expected").c_str(),
                     std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << name << ".expected";
    std::string row;
    while (std::getline(in, row)) {
        std::istringstream fields(row);
        SampleLine line;
        fields >> line.end;
        std::string unit;
        while (fields >> unit)
            line.text += static_cast<wchar_t>(std::stoul(unit, nullptr, 16));
        lines.push_back(line);
    }
    return lines;
}

inline std::wstring lineEnd(std::string const& end) {
    if (end == "CRLF")
        return L"\r\n";
    if (end == "LF")
        return L"\n";
    if (end == "CR")
        return L"\r";
    return L"";
}

/// The text of \p lines with their line ends.
inline std::wstring joined(std::vector<SampleLine> const& lines) {
    std::wstring all;
    for (SampleLine const& line : lines)
        all += line.text + lineEnd(line.end);
    return all;
}

inline cpp::lang::String toString(std::wstring const& s) {
    return cpp::lang::String(s.c_str(), static_cast<unsigned int>(s.size()));
}

inline std::wstring toWide(cpp::lang::String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

} // namespace wuxtest

#endif // WUX_TESTS_IO_TEXTSAMPLES_H
