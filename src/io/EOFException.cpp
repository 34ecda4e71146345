#include "wux/io/EOFException.h"

namespace cpp {
namespace io {
using cpp::lang::Exception;
using cpp::lang::String;

EOFException::EOFException() : IOException(String("Have reached the end of file."), 0) {}

EOFException::EOFException(String const& msg) : IOException(msg, 0) {}

EOFException::EOFException(EOFException const& other) = default;

EOFException& EOFException::operator=(EOFException const& other) = default;

EOFException::~EOFException() = default;

Exception* EOFException::clone() const {
    return new EOFException(*this);
}

} // namespace io
} // namespace cpp
