#include "util/LibraryResources.h"

namespace cpp {
namespace util {

namespace {

lang::IResourceLoader* loader = nullptr;

} // namespace

lang::IResourceLoader* libraryLoader() {
    return loader;
}

void setLibraryLoader(lang::IResourceLoader* l) {
    loader = l;
}

} // namespace util
} // namespace cpp
