//===- wux/lang/WinTypes.h - Win32 types named by the API -------*- C++ -*-===//
//
// The few Win32 types that wux's public interface names, declared exactly as
// <windows.h> declares them (same tags, same typedefs) so that either header
// may come first and applications keep the choice of their Windows headers.
// Only incomplete declarations are given: include <windows.h> to use the
// members of FILETIME or SYSTEMTIME.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_WINTYPES_H
#define WUX_LANG_WINTYPES_H

struct _FILETIME;
typedef struct _FILETIME FILETIME;

struct _SYSTEMTIME;
typedef struct _SYSTEMTIME SYSTEMTIME;

struct HINSTANCE__;
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;

#endif // WUX_LANG_WINTYPES_H
