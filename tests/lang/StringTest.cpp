// String storage: construction, the allocator each string uses, the growth of
// its buffer (and what happens when the allocator refuses), reserve, shrink,
// swap, element access, copy(), narrow text in the ANSI code page, and the
// shared empty string.
#include "wux/lang/String.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/OutOfRangeException.h"

#include "TestAllocator.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::IAllocator;
using cpp::lang::OutOfMemoryException;
using cpp::lang::OutOfRangeException;
using cpp::lang::String;
using wuxtest::TestAllocator;

unsigned int const NPOS = String::NO_POSITION;

std::u16string text(String const& s) {
    return std::u16string(reinterpret_cast<char16_t const*>(s.getCStr()), s.getLength());
}

unsigned short const* u(wchar_t const* p) {
    return reinterpret_cast<unsigned short const*>(p);
}

::testing::AssertionResult hasText(String const& s, std::u16string const& expected) {
    if (text(s) != expected)
        return ::testing::AssertionFailure() << "content " << ::testing::PrintToString(text(s))
                                             << ", expected " << ::testing::PrintToString(expected);
    if (s.getCStr()[s.getLength()] != 0)
        return ::testing::AssertionFailure() << "no terminator after " << s.getLength() << " units";
    if (s.getLength() > s.getCapacity())
        return ::testing::AssertionFailure()
               << "length " << s.getLength() << " above capacity " << s.getCapacity();
    return ::testing::AssertionSuccess();
}

struct Snapshot {
    explicit Snapshot(String const& s)
        : content(text(s)), capacity(s.getCapacity()), buffer(s.getCStr()) {}

    ::testing::AssertionResult matches(String const& s) const {
        if (text(s) != content)
            return ::testing::AssertionFailure()
                   << "content changed to " << ::testing::PrintToString(text(s)) << " from "
                   << ::testing::PrintToString(content);
        if (s.getCapacity() != capacity || s.getCStr() != buffer)
            return ::testing::AssertionFailure()
                   << "buffer changed: capacity " << capacity << " -> " << s.getCapacity();
        if (s.getCStr()[s.getLength()] != 0)
            return ::testing::AssertionFailure() << "terminator lost";
        return ::testing::AssertionSuccess();
    }

    std::u16string content;
    unsigned int capacity;
    unsigned short const* buffer;
};

// Bytes asked of an allocator for a buffer of \p capacity units plus the
// terminator.
unsigned int bytesFor(unsigned int capacity) {
    return (capacity + 1) * 2;
}

//===-- Constants and the shared empty string -----------------------------===//

TEST(StringStorage, ConstantsMeanUpToTheEnd) {
    EXPECT_EQ(String::NO_POSITION, 0xFFFFFFFFu);
    EXPECT_EQ(String().getMaxSize(), 0xFFFFFFFFu);
}

TEST(StringStorage, EmptyIsAnEmptyStringOnTheDefaultAllocator) {
    EXPECT_TRUE(String::EMPTY.isEmpty());
    EXPECT_EQ(String::EMPTY.getLength(), 0u);
    ASSERT_NE(String::EMPTY.getCStr(), nullptr);
    EXPECT_EQ(String::EMPTY.getCStr()[0], 0);
    EXPECT_EQ(String::EMPTY.getAllocator(), IAllocator::getWUXAllocator());
}

//===-- Construction -------------------------------------------------------===//

TEST(StringStorage, NewStringOwnsATwentyByteBuffer) {
    TestAllocator alloc;
    {
        String s(&alloc);
        EXPECT_TRUE(s.isEmpty());
        EXPECT_EQ(s.getCapacity(), 9u);
        EXPECT_EQ(s.getAllocator(), &alloc);
        EXPECT_TRUE(alloc.owns(s.getCStr()));
        EXPECT_EQ(s.getCStr()[0], 0);
        EXPECT_EQ(alloc.requests(), std::vector<unsigned int>{20});
    }
    // The destructor gives the buffer back.
    EXPECT_EQ(alloc.liveBlocks(), 0u);
    EXPECT_EQ(alloc.freeCalls(), 1u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
}

TEST(StringStorage, NullAllocatorSelectsTheDefault) {
    String s;
    EXPECT_EQ(s.getAllocator(), IAllocator::getWUXAllocator());
    EXPECT_EQ(s.getCapacity(), 9u);
    String t(static_cast<IAllocator*>(nullptr));
    EXPECT_EQ(t.getAllocator(), IAllocator::getWUXAllocator());
}

struct ConstructCase {
    char const* name;
    std::unique_ptr<String> (*make)(IAllocator* a);
    char16_t const* expected;
};

ConstructCase const constructCases[] = {
    {"allocator only", [](IAllocator* a) { return std::make_unique<String>(a); }, u""},
    {"copies of a unit", [](IAllocator* a) { return std::make_unique<String>(u'Q', 3u, a); },
     u"QQQ"},
    {"0 copies of a unit", [](IAllocator* a) { return std::make_unique<String>(u'Q', 0u, a); },
     u""},
    {"narrow text", [](IAllocator* a) { return std::make_unique<String>("abc", a); }, u"abc"},
    {"empty narrow text", [](IAllocator* a) { return std::make_unique<String>("", a); }, u""},
    {"narrow bytes with a count",
     [](IAllocator* a) { return std::make_unique<String>("abcdef", 3u, a); }, u"abc"},
    {"units", [](IAllocator* a) { return std::make_unique<String>(u(L"abc"), a); }, u"abc"},
    {"units with a count",
     [](IAllocator* a) { return std::make_unique<String>(u(L"abcdef"), 2u, a); }, u"ab"},
    {"wide literal", [](IAllocator* a) { return std::make_unique<String>(L"abc", a); }, u"abc"},
    {"wide literal with a count",
     [](IAllocator* a) { return std::make_unique<String>(L"abcdef", 4u, a); }, u"abcd"},
    {"long wide literal",
     [](IAllocator* a) { return std::make_unique<String>(L"abcdefghijklmnopqrstuvwxyz", a); },
     u"abcdefghijklmnopqrstuvwxyz"},
    {"part of a string",
     [](IAllocator* a) { return std::make_unique<String>(String(L"abcdef"), 2u, 3u, a); }, u"cde"},
    {"rest of a string",
     [](IAllocator* a) { return std::make_unique<String>(String(L"abcdef"), 2u, NPOS, a); },
     u"cdef"},
    {"end of a string",
     [](IAllocator* a) { return std::make_unique<String>(String(L"abcdef"), 6u, 2u, a); }, u""},
    {"copy of a string", [](IAllocator* a) { return std::make_unique<String>(String(L"abc"), a); },
     u"abc"},
};

TEST(StringStorage, ConstructorsFillTheStringFromTheGivenAllocator) {
    for (ConstructCase const& c : constructCases) {
        SCOPED_TRACE(c.name);
        TestAllocator alloc;
        std::unique_ptr<String> s = c.make(&alloc);
        EXPECT_TRUE(hasText(*s, c.expected));
        EXPECT_EQ(s->getAllocator(), &alloc);
        EXPECT_TRUE(alloc.owns(s->getCStr()));
        s.reset();
        EXPECT_EQ(alloc.liveBlocks(), 0u);
        EXPECT_EQ(alloc.foreignFrees(), 0u);

        std::unique_ptr<String> d = c.make(nullptr);
        EXPECT_TRUE(hasText(*d, c.expected));
        EXPECT_EQ(d->getAllocator(), IAllocator::getWUXAllocator());
    }
}

struct ConstructFailCase {
    char const* name;
    void (*make)(IAllocator* a);
    bool range;
    char16_t const* message;
    char16_t const* argument;
};

ConstructFailCase const constructFailCases[] = {
    {"null narrow text", [](IAllocator* a) { String s(static_cast<char const*>(nullptr), a); },
     false, u"The source pointer is null.", u"ptr"},
    {"null narrow bytes with a count",
     [](IAllocator* a) { String s(static_cast<char const*>(nullptr), 2u, a); }, false,
     u"The source pointer is null.", u"ptr"},
    {"null units", [](IAllocator* a) { String s(static_cast<unsigned short const*>(nullptr), a); },
     false, u"The source pointer is null.", u"ptr"},
    {"null units with a count",
     [](IAllocator* a) { String s(static_cast<unsigned short const*>(nullptr), 2u, a); }, false,
     u"The source pointer is null.", u"ptr"},
    {"NO_POSITION units", [](IAllocator* a) { String s(u(L"ab"), NPOS, a); }, false,
     u"the number of string is too long.", u"num"},
    {"NO_POSITION copies", [](IAllocator* a) { String s(u'Q', NPOS, a); }, false,
     u"count is too long.", u"count"},
    {"part beyond the source", [](IAllocator* a) { String s(String(L"ab"), 3u, 1u, a); }, true,
     u"The offset is out of range.", u""},
};

TEST(StringStorage, FailedConstructorsThrowAndGiveTheirBufferBack) {
    for (ConstructFailCase const& c : constructFailCases) {
        SCOPED_TRACE(c.name);
        TestAllocator alloc;
        try {
            c.make(&alloc);
            ADD_FAILURE() << "nothing was thrown";
        } catch (OutOfRangeException const& e) {
            EXPECT_TRUE(c.range);
            EXPECT_EQ(text(e.getMessage()), c.message);
        } catch (ArgumentException const& e) {
            EXPECT_FALSE(c.range);
            EXPECT_EQ(text(e.Exception::getMessage()), c.message);
            EXPECT_EQ(text(e.getArgumentName()), c.argument);
            EXPECT_EQ(text(e.getMessage()),
                      std::u16string(u"Argument ") + c.argument + u": " + c.message);
        } catch (Exception const& e) {
            ADD_FAILURE() << "another exception: " << ::testing::PrintToString(text(e.toString()));
        }
        EXPECT_EQ(alloc.liveBlocks(), 0u);
    }
}

//===-- Which allocator a copy uses ----------------------------------------===//

enum class Owner { Source, Other, Default };

struct CopyCase {
    char const* name;
    std::unique_ptr<String> (*make)(String const& source, IAllocator* other);
    Owner owner;
    char16_t const* expected;
};

CopyCase const copyCases[] = {
    {"copy constructor takes the source's",
     [](String const& s, IAllocator*) { return std::make_unique<String>(s); }, Owner::Source,
     u"abcdef"},
    {"copy onto an allocator takes that one",
     [](String const& s, IAllocator* other) { return std::make_unique<String>(s, other); },
     Owner::Other, u"abcdef"},
    {"copy onto a null allocator takes the default, not the source's",
     [](String const& s, IAllocator*) {
         return std::make_unique<String>(s, static_cast<IAllocator*>(nullptr));
     },
     Owner::Default, u"abcdef"},
    {"part onto an allocator takes that one",
     [](String const& s, IAllocator* other) { return std::make_unique<String>(s, 1u, 3u, other); },
     Owner::Other, u"bcd"},
    {"part onto a null allocator takes the source's",
     [](String const& s, IAllocator*) { return std::make_unique<String>(s, 1u, 3u, nullptr); },
     Owner::Source, u"bcd"},
    {"assignment keeps the target's",
     [](String const& s, IAllocator* other) {
         auto t = std::make_unique<String>(L"xyz", other);
         *t = s;
         return t;
     },
     Owner::Other, u"abcdef"},
    {"assignment of a part keeps the target's",
     [](String const& s, IAllocator* other) {
         auto t = std::make_unique<String>(other);
         t->assign(s, 2, 2);
         return t;
     },
     Owner::Other, u"cd"},
    {"assignment to a default string keeps the default",
     [](String const& s, IAllocator*) {
         auto t = std::make_unique<String>();
         *t = s;
         return t;
     },
     Owner::Default, u"abcdef"},
};

TEST(StringStorage, CopiesTakeTheirAllocatorByTheCopyRules) {
    for (CopyCase const& c : copyCases) {
        SCOPED_TRACE(c.name);
        TestAllocator sourceAlloc;
        TestAllocator otherAlloc;
        String source(L"abcdef", &sourceAlloc);
        std::unique_ptr<String> copy = c.make(source, &otherAlloc);
        EXPECT_TRUE(hasText(*copy, c.expected));
        EXPECT_NE(copy->getCStr(), source.getCStr());
        switch (c.owner) {
        case Owner::Source:
            EXPECT_EQ(copy->getAllocator(), &sourceAlloc);
            EXPECT_TRUE(sourceAlloc.owns(copy->getCStr()));
            break;
        case Owner::Other:
            EXPECT_EQ(copy->getAllocator(), &otherAlloc);
            EXPECT_TRUE(otherAlloc.owns(copy->getCStr()));
            break;
        case Owner::Default:
            EXPECT_EQ(copy->getAllocator(), IAllocator::getWUXAllocator());
            EXPECT_FALSE(sourceAlloc.owns(copy->getCStr()));
            EXPECT_FALSE(otherAlloc.owns(copy->getCStr()));
            break;
        }
        copy.reset();
        EXPECT_EQ(otherAlloc.liveBlocks(), 0u);
        EXPECT_EQ(sourceAlloc.liveBlocks(), 1u);
        EXPECT_EQ(sourceAlloc.foreignFrees() + otherAlloc.foreignFrees(), 0u);
    }
}

// No copy shares its buffer with the source.
TEST(StringStorage, CopiesOwnTheirBuffer) {
    String source(L"abc");
    String copy(source);
    copy.at(0) = u'X';
    EXPECT_TRUE(hasText(source, u"abc"));
    EXPECT_TRUE(hasText(copy, u"Xbc"));
}

//===-- Growth ------------------------------------------------------------===//

TEST(StringGrowth, TenUnitsGrowAFreshStringTo17) {
    String s;
    s.assign(u(L"0123456789"));
    EXPECT_EQ(s.getCapacity(), 17u);
    EXPECT_TRUE(hasText(s, u"0123456789"));
}

// Units appended one at a time: steps of 8 up to 25, then by half.
TEST(StringGrowth, AppendingOneUnitAtATimeSteps) {
    String s;
    std::vector<unsigned int> capacities{s.getCapacity()};
    for (unsigned int i = 0; i < 60; ++i) {
        s += static_cast<unsigned short>(u'a' + i % 26);
        if (s.getCapacity() != capacities.back())
            capacities.push_back(s.getCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<unsigned int>{9, 17, 25, 37, 55, 82}));
    EXPECT_EQ(s.getLength(), 60u);
    EXPECT_EQ(s.at(59), u'a' + 59 % 26);
}

struct GrowthCase {
    char const* name;
    unsigned int start; // a capacity of the form 8k + 1, made by reserve(start - 2)
    unsigned int need;
    unsigned int expected;
};

// (need OR 7) + 2, unless a third of that is less than half the old capacity:
// then the old capacity grows by half.
GrowthCase const growthCases[] = {
    {"fits", 9, 9, 9},
    {"first step", 9, 10, 17},
    {"top of the first step", 9, 15, 17},
    {"next step", 9, 16, 25},
    {"large jump from the start", 9, 100, 105},
    {"from 17 by a step", 17, 18, 25},
    {"from 25 by half", 25, 26, 37},
    {"from 25 by half, largest need", 25, 31, 37},
    {"from 25 by a step, smallest need", 25, 32, 41},
    {"from 25 by a step", 25, 40, 49},
    {"from 97 by half", 97, 98, 145},
    {"from 97 by a step", 97, 200, 209},
};

TEST(StringGrowth, NewCapacityFollowsTheGrowthRule) {
    for (GrowthCase const& c : growthCases) {
        SCOPED_TRACE(c.name);
        TestAllocator alloc;
        String s(u(L"abc"), &alloc);
        if (c.start != 9)
            s.reserve(c.start - 2);
        ASSERT_EQ(s.getCapacity(), c.start);
        alloc.clearRequests();
        s.reserve(c.need);
        EXPECT_EQ(s.getCapacity(), c.expected);
        EXPECT_TRUE(hasText(s, u"abc"));
        if (c.expected != c.start) {
            EXPECT_EQ(alloc.requests(), std::vector<unsigned int>{bytesFor(c.expected)});
            EXPECT_EQ(alloc.liveBlocks(), 1u);
        } else {
            EXPECT_TRUE(alloc.requests().empty());
        }
    }
}

struct RetryCase {
    char const* name;
    wchar_t const* initial;
    unsigned int start;
    void (*grow)(String& s);
    unsigned int firstTry;
    unsigned int retry;
    char16_t const* expected;
};

// When the allocator refuses the computed capacity, growth asks once more for
// exactly the units needed.
RetryCase const retryCases[] = {
    {"reserve", L"abc", 9, [](String& s) { s.reserve(40); }, 49, 40, u"abc"},
    {"append one unit to a full buffer", L"abcdefghi", 9, [](String& s) { s.append(u'j', 1); }, 17,
     10, u"abcdefghij"},
    {"growth by half", L"abc", 25, [](String& s) { s.reserve(26); }, 37, 26, u"abc"},
    {"insert", L"abc", 9, [](String& s) { s.insert(1, u(L"0123456789")); }, 17, 13,
     u"a0123456789bc"},
};

TEST(StringGrowth, RefusedGrowthRetriesWithTheNeededSize) {
    for (RetryCase const& c : retryCases) {
        SCOPED_TRACE(c.name);
        TestAllocator alloc;
        String s(c.initial, &alloc);
        if (c.start != 9)
            s.reserve(c.start - 2);
        ASSERT_EQ(s.getCapacity(), c.start);
        alloc.clearRequests();
        alloc.failNext(1);
        c.grow(s);
        EXPECT_TRUE(hasText(s, c.expected));
        EXPECT_EQ(s.getCapacity(), c.retry);
        ASSERT_GE(alloc.requests().size(), 2u);
        std::vector<unsigned int> const& r = alloc.requests();
        EXPECT_EQ(r[r.size() - 2], bytesFor(c.firstTry));
        EXPECT_EQ(r.back(), bytesFor(c.retry));
        EXPECT_EQ(alloc.failures(), 1u);
        EXPECT_EQ(alloc.liveBlocks(), 1u);
    }
}

struct RefusedCase {
    char const* name;
    void (*op)(String& s);
};

// Every operation here needs a larger buffer (or, for narrow text, a
// conversion buffer) for "abcdefghi", which fills a capacity of 9.
RefusedCase const refusedCases[] = {
    {"append a unit", [](String& s) { s.append(u'x', 1); }},
    {"operator+= a unit", [](String& s) { s += u'x'; }},
    {"append units", [](String& s) { s.append(u(L"xy")); }},
    {"append a wide literal", [](String& s) { s.append(L"xy"); }},
    {"append a string", [](String& s) { s.append(String(L"xy")); }},
    {"append itself", [](String& s) { s.append(s); }},
    {"append its own units", [](String& s) { s.append(s.getCStr() + 2, 3); }},
    {"append narrow text", [](String& s) { s.append("xy"); }},
    {"insert a unit", [](String& s) { s.insert(2, u'x', 1); }},
    {"insert units", [](String& s) { s.insert(2, u(L"xy"), 2); }},
    {"insert itself", [](String& s) { s.insert(1, s); }},
    {"insert narrow text", [](String& s) { s.insert(2, "xy"); }},
    {"replace by units", [](String& s) { s.replace(1, 1, u(L"xyz"), 3); }},
    {"replace by copies", [](String& s) { s.replace(1, 1, 3, u'x'); }},
    {"replace by itself", [](String& s) { s.replace(1, 1, s); }},
    {"replace by narrow text", [](String& s) { s.replace(1, 1, "xyz"); }},
    {"assign copies", [](String& s) { s.assign(u'x', 10); }},
    {"assign units", [](String& s) { s.assign(u(L"0123456789")); }},
    {"assign a string", [](String& s) { s = String(L"0123456789"); }},
    {"assign short narrow text", [](String& s) { s.assign("xy"); }},
    {"reserve", [](String& s) { s.reserve(20); }},
    {"resize up", [](String& s) { s.resize(12, u'x'); }},
    {"shrink", [](String& s) { s.shrink(); }},
};

TEST(StringGrowth, RefusedAllocationLeavesTheStringAsItWas) {
    for (RefusedCase const& c : refusedCases) {
        SCOPED_TRACE(c.name);
        TestAllocator alloc;
        String s(u(L"abcdefghi"), &alloc);
        ASSERT_EQ(s.getCapacity(), 9u);
        Snapshot before(s);
        alloc.failAlways(true);
        EXPECT_THROW(c.op(s), OutOfMemoryException);
        alloc.failAlways(false);
        EXPECT_TRUE(before.matches(s));
        EXPECT_EQ(alloc.liveBlocks(), 1u);
        EXPECT_EQ(alloc.foreignFrees(), 0u);
    }
}

TEST(StringGrowth, GrowthTriesTwiceThenLetsTheAllocatorsExceptionThrough) {
    TestAllocator alloc;
    String s(u(L"abcdefghi"), &alloc);
    alloc.clearRequests();
    alloc.failAlways(true);
    EXPECT_THROW(s.append(u'x', 1), OutOfMemoryException);
    EXPECT_EQ(alloc.requests(), (std::vector<unsigned int>{bytesFor(17), bytesFor(10)}));
}

// Buffers close to the 32-bit limit: a request is either large enough for
// the capacity asked for or not made at all; sizes never wrap to small ones.
TEST(StringGrowth, HugeCapacitiesNeverWrapTheRequestSize) {
    unsigned int const sizes[] = {0x7FFFFFF0u, 0x7FFFFFFEu, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu};
    for (unsigned int n : sizes) {
        SCOPED_TRACE(n);
        TestAllocator alloc;
        alloc.failAbove(1u << 20);
        String s(u(L"abc"), &alloc);
        Snapshot before(s);
        alloc.clearRequests();
        EXPECT_THROW(s.reserve(n), OutOfMemoryException);
        EXPECT_TRUE(before.matches(s));
        unsigned long long needed = (static_cast<unsigned long long>(n) + 1) * 2;
        for (unsigned int r : alloc.requests())
            EXPECT_GE(r, needed) << "a request of " << r << " bytes";
    }
}

TEST(StringGrowth, HugeReserveOnTheDefaultAllocatorThrowsOutOfMemory) {
    String s(L"abcdef");
    Snapshot before(s);
    EXPECT_THROW(s.reserve(0x80000000u), OutOfMemoryException);
    EXPECT_TRUE(before.matches(s));
}

// Narrow text is converted into a temporary buffer of the string's own
// allocator, given back afterwards.
TEST(StringGrowth, NarrowTextBorrowsAConversionBufferFromTheString) {
    TestAllocator alloc;
    String s(&alloc);
    unsigned int before = alloc.mallocCalls();
    s.append("abc");
    EXPECT_GT(alloc.mallocCalls(), before);
    EXPECT_EQ(alloc.liveBlocks(), 1u);
    EXPECT_EQ(alloc.foreignFrees(), 0u);
    EXPECT_TRUE(hasText(s, u"abc"));
}

//===-- reserve, shrink, clear ---------------------------------------------===//

struct ReserveCase {
    char const* name;
    wchar_t const* initial;
    unsigned int first; // a reserve made beforehand (0: none)
    unsigned int n;
    unsigned int expected;
};

ReserveCase const reserveCases[] = {
    {"0 on an empty string", L"", 0, 0, 9},
    {"below the capacity", L"abc", 0, 5, 9},
    {"the capacity", L"abc", 0, 9, 9},
    {"the length", L"abcdefghijklmnopqrst", 0, 20, 25},
    {"below the length", L"abcdefghijklmnopqrst", 0, 10, 25},
    {"0 on a non-empty string", L"abcdefghijklmnopqrst", 0, 0, 25},
    {"above the capacity grows by the growth rule", L"abcdefghijklmnopqrst", 0, 30, 37},
    {"never shrinks", L"abc", 100, 50, 105},
};

TEST(StringStorage, ReserveOnlyEverGrows) {
    for (ReserveCase const& c : reserveCases) {
        SCOPED_TRACE(c.name);
        String s(c.initial);
        if (c.first != 0)
            s.reserve(c.first);
        std::u16string content = text(s);
        unsigned short const* buffer = s.getCStr();
        unsigned int capacity = s.getCapacity();
        String& result = s.reserve(c.n);
        EXPECT_EQ(&result, &s);
        EXPECT_EQ(s.getCapacity(), c.expected);
        EXPECT_TRUE(hasText(s, content));
        if (capacity == c.expected) {
            EXPECT_EQ(s.getCStr(), buffer);
        }
    }
}

struct ShrinkCase {
    char const* name;
    wchar_t const* initial;
    unsigned int reserved;
    unsigned int expected;
};

ShrinkCase const shrinkCases[] = {
    {"empty", L"", 50, 9},
    {"short", L"abc", 100, 9},
    {"twenty units", L"abcdefghijklmnopqrst", 200, 25},
    {"already tight", L"abcdefghijklmnopqrst", 0, 25},
};

TEST(StringStorage, ShrinkTakesTheCapacityOfAFreshCopy) {
    for (ShrinkCase const& c : shrinkCases) {
        SCOPED_TRACE(c.name);
        TestAllocator alloc;
        String s(c.initial, &alloc);
        if (c.reserved != 0)
            s.reserve(c.reserved);
        std::u16string content = text(s);
        String& result = s.shrink();
        EXPECT_EQ(&result, &s);
        EXPECT_EQ(s.getCapacity(), c.expected);
        EXPECT_TRUE(hasText(s, content));
        EXPECT_EQ(s.getAllocator(), &alloc);
        EXPECT_TRUE(alloc.owns(s.getCStr()));
        EXPECT_EQ(alloc.liveBlocks(), 1u);
    }
}

//===-- swap ---------------------------------------------------------------===//

TEST(StringStorage, SwapOnOneAllocatorExchangesTheBuffers) {
    TestAllocator alloc;
    String a(L"short", &alloc);
    String b(L"a rather longer text", &alloc);
    unsigned short const* bufferA = a.getCStr();
    unsigned short const* bufferB = b.getCStr();
    unsigned int capacityA = a.getCapacity();
    unsigned int capacityB = b.getCapacity();
    unsigned int mallocs = alloc.mallocCalls();
    a.swap(b);
    EXPECT_TRUE(hasText(a, u"a rather longer text"));
    EXPECT_TRUE(hasText(b, u"short"));
    EXPECT_EQ(a.getCStr(), bufferB);
    EXPECT_EQ(b.getCStr(), bufferA);
    EXPECT_EQ(a.getCapacity(), capacityB);
    EXPECT_EQ(b.getCapacity(), capacityA);
    EXPECT_EQ(alloc.mallocCalls(), mallocs);
}

TEST(StringStorage, SwapAcrossAllocatorsKeepsEachStringsAllocator) {
    TestAllocator allocA;
    TestAllocator allocB;
    {
        String a(L"short", &allocA);
        String b(L"a rather longer text", &allocB);
        a.swap(b);
        EXPECT_TRUE(hasText(a, u"a rather longer text"));
        EXPECT_TRUE(hasText(b, u"short"));
        EXPECT_EQ(a.getAllocator(), &allocA);
        EXPECT_EQ(b.getAllocator(), &allocB);
        EXPECT_TRUE(allocA.owns(a.getCStr()));
        EXPECT_TRUE(allocB.owns(b.getCStr()));
        EXPECT_EQ(allocA.liveBlocks(), 1u);
        EXPECT_EQ(allocB.liveBlocks(), 1u);
    }
    EXPECT_EQ(allocA.liveBlocks(), 0u);
    EXPECT_EQ(allocB.liveBlocks(), 0u);
    EXPECT_EQ(allocA.foreignFrees() + allocB.foreignFrees(), 0u);
}

TEST(StringStorage, SwapWithItselfChangesNothing) {
    String a(L"abc");
    Snapshot before(a);
    a.swap(a);
    EXPECT_TRUE(before.matches(a));
}

//===-- Element access and copy() ------------------------------------------===//

TEST(StringAccess, AtAndIndexReadAndWriteUnits) {
    String s(L"abc");
    String const& c = s;
    EXPECT_EQ(c.at(0), u'a');
    EXPECT_EQ(c[2], u'c');
    s.at(1) = u'X';
    s[2] = u'Y';
    EXPECT_TRUE(hasText(s, u"aXY"));
    EXPECT_EQ(c.at(1), u'X');
}

struct BoundsCase {
    char const* name;
    wchar_t const* initial;
    void (*op)(String& s);
};

BoundsCase const boundsCases[] = {
    {"const at(length)", L"abc", [](String& s) { static_cast<void>(std::as_const(s).at(3)); }},
    {"at(length)", L"abc", [](String& s) { s.at(3) = u'x'; }},
    {"const [length]", L"abc", [](String& s) { static_cast<void>(std::as_const(s)[3]); }},
    {"[length]", L"abc", [](String& s) { s[3] = u'x'; }},
    {"at(0) on an empty string", L"", [](String& s) { s.at(0) = u'x'; }},
    {"at(NO_POSITION)", L"abc", [](String& s) { static_cast<void>(std::as_const(s).at(NPOS)); }},
};

TEST(StringAccess, IndexesAtOrPastTheLengthThrow) {
    for (BoundsCase const& c : boundsCases) {
        SCOPED_TRACE(c.name);
        String s(c.initial);
        Snapshot before(s);
        try {
            c.op(s);
            ADD_FAILURE() << "nothing was thrown";
        } catch (OutOfRangeException const& e) {
            EXPECT_EQ(text(e.getMessage()), u"The index is out of range.");
        }
        EXPECT_TRUE(before.matches(s));
    }
}

struct CopyOutCase {
    char const* name;
    unsigned int n;
    unsigned int pos;
    unsigned int copied;
    char16_t const* units;
};

CopyOutCase const copyOutCases[] = {
    {"from the start", 3, 0, 3, u"abc"},
    {"from the middle", 3, 1, 3, u"bcd"},
    {"clipped at the end", 10, 4, 2, u"ef"},
    {"everything", NPOS, 0, 6, u"abcdef"},
    {"at the end", 5, 6, 0, u""},
    {"nothing", 0, 2, 0, u""},
};

TEST(StringAccess, CopyWritesUnitsWithoutATerminator) {
    String const s(L"abcdef");
    for (CopyOutCase const& c : copyOutCases) {
        SCOPED_TRACE(c.name);
        unsigned short dst[12];
        for (unsigned short& d : dst)
            d = u'#';
        EXPECT_EQ(s.copy(dst, c.n, c.pos), c.copied);
        EXPECT_EQ(std::u16string(reinterpret_cast<char16_t const*>(dst), c.copied), c.units);
        EXPECT_EQ(dst[c.copied], u'#');
    }
}

TEST(StringAccess, CopyFromPastTheEndThrows) {
    String const s(L"abcdef");
    unsigned short dst[4] = {u'#', u'#', u'#', u'#'};
    try {
        s.copy(dst, 2, 7);
        ADD_FAILURE() << "nothing was thrown";
    } catch (OutOfRangeException const& e) {
        EXPECT_EQ(text(e.getMessage()), u"The offset is out of range");
    }
    EXPECT_EQ(dst[0], u'#');
}

//===-- Narrow text ----------------------------------------------------------===//

// What the system makes of \p bytes in the ANSI code page.
std::u16string acp(std::string const& bytes) {
    int n =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(&out[0]), n);
    return out;
}

TEST(StringNarrow, EveryByteConvertsAsTheAnsiCodePage) {
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    String s(bytes.c_str());
    EXPECT_TRUE(hasText(s, acp(bytes)));
    String t(bytes.data(), static_cast<unsigned int>(bytes.size()));
    EXPECT_TRUE(hasText(t, acp(bytes)));
}

struct Cp1252Case {
    char const* name;
    char const* bytes;
    char16_t const* expected;
};

Cp1252Case const cp1252Cases[] = {
    {"e acute", "\xE9", u"\u00E9"},
    {"euro sign", "\x80", u"\u20AC"},
    {"y diaeresis in the 0x80 block", "\x9F", u"\u0178"},
    {"no-break space", "\xA0", u"\u00A0"},
    {"last byte", "\xFF", u"\u00FF"},
    {"mixed with ASCII", "caf\xE9 \x80", u"caf\u00E9 \u20AC"},
};

TEST(StringNarrow, WesternCodePageMapsTheHighBytes) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
    for (Cp1252Case const& c : cp1252Cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(hasText(String(c.bytes), c.expected));
    }
}

struct NarrowEntryCase {
    char const* name;
    String& (*edit)(String& s, char const* p, unsigned int n);
    // The result from "<>" and the converted text t.
    std::u16string (*expected)(std::u16string const& t);
};

NarrowEntryCase const narrowEntryCases[] = {
    {"assign(p)", [](String& s, char const* p, unsigned int) -> String& { return s.assign(p); },
     [](std::u16string const& t) { return t; }},
    {"assign(p, n)",
     [](String& s, char const* p, unsigned int n) -> String& { return s.assign(p, n); },
     [](std::u16string const& t) { return t; }},
    {"operator=", [](String& s, char const* p, unsigned int) -> String& { return s = p; },
     [](std::u16string const& t) { return t; }},
    {"append(p)", [](String& s, char const* p, unsigned int) -> String& { return s.append(p); },
     [](std::u16string const& t) { return u"<>" + t; }},
    {"append(p, n)",
     [](String& s, char const* p, unsigned int n) -> String& { return s.append(p, n); },
     [](std::u16string const& t) { return u"<>" + t; }},
    {"operator+=", [](String& s, char const* p, unsigned int) -> String& { return s += p; },
     [](std::u16string const& t) { return u"<>" + t; }},
    {"operator<<", [](String& s, char const* p, unsigned int) -> String& { return s << p; },
     [](std::u16string const& t) { return u"<>" + t; }},
    {"insert(pos, p)",
     [](String& s, char const* p, unsigned int) -> String& { return s.insert(1, p); },
     [](std::u16string const& t) { return u"<" + t + u">"; }},
    {"insert(pos, p, n)",
     [](String& s, char const* p, unsigned int n) -> String& { return s.insert(1, p, n); },
     [](std::u16string const& t) { return u"<" + t + u">"; }},
    {"replace(pos, n, p)",
     [](String& s, char const* p, unsigned int) -> String& { return s.replace(1, 1, p); },
     [](std::u16string const& t) { return u"<" + t; }},
};

TEST(StringNarrow, EveryNarrowFormConvertsThroughTheAnsiCodePage) {
    std::string const bytes = "\x80 caf\xE9 \xA9";
    std::u16string const converted = acp(bytes);
    ASSERT_EQ(converted.size(), bytes.size());
    for (NarrowEntryCase const& c : narrowEntryCases) {
        SCOPED_TRACE(c.name);
        String s(L"<>");
        String& result = c.edit(s, bytes.c_str(), static_cast<unsigned int>(bytes.size()));
        EXPECT_EQ(&result, &s);
        EXPECT_TRUE(hasText(s, c.expected(converted)));
    }
    EXPECT_TRUE(hasText(String(bytes.c_str()), converted));
    EXPECT_TRUE(hasText(String(bytes.c_str(), 1u), converted.substr(0, 1)));
}

} // namespace
