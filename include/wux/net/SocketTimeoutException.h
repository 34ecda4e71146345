//===- wux/net/SocketTimeoutException.h -------------------------*- C++ -*-===//
//
// A socket operation that timed out.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_NET_SOCKETTIMEOUTEXCEPTION_H
#define WUX_NET_SOCKETTIMEOUTEXCEPTION_H

#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/net/SocketException.h"

namespace cpp {
namespace net {

class WUX_API SocketTimeoutException : public SocketException {
public:
    /// The message "Time out".
    SocketTimeoutException();
    /// Message.
    explicit SocketTimeoutException(lang::String const& msg);
    /// Message loaded by id.
    SocketTimeoutException(lang::IResourceLoader* loader, unsigned int id);
    /// Message loaded by key.
    SocketTimeoutException(lang::IResourceLoader* loader, lang::String const& key);
    SocketTimeoutException(SocketTimeoutException const& other);
    SocketTimeoutException& operator=(SocketTimeoutException const& other);
    ~SocketTimeoutException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace net
} // namespace cpp

#endif // WUX_NET_SOCKETTIMEOUTEXCEPTION_H
