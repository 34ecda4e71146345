//===- wux/security/SecurityException.h -------------------------*- C++ -*-===//
//
// A security failure.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SECURITY_SECURITYEXCEPTION_H
#define WUX_SECURITY_SECURITYEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace security {

class WUX_API SecurityException : public lang::Exception {
public:
    /// The message "Security exception occurred.".
    SecurityException();
    /// Message.
    explicit SecurityException(lang::String const& msg);
    /// Message and error id.
    SecurityException(lang::String const& msg, int errorId);
    SecurityException(SecurityException const& other);
    SecurityException& operator=(SecurityException const& other);
    ~SecurityException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace security
} // namespace cpp

#endif // WUX_SECURITY_SECURITYEXCEPTION_H
