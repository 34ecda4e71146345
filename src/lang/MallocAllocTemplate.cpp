#include "wux/lang/MallocAllocTemplate.h"

#include "lang/OutOfMemory.h"

#include <cstdio>
#include <cstdlib>

namespace cpp {
namespace lang {

namespace {

[[noreturn]] void outOfMemoryExit() {
    std::fputs("Out of memory.\n", stderr);
    std::exit(1);
}

} // namespace

void* MallocAllocTemplate::malloc(unsigned int size) {
    void* p = std::malloc(size);
    return p != nullptr ? p : retryMalloc(size);
}

void* MallocAllocTemplate::realloc(void* p, unsigned int size) {
    void* q = std::realloc(p, size);
    return q != nullptr ? q : retryRealloc(p, size);
}

void MallocAllocTemplate::free(void* p) {
    std::free(p);
}

MallocAllocTemplate::OomHandler MallocAllocTemplate::set_oom_handler(OomHandler h) {
    OomHandler previous = _oomHandler;
    _oomHandler = h;
    return previous;
}

// The handler may free memory, throw, or clear itself; the request is retried
// for as long as a handler is set.
void* MallocAllocTemplate::retryMalloc(unsigned int size) {
    for (;;) {
        OomHandler handler = _oomHandler;
        if (handler == nullptr)
            outOfMemoryExit();
        handler();
        if (void* p = std::malloc(size))
            return p;
    }
}

void* MallocAllocTemplate::retryRealloc(void* p, unsigned int size) {
    for (;;) {
        OomHandler handler = _oomHandler;
        if (handler == nullptr)
            outOfMemoryExit();
        handler();
        if (void* q = std::realloc(p, size))
            return q;
    }
}

} // namespace lang
} // namespace cpp
