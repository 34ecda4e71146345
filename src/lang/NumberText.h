//===- NumberText.h - Decimal text to integers ------------------*- C++ -*-===//
//
// The parsing rule shared by Int::getValue and Int64::getValue: the C
// runtime's reading of the text (_wtoi, _wtoi64), except that a result of 0
// is accepted only from a text of '0' digits alone, since the runtime gives 0
// for texts it cannot read too.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_LANG_NUMBERTEXT_H
#define WUX_SRC_LANG_NUMBERTEXT_H

#include "wux/lang/FormatException.h"
#include "wux/lang/String.h"

namespace cpp {
namespace lang {
namespace numbertext {

/// True when every unit of \p s is the digit '0' (false when \p s is empty).
inline bool isAllZeros(String const& s) {
    unsigned short const* p = s.getCStr();
    unsigned int const n = s.getLength();
    for (unsigned int i = 0; i < n; ++i) {
        if (p[i] != '0')
            return false;
    }
    return n != 0;
}

/// Reads \p s with \p read (a runtime function from wide text to a number).
/// Throws FormatException "The string to parse is empty." for an empty text
/// and "Cannot parse the string '<s>'." when the runtime reads 0 from a text
/// that is not all '0' digits.
template <typename Read> auto parse(String const& s, Read read) -> decltype(read(L"")) {
    if (s.isEmpty())
        throw FormatException(String("The string to parse is empty."), 0);
    if (isAllZeros(s))
        return 0;
    auto const v = read(s.getWCStr());
    if (v != 0)
        return v;
    String msg;
    msg.format(L"Cannot parse the string '%s'.", s.getWCStr());
    throw FormatException(msg, 0);
}

} // namespace numbertext
} // namespace lang
} // namespace cpp

#endif // WUX_SRC_LANG_NUMBERTEXT_H
