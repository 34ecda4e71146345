//===- wux/lang/MallocAllocTemplate.h - Runtime-heap policy -----*- C++ -*-===//
//
// A small allocation policy over the C runtime heap with an out-of-memory
// handler. When the runtime returns null, the handler (if any) is called and
// the request retried until it succeeds or the handler is cleared; with no
// handler "Out of memory.\n" goes to standard error and the process ends
// with exit code 1.
//
//   MallocAllocTemplate policy;
//   policy.set_oom_handler(&throwOutOfMemory); // a handler that throws
//   void* p = policy.malloc(64);
//   policy.free(p);
//
// Values: copying copies the handler. Thread safety is that of the runtime
// heap.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_MALLOCALLOCTEMPLATE_H
#define WUX_LANG_MALLOCALLOCTEMPLATE_H

#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API MallocAllocTemplate {
public:
    typedef void (*OomHandler)();

    MallocAllocTemplate() : _oomHandler(nullptr) {}

    void* malloc(unsigned int size);
    void* realloc(void* p, unsigned int size);
    void free(void* p);
    void close() {}

    /// Stores \p h and returns the previous handler.
    OomHandler set_oom_handler(OomHandler h);

private:
    void* retryMalloc(unsigned int size);
    void* retryRealloc(void* p, unsigned int size);

    OomHandler _oomHandler;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_MALLOCALLOCTEMPLATE_H
