//===- wux/lang/Export.h - Symbol visibility of wux.dll ---------*- C++ -*-===//
//
// WUX_API marks every class and function that wux.dll exports. Inside the
// library (WUX_BUILD defined) it exports, in applications it imports.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_EXPORT_H
#define WUX_LANG_EXPORT_H

#if defined(_WIN32)
#if defined(WUX_BUILD)
#define WUX_API __declspec(dllexport)
#else
#define WUX_API __declspec(dllimport)
#endif
#else
#define WUX_API
#endif

#endif // WUX_LANG_EXPORT_H
