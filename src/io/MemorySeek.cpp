#include "io/MemorySeek.h"

namespace cpp {
namespace io {

unsigned int memorySeek(__int64 offset, SeekOrigin origin, unsigned int bound,
                        unsigned int position) {
    // bound and position are at most 2^32 - 1, so bound + offset (offset < 0)
    // and the differences below stay well inside 64 bits.
    __int64 const b = bound;
    __int64 const p = position;
    switch (origin) {
    case Begin:
        if (offset <= 0)
            return 0;
        return offset > b ? bound : static_cast<unsigned int>(offset);
    case Current:
        if (offset > b - p)
            return bound;
        if (offset < -p)
            return 0;
        return static_cast<unsigned int>(p + offset);
    case End:
        if (offset >= 0)
            return bound;
        if (offset < -b)
            return 0;
        return static_cast<unsigned int>(b + offset);
    default:
        return position;
    }
}

} // namespace io
} // namespace cpp
