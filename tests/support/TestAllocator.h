//===- TestAllocator.h - A counting allocator that fails on demand -*- C++ -*-===//
//
// An IAllocator for tests: it takes its blocks from the runtime heap, counts
// every call, remembers the size of every request and which blocks it handed
// out, and can be told to refuse requests by throwing OutOfMemoryException,
// as the library's default allocator does when it is exhausted.
//
//   TestAllocator alloc;
//   cpp::lang::String s(&alloc);
//   alloc.failNext(1);          // the next request throws, later ones succeed
//   alloc.failAlways(true);     // every request throws until switched off
//   alloc.failAbove(1 << 20);   // requests larger than 1 MiB throw
//   EXPECT_TRUE(alloc.owns(s.getCStr()));
//
// A block given to free() that this allocator did not hand out is counted in
// foreignFrees() and otherwise ignored, so a test can report it instead of
// crashing. close() releases every live block.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TESTS_SUPPORT_TESTALLOCATOR_H
#define WUX_TESTS_SUPPORT_TESTALLOCATOR_H

#include "wux/lang/IAllocator.h"
#include "wux/lang/OutOfMemoryException.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace wuxtest {

class TestAllocator : public cpp::lang::IAllocator {
public:
    TestAllocator() = default;
    TestAllocator(TestAllocator const&) = delete;
    TestAllocator& operator=(TestAllocator const&) = delete;
    ~TestAllocator() override { close(); }

    void* malloc(unsigned int size) override {
        ++_mallocCalls;
        _requests.push_back(size);
        refuseIfAsked(size);
        return take(size);
    }

    void free(void* p) override {
        if (p == nullptr)
            return;
        auto it = _live.find(p);
        if (it == _live.end()) {
            ++_foreignFrees;
            return;
        }
        ++_freeCalls;
        _live.erase(it);
        std::free(p);
    }

    void close() override {
        for (auto const& block : _live)
            std::free(block.first);
        _live.clear();
    }

    void* calloc(unsigned int count, unsigned int size, unsigned short fill) override {
        unsigned int total = count * size;
        void* p = malloc(total);
        std::memset(p, fill & 0xFF, total);
        return p;
    }

    void* realloc(void* p, unsigned int size) override {
        if (p == nullptr)
            return malloc(size);
        ++_reallocCalls;
        _requests.push_back(size);
        refuseIfAsked(size);
        auto it = _live.find(p);
        if (it == _live.end()) {
            ++_foreignFrees;
            return take(size);
        }
        void* q = take(size);
        std::memcpy(q, p, it->second < size ? it->second : size);
        _live.erase(it);
        std::free(p);
        return q;
    }

    /// The next \p n requests throw OutOfMemoryException.
    void failNext(unsigned int n = 1) { _failCount = n; }
    /// While on, every request throws OutOfMemoryException.
    void failAlways(bool on) { _failAlways = on; }
    /// Requests larger than \p bytes throw OutOfMemoryException (0: no limit).
    void failAbove(unsigned int bytes) { _failAbove = bytes; }

    unsigned int mallocCalls() const { return _mallocCalls; }
    unsigned int reallocCalls() const { return _reallocCalls; }
    unsigned int freeCalls() const { return _freeCalls; }
    unsigned int failures() const { return _failures; }
    unsigned int foreignFrees() const { return _foreignFrees; }
    /// Blocks handed out and not yet given back.
    std::size_t liveBlocks() const { return _live.size(); }
    /// True when \p p is the start of a live block of this allocator.
    bool owns(void const* p) const { return _live.count(const_cast<void*>(p)) != 0; }
    /// The size of every malloc and realloc request so far, refused ones too.
    std::vector<unsigned int> const& requests() const { return _requests; }
    void clearRequests() { _requests.clear(); }

private:
    void refuseIfAsked(unsigned int size) {
        bool refuse = _failAlways || (_failAbove != 0 && size > _failAbove);
        if (!refuse && _failCount != 0) {
            --_failCount;
            refuse = true;
        }
        if (refuse) {
            ++_failures;
            throw cpp::lang::OutOfMemoryException();
        }
    }

    void* take(unsigned int size) {
        // No object may be larger than half the address space (32-bit
        // targets): such a request is refused like any the heap cannot meet.
        std::size_t bytes = size != 0 ? size : 1;
        if (bytes > static_cast<std::size_t>(PTRDIFF_MAX)) {
            ++_failures;
            throw cpp::lang::OutOfMemoryException();
        }
        void* p = std::malloc(bytes);
        if (p == nullptr) {
            ++_failures;
            throw cpp::lang::OutOfMemoryException();
        }
        _live[p] = size;
        return p;
    }

    std::map<void*, unsigned int> _live;
    std::vector<unsigned int> _requests;
    unsigned int _mallocCalls = 0;
    unsigned int _reallocCalls = 0;
    unsigned int _freeCalls = 0;
    unsigned int _failures = 0;
    unsigned int _foreignFrees = 0;
    unsigned int _failCount = 0;
    unsigned int _failAbove = 0;
    bool _failAlways = false;
};

} // namespace wuxtest

#endif // WUX_TESTS_SUPPORT_TESTALLOCATOR_H
