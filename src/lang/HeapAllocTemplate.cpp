#include "wux/lang/HeapAllocTemplate.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace cpp {
namespace lang {

// HeapAlloc could raise STATUS_NO_MEMORY as a structured exception
// (HEAP_GENERATE_EXCEPTIONS), but GCC cannot catch structured exceptions.
// The calls therefore ask for a null result on failure, which reports exactly
// the same condition, and hand it to the out-of-memory handling.

HeapAllocTemplate::HeapAllocTemplate()
    : _heap(HeapCreate(HEAP_NO_SERIALIZE, 0, 0)), _oomHandler(nullptr) {}

HeapAllocTemplate::HeapAllocTemplate(HeapAllocTemplate const& other)
    : _heap(HeapCreate(HEAP_NO_SERIALIZE, 0, 0)), _oomHandler(other._oomHandler) {}

HeapAllocTemplate& HeapAllocTemplate::operator=(HeapAllocTemplate const& other) {
    _oomHandler = other._oomHandler;
    return *this;
}

HeapAllocTemplate::~HeapAllocTemplate() {
    if (_heap != nullptr)
        HeapDestroy(_heap);
}

void* HeapAllocTemplate::malloc(unsigned int size) {
    if (_heap == nullptr)
        _heap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
    void* p = _heap != nullptr ? HeapAlloc(_heap, HEAP_NO_SERIALIZE, size) : nullptr;
    return p != nullptr ? p : failed();
}

void* HeapAllocTemplate::realloc(void* p, unsigned int size) {
    if (_heap == nullptr)
        _heap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
    if (p == nullptr)
        return malloc(size);
    void* q = _heap != nullptr ? HeapReAlloc(_heap, HEAP_NO_SERIALIZE, p, size) : nullptr;
    return q != nullptr ? q : failed();
}

void HeapAllocTemplate::free(void* p) {
    if (_heap != nullptr && p != nullptr)
        HeapFree(_heap, HEAP_NO_SERIALIZE, p);
}

void HeapAllocTemplate::close() {
    if (_heap != nullptr) {
        HeapDestroy(_heap);
        _heap = nullptr;
    }
}

HeapAllocTemplate::OomHandler HeapAllocTemplate::set_oom_handler(OomHandler h) {
    OomHandler previous = _oomHandler;
    _oomHandler = h;
    return previous;
}

void* HeapAllocTemplate::failed() {
    if (_oomHandler == nullptr) {
        std::fputs("Out of memory.\n", stderr);
        std::exit(1);
    }
    _oomHandler();
    return nullptr;
}

} // namespace lang
} // namespace cpp
