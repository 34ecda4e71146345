//===- LibraryResources.h - The library resource loader --------*- C++ -*-===//
//
// The one IResourceLoader that the library's own code passes when it throws
// or formats with a key such as "IDS_NULL_ARGUMENT". It is null until the
// library is initialised; while it is null, keyed messages are empty.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_UTIL_LIBRARYRESOURCES_H
#define WUX_SRC_UTIL_LIBRARYRESOURCES_H

namespace cpp {
namespace lang {
class IResourceLoader;
} // namespace lang

namespace util {

/// The library resource loader; null before initialisation.
lang::IResourceLoader* libraryLoader();
/// Installs (or, with null, removes) the library resource loader. The caller
/// keeps ownership.
void setLibraryLoader(lang::IResourceLoader* loader);

} // namespace util
} // namespace cpp

#endif
