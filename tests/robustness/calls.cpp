#include "tests/robustness/calls.h"

#include <string.h>
#include <winspool.h>

#include "devmode/devmode.h"
#include "tests/robustness/world.h"

// Indexes into TheWorld()'s printers: three that bind, three that do not.
static const int kCallPrinters[6] = {0, 2, 3, 7, 6, 8};
static BYTE g_output[256 * 1024];  // large enough for any answer

static const WorldPrinter *PrinterOf(unsigned i)
{
    return &TheWorld()->printers[kCallPrinters[i % 6]];
}
static WCHAR *NameOf(unsigned i) { return const_cast<WCHAR *>(PrinterOf(i)->name); }
static HANDLE HandleOf(unsigned i) { return PrinterOf(i)->handle; }
// Null, the merged record, a refused job, garbage.
static DEVMODEW *RecordOf(unsigned i)
{
    World *w = TheWorld();
    DEVMODEW *records[4] = {NULL, &w->merged.dm, &w->refused.dm, &w->garbage.dm};
    return records[i % 4];
}
static DEVMODEW *Output(void) { return reinterpret_cast<DEVMODEW *>(g_output); }

static void Capabilities(const ModuleExports *entry, unsigned i)
{
    WORD index = static_cast<WORD>(i % 36);
    entry->DrvDeviceCapabilities(NULL, NameOf(i), index, g_output, RecordOf(i / 6));
}

static DWORD DocumentMode(unsigned i)
{
    static const DWORD kModes[] = {0, DM_OUT_BUFFER, DM_OUT_DEFAULT, DM_IN_BUFFER | DM_OUT_BUFFER};
    return kModes[(i / 3) % 4];
}

static void DocumentSheetsNoUI(const ModuleExports *entry, unsigned i)
{
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof header;
    header.hPrinter = HandleOf(i);
    header.pszPrinterName = NameOf(i);
    header.pdmIn = RecordOf(i / 6);
    header.pdmOut = Output();
    header.fMode = DocumentMode(i);
    entry->DrvDocumentPropertySheets(NULL, reinterpret_cast<LPARAM>(&header));
}

static void DocumentProperties(const ModuleExports *entry, unsigned i)
{
    entry->DrvDocumentProperties(NULL, HandleOf(i), NameOf(i), Output(), RecordOf(i / 6),
                              DocumentMode(i) & ~DM_IN_BUFFER);
}

static void AdvancedDocumentProperties(const ModuleExports *entry, unsigned i)
{
    // No output record: the size answer, no sheet.
    entry->DrvAdvancedDocumentProperties(NULL, HandleOf(i), NameOf(i), NULL, RecordOf(i / 6));
}

static void ConvertDevMode(const ModuleExports *entry, unsigned i)
{
    static const DWORD kModes[] = {CDM_CONVERT, CDM_CONVERT351, CDM_DRIVER_DEFAULT, 3};
    DWORD mode = kModes[(i / 6) % 4];
    LONG needed = (i % 7 == 6) ? 100 : static_cast<LONG>(sizeof(PXDEVMODE));
    DEVMODEW *out = Output();
    if (mode == CDM_CONVERT) {
        memcpy(out, RecordOf(1), sizeof(PXDEVMODE));
        needed = sizeof(PXDEVMODE);
    }
    entry->DrvConvertDevMode(NameOf(i), RecordOf(i / 6 + 1), out, &needed, mode);
}

static void JobQuery(const ModuleExports *entry, unsigned i)
{
    WCHAR reason[64];
    DWORD bytes = (i % 5) * 20;
    DEVQUERYPRINT_INFO info = {sizeof info, 1, HandleOf(i), RecordOf(i / 6), reason, bytes, 0};
    entry->DevQueryPrintEx(&info);
}

static void ColorProfile(const ModuleExports *entry, unsigned i)
{
    ULONG size = (i % 3) * 40;
    FLONG flags;
    entry->DrvQueryColorProfile(HandleOf(i), RecordOf(1 + i % 3),
                             i % 4 == 3 ? QCP_SOURCEPROFILE : QCP_DEVICEPROFILE, g_output, &size,
                             &flags);
}

static void PrinterEvent(const ModuleExports *entry, unsigned i)
{
    int event = i % 4 == 3 ? PRINTER_EVENT_ADD_CONNECTION : PRINTER_EVENT_INITIALIZE;
    entry->DrvPrinterEvent(NameOf(i), event, 0, 0);
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

ModuleExports LinkedEntryPoints(void)
{
    ModuleExports e = {};
    e.module = GetModuleHandleW(NULL);
#define PX_LINKED_EXPORT(name) e.name = ::name;
    PX_MODULE_EXPORTS(PX_LINKED_EXPORT)
#undef PX_LINKED_EXPORT
    return e;
}
