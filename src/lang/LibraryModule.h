//===- LibraryModule.h - wux.dll's own module ------------------*- C++ -*-===//
//
// The module handle of wux.dll, recorded when the process attaches it (null
// when the library's objects are linked into a program directly).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_LANG_LIBRARYMODULE_H
#define WUX_SRC_LANG_LIBRARYMODULE_H

#include <windows.h>

namespace cpp {
namespace lang {

HMODULE libraryModule();

} // namespace lang
} // namespace cpp

#endif
