// Path::getCurrentModulePath when the library's objects are linked into the
// program itself: there is no library module, so the folder is that of the
// program's executable.
#include "lang/LibraryModule.h"
#include "wux/io/Path.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

TEST(PathModuleTest, WithoutLibraryModuleTheProgramsFolder) {
    ASSERT_EQ(cpp::lang::libraryModule(), nullptr);
    std::vector<wchar_t> buffer(0x8000);
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    ASSERT_GT(n, 0u);
    std::wstring program(buffer.data(), n);
    cpp::lang::String folder = cpp::io::Path::getCurrentModulePath();
    EXPECT_EQ(std::wstring(folder.getWCStr(), folder.getLength()),
              program.substr(0, program.rfind(L'\\')));
}

} // namespace
