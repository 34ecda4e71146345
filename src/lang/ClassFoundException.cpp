#include "wux/lang/ClassFoundException.h"

namespace cpp {
namespace lang {

ClassFoundException::ClassFoundException() : Exception() {}

ClassFoundException::ClassFoundException(String const& msg) : Exception(msg, 0) {}

ClassFoundException::ClassFoundException(ClassFoundException const& other) = default;

ClassFoundException& ClassFoundException::operator=(ClassFoundException const& other) = default;

ClassFoundException::~ClassFoundException() = default;

Exception* ClassFoundException::clone() const {
    return new ClassFoundException(*this);
}

} // namespace lang
} // namespace cpp
