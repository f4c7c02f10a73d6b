#include "tests/robustness/calls.h"

#include <string.h>
#include <winspool.h>

#include "devmode/devmode.h"
#include "tests/common/printers.h"

static const WCHAR *const kCallPrinters[6] = {
    PX_PRINTER, PX_PRINTER_SECOND, PX_PRINTER_POSITIVE,
    PX_PRINTER_MISSING, PX_PRINTER_V115, PX_PRINTER_NOTDLL,
};

static int PrinterOf(unsigned i) { return i % 6; }
static DEVMODEW *RecordOf(const CallInputs *in, unsigned i) { return in->records[(i / 6) % 4]; }
static WCHAR *NameOf(const CallInputs *in, unsigned i)
{
    return const_cast<WCHAR *>(in->names[PrinterOf(i)]);
}

static void Capabilities(const CallInputs *in, unsigned i)
{
    in->entry->deviceCapabilities(NULL, NameOf(in, i), static_cast<WORD>(i % 36), in->output,
                                  RecordOf(in, i));
}

static DWORD DocumentMode(unsigned i)
{
    static const DWORD kModes[] = {0, DM_OUT_BUFFER, DM_OUT_DEFAULT, DM_IN_BUFFER | DM_OUT_BUFFER};
    return kModes[(i / 3) % 4];
}

static void DocumentSheetsNoUI(const CallInputs *in, unsigned i)
{
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof header;
    header.hPrinter = in->handles[PrinterOf(i)];
    header.pszPrinterName = NameOf(in, i);
    header.pdmIn = RecordOf(in, i);
    header.pdmOut = reinterpret_cast<DEVMODEW *>(in->output);
    header.fMode = DocumentMode(i);
    in->entry->documentPropertySheets(NULL, reinterpret_cast<LPARAM>(&header));
}

static void DocumentProperties(const CallInputs *in, unsigned i)
{
    in->entry->documentProperties(NULL, in->handles[PrinterOf(i)], NameOf(in, i),
                                  reinterpret_cast<DEVMODEW *>(in->output), RecordOf(in, i),
                                  DocumentMode(i) & ~DM_IN_BUFFER);
}

static void AdvancedDocumentProperties(const CallInputs *in, unsigned i)
{
    // No output record: the size answer, no sheet.
    in->entry->advancedDocumentProperties(NULL, in->handles[PrinterOf(i)], NameOf(in, i), NULL,
                                          RecordOf(in, i));
}

static void ConvertDevMode(const CallInputs *in, unsigned i)
{
    static const DWORD kModes[] = {CDM_CONVERT, CDM_CONVERT351, CDM_DRIVER_DEFAULT, 3};
    DWORD mode = kModes[(i / 6) % 4];
    LONG needed = (i % 7 == 6) ? 100 : static_cast<LONG>(sizeof(PXDEVMODE));
    DEVMODEW *out = reinterpret_cast<DEVMODEW *>(in->output);
    if (mode == CDM_CONVERT) {
        memcpy(out, in->records[1], sizeof(PXDEVMODE));
        needed = sizeof(PXDEVMODE);
    }
    in->entry->convertDevMode(NameOf(in, i), RecordOf(in, i + 6), out, &needed, mode);
}

static void JobQuery(const CallInputs *in, unsigned i)
{
    WCHAR reason[64];
    DEVQUERYPRINT_INFO info = {};
    info.cbSize = sizeof info;
    info.Level = 1;
    info.hPrinter = in->handles[PrinterOf(i)];
    info.pDevMode = RecordOf(in, i);
    info.pszErrorStr = reason;
    info.cchErrorStr = (i % 5) * 20;
    in->entry->devQueryPrintEx(&info);
}

static void ColorProfile(const CallInputs *in, unsigned i)
{
    ULONG size = (i % 3) * 40;
    FLONG flags;
    in->entry->queryColorProfile(in->handles[PrinterOf(i)], in->records[1 + i % 3],
                                 i % 4 == 3 ? QCP_SOURCEPROFILE : QCP_DEVICEPROFILE, in->output,
                                 &size, &flags);
}

static void PrinterEvent(const CallInputs *in, unsigned i)
{
    int event = i % 4 == 3 ? PRINTER_EVENT_ADD_CONNECTION : PRINTER_EVENT_INITIALIZE;
    in->entry->printerEvent(NameOf(in, i), event, 0, 0);
}

const EntryCall kEntryCalls[] = {
    {"DrvDeviceCapabilities", Capabilities},
    {"DrvDocumentPropertySheets (no window)", DocumentSheetsNoUI},
    {"DrvDocumentProperties (no prompt)", DocumentProperties},
    {"DrvAdvancedDocumentProperties (size)", AdvancedDocumentProperties},
    {"DrvConvertDevMode", ConvertDevMode},
    {"DevQueryPrintEx", JobQuery},
    {"DrvQueryColorProfile", ColorProfile},
    {"DrvPrinterEvent", PrinterEvent},
};
const int kEntryCallCount = sizeof kEntryCalls / sizeof kEntryCalls[0];

static void *Zeroed(SIZE_T bytes)
{
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
}

BOOL PrepareCallInputs(CallInputs *in, const DriverExports *entry)
{
    memset(in, 0, sizeof *in);
    in->entry = entry;
    for (int p = 0; p < 6; p++) {
        in->names[p] = kCallPrinters[p];
        if (!OpenPrinterW(const_cast<WCHAR *>(kCallPrinters[p]), &in->handles[p], NULL))
            return FALSE;
    }
    in->outputSize = 256 * 1024;
    in->output = static_cast<BYTE *>(Zeroed(in->outputSize));
    for (int r = 1; r < 4; r++)
        in->records[r] = static_cast<DEVMODEW *>(Zeroed(sizeof(PXDEVMODE)));
    if (!in->output || !in->records[1] || !in->records[2] || !in->records[3])
        return FALSE;
    if (DocumentPropertiesW(NULL, in->handles[0], const_cast<WCHAR *>(PX_PRINTER), in->records[1],
                            NULL, DM_OUT_BUFFER) != IDOK)
        return FALSE;
    memcpy(in->records[2], in->records[1], sizeof(PXDEVMODE));
    in->records[2]->dmFields |= DM_ORIENTATION;
    in->records[2]->dmOrientation = 7;
    BYTE *garbage = reinterpret_cast<BYTE *>(in->records[3]);
    for (size_t b = 0; b < sizeof(PXDEVMODE); b++)
        garbage[b] = static_cast<BYTE>(b * 37u + 11u);
    in->records[3]->dmSize = 220;
    in->records[3]->dmDriverExtra = 3940;
    return TRUE;
}

void ReleaseCallInputs(CallInputs *in)
{
    for (HANDLE h : in->handles)
        if (h)
            ClosePrinter(h);
    if (in->output)
        HeapFree(GetProcessHeap(), 0, in->output);
    for (DEVMODEW *r : in->records)
        if (r)
            HeapFree(GetProcessHeap(), 0, r);
    memset(in, 0, sizeof *in);
}

DriverExports LinkedEntryPoints(void)
{
    DriverExports e = {};
    e.module = GetModuleHandleW(NULL);
    e.deviceCapabilities = DrvDeviceCapabilities;
    e.convertDevMode = DrvConvertDevMode;
    e.devQueryPrintEx = DevQueryPrintEx;
    e.queryColorProfile = DrvQueryColorProfile;
    e.documentPropertySheets = DrvDocumentPropertySheets;
    e.documentProperties = DrvDocumentProperties;
    e.advancedDocumentProperties = DrvAdvancedDocumentProperties;
    e.printerEvent = DrvPrinterEvent;
    return e;
}
