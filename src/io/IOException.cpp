#include "wux/io/IOException.h"

namespace cpp {
namespace io {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

IOException::IOException() : lang::Exception(String("I/O exception occurred."), 0) {}

IOException::IOException(String const& msg) : lang::Exception(msg, 0) {}

IOException::IOException(String const& msg, int errorId) : lang::Exception(msg, errorId) {}

IOException::IOException(IResourceLoader* loader, unsigned int id, int errorId)
    : lang::Exception(loader, id, errorId) {}

IOException::IOException(IResourceLoader* loader, String const& key, int errorId)
    : lang::Exception(loader, key, errorId) {}

IOException::IOException(IOException const& other) = default;

IOException& IOException::operator=(IOException const& other) = default;

IOException::~IOException() = default;

Exception* IOException::clone() const {
    return new IOException(*this);
}

} // namespace io
} // namespace cpp
