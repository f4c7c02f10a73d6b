// What is measured: the calls an application or the spooler makes into a
// printer driver, and the spooler calls under them (the floor).
#pragma once

#include "bench/targets.h"
#include "bench/timing.h"
#include "settings/settingstore.h"

enum FloorItem {
    FLOOR_OPEN_CLOSE,       // OpenPrinterW + ClosePrinter
    FLOOR_GET_PRINTER_2,    // GetPrinterW level 2 (the stored record)
    FLOOR_GET_DRIVER_2,     // GetPrinterDriverW level 2 (the data file)
    FLOOR_GET_DRIVER_3,     // GetPrinterDriverW level 3 (the help file)
    FLOOR_ENUM_FORMS,       // EnumFormsW level 1 (the spooler's forms)
    FLOOR_ITEM_COUNT
};

extern const char *const kFloorItemLabels[FLOOR_ITEM_COUNT];

// State the calls work on; everything is prepared before timing starts.
struct BenchContext {
    PrinterTarget *target;
    const ModuleExports *exports;
    DEVMODEW *failingJob;   // a job whose orientation the driver must repair
    DEVMODEW *convertOut;   // a 4160-byte destination for conversions
    BYTE *infoBuffer;       // pre-sized buffers for the floor calls
    DWORD infoBufferSize;
    WCHAR errorText[64];
    WCHAR settingsFile[MAX_PATH];
    PXDEVMODE *savedRecord;    // saved to the settings file, with its store
    PXDEVMODE *loadedRecord;   // receives what the file holds
    SettingStore *loadedStore;
};

struct BenchCase {
    const char *label;
    TimedCall call;
    BOOL bothPrinters;      // the PostScript printer answers it too
    BOOL spoolerFacing;     // held to the floor target
    BYTE floor[FLOOR_ITEM_COUNT];  // spooler calls the entry point must make
};

extern const BenchCase kBenchCases[];
extern const int kBenchCaseCount;

// The floor calls, made on our printer with buffers that need no size query.
extern const TimedCall kFloorCalls[FLOOR_ITEM_COUNT];

// The same spooler calls asked for their size only (no buffer): not part of
// the floor, shown to explain a module that asks for sizes first.
#define SIZE_QUERY_COUNT 4
extern const char *const kSizeQueryLabels[SIZE_QUERY_COUNT];
extern const TimedCall kSizeQueryCalls[SIZE_QUERY_COUNT];

BOOL PrepareContext(BenchContext *context, PrinterTarget *target, const ModuleExports *exports);
void ReleaseContext(BenchContext *context);
