// DrvPrinterEvent and the printer-data layer: "TotalBMB" exists after a
// printer is initialised, and only then is anything written.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>

#include "services/printerdata.h"
#include "tests/common/printers.h"
#include "tests/services/driver.h"

namespace {

struct AdminPrinter {
    HANDLE handle = NULL;
    explicit AdminPrinter(const WCHAR *name)
    {
        PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
        if (!OpenPrinterW(const_cast<WCHAR *>(name), &handle, &defaults))
            handle = NULL;
    }
    ~AdminPrinter()
    {
        if (handle)
            ClosePrinter(handle);
    }
};

struct Value {
    DWORD result;
    DWORD type;
    DWORD size;
    DWORD data;
};

Value ReadValue(HANDLE printer, const WCHAR *name)
{
    Value v = {};
    BYTE buffer[64] = {};
    v.result = GetPrinterDataW(printer, const_cast<WCHAR *>(name), &v.type, buffer, sizeof buffer,
                               &v.size);
    memcpy(&v.data, buffer, sizeof v.data);
    return v;
}

// The platform's spooler cannot delete printer data: remove the value where
// it keeps it.
void DeleteValue(const WCHAR *printer, const WCHAR *name)
{
    std::wstring path = L"System\\CurrentControlSet\\Control\\Print\\Printers\\";
    path += printer;
    path += L"\\PrinterDriverData";
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, name);
        RegCloseKey(key);
    }
}

BOOL Event(const WCHAR *printer, INT event)
{
    return Driver().DrvPrinterEvent(const_cast<WCHAR *>(printer), event, 0, 0);
}

TEST(PrinterEvent, InitialiseCreatesTotalBMBOnlyWhenUnreadable)
{
    AdminPrinter printer(PX_PRINTER_POSITIVE);
    ASSERT_TRUE(printer.handle);
    DeleteValue(PX_PRINTER_POSITIVE, L"TotalBMB");

    // Other events never touch the printer data.
    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_ADD_CONNECTION));
    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_DELETE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ReadValue(printer.handle, L"TotalBMB").result);

    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_INITIALIZE));
    Value created = ReadValue(printer.handle, L"TotalBMB");
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), created.result);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), created.type);
    EXPECT_EQ(4u, created.size);
    EXPECT_EQ(20u, created.data);

    DWORD kept = 32;
    SetPrinterDataW(printer.handle, const_cast<WCHAR *>(L"TotalBMB"), REG_DWORD,
                    reinterpret_cast<BYTE *>(&kept), sizeof kept);
    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_INITIALIZE));
    EXPECT_EQ(32u, ReadValue(printer.handle, L"TotalBMB").data);

    // A value too large for the 4-byte read is replaced.
    BYTE wide[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    SetPrinterDataW(printer.handle, const_cast<WCHAR *>(L"TotalBMB"), REG_BINARY, wide, sizeof wide);
    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_INITIALIZE));
    Value replaced = ReadValue(printer.handle, L"TotalBMB");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), replaced.type);
    EXPECT_EQ(4u, replaced.size);
    EXPECT_EQ(20u, replaced.data);

    EXPECT_TRUE(Event(L"No Such Printer", PRINTER_EVENT_INITIALIZE));
    EXPECT_TRUE(Event(NULL, PRINTER_EVENT_INITIALIZE));
}

TEST(PrinterData, PermissionProbeAndTotalBMBAccess)
{
    AdminPrinter printer(PX_PRINTER_POSITIVE);
    ASSERT_TRUE(printer.handle);
    DeleteValue(PX_PRINTER_POSITIVE, L"Permission");
    EXPECT_TRUE(ProbePrinterPermission(printer.handle));
    Value permission = ReadValue(printer.handle, L"Permission");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), permission.type);
    EXPECT_EQ(1u, permission.data);

    DWORD value = 77;
    EXPECT_TRUE(AccessTotalBMB(printer.handle, TOTALBMB_WRITE, &value));
    value = 0;
    EXPECT_TRUE(AccessTotalBMB(printer.handle, TOTALBMB_READ, &value));
    EXPECT_EQ(77u, value);
    EXPECT_FALSE(AccessTotalBMB(printer.handle, 3, &value));
    EXPECT_FALSE(AccessTotalBMB(printer.handle, TOTALBMB_READ, NULL));
}

}  // namespace
