// Array::copy: bounded copies of 0-terminated narrow and wide texts.

#include "wux/lang/Array.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

using cpp::lang::ArgumentException;
using cpp::lang::Array;
using cpp::lang::String;

namespace {

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

// The same cases run on char and on 16-bit units.
template <typename T> class ArrayCopy : public ::testing::Test {
protected:
    // A text of T from ASCII.
    static std::basic_string<T> units(char const* ascii) {
        std::basic_string<T> s;
        for (char const* p = ascii; *p != 0; ++p)
            s += static_cast<T>(*p);
        return s;
    }

    static std::basic_string<T> filled(std::size_t n) { return std::basic_string<T>(n, T('#')); }
};

using UnitTypes = ::testing::Types<char, unsigned short>;
TYPED_TEST_SUITE(ArrayCopy, UnitTypes);

TYPED_TEST(ArrayCopy, ShortSourceIsCopiedAndTerminated) {
    auto dst = this->filled(8);
    auto const src = this->units("abc");
    Array::copy(&dst[0], src.c_str(), 8);
    EXPECT_EQ(dst, this->units("abc") + TypeParam(0) + this->units("###") + TypeParam(0));
}

TYPED_TEST(ArrayCopy, LongSourceIsCutToNMinusOne) {
    auto dst = this->filled(8);
    auto const src = this->units("wux.config");
    Array::copy(&dst[0], src.c_str(), 8);
    EXPECT_EQ(dst, this->units("wux.con") + TypeParam(0));
}

TYPED_TEST(ArrayCopy, SourceThatFillsExactlyNMinusOne) {
    auto dst = this->filled(4);
    auto const src = this->units("abc");
    Array::copy(&dst[0], src.c_str(), 4);
    EXPECT_EQ(dst, this->units("abc") + TypeParam(0));
}

TYPED_TEST(ArrayCopy, NOfOneOnlyTerminates) {
    auto dst = this->filled(3);
    auto const src = this->units("abc");
    Array::copy(&dst[0], src.c_str(), 1);
    EXPECT_EQ(dst, TypeParam(0) + this->units("##"));
}

TYPED_TEST(ArrayCopy, EmptySource) {
    auto dst = this->filled(4);
    TypeParam const src[1] = {0};
    Array::copy(&dst[0], src, 4);
    EXPECT_EQ(dst, TypeParam(0) + this->units("##") + TypeParam(0));
}

TYPED_TEST(ArrayCopy, NothingAfterTheSourceTerminatorIsCopied) {
    // "ab", its terminator, then stale data: only "ab" belongs to the text.
    TypeParam const src[] = {'a', 'b', 0, 'X', 'Y', 'Z', 'W', 0};
    auto dst = this->filled(7);
    Array::copy(&dst[0], src, 7);
    EXPECT_EQ(dst, this->units("ab") + TypeParam(0) + this->units("###") + TypeParam(0));
}

TYPED_TEST(ArrayCopy, NeverReadsPastTheSourceTerminator) {
    // The source ends right at the end of a readable page; the next page is
    // inaccessible, so any read beyond the terminator faults.
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    DWORD const page = info.dwPageSize;
    auto* base = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(base, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(base + page, page, PAGE_NOACCESS, &old));

    auto* src = reinterpret_cast<TypeParam*>(base + page) - 3;
    src[0] = 'h';
    src[1] = 'i';
    src[2] = 0;
    auto dst = this->filled(64);
    Array::copy(&dst[0], src, 64);
    EXPECT_EQ(dst.substr(0, 3), this->units("hi") + TypeParam(0));
    EXPECT_EQ(dst[63], TypeParam(0));

    VirtualFree(base, 0, MEM_RELEASE);
}

struct BadArguments {
    char const* name;
    bool nullDst;
    bool nullSrc;
    int n;
    char const* message;
};

BadArguments const BAD_ARGUMENTS[] = {
    {"NullDestination", true, false, 4, "The destination pointer is null."},
    {"NullSource", false, true, 4, "The source pointer is null."},
    {"ZeroLength", false, false, 0, "The source length is null."},
    {"NegativeLength", false, false, -1, "The source length is null."},
    // The destination is checked first, then the source, then the length.
    {"AllBad", true, true, 0, "The destination pointer is null."},
    {"NullSourceAndZeroLength", false, true, 0, "The source pointer is null."},
};

TYPED_TEST(ArrayCopy, BadArgumentsThrowAndWriteNothing) {
    for (BadArguments const& k : BAD_ARGUMENTS) {
        SCOPED_TRACE(k.name);
        auto dst = this->filled(4);
        auto const src = this->units("abc");
        try {
            Array::copy(k.nullDst ? nullptr : &dst[0], k.nullSrc ? nullptr : src.c_str(), k.n);
            ADD_FAILURE() << "no ArgumentException";
        } catch (ArgumentException const& e) {
            EXPECT_EQ(text(e.getArgumentName()), L"ptr");
            EXPECT_EQ(text(e.toString()), std::wstring(k.message, k.message + strlen(k.message)));
        }
        EXPECT_EQ(dst, this->filled(4));
    }
}

} // namespace
