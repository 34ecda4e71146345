// The library's load sequence. When the process attaches wux.dll, DllMain
// records the module handle and installs the runtime new-handler that throws
// OutOfMemoryException, so that a failed new inside the library raises that
// exception. The static objects (String::EMPTY, and with it the default
// allocator) are built by the runtime's static initialisation.
#include "lang/LibraryModule.h"

#include "lang/OutOfMemory.h"

#include <new>

namespace cpp {
namespace lang {

namespace {

HMODULE module = nullptr;

} // namespace

HMODULE libraryModule() {
    return module;
}

} // namespace lang
} // namespace cpp

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        cpp::lang::module = instance;
        std::set_new_handler(&cpp::lang::throwOutOfMemory);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
