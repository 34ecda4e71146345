#include "wux/io/FileNotFoundException.h"

namespace cpp {
namespace io {
using cpp::lang::Exception;
using cpp::lang::String;

FileNotFoundException::FileNotFoundException()
    : IOException(String("The specified file cannot be found."), 0) {}

FileNotFoundException::FileNotFoundException(String const& msg) : IOException(msg, 0) {}

FileNotFoundException::FileNotFoundException(String const& msg, int errorId)
    : IOException(msg, errorId) {}

FileNotFoundException::FileNotFoundException(FileNotFoundException const& other) = default;

FileNotFoundException&
FileNotFoundException::operator=(FileNotFoundException const& other) = default;

FileNotFoundException::~FileNotFoundException() = default;

Exception* FileNotFoundException::clone() const {
    return new FileNotFoundException(*this);
}

} // namespace io
} // namespace cpp
