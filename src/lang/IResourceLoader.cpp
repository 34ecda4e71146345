#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace lang {

// Defined here so that the virtual table lives in wux.dll.
IResourceLoader::~IResourceLoader() = default;

} // namespace lang
} // namespace cpp
