//===- wux/lang/OutOfMemoryException.h --------------------------*- C++ -*-===//
//
// Memory could not be obtained. Error id 0x8007000E (E_OUTOFMEMORY).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_OUTOFMEMORYEXCEPTION_H
#define WUX_LANG_OUTOFMEMORYEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace lang {

class WUX_API OutOfMemoryException : public Exception {
public:
    /// An empty message and error id 0x8007000E.
    OutOfMemoryException();
    OutOfMemoryException(OutOfMemoryException const& other);
    OutOfMemoryException& operator=(OutOfMemoryException const& other);
    ~OutOfMemoryException() override;

protected:
    Exception* clone() const override;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_OUTOFMEMORYEXCEPTION_H
