//===- wux/lang/InvalidOperationException.h ---------------------*- C++ -*-===//
//
// An operation not valid in the object's current state.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_INVALIDOPERATIONEXCEPTION_H
#define WUX_LANG_INVALIDOPERATIONEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace lang {

class WUX_API InvalidOperationException : public Exception {
public:
    /// The message "Invalid operation exception.".
    InvalidOperationException();
    /// Message.
    explicit InvalidOperationException(String const& msg);
    /// Message and cause (error id from the cause).
    InvalidOperationException(String const& msg, Exception const* cause);
    /// Message loaded by id.
    InvalidOperationException(IResourceLoader* loader, unsigned int id);
    /// Message loaded by key.
    InvalidOperationException(IResourceLoader* loader, String const& key);
    InvalidOperationException(InvalidOperationException const& other);
    InvalidOperationException& operator=(InvalidOperationException const& other);
    ~InvalidOperationException() override;

protected:
    Exception* clone() const override;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_INVALIDOPERATIONEXCEPTION_H
