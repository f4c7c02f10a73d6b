// The printers the test fixture installs, and helpers to reach them.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <vector>

// The reference printer on the reference data driver.
#define PX_PRINTER L"ORVEN PX-2210"
// Printers on test doubles of the data driver.
#define PX_PRINTER_V105 L"PX Test v105"        // interface 0x0105: accepted
#define PX_PRINTER_V115 L"PX Test v115"        // 0x0115: refused
#define PX_PRINTER_V205 L"PX Test v205"        // 0x0205: refused
#define PX_PRINTER_NOOP L"PX Test NoQltSearch" // lacks xRtlQltModeSearch
#define PX_PRINTER_NOCOLOR L"PX Test NoColor"  // no quality modes, no colour corrections
#define PX_PRINTER_POSITIVE L"PX Test Positive" // positive paper count: no forms
#define PX_PRINTER_SECOND L"PX Test Second"    // same tables, another file
#define PX_PRINTER_MISSING L"PX Test Missing"  // data file deleted after install
#define PX_PRINTER_NOTDLL L"PX Test NotDll"    // data file is not a library
#define PX_PRINTER_NOPTYPE L"PX Test NoPaperTypes" // no paper types
#define PX_PRINTER_NOUSER L"PX Test NoUserSizes"   // no user-size papers

struct TestPrinterSpec {
    const WCHAR *printer;
    const WCHAR *dataFile;
};
extern const TestPrinterSpec kTestPrinters[];
extern const int kTestPrinterCount;

// Adds a local printer on port FILE: with the named driver (drivers are
// named after the fixture's printers); true when it exists afterwards.
bool EnsurePrinterOnDriver(const WCHAR *printer, const WCHAR *driver);
// Deletes the printer when it exists; true when it was deleted.
bool RemovePrinter(const WCHAR *printer);

// The value the spooler gives the next handle opened on the printer. Handles
// take the lowest free slot, so a handle some call left open shows as a
// changed value.
HANDLE NextPrinterHandle(const WCHAR *printer);

// The printer's PRINTER_INFO_2W with the strings and record it points to;
// empty when it cannot be read.
std::vector<BYTE> PrinterInfo2(HANDLE printer);
inline PRINTER_INFO_2W *AsInfo2(std::vector<BYTE> &info)
{
    return reinterpret_cast<PRINTER_INFO_2W *>(info.data());
}

// The driver information (level 3) of a printer with the strings it points
// to; every name null when it cannot be read.
struct DriverInfo3 {
    explicit DriverInfo3(const WCHAR *printer);
    DriverInfo3(const DriverInfo3 &) = delete;
    DriverInfo3 &operator=(const DriverInfo3 &) = delete;
    std::vector<BYTE> buffer;
    DRIVER_INFO_3W *info;
};

// Opens a test printer; the handle is closed by the guard.
struct PrinterHandle {
    HANDLE handle = NULL;
    explicit PrinterHandle(const WCHAR *name);
    ~PrinterHandle();
    PrinterHandle(const PrinterHandle &) = delete;
    PrinterHandle &operator=(const PrinterHandle &) = delete;
    operator HANDLE() const { return handle; }
};
