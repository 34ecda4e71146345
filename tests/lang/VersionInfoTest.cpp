// wux.dll carries a VERSIONINFO resource made from the project version.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(VersionInfo, DllReportsItsNameAndVersion) {
    HMODULE module = LoadLibraryW(L"wux.dll");
    ASSERT_NE(module, nullptr) << "wux.dll lies beside the test program";
    wchar_t path[MAX_PATH];
    ASSERT_NE(GetModuleFileNameW(module, path, MAX_PATH), 0u);

    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_NE(size, 0u);
    std::vector<unsigned char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), WUX_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), WUX_VERSION_MINOR);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), WUX_VERSION_PATCH);

    wchar_t* name = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\OriginalFilename",
                               reinterpret_cast<void**>(&name), &length));
    EXPECT_STREQ(name, L"wux.dll");
    FreeLibrary(module);
}

} // namespace
