// The driver module as the spooler holds it: pxui.dll loaded from the test
// executable's folder, its exports resolved by name. Plus helpers shared by
// the service suites.
#pragma once

#include <windows.h>

#include "core/platform.h"
#include "devmode/devmode.h"

typedef DWORD(WINAPI *PFN_DrvDeviceCapabilities)(HANDLE, PWSTR, WORD, VOID *, DEVMODEW *);
typedef BOOL(WINAPI *PFN_DrvConvertDevMode)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);
typedef BOOL(WINAPI *PFN_DevQueryPrintEx)(PDEVQUERYPRINT_INFO);
typedef BOOL(WINAPI *PFN_DrvPrinterEvent)(LPWSTR, INT, DWORD, LPARAM);
typedef BOOL(WINAPI *PFN_DrvQueryColorProfile)(HANDLE, PDEVMODEW, ULONG, VOID *, ULONG *,
                                              FLONG *);
typedef LONG(WINAPI *PFN_DrvDocumentPropertySheets)(PPROPSHEETUI_INFO, LPARAM);
typedef LONG(WINAPI *PFN_DrvDocumentProperties)(HWND, HANDLE, PWSTR, PDEVMODEW, PDEVMODEW,
                                               DWORD);
typedef LONG(WINAPI *PFN_DrvAdvancedDocumentProperties)(HWND, HANDLE, PWSTR, PDEVMODEW,
                                                       PDEVMODEW);

struct DriverModule {
    HMODULE module;
    PFN_DrvDeviceCapabilities DrvDeviceCapabilities;
    PFN_DrvConvertDevMode DrvConvertDevMode;
    PFN_DevQueryPrintEx DevQueryPrintEx;
    PFN_DrvPrinterEvent DrvPrinterEvent;
    PFN_DrvQueryColorProfile DrvQueryColorProfile;
    PFN_DrvDocumentPropertySheets DrvDocumentPropertySheets;
    PFN_DrvDocumentProperties DrvDocumentProperties;
    PFN_DrvAdvancedDocumentProperties DrvAdvancedDocumentProperties;
};

// Loaded once per process and kept, as the spooler keeps it.
const DriverModule &Driver(void);

// The merged device mode an application gets from DocumentPropertiesW
// (DM_OUT_BUFFER, optionally DM_IN_BUFFER with input). TRUE on IDOK.
BOOL AppDevMode(const WCHAR *printer, const DEVMODEW *input, PXDEVMODE *out);
