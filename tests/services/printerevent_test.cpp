// DrvPrinterEvent and the printer-data layer: "TotalBMB" exists after a
// printer is initialised, and only then is anything written.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>

#include "core/scope.h"
#include "services/printerdata.h"
#include "tests/common/printers.h"
#include "tests/services/driver.h"

namespace {

// Opened with the rights that change printer data.
UniquePrinter AdminPrinter(const WCHAR *name)
{
    PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
    return OpenPrinterScoped(name, &defaults);
}

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
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
        RegDeleteValueW(key.get(), name);
}

BOOL Event(const WCHAR *printer, INT event)
{
    return Driver().DrvPrinterEvent(const_cast<WCHAR *>(printer), event, 0, 0);
}

TEST(PrinterEvent, InitialiseCreatesTotalBMBOnlyWhenUnreadable)
{
    UniquePrinter printer = AdminPrinter(PX_PRINTER_POSITIVE);
    ASSERT_TRUE(printer);
    DeleteValue(PX_PRINTER_POSITIVE, L"TotalBMB");

    // Other events never touch the printer data.
    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_ADD_CONNECTION));
    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_DELETE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ReadValue(printer.get(), L"TotalBMB").result);

    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_INITIALIZE));
    Value created = ReadValue(printer.get(), L"TotalBMB");
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), created.result);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), created.type);
    EXPECT_EQ(4u, created.size);
    EXPECT_EQ(20u, created.data);

    DWORD kept = 32;
    SetPrinterDataW(printer.get(), const_cast<WCHAR *>(L"TotalBMB"), REG_DWORD,
                    reinterpret_cast<BYTE *>(&kept), sizeof kept);
    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_INITIALIZE));
    EXPECT_EQ(32u, ReadValue(printer.get(), L"TotalBMB").data);

    // A value too large for the 4-byte read is replaced.
    BYTE wide[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    SetPrinterDataW(printer.get(), const_cast<WCHAR *>(L"TotalBMB"), REG_BINARY, wide, sizeof wide);
    EXPECT_TRUE(Event(PX_PRINTER_POSITIVE, PRINTER_EVENT_INITIALIZE));
    Value replaced = ReadValue(printer.get(), L"TotalBMB");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), replaced.type);
    EXPECT_EQ(4u, replaced.size);
    EXPECT_EQ(20u, replaced.data);

    EXPECT_TRUE(Event(L"No Such Printer", PRINTER_EVENT_INITIALIZE));
    EXPECT_TRUE(Event(NULL, PRINTER_EVENT_INITIALIZE));
}

TEST(PrinterData, PermissionProbeAndTotalBMBAccess)
{
    UniquePrinter printer = AdminPrinter(PX_PRINTER_POSITIVE);
    ASSERT_TRUE(printer);
    DeleteValue(PX_PRINTER_POSITIVE, L"Permission");
    EXPECT_TRUE(ProbePrinterPermission(printer.get()));
    Value permission = ReadValue(printer.get(), L"Permission");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), permission.type);
    EXPECT_EQ(1u, permission.data);

    // Reads and writes are the printer event's; other operations are refused.
    DWORD value = 0;
    EXPECT_FALSE(AccessTotalBMB(printer.get(), 3, &value));
    EXPECT_FALSE(AccessTotalBMB(printer.get(), TOTALBMB_READ, NULL));
}

}  // namespace
