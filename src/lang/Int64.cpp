#include "wux/lang/Int64.h"

#include "lang/NumberText.h"

#include <stdlib.h>

namespace cpp {
namespace lang {

__int64 const Int64::MIN_VALUE;
__int64 const Int64::MAX_VALUE;

String Int64::toString(__int64 v) {
    return String::toString(v);
}

__int64 Int64::getValue(String const& s) {
    return numbertext::parse(s, [](wchar_t const* text) { return _wtoi64(text); });
}

} // namespace lang
} // namespace cpp
