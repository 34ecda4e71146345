//===- PoolAllocator.h - The library default allocator ----------*- C++ -*-===//
//
// A pooled, thread-safe allocator. Requests of up to 508 bytes are served
// from 64 size classes of 8..512 gross bytes (request + 4-byte header,
// rounded up to 8), cut ten at a time from large chunks of the runtime heap;
// larger requests go to the runtime heap directly. Freed small blocks return
// to their class list; chunks are kept until close().
//
// Block layout: a 4-byte header holding the gross size, then the payload.
// Blocks start 4 bytes past a multiple of 8, so every payload is 8-byte
// aligned. While a small block is free, its first pointer-sized bytes (header
// and, on 64-bit Windows, the first payload bytes) hold the link to the next
// free block: even the smallest block (8 bytes) has room for it.
//
// Every raw block taken from the runtime heap (chunk or large block) begins
// with a list node, so that close() can free them all and free() can unlink
// a large block in constant time.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_LANG_POOLALLOCATOR_H
#define WUX_SRC_LANG_POOLALLOCATOR_H

#include "wux/lang/IAllocator.h"
#include "wux/lang/MallocAllocTemplate.h"

#include <windows.h>

#include <cstddef>

namespace cpp {
namespace lang {

class PoolAllocator : public IAllocator {
public:
    /// Largest gross size served from the size classes.
    static unsigned int const MAX_SMALL = 512;
    static unsigned int const CLASS_COUNT = 65;
    /// Blocks taken from the chunk at each refill of a class.
    static unsigned int const REFILL_COUNT = 10;

    explicit PoolAllocator(MallocAllocTemplate::OomHandler handler);
    /// Forgets the raw blocks without freeing them (close() frees them).
    ~PoolAllocator() override;

    void* malloc(unsigned int size) override;
    void free(void* p) override;
    void close() override;
    void* calloc(unsigned int count, unsigned int size, unsigned short fill) override;
    void* realloc(void* p, unsigned int size) override;

    /// The gross size recorded in the header of a block of this allocator.
    static unsigned int grossSizeOf(void const* p);
    /// Total bytes of chunks obtained from the runtime heap so far.
    std::size_t getHeapSize() const { return _heapSize; }
    /// Number of raw blocks (chunks and large blocks) currently held.
    std::size_t getRawBlockCount() const;

private:
    struct RawNode {
        RawNode* prev;
        RawNode* next;
    };
    static_assert(sizeof(RawNode) % 8 == 0, "payloads must stay 8-byte aligned");

    PoolAllocator(PoolAllocator const&) = delete;
    PoolAllocator& operator=(PoolAllocator const&) = delete;

    void* rawAlloc(std::size_t size);
    void linkRaw(RawNode* node);
    void unlinkRaw(RawNode* node);
    void refill(unsigned int k);
    char* takeFromChunk(unsigned int s, unsigned int& n);
    void pushFree(unsigned int k, char* block);

    CRITICAL_SECTION _lock;
    MallocAllocTemplate _oom;
    char* _chunkStart;
    char* _chunkEnd;
    std::size_t _heapSize;
    RawNode _rawList; // sentinel of the circular list of raw blocks
    char* _freeLists[CLASS_COUNT + 1];
};

} // namespace lang
} // namespace cpp

#endif
