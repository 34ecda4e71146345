//===- wux/net/SocketException.h --------------------------------*- C++ -*-===//
//
// A Windows Sockets failure.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_NET_SOCKETEXCEPTION_H
#define WUX_NET_SOCKETEXCEPTION_H

#include "wux/io/IOException.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace net {

class WUX_API SocketException : public io::IOException {
public:
    /// The message "Socket exception thrown.".
    SocketException();
    /// Message and error id.
    SocketException(lang::String const& msg, int errorId);
    /// Message loaded by id, error id.
    SocketException(lang::IResourceLoader* loader, unsigned int id, int errorId);
    /// Message loaded by key, error id.
    SocketException(lang::IResourceLoader* loader, lang::String const& key, int errorId);
    SocketException(SocketException const& other);
    SocketException& operator=(SocketException const& other);
    ~SocketException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace net
} // namespace cpp

#endif // WUX_NET_SOCKETEXCEPTION_H
