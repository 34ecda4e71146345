//===- wux/lang/InstantiationException.h ------------------------*- C++ -*-===//
//
// An object could not be instantiated.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_INSTANTIATIONEXCEPTION_H
#define WUX_LANG_INSTANTIATIONEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API InstantiationException : public Exception {
public:
    /// An empty message.
    InstantiationException();
    /// Message.
    explicit InstantiationException(String const& msg);
    /// Message and cause (error id from the cause).
    InstantiationException(String const& msg, Exception const* cause);
    InstantiationException(InstantiationException const& other);
    InstantiationException& operator=(InstantiationException const& other);
    ~InstantiationException() override;

protected:
    Exception* clone() const override;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_INSTANTIATIONEXCEPTION_H
