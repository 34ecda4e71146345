#include "wux/io/DirectoryNotFoundException.h"

namespace cpp {
namespace io {
using cpp::lang::Exception;
using cpp::lang::String;

DirectoryNotFoundException::DirectoryNotFoundException()
    : IOException(String("The speicified directory cannot be found."), 0) {}

DirectoryNotFoundException::DirectoryNotFoundException(String const& msg) : IOException(msg, 0) {}

DirectoryNotFoundException::DirectoryNotFoundException(String const& msg, int errorId)
    : IOException(msg, errorId) {}

DirectoryNotFoundException::DirectoryNotFoundException(DirectoryNotFoundException const& other) =
    default;

DirectoryNotFoundException&
DirectoryNotFoundException::operator=(DirectoryNotFoundException const& other) = default;

DirectoryNotFoundException::~DirectoryNotFoundException() = default;

Exception* DirectoryNotFoundException::clone() const {
    return new DirectoryNotFoundException(*this);
}

} // namespace io
} // namespace cpp
