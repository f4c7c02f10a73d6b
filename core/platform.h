// Printer-driver interface declarations that the MinGW headers lack, taken
// from the Windows driver documentation. Sizes are checked for both targets.
#pragma once

#include <windows.h>
#include <winspool.h>
#include <compstui.h>
#include <winddiui.h>

struct DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
};
typedef DOCUMENTPROPERTYHEADER *PDOCUMENTPROPERTYHEADER;

struct DEVICEPROPERTYHEADER {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
};
typedef DEVICEPROPERTYHEADER *PDEVICEPROPERTYHEADER;

#define DPS_NOPERMISSION 0x0001

struct DEVQUERYPRINT_INFO {
    WORD cbSize;
    WORD Level;
    HANDLE hPrinter;
    DEVMODEW *pDevMode;
    LPWSTR pszErrorStr;
    DWORD cchErrorStr;
    DWORD cchNeeded;
};
typedef DEVQUERYPRINT_INFO *PDEVQUERYPRINT_INFO;

#if defined(_WIN64)
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == 48, "");
static_assert(sizeof(DEVICEPROPERTYHEADER) == 24, "");
static_assert(sizeof(DEVQUERYPRINT_INFO) == 40, "");
#else
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == 28, "");
static_assert(sizeof(DEVICEPROPERTYHEADER) == 12, "");
static_assert(sizeof(DEVQUERYPRINT_INFO) == 24, "");
#endif

// DrvConvertDevMode modes.
#define CDM_CONVERT 0x01
#define CDM_CONVERT351 0x02
#define CDM_DRIVER_DEFAULT 0x04

// DrvQueryColorProfile query modes and flags.
#define QCP_DEVICEPROFILE 0x0000
#define QCP_SOURCEPROFILE 0x0001
#define QCP_PROFILEMEMORY 0x00000001
#define QCP_PROFILEDISK 0x00000002

// compstui's sheet callback. mingw-w64's compstui.h declares PFNPROPSHEETUI
// without its calling convention, which is WINAPI on x86 as for every
// driver entry point.
typedef LONG(WINAPI *PX_PFNPROPSHEETUI)(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);

extern "C" {
DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap,
                                   VOID *pvOutput, DEVMODEW *pDevMode);
BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut,
                              PLONG pcbNeeded, DWORD fMode);
BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO pDQPInfo);
BOOL WINAPI DrvQueryColorProfile(HANDLE hPrinter, PDEVMODEW pdevmode, ULONG ulQueryMode,
                                 VOID *pvProfileData, ULONG *pcbProfileData,
                                 FLONG *pflProfileData);
LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
BOOL WINAPI PrinterProperties(HWND hWnd, HANDLE hPrinter);
LONG WINAPI DrvDocumentProperties(HWND hWnd, HANDLE hPrinter, PWSTR pDeviceName,
                                  PDEVMODEW pdmOutput, PDEVMODEW pdmInput, DWORD fMode);
LONG WINAPI DrvAdvancedDocumentProperties(HWND hWnd, HANDLE hPrinter, PWSTR pDeviceName,
                                          PDEVMODEW pdmOutput, PDEVMODEW pdmInput);
}
