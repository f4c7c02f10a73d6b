// DrvConvertDevMode as the spooler calls it: copies between record sizes and
// the driver's default record, with its failure table.
#include <gtest/gtest.h>

#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/common/records.h"
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

TEST(ConvertDevMode, ConvertCopiesWhatBothHoldAndKeepsTheDestinationHeader)
{
    Guarded source(sizeof(PXDEVMODE));
    DriverDefault(source.as<PXDEVMODE>());
    DEVMODEW *in = &source.as<PXDEVMODE>()->dm;
    in->dmOrientation = DMORIENT_LANDSCAPE;
    in->dmICMMethod = DMICMMETHOD_SYSTEM;

    // A destination of an older public size and no private part.
    Guarded target(156);
    FillMemory(target.buffer.data, 156, 0xCD);
    DEVMODEW *out = target.as<DEVMODEW>();
    out->dmSpecVersion = 0x320;
    out->dmDriverVersion = 0x7;
    out->dmSize = 156;
    out->dmDriverExtra = 0;
    LONG needed = 156;
    ASSERT_TRUE(Convert(PX_PRINTER, in, out, &needed, CDM_CONVERT));
    EXPECT_EQ(156, needed);
    EXPECT_EQ(156, out->dmSize);
    EXPECT_EQ(0, out->dmDriverExtra);
    EXPECT_EQ(0x320, out->dmSpecVersion);
    EXPECT_EQ(0x7, out->dmDriverVersion);
    EXPECT_EQ(in->dmFields, out->dmFields);
    EXPECT_EQ(DMORIENT_LANDSCAPE, out->dmOrientation);
    EXPECT_STREQ(in->dmDeviceName, out->dmDeviceName);

    // A full destination keeps its own dmICMMethod and gets the private part.
    Guarded full(sizeof(PXDEVMODE));
    PXDEVMODE *record = full.as<PXDEVMODE>();
    record->dm.dmSize = 220;
    record->dm.dmDriverExtra = 3940;
    record->dm.dmICMMethod = DMICMMETHOD_NONE;
    needed = sizeof(PXDEVMODE);
    ASSERT_TRUE(Convert(PX_PRINTER, in, &record->dm, &needed, CDM_CONVERT));
    EXPECT_EQ(4160, needed);
    EXPECT_EQ(static_cast<DWORD>(DMICMMETHOD_NONE), record->dm.dmICMMethod);
    const PXDEVMODE *sent = reinterpret_cast<PXDEVMODE *>(in);
    EXPECT_TRUE(SameSettings(*record, *sent, PX_DM_PUBLIC_SIZE)) << "the private part";
    EXPECT_EQ(record->pdmSettingStore, sent->pdmSettingStore) << "pdmSettingStore";
    EXPECT_EQ(record->pdmSettingStoreHandle, sent->pdmSettingStoreHandle) << "pdmSettingStoreHandle";
}

TEST(ConvertDevMode, DefaultModesNeedTheWholeRecord)
{
    for (DWORD mode : {static_cast<DWORD>(CDM_DRIVER_DEFAULT), static_cast<DWORD>(CDM_CONVERT351)}) {
        Guarded target(sizeof(PXDEVMODE));
        LONG needed = 4159;
        SetLastError(0);
        EXPECT_FALSE(Convert(PX_PRINTER, NULL, target.as<DEVMODEW>(), &needed, mode));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
        EXPECT_EQ(4160, needed);
        needed = 1 << 20;
        EXPECT_FALSE(Convert(PX_PRINTER, NULL, NULL, &needed, mode));
        EXPECT_EQ(4160, needed);
        needed = 4160;
        ASSERT_TRUE(Convert(PX_PRINTER, NULL, target.as<DEVMODEW>(), &needed, mode));
        EXPECT_EQ(4160, needed);
        EXPECT_EQ(220, target.as<DEVMODEW>()->dmSize);
        EXPECT_EQ(3940, target.as<DEVMODEW>()->dmDriverExtra);
        EXPECT_STREQ(PX_PRINTER, target.as<DEVMODEW>()->dmDeviceName);
    }
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

// Hostile sizes: every destination ends at a guard page, so a read or write
// past what the caller declared faults. Destinations too small for the
// header they keep are the fuzzer's.
TEST(ConvertDevMode, HostileSizesNeverReachPastTheDeclaredBuffer)
{
    for (DWORD mode : {static_cast<DWORD>(CDM_DRIVER_DEFAULT), static_cast<DWORD>(CDM_CONVERT351)}) {
        for (LONG negative : {-1L, static_cast<LONG>(0x80000000u)}) {
            Guarded small(64);
            LONG needed = negative;
            SetLastError(0);
            EXPECT_FALSE(Convert(PX_PRINTER, NULL, small.as<DEVMODEW>(), &needed, mode));
            EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError()) << negative;
            EXPECT_EQ(4160, needed) << negative;
        }
    }

    Guarded source(sizeof(PXDEVMODE));
    DriverDefault(source.as<PXDEVMODE>());
    DEVMODEW *in = &source.as<PXDEVMODE>()->dm;
    // A 180-byte buffer that declares a full record: refused on its size
    // before dmICMMethod (bytes 188-191) is read.
    Guarded shortTarget(180);
    shortTarget.as<DEVMODEW>()->dmSize = 220;
    shortTarget.as<DEVMODEW>()->dmDriverExtra = 3940;
    // A buffer too small for the header's size fields themselves.
    Guarded tiny(64);
    const struct {
        DEVMODEW *out;
        LONG needed;
    } unreadable[] = {{shortTarget.as<DEVMODEW>(), 180}, {tiny.as<DEVMODEW>(), 64}};
    for (const auto &u : unreadable) {
        LONG needed = u.needed;
        SetLastError(0);
        EXPECT_FALSE(Convert(PX_PRINTER, in, u.out, &needed, CDM_CONVERT));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << u.needed;
        EXPECT_EQ(u.needed, needed);
    }
}

}  // namespace
