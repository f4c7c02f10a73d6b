// The platform hands several entry points a printer's name but no handle:
// its DocumentPropertiesW (also when its print dialogs and AddPrinterW ask
// for a record), DeviceCapabilitiesW, and the spooler's conversion call.
// Such an entry point opens the printer by that name for the call.
#pragma once

#include <windows.h>

#include "core/scope.h"

class PrinterByName {
public:
    // Takes `given` when there is one; otherwise opens the printer `name`
    // with `defaults` (may be NULL). With neither (or an empty name, which
    // would open the print server) there is no printer and the caller's
    // binding fails as it would without a handle.
    PrinterByName(HANDLE given, const WCHAR *name, PRINTER_DEFAULTSW *defaults = NULL);
    // Closes an opened printer, keeping the thread's last error.
    ~PrinterByName();
    PrinterByName(const PrinterByName &) = delete;
    PrinterByName &operator=(const PrinterByName &) = delete;

    // The given or opened handle, or NULL.
    HANDLE get() const { return given_ ? given_ : opened_.get(); }
    // The handle this scope opened (NULL when it was given or not opened);
    // the caller owns it from now on and closes it with ClosePrinter.
    HANDLE release() { return opened_.release(); }

private:
    HANDLE given_;
    UniquePrinter opened_;
};
