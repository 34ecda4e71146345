#include "wux/system/mt/LockException.h"

namespace cpp {
namespace system {
namespace mt {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

LockException::LockException() : lang::Exception(String("Lock exception."), 0) {}

LockException::LockException(String const& msg) : lang::Exception(msg, 0) {}

LockException::LockException(String const& msg, int errorId) : lang::Exception(msg, errorId) {}

LockException::LockException(IResourceLoader* loader, unsigned int id, int errorId)
    : lang::Exception(loader, id, errorId) {}

LockException::LockException(IResourceLoader* loader, String const& key, int errorId)
    : lang::Exception(loader, key, errorId) {}

LockException::LockException(LockException const& other) = default;

LockException& LockException::operator=(LockException const& other) = default;

LockException::~LockException() = default;

Exception* LockException::clone() const {
    return new LockException(*this);
}

} // namespace mt
} // namespace system
} // namespace cpp
