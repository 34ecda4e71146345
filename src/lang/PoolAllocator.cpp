#include "lang/PoolAllocator.h"

#include "wux/lang/OutOfMemoryException.h"

#include <cstring>

namespace cpp {
namespace lang {

namespace {

unsigned int const HEADER = 4;

// Bytes in front of a large block's header: the list node, then 4 bytes of
// padding so that the payload after the header is 8-byte aligned.
std::size_t const LARGE_PREFIX_PAD = 4;

unsigned int readHeader(char const* block) {
    unsigned int gross;
    std::memcpy(&gross, block, sizeof gross);
    return gross;
}

void writeHeader(char* block, unsigned int gross) {
    std::memcpy(block, &gross, sizeof gross);
}

char* readLink(char const* block) {
    char* next;
    std::memcpy(&next, block, sizeof next);
    return next;
}

void writeLink(char* block, char* next) {
    std::memcpy(block, &next, sizeof next);
}

class Guard {
public:
    explicit Guard(CRITICAL_SECTION& cs) : _cs(cs) { EnterCriticalSection(&_cs); }
    ~Guard() { LeaveCriticalSection(&_cs); }
    Guard(Guard const&) = delete;
    Guard& operator=(Guard const&) = delete;

private:
    CRITICAL_SECTION& _cs;
};

unsigned int pageSize() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

} // namespace

PoolAllocator::PoolAllocator(MallocAllocTemplate::OomHandler handler)
    : _chunkStart(nullptr), _chunkEnd(nullptr), _heapSize(0) {
    InitializeCriticalSectionAndSpinCount(&_lock, 1000);
    _oom.set_oom_handler(handler);
    _rawList.prev = _rawList.next = &_rawList;
    std::memset(_freeLists, 0, sizeof _freeLists);
}

PoolAllocator::~PoolAllocator() {
    DeleteCriticalSection(&_lock);
}

unsigned int PoolAllocator::grossSizeOf(void const* p) {
    return readHeader(static_cast<char const*>(p) - HEADER);
}

std::size_t PoolAllocator::getRawBlockCount() const {
    std::size_t count = 0;
    for (RawNode const* n = _rawList.next; n != &_rawList; n = n->next)
        ++count;
    return count;
}

void* PoolAllocator::rawAlloc(std::size_t size) {
    if (size > 0xFFFFFFFFu)
        throw OutOfMemoryException();
    return _oom.malloc(static_cast<unsigned int>(size));
}

void PoolAllocator::linkRaw(RawNode* node) {
    node->prev = _rawList.prev;
    node->next = &_rawList;
    _rawList.prev->next = node;
    _rawList.prev = node;
}

void PoolAllocator::unlinkRaw(RawNode* node) {
    node->prev->next = node->next;
    node->next->prev = node->prev;
}

void PoolAllocator::pushFree(unsigned int k, char* block) {
    writeLink(block, _freeLists[k]);
    _freeLists[k] = block;
}

void* PoolAllocator::malloc(unsigned int size) {
    if (size > 0xFFFFFFFFu - HEADER)
        throw OutOfMemoryException();
    unsigned int gross = size + HEADER;
    if (gross <= MAX_SMALL) {
        unsigned int k = (gross + 7) / 8;
        Guard guard(_lock);
        char* block = _freeLists[k];
        if (block == nullptr) {
            refill(k);
            block = _freeLists[k];
        }
        _freeLists[k] = readLink(block);
        writeHeader(block, 8 * k);
        return block + HEADER;
    }

    // Large block: node, padding, header, payload. The raw request happens
    // before anything is linked, so a failure leaves the lists as they were.
    std::size_t prefix = sizeof(RawNode) + LARGE_PREFIX_PAD;
    char* raw = static_cast<char*>(rawAlloc(prefix + gross));
    char* block = raw + prefix;
    writeHeader(block, gross);
    {
        Guard guard(_lock);
        linkRaw(reinterpret_cast<RawNode*>(raw));
    }
    return block + HEADER;
}

void PoolAllocator::free(void* p) {
    if (p == nullptr)
        return;
    char* block = static_cast<char*>(p) - HEADER;
    unsigned int gross = readHeader(block);
    if (gross > MAX_SMALL) {
        char* raw = block - LARGE_PREFIX_PAD - sizeof(RawNode);
        {
            Guard guard(_lock);
            unlinkRaw(reinterpret_cast<RawNode*>(raw));
        }
        _oom.free(raw);
        return;
    }
    Guard guard(_lock);
    pushFree((gross + 7) / 8, block);
}

void* PoolAllocator::realloc(void* p, unsigned int size) {
    if (p == nullptr)
        return malloc(size);
    unsigned int gross = grossSizeOf(p);
    unsigned long long wanted = static_cast<unsigned long long>(size) + HEADER;
    if (gross > MAX_SMALL && wanted == gross)
        return p;
    if (gross <= MAX_SMALL && ((wanted + 7) & ~7ULL) == gross)
        return p;
    void* q = malloc(size);
    unsigned int keep = gross - HEADER;
    std::memcpy(q, p, size < keep ? size : keep);
    free(p);
    return q;
}

void* PoolAllocator::calloc(unsigned int count, unsigned int size, unsigned short fill) {
    unsigned long long total = static_cast<unsigned long long>(count) * size;
    if (total > 0xFFFFFFFFu)
        throw OutOfMemoryException();
    void* p = malloc(static_cast<unsigned int>(total));
    std::memset(p, fill & 0xFF, static_cast<std::size_t>(total));
    return p;
}

void PoolAllocator::close() {
    RawNode* n = _rawList.next;
    while (n != &_rawList) {
        RawNode* next = n->next;
        _oom.free(n);
        n = next;
    }
    _rawList.prev = _rawList.next = &_rawList;
    std::memset(_freeLists, 0, sizeof _freeLists);
    _chunkStart = _chunkEnd = nullptr;
    _heapSize = 0;
}

// Called under the lock: links up to REFILL_COUNT new blocks of class k into
// its free list, in address order.
void PoolAllocator::refill(unsigned int k) {
    unsigned int s = 8 * k;
    unsigned int n = REFILL_COUNT;
    char* first = takeFromChunk(s, n);
    char* block = first;
    for (unsigned int i = 0; i < n; ++i, block += s) {
        writeHeader(block, s);
        writeLink(block, i + 1 < n ? block + s : nullptr);
    }
    writeLink(first + (n - 1) * static_cast<std::size_t>(s), _freeLists[k]);
    _freeLists[k] = first;
}

// Called under the lock: takes n blocks of s bytes from the current chunk
// (fewer when only fewer fit), starting a new chunk when not even one fits.
char* PoolAllocator::takeFromChunk(unsigned int s, unsigned int& n) {
    for (;;) {
        if (_heapSize == 0 && _chunkStart == nullptr) {
            std::size_t bytes = 4 * static_cast<std::size_t>(pageSize());
            char* raw = static_cast<char*>(rawAlloc(sizeof(RawNode) + HEADER + bytes));
            linkRaw(reinterpret_cast<RawNode*>(raw));
            // Blocks start 4 bytes past a multiple of 8: payloads are aligned.
            _chunkStart = raw + sizeof(RawNode) + HEADER;
            _chunkEnd = _chunkStart + bytes;
            _heapSize += bytes;
            continue;
        }
        std::size_t left = static_cast<std::size_t>(_chunkEnd - _chunkStart);
        std::size_t want = static_cast<std::size_t>(n) * s;
        if (left >= want || left >= s) {
            if (left < want)
                n = static_cast<unsigned int>(left / s);
            char* result = _chunkStart;
            _chunkStart += static_cast<std::size_t>(n) * s;
            return result;
        }
        if (left > HEADER) {
            writeHeader(_chunkStart, static_cast<unsigned int>(left));
            pushFree(static_cast<unsigned int>((left + 7) / 8), _chunkStart);
        }
        std::size_t bytes = 8 * want + ((_heapSize / 16 + 7) & ~static_cast<std::size_t>(7));
        char* raw = static_cast<char*>(rawAlloc(sizeof(RawNode) + HEADER + bytes));
        linkRaw(reinterpret_cast<RawNode*>(raw));
        _chunkStart = raw + sizeof(RawNode) + HEADER;
        _chunkEnd = _chunkStart + bytes;
        _heapSize += bytes;
    }
}

} // namespace lang
} // namespace cpp
