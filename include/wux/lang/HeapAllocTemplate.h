//===- wux/lang/HeapAllocTemplate.h -----------------------------*- C++ -*-===//
//
// An allocation policy over a private, unserialised Win32 heap (HeapCreate
// with HEAP_NO_SERIALIZE): one instance is for one thread at a time. When an
// allocation fails, the handler is called and null is returned; with no
// handler "Out of memory.\n" goes to standard error and the process ends with
// exit code 1. There is no retry.
//
//   HeapAllocTemplate heap;
//   void* p = heap.malloc(256);
//   p = heap.realloc(p, 512);
//   heap.close();                 // destroys the heap and every block in it
//
// A copy takes the handler and a private heap of its own: blocks belong to the
// instance that allocated them, and each instance destroys only its own heap.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_HEAPALLOCTEMPLATE_H
#define WUX_LANG_HEAPALLOCTEMPLATE_H

#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API HeapAllocTemplate {
public:
    typedef void (*OomHandler)();

    /// Creates the private heap.
    HeapAllocTemplate();
    /// Destroys the heap if it is still open.
    ~HeapAllocTemplate();
    /// A new private heap with the handler of \p other.
    HeapAllocTemplate(HeapAllocTemplate const& other);
    /// Takes the handler of \p other; keeps its own heap.
    HeapAllocTemplate& operator=(HeapAllocTemplate const& other);

    void* malloc(unsigned int size);
    void* realloc(void* p, unsigned int size);
    void free(void* p);
    /// Destroys the heap (and every block in it); a later malloc creates a
    /// new one.
    void close();

    /// Stores \p h and returns the previous handler.
    OomHandler set_oom_handler(OomHandler h);

private:
    void* failed();

    void* _heap;
    OomHandler _oomHandler;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_HEAPALLOCTEMPLATE_H
