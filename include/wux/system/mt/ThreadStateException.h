//===- wux/system/mt/ThreadStateException.h ---------------------*- C++ -*-===//
//
// An operation not valid in the thread's state.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SYSTEM_MT_THREADSTATEEXCEPTION_H
#define WUX_SYSTEM_MT_THREADSTATEEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace system {
namespace mt {

class WUX_API ThreadStateException : public lang::Exception {
public:
    /// The message "Illegal thread state.".
    ThreadStateException();
    /// Message.
    explicit ThreadStateException(lang::String const& msg);
    /// Message loaded by id.
    ThreadStateException(lang::IResourceLoader* loader, unsigned int id);
    /// Message loaded by key.
    ThreadStateException(lang::IResourceLoader* loader, lang::String const& key);
    ThreadStateException(ThreadStateException const& other);
    ThreadStateException& operator=(ThreadStateException const& other);
    ~ThreadStateException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace mt
} // namespace system
} // namespace cpp

#endif // WUX_SYSTEM_MT_THREADSTATEEXCEPTION_H
