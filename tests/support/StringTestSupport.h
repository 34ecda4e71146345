//===- StringTestSupport.h - Helpers of the String tests --------*- C++ -*-===//
//
// A String's units as std::u16string (for readable comparisons and failure
// output), wide literals as unit pointers, and a check that an operation
// throws ArgumentException with a given message and argument name.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TESTS_STRINGTESTSUPPORT_H
#define WUX_TESTS_STRINGTESTSUPPORT_H

#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <string>

namespace wuxtest {

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::String;

inline std::u16string text(String const& s) {
    return std::u16string(reinterpret_cast<char16_t const*>(s.getCStr()), s.getLength());
}

inline unsigned short const* u(wchar_t const* p) {
    return reinterpret_cast<unsigned short const*>(p);
}

// Runs \p op and checks that it throws ArgumentException with \p message and
// the argument name \p argument.
template <class Op>
inline ::testing::AssertionResult throwsArgument(Op op, std::u16string const& message,
                                                 std::u16string const& argument) {
    try {
        op();
    } catch (ArgumentException const& e) {
        if (text(e.Exception::getMessage()) != message)
            return ::testing::AssertionFailure()
                   << "message " << ::testing::PrintToString(text(e.Exception::getMessage()));
        if (text(e.getArgumentName()) != argument)
            return ::testing::AssertionFailure()
                   << "argument name " << ::testing::PrintToString(text(e.getArgumentName()));
        return ::testing::AssertionSuccess();
    } catch (Exception const& e) {
        return ::testing::AssertionFailure()
               << "threw another exception: " << ::testing::PrintToString(text(e.getMessage()));
    }
    return ::testing::AssertionFailure() << "nothing was thrown";
}

} // namespace wuxtest

#endif
