// The printer property sheet: one page, the Version page.
#pragma once

#include "context/pagecontext.h"

struct PrinterSheetContext {
    HANDLE hPrinter;
    int32_t canChange;
    PrinterInfoRecord printerInfo;
    VersionPageContext versionContext;
    int32_t confirmed;        // 1 after OK (PSN_APPLY), 0 after Cancel
};
