//===- wux/lang/NotImplementedException.h -----------------------*- C++ -*-===//
//
// An operation the object does not support.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_NOTIMPLEMENTEDEXCEPTION_H
#define WUX_LANG_NOTIMPLEMENTEDEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API NotImplementedException : public Exception {
public:
    /// The message "The method or operation is not implemented.".
    NotImplementedException();
    /// Message.
    explicit NotImplementedException(String const& msg);
    /// Message and cause (error id from the cause).
    NotImplementedException(String const& msg, Exception const* cause);
    NotImplementedException(NotImplementedException const& other);
    NotImplementedException& operator=(NotImplementedException const& other);
    ~NotImplementedException() override;

protected:
    Exception* clone() const override;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_NOTIMPLEMENTEDEXCEPTION_H
