//===- wux/xml/XmlConfigException.h -----------------------------*- C++ -*-===//
//
// A failure reading or writing an XML configuration.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_XML_XMLCONFIGEXCEPTION_H
#define WUX_XML_XMLCONFIGEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace xml {

class WUX_API XmlConfigException : public lang::Exception {
public:
    /// The message "XML configuration exception was thrown.".
    XmlConfigException();
    /// Message and error id.
    XmlConfigException(lang::String const& msg, int errorId);
    /// Message loaded by id, error id.
    XmlConfigException(lang::IResourceLoader* loader, unsigned int id, int errorId);
    /// Message loaded by key, error id.
    XmlConfigException(lang::IResourceLoader* loader, lang::String const& key, int errorId);
    XmlConfigException(XmlConfigException const& other);
    XmlConfigException& operator=(XmlConfigException const& other);
    ~XmlConfigException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace xml
} // namespace cpp

#endif // WUX_XML_XMLCONFIGEXCEPTION_H
