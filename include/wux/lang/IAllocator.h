//===- wux/lang/IAllocator.h - The memory interface -------------*- C++ -*-===//
//
// IAllocator is where every String, buffer and container of wux takes its
// memory from. Most constructors accept an IAllocator*; a null pointer there
// selects the library default allocator returned by getWUXAllocator(), a
// thread-safe pooled allocator whose exhaustion throws OutOfMemoryException.
//
// Objects that store an IAllocator* never own it. A block must be given back
// to the allocator that produced it.
//
//   IAllocator* a = IAllocator::getWUXAllocator();
//   void* p = a->malloc(100);     // at least 100 bytes, 8-byte aligned
//   p = a->realloc(p, 200);
//   a->free(p);
//
// Alignment: the default allocator returns payloads aligned to 8 bytes
// (enough for every scalar type up to double, __int64 and pointers).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_IALLOCATOR_H
#define WUX_LANG_IALLOCATOR_H

#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API IAllocator {
public:
    IAllocator() {}
    IAllocator(IAllocator const&) {}
    IAllocator& operator=(IAllocator const&) { return *this; }
    virtual ~IAllocator();

    /// A block of at least \p size bytes.
    virtual void* malloc(unsigned int size) = 0;
    /// Gives back a block of this allocator; null is ignored.
    virtual void free(void* p) = 0;
    /// Releases every block the allocator still holds; all earlier blocks
    /// become invalid. The allocator stays usable.
    virtual void close() = 0;
    /// A block of count * size bytes, every byte set to the low 8 bits of
    /// \p fill.
    virtual void* calloc(unsigned int count, unsigned int size, unsigned short fill) = 0;
    /// Resizes \p p, keeping the bytes both sizes share; a null \p p behaves
    /// as malloc(size).
    virtual void* realloc(void* p, unsigned int size) = 0;

    /// The library default allocator, created on the first call. Not locked:
    /// the library creates it while it loads, so later calls only read it.
    static IAllocator* getWUXAllocator();
    /// Closes and destroys the default allocator; the next getWUXAllocator()
    /// creates a new one. Must not run concurrently with any other use, and
    /// invalidates every block the default allocator handed out.
    /// String::EMPTY is moved onto the new default allocator so that it
    /// stays usable.
    static void delWUXAllocator();
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_IALLOCATOR_H
