#include "services/jobquery.h"

#include "core/binding.h"
#include "core/module.h"
#include "core/scope.h"
#include "core/trace.h"
#include "devmode/builder.h"
#include "devmode/callerrecord.h"
#include "devmode/equivalence.h"
#include "devmode/fields.h"
#include "devmode/papermerge.h"

#define JOB_MESSAGE_CHARS 64

struct FieldCheck {
    DevModeFieldId field;  // compared when the job declares its dmFields bit
    UINT message;
};

// Compared in this order; the paper and the private part come in between and
// after (see CompareWithRebuilt).
static const FieldCheck kLeadingChecks[] = {
    {PXF_dmOrientation, IDS_JOB_ORIENTATION},   {PXF_dmScale, IDS_JOB_SCALE},
    {PXF_dmCopies, IDS_JOB_COPIES},             {PXF_dmDefaultSource, IDS_JOB_SOURCE},
    {PXF_dmColor, IDS_JOB_COLOR},               {PXF_dmPrintQuality, IDS_JOB_X_RESOLUTION},
    {PXF_dmYResolution, IDS_JOB_Y_RESOLUTION},
};

static const FieldCheck kTrailingChecks[] = {
    {PXF_dmICMMethod, IDS_JOB_ICM_METHOD},
    {PXF_dmICMIntent, IDS_JOB_ICM_INTENT},
    {PXF_dmMediaType, IDS_JOB_MEDIA_TYPE},
};

static UINT FirstChangedField(const PXDEVMODE *job, const PXDEVMODE *rebuilt,
                              const FieldCheck *checks, size_t count)
{
    const BYTE *a = reinterpret_cast<const BYTE *>(job);
    const BYTE *b = reinterpret_cast<const BYTE *>(rebuilt);
    for (size_t i = 0; i < count; i++) {
        const DevModeField &field = kDevModeFields[checks[i].field];
        if ((job->dm.dmFields & field.dmBit) &&
            memcmp(a + field.offset, b + field.offset, field.bytes) != 0)
            return checks[i].message;
    }
    return 0;
}

// A size in no entry still prints as a user size when both sides are
// declared, lie within the printer's limits and the list offers user sizes.
static BOOL PaperFits(const PXDEVMODE *job, const PrinterInfoRecord *info, const PaperList *list)
{
    PaperEntry entry;
    return FindRecordPaper(job, list, &entry) > 0 || UserSizeFallback(info, job, list, &entry) > 0;
}

static UINT CompareWithRebuilt(const PXDEVMODE *job, const PXDEVMODE *rebuilt,
                               const PrinterInfoRecord *info, const PaperList *list)
{
    UINT id = FirstChangedField(job, rebuilt, kLeadingChecks,
                                sizeof kLeadingChecks / sizeof kLeadingChecks[0]);
    if (!id && !PaperFits(job, info, list))
        id = IDS_JOB_PAPER_SIZE;
    if (!id)
        id = FirstChangedField(job, rebuilt, kTrailingChecks,
                               sizeof kTrailingChecks / sizeof kTrailingChecks[0]);
    if (!id && !PrivatePartsEquivalent(job, rebuilt))
        id = IDS_JOB_PRIVATE;
    return id;
}

static UINT HeaderProblem(const DEVMODEW *job)
{
    if (job->dmSpecVersion != PX_DM_SPEC_VERSION)
        return IDS_JOB_SPEC_VERSION;
    if ((job->dmDriverVersion & 0xFF00) != (PX_DM_DRIVER_VERSION & 0xFF00))
        return IDS_JOB_DRIVER_VERSION;
    if (job->dmSize != PX_DM_PUBLIC_SIZE)
        return IDS_JOB_SIZE;
    if (job->dmDriverExtra < PX_DM_OLD_DRIVER_EXTRA)
        return IDS_JOB_NO_EXTRA;
    return 0;
}

// Rebuilds the job's record through the driver's merge and compares.
static UINT RebuildAndCompare(HANDLE printer, const DEVMODEW *job, PrinterInfoRecord *info)
{
    UniqueBlock<CallerRecord> copy = UniqueBlock<CallerRecord>::Allocate();
    UniqueBlock<PXDEVMODE> rebuilt = UniqueBlock<PXDEVMODE>::Allocate();
    UINT id = 0;
    if (copy && rebuilt) {
        // The job is read through a bounded copy: never past its declared size.
        ReadCallerRecord(job, copy.get());
        const PXDEVMODE *record = &copy->record;
        WCHAR deviceName[PX_DM_NAME_CHARS + 1];
        lstrcpynW(deviceName, record->dm.dmDeviceName, PX_DM_NAME_CHARS + 1);
        PaperList list = {};
        if (!BuildDevMode(rebuilt.get(), job, printer, deviceName, info, &list, TRUE))
            id = IDS_JOB_BUILD_FAILED;
        else
            id = CompareWithRebuilt(record, rebuilt.get(), info, &list);
        ReleasePaperList(&list);
    }
    return id;
}

UINT CheckJobCompatibility(HANDLE printer, const DEVMODEW *job)
{
    if (!job)
        return 0;
    // Held from the binding to the last data-driver call: a concurrent call
    // for another printer cannot swap the data driver under the rebuild.
    ModuleLockGuard lock;
    PrinterInfoRecord info = {};
    if (!BindAndCheck(printer, &info))
        return IDS_JOB_NO_DATA_DRIVER;
    UINT id = HeaderProblem(job);
    return id ? id : RebuildAndCompare(printer, job, &info);
}

void ReportJobMessage(UINT id, DEVQUERYPRINT_INFO *info)
{
    WCHAR text[JOB_MESSAGE_CHARS];
    int length = LoadStringW(ModuleInstance(), id, text, JOB_MESSAGE_CHARS);
    if (length <= 0) {
        info->cchNeeded = 0;
        return;
    }
    DWORD needed = 2 * length + 2;
    info->cchNeeded = needed;
    if (!info->pszErrorStr)
        return;
    DWORD room = info->cchErrorStr;
    if (needed <= room) {
        CopyMemory(info->pszErrorStr, text, needed);
    } else if (room >= 2) {
        DWORD chars = room / 2 - 1;
        CopyMemory(info->pszErrorStr, text, chars * sizeof(WCHAR));
        info->pszErrorStr[chars] = 0;
    } else {
        ZeroMemory(info->pszErrorStr, room);
    }
}

BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO pDQPInfo)
{
    if (!pDQPInfo) {
        PX_TRACE(L"refused: no query record");
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    UINT id = CheckJobCompatibility(pDQPInfo->hPrinter, pDQPInfo->pDevMode);
    PX_TRACE(L"printer %p: %ls (message %u)", pDQPInfo->hPrinter,
             id ? L"not printable" : L"printable", id);
    if (!id)
        return TRUE;
    ReportJobMessage(id, pDQPInfo);
    return FALSE;
}
