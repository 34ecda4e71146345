#include "wux/lang/NotImplementedException.h"

namespace cpp {
namespace lang {

NotImplementedException::NotImplementedException()
    : Exception(String("The method or operation is not implemented."), 0) {}

NotImplementedException::NotImplementedException(String const& msg) : Exception(msg, 0) {}

NotImplementedException::NotImplementedException(String const& msg, Exception const* cause)
    : Exception(msg, cause) {}

NotImplementedException::NotImplementedException(NotImplementedException const& other) = default;

NotImplementedException&
NotImplementedException::operator=(NotImplementedException const& other) = default;

NotImplementedException::~NotImplementedException() = default;

Exception* NotImplementedException::clone() const {
    return new NotImplementedException(*this);
}

} // namespace lang
} // namespace cpp
