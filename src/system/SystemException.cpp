#include "wux/system/SystemException.h"

namespace cpp {
namespace system {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

SystemException::SystemException() : lang::Exception(String("System exception occurred."), 0) {}

SystemException::SystemException(String const& msg) : lang::Exception(msg, 0) {}

SystemException::SystemException(String const& msg, int errorId) : lang::Exception(msg, errorId) {}

SystemException::SystemException(IResourceLoader* loader, unsigned int id, int errorId)
    : lang::Exception(loader, id, errorId) {}

SystemException::SystemException(IResourceLoader* loader, String const& key, int errorId)
    : lang::Exception(loader, key, errorId) {}

SystemException::SystemException(SystemException const& other) = default;

SystemException& SystemException::operator=(SystemException const& other) = default;

SystemException::~SystemException() = default;

Exception* SystemException::clone() const {
    return new SystemException(*this);
}

} // namespace system
} // namespace cpp
