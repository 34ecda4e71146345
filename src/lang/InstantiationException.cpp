#include "wux/lang/InstantiationException.h"

namespace cpp {
namespace lang {

InstantiationException::InstantiationException() : Exception() {}

InstantiationException::InstantiationException(String const& msg) : Exception(msg, 0) {}

InstantiationException::InstantiationException(String const& msg, Exception const* cause)
    : Exception(msg, cause) {}

InstantiationException::InstantiationException(InstantiationException const& other) = default;

InstantiationException&
InstantiationException::operator=(InstantiationException const& other) = default;

InstantiationException::~InstantiationException() = default;

Exception* InstantiationException::clone() const {
    return new InstantiationException(*this);
}

} // namespace lang
} // namespace cpp
