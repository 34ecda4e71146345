//===- wux/lang/IResourceLoader.h - Keyed and numbered texts ----*- C++ -*-===//
//
// IResourceLoader maps a numeric id or a string key ("IDS_NULL_ARGUMENT") to
// a text. Exceptions and String::format use it to build their messages; the
// implementations read message catalogs or string-table resources.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_IRESOURCELOADER_H
#define WUX_LANG_IRESOURCELOADER_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace global {
class Locale;
} // namespace global

namespace lang {

class WUX_API IResourceLoader {
public:
    virtual ~IResourceLoader();
    /// The text of \p key (the key itself when a catalog lacks it).
    virtual String loadString(String const& key) = 0;
    /// The text of the numeric id \p id.
    virtual String loadString(unsigned int id) = 0;
    /// The file the texts come from.
    virtual String getResourceFileName() const = 0;
    /// The language of the texts.
    virtual cpp::global::Locale const* getLocale() const = 0;
    /// The module or file handle behind the texts; null when there is none.
    virtual void* getResourceFileHandle() const = 0;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_IRESOURCELOADER_H
