#include "wux/lang/OutOfMemoryException.h"

namespace cpp {
namespace lang {

OutOfMemoryException::OutOfMemoryException() : Exception() {
    setErrorId(static_cast<int>(0x8007000Eu));
}

OutOfMemoryException::OutOfMemoryException(OutOfMemoryException const& other) = default;

OutOfMemoryException& OutOfMemoryException::operator=(OutOfMemoryException const& other) = default;

OutOfMemoryException::~OutOfMemoryException() = default;

Exception* OutOfMemoryException::clone() const {
    return new OutOfMemoryException(*this);
}

} // namespace lang
} // namespace cpp
