#include "core/spoolerread.h"

#include <winspool.h>

#include "core/module.h"
#include "core/scope.h"

struct SpoolerQuery {
    HANDLE printer;
    DWORD level;
    DWORD count;
};

typedef BOOL (*SpoolerCall)(SpoolerQuery *query, BYTE *buffer, DWORD size, DWORD *needed);

// At most two reads: the first size, then the size the spooler asked for.
// Information that grew again in between counts as a failed read.
static BYTE *ReadBlock(SpoolerQuery *query, SpoolerCall call, DWORD firstSize, DWORD *bytes)
{
    DWORD size = firstSize;
    for (int attempt = 0; attempt < 2; attempt++) {
        UniqueBlock<BYTE> block = UniqueBlock<BYTE>::Allocate(size);
        if (!block)
            return NULL;
        DWORD needed = 0;
        if (call(query, block.get(), size, &needed)) {
            *bytes = needed < size ? needed : size;
            return block.release();
        }
        DWORD error = GetLastError();
        block.reset();
        if (error != ERROR_INSUFFICIENT_BUFFER || needed <= size) {
            SetLastError(error);
            return NULL;
        }
        size = needed;
    }
    return NULL;
}

static BOOL CallGetPrinterDriver(SpoolerQuery *query, BYTE *buffer, DWORD size, DWORD *needed)
{
    return GetPrinterDriverW(query->printer, NULL, query->level, buffer, size, needed);
}

static BOOL CallGetPrinter(SpoolerQuery *query, BYTE *buffer, DWORD size, DWORD *needed)
{
    return GetPrinterW(query->printer, query->level, buffer, size, needed);
}

static BOOL CallEnumForms(SpoolerQuery *query, BYTE *buffer, DWORD size, DWORD *needed)
{
    query->count = 0;
    return EnumFormsW(query->printer, query->level, buffer, size, needed, &query->count);
}

BYTE *ReadPrinterDriverBlock(HANDLE printer, DWORD level, DWORD *bytes)
{
    SpoolerQuery query = {printer, level, 0};
    return ReadBlock(&query, CallGetPrinterDriver, PX_READ_DRIVER_INFO_BYTES, bytes);
}

BYTE *ReadPrinterBlock(HANDLE printer, DWORD level, DWORD *bytes)
{
    SpoolerQuery query = {printer, level, 0};
    return ReadBlock(&query, CallGetPrinter, PX_READ_PRINTER_INFO_BYTES, bytes);
}

PRINTER_INFO_2W *ReadPrinterInfo2(HANDLE printer, DWORD *bytes)
{
    BYTE *block = ReadPrinterBlock(printer, 2, bytes);
    if (block && *bytes < sizeof(PRINTER_INFO_2W)) {
        PxFree(block);
        block = NULL;
    }
    return reinterpret_cast<PRINTER_INFO_2W *>(block);
}

BYTE *ReadFormsBlock(HANDLE printer, DWORD *bytes, DWORD *count)
{
    SpoolerQuery query = {printer, 1, 0};
    BYTE *block = ReadBlock(&query, CallEnumForms, PX_READ_FORMS_BYTES, bytes);
    *count = block ? query.count : 0;
    return block;
}
