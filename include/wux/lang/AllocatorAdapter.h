//===- wux/lang/AllocatorAdapter.h ------------------------------*- C++ -*-===//
//
// AllocatorAdapter<T> is a standard-library allocator that forwards to an
// IAllocator, so that std::vector and friends can live on a wux allocator:
//
//   std::vector<int, AllocatorAdapter<int>> v(AllocatorAdapter<int>(alloc));
//
// A null IAllocator* throws ArgumentException "The allocator pointer is
// null." (argument "alloc").
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_ALLOCATORADAPTER_H
#define WUX_LANG_ALLOCATORADAPTER_H

#include "wux/lang/Export.h"
#include "wux/lang/IAllocator.h"

#include <cstddef>
#include <new>

namespace cpp {
namespace lang {

/// The non-template part of AllocatorAdapter<T>.
class WUX_API AllocatorAdapterBase {
public:
    /// Throws ArgumentException "The allocator pointer is null.", "alloc".
    [[noreturn]] static void throwArg();
    /// Throws OutOfMemoryException: a request too large for the 32-bit sizes
    /// of IAllocator.
    [[noreturn]] static void throwTooLarge();
};

template <class T> class AllocatorAdapter : public AllocatorAdapterBase {
public:
    typedef T value_type;
    typedef T* pointer;
    typedef T const* const_pointer;
    typedef T& reference;
    typedef T const& const_reference;
    typedef std::size_t size_type;
    typedef std::ptrdiff_t difference_type;
    template <class U> struct rebind { typedef AllocatorAdapter<U> other; };

    AllocatorAdapter(IAllocator* alloc) : _alloc(alloc) {
        if (alloc == nullptr)
            throwArg();
    }
    template <class U>
    AllocatorAdapter(AllocatorAdapter<U> const& other) noexcept : _alloc(other.getAllocator()) {}

    T* allocate(size_type n) {
        if (n > 0xFFFFFFFFu / sizeof(T))
            throwTooLarge();
        return static_cast<T*>(_alloc->malloc(static_cast<unsigned int>(n * sizeof(T))));
    }
    void deallocate(T* p, size_type) noexcept { _alloc->free(p); }
    size_type max_size() const noexcept { return 0xFFFFFFFFu / sizeof(T); }

    IAllocator* getAllocator() const noexcept { return _alloc; }

    template <class U> bool operator==(AllocatorAdapter<U> const& o) const noexcept {
        return _alloc == o.getAllocator();
    }
    template <class U> bool operator!=(AllocatorAdapter<U> const& o) const noexcept {
        return _alloc != o.getAllocator();
    }

private:
    IAllocator* _alloc;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_ALLOCATORADAPTER_H
