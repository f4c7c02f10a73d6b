#include "services/printerdata.h"

#include <winspool.h>

#include "core/module.h"

#define VALUE_NAME_CHARS 64

static BOOL LoadValueName(UINT nameId, WCHAR *name)
{
    name[0] = 0;
    return LoadStringW(ModuleInstance(), nameId, name, VALUE_NAME_CHARS) > 0;
}

BOOL GetDriverPrinterData(HANDLE printer, UINT nameId, BYTE *data, DWORD bytes)
{
    WCHAR name[VALUE_NAME_CHARS];
    if (!LoadValueName(nameId, name))
        return FALSE;
    DWORD type = 0, needed = 0;
    return GetPrinterDataW(printer, name, &type, data, bytes, &needed) == ERROR_SUCCESS;
}

BOOL SetDriverPrinterData(HANDLE printer, UINT nameId, const BYTE *data, DWORD bytes,
                          DWORD type)
{
    WCHAR name[VALUE_NAME_CHARS];
    if (!LoadValueName(nameId, name))
        return FALSE;
    return SetPrinterDataW(printer, name, type, const_cast<BYTE *>(data), bytes) == ERROR_SUCCESS;
}

BOOL ProbePrinterPermission(HANDLE printer)
{
    DWORD one = 1;
    return SetDriverPrinterData(printer, IDS_PRINTER_DATA_PERMISSION,
                                reinterpret_cast<const BYTE *>(&one), sizeof one, REG_DWORD);
}

BOOL AccessTotalBMB(HANDLE printer, int op, DWORD *value)
{
    if (!value)
        return FALSE;
    BYTE *bytes = reinterpret_cast<BYTE *>(value);
    switch (op) {
    case TOTALBMB_READ:
        return GetDriverPrinterData(printer, IDS_PRINTER_DATA_TOTALBMB, bytes, sizeof *value);
    case TOTALBMB_WRITE:
        return SetDriverPrinterData(printer, IDS_PRINTER_DATA_TOTALBMB, bytes, sizeof *value,
                                    REG_DWORD);
    default:
        return FALSE;
    }
}
