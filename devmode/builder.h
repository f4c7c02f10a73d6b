// Builds a complete, valid device mode from the built-in defaults, the
// printer's stored record and a caller's record.
#pragma once

#include "devmode/paperlist.h"

// target: 4160 bytes. caller: may be null, short, foreign or damaged; never
// read past dmSize + dmDriverExtra. list: rebuilt for the new record; the
// caller owns it and releases it with ReleasePaperList. useStored: take the
// printer's stored record as the second source. info: the binding's printer
// information; its maximum length becomes 180000. FALSE for a null target or
// info, and when no paper list can be built: the record is then complete but
// for its paper and resolution fields.
BOOL BuildDevMode(PXDEVMODE *target, const DEVMODEW *caller, HANDLE printer,
                  const WCHAR *deviceName, PrinterInfoRecord *info,
                  PaperList *list, BOOL useStored);
// The same with the stored record already read (null: none); stored may not
// be the target.
BOOL BuildDevModeOver(PXDEVMODE *target, const DEVMODEW *caller, const PXDEVMODE *stored,
                      HANDLE printer, const WCHAR *deviceName, PrinterInfoRecord *info,
                      PaperList *list);

void ReleasePaperList(PaperList *list);
