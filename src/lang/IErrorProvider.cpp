#include "wux/lang/IErrorProvider.h"

namespace cpp {
namespace lang {

// Defined here so that the virtual table lives in wux.dll.
IErrorProvider::~IErrorProvider() = default;

} // namespace lang
} // namespace cpp
