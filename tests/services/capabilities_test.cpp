// DeviceCapabilitiesW as an application calls it: the platform routes it to
// the printer's config module, which answers from a freshly built record.
#include <gtest/gtest.h>

#include <windows.h>
#include <wchar.h>
#include <winspool.h>

#include "core/binding.h"
#include "services/capabilities.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/services/driver.h"

namespace {

const BYTE kUntouched = 0xCD;

LONG Caps(const WCHAR *printer, WORD index, void *output = NULL, const DEVMODEW *dm = NULL)
{
    return DeviceCapabilitiesW(printer, NULL, index, static_cast<WCHAR *>(output), dm);
}

PaperEntry ListEntry(uint16_t paperSize, int32_t width, int32_t length, const WCHAR *name)
{
    PaperEntry e = {};
    e.paperSize = paperSize;
    e.width = width;
    e.length = length;
    lstrcpynW(e.name, name, PX_NAME_CHARS);
    return e;
}

// Lists of other data drivers: output-size choices anywhere in the list, a
// form without a code and a name that fills its whole field.
TEST(Capabilities, PaperElementsLeaveOutOutputSizesAndKeepToTheirSlots)
{
    PaperEntry entries[6] = {
        ListEntry(363, 0, 0, L"same size"), ListEntry(261, 2100, 2970, L"ISO A4"),
        ListEntry(364, 0, 0, L"media width"), ListEntry(0, 9000, 12000, L""),
        ListEntry(365, 0, 0, L"scale"), ListEntry(256, 3000, 2000, L"user"),
    };
    for (int i = 0; i < PX_NAME_CHARS; i++)
        entries[3].name[i] = static_cast<WCHAR>(L'a' + i % 26);
    PaperList list = {1, 6, entries};

    for (WORD index : {DC_PAPERS, DC_PAPERSIZE, DC_PAPERNAMES, DC_MEDIAREADY})
        EXPECT_EQ(3u, EnumeratePaperElements(&list, index, NULL)) << index;

    Guarded codes(3 * sizeof(WORD));
    ASSERT_EQ(3u, EnumeratePaperElements(&list, DC_PAPERS, codes.as<WORD>()));
    EXPECT_EQ(261, codes.as<WORD>()[0]);
    EXPECT_EQ(0, codes.as<WORD>()[1]);
    EXPECT_EQ(256, codes.as<WORD>()[2]);

    Guarded sizes(3 * sizeof(POINT));
    ASSERT_EQ(3u, EnumeratePaperElements(&list, DC_PAPERSIZE, sizes.as<POINT>()));
    EXPECT_EQ(9000, sizes.as<POINT>()[1].x);
    EXPECT_EQ(12000, sizes.as<POINT>()[1].y);
    EXPECT_EQ(3000, sizes.as<POINT>()[2].x);

    for (WORD index : {DC_PAPERNAMES, DC_MEDIAREADY}) {
        Guarded names(3 * 64 * sizeof(WCHAR));
        FillMemory(names.buffer.data, names.buffer.size, kUntouched);
        ASSERT_EQ(3u, EnumeratePaperElements(&list, index, names.as<WCHAR>()));
        const WCHAR *slots = names.as<WCHAR>();
        EXPECT_STREQ(L"ISO A4", slots);
        EXPECT_EQ(kUntouched, names.buffer.data[7 * sizeof(WCHAR)]);
        EXPECT_EQ(0, memcmp(slots + 64, entries[3].name, 63 * sizeof(WCHAR)));
        EXPECT_EQ(0, slots[64 + 63]) << "a full-length name still ends in its slot";
        EXPECT_STREQ(L"user", slots + 128);
    }
}

// The fixed answers (DC_SIZE, DC_EXTRA, the versions) are the fuzzer's.
TEST(Capabilities, FieldsMatchTheRecordAnApplicationGets)
{
    Guarded record(sizeof(PXDEVMODE));
    ASSERT_TRUE(AppDevMode(PX_PRINTER, NULL, record.as<PXDEVMODE>()));
    const DEVMODEW &dm = record.as<PXDEVMODE>()->dm;
    EXPECT_EQ(static_cast<LONG>(dm.dmFields), Caps(PX_PRINTER, DC_FIELDS));

    // A caller's record that declares only its orientation does not narrow
    // the fields of the merged record.
    Guarded caller(sizeof(DEVMODEW));
    DEVMODEW *in = caller.as<DEVMODEW>();
    in->dmSize = sizeof(DEVMODEW);
    in->dmSpecVersion = 0x401;
    in->dmFields = DM_ORIENTATION;
    in->dmOrientation = DMORIENT_LANDSCAPE;
    EXPECT_EQ(static_cast<LONG>(dm.dmFields), Caps(PX_PRINTER, DC_FIELDS, NULL, in));
}

TEST(Capabilities, AnswersOfTheDataDrivers)
{
    // The fixed answers of every index are checked by the robustness fuzzer
    // on every printer and record; here the answers of the data drivers.
    EXPECT_EQ(999, Caps(PX_PRINTER, DC_COPIES));
    EXPECT_EQ(500, Caps(PX_PRINTER_SECOND, DC_COPIES));
    EXPECT_EQ(1, Caps(PX_PRINTER, DC_COLORDEVICE));
    DWORD minimum = static_cast<DWORD>(Caps(PX_PRINTER, DC_MINEXTENT));
    EXPECT_EQ(1000u, LOWORD(minimum));
    EXPECT_EQ(1000u, HIWORD(minimum));
    minimum = static_cast<DWORD>(Caps(PX_PRINTER_SECOND, DC_MINEXTENT));
    EXPECT_EQ(900u, LOWORD(minimum)) << "the minimum width";
    EXPECT_EQ(1000u, HIWORD(minimum)) << "the minimum length";
    // The length limit is 18 m, reported at the most a POINTS can hold.
    DWORD maximum = static_cast<DWORD>(Caps(PX_PRINTER, DC_MAXEXTENT));
    EXPECT_EQ(13710u, LOWORD(maximum));
    EXPECT_EQ(32767u, HIWORD(maximum));
}

TEST(Capabilities, PersonalitiesArePaddedWithinTheirSlots)
{
    EXPECT_EQ(2, Caps(PX_PRINTER, DC_PERSONALITY));
    Guarded slots(2 * 32 * sizeof(WCHAR));
    FillMemory(slots.buffer.data, slots.buffer.size, kUntouched);
    ASSERT_EQ(2, Caps(PX_PRINTER, DC_PERSONALITY, slots.as<WCHAR>()));
    EXPECT_STREQ(L"OH-GL/2", slots.as<WCHAR>());
    EXPECT_STREQ(L"RTL-PASS", slots.as<WCHAR>() + 32);
    for (int i = 9; i < 32; i++)
        EXPECT_EQ(0, slots.as<WCHAR>()[32 + i]) << "padding of the second slot";
}

TEST(Capabilities, UnboundPrintersAnswerZeroWithTheBindingError)
{
    SetLastError(0);
    EXPECT_EQ(0, Caps(PX_PRINTER_V115, DC_SIZE));
    EXPECT_EQ(PX_ERROR_VERSION_REFUSED, GetLastError());
    SetLastError(0);
    EXPECT_EQ(0, Caps(PX_PRINTER_MISSING, DC_PAPERS));
    EXPECT_EQ(PX_ERROR_BIND_FAILED, GetLastError());
    // Preparation comes first: even an unsupported index answers 0 here.
    EXPECT_EQ(0, Caps(PX_PRINTER_NOTDLL, 34));

    // Called as the spooler does, with a handle; and with neither handle nor name.
    PrinterHandle printer(PX_PRINTER);
    ASSERT_TRUE(printer.handle);
    EXPECT_EQ(220u, Driver().DrvDeviceCapabilities(printer, NULL, DC_SIZE, NULL, NULL));
    SetLastError(0);
    EXPECT_EQ(0u, Driver().DrvDeviceCapabilities(NULL, NULL, DC_SIZE, NULL, NULL));
    EXPECT_EQ(PX_ERROR_BIND_FAILED, GetLastError());
}

}  // namespace
