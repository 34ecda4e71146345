#include "wux/lang/IAllocator.h"

#include "lang/OutOfMemory.h"
#include "lang/PoolAllocator.h"
#include "wux/lang/String.h"

namespace cpp {
namespace lang {

namespace {

PoolAllocator* defaultAllocator = nullptr;

} // namespace

IAllocator::~IAllocator() = default;

IAllocator* IAllocator::getWUXAllocator() {
    if (defaultAllocator == nullptr)
        defaultAllocator = new PoolAllocator(&throwOutOfMemory);
    return defaultAllocator;
}

void IAllocator::delWUXAllocator() {
    if (defaultAllocator == nullptr)
        return;
    defaultAllocator->close();
    delete defaultAllocator;
    defaultAllocator = nullptr;
    // String::EMPTY lived on the allocator just destroyed.
    String::rehomeEmpty();
}

} // namespace lang
} // namespace cpp
