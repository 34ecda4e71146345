//===- MoCatalog.h - Reading a gettext catalog image ------------*- C++ -*-===//
//
// The parser behind MoResourceLoader, kept apart from the file so that it can
// be driven with any bytes:
//
//   MoResourceLoader::MessageMap messages;
//   readMoCatalog(bytes, size, L"x.mo", messages);   // or throws
//
// Layout (32-bit integers in the byte order the magic number shows):
//
//   0   magic 0x950412DE        12  offset of the message-id table
//   4   revision (ignored)      16  offset of the translation table
//   8   N, the number of pairs  20  hash table size and offset (ignored)
//
// Each table holds N entries of (length, offset); a string is the `length`
// bytes at `offset`, UTF-8. A translation may hold several forms separated
// by 0 bytes. Entry 0 with the empty message id is the catalog header.
//
// The image is untrusted. All arithmetic on counts, offsets and lengths is
// 64-bit. An image shorter than 29 bytes or larger than 2 GiB - 1, a wrong
// magic number, a table that does not lie inside the image, or tables whose
// strings add up to more bytes than the image holds throw ResourceException
// "'<name>' is not a valid message catalog."; the last rule keeps the memory
// of the result linear in the size of the image even when entries share
// their strings. A string that does not lie inside the image counts as
// missing; no byte outside [offset, offset + length) of a string is read.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_UTIL_MOCATALOG_H
#define WUX_SRC_UTIL_MOCATALOG_H

#include "wux/util/MoResourceLoader.h"

namespace cpp {
namespace util {

/// The largest catalog: the platform decodes strings of at most this many
/// bytes, and a catalog is read whole into memory.
unsigned __int64 const LARGEST_MO_CATALOG = 0x7FFFFFFF;

/// Throws ResourceException "'<name>' is not a valid message catalog.".
[[noreturn]] void throwNotMoCatalog(lang::String const& name);

/// Reads the catalog image of \p size bytes at \p bytes into \p messages
/// (which must be empty); \p name fills the messages of the exceptions.
/// Throws ResourceException for an invalid image or a charset other than
/// UTF-8; conversion failures of the UTF-8 decoder propagate. On a throw,
/// \p messages may hold a part of the catalog.
void readMoCatalog(unsigned char const* bytes, unsigned __int64 size, lang::String const& name,
                   MoResourceLoader::MessageMap& messages);

} // namespace util
} // namespace cpp

#endif
