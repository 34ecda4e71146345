//===- wux/lang/OutOfRangeException.h ---------------------------*- C++ -*-===//
//
// An offset or index outside the valid range.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_OUTOFRANGEEXCEPTION_H
#define WUX_LANG_OUTOFRANGEEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace lang {

class WUX_API OutOfRangeException : public Exception {
public:
    /// The message "Out of range.".
    OutOfRangeException();
    /// Message.
    explicit OutOfRangeException(String const& msg);
    /// Message loaded by id.
    OutOfRangeException(IResourceLoader* loader, unsigned int id);
    OutOfRangeException(OutOfRangeException const& other);
    OutOfRangeException& operator=(OutOfRangeException const& other);
    ~OutOfRangeException() override;

protected:
    Exception* clone() const override;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_OUTOFRANGEEXCEPTION_H
