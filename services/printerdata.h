// The printer data this driver keeps per printer in the spooler. Value names
// come from the string table.
#pragma once

#include <windows.h>

#define IDS_PRINTER_DATA_PERMISSION 1792
#define IDS_PRINTER_DATA_TOTALBMB 1803

#define TOTALBMB_READ 1
#define TOTALBMB_WRITE 2
#define TOTALBMB_DEFAULT 20

// TRUE only when GetPrinterDataW succeeds; the type and needed size are not
// passed on.
BOOL GetDriverPrinterData(HANDLE printer, UINT nameId, BYTE *data, DWORD bytes);
// TRUE only when SetPrinterDataW succeeds.
BOOL SetDriverPrinterData(HANDLE printer, UINT nameId, const BYTE *data, DWORD bytes,
                          DWORD type);

// Writes "Permission" = 1: whether the caller may change the printer.
BOOL ProbePrinterPermission(HANDLE printer);
// op TOTALBMB_READ reads the 4-byte value, TOTALBMB_WRITE writes it as REG_DWORD.
BOOL AccessTotalBMB(HANDLE printer, int op, DWORD *value);
