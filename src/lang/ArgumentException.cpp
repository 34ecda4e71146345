#include "wux/lang/ArgumentException.h"

namespace cpp {
namespace lang {

ArgumentException::ArgumentException() : Exception(String("Argument is invalid."), 0) {}

ArgumentException::ArgumentException(String const& msg) : Exception(msg, 0) {}

ArgumentException::ArgumentException(String const& msg, String const& argName)
    : Exception(msg, 0), _argName(argName) {}

ArgumentException::ArgumentException(IResourceLoader* loader, unsigned int id,
                                     String const& argName)
    : Exception(loader, id, 0), _argName(argName) {}

ArgumentException::ArgumentException(IResourceLoader* loader, String const& key,
                                     String const& argName)
    : Exception(loader, key, 0), _argName(argName) {}

ArgumentException::ArgumentException(ArgumentException const& other) = default;

ArgumentException& ArgumentException::operator=(ArgumentException const& other) = default;

ArgumentException::~ArgumentException() = default;

String ArgumentException::getMessage() const {
    String message = Exception::getMessage();
    if (_argName.isEmpty())
        return message;
    String text(message.getAllocator());
    text.format(L"Argument %s: %s", _argName.getCStr(), message.getCStr());
    return text;
}

Exception* ArgumentException::clone() const {
    return new ArgumentException(*this);
}

} // namespace lang
} // namespace cpp
