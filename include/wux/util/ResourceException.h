//===- wux/util/ResourceException.h -----------------------------*- C++ -*-===//
//
// A resource that could not be loaded.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_UTIL_RESOURCEEXCEPTION_H
#define WUX_UTIL_RESOURCEEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace util {

class WUX_API ResourceException : public lang::Exception {
public:
    /// The message "Resource exception occurred.".
    ResourceException();
    /// Message.
    explicit ResourceException(lang::String const& msg);
    /// Message and error id.
    ResourceException(lang::String const& msg, int errorId);
    ResourceException(ResourceException const& other);
    ResourceException& operator=(ResourceException const& other);
    ~ResourceException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace util
} // namespace cpp

#endif // WUX_UTIL_RESOURCEEXCEPTION_H
