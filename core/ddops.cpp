#include "core/ddops.h"

#include "core/binding.h"
#include "core/module.h"

// Every call resolves and runs under the module lock, so a concurrent bind
// of another printer can never unload the library under a call in progress.
template <typename Fn, typename... Args>
static int CallOperation(int id, Args... args)
{
    ModuleLockGuard lock;
    auto fn = reinterpret_cast<Fn>(ResolvedOperation(id));
    return fn ? fn(args...) : 0;
}

static void FillName(UINT nameId, WCHAR *name)
{
    ModuleLockGuard lock;
    HMODULE resources = BoundDataDriverResources();
    name[0] = 0;
    if (resources)
        LoadStringW(resources, nameId, name, PX_NAME_CHARS);
}

template <typename Fn, typename Record>
static int GetRecord(int id, int key, Record *record, uint32_t Record::*nameId)
{
    if (!record)
        return 0;
    ModuleLockGuard lock;
    int result = CallOperation<Fn>(id, key, record);
    if (result)
        FillName(record->*nameId, record->name);
    return result;
}

int DdPrinterInfo(PrinterInfoRecord *info)
{
    return info ? CallOperation<PFN_xRtlPrinterInfo>(DD_PRINTER_INFO, info) : 0;
}

int DdMediaQuery(void) { return CallOperation<PFN_xRtlQuery>(DD_MEDIA_QUERY); }
int DdPtypeQuery(void) { return CallOperation<PFN_xRtlQuery>(DD_PTYPE_QUERY); }
int DdMarginQuery(void) { return CallOperation<PFN_xRtlQuery>(DD_MARGIN_QUERY); }
int DdPaperQuery(void) { return CallOperation<PFN_xRtlQuery>(DD_PAPER_QUERY); }

int DdMediaEnum(int index, MediaRecord *media)
{
    return GetRecord<PFN_xRtlMediaGet>(DD_MEDIA_ENUM, index, media, &MediaRecord::nameId);
}

int DdMediaSearch(int code, MediaRecord *media)
{
    return GetRecord<PFN_xRtlMediaGet>(DD_MEDIA_SEARCH, code, media, &MediaRecord::nameId);
}

int DdPtypeEnum(int index, PaperTypeRecord *ptype)
{
    return GetRecord<PFN_xRtlPtypeGet>(DD_PTYPE_ENUM, index, ptype, &PaperTypeRecord::id);
}

int DdPtypeSearch(int id, PaperTypeRecord *ptype)
{
    return GetRecord<PFN_xRtlPtypeGet>(DD_PTYPE_SEARCH, id, ptype, &PaperTypeRecord::id);
}

int DdMarginEnum(int index, MarginRecord *margin)
{
    return GetRecord<PFN_xRtlMarginGet>(DD_MARGIN_ENUM, index, margin, &MarginRecord::id);
}

int DdMarginSearch(int id, MarginRecord *margin)
{
    return GetRecord<PFN_xRtlMarginGet>(DD_MARGIN_SEARCH, id, margin, &MarginRecord::id);
}

int DdPaperEnum(int index, PaperRecord *paper)
{
    return paper ? CallOperation<PFN_xRtlPaperEnum>(DD_PAPER_ENUM, index, paper) : 0;
}

int DdGdiDpiEnum(uint16_t *dpis, int count)
{
    return dpis ? CallOperation<PFN_xRtlDPIEnum>(DD_GDI_DPI_ENUM, dpis, count) : 0;
}

int DdQltModeEnum(int index, QualityModeRecord *mode)
{
    return GetRecord<PFN_xRtlQltModeGet>(DD_QLTMODE_ENUM, index, mode, &QualityModeRecord::nameId);
}

int DdQltModeSearch(int id, QualityModeRecord *mode)
{
    return GetRecord<PFN_xRtlQltModeGet>(DD_QLTMODE_SEARCH, id, mode, &QualityModeRecord::nameId);
}

int DdCCRmEnum(int index, ColorCorrectionRecord *ccr)
{
    return GetRecord<PFN_xRtlCCRmGet>(DD_CCRM_ENUM, index, ccr, &ColorCorrectionRecord::id);
}

int DdCCRmSearch(int id, ColorCorrectionRecord *ccr)
{
    return GetRecord<PFN_xRtlCCRmGet>(DD_CCRM_SEARCH, id, ccr, &ColorCorrectionRecord::id);
}

int DdLoadString(UINT id, WCHAR *text, int chars)
{
    if (!text || chars <= 0)
        return 0;
    ModuleLockGuard lock;
    HMODULE resources = BoundDataDriverResources();
    text[0] = 0;
    return resources ? LoadStringW(resources, id, text, chars) : 0;
}
