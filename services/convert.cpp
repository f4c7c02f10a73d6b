#include "services/convert.h"

#include <string.h>

#include "core/binding.h"
#include "core/module.h"
#include "core/printerbyname.h"
#include "core/trace.h"
#include "devmode/builder.h"

// The destination's header fields that survive the copy of the public part.
struct KeptHeader {
    WORD specVersion;
    WORD driverVersion;
    WORD size;
    WORD driverExtra;
    BOOL hasIcmMethod;
    DWORD icmMethod;
};

static const WORD kIcmMethodEnd =
    offsetof(DEVMODEW, dmICMMethod) + sizeof(static_cast<DEVMODEW *>(nullptr)->dmICMMethod);
// The header fields kept from the destination end here; a destination must
// hold them, or its private part would be copied over them.
static const WORD kKeptHeaderEnd = offsetof(DEVMODEW, dmFields);

static void SaveHeader(const DEVMODEW *dm, KeptHeader *kept)
{
    kept->specVersion = dm->dmSpecVersion;
    kept->driverVersion = dm->dmDriverVersion;
    kept->size = dm->dmSize;
    kept->driverExtra = dm->dmDriverExtra;
    kept->hasIcmMethod = dm->dmSize >= kIcmMethodEnd;
    kept->icmMethod = kept->hasIcmMethod ? dm->dmICMMethod : 0;
}

static void RestoreHeader(DEVMODEW *dm, const KeptHeader *kept)
{
    dm->dmSpecVersion = kept->specVersion;
    dm->dmDriverVersion = kept->driverVersion;
    dm->dmSize = kept->size;
    dm->dmDriverExtra = kept->driverExtra;
    if (kept->hasIcmMethod)
        dm->dmICMMethod = kept->icmMethod;
}

// Copies what both records hold, public and private parts each up to the
// smaller of the two sizes; the destination keeps its own header.
static BOOL ConvertBetweenSizes(const DEVMODEW *in, DEVMODEW *out, LONG *needed)
{
    if (!in || !out) {
        PX_TRACE(L"refused: no %ls record", in ? L"destination" : L"source");
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Nothing of the destination is read beyond the bytes the caller gave:
    // its declared size is compared before any other header field is read.
    if (*needed < static_cast<LONG>(kKeptHeaderEnd) ||
        *needed < static_cast<LONG>(out->dmSize) + static_cast<LONG>(out->dmDriverExtra) ||
        out->dmSize < kKeptHeaderEnd) {
        PX_TRACE(L"refused: destination buffer of %ld bytes", *needed);
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    KeptHeader kept;
    SaveHeader(out, &kept);
    WORD publicBytes = in->dmSize < kept.size ? in->dmSize : kept.size;
    WORD privateBytes = in->dmDriverExtra < kept.driverExtra ? in->dmDriverExtra : kept.driverExtra;
    const BYTE *source = reinterpret_cast<const BYTE *>(in);
    BYTE *target = reinterpret_cast<BYTE *>(out);
    memmove(target, source, publicBytes);
    RestoreHeader(out, &kept);
    memmove(target + kept.size, source + in->dmSize, privateBytes);
    *needed = publicBytes + privateBytes;
    return TRUE;
}

// A complete record of this driver for the printer, built without the
// printer's stored record.
static BOOL BuildDriverRecord(WCHAR *printerName, const DEVMODEW *in, DEVMODEW *out,
                              LONG *needed)
{
    // A negative size is too small, not a huge one.
    if (*needed < static_cast<LONG>(PX_DM_TOTAL_SIZE) || !out) {
        PX_TRACE(L"refused: buffer of %ld bytes at %p", *needed, out);
        *needed = PX_DM_TOTAL_SIZE;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    PrinterByName printer(NULL, printerName);
    if (!printer.get()) {
        PX_TRACE(L"refused: printer %ls cannot be opened", TraceText(printerName));
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    PrinterInfoRecord info = {};
    PaperList list = {};
    // Held from the binding to the last data-driver call: a concurrent call
    // for another printer cannot swap the data driver under the build.
    ModuleLockGuard lock;
    if (!BindAndCheck(printer.get(), &info)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Once the data driver is bound the record counts as made, whatever the
    // paper merge said: it is complete in every other field.
    BuildDevMode(reinterpret_cast<PXDEVMODE *>(out), in, printer.get(), printerName, &info, &list,
                 FALSE);
    ReleasePaperList(&list);
    *needed = out->dmSize + out->dmDriverExtra;
    return TRUE;
}

static BOOL ConvertForMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut,
                           PLONG pcbNeeded, DWORD fMode)
{
    switch (fMode) {
    case CDM_CONVERT:
        return ConvertBetweenSizes(pdmIn, pdmOut, pcbNeeded);
    case CDM_CONVERT351:
        return BuildDriverRecord(pPrinterName, pdmIn, pdmOut, pcbNeeded);
    case CDM_DRIVER_DEFAULT:
        return BuildDriverRecord(pPrinterName, NULL, pdmOut, pcbNeeded);
    default:
        PX_TRACE(L"refused: mode %lu", fMode);
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut,
                              PLONG pcbNeeded, DWORD fMode)
{
    if (!pcbNeeded) {
        PX_TRACE(L"refused: no size pointer");
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    BOOL done = ConvertForMode(pPrinterName, pdmIn, pdmOut, pcbNeeded, fMode);
    PX_TRACE(L"%ls, mode %lu: %d, %ld bytes, error %lu", TraceText(pPrinterName), fMode, done,
             *pcbNeeded, done ? 0 : GetLastError());
    return done;
}
