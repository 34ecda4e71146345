#include "wux/util/LibraryLoaderHook.h"

#include "util/LibraryResources.h"

namespace cpp {
namespace util {
namespace interim {

lang::IResourceLoader* setLibraryLoader(lang::IResourceLoader* loader) {
    lang::IResourceLoader* previous = util::libraryLoader();
    util::setLibraryLoader(loader);
    return previous;
}

lang::IResourceLoader* getLibraryLoader() {
    return util::libraryLoader();
}

} // namespace interim
} // namespace util
} // namespace cpp
