#include "wux/io/OutputStream.h"

namespace cpp {
namespace io {

OutputStream::~OutputStream() = default;

void OutputStream::write(int b) {
    unsigned char const byte = static_cast<unsigned char>(b & 0xFF);
    write(&byte, 1);
}

void OutputStream::flush() {}

void OutputStream::close() {}

unsigned char const* OutputStream::getBuffer() const {
    return nullptr;
}

} // namespace io
} // namespace cpp
