//===- wux/io/FileNotFoundException.h ---------------------------*- C++ -*-===//
//
// A file that does not exist.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_FILENOTFOUNDEXCEPTION_H
#define WUX_IO_FILENOTFOUNDEXCEPTION_H

#include "wux/io/IOException.h"
#include "wux/lang/Export.h"

namespace cpp {
namespace io {

class WUX_API FileNotFoundException : public IOException {
public:
    /// The message "The specified file cannot be found.".
    FileNotFoundException();
    /// Message.
    explicit FileNotFoundException(lang::String const& msg);
    /// Message and error id.
    FileNotFoundException(lang::String const& msg, int errorId);
    FileNotFoundException(FileNotFoundException const& other);
    FileNotFoundException& operator=(FileNotFoundException const& other);
    ~FileNotFoundException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_FILENOTFOUNDEXCEPTION_H
