// Process attach and detach of the built module: the data driver is loaded
// only on first need and released with the module.
#include <gtest/gtest.h>

#include "core/binding.h"
#include "core/platform.h"
#include "tests/common/printers.h"

typedef DWORD(WINAPI *PFN_DrvDeviceCapabilities)(HANDLE, PWSTR, WORD, VOID *, DEVMODEW *);

static HMODULE LoadBuiltModule(void)
{
    WCHAR path[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\')
        n--;
    lstrcpyW(path + n, L"pxui.dll");
    return LoadLibraryW(path);
}

TEST(Lifecycle, DataDriverIsLoadedOnFirstNeedAndFreedAtDetach)
{
    // This process's own copy of the module code holds the second data
    // driver, so pxdata.dll is loaded only if the built module loads it.
    PrinterInfoRecord info = {};
    PrinterHandle second(PX_PRINTER_SECOND);
    ASSERT_TRUE(BindAndCheck(second, &info));
    ASSERT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL);

    HMODULE module = LoadBuiltModule();
    ASSERT_TRUE(module != NULL);
    EXPECT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL) << "attach loaded the data driver";
    FreeLibrary(module);
    EXPECT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL);

    module = LoadBuiltModule();
    ASSERT_TRUE(module != NULL);
    auto caps = reinterpret_cast<PFN_DrvDeviceCapabilities>(
        reinterpret_cast<void *>(GetProcAddress(module, "DrvDeviceCapabilities")));
    ASSERT_TRUE(caps != NULL);
    PrinterHandle printer(PX_PRINTER);
    DWORD papers = caps(printer, const_cast<WCHAR *>(PX_PRINTER), DC_PAPERS, NULL, NULL);
    EXPECT_GT(papers, 0u);
    EXPECT_NE(papers, (DWORD)GDI_ERROR);
    EXPECT_NE(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL);
    FreeLibrary(module);
    EXPECT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL) << "detach left the data driver loaded";
    // The test's own binding is untouched by the other copy's detach.
    EXPECT_TRUE(BindAndCheck(second, &info));
    EXPECT_EQ(info.maxCopies, 500);
}
