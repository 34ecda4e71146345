#include "wux/io/InputStream.h"

namespace cpp {
namespace io {

InputStream::~InputStream() = default;

int InputStream::read() {
    unsigned char b = 0;
    // Some streams answer 0 instead of -1 at the end of their data: anything
    // but one byte read means there is no byte to return.
    if (read(&b, 1) < 1)
        return -1;
    return b;
}

void InputStream::close() {}

__int64 InputStream::available() const {
    return 0;
}

} // namespace io
} // namespace cpp
