//===- wux/system/mt/LockException.h ----------------------------*- C++ -*-===//
//
// A lock that could not be taken or released.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SYSTEM_MT_LOCKEXCEPTION_H
#define WUX_SYSTEM_MT_LOCKEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace system {
namespace mt {

class WUX_API LockException : public lang::Exception {
public:
    /// The message "Lock exception.".
    LockException();
    /// Message.
    explicit LockException(lang::String const& msg);
    /// Message and error id.
    LockException(lang::String const& msg, int errorId);
    /// Message loaded by id, error id.
    LockException(lang::IResourceLoader* loader, unsigned int id, int errorId);
    /// Message loaded by key, error id.
    LockException(lang::IResourceLoader* loader, lang::String const& key, int errorId);
    LockException(LockException const& other);
    LockException& operator=(LockException const& other);
    ~LockException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace mt
} // namespace system
} // namespace cpp

#endif // WUX_SYSTEM_MT_LOCKEXCEPTION_H
