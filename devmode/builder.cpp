#include "devmode/builder.h"

#include <string.h>

#include "devmode/callerrecord.h"
#include "devmode/papermerge.h"
#include "devmode/publicmerge.h"
#include "devmode/resolution.h"
#include "devmode/storedrecord.h"
#include "devmode/template.h"
#include "devmode/validate.h"

// From here on user sizes, the paper list and the capabilities work with an
// 18 m length limit, whatever the data driver reports.
#define PX_MAX_PAPER_LENGTH 180000

BOOL BuildDevMode(PXDEVMODE *target, const DEVMODEW *caller, HANDLE printer,
                  const WCHAR *deviceName, PrinterInfoRecord *info, PaperList *list,
                  BOOL useStored)
{
    if (!target || !info)
        return FALSE;
    PXDEVMODE storedRecord;
    const PXDEVMODE *stored =
        useStored && LoadStoredRecord(printer, &storedRecord) ? &storedRecord : NULL;
    return BuildDevModeOver(target, caller, stored, printer, deviceName, info, list);
}

BOOL BuildDevModeOver(PXDEVMODE *target, const DEVMODEW *caller, const PXDEVMODE *stored,
                      HANDLE printer, const WCHAR *deviceName, PrinterInfoRecord *info,
                      PaperList *list)
{
    if (!target || !info)
        return FALSE;
    // The caller's record is copied before the target is written: it may be
    // the target itself.
    CallerRecord callerRecord;
    ReadCallerRecord(caller, &callerRecord);

    CopyBuiltInTemplate(target);
    if (deviceName)
        wcsncpy(target->dm.dmDeviceName, deviceName, PX_DM_NAME_CHARS);
    target->dm.dmDriverExtra = PX_DM_DRIVER_EXTRA;
    MergePublicFields(target, &callerRecord, stored, info);
    ValidatePrivatePart(target, &callerRecord, stored, info);

    info->maxLength = PX_MAX_PAPER_LENGTH;
    BOOL merged = MergePaper(target, &callerRecord, stored, printer, info, list);
    if (merged)
        ApplyResolution(target);
    if (DWORD mediaType = MediaTypeForPaperType(target->pdmPaperType.id))
        target->dm.dmMediaType = mediaType;
    return merged;
}
