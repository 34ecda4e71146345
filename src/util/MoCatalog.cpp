#include "util/MoCatalog.h"

#include "wux/text/Conversion.h"
#include "wux/text/EncodingType.h"
#include "wux/util/ResourceException.h"

#include <cstring>

namespace cpp {
namespace util {

using lang::String;

namespace {

typedef unsigned __int64 Size;

// The magic number read in little-endian order, for a little-endian image and
// for a big-endian one.
unsigned int const MAGIC = 0x950412DEu;
unsigned int const MAGIC_SWAPPED = 0xDE120495u;
// The fixed header is 28 bytes; an image must hold more than that.
Size const MINIMUM_SIZE = 29;
Size const ENTRY_BYTES = 8;

wchar_t const CHARSET_FIELD[] = L"Content-Type: text/plain; charset=";
wchar_t const CHARSET_PLACEHOLDER[] = L"CHARSET";
wchar_t const UTF8_NAME[] = L"utf-8";

// One string of a table: `length` bytes at `data`, or missing (data null)
// when it does not lie inside the image.
struct Piece {
    unsigned char const* data;
    unsigned int length;
};

class Image {
public:
    Image(unsigned char const* bytes, Size size, bool bigEndian)
        : _bytes(bytes), _size(size), _bigEndian(bigEndian) {}

    // The 32-bit integer at `offset`; the caller has made sure that the four
    // bytes lie inside the image.
    unsigned int word(Size offset) const {
        unsigned char const* p = _bytes + offset;
        if (_bigEndian)
            return (static_cast<unsigned int>(p[0]) << 24) |
                   (static_cast<unsigned int>(p[1]) << 16) |
                   (static_cast<unsigned int>(p[2]) << 8) | static_cast<unsigned int>(p[3]);
        return (static_cast<unsigned int>(p[3]) << 24) | (static_cast<unsigned int>(p[2]) << 16) |
               (static_cast<unsigned int>(p[1]) << 8) | static_cast<unsigned int>(p[0]);
    }

    // Whether a table of `count` entries at `offset` lies inside the image.
    bool holdsTable(Size offset, Size count) const {
        return offset <= _size && count * ENTRY_BYTES <= _size - offset;
    }

    // Entry `index` of the table at `table` (a table known to lie inside).
    Piece piece(Size table, Size index) const {
        Size at = table + index * ENTRY_BYTES;
        Size length = word(at);
        Size offset = word(at + 4);
        if (offset > _size || length > _size - offset)
            return Piece{nullptr, 0};
        return Piece{_bytes + offset, static_cast<unsigned int>(length)};
    }

private:
    unsigned char const* _bytes;
    Size _size;
    bool _bigEndian;
};

// The bytes of `p` before its first 0 byte (all of them when there is none).
unsigned int untilZero(unsigned char const* p, unsigned int length) {
    void const* zero = std::memchr(p, 0, length);
    if (zero == nullptr)
        return length;
    return static_cast<unsigned int>(static_cast<unsigned char const*>(zero) - p);
}

String decode(unsigned char const* p, unsigned int length) {
    if (length == 0)
        return String();
    return text::Conversion::toString(p, length, text::UTF8);
}

// The message id of an entry: its text up to the first 0 byte; a missing
// string gives the empty id.
String keyOf(Piece const& id) {
    if (id.data == nullptr)
        return String();
    return decode(id.data, untilZero(id.data, id.length));
}

// Rejects a header whose Content-Type names a charset other than UTF-8. A
// header without that line, or with the placeholder "CHARSET", passes.
void checkCharset(Piece const& header) {
    String text = decode(header.data, header.length);
    String field(CHARSET_FIELD);
    unsigned int at = text.find(field);
    if (at == String::NO_POSITION)
        return;
    unsigned int start = at + field.getLength();
    unsigned int end = text.find(static_cast<unsigned short>('\n'), start);
    if (end == String::NO_POSITION)
        return;
    String charset = text.subString(start, end - start);
    if (charset.isEmpty() || charset.compare(String(CHARSET_PLACEHOLDER)) == 0)
        return;
    if (charset.compareIgnoreCase(String(UTF8_NAME)) != 0) {
        String message;
        message.format(L"Just support charset=utf-8 encoding, but not charset=%s encoding.",
                       charset.getWCStr());
        throw ResourceException(message);
    }
}

} // namespace

void throwNotMoCatalog(String const& name) {
    String message;
    message.format(L"'%s' is not a valid message catalog.", name.getWCStr());
    throw ResourceException(message);
}

void readMoCatalog(unsigned char const* bytes, Size size, String const& name,
                   MoResourceLoader::MessageMap& messages) {
    if (bytes == nullptr || size < MINIMUM_SIZE || size > LARGEST_MO_CATALOG)
        throwNotMoCatalog(name);
    unsigned int magic = Image(bytes, size, false).word(0);
    if (magic != MAGIC && magic != MAGIC_SWAPPED)
        throwNotMoCatalog(name);
    Image image(bytes, size, magic == MAGIC_SWAPPED);

    Size count = image.word(8);
    Size idTable = image.word(12);
    Size textTable = image.word(16);
    if (!image.holdsTable(idTable, count) || !image.holdsTable(textTable, count))
        throwNotMoCatalog(name);

    // Every string the tables reference is decoded (and the translations
    // stored), so their lengths may add up to no more than the image holds:
    // entries that share one long string would otherwise multiply it.
    Size referenced = 0;
    for (Size i = 0; i < count; ++i) {
        referenced += image.piece(idTable, i).length;
        referenced += image.piece(textTable, i).length;
        if (referenced > size)
            throwNotMoCatalog(name);
    }

    if (count > 0) {
        Piece id = image.piece(idTable, 0);
        Piece header = image.piece(textTable, 0);
        if (id.data != nullptr && untilZero(id.data, id.length) == 0 && header.data != nullptr)
            checkCharset(header);
    }

    for (Size i = 0; i < count; ++i) {
        Piece translation = image.piece(textTable, i);
        if (translation.data == nullptr)
            continue;
        // The forms follow each other, each ending at a 0 byte or at the end
        // of the translation; the last non-empty one is kept.
        String text;
        Size at = 0;
        while (at < translation.length) {
            unsigned int n = untilZero(translation.data + at,
                                       static_cast<unsigned int>(translation.length - at));
            if (n > 0) {
                String form = decode(translation.data + at, n);
                if (!form.isEmpty())
                    text = form;
            }
            at += n + 1;
        }
        if (text.isEmpty())
            continue;
        messages[keyOf(image.piece(idTable, i))] = text;
    }
}

} // namespace util
} // namespace cpp
