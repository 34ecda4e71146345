#include "wux/lang/Int.h"

#include "lang/NumberText.h"
#include "wux/lang/Char.h"

#include <stdlib.h>

namespace cpp {
namespace lang {

int const Int::MIN_VALUE;
int const Int::MAX_VALUE;
int const Int::INFINITE_VALUE;

String Int::toString(int v) {
    return String::toString(v);
}

bool Int::isInteger(unsigned short const* p, unsigned int n) {
    if (p == nullptr || n == 0)
        return false;
    for (unsigned int i = 0; i < n; ++i) {
        if (!Char::isDigit(p[i]))
            return false;
    }
    return true;
}

bool Int::isInteger(unsigned short const* p) {
    if (p == nullptr)
        return false;
    unsigned int n = 0;
    while (p[n] != 0)
        ++n;
    return isInteger(p, n);
}

bool Int::isInteger(String const& s) {
    return isInteger(s.getCStr(), s.getLength());
}

int Int::getValue(String const& s) {
    return numbertext::parse(s, [](wchar_t const* text) { return _wtoi(text); });
}

} // namespace lang
} // namespace cpp
