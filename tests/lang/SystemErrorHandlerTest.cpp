// SystemErrorHandler: the singleton's life cycle and the texts it gives for
// error ids. The expected texts are asked from FormatMessageW at run time,
// since every system (and Wine) words them differently.
#include "wux/lang/SystemErrorHandler.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/String.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using cpp::lang::OutOfMemoryException;
using cpp::lang::String;
using cpp::lang::SystemErrorHandler;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

// The system's message for \p id exactly as FormatMessageW gives it; false
// when the system has none.
bool rawSystemText(DWORD id, std::wstring& out) {
    wchar_t* buffer = nullptr;
    DWORD count = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                 nullptr, id, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                 reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (buffer == nullptr)
        return false;
    out.assign(buffer, count);
    LocalFree(buffer);
    return true;
}

bool isLineEnd(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

// The system's message for \p id without its line end (at most two units);
// empty when there is none.
std::wstring systemText(DWORD id) {
    std::wstring s;
    if (!rawSystemText(id, s))
        return s;
    for (int i = 0; i < 2 && !s.empty() && isLineEnd(s.back()); ++i)
        s.pop_back();
    return s;
}

TEST(SystemErrorHandler, SingletonLifeCycle) {
    SystemErrorHandler* first = SystemErrorHandler::getInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(SystemErrorHandler::getInstance(), first);

    SystemErrorHandler::delInstance();
    SystemErrorHandler* second = SystemErrorHandler::getInstance();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(SystemErrorHandler::getInstance(), second);
    EXPECT_EQ(text(second->getProviderName()), L"System");
    EXPECT_EQ(text(second->toString(String("p:"), 2)), L"p:" + systemText(2));

    // Deleting twice in a row is harmless.
    SystemErrorHandler::delInstance();
    SystemErrorHandler::delInstance();
    EXPECT_NE(SystemErrorHandler::getInstance(), nullptr);
}

TEST(SystemErrorHandler, PrefixFollowedByTheSystemTextWithoutItsLineEnd) {
    std::wstring raw;
    ASSERT_TRUE(rawSystemText(2, raw)) << "the system has a text for error 2";
    std::wstring stripped = systemText(2);
    ASSERT_FALSE(stripped.empty());
    ASSERT_FALSE(isLineEnd(stripped.back()));

    SystemErrorHandler* handler = SystemErrorHandler::getInstance();
    struct {
        char const* name;
        String prefix;
        DWORD id;
    } const cases[] = {
        {"file not found, with a prefix", String("Open failed: "), 2},
        {"file not found, empty prefix", String(), 2},
        {"access denied", String("x"), 5},
        {"out of memory (an HRESULT)", String("y"), 0x8007000Eu},
    };
    for (auto const& c : cases) {
        String result = handler->toString(c.prefix, static_cast<int>(c.id));
        EXPECT_EQ(text(result), text(c.prefix) + systemText(c.id)) << c.name;
        EXPECT_TRUE(result.isEmpty() || !isLineEnd(result.getWCStr()[result.getLength() - 1]))
            << c.name;
    }
}

TEST(SystemErrorHandler, IdWithoutSystemTextGivesThePrefix) {
    std::wstring ignored;
    ASSERT_FALSE(rawSystemText(0x2FFFFFFFu, ignored))
        << "expected an id the system has no text for";
    SystemErrorHandler* handler = SystemErrorHandler::getInstance();
    EXPECT_EQ(text(handler->toString(String("prefix"), 0x2FFFFFFF)), L"prefix");
    EXPECT_EQ(text(handler->toString(String(), 0x2FFFFFFF)), L"");
    EXPECT_EQ(text(handler->toString(0x2FFFFFFF)), L"");
}

TEST(SystemErrorHandler, IdOnlyFormHasAnEmptyPrefix) {
    SystemErrorHandler* handler = SystemErrorHandler::getInstance();
    for (int id : {2, 5, 0x2FFFFFFF}) {
        EXPECT_EQ(text(handler->toString(id)), text(handler->toString(String::EMPTY, id)))
            << "id " << id;
        EXPECT_EQ(text(handler->toString(id)), systemText(static_cast<DWORD>(id))) << "id " << id;
    }
}

// 12003 is WinINet's extended error: its text is the server's last response,
// which the thread has none of here. Wine's InternetGetLastResponseInfoW
// returns an empty text anyway, so all that can be checked is that the
// prefix comes back first and nothing is thrown.
TEST(SystemErrorHandler, InternetExtendedErrorStartsWithThePrefix) {
    String result;
    ASSERT_NO_THROW(result = SystemErrorHandler::getInstance()->toString(String("net: "), 12003));
    EXPECT_EQ(text(result).substr(0, 5), L"net: ");
}

// An empty message followed by the system text of E_OUTOFMEMORY in
// parentheses (just "()" on a system without such a text).
TEST(SystemErrorHandler, OutOfMemoryExceptionText) {
    std::wstring expected = L"(" + systemText(0x8007000Eu) + L")";
    EXPECT_EQ(text(OutOfMemoryException().toString(nullptr)), expected);
}

} // namespace
