//===- wux/lang/ArgumentException.h - A bad argument ------------*- C++ -*-===//
//
// ArgumentException reports an argument a function cannot accept, together
// with the argument's name:
//
//   throw ArgumentException("The source pointer is null.", "ptr");
//   // getMessage(): "Argument ptr: The source pointer is null."
//
// With an empty argument name getMessage() is the message alone.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_ARGUMENTEXCEPTION_H
#define WUX_LANG_ARGUMENTEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace lang {

class WUX_API ArgumentException : public Exception {
public:
    /// The message "Argument is invalid.", no argument name.
    ArgumentException();
    /// Message, no argument name.
    explicit ArgumentException(String const& msg);
    ArgumentException(String const& msg, String const& argName);
    ArgumentException(IResourceLoader* loader, unsigned int id, String const& argName);
    ArgumentException(IResourceLoader* loader, String const& key, String const& argName);
    ArgumentException(ArgumentException const& other);
    ArgumentException& operator=(ArgumentException const& other);
    ~ArgumentException() override;

    /// "Argument <name>: <message>", or the message alone when the argument
    /// name is empty.
    String getMessage() const override;
    String getArgumentName() const { return _argName; }

protected:
    Exception* clone() const override;

private:
    String _argName;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_ARGUMENTEXCEPTION_H
