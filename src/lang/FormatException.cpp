#include "wux/lang/FormatException.h"

namespace cpp {
namespace lang {

FormatException::FormatException() : Exception(String("Invalid format."), 0) {}

FormatException::FormatException(String const& msg, int errorId) : Exception(msg, errorId) {}

FormatException::FormatException(String const& msg, Exception const* cause)
    : Exception(msg, cause) {}

FormatException::FormatException(FormatException const& other) = default;

FormatException& FormatException::operator=(FormatException const& other) = default;

FormatException::~FormatException() = default;

Exception* FormatException::clone() const {
    return new FormatException(*this);
}

} // namespace lang
} // namespace cpp
