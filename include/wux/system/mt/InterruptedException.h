//===- wux/system/mt/InterruptedException.h ---------------------*- C++ -*-===//
//
// A wait that was interrupted.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SYSTEM_MT_INTERRUPTEDEXCEPTION_H
#define WUX_SYSTEM_MT_INTERRUPTEDEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace system {
namespace mt {

class WUX_API InterruptedException : public lang::Exception {
public:
    /// The message "The thread interrupted.".
    InterruptedException();
    /// Message.
    explicit InterruptedException(lang::String const& msg);
    /// Message and cause (error id from the cause).
    InterruptedException(lang::String const& msg, lang::Exception const* cause);
    /// Message loaded by id, error id.
    InterruptedException(lang::IResourceLoader* loader, unsigned int id, int errorId);
    /// Message loaded by key, error id.
    InterruptedException(lang::IResourceLoader* loader, lang::String const& key, int errorId);
    InterruptedException(InterruptedException const& other);
    InterruptedException& operator=(InterruptedException const& other);
    ~InterruptedException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace mt
} // namespace system
} // namespace cpp

#endif // WUX_SYSTEM_MT_INTERRUPTEDEXCEPTION_H
