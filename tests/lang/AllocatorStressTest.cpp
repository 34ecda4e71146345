// The default allocator under concurrent use: several threads allocate,
// resize and free blocks of random sizes, hand some of them to other threads
// to free, and check before every free that no byte of a block (nor its size
// header) was touched by anyone else. Strings on the default allocator are
// exercised the same way.
#include "wux/lang/IAllocator.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using cpp::lang::IAllocator;
using cpp::lang::String;

unsigned int const THREADS = 6;

unsigned int grossSize(unsigned int request) {
    unsigned int gross = request + 4;
    return gross > 512 ? gross : (gross + 7) / 8 * 8;
}

unsigned int headerOf(void const* p) {
    unsigned int gross;
    std::memcpy(&gross, static_cast<unsigned char const*>(p) - 4, sizeof gross);
    return gross;
}

struct Block {
    unsigned char* p;
    unsigned int size;
    unsigned int owner;
    unsigned int serial;
};

unsigned char patternByte(Block const& b, unsigned int i) {
    return static_cast<unsigned char>(b.owner * 61 + b.serial * 13 + i);
}

void writePattern(Block const& b) {
    for (unsigned int i = 0; i < b.size; ++i)
        b.p[i] = patternByte(b, i);
}

bool patternIntact(Block const& b, unsigned int n) {
    for (unsigned int i = 0; i < n; ++i)
        if (b.p[i] != patternByte(b, i))
            return false;
    return true;
}

// Blocks on their way from one thread to another.
class Exchange {
public:
    void put(Block const& b) {
        std::lock_guard<std::mutex> lock(_mutex);
        _blocks.push_back(b);
    }
    bool take(unsigned int taker, Block& b) {
        std::lock_guard<std::mutex> lock(_mutex);
        for (auto it = _blocks.begin(); it != _blocks.end(); ++it) {
            if (it->owner != taker) {
                b = *it;
                _blocks.erase(it);
                return true;
            }
        }
        return false;
    }
    std::deque<Block> drain() {
        std::lock_guard<std::mutex> lock(_mutex);
        std::deque<Block> all;
        all.swap(_blocks);
        return all;
    }

private:
    std::mutex _mutex;
    std::deque<Block> _blocks;
};

struct Failures {
    std::atomic<unsigned int> corruptData{0};
    std::atomic<unsigned int> corruptHeader{0};
    std::atomic<unsigned int> badAlignment{0};
    std::atomic<unsigned int> exceptions{0};
    std::atomic<unsigned int> crossFrees{0};
};

// Verifies a block and gives it back.
void release(IAllocator* alloc, Block const& b, Failures& failures) {
    if (headerOf(b.p) != grossSize(b.size))
        ++failures.corruptHeader;
    if (!patternIntact(b, b.size))
        ++failures.corruptData;
    alloc->free(b.p);
}

void allocatorWorker(unsigned int id, IAllocator* alloc, Exchange& exchange, Failures& failures) {
    try {
        std::mt19937 rng(1234 + id);
        std::uniform_int_distribution<unsigned int> sizeOf(0, 2000);
        std::uniform_int_distribution<unsigned int> percent(0, 99);
        std::vector<Block> live;
        unsigned int serial = 0;
        unsigned int const LIVE_TARGET = 300;

        for (unsigned int op = 0; op < 100000; ++op) {
            unsigned int roll = percent(rng);
            if (live.size() < LIVE_TARGET / 2 || (live.size() < LIVE_TARGET && roll < 50)) {
                Block b{nullptr, sizeOf(rng), id, ++serial};
                if (roll % 5 == 0) {
                    unsigned short fill = static_cast<unsigned short>(0x100 + roll);
                    b.p = static_cast<unsigned char*>(alloc->calloc(b.size, 1, fill));
                    for (unsigned int i = 0; i < b.size; ++i)
                        if (b.p[i] != static_cast<unsigned char>(fill)) {
                            ++failures.corruptData;
                            break;
                        }
                } else {
                    b.p = static_cast<unsigned char*>(alloc->malloc(b.size));
                }
                if (reinterpret_cast<std::uintptr_t>(b.p) % 8 != 0)
                    ++failures.badAlignment;
                writePattern(b);
                live.push_back(b);
            } else if (roll < 65) {
                // Free one at random.
                std::size_t i = rng() % live.size();
                release(alloc, live[i], failures);
                live[i] = live.back();
                live.pop_back();
            } else if (roll < 80) {
                // Resize one at random: the shared prefix must survive.
                std::size_t i = rng() % live.size();
                Block& b = live[i];
                if (headerOf(b.p) != grossSize(b.size))
                    ++failures.corruptHeader;
                unsigned int newSize = sizeOf(rng);
                unsigned int kept = newSize < b.size ? newSize : b.size;
                b.p = static_cast<unsigned char*>(alloc->realloc(b.p, newSize));
                if (!patternIntact(b, kept))
                    ++failures.corruptData;
                b.size = newSize;
                writePattern(b);
            } else if (roll < 90) {
                // Hand one to another thread.
                std::size_t i = rng() % live.size();
                exchange.put(live[i]);
                live[i] = live.back();
                live.pop_back();
            } else {
                // Free one that another thread allocated.
                Block b;
                if (exchange.take(id, b)) {
                    release(alloc, b, failures);
                    ++failures.crossFrees;
                }
            }
        }
        for (Block const& b : live)
            release(alloc, b, failures);
    } catch (...) {
        ++failures.exceptions;
    }
}

TEST(AllocatorStress, ConcurrentBlocksWithCrossThreadFrees) {
    IAllocator* alloc = IAllocator::getWUXAllocator();
    Exchange exchange;
    Failures failures;
    std::vector<std::thread> threads;
    for (unsigned int id = 0; id < THREADS; ++id)
        threads.emplace_back(allocatorWorker, id, alloc, std::ref(exchange), std::ref(failures));
    for (std::thread& t : threads)
        t.join();
    for (Block const& b : exchange.drain())
        release(alloc, b, failures);

    EXPECT_EQ(failures.exceptions.load(), 0u);
    EXPECT_EQ(failures.corruptData.load(), 0u);
    EXPECT_EQ(failures.corruptHeader.load(), 0u);
    EXPECT_EQ(failures.badAlignment.load(), 0u);
    EXPECT_GT(failures.crossFrees.load(), 0u) << "no block was freed by another thread";
}

// ---------------------------------------------------------------------------
// Strings

struct SharedString {
    String* s;
    std::wstring expected;
    unsigned int owner;
};

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

class StringExchange {
public:
    void put(SharedString const& s) {
        std::lock_guard<std::mutex> lock(_mutex);
        _strings.push_back(s);
    }
    bool take(unsigned int taker, SharedString& s) {
        std::lock_guard<std::mutex> lock(_mutex);
        for (auto it = _strings.begin(); it != _strings.end(); ++it) {
            if (it->owner != taker) {
                s = *it;
                _strings.erase(it);
                return true;
            }
        }
        return false;
    }
    std::deque<SharedString> drain() {
        std::lock_guard<std::mutex> lock(_mutex);
        std::deque<SharedString> all;
        all.swap(_strings);
        return all;
    }

private:
    std::mutex _mutex;
    std::deque<SharedString> _strings;
};

void stringWorker(unsigned int id, StringExchange& exchange, std::atomic<unsigned int>& bad,
                  std::atomic<unsigned int>& exceptions) {
    try {
        std::mt19937 rng(99 + id);
        std::vector<SharedString> mine;
        for (unsigned int round = 0; round < 6000; ++round) {
            // Grow a string unit by unit, so that it is reallocated several
            // times, then copy and edit it.
            unsigned int length = rng() % 300;
            auto* s = new String();
            std::wstring expected;
            for (unsigned int i = 0; i < length; ++i) {
                wchar_t c = static_cast<wchar_t>(L'a' + (id + i + round) % 26);
                *s += static_cast<unsigned short>(c);
                expected += c;
            }
            String copy(*s);
            copy.insert(0, "x");
            if (text(copy) != L"x" + expected)
                ++bad;
            copy.remove(0, 1);
            if (text(copy) != expected)
                ++bad;
            mine.push_back(SharedString{s, expected, id});

            if (rng() % 3 == 0) {
                exchange.put(mine.back());
                mine.pop_back();
            }
            SharedString other;
            if (rng() % 3 == 0 && exchange.take(id, other)) {
                if (text(*other.s) != other.expected)
                    ++bad;
                delete other.s;
            }
            if (mine.size() > 50) {
                std::size_t i = rng() % mine.size();
                if (text(*mine[i].s) != mine[i].expected)
                    ++bad;
                delete mine[i].s;
                mine[i] = mine.back();
                mine.pop_back();
            }
        }
        for (SharedString const& m : mine) {
            if (text(*m.s) != m.expected)
                ++bad;
            delete m.s;
        }
    } catch (...) {
        ++exceptions;
    }
}

TEST(AllocatorStress, StringsCreatedAndDestroyedConcurrently) {
    StringExchange exchange;
    std::atomic<unsigned int> bad{0};
    std::atomic<unsigned int> exceptions{0};
    std::vector<std::thread> threads;
    for (unsigned int id = 0; id < THREADS; ++id)
        threads.emplace_back(stringWorker, id, std::ref(exchange), std::ref(bad),
                             std::ref(exceptions));
    for (std::thread& t : threads)
        t.join();
    for (SharedString const& s : exchange.drain()) {
        if (text(*s.s) != s.expected)
            ++bad;
        delete s.s;
    }
    EXPECT_EQ(exceptions.load(), 0u);
    EXPECT_EQ(bad.load(), 0u);
}

} // namespace
