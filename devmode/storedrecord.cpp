#include "devmode/storedrecord.h"

#include <string.h>
#include <winspool.h>

#include "core/module.h"
#include "core/scope.h"
#include "core/spoolerread.h"

// The spooler places the record inside the same buffer; one that does not
// lie wholly inside it is not read.
static BOOL LiesInside(const DEVMODEW *dm, const BYTE *buffer, DWORD size)
{
    const BYTE *p = reinterpret_cast<const BYTE *>(dm);
    return p >= buffer && p < buffer + size && (size_t)(p - buffer) + sizeof(PXDEVMODE) <= size;
}

BOOL StoredRecordIn(const PRINTER_INFO_2W *info, DWORD size, PXDEVMODE *out)
{
    const BYTE *buffer = reinterpret_cast<const BYTE *>(info);
    const DEVMODEW *dm = info && size >= sizeof(PRINTER_INFO_2W) ? info->pDevMode : NULL;
    BOOL usable = dm && LiesInside(dm, buffer, size) && dm->dmSize == PX_DM_PUBLIC_SIZE &&
                  dm->dmDriverExtra == PX_DM_DRIVER_EXTRA;
    if (usable)
        memcpy(out, dm, sizeof *out);
    return usable;
}

BOOL LoadStoredRecord(HANDLE printer, PXDEVMODE *out)
{
    DWORD size = 0;
    UniqueBlock<PRINTER_INFO_2W> info(ReadPrinterInfo2(printer, &size));
    return info && StoredRecordIn(info.get(), size, out);
}
