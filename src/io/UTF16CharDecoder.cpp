#include "io/UTF16CharDecoder.h"

namespace cpp {
namespace io {
using cpp::text::EncodingType;

UTF16CharDecoder::UTF16CharDecoder(InputStream* source, bool ownsSource, EncodingType type,
                                   unsigned int bufSize)
    : CharDecoder(source, ownsSource, type, type), _littleEndian(type == text::UTF16LE),
      _words(nullptr) {
    // Room for one whole unit besides a byte carried over.
    unsigned int const size = bufSize == 0 ? 0 : (bufSize < 2 ? 2 : bufSize);
    // Units, so that the buffer is aligned for them; the bytes are read
    // through an unsigned char view.
    _words = new unsigned short[size / 2 + 1];
    _bytes = reinterpret_cast<unsigned char*>(_words);
    _byteSize = size;
}

UTF16CharDecoder::~UTF16CharDecoder() {
    delete[] _words;
}

void UTF16CharDecoder::releaseBuffers() {
    delete[] _words;
    _words = nullptr;
    _bytes = nullptr;
    _byteSize = 0;
    _filled = 0;
    _bytePos = 0;
    setUnits(nullptr, 0);
}

bool UTF16CharDecoder::decode() {
    for (;;) {
        // Every whole unit has been served; at most one byte is left.
        unsigned int carried = _filled - _bytePos;
        if (carried != 0)
            _bytes[0] = _bytes[_bytePos];
        _bytePos = 0;
        _filled = carried;
        unsigned int const got = readSource(_bytes + carried, _byteSize - carried);
        if (got == 0) {
            // The end: a byte without its partner makes no unit.
            _filled = 0;
            setUnits(nullptr, 0);
            return false;
        }
        _filled = carried + got;
        unsigned int const count = _filled / 2;
        if (!_littleEndian) {
            for (unsigned int i = 0; i < count; ++i)
                _words[i] = static_cast<unsigned short>((_words[i] << 8) | (_words[i] >> 8));
        }
        _bytePos = count * 2;
        if (count != 0) {
            setUnits(_words, count);
            return true;
        }
    }
}

} // namespace io
} // namespace cpp
