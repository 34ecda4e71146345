//===- wux/system/SharedLibraryException.h ----------------------*- C++ -*-===//
//
// A failure of the module registry.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SYSTEM_SHAREDLIBRARYEXCEPTION_H
#define WUX_SYSTEM_SHAREDLIBRARYEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace system {

class WUX_API SharedLibraryException : public lang::Exception {
public:
    /// An empty message.
    SharedLibraryException();
    /// Message.
    explicit SharedLibraryException(lang::String const& msg);
    SharedLibraryException(SharedLibraryException const& other);
    SharedLibraryException& operator=(SharedLibraryException const& other);
    ~SharedLibraryException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace system
} // namespace cpp

#endif // WUX_SYSTEM_SHAREDLIBRARYEXCEPTION_H
