#include "wux/lang/UInt.h"

namespace cpp {
namespace lang {

int const UInt::MIN_VALUE;
int const UInt::MAX_VALUE;

String UInt::toString(unsigned int v) {
    return String::toString(v);
}

} // namespace lang
} // namespace cpp
