//===- wux/util/MoResourceLoader.h - GNU gettext catalogs -------*- C++ -*-===//
//
// MoResourceLoader is the IResourceLoader over a compiled GNU gettext message
// catalog (a ".mo" file, as msgfmt writes it, in either byte order). The
// whole catalog is read into a map at construction; the file is closed before
// the constructor returns. loadString(key) gives the translation of the
// message id key, or the key itself when the catalog has no text for it.
//
//   // resources/en_US/wux.po: msgid "IDS_CANNOT_FIND_FILE"
//   //                         msgstr "The file '%s' cannot be found."
//   MoResourceLoader catalog(L"C:\\app\\locale\\en_US\\wux.mo", nullptr);
//   catalog.loadString(L"IDS_CANNOT_FIND_FILE"); // "The file '%s' cannot ..."
//   catalog.loadString(L"NO_SUCH_KEY");          // "NO_SUCH_KEY"
//   catalog.loadString(5);                       // NotImplementedException
//
// Catalogs must be UTF-8: a header naming another charset throws
// ResourceException "Just support charset=utf-8 encoding, but not
// charset=<charset> encoding.". For a message with plural forms the last
// non-empty form is kept; a message whose forms are all empty is left out.
// A message with a context ("msgctxt") is found under the context, the unit
// 0x0004 and the message id; the catalog's header is the text of the empty
// key.
//
// A catalog is untrusted input. A file shorter than 29 bytes or larger than
// 2 GiB - 1, with another magic number, with a table outside the file or
// whose tables reference more string bytes than the file holds throws
// ResourceException "'<file>' is not a valid message catalog."; a string
// outside the file counts as missing, and no string is read beyond its
// stated length. Memory use is linear in the size of the file. A missing
// file throws the exception of FileInputStream (FileNotFoundException, ...);
// a file that cannot be read whole throws ResourceException "mo file for
// domain '<file>' not found.".
//
// After construction the loader is read-only: any number of threads may call
// loadString() at once.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_UTIL_MORESOURCELOADER_H
#define WUX_UTIL_MORESOURCELOADER_H

#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/String.h"

#include <map>

namespace cpp {
namespace util {

class WUX_API MoResourceLoader : public lang::IResourceLoader {
public:
    /// Orders message ids by ordinal comparison of their 16-bit units.
    struct KeyOrder {
        bool operator()(lang::String const& a, lang::String const& b) const {
            return a.compare(b) < 0;
        }
    };
    /// Message id to translation.
    typedef std::map<lang::String, lang::String, KeyOrder> MessageMap;

    /// Loads the catalog \p fileName for the process's current locale (null
    /// while the library keeps no locale table).
    explicit MoResourceLoader(lang::String const& fileName);
    /// Loads the catalog \p fileName for \p locale (not owned, may be null).
    MoResourceLoader(lang::String const& fileName, global::Locale const* locale);
    /// Copies the file name, the locale and the messages.
    MoResourceLoader(MoResourceLoader const& other);
    MoResourceLoader& operator=(MoResourceLoader const& other);
    ~MoResourceLoader() override;

    /// The translation of \p key, or a copy of \p key when the catalog has
    /// no non-empty translation for it.
    lang::String loadString(lang::String const& key) override;
    /// Always throws NotImplementedException: catalogs have no numeric ids.
    lang::String loadString(unsigned int id) override;
    /// The file name given at construction.
    lang::String getResourceFileName() const override;
    /// The locale given at construction.
    global::Locale const* getLocale() const override;
    /// Always null: the catalog file is closed after loading.
    void* getResourceFileHandle() const override;

    /// Every message of the catalog.
    MessageMap const& getMessages() const;

protected:
    /// Reads the catalog \p fileName into the messages.
    void init(lang::String const& fileName);
    /// The translation of \p key, or a copy of \p key.
    lang::String find(lang::String const& key) const;

private:
    lang::String _fileName;
    global::Locale const* _locale;
    void* _fileHandle;
    MessageMap _messages;
};

} // namespace util
} // namespace cpp

#endif // WUX_UTIL_MORESOURCELOADER_H
