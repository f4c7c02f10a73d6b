// The per-sheet records that every page and dialog of the document property
// sheet works on, and their set-up.
#pragma once

#include "core/platform.h"
#include "core/scope.h"
#include "devmode/paperlist.h"

struct VersionPageContext {
    PrinterInfoRecord *pPrinterInfo;
    WCHAR *helpFile;          // owned by the enclosing context
    uint32_t inPrinterSheet;  // 1: a page of the printer sheet, 0: a dialog
    HANDLE hPrinter;          // whose data driver holds the version texts
};

struct PageContext {
    HANDLE hPrinter;
    WCHAR *pPrinterName;
    PrinterInfoRecord printerInfo;
    PXDEVMODE dmOpened;       // defaults, stored record, caller's record
    PXDEVMODE dmCurrent;      // what the pages edit
    PXDEVMODE dmDefault;      // the driver's own default: target of resets
    PaperList paperList;      // built with dmOpened
    uint32_t summaryPicture;
    int32_t canChange;
    int32_t refreshBasic;
    int32_t refreshOption;
    int32_t refreshSetup;
    WCHAR *helpFile;          // PxAlloc'd copy, or NULL
    VersionPageContext versionContext;
    int32_t applied;
    DWORD mode;
    DEVMODEW *dmOut;
    PFNCOMPROPSHEET pfnComPropSheet;
    HANDLE hComPropSheet;
    HANDLE ownedPrinter;      // opened by name for the sheet's life, or NULL
    WCHAR *dataFile;          // PxAlloc'd path of the data driver bound at
                              // set-up: the sheet binds it again for its queries
    // The arrows beside the pages' numeric edits, made by the pages (they
    // share their edit's id, so no id look-up finds them); null while the
    // page is not there.
    HWND scaleUpDown;         // the Basic page's scale
    HWND copiesUpDown;        // the Option page's copies
    // The spooler's information on the printer as read at set-up (PxAlloc'd,
    // or NULL): the stored record came from it, the working file's name does.
    PRINTER_INFO_2W *printerAtOpen;
    // The working settings file's path, found when the Basic page first
    // opens the store; empty until then or when it cannot be found.
    WCHAR workPath[MAX_PATH];
    // dmCurrent as each page last showed it after filling all its controls
    // and its summary: shown again with the record unchanged, a page's
    // controls already show it.
    PXDEVMODE shownBasic;
    PXDEVMODE shownOption;
    PXDEVMODE shownSetup;
};

// Binds the data driver and builds the opened and default records. Without
// a printer handle it opens the printer by its name and keeps the handle in
// hPrinter and ownedPrinter until ReleasePageContext. FALSE
// with last error 87 when the data driver cannot be bound, FALSE when the
// opened record cannot be built. The context may hold a paper list and a
// help file either way: release it with ReleasePageContext.
BOOL InitPageContext(PageContext *ctx, HANDLE hPrinter, WCHAR *pPrinterName,
                     const DEVMODEW *pdmIn);

// A new zero-filled context, known as live until it is released; null when
// memory is short.
PageContext *AllocPageContext(void);
// Closes a printer the context opened, frees the paper list, the printer
// information, the help file and data file copies and the context itself.
void ReleasePageContext(PageContext *ctx);
struct PageContextTraits {
    using Type = PageContext *;
    static Type None() { return nullptr; }
    static void Close(Type ctx) { ReleasePageContext(ctx); }
};
// Owns a context until a sheet takes it.
using UniquePageContext = UniqueAny<PageContextTraits>;

// Whether ctx is a context this process allocated and has not released:
// a page or dialog takes nothing else as its context.
BOOL IsLivePageContext(const PageContext *ctx);

// A PxAlloc'd copy of the driver's help file path, or NULL.
WCHAR *GetDriverHelpFile(HANDLE hPrinter);
