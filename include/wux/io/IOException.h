//===- wux/io/IOException.h -------------------------------------*- C++ -*-===//
//
// An input/output failure.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_IOEXCEPTION_H
#define WUX_IO_IOEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace io {

class WUX_API IOException : public lang::Exception {
public:
    /// The message "I/O exception occurred.".
    IOException();
    /// Message.
    explicit IOException(lang::String const& msg);
    /// Message and error id.
    IOException(lang::String const& msg, int errorId);
    /// Message loaded by id, error id.
    IOException(lang::IResourceLoader* loader, unsigned int id, int errorId);
    /// Message loaded by key, error id.
    IOException(lang::IResourceLoader* loader, lang::String const& key, int errorId);
    IOException(IOException const& other);
    IOException& operator=(IOException const& other);
    ~IOException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_IOEXCEPTION_H
