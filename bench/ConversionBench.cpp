// Conversions against the bare platform calls and the bare reference UTF
// routine: the wrappers should add almost nothing.
#include "Harness.h"

#include "text/ConvertUTF.h"
#include <wux/text/UTF16LEConversion.h>
#include <wux/text/UTF32LEConversion.h>
#include <wux/text/UTF8Conversion.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace cpp::text;

unsigned int const MEGABYTE = 1u << 20;

// About 1 MB of UTF-8 text built from a repeated sample.
std::string utf8Text(char const* sample) {
    std::string s;
    while (s.size() < MEGABYTE)
        s += sample;
    return s;
}

struct Texts {
    std::string utf8;
    std::u16string utf16;
};

Texts make(char const* sample) {
    Texts t;
    t.utf8 = utf8Text(sample);
    int units =
        MultiByteToWideChar(CP_UTF8, 0, t.utf8.data(), static_cast<int>(t.utf8.size()), nullptr, 0);
    t.utf16.resize(static_cast<std::size_t>(units));
    MultiByteToWideChar(CP_UTF8, 0, t.utf8.data(), static_cast<int>(t.utf8.size()),
                        reinterpret_cast<wchar_t*>(&t.utf16[0]), units);
    return t;
}

Texts const& ascii() {
    static Texts t = make("The quick brown fox jumps over the lazy dog. 0123456789\n");
    return t;
}
Texts const& mixed() {
    static Texts t = make("Gr\xC3\xBC\xC3\x9F"
                          "e aus M\xC3\xBCnchen, \xE4\xB8\x96\xE7\x95\x8C, "
                          "caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC\n");
    return t;
}
Texts const& cjk() {
    static Texts t = make("\xE4\xB8\x96\xE7\x95\x8C\xE4\xBD\xA0\xE5\xA5\xBD\xE6\x9D\xB1"
                          "\xE4\xBA\xAC\xE5\xA4\xA7\xE9\x98\xAA\xE4\xB8\xAD\xE6\x96\x87");
    return t;
}

std::vector<unsigned char>& target() {
    static std::vector<unsigned char> t(8 * MEGABYTE);
    return t;
}

template <Texts const& (*text)()> std::uint64_t wuxToUTF16(std::uint64_t n) {
    UTF16LEConversion conversion;
    std::string const& s = text().utf8;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += conversion.toBytes(s.data(), static_cast<unsigned int>(s.size()), UTF8,
                                    target().data(), static_cast<unsigned int>(target().size()));
    return check;
}

template <Texts const& (*text)()> std::uint64_t winToUTF16(std::uint64_t n) {
    std::string const& s = text().utf8;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += 2u * static_cast<unsigned int>(
                          MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()),
                                              reinterpret_cast<wchar_t*>(target().data()),
                                              static_cast<int>(target().size() / 2)));
    return check;
}

template <Texts const& (*text)()> std::uint64_t wuxToUTF8(std::uint64_t n) {
    UTF8Conversion conversion;
    std::u16string const& s = text().utf16;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += conversion.toBytes(s.data(), static_cast<unsigned int>(2 * s.size()), UTF16LE,
                                    target().data(), static_cast<unsigned int>(target().size()));
    return check;
}

template <Texts const& (*text)()> std::uint64_t winToUTF8(std::uint64_t n) {
    std::u16string const& s = text().utf16;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += static_cast<unsigned int>(WideCharToMultiByte(
            CP_UTF8, 0, reinterpret_cast<wchar_t const*>(s.data()), static_cast<int>(s.size()),
            reinterpret_cast<char*>(target().data()), static_cast<int>(target().size()), nullptr,
            nullptr));
    return check;
}

// UTF-16 to UTF-32 of the mixed text (1 M units or so), through the class and
// through the bare routine.
std::uint64_t wuxToUTF32(std::uint64_t n) {
    UTF32LEConversion conversion;
    std::u16string const& s = mixed().utf16;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i)
        check += conversion.toBytes(s.data(), static_cast<unsigned int>(2 * s.size()), UTF16LE,
                                    target().data(), static_cast<unsigned int>(target().size()));
    return check;
}

std::uint64_t bareToUTF32(std::uint64_t n) {
    using namespace cpp::text::unicode;
    std::u16string const& s = mixed().utf16;
    std::uint64_t check = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        UTF16 const* source = reinterpret_cast<UTF16 const*>(s.data());
        UTF32* out = reinterpret_cast<UTF32*>(target().data());
        UTF32* start = out;
        convertUTF16toUTF32(&source, source + s.size(), &out, out + target().size() / 4,
                            lenientConversion);
        check += 4u * static_cast<std::uint64_t>(out - start);
    }
    return check;
}

bench::Registrar a{{"utf8_to_utf16_ascii", "1 MB ASCII", "bare MultiByteToWideChar", 1.05,
                    wuxToUTF16<ascii>, winToUTF16<ascii>}};
bench::Registrar b{{"utf8_to_utf16_mixed", "1 MB mixed Latin/CJK", "bare MultiByteToWideChar", 1.05,
                    wuxToUTF16<mixed>, winToUTF16<mixed>}};
bench::Registrar c{{"utf8_to_utf16_cjk", "1 MB CJK", "bare MultiByteToWideChar", 1.05,
                    wuxToUTF16<cjk>, winToUTF16<cjk>}};
bench::Registrar d{{"utf16_to_utf8_ascii", "1 MB ASCII", "bare WideCharToMultiByte", 1.05,
                    wuxToUTF8<ascii>, winToUTF8<ascii>}};
bench::Registrar e{{"utf16_to_utf8_mixed", "1 MB mixed Latin/CJK", "bare WideCharToMultiByte", 1.05,
                    wuxToUTF8<mixed>, winToUTF8<mixed>}};
bench::Registrar f{{"utf16_to_utf8_cjk", "1 MB CJK", "bare WideCharToMultiByte", 1.05,
                    wuxToUTF8<cjk>, winToUTF8<cjk>}};
bench::Registrar g{{"utf32_conversions", "UTF-16 to UTF-32, 1 MB mixed", "bare reference routine",
                    1.1, wuxToUTF32, bareToUTF32}};

} // namespace
