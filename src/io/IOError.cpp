#include "io/IOError.h"

#include "util/LibraryResources.h"
#include "util/MessagePattern.h"
#include "wux/io/DirectoryNotFoundException.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/IOException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"

namespace cpp {
namespace io {

using lang::String;

namespace {

unsigned int const FILE_NOT_FOUND = 2;
unsigned int const PATH_NOT_FOUND = 3;
unsigned int const ACCESS_DENIED = 5;

// The catalog text of `key` with `name` as its %s argument; empty while the
// library has no resource loader or when the text cannot be formatted, so
// that reporting an error never fails for want of its message.
String keyedMessage(wchar_t const* key, String const& name) {
    String message;
    lang::IResourceLoader* loader = util::libraryLoader();
    if (loader == nullptr)
        return message;
    try {
        // A catalog text that takes other arguments than the one name (or
        // writes through %n) gives way to the key.
        String pattern = util::libraryPattern(loader, String(key), L"%s");
        message.format(pattern.getCStr(), name.getWCStr());
    } catch (lang::Exception const&) {
        message.clear();
    }
    return message;
}

} // namespace

void throwIOError(unsigned int errorCode, bool isFile, String const& name) {
    switch (errorCode) {
    case FILE_NOT_FOUND:
        throw FileNotFoundException(
            keyedMessage(isFile ? L"IDS_CANNOT_FIND_FILE" : L"IDS_CANNOT_FIND_DIR", name), 0);
    case PATH_NOT_FOUND:
        throw DirectoryNotFoundException(keyedMessage(L"IDS_CANNOT_FIND_PATH", name), 0);
    case ACCESS_DENIED:
        throw IOException(
            keyedMessage(isFile ? L"IDS_ACCESS_FILE_DENY" : L"IDS_ACCESS_DIR_DENY", name), 0);
    default:
        throw IOException(
            lang::SystemErrorHandler::getInstance()->toString(static_cast<int>(errorCode)), 0);
    }
}

} // namespace io
} // namespace cpp
