#include "wux/lang/OutOfRangeException.h"

namespace cpp {
namespace lang {

OutOfRangeException::OutOfRangeException() : Exception(String("Out of range."), 0) {}

OutOfRangeException::OutOfRangeException(String const& msg) : Exception(msg, 0) {}

OutOfRangeException::OutOfRangeException(IResourceLoader* loader, unsigned int id)
    : Exception(loader, id, 0) {}

OutOfRangeException::OutOfRangeException(OutOfRangeException const& other) = default;

OutOfRangeException& OutOfRangeException::operator=(OutOfRangeException const& other) = default;

OutOfRangeException::~OutOfRangeException() = default;

Exception* OutOfRangeException::clone() const {
    return new OutOfRangeException(*this);
}

} // namespace lang
} // namespace cpp
