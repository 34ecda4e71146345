//===- wux/io/EOFException.h ------------------------------------*- C++ -*-===//
//
// A read ran past the end of the data.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_EOFEXCEPTION_H
#define WUX_IO_EOFEXCEPTION_H

#include "wux/io/IOException.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace io {

class WUX_API EOFException : public IOException {
public:
    /// The message "Have reached the end of file.".
    EOFException();
    /// Message.
    explicit EOFException(lang::String const& msg);
    EOFException(EOFException const& other);
    EOFException& operator=(EOFException const& other);
    ~EOFException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_EOFEXCEPTION_H
