// Editing a String: assign, append, insert, remove, replace and resize in all
// their forms, their failures (exact class, message and argument name, and the
// string left as it was), sources that lie inside the edited string itself,
// and counts that would make the length wrap around 32 bits.
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/OutOfRangeException.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::OutOfMemoryException;
using cpp::lang::OutOfRangeException;
using cpp::lang::String;

unsigned int const NPOS = String::NO_POSITION;
// A unit typed as the String interface takes it: operator<< of a char16_t
// would pick the int overload (number text) by promotion.
unsigned short const Q = u'Q';

std::u16string text(String const& s) {
    return std::u16string(reinterpret_cast<char16_t const*>(s.getCStr()), s.getLength());
}

unsigned short const* u(wchar_t const* p) {
    return reinterpret_cast<unsigned short const*>(p);
}

// The content, its terminator and the length agree with \p expected.
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

// Everything a failed operation must leave as it was.
struct Snapshot {
    explicit Snapshot(String const& s)
        : content(text(s)), length(s.getLength()), capacity(s.getCapacity()), buffer(s.getCStr()) {}

    ::testing::AssertionResult matches(String const& s) const {
        if (text(s) != content || s.getLength() != length)
            return ::testing::AssertionFailure()
                   << "content changed to " << ::testing::PrintToString(text(s)) << " from "
                   << ::testing::PrintToString(content);
        if (s.getCapacity() != capacity || s.getCStr() != buffer)
            return ::testing::AssertionFailure()
                   << "buffer changed: capacity " << capacity << " -> " << s.getCapacity();
        if (s.getCStr()[length] != 0)
            return ::testing::AssertionFailure() << "terminator lost";
        return ::testing::AssertionSuccess();
    }

    std::u16string content;
    unsigned int length;
    unsigned int capacity;
    unsigned short const* buffer;
};

enum class Fault { Range, Argument, Memory };

// Runs \p op and checks that it throws exactly the expected exception: the
// class, the stored message, the argument name and (for ArgumentException)
// the composed getMessage() "Argument <name>: <message>".
template <class Op>
::testing::AssertionResult throwsFault(Op op, Fault fault, std::u16string const& message,
                                       std::u16string const& argument) {
    try {
        op();
    } catch (OutOfRangeException const& e) {
        if (fault != Fault::Range)
            return ::testing::AssertionFailure() << "threw OutOfRangeException";
        if (text(e.getMessage()) != message)
            return ::testing::AssertionFailure()
                   << "message " << ::testing::PrintToString(text(e.getMessage()));
        return ::testing::AssertionSuccess();
    } catch (ArgumentException const& e) {
        if (fault != Fault::Argument)
            return ::testing::AssertionFailure()
                   << "threw ArgumentException "
                   << ::testing::PrintToString(text(e.Exception::getMessage()));
        if (text(e.Exception::getMessage()) != message)
            return ::testing::AssertionFailure()
                   << "message " << ::testing::PrintToString(text(e.Exception::getMessage()));
        if (text(e.getArgumentName()) != argument)
            return ::testing::AssertionFailure()
                   << "argument name " << ::testing::PrintToString(text(e.getArgumentName()));
        std::u16string composed =
            argument.empty() ? message : u"Argument " + argument + u": " + message;
        if (text(e.getMessage()) != composed)
            return ::testing::AssertionFailure()
                   << "getMessage() " << ::testing::PrintToString(text(e.getMessage()));
        return ::testing::AssertionSuccess();
    } catch (OutOfMemoryException const&) {
        if (fault != Fault::Memory)
            return ::testing::AssertionFailure() << "threw OutOfMemoryException";
        return ::testing::AssertionSuccess();
    } catch (Exception const& e) {
        return ::testing::AssertionFailure()
               << "threw another Exception: " << ::testing::PrintToString(text(e.toString()));
    }
    return ::testing::AssertionFailure() << "nothing was thrown";
}

//===-- Successful edits ---------------------------------------------------===//

struct EditCase {
    char const* name;
    wchar_t const* initial;
    String& (*edit)(String&);
    char16_t const* expected;
};

EditCase const editCases[] = {
    // assign
    {"assign part of another string", L"abcdef",
     [](String& s) -> String& { return s.assign(String(L"WXYZ"), 1, 2); }, u"XY"},
    {"assign clips the count to the source", L"abcdef",
     [](String& s) -> String& { return s.assign(String(L"WXYZ"), 2, NPOS); }, u"YZ"},
    {"assign from the source's end empties", L"abcdef",
     [](String& s) -> String& { return s.assign(String(L"WXYZ"), 4, 3); }, u""},
    {"assign a whole string", L"abcdef",
     [](String& s) -> String& { return s.assign(String(L"WXYZ")); }, u"WXYZ"},
    {"operator= String", L"abcdef", [](String& s) -> String& { return s = String(L"WX"); }, u"WX"},
    {"assign units with a count", L"abcdef",
     [](String& s) -> String& { return s.assign(u(L"WXYZ"), 3); }, u"WXY"},
    {"assign units with count 0 empties", L"abcdef",
     [](String& s) -> String& { return s.assign(u(L"WXYZ"), 0); }, u""},
    {"assign terminated units", L"abcdef",
     [](String& s) -> String& { return s.assign(u(L"WXYZ")); }, u"WXYZ"},
    {"operator= units", L"abcdef", [](String& s) -> String& { return s = u(L"WX"); }, u"WX"},
    {"operator= wide literal", L"abcdef", [](String& s) -> String& { return s = L"WX"; }, u"WX"},
    {"assign wide literal", L"abcdef", [](String& s) -> String& { return s.assign(L"W"); }, u"W"},
    {"assign narrow bytes with a count", L"abcdef",
     [](String& s) -> String& { return s.assign("wxyz", 2); }, u"wx"},
    {"assign narrow bytes with count 0 empties", L"abcdef",
     [](String& s) -> String& { return s.assign("wxyz", 0); }, u""},
    {"assign terminated narrow text", L"abcdef",
     [](String& s) -> String& { return s.assign("wxyz"); }, u"wxyz"},
    {"operator= narrow text", L"abcdef", [](String& s) -> String& { return s = "wx"; }, u"wx"},
    {"assign copies of a unit", L"abcdef", [](String& s) -> String& { return s.assign(u'Q', 3); },
     u"QQQ"},
    {"assign 0 copies empties", L"abcdef", [](String& s) -> String& { return s.assign(u'Q', 0); },
     u""},
    {"assign many copies grows", L"ab", [](String& s) -> String& { return s.assign(u'Q', 12); },
     u"QQQQQQQQQQQQ"},
    {"operator= unit", L"abcdef", [](String& s) -> String& { return s = u'Q'; }, u"Q"},

    // append
    {"append part of another string", L"abc",
     [](String& s) -> String& { return s.append(String(L"WXYZ"), 1, 2); }, u"abcXY"},
    {"append clips the count", L"abc",
     [](String& s) -> String& { return s.append(String(L"WXYZ"), 1, NPOS); }, u"abcXYZ"},
    {"append from the source's end changes nothing", L"abc",
     [](String& s) -> String& { return s.append(String(L"WXYZ"), 4, 3); }, u"abc"},
    {"append a whole string", L"abc",
     [](String& s) -> String& { return s.append(String(L"WXYZ")); }, u"abcWXYZ"},
    {"append an empty string", L"abc", [](String& s) -> String& { return s.append(String()); },
     u"abc"},
    {"operator+= String", L"abc", [](String& s) -> String& { return s += String(L"WX"); },
     u"abcWX"},
    {"operator<< String", L"abc", [](String& s) -> String& { return s << String(L"WX"); },
     u"abcWX"},
    {"append units with a count", L"abc",
     [](String& s) -> String& { return s.append(u(L"WXYZ"), 2); }, u"abcWX"},
    {"append 0 units changes nothing", L"abc",
     [](String& s) -> String& { return s.append(u(L"WXYZ"), 0); }, u"abc"},
    {"append terminated units", L"abc", [](String& s) -> String& { return s.append(u(L"WXYZ")); },
     u"abcWXYZ"},
    {"operator+= units", L"abc", [](String& s) -> String& { return s += u(L"WX"); }, u"abcWX"},
    {"operator<< units", L"abc", [](String& s) -> String& { return s << u(L"WX"); }, u"abcWX"},
    {"append wide literal", L"abc", [](String& s) -> String& { return s.append(L"WX"); }, u"abcWX"},
    {"operator+= wide literal", L"abc", [](String& s) -> String& { return s += L"WX"; }, u"abcWX"},
    {"operator<< wide literal", L"abc", [](String& s) -> String& { return s << L"WX"; }, u"abcWX"},
    {"append narrow bytes with a count", L"abc",
     [](String& s) -> String& { return s.append("wxyz", 3); }, u"abcwxy"},
    {"append 0 narrow bytes changes nothing", L"abc",
     [](String& s) -> String& { return s.append("wxyz", 0); }, u"abc"},
    {"append terminated narrow text", L"abc", [](String& s) -> String& { return s.append("wx"); },
     u"abcwx"},
    {"operator+= narrow text", L"abc", [](String& s) -> String& { return s += "wx"; }, u"abcwx"},
    {"operator<< narrow text", L"abc", [](String& s) -> String& { return s << "wx"; }, u"abcwx"},
    {"append copies of a unit", L"abc", [](String& s) -> String& { return s.append(u'Q', 3); },
     u"abcQQQ"},
    {"append 0 copies changes nothing", L"abc",
     [](String& s) -> String& { return s.append(u'Q', 0); }, u"abc"},
    {"operator+= unit", L"abc", [](String& s) -> String& { return s += u'Q'; }, u"abcQ"},
    {"operator<< unit", L"abc", [](String& s) -> String& { return s << Q; }, u"abcQ"},
    {"operator<< chains on the same string", L"a",
     [](String& s) -> String& { return s << "b" << Q << L"d" << String(L"e"); }, u"abQde"},
    {"append past the first growth step", L"abcdefgh",
     [](String& s) -> String& { return s.append(L"ijklmnopqrstuvwxyz"); },
     u"abcdefghijklmnopqrstuvwxyz"},

    // insert
    {"insert a string at the front", L"abc",
     [](String& s) -> String& { return s.insert(0, String(L"XY")); }, u"XYabc"},
    {"insert a string in the middle", L"abc",
     [](String& s) -> String& { return s.insert(1, String(L"XY")); }, u"aXYbc"},
    {"insert a string at the end", L"abc",
     [](String& s) -> String& { return s.insert(3, String(L"XY")); }, u"abcXY"},
    {"insert part of a string", L"abc",
     [](String& s) -> String& { return s.insert(1, String(L"WXYZ"), 1, 2); }, u"aXYbc"},
    {"insert clips the count", L"abc",
     [](String& s) -> String& { return s.insert(1, String(L"WXYZ"), 2, NPOS); }, u"aYZbc"},
    {"insert from the source's end changes nothing", L"abc",
     [](String& s) -> String& { return s.insert(1, String(L"WXYZ"), 4, 2); }, u"abc"},
    {"insert units with a count", L"abc",
     [](String& s) -> String& { return s.insert(2, u(L"WXYZ"), 2); }, u"abWXc"},
    {"insert 0 units changes nothing", L"abc",
     [](String& s) -> String& { return s.insert(2, u(L"WXYZ"), 0); }, u"abc"},
    {"insert terminated units", L"abc", [](String& s) -> String& { return s.insert(2, u(L"WX")); },
     u"abWXc"},
    {"insert narrow bytes with a count", L"abc",
     [](String& s) -> String& { return s.insert(1, "wxyz", 2); }, u"awxbc"},
    {"insert 0 narrow bytes changes nothing", L"abc",
     [](String& s) -> String& { return s.insert(1, "wxyz", 0); }, u"abc"},
    {"insert terminated narrow text", L"abc",
     [](String& s) -> String& { return s.insert(0, "wx"); }, u"wxabc"},
    {"insert copies of a unit", L"abc", [](String& s) -> String& { return s.insert(1, u'Q', 3); },
     u"aQQQbc"},
    {"insert 0 copies changes nothing", L"abc",
     [](String& s) -> String& { return s.insert(1, u'Q', 0); }, u"abc"},
    {"insert copies at the end", L"abc", [](String& s) -> String& { return s.insert(3, u'Q', 2); },
     u"abcQQ"},
    {"insert that grows the buffer", L"abcdefgh",
     [](String& s) -> String& { return s.insert(4, u'-', 10); }, u"abcd----------efgh"},

    // remove
    {"remove in the middle", L"abcdef", [](String& s) -> String& { return s.remove(1, 2); },
     u"adef"},
    {"remove to the end by default", L"abcdef", [](String& s) -> String& { return s.remove(2); },
     u"ab"},
    {"remove clips the count", L"abcdef", [](String& s) -> String& { return s.remove(4, 100); },
     u"abcd"},
    {"remove everything", L"abcdef", [](String& s) -> String& { return s.remove(0, NPOS); }, u""},
    {"remove at the length is a no-op", L"abcdef",
     [](String& s) -> String& { return s.remove(6, 5); }, u"abcdef"},
    {"remove 0 units", L"abcdef", [](String& s) -> String& { return s.remove(2, 0); }, u"abcdef"},

    // replace
    {"replace by part of a string", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, String(L"WXYZ"), 1, 3); }, u"aXYZdef"},
    {"replace clips both counts", L"abcdef",
     [](String& s) -> String& { return s.replace(4, NPOS, String(L"WXYZ"), 2, NPOS); }, u"abcdYZ"},
    {"replace by a whole string", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 4, String(L"XY")); }, u"aXYf"},
    {"replace at the length appends", L"abcdef",
     [](String& s) -> String& { return s.replace(6, 3, String(L"XY")); }, u"abcdefXY"},
    {"replace by an empty range removes", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, String(L"WXYZ"), 4, 3); }, u"adef"},
    {"replace by units with a count", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, u(L"WXYZ"), 3); }, u"aWXYdef"},
    {"replace by 0 units removes", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, u(L"WXYZ"), 0); }, u"adef"},
    {"replace nothing by nothing", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 0, u(L"WXYZ"), 0); }, u"abcdef"},
    {"replace by terminated units", L"abcdef",
     [](String& s) -> String& { return s.replace(0, 1, u(L"WXYZ")); }, u"WXYZbcdef"},
    {"replace by copies of a unit", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, 4, u'Q'); }, u"aQQQQdef"},
    {"replace by 0 copies removes", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, 0u, u'Q'); }, u"adef"},
    {"replace copies clip the count", L"abcdef",
     [](String& s) -> String& { return s.replace(4, NPOS, 1, u'Q'); }, u"abcdQ"},
    {"replace by narrow text takes the position form", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, "XYZ"); }, u"aXYZdef"},
    {"replace by a wide literal takes the position form", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, L"XYZ"); }, u"aXYZdef"},
    {"replace a range by a longer text that grows the buffer", L"abcdefgh",
     [](String& s) -> String& { return s.replace(2, 1, String(L"0123456789")); },
     u"ab0123456789defgh"},

    // replace(from, to, all)
    {"replace the first unit only", L"abcabc",
     [](String& s) -> String& { return s.replace(u'b', u'X', false); }, u"aXcabc"},
    {"replace every unit", L"abcabc",
     [](String& s) -> String& { return s.replace(u'b', u'X', true); }, u"aXcaXc"},
    {"replace a unit by itself", L"abcabc",
     [](String& s) -> String& { return s.replace(u'b', u'b', true); }, u"abcabc"},
    {"replace an absent unit", L"abcabc",
     [](String& s) -> String& { return s.replace(u'z', u'X', true); }, u"abcabc"},

    // resize and clear
    {"resize up with a unit", L"abc", [](String& s) -> String& { return s.resize(6, u'.'); },
     u"abc..."},
    {"resize down cuts", L"abcdef", [](String& s) -> String& { return s.resize(2); }, u"ab"},
    {"resize to the length changes nothing", L"abc",
     [](String& s) -> String& { return s.resize(3, u'.'); }, u"abc"},
    {"resize to 0 empties", L"abc", [](String& s) -> String& { return s.resize(0); }, u""},
    {"clear", L"abcdef", [](String& s) -> String& { return s.clear(); }, u""},
};

TEST(StringEdit, EveryFormEditsAndReturnsTheString) {
    for (EditCase const& c : editCases) {
        SCOPED_TRACE(c.name);
        String s(c.initial);
        String& result = c.edit(s);
        EXPECT_EQ(&result, &s);
        EXPECT_TRUE(hasText(s, c.expected));
    }
}

// Counted forms copy 0 units like any other; resize pads with 0 by default.
// (Kept out of the table, whose expected texts end at their first 0.)
TEST(StringEdit, ZeroUnitsAreOrdinaryContent) {
    String s(L"abc");
    s.assign(u(L"W\0Y"), 3);
    EXPECT_TRUE(hasText(s, std::u16string(u"W\0Y", 3)));
    s.assign("w\0y", 3);
    EXPECT_TRUE(hasText(s, std::u16string(u"w\0y", 3)));
    s.assign(L"abc");
    s.replace(u'b', 0, true);
    EXPECT_TRUE(hasText(s, std::u16string(u"a\0c", 3)));
    s.assign(L"abc");
    s.resize(5);
    EXPECT_TRUE(hasText(s, std::u16string(u"abc\0\0", 5)));
}

TEST(StringEdit, ClearKeepsTheCapacity) {
    String s(L"abcdefghijklmnopqrst");
    unsigned int capacity = s.getCapacity();
    s.clear();
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(s.getCapacity(), capacity);
    EXPECT_EQ(s.getCStr()[0], 0);
}

TEST(StringEdit, RemoveAndCuttingKeepTheBuffer) {
    String s(L"abcdefghijklmnopqrst");
    unsigned short const* buffer = s.getCStr();
    unsigned int capacity = s.getCapacity();
    s.remove(3, 5);
    s.resize(4);
    s.replace(1, 2, u(L"Z"), 1);
    EXPECT_TRUE(hasText(s, u"aZi"));
    EXPECT_EQ(s.getCStr(), buffer);
    EXPECT_EQ(s.getCapacity(), capacity);
}

//===-- Failures -----------------------------------------------------------===//

struct FailCase {
    char const* name;
    wchar_t const* initial;
    void (*op)(String&);
    Fault fault;
    char16_t const* message;
    char16_t const* argument;
};

unsigned short const* const nullUnits = nullptr;
char const* const nullBytes = nullptr;
char16_t const* const offsetDot = u"The offset is out of range.";
char16_t const* const offsetNoDot = u"The offset is out of range";
char16_t const* const sourceNull = u"The source pointer is null.";
char16_t const* const numberTooLong = u"the number of string is too long.";

// All on strings of 6 units; 0xFFFFFFFE more units would make the length wrap.
FailCase const failCases[] = {
    // offsets
    {"assign from beyond the source", L"abcdef", [](String& s) { s.assign(String(L"WX"), 3, 1); },
     Fault::Range, offsetDot, u""},
    {"assign from beyond itself", L"abcdef", [](String& s) { s.assign(s, 7, 1); }, Fault::Range,
     offsetDot, u""},
    {"append from beyond the source", L"abcdef", [](String& s) { s.append(String(L"WX"), 3, 1); },
     Fault::Range, offsetDot, u""},
    {"append from beyond the source with count 0", L"abcdef",
     [](String& s) { s.append(String(L"WX"), 3, 0); }, Fault::Range, offsetDot, u""},
    {"insert a string beyond the end", L"abcdef", [](String& s) { s.insert(7, String(L"WX")); },
     Fault::Range, offsetNoDot, u""},
    {"insert from beyond the source", L"abcdef",
     [](String& s) { s.insert(0, String(L"WX"), 3, 1); }, Fault::Range, offsetNoDot, u""},
    {"insert units beyond the end", L"abcdef", [](String& s) { s.insert(7, u(L"WX"), 2); },
     Fault::Range, offsetNoDot, u""},
    {"insert 0 units beyond the end", L"abcdef", [](String& s) { s.insert(7, u(L"WX"), 0); },
     Fault::Range, offsetNoDot, u""},
    {"insert terminated units beyond the end", L"abcdef", [](String& s) { s.insert(7, u(L"WX")); },
     Fault::Range, offsetNoDot, u""},
    {"insert narrow bytes beyond the end", L"abcdef", [](String& s) { s.insert(7, "wx", 2); },
     Fault::Range, offsetNoDot, u""},
    {"insert narrow text beyond the end", L"abcdef", [](String& s) { s.insert(7, "wx"); },
     Fault::Range, offsetNoDot, u""},
    {"insert copies beyond the end", L"abcdef", [](String& s) { s.insert(7, u'Q', 2); },
     Fault::Range, offsetNoDot, u""},
    {"remove beyond the end", L"abcdef", [](String& s) { s.remove(7, 0); }, Fault::Range, offsetDot,
     u""},
    {"replace beyond the end", L"abcdef", [](String& s) { s.replace(7, 0, String(L"WX"), 0, 1); },
     Fault::Range, offsetDot, u""},
    {"replace from beyond the source", L"abcdef",
     [](String& s) { s.replace(0, 1, String(L"WX"), 3, 1); }, Fault::Range, offsetDot, u""},
    {"replace by units beyond the end", L"abcdef", [](String& s) { s.replace(7, 1, u(L"WX"), 2); },
     Fault::Range, offsetDot, u""},
    {"replace by copies beyond the end", L"abcdef", [](String& s) { s.replace(7, 1, 2, u'Q'); },
     Fault::Range, offsetDot, u""},
    {"replace by narrow text beyond the end", L"abcdef", [](String& s) { s.replace(7, 1, "wx"); },
     Fault::Range, offsetDot, u""},

    // counts
    {"assign NO_POSITION units", L"abcdef", [](String& s) { s.assign(u(L"WX"), NPOS); },
     Fault::Argument, numberTooLong, u"num"},
    {"assign NO_POSITION copies", L"abcdef", [](String& s) { s.assign(u'Q', NPOS); },
     Fault::Argument, u"count is too long.", u"count"},
    {"append NO_POSITION copies", L"abcdef", [](String& s) { s.append(u'Q', NPOS); },
     Fault::Argument, u"count is too long", u""},
    {"append copies that would wrap the length", L"abcdef",
     [](String& s) { s.append(u'Q', 0xFFFFFFFAu); }, Fault::Argument, u"count is too long", u""},
    {"append units that would wrap the length", L"abcdef",
     [](String& s) { s.append(u(L"WX"), 0xFFFFFFFAu); }, Fault::Argument, u"count is too long.",
     u""},
    {"append units that would reach the limit", L"abcdef",
     [](String& s) { s.append(u(L"WX"), 0xFFFFFFF9u); }, Fault::Argument, u"count is too long.",
     u""},
    {"insert copies that would wrap the length", L"abcdef",
     [](String& s) { s.insert(2, u'Q', 0xFFFFFFFEu); }, Fault::Argument, u"the count is too long",
     u""},
    {"insert units that would wrap the length", L"abcdef",
     [](String& s) { s.insert(2, u(L"WX"), 0xFFFFFFFEu); }, Fault::Argument,
     u"the count is too long", u""},
    {"replace by units that would wrap the length", L"abcdef",
     [](String& s) { s.replace(2, 0, u(L"WX"), 0xFFFFFFFEu); }, Fault::Argument, numberTooLong,
     u"number"},
    {"replace by copies that would reach the limit", L"abcdef",
     [](String& s) { s.replace(2, 1, 0xFFFFFFFAu, u'Q'); }, Fault::Argument, numberTooLong,
     u"number"},
    {"reserve NO_POSITION", L"abcdef", [](String& s) { s.reserve(NPOS); }, Fault::Argument,
     u"new size is too long.", u""},

    // null sources
    {"assign null units", L"abcdef", [](String& s) { s.assign(nullUnits); }, Fault::Argument,
     sourceNull, u"ptr"},
    {"operator= null units", L"abcdef", [](String& s) { s = nullUnits; }, Fault::Argument,
     sourceNull, u"ptr"},
    {"assign null narrow text", L"abcdef", [](String& s) { s.assign(nullBytes); }, Fault::Argument,
     sourceNull, u"ptr"},
    {"operator= null narrow text", L"abcdef", [](String& s) { s = nullBytes; }, Fault::Argument,
     sourceNull, u"ptr"},
    {"assign null units with a count", L"abcdef", [](String& s) { s.assign(nullUnits, 2); },
     Fault::Argument, sourceNull, u"ptr"},
    {"assign null narrow bytes with a count", L"abcdef", [](String& s) { s.assign(nullBytes, 2); },
     Fault::Argument, sourceNull, u"ptr"},
    {"append null units with a count", L"abcdef", [](String& s) { s.append(nullUnits, 2); },
     Fault::Argument, sourceNull, u"ptr"},
    {"append null narrow bytes with a count", L"abcdef", [](String& s) { s.append(nullBytes, 2); },
     Fault::Argument, sourceNull, u"ptr"},
    {"append null units", L"abcdef", [](String& s) { s.append(nullUnits); }, Fault::Argument,
     sourceNull, u"ptr"},
    {"operator+= null narrow text", L"abcdef", [](String& s) { s += nullBytes; }, Fault::Argument,
     sourceNull, u"ptr"},
    {"insert null units with a count", L"abcdef", [](String& s) { s.insert(1, nullUnits, 2); },
     Fault::Argument, sourceNull, u"ptr"},
    {"insert null narrow bytes with a count", L"abcdef",
     [](String& s) { s.insert(1, nullBytes, 2); }, Fault::Argument, sourceNull, u"ptr"},
    {"insert null units", L"abcdef", [](String& s) { s.insert(1, nullUnits); }, Fault::Argument,
     sourceNull, u"ptr"},
    {"insert null narrow text", L"abcdef", [](String& s) { s.insert(1, nullBytes); },
     Fault::Argument, sourceNull, u"ptr"},
    {"replace by null units with a count", L"abcdef",
     [](String& s) { s.replace(1, 2, nullUnits, 2); }, Fault::Argument, sourceNull, u"ptr"},
    {"replace by null units", L"abcdef", [](String& s) { s.replace(1, 2, nullUnits); },
     Fault::Argument, sourceNull, u"ptr"},
    {"replace by null narrow text", L"abcdef", [](String& s) { s.replace(1, 2, nullBytes); },
     Fault::Argument, sourceNull, u"ptr"},

    // the allocator cannot give a buffer this large
    {"reserve 0x80000000 units", L"abcdef", [](String& s) { s.reserve(0x80000000u); },
     Fault::Memory, u"", u""},
    {"reserve 0x7FFFFFFF units", L"abcdef", [](String& s) { s.reserve(0x7FFFFFFFu); },
     Fault::Memory, u"", u""},
    {"reserve 0xFFFFFFFE units", L"abcdef", [](String& s) { s.reserve(0xFFFFFFFEu); },
     Fault::Memory, u"", u""},
    {"append 0x80000000 copies", L"abcdef", [](String& s) { s.append(u'Q', 0x80000000u); },
     Fault::Memory, u"", u""},
    {"replace everything by 0xFFFFFFFE copies", L"abcdef",
     [](String& s) { s.replace(0, NPOS, 0xFFFFFFFEu, u'Q'); }, Fault::Memory, u"", u""},
};

TEST(StringEdit, FailuresThrowTheExactErrorAndChangeNothing) {
    for (FailCase const& c : failCases) {
        SCOPED_TRACE(c.name);
        String s(c.initial);
        Snapshot before(s);
        EXPECT_TRUE(throwsFault([&] { c.op(s); }, c.fault, c.message, c.argument));
        EXPECT_TRUE(before.matches(s));
    }
}

TEST(StringEdit, FailuresOnAnEmptyStringChangeNothing) {
    String s;
    Snapshot before(s);
    EXPECT_TRUE(
        throwsFault([&] { s.append(u'Q', NPOS); }, Fault::Argument, u"count is too long", u""));
    EXPECT_TRUE(throwsFault([&] { s.insert(0, u'Q', NPOS); }, Fault::Argument,
                            u"the count is too long", u""));
    EXPECT_TRUE(throwsFault([&] { s.append(u(L"WX"), NPOS); }, Fault::Argument,
                            u"count is too long.", u""));
    EXPECT_TRUE(throwsFault([&] { s.remove(1, 0); }, Fault::Range, offsetDot, u""));
    EXPECT_TRUE(before.matches(s));
}

// A null source with nothing to read is no error.
TEST(StringEdit, NullSourcesWithCountZeroAreAccepted) {
    String s(L"abcd");
    EXPECT_NO_THROW(s.append(nullUnits, 0));
    EXPECT_NO_THROW(s.append(nullBytes, 0));
    EXPECT_NO_THROW(s.insert(1, nullUnits, 0));
    EXPECT_NO_THROW(s.insert(1, nullBytes, 0));
    EXPECT_NO_THROW(s.replace(1, 0, nullUnits, 0));
    EXPECT_TRUE(hasText(s, u"abcd"));
    EXPECT_NO_THROW(s.replace(0, 2, nullUnits, 0));
    EXPECT_TRUE(hasText(s, u"cd"));
    EXPECT_NO_THROW(s.assign(nullBytes, 0));
    EXPECT_TRUE(hasText(s, u""));
    s.assign(L"cd");
    EXPECT_NO_THROW(s.assign(nullUnits, 0));
    EXPECT_TRUE(hasText(s, u""));
}

//===-- Sources inside the edited string ----------------------------------===//

struct SelfCase {
    char const* name;
    wchar_t const* initial;
    String& (*edit)(String&);
    char16_t const* expected;
};

// "abcdefghi" fills a fresh buffer (capacity 9): every edit that lengthens it
// must reallocate while it still reads its source from the old buffer.
SelfCase const selfCases[] = {
    {"append itself", L"abc", [](String& s) -> String& { return s.append(s); }, u"abcabc"},
    {"append itself while growing", L"abcdefghi", [](String& s) -> String& { return s.append(s); },
     u"abcdefghiabcdefghi"},
    {"operator+= itself", L"ab", [](String& s) -> String& { return s += s; }, u"abab"},
    {"append part of itself", L"abcdefghi", [](String& s) -> String& { return s.append(s, 2, 3); },
     u"abcdefghicde"},
    {"append units of its own buffer", L"abcdefghi",
     [](String& s) -> String& { return s.append(s.getCStr() + 1, 2); }, u"abcdefghibc"},
    {"append its own terminated units", L"abcdefghi",
     [](String& s) -> String& { return s.append(s.getCStr() + 6); }, u"abcdefghighi"},
    {"insert itself", L"xy", [](String& s) -> String& { return s.insert(1, s); }, u"xxyy"},
    {"insert itself while growing", L"abcdefghi",
     [](String& s) -> String& { return s.insert(4, s); }, u"abcdabcdefghiefghi"},
    {"insert part of itself before the part", L"abcdefghi",
     [](String& s) -> String& { return s.insert(1, s, 5, 3); }, u"afghbcdefghi"},
    {"insert part of itself after the part", L"abcdefghi",
     [](String& s) -> String& { return s.insert(7, s, 1, 3); }, u"abcdefgbcdhi"},
    {"insert part of itself around the position", L"abcdefghi",
     [](String& s) -> String& { return s.insert(4, s, 2, 4); }, u"abcdcdefefghi"},
    {"insert units of its own buffer", L"abcdefghi",
     [](String& s) -> String& { return s.insert(3, s.getCStr() + 2, 4); }, u"abccdefdefghi"},
    {"insert its own terminated units", L"xy",
     [](String& s) -> String& { return s.insert(1, s.getCStr()); }, u"xxyy"},
    {"assign part of itself", L"abcd", [](String& s) -> String& { return s.assign(s, 1, 2); },
     u"bc"},
    {"assign itself", L"abcd", [](String& s) -> String& { return s.assign(s); }, u"abcd"},
    {"operator= itself", L"abcd",
     [](String& s) -> String& {
         String& self = s;
         return s = self;
     },
     u"abcd"},
    {"assign units of its own buffer", L"abcdef",
     [](String& s) -> String& { return s.assign(s.getCStr() + 2, 3); }, u"cde"},
    {"assign its own terminated units", L"abcdef",
     [](String& s) -> String& { return s.assign(s.getCStr() + 4); }, u"ef"},
    {"replace by a longer part overlapping the range", L"abcdef",
     [](String& s) -> String& { return s.replace(1, 2, s, 0, 6); }, u"aabcdefdef"},
    {"replace by a longer part overlapping the range while growing", L"abcdefghi",
     [](String& s) -> String& { return s.replace(2, 2, s, 1, 6); }, u"abbcdefgefghi"},
    {"replace by a longer part after the range", L"abcdefghi",
     [](String& s) -> String& { return s.replace(1, 1, s, 5, 4); }, u"afghicdefghi"},
    {"replace by a longer part before the range", L"abcdefghi",
     [](String& s) -> String& { return s.replace(6, 1, s, 0, 4); }, u"abcdefabcdhi"},
    {"replace by a shorter part after the range", L"abcdefghi",
     [](String& s) -> String& { return s.replace(0, 4, s, 5, 2); }, u"fgefghi"},
    {"replace by a shorter part overlapping the range", L"abcdefghi",
     [](String& s) -> String& { return s.replace(1, 5, s, 3, 2); }, u"adeghi"},
    {"replace by a shorter part before the range", L"abcdefghi",
     [](String& s) -> String& { return s.replace(5, 4, s, 1, 2); }, u"abcdebc"},
    {"replace by the whole of itself", L"abcd",
     [](String& s) -> String& { return s.replace(1, 1, s); }, u"aabcdcd"},
    {"replace by units of its own buffer while growing", L"abcdefghi",
     [](String& s) -> String& { return s.replace(1, 2, s.getCStr() + 3, 5); }, u"adefghdefghi"},
    {"replace by its own units while shrinking", L"abcdefghi",
     [](String& s) -> String& { return s.replace(2, 5, s.getCStr() + 4, 2); }, u"abefhi"},
    {"replace by its own terminated units", L"abcd",
     [](String& s) -> String& { return s.replace(0, 1, s.getCStr() + 2); }, u"cdbcd"},
};

TEST(StringEdit, SourcesInsideTheStringReadTheOriginalContent) {
    for (SelfCase const& c : selfCases) {
        SCOPED_TRACE(c.name);
        String s(c.initial);
        String& result = c.edit(s);
        EXPECT_EQ(&result, &s);
        EXPECT_TRUE(hasText(s, c.expected));
    }
}

// Every position and count of an edit whose source is the string itself,
// against a model built on std::u16string, both when the edit must reallocate
// (the 8 units sit in a buffer of capacity 9) and when it fits in place.
struct SelfModelCase {
    char const* name;
    // Applies the edit; \p pos and \p n name the edited range, \p spos and
    // \p sn the source range inside the string.
    void (*edit)(String& s, unsigned int pos, unsigned int n, unsigned int spos, unsigned int sn);
    // The expected result from the old content.
    std::u16string (*model)(std::u16string const& old, unsigned int pos, unsigned int n,
                            unsigned int spos, unsigned int sn);
    // Pointer forms can only name a source inside the content.
    bool pointer;
};

std::u16string::size_type clip(unsigned int n, std::u16string::size_type room) {
    return n < room ? n : room;
}

std::u16string modelReplace(std::u16string const& old, unsigned int pos, unsigned int n,
                            unsigned int spos, unsigned int sn) {
    return old.substr(0, pos) + old.substr(spos, clip(sn, old.size() - spos)) +
           old.substr(pos + clip(n, old.size() - pos));
}

std::u16string modelInsert(std::u16string const& old, unsigned int pos, unsigned int,
                           unsigned int spos, unsigned int sn) {
    return old.substr(0, pos) + old.substr(spos, clip(sn, old.size() - spos)) + old.substr(pos);
}

std::u16string modelAppend(std::u16string const& old, unsigned int, unsigned int, unsigned int spos,
                           unsigned int sn) {
    return old + old.substr(spos, clip(sn, old.size() - spos));
}

std::u16string modelAssign(std::u16string const& old, unsigned int, unsigned int, unsigned int spos,
                           unsigned int sn) {
    return old.substr(spos, clip(sn, old.size() - spos));
}

SelfModelCase const selfModelCases[] = {
    {"replace(pos, n, s, spos, sn)",
     [](String& s, unsigned int pos, unsigned int n, unsigned int spos, unsigned int sn) {
         s.replace(pos, n, s, spos, sn);
     },
     modelReplace, false},
    {"replace(pos, n, p, pn)",
     [](String& s, unsigned int pos, unsigned int n, unsigned int spos, unsigned int sn) {
         s.replace(pos, n, s.getCStr() + spos, sn);
     },
     modelReplace, true},
    {"insert(pos, s, spos, n)",
     [](String& s, unsigned int pos, unsigned int, unsigned int spos, unsigned int sn) {
         s.insert(pos, s, spos, sn);
     },
     modelInsert, false},
    {"insert(pos, p, n)",
     [](String& s, unsigned int pos, unsigned int, unsigned int spos, unsigned int sn) {
         s.insert(pos, s.getCStr() + spos, sn);
     },
     modelInsert, true},
    {"append(s, pos, n)",
     [](String& s, unsigned int, unsigned int, unsigned int spos, unsigned int sn) {
         s.append(s, spos, sn);
     },
     modelAppend, false},
    {"append(p, n)",
     [](String& s, unsigned int, unsigned int, unsigned int spos, unsigned int sn) {
         s.append(s.getCStr() + spos, sn);
     },
     modelAppend, true},
    {"assign(s, pos, n)",
     [](String& s, unsigned int, unsigned int, unsigned int spos, unsigned int sn) {
         s.assign(s, spos, sn);
     },
     modelAssign, false},
    {"assign(p, n)",
     [](String& s, unsigned int, unsigned int, unsigned int spos, unsigned int sn) {
         s.assign(s.getCStr() + spos, sn);
     },
     modelAssign, true},
};

TEST(StringEdit, SelfSourcedEditsMatchAModelForEveryRange) {
    std::u16string const old = u"abcdefgh";
    unsigned int const length = 8;
    for (SelfModelCase const& c : selfModelCases) {
        for (bool roomy : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (roomy ? ", in place" : ", reallocating"));
            int mismatches = 0;
            unsigned int spanEnd = c.pointer ? length - 1 : length;
            for (unsigned int pos = 0; pos <= length; ++pos)
                for (unsigned int n = 0; n <= length + 1; ++n)
                    for (unsigned int spos = 0; spos <= spanEnd; ++spos)
                        for (unsigned int sn = 0; sn <= length + 1; ++sn) {
                            String s(L"abcdefgh");
                            if (roomy)
                                s.reserve(40);
                            c.edit(s, pos, n, spos, sn);
                            std::u16string expected = c.model(old, pos, n, spos, sn);
                            ::testing::AssertionResult r = hasText(s, expected);
                            if (!r && ++mismatches <= 5)
                                ADD_FAILURE() << "pos " << pos << " n " << n << " spos " << spos
                                              << " sn " << sn << ": " << r.message();
                        }
            EXPECT_EQ(mismatches, 0);
        }
    }
}

} // namespace
