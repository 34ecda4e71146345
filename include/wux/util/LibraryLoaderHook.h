//===- wux/util/LibraryLoaderHook.h - Interim loader hook -------*- C++ -*-===//
//
// INTERNAL AND INTERIM. The library takes the texts of its keyed messages
// ("IDS_CANNOT_FIND_FILE", ...) from one resource loader. Until the library
// creates that loader itself when its modules are initialised, tests and the
// example application install one with this hook; it will go away then, so
// applications should not build on it.
//
//   // wux.dll's folder holds locale\en_US\wux.mo (installed with the package)
//   String catalog = Path::combine(Path::getCurrentModulePath(),
//                                  L"locale\\en_US\\wux.mo");
//   MoResourceLoader loader(catalog, nullptr);
//   interim::setLibraryLoader(&loader);
//   try {
//       FileInputStream in(L"C:\\missing.txt", ReadWrite);
//   } catch (FileNotFoundException const& e) {
//       // e.getMessage(): "The file 'C:\missing.txt' cannot be found."
//   }
//   interim::setLibraryLoader(nullptr);   // before `loader` goes
//
// While no loader is installed the keyed messages are empty. The hook is not
// synchronised: install the loader during start-up, before other threads
// throw or format library messages.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_UTIL_LIBRARYLOADERHOOK_H
#define WUX_UTIL_LIBRARYLOADERHOOK_H

#include "wux/lang/Export.h"

namespace cpp {
namespace lang {
class IResourceLoader;
} // namespace lang

namespace util {
namespace interim {

/// Installs \p loader (not owned) as the source of the library's keyed
/// messages; null removes it. Returns the loader installed before.
WUX_API lang::IResourceLoader* setLibraryLoader(lang::IResourceLoader* loader);
/// The installed loader; null when there is none.
WUX_API lang::IResourceLoader* getLibraryLoader();

} // namespace interim
} // namespace util
} // namespace cpp

#endif // WUX_UTIL_LIBRARYLOADERHOOK_H
