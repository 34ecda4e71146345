#include "io/ByteBlock.h"

#include "wux/lang/IAllocator.h"
#include "wux/lang/OutOfMemoryException.h"

#include <cstring>

namespace cpp {
namespace io {
using cpp::lang::IAllocator;
using cpp::lang::OutOfMemoryException;

ByteBlock* createByteBlock(IAllocator* alloc, unsigned int capacity) {
    unsigned char* bytes = new unsigned char[capacity];
    ByteBlock* block = nullptr;
    try {
        block = static_cast<ByteBlock*>(alloc->malloc(sizeof(ByteBlock)));
    } catch (...) {
        delete[] bytes;
        throw;
    }
    block->start = bytes;
    block->capacity = capacity;
    block->end = bytes;
    return block;
}

void destroyByteBlock(IAllocator* alloc, ByteBlock* block) {
    if (block == nullptr)
        return;
    delete[] block->start;
    alloc->free(block);
}

unsigned char* reserveBytes(ByteBlock* block, unsigned int count) {
    unsigned int const used = block->size();
    unsigned long long const needed = static_cast<unsigned long long>(used) + count;
    if (needed > block->capacity) {
        if (needed > 0xFFFFFFFFull)
            throw OutOfMemoryException();
        // Twice what is needed, as far as 32 bits reach.
        unsigned long long wanted = 2 * needed;
        if (wanted > 0xFFFFFFFFull)
            wanted = 0xFFFFFFFFull;
        unsigned int const capacity = static_cast<unsigned int>(wanted);
        unsigned char* grown = new unsigned char[capacity];
        if (used != 0)
            std::memcpy(grown, block->start, used);
        delete[] block->start;
        block->start = grown;
        block->capacity = capacity;
        block->end = grown + used;
    }
    return block->end;
}

void appendBytes(ByteBlock* block, unsigned char const* bytes, unsigned int count) {
    unsigned char* end = reserveBytes(block, count);
    if (count != 0)
        std::memcpy(end, bytes, count);
    block->end += count;
}

void truncateBytes(ByteBlock* block, unsigned int size) {
    if (size < block->size())
        block->end = block->start + size;
}

} // namespace io
} // namespace cpp
