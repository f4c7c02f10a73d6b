// The printer's record as applications and Wine's own spooler ask for it:
// by the printer's name alone, without a printer handle.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "bench/psprinter.h"
#include "context/pagecontext.h"
#include "core/binding.h"
#include "core/platform.h"
#include "tests/apps/apps.h"
#include "tests/common/records.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"

namespace {

// The driver's own default for the printer, as the spooler asks for it.
bool DriverDefault(const WCHAR *printer, PXDEVMODE *out)
{
    LONG size = sizeof *out;
    return DrvConvertDevMode(Name(printer), NULL, &out->dm, &size, CDM_DRIVER_DEFAULT) &&
           size == sizeof *out;
}

void ExpectStoredRecordIsTheDefault(const WCHAR *printer)
{
    std::vector<BYTE> stored = StoredRecord(printer);
    ASSERT_EQ(sizeof(PXDEVMODE), stored.size()) << "stored record size of " << printer;
    const PXDEVMODE *record = reinterpret_cast<const PXDEVMODE *>(stored.data());
    PXDEVMODE expected;
    ASSERT_TRUE(DriverDefault(printer, &expected));
    EXPECT_TRUE(SameSettings(NamesCut(record), NamesCut(&expected))) << printer;
}

TEST(AppRecord, InstalledPrintersStoreTheDriversDefault)
{
    // pxhost install, run at the start of the suite.
    ExpectStoredRecordIsTheDefault(APPS_PRINTER);

    // A plain AddPrinterW without a record of its own.
    const WCHAR *plain = L"PX Apps Plain";
    std::vector<BYTE> info = PrinterInfo2(PrinterHandle(APPS_PRINTER));
    ASSERT_FALSE(info.empty());
    RemovePrinter(plain);
    ASSERT_TRUE(EnsurePrinterOnDriver(plain, AsInfo2(info)->pDriverName)) << GetLastError();
    ExpectStoredRecordIsTheDefault(plain);
    RemovePrinter(plain);
}

TEST(AppRecord, ByNameGivesTheSameRecordAsWithAHandle)
{
    HANDLE next = NextPrinterHandle(APPS_PRINTER);
    ASSERT_TRUE(next != NULL);
    EXPECT_EQ(4160, DocumentPropertiesW(NULL, NULL, Name(APPS_PRINTER), NULL, NULL, 0));
    Guarded byName(sizeof(PXDEVMODE));
    ASSERT_EQ(IDOK, DocumentPropertiesW(NULL, NULL, Name(APPS_PRINTER), byName.as<DEVMODEW>(),
                                        NULL, DM_OUT_BUFFER));
    EXPECT_EQ(next, NextPrinterHandle(APPS_PRINTER)) << "a printer handle was left open";

    PrinterHandle printer(APPS_PRINTER);
    Guarded byHandle(sizeof(PXDEVMODE));
    ASSERT_EQ(IDOK, DocumentPropertiesW(NULL, printer, Name(APPS_PRINTER),
                                        byHandle.as<DEVMODEW>(), NULL, DM_OUT_BUFFER));
    EXPECT_STREQ(APPS_PRINTER, byName.as<DEVMODEW>()->dmDeviceName);
    EXPECT_EQ(0x401, byName.as<DEVMODEW>()->dmSpecVersion);
    EXPECT_EQ(220, byName.as<DEVMODEW>()->dmSize);
    EXPECT_EQ(3940, byName.as<DEVMODEW>()->dmDriverExtra);
    EXPECT_TRUE(SameSettings(NamesCut(byName.as<PXDEVMODE>()), NamesCut(byHandle.as<PXDEVMODE>())));
}

// A sheet opened by name keeps the printer it opened for its whole life.
TEST(AppRecord, PageContextKeepsThePrinterItOpenedByName)
{
    HANDLE next = NextPrinterHandle(APPS_PRINTER);
    ASSERT_TRUE(next != NULL);
    UniquePageContext byName(AllocPageContext());
    ASSERT_TRUE(byName);
    ASSERT_TRUE(InitPageContext(byName.get(), NULL, Name(APPS_PRINTER), NULL));
    EXPECT_TRUE(byName.get()->hPrinter != NULL);
    EXPECT_EQ(byName.get()->hPrinter, byName.get()->ownedPrinter);
    EXPECT_NE(next, NextPrinterHandle(APPS_PRINTER)) << "the context's printer is not open";
    byName.reset();
    EXPECT_EQ(next, NextPrinterHandle(APPS_PRINTER)) << "the context's printer was left open";

    PrinterHandle given(APPS_PRINTER);
    UniquePageContext byHandle(AllocPageContext());
    ASSERT_TRUE(byHandle);
    ASSERT_TRUE(InitPageContext(byHandle.get(), given, Name(APPS_PRINTER), NULL));
    EXPECT_EQ(given.handle, byHandle.get()->hPrinter);
    EXPECT_TRUE(byHandle.get()->ownedPrinter == NULL) << "a given handle is the caller's";
}

// Offset of the first byte that is no longer the fill, or -1.
int FirstWrittenByte(const Guarded &buffer)
{
    for (SIZE_T i = 0; i < buffer.buffer.size; i++)
        if (buffer.buffer.data[i] != 0xCD)
            return static_cast<int>(i);
    return -1;
}

TEST(AppRecord, NamesThatCannotBeBoundFailWithoutWritingOrLeaking)
{
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), EnsurePostScriptPrinter());
    const WCHAR *names[] = {L"PX Apps No Such Printer", L"", PS_PRINTER, NULL};
    HANDLE next = NextPrinterHandle(APPS_PRINTER);
    ASSERT_TRUE(next != NULL);
    Guarded out(sizeof(PXDEVMODE));
    for (const WCHAR *name : names) {
        const std::wstring label = name ? (std::wstring(L"\"") + name + L"\"") : L"no name";
        FillMemory(out.buffer.data, out.buffer.size, 0xCD);
        SetLastError(0);
        EXPECT_EQ(-1, DrvDocumentProperties(NULL, NULL, Name(name), out.as<DEVMODEW>(), NULL,
                                            DM_COPY)) << label;
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << label;

        DOCUMENTPROPERTYHEADER header = {};
        header.cbSize = sizeof header;
        header.pszPrinterName = Name(name);
        header.pdmOut = out.as<DEVMODEW>();
        header.fMode = DM_UPDATE;
        SetLastError(0);
        EXPECT_EQ(-1, DrvDocumentPropertySheets(NULL, reinterpret_cast<LPARAM>(&header)))
            << label;
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << label;

        LONG needed = sizeof(PXDEVMODE);
        SetLastError(0);
        EXPECT_FALSE(DrvConvertDevMode(Name(name), NULL, out.as<DEVMODEW>(), &needed,
                                       CDM_DRIVER_DEFAULT)) << label;
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << label;
        EXPECT_EQ(4160, needed) << label;

        SetLastError(0);
        EXPECT_EQ(0u, DrvDeviceCapabilities(NULL, Name(name), DC_PAPERS, NULL, NULL)) << label;
        EXPECT_EQ(PX_ERROR_BIND_FAILED, GetLastError()) << label;

        EXPECT_EQ(-1, FirstWrittenByte(out)) << label << ": record written";
        EXPECT_EQ(next, NextPrinterHandle(APPS_PRINTER)) << label << ": a printer handle was left open";
    }
}

}  // namespace
