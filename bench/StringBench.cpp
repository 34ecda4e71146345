// String operations against std::u16string and the bare runtime formatter.
#include "Harness.h"

#include <wux/lang/String.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using cpp::lang::String;

unsigned int const MILLION = 1u << 20;

// 1 M units of lower-case text with the needle units only at the very end.
std::u16string const& haystack() {
    static std::u16string h = [] {
        std::u16string s;
        s.reserve(MILLION);
        for (unsigned int i = 0; s.size() < MILLION - 16; ++i)
            s.push_back(static_cast<char16_t>(u'a' + i % 23));
        s += u"needle#needle#!";
        return s;
    }();
    return h;
}

String const& wuxHaystack() {
    static String s(reinterpret_cast<unsigned short const*>(haystack().data()),
                    static_cast<unsigned int>(haystack().size()));
    return s;
}

char16_t const FORTY[] = u"0123456789abcdefghijklmnopqrstuvwxyzABCD";

std::uint64_t wuxChurn(std::uint64_t n) {
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        String s;
        s.append(reinterpret_cast<unsigned short const*>(FORTY), 40);
        check += s.getLength();
    }
    return check;
}

std::uint64_t stdChurn(std::uint64_t n) {
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        std::u16string s;
        s.append(FORTY, 40);
        check += s.size();
    }
    return check;
}

std::uint64_t wuxFindChar(std::uint64_t n) {
    String const& s = wuxHaystack();
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += s.find(static_cast<unsigned short>('#'));
    return check;
}

std::uint64_t stdFindChar(std::uint64_t n) {
    std::u16string const& s = haystack();
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += s.find(u'#');
    return check;
}

std::uint64_t wuxCompare(std::uint64_t n) {
    static String other(wuxHaystack());
    static bool once = (other.at(other.getLength() - 1) = '?', true);
    (void)once;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += static_cast<std::uint64_t>(wuxHaystack().compare(other) + 2);
    return check;
}

std::uint64_t stdCompare(std::uint64_t n) {
    static std::u16string other = [] {
        std::u16string s = haystack();
        s.back() = u'?';
        return s;
    }();
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += static_cast<std::uint64_t>((haystack().compare(other) > 0 ? 1 : -1) + 2);
    return check;
}

std::uint64_t wuxFindSubstr(std::uint64_t n) {
    String needle(L"needle#needle#!");
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += wuxHaystack().find(needle);
    return check;
}

std::uint64_t stdFindSubstr(std::uint64_t n) {
    std::u16string needle(u"needle#needle#!");
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += haystack().find(needle);
    return check;
}

// Appends of 12 units up to about 1 M units, then starts again.
std::uint64_t wuxAppend(std::uint64_t n) {
    String s;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        s.append(reinterpret_cast<unsigned short const*>(FORTY), 12);
        if (s.getLength() >= MILLION) {
            check += s.getLength();
            s.clear();
        }
    }
    return check + s.getLength();
}

std::uint64_t stdAppend(std::uint64_t n) {
    std::u16string s;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        s.append(FORTY, 12);
        if (s.size() >= MILLION) {
            check += s.size();
            s.clear();
        }
    }
    return check + s.size();
}

std::uint64_t wuxFormat(std::uint64_t n) {
    String s;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        s.format(L"%d %s %I64d", static_cast<int>(i), L"items of the order in the box",
                 static_cast<long long>(i) * 1000003);
        check += s.getLength();
    }
    return check;
}

std::uint64_t crtFormat(std::uint64_t n) {
    wchar_t buffer[128];
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        int k = _snwprintf(buffer, 128, L"%d %s %I64d", static_cast<int>(i),
                           L"items of the order in the box", static_cast<long long>(i) * 1000003);
        check += static_cast<std::uint64_t>(k);
    }
    return check;
}

bench::Registrar churn{{"string_churn", "construct, append 40 units, destroy", "std::u16string",
                        1.0, wuxChurn, stdChurn}};
bench::Registrar findChar{{"string_find_char", "find one unit in 1 M units", "std::u16string", 0.5,
                           wuxFindChar, stdFindChar}};
bench::Registrar compare{
    {"string_compare", "compare 1 M units", "std::u16string", 0.5, wuxCompare, stdCompare}};
bench::Registrar findSubstr{{"string_find_substr", "find 15 units in 1 M units", "std::u16string",
                             1.0, wuxFindSubstr, stdFindSubstr}};
bench::Registrar append{
    {"string_append", "appends of 12 units", "std::u16string", 1.2, wuxAppend, stdAppend}};
bench::Registrar format{{"string_format", "about 40 units of %d %s %I64d",
                         "_snwprintf, fixed buffer", 1.2, wuxFormat, crtFormat}};

} // namespace
