#include "wux/security/CryptoException.h"

namespace cpp {
namespace security {
using cpp::lang::Exception;
using cpp::lang::IResourceLoader;
using cpp::lang::String;

CryptoException::CryptoException()
    : lang::Exception(String("Cryptography exception was thrown."), 0) {}

CryptoException::CryptoException(String const& msg) : lang::Exception(msg, 0) {}

CryptoException::CryptoException(IResourceLoader* loader, unsigned int id)
    : lang::Exception(loader, id, 0) {}

CryptoException::CryptoException(IResourceLoader* loader, String const& key)
    : lang::Exception(loader, key, 0) {}

CryptoException::CryptoException(CryptoException const& other) = default;

CryptoException& CryptoException::operator=(CryptoException const& other) = default;

CryptoException::~CryptoException() = default;

Exception* CryptoException::clone() const {
    return new CryptoException(*this);
}

} // namespace security
} // namespace cpp
