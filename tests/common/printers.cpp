#include "tests/common/printers.h"

#include <winspool.h>

const TestPrinterSpec kTestPrinters[] = {
    {PX_PRINTER, L"pxdata.dll"},
    {PX_PRINTER_V105, L"pxdata_v105.dll"},
    {PX_PRINTER_V115, L"pxdata_v115.dll"},
    {PX_PRINTER_V205, L"pxdata_v205.dll"},
    {PX_PRINTER_NOOP, L"pxdata_noop.dll"},
    {PX_PRINTER_NOCOLOR, L"pxdata_nocolor.dll"},
    {PX_PRINTER_POSITIVE, L"pxdata_pos.dll"},
    {PX_PRINTER_SECOND, L"pxdata2.dll"},
    {PX_PRINTER_MISSING, L"pxdata_missing.dll"},
    {PX_PRINTER_NOTDLL, L"pxdata_bad.dll"},
    {PX_PRINTER_NOPTYPE, L"pxdata_noptype.dll"},
    {PX_PRINTER_NOUSER, L"pxdata_nouser.dll"},
};
const int kTestPrinterCount = sizeof kTestPrinters / sizeof kTestPrinters[0];

PrinterHandle::PrinterHandle(const WCHAR *name)
{
    if (!OpenPrinterW(const_cast<WCHAR *>(name), &handle, NULL))
        handle = NULL;
}

PrinterHandle::~PrinterHandle()
{
    if (handle)
        ClosePrinter(handle);
}

bool EnsurePrinterOnDriver(const WCHAR *printer, const WCHAR *driver)
{
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<WCHAR *>(printer);
    info.pPortName = const_cast<WCHAR *>(L"FILE:");
    info.pDriverName = const_cast<WCHAR *>(driver);
    info.pPrintProcessor = const_cast<WCHAR *>(L"WinPrint");
    info.pDatatype = const_cast<WCHAR *>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE added = AddPrinterW(NULL, 2, reinterpret_cast<BYTE *>(&info));
    if (!added)
        return GetLastError() == ERROR_PRINTER_ALREADY_EXISTS;
    ClosePrinter(added);
    return true;
}

bool RemovePrinter(const WCHAR *printer)
{
    PRINTER_DEFAULTSW access = {NULL, NULL, PRINTER_ALL_ACCESS};
    HANDLE handle;
    if (!OpenPrinterW(const_cast<WCHAR *>(printer), &handle, &access))
        return false;
    BOOL deleted = DeletePrinter(handle);
    ClosePrinter(handle);
    return deleted != FALSE;
}

HANDLE NextPrinterHandle(const WCHAR *printer)
{
    HANDLE handle = NULL;
    if (OpenPrinterW(const_cast<WCHAR *>(printer), &handle, NULL))
        ClosePrinter(handle);
    return handle;
}

std::vector<BYTE> PrinterInfo2(HANDLE printer)
{
    DWORD needed = 0;
    GetPrinterW(printer, 2, NULL, 0, &needed);
    std::vector<BYTE> info(needed);
    if (!needed || !GetPrinterW(printer, 2, info.data(), needed, &needed))
        info.clear();
    return info;
}

DriverInfo3::DriverInfo3(const WCHAR *printer)
{
    PrinterHandle handle(printer);
    DWORD needed = 0;
    GetPrinterDriverW(handle, NULL, 3, NULL, 0, &needed);
    buffer.resize(needed > sizeof(DRIVER_INFO_3W) ? needed : sizeof(DRIVER_INFO_3W));
    if (!GetPrinterDriverW(handle, NULL, 3, buffer.data(), static_cast<DWORD>(buffer.size()), &needed))
        buffer.assign(sizeof(DRIVER_INFO_3W), 0);
    info = reinterpret_cast<DRIVER_INFO_3W *>(buffer.data());
}
