//===- wux/lang/FormatException.h -------------------------------*- C++ -*-===//
//
// A text could not be parsed or formatted.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_FORMATEXCEPTION_H
#define WUX_LANG_FORMATEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API FormatException : public Exception {
public:
    /// The message "Invalid format.".
    FormatException();
    /// Message and error id.
    FormatException(String const& msg, int errorId);
    /// Message and cause (error id from the cause).
    FormatException(String const& msg, Exception const* cause);
    FormatException(FormatException const& other);
    FormatException& operator=(FormatException const& other);
    ~FormatException() override;

protected:
    Exception* clone() const override;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_FORMATEXCEPTION_H
