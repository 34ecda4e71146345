//===- wux/security/CryptoException.h ---------------------------*- C++ -*-===//
//
// A cryptographic failure.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SECURITY_CRYPTOEXCEPTION_H
#define WUX_SECURITY_CRYPTOEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace security {

class WUX_API CryptoException : public lang::Exception {
public:
    /// The message "Cryptography exception was thrown.".
    CryptoException();
    /// Message.
    explicit CryptoException(lang::String const& msg);
    /// Message loaded by id.
    CryptoException(lang::IResourceLoader* loader, unsigned int id);
    /// Message loaded by key.
    CryptoException(lang::IResourceLoader* loader, lang::String const& key);
    CryptoException(CryptoException const& other);
    CryptoException& operator=(CryptoException const& other);
    ~CryptoException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace security
} // namespace cpp

#endif // WUX_SECURITY_CRYPTOEXCEPTION_H
