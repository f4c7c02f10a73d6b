#include "core/printerbyname.h"

#include <winspool.h>

#include "core/trace.h"

PrinterByName::PrinterByName(HANDLE given, const WCHAR *name, PRINTER_DEFAULTSW *defaults)
    : given_(given)
{
    if (given || !name || !name[0])
        return;
    if (!OpenPrinterW(const_cast<WCHAR *>(name), opened_.put(), defaults)) {
        DWORD error = GetLastError();
        opened_.release();  // a failed open may leave anything in the slot
        PX_TRACE(L"cannot open \"%ls\": %lu", name, error);
        SetLastError(error);
    }
}

PrinterByName::~PrinterByName()
{
    DWORD error = GetLastError();
    opened_.reset();
    SetLastError(error);
}
