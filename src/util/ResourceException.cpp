#include "wux/util/ResourceException.h"

namespace cpp {
namespace util {
using cpp::lang::Exception;
using cpp::lang::String;

ResourceException::ResourceException()
    : lang::Exception(String("Resource exception occurred."), 0) {}

ResourceException::ResourceException(String const& msg) : lang::Exception(msg, 0) {}

ResourceException::ResourceException(String const& msg, int errorId)
    : lang::Exception(msg, errorId) {}

ResourceException::ResourceException(ResourceException const& other) = default;

ResourceException& ResourceException::operator=(ResourceException const& other) = default;

ResourceException::~ResourceException() = default;

Exception* ResourceException::clone() const {
    return new ResourceException(*this);
}

} // namespace util
} // namespace cpp
