#include "wux/system/mt/ThreadPoolException.h"

namespace cpp {
namespace system {
namespace mt {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

ThreadPoolException::ThreadPoolException() : lang::Exception() {}

ThreadPoolException::ThreadPoolException(String const& msg) : lang::Exception(msg, 0) {}

ThreadPoolException::ThreadPoolException(IResourceLoader* loader, unsigned int id, int errorId)
    : lang::Exception(loader, id, errorId) {}

ThreadPoolException::ThreadPoolException(IResourceLoader* loader, String const& key, int errorId)
    : lang::Exception(loader, key, errorId) {}

ThreadPoolException::ThreadPoolException(ThreadPoolException const& other) = default;

ThreadPoolException& ThreadPoolException::operator=(ThreadPoolException const& other) = default;

ThreadPoolException::~ThreadPoolException() = default;

Exception* ThreadPoolException::clone() const {
    return new ThreadPoolException(*this);
}

} // namespace mt
} // namespace system
} // namespace cpp
