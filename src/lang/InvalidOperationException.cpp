#include "wux/lang/InvalidOperationException.h"

namespace cpp {
namespace lang {

InvalidOperationException::InvalidOperationException()
    : Exception(String("Invalid operation exception."), 0) {}

InvalidOperationException::InvalidOperationException(String const& msg) : Exception(msg, 0) {}

InvalidOperationException::InvalidOperationException(String const& msg, Exception const* cause)
    : Exception(msg, cause) {}

InvalidOperationException::InvalidOperationException(IResourceLoader* loader, unsigned int id)
    : Exception(loader, id, 0) {}

InvalidOperationException::InvalidOperationException(IResourceLoader* loader, String const& key)
    : Exception(loader, key, 0) {}

InvalidOperationException::InvalidOperationException(InvalidOperationException const& other) =
    default;

InvalidOperationException&
InvalidOperationException::operator=(InvalidOperationException const& other) = default;

InvalidOperationException::~InvalidOperationException() = default;

Exception* InvalidOperationException::clone() const {
    return new InvalidOperationException(*this);
}

} // namespace lang
} // namespace cpp
