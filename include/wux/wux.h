//===- wux/wux.h - Every public header of wux -------------------*- C++ -*-===//
//
// The umbrella header: including it gives the whole public interface of
// wux.dll. Applications may also include the single headers they need.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_WUX_H
#define WUX_WUX_H

#include "wux/io/DirectoryNotFoundException.h"
#include "wux/io/EOFException.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/IOException.h"
#include "wux/lang/AllocatorAdapter.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/ClassFoundException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/HeapAllocTemplate.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/IErrorProvider.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/InstantiationException.h"
#include "wux/lang/InvalidOperationException.h"
#include "wux/lang/MallocAllocTemplate.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/OutOfRangeException.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"
#include "wux/lang/WinTypes.h"
#include "wux/net/SocketException.h"
#include "wux/net/SocketTimeoutException.h"
#include "wux/security/CryptoException.h"
#include "wux/security/SecurityException.h"
#include "wux/system/SharedLibraryException.h"
#include "wux/system/SystemException.h"
#include "wux/system/mt/InterruptedException.h"
#include "wux/system/mt/LockException.h"
#include "wux/system/mt/ThreadPoolException.h"
#include "wux/system/mt/ThreadStateException.h"
#include "wux/util/ResourceException.h"
#include "wux/xml/XmlConfigException.h"

#endif // WUX_WUX_H
