// Process attach and detach of the built module: the data driver is loaded
// only on first need and released with the module.
#include <gtest/gtest.h>

#include "core/binding.h"
#include "core/platform.h"
#include "tests/common/paths.h"
#include "tests/common/printers.h"
#include "tools/moduleexports/moduleexports.h"

TEST(Lifecycle, DataDriverIsLoadedOnFirstNeedAndFreedAtDetach)
{
    // This process's own copy of the module code holds the second data
    // driver, so pxdata.dll is loaded only if the built module loads it.
    PrinterInfoRecord info = {};
    PrinterHandle second(PX_PRINTER_SECOND);
    ASSERT_TRUE(BindAndCheck(second, &info));
    ASSERT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL);

    // The module beside the test, not the spooler's copy: an instance of its own.
    const std::wstring path = BesideTest(L"pxui.dll");
    ModuleExports built;
    ASSERT_TRUE(LoadModuleExports(path.c_str(), &built));
    EXPECT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL) << "attach loaded the data driver";
    FreeModuleExports(&built);
    EXPECT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL);

    ASSERT_TRUE(LoadModuleExports(path.c_str(), &built));
    ASSERT_TRUE(built.DrvDeviceCapabilities != NULL);
    PrinterHandle printer(PX_PRINTER);
    DWORD papers = built.DrvDeviceCapabilities(printer, const_cast<WCHAR *>(PX_PRINTER),
                                               DC_PAPERS, NULL, NULL);
    EXPECT_GT(papers, 0u);
    EXPECT_NE(papers, (DWORD)GDI_ERROR);
    EXPECT_NE(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL);
    FreeModuleExports(&built);
    EXPECT_EQ(GetModuleHandleW(L"pxdata.dll"), (HMODULE)NULL) << "detach left the data driver loaded";
    // The test's own binding is untouched by the other copy's detach.
    EXPECT_TRUE(BindAndCheck(second, &info));
    EXPECT_EQ(info.maxCopies, 500);
}
