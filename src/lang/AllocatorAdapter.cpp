#include "wux/lang/AllocatorAdapter.h"

#include "wux/lang/ArgumentException.h"
#include "wux/lang/OutOfMemoryException.h"

namespace cpp {
namespace lang {

void AllocatorAdapterBase::throwArg() {
    throw ArgumentException(String("The allocator pointer is null."), String("alloc"));
}

void AllocatorAdapterBase::throwTooLarge() {
    throw OutOfMemoryException();
}

} // namespace lang
} // namespace cpp
