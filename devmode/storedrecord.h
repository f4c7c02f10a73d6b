// The printer's stored device mode, as the spooler keeps it.
#pragma once

#include <winspool.h>

#include "devmode/devmode.h"

// Copies the printer's stored record into out when it is exactly this
// driver's size (dmSize 220, dmDriverExtra 3940); FALSE when there is none.
BOOL LoadStoredRecord(HANDLE printer, PXDEVMODE *out);
// The same from printer information already read (GetPrinterW level 2,
// size bytes as the spooler gave them).
BOOL StoredRecordIn(const PRINTER_INFO_2W *info, DWORD size, PXDEVMODE *out);
