//===- wux/system/SystemException.h -----------------------------*- C++ -*-===//
//
// An operating-system failure.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SYSTEM_SYSTEMEXCEPTION_H
#define WUX_SYSTEM_SYSTEMEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace system {

class WUX_API SystemException : public lang::Exception {
public:
    /// The message "System exception occurred.".
    SystemException();
    /// Message.
    explicit SystemException(lang::String const& msg);
    /// Message and error id.
    SystemException(lang::String const& msg, int errorId);
    /// Message loaded by id, error id.
    SystemException(lang::IResourceLoader* loader, unsigned int id, int errorId);
    /// Message loaded by key, error id.
    SystemException(lang::IResourceLoader* loader, lang::String const& key, int errorId);
    SystemException(SystemException const& other);
    SystemException& operator=(SystemException const& other);
    ~SystemException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace system
} // namespace cpp

#endif // WUX_SYSTEM_SYSTEMEXCEPTION_H
