#include "wux/net/SocketTimeoutException.h"

namespace cpp {
namespace net {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

SocketTimeoutException::SocketTimeoutException() : SocketException(String("Time out"), 0) {}

SocketTimeoutException::SocketTimeoutException(String const& msg) : SocketException(msg, 0) {}

SocketTimeoutException::SocketTimeoutException(IResourceLoader* loader, unsigned int id)
    : SocketException(loader, id, 0) {}

SocketTimeoutException::SocketTimeoutException(IResourceLoader* loader, String const& key)
    : SocketException(loader, key, 0) {}

SocketTimeoutException::SocketTimeoutException(SocketTimeoutException const& other) = default;

SocketTimeoutException&
SocketTimeoutException::operator=(SocketTimeoutException const& other) = default;

SocketTimeoutException::~SocketTimeoutException() = default;

Exception* SocketTimeoutException::clone() const {
    return new SocketTimeoutException(*this);
}

} // namespace net
} // namespace cpp
