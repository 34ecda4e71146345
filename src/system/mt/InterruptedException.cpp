#include "wux/system/mt/InterruptedException.h"

namespace cpp {
namespace system {
namespace mt {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

InterruptedException::InterruptedException()
    : lang::Exception(String("The thread interrupted."), 0) {}

InterruptedException::InterruptedException(String const& msg) : lang::Exception(msg, 0) {}

InterruptedException::InterruptedException(String const& msg, Exception const* cause)
    : lang::Exception(msg, cause) {}

InterruptedException::InterruptedException(IResourceLoader* loader, unsigned int id, int errorId)
    : lang::Exception(loader, id, errorId) {}

InterruptedException::InterruptedException(IResourceLoader* loader, String const& key, int errorId)
    : lang::Exception(loader, key, errorId) {}

InterruptedException::InterruptedException(InterruptedException const& other) = default;

InterruptedException& InterruptedException::operator=(InterruptedException const& other) = default;

InterruptedException::~InterruptedException() = default;

Exception* InterruptedException::clone() const {
    return new InterruptedException(*this);
}

} // namespace mt
} // namespace system
} // namespace cpp
