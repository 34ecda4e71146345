#include "wux/xml/XmlConfigException.h"

namespace cpp {
namespace xml {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

XmlConfigException::XmlConfigException()
    : lang::Exception(String("XML configuration exception was thrown."), 0) {}

XmlConfigException::XmlConfigException(String const& msg, int errorId)
    : lang::Exception(msg, errorId) {}

XmlConfigException::XmlConfigException(IResourceLoader* loader, unsigned int id, int errorId)
    : lang::Exception(loader, id, errorId) {}

XmlConfigException::XmlConfigException(IResourceLoader* loader, String const& key, int errorId)
    : lang::Exception(loader, key, errorId) {}

XmlConfigException::XmlConfigException(XmlConfigException const& other) = default;

XmlConfigException& XmlConfigException::operator=(XmlConfigException const& other) = default;

XmlConfigException::~XmlConfigException() = default;

Exception* XmlConfigException::clone() const {
    return new XmlConfigException(*this);
}

} // namespace xml
} // namespace cpp
