#include "wux/net/SocketException.h"

namespace cpp {
namespace net {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

SocketException::SocketException() : io::IOException(String("Socket exception thrown."), 0) {}

SocketException::SocketException(String const& msg, int errorId) : io::IOException(msg, errorId) {}

SocketException::SocketException(IResourceLoader* loader, unsigned int id, int errorId)
    : io::IOException(loader, id, errorId) {}

SocketException::SocketException(IResourceLoader* loader, String const& key, int errorId)
    : io::IOException(loader, key, errorId) {}

SocketException::SocketException(SocketException const& other) = default;

SocketException& SocketException::operator=(SocketException const& other) = default;

SocketException::~SocketException() = default;

Exception* SocketException::clone() const {
    return new SocketException(*this);
}

} // namespace net
} // namespace cpp
