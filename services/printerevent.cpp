#include "services/printerevent.h"

#include "core/printerbyname.h"
#include "services/printerdata.h"
#include "core/trace.h"

// Gives a newly initialised printer its "TotalBMB" value unless it has a
// readable one already.
static void EnsureTotalBMB(HANDLE printer)
{
    DWORD value = 0;
    if (AccessTotalBMB(printer, TOTALBMB_READ, &value))
        return;
    value = TOTALBMB_DEFAULT;
    AccessTotalBMB(printer, TOTALBMB_WRITE, &value);
}

BOOL WINAPI DrvPrinterEvent(LPWSTR pPrinterName, INT DriverEvent, DWORD, LPARAM)
{
    if (DriverEvent != PRINTER_EVENT_INITIALIZE) {
        PX_TRACE(L"%ls, event %d: nothing to do", TraceText(pPrinterName), DriverEvent);
        return TRUE;
    }
    PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
    PrinterByName printer(NULL, pPrinterName, &defaults);
    if (!printer.get()) {
        PX_TRACE(L"%ls: cannot be opened, error %lu", TraceText(pPrinterName), GetLastError());
        return TRUE;
    }
    EnsureTotalBMB(printer.get());
    PX_TRACE(L"%ls: initialised", TraceText(pPrinterName));
    return TRUE;
}
