#include "wux/security/SecurityException.h"

namespace cpp {
namespace security {
using cpp::lang::Exception;
using cpp::lang::String;

SecurityException::SecurityException()
    : lang::Exception(String("Security exception occurred."), 0) {}

SecurityException::SecurityException(String const& msg) : lang::Exception(msg, 0) {}

SecurityException::SecurityException(String const& msg, int errorId)
    : lang::Exception(msg, errorId) {}

SecurityException::SecurityException(SecurityException const& other) = default;

SecurityException& SecurityException::operator=(SecurityException const& other) = default;

SecurityException::~SecurityException() = default;

Exception* SecurityException::clone() const {
    return new SecurityException(*this);
}

} // namespace security
} // namespace cpp
