#include "util/MessagePattern.h"

#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace util {

using lang::String;

namespace {

// The size prefix of a conversion.
enum class Size { None, Short, Long, LongLong, LongDouble, Wide, Bits32, Bits64, PointerSized };

bool isFlag(unsigned short c) {
    return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0';
}

bool isDigit(unsigned short c) {
    return c >= '0' && c <= '9';
}

// Reads a size prefix at p and moves past it; false for one the formatter
// does not know ("hh").
bool readSize(unsigned short const*& p, Size& size) {
    size = Size::None;
    switch (*p) {
    case 'h':
        ++p;
        size = Size::Short;
        return *p != 'h';
    case 'l':
        ++p;
        size = Size::Long;
        if (*p == 'l') {
            ++p;
            size = Size::LongLong;
        }
        return true;
    case 'L':
        ++p;
        size = Size::LongDouble;
        return true;
    case 'w':
        ++p;
        size = Size::Wide;
        return true;
    case 'I':
        ++p;
        if (p[0] == '6' && p[1] == '4') {
            p += 2;
            size = Size::Bits64;
        } else if (p[0] == '3' && p[1] == '2') {
            p += 2;
            size = Size::Bits32;
        } else {
            size = Size::PointerSized;
        }
        return true;
    default:
        return true;
    }
}

// The argument of the conversion `type` with the prefix `size`; false for
// %n and for combinations the formatter does not define.
bool argumentOf(unsigned short type, Size size, PrintfArgument& argument) {
    switch (type) {
    case 'd':
    case 'i':
    case 'o':
    case 'u':
    case 'x':
    case 'X':
        switch (size) {
        case Size::None:
        case Size::Short:
        case Size::Long:
        case Size::Bits32:
            argument = PrintfArgument::Int;
            return true;
        case Size::LongLong:
        case Size::Bits64:
            argument = PrintfArgument::Int64;
            return true;
        case Size::PointerSized:
            argument = sizeof(void*) == 8 ? PrintfArgument::Int64 : PrintfArgument::Int;
            return true;
        default:
            return false;
        }
    case 'c':
    case 'C':
        argument = PrintfArgument::Int;
        return size == Size::None || size == Size::Short || size == Size::Long ||
               size == Size::Wide;
    case 's':
    case 'S':
        switch (size) {
        case Size::None:
            // The wide formatter: %s is a wide string, %S a narrow one.
            argument = type == 's' ? PrintfArgument::WideText : PrintfArgument::NarrowText;
            return true;
        case Size::Short:
            argument = PrintfArgument::NarrowText;
            return true;
        case Size::Long:
        case Size::Wide:
            argument = PrintfArgument::WideText;
            return true;
        default:
            return false;
        }
    case 'e':
    case 'E':
    case 'f':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        if (size == Size::None || size == Size::Long) {
            argument = PrintfArgument::Double;
            return true;
        }
        argument = PrintfArgument::LongDouble;
        return size == Size::LongDouble;
    case 'p':
        argument = PrintfArgument::Pointer;
        return size == Size::None;
    case 'Z':
        argument = PrintfArgument::Counted;
        return size == Size::None || size == Size::Short || size == Size::Long ||
               size == Size::Wide;
    default:
        // %n writes through its argument; anything else is not a conversion.
        return false;
    }
}

} // namespace

bool printfArguments(unsigned short const* p, std::vector<PrintfArgument>& out) {
    if (p == nullptr)
        return false;
    while (*p != 0) {
        if (*p++ != '%')
            continue;
        if (*p == '%') {
            ++p;
            continue;
        }
        while (isFlag(*p))
            ++p;
        if (*p == '*') {
            out.push_back(PrintfArgument::Int);
            ++p;
        } else {
            while (isDigit(*p))
                ++p;
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                out.push_back(PrintfArgument::Int);
                ++p;
            } else {
                while (isDigit(*p))
                    ++p;
            }
        }
        Size size;
        if (!readSize(p, size) || *p == 0)
            return false;
        PrintfArgument argument;
        if (!argumentOf(*p++, size, argument))
            return false;
        out.push_back(argument);
    }
    return true;
}

bool samePrintfArguments(String const& pattern, String const& reference) {
    std::vector<PrintfArgument> taken;
    std::vector<PrintfArgument> expected;
    return printfArguments(pattern.getCStr(), taken) &&
           printfArguments(reference.getCStr(), expected) && taken == expected;
}

String libraryPattern(lang::IResourceLoader* loader, String const& key, wchar_t const* expected) {
    if (loader == nullptr)
        return String();
    String pattern = loader->loadString(key);
    if (samePrintfArguments(pattern, String(expected)))
        return pattern;
    String escaped(key);
    for (unsigned int i = escaped.find(static_cast<unsigned short>('%')); i != String::NO_POSITION;
         i = escaped.find(static_cast<unsigned short>('%'), i + 2))
        escaped.insert(i, static_cast<unsigned short>('%'), 1);
    return escaped;
}

} // namespace util
} // namespace cpp
