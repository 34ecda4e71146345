//===- wux/lang/ClassFoundException.h ---------------------------*- C++ -*-===//
//
// A class could not be found.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_CLASSFOUNDEXCEPTION_H
#define WUX_LANG_CLASSFOUNDEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API ClassFoundException : public Exception {
public:
    /// An empty message.
    ClassFoundException();
    /// Message.
    explicit ClassFoundException(String const& msg);
    ClassFoundException(ClassFoundException const& other);
    ClassFoundException& operator=(ClassFoundException const& other);
    ~ClassFoundException() override;

protected:
    Exception* clone() const override;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_CLASSFOUNDEXCEPTION_H
