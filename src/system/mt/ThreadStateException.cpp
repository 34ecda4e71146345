#include "wux/system/mt/ThreadStateException.h"

namespace cpp {
namespace system {
namespace mt {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

ThreadStateException::ThreadStateException()
    : lang::Exception(String("Illegal thread state."), 0) {}

ThreadStateException::ThreadStateException(String const& msg) : lang::Exception(msg, 0) {}

ThreadStateException::ThreadStateException(IResourceLoader* loader, unsigned int id)
    : lang::Exception(loader, id, 0) {}

ThreadStateException::ThreadStateException(IResourceLoader* loader, String const& key)
    : lang::Exception(loader, key, 0) {}

ThreadStateException::ThreadStateException(ThreadStateException const& other) = default;

ThreadStateException& ThreadStateException::operator=(ThreadStateException const& other) = default;

ThreadStateException::~ThreadStateException() = default;

Exception* ThreadStateException::clone() const {
    return new ThreadStateException(*this);
}

} // namespace mt
} // namespace system
} // namespace cpp
