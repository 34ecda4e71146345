#include "lang/OutOfMemory.h"

#include "wux/lang/OutOfMemoryException.h"

namespace cpp {
namespace lang {

void throwOutOfMemory() {
    throw OutOfMemoryException();
}

} // namespace lang
} // namespace cpp
