//===- wux/io/DirectoryNotFoundException.h ----------------------*- C++ -*-===//
//
// A directory that does not exist.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_DIRECTORYNOTFOUNDEXCEPTION_H
#define WUX_IO_DIRECTORYNOTFOUNDEXCEPTION_H

#include "wux/io/IOException.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace io {

class WUX_API DirectoryNotFoundException : public IOException {
public:
    /// The message "The speicified directory cannot be found.".
    DirectoryNotFoundException();
    /// Message.
    explicit DirectoryNotFoundException(lang::String const& msg);
    /// Message and error id.
    DirectoryNotFoundException(lang::String const& msg, int errorId);
    DirectoryNotFoundException(DirectoryNotFoundException const& other);
    DirectoryNotFoundException& operator=(DirectoryNotFoundException const& other);
    ~DirectoryNotFoundException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_DIRECTORYNOTFOUNDEXCEPTION_H
