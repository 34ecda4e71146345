#include "wux/system/SharedLibraryException.h"

namespace cpp {
namespace system {
using cpp::lang::Exception;
using cpp::lang::String;

SharedLibraryException::SharedLibraryException() : lang::Exception() {}

SharedLibraryException::SharedLibraryException(String const& msg) : lang::Exception(msg, 0) {}

SharedLibraryException::SharedLibraryException(SharedLibraryException const& other) = default;

SharedLibraryException&
SharedLibraryException::operator=(SharedLibraryException const& other) = default;

SharedLibraryException::~SharedLibraryException() = default;

Exception* SharedLibraryException::clone() const {
    return new SharedLibraryException(*this);
}

} // namespace system
} // namespace cpp
