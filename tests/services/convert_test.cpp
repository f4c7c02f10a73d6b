// DrvConvertDevMode as the spooler calls it: the merge of an old record and
// the failure table. The driver's default record, copies between record
// sizes, hostile and short sizes are the robustness fuzzer's.
#include <gtest/gtest.h>

#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/services/driver.h"

namespace {

WCHAR *Name(const WCHAR *printer) { return const_cast<WCHAR *>(printer); }

BOOL Convert(const WCHAR *printer, DEVMODEW *in, DEVMODEW *out, LONG *needed, DWORD mode)
{
    return Driver().DrvConvertDevMode(Name(printer), in, out, needed, mode);
}

// A full record of this driver, as the driver makes it.
void DriverDefault(PXDEVMODE *record)
{
    LONG needed = sizeof(PXDEVMODE);
    ASSERT_TRUE(Convert(PX_PRINTER, NULL, &record->dm, &needed, CDM_DRIVER_DEFAULT));
}

TEST(ConvertDevMode, Convert351MergesTheSourceIntoTheDriverDefault)
{
    Guarded source(sizeof(DEVMODEW));
    DEVMODEW *in = source.as<DEVMODEW>();
    in->dmSpecVersion = 0x401;
    in->dmSize = sizeof(DEVMODEW);
    in->dmFields = DM_COPIES | DM_SCALE | DM_ORIENTATION;
    in->dmCopies = 0;
    in->dmScale = 250;
    in->dmOrientation = 7;
    Guarded target(sizeof(PXDEVMODE));
    LONG needed = 4160;
    ASSERT_TRUE(Convert(PX_PRINTER, in, target.as<DEVMODEW>(), &needed, CDM_CONVERT351));
    const DEVMODEW &dm = target.as<PXDEVMODE>()->dm;
    EXPECT_EQ(1, dm.dmCopies);
    EXPECT_EQ(250, dm.dmScale);
    EXPECT_EQ(DMORIENT_PORTRAIT, dm.dmOrientation);
    EXPECT_EQ(3940, dm.dmDriverExtra);
}

TEST(ConvertDevMode, BadArgumentsShortBuffersAndUnknownPrintersGetInvalidParameter)
{
    Guarded source(sizeof(PXDEVMODE));
    DriverDefault(source.as<PXDEVMODE>());
    Guarded target(sizeof(PXDEVMODE));
    DEVMODEW *in = &source.as<PXDEVMODE>()->dm, *out = target.as<DEVMODEW>();
    out->dmSize = 220;
    out->dmDriverExtra = 3940;
    const WCHAR *px = PX_PRINTER;
    const struct {
        const WCHAR *printer;
        DWORD mode;
        LONG needed;
        DEVMODEW *in, *out;
    } refused[] = {
        // Short and negative sizes, no source and unknown modes are the fuzzer's.
        {px, CDM_CONVERT, 4160, in, NULL}, {px, 0xFFFFFFFF, 4160, NULL, out},
        {L"No Such Printer", CDM_DRIVER_DEFAULT, 4160, NULL, out},
        {PX_PRINTER_MISSING, CDM_DRIVER_DEFAULT, 4160, NULL, out},
        {PX_PRINTER_V205, CDM_DRIVER_DEFAULT, 4160, NULL, out},
    };
    for (const auto &r : refused) {
        LONG needed = r.needed;
        SetLastError(0);
        EXPECT_FALSE(Convert(r.printer, r.in, r.out, &needed, r.mode));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << r.mode;
        EXPECT_EQ(r.needed, needed) << r.mode;
    }
    SetLastError(0);
    EXPECT_FALSE(Convert(PX_PRINTER, NULL, out, NULL, CDM_DRIVER_DEFAULT));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

}  // namespace
