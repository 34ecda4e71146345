//===- OutOfMemory.h - The library's out-of-memory handler ------*- C++ -*-===//
//
// The handler the default allocator and the runtime new-handler use: it
// throws cpp::lang::OutOfMemoryException.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_LANG_OUTOFMEMORY_H
#define WUX_SRC_LANG_OUTOFMEMORY_H

namespace cpp {
namespace lang {

[[noreturn]] void throwOutOfMemory();

} // namespace lang
} // namespace cpp

#endif
