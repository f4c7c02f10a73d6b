#include "devmode/storedrecord.h"

#include <string.h>
#include <winspool.h>

#include "core/module.h"

// Size of the printer's level-2 information, 0 when it cannot be read.
static DWORD StoredInfoSize(HANDLE printer)
{
    DWORD size = 0;
    if (GetPrinterW(printer, 2, NULL, 0, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return 0;
    return size;
}

// The second read must report the size of the first: the information did
// not change in between.
static DEVMODEW *ReadInfo(HANDLE printer, BYTE *buffer, DWORD bufferSize, DWORD expected)
{
    DWORD reported = 0;
    if (!GetPrinterW(printer, 2, buffer, bufferSize, &reported) || reported != expected)
        return NULL;
    return reinterpret_cast<PRINTER_INFO_2W *>(buffer)->pDevMode;
}

DEVMODEW *ReadStoredDevMode(HANDLE printer, BYTE *buffer, DWORD bufferSize, DWORD *needed)
{
    DWORD size = StoredInfoSize(printer);
    if (needed)
        *needed = size;
    if (!size || !buffer || bufferSize < size)
        return NULL;
    return ReadInfo(printer, buffer, bufferSize, size);
}

// The spooler places the record inside the same buffer; one that does not
// lie wholly inside it is not read.
static BOOL LiesInside(const DEVMODEW *dm, const BYTE *buffer, DWORD size)
{
    const BYTE *p = reinterpret_cast<const BYTE *>(dm);
    return p >= buffer && p < buffer + size && (size_t)(p - buffer) + sizeof(PXDEVMODE) <= size;
}

BOOL LoadStoredRecord(HANDLE printer, PXDEVMODE *out)
{
    DWORD size = StoredInfoSize(printer);
    if (!size)
        return FALSE;
    BYTE *buffer = static_cast<BYTE *>(PxAlloc(size));
    if (!buffer)
        return FALSE;
    DEVMODEW *dm = ReadInfo(printer, buffer, size, size);
    BOOL usable = dm && LiesInside(dm, buffer, size) && dm->dmSize == PX_DM_PUBLIC_SIZE &&
                  dm->dmDriverExtra == PX_DM_DRIVER_EXTRA;
    if (usable)
        memcpy(out, dm, sizeof *out);
    PxFree(buffer);
    return usable;
}
