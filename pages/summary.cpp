#include "pages/summary.h"

#include "context/sheetbinding.h"
#include "core/ddops.h"
#include "core/scope.h"
#include "devmode/geometry.h"
#include "devmode/papermerge.h"
#include "devmode/resolution.h"
#include "devmode/template.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "settings/settingstore.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/units.h"

#define IDS_PRINT_MODE_LINE 11005
#define IDS_RESOLUTION_WORD 11505
#define PX_USER_PAPER_SIZE 256
#define PX_MEDIA_USER_WIDTH_SOURCE 393
#define PX_MARGIN_FREE 260

// Margin ids by pdmMargin.kind: sheet, roll.
struct MarginKeyRow {
    uint32_t kind;
    int sheet;
    int roll;
};
static const MarginKeyRow kMarginKeys[] = {
    {1, 256, 258}, {2, 257, 259}, {3, 261, 262}, {4, 260, 260},
};
static const MarginKeyRow kMarginKeyOther = {0, 256, 258};

static BOOL IsSheetSource(const PXDEVMODE *record)
{
    return (record->dm.dmDefaultSource & 0xFF) < 32;
}

int SummaryMarginKey(const PXDEVMODE *record)
{
    if (record->pdmMarginMode)
        return PX_MARGIN_FREE;
    const MarginKeyRow *row = &kMarginKeyOther;
    for (const MarginKeyRow &k : kMarginKeys) {
        if (k.kind == record->pdmMargin.group)
            row = &k;
    }
    return IsSheetSource(record) ? row->sheet : row->roll;
}

uint32_t SummaryPictureCode(const PXDEVMODE *record, BOOL acrossClass)
{
    uint32_t code = 0;
    if (record->dm.dmOrientation == DMORIENT_PORTRAIT)
        code |= PX_PICTURE_PORTRAIT;
    if (record->pdmNoMirror == 0)
        code |= PX_PICTURE_MIRRORED;
    if (acrossClass)
        code |= PX_PICTURE_ACROSS;
    int r = record->pdmRotation - (record->dm.dmOrientation == DMORIENT_PORTRAIT ? 2 : 3);
    code += (r == 0 || r == 1) ? PX_PICTURE_ROLL_FAMILY : PX_PICTURE_SHEET_FAMILY;
    if (record->dm.dmColor == DMCOLOR_COLOR && record->pdmGrayFlag == 0)
        code |= PX_PICTURE_COLOR;
    else if (record->pdmGrayFlag != 0)
        code |= PX_PICTURE_GRAY;
    return code;
}

static uint32_t GeometryClass(const PaperEntry *entry)
{
    return entry->code & PX_GEOMETRY_CLASS_MASK;
}

struct SummaryGeometry {
    int32_t width;
    int32_t length;
    BOOL across;
};

// Runs the page geometry on a copy of the entry and tells its class.
static uint32_t ClassOfPlacement(PaperEntry entry, const MarginRecord *margin,
                                 const MediaRecord *media, int turned, const PXDEVMODE *r)
{
    PageGeometry g;
    ComputePageGeometry(&entry, margin, media, turned, r->pdmOutputScale, r->dm.dmOrientation, &g,
                        r->pdmRotation);
    return GeometryClass(&entry);
}

static void DecideRotation(PXDEVMODE *r, const PaperEntry *entry, const MarginRecord *margin,
                           const MediaRecord *media)
{
    if (ClassOfPlacement(*entry, margin, media, 0, r) == PX_GEOMETRY_CLASS_ACROSS) {
        r->pdmRotated = 0;
    } else if (ClassOfPlacement(*entry, margin, media, 1, r) == PX_GEOMETRY_CLASS_FIXED) {
        r->pdmRotated = 0;
    } else {
        int q = r->pdmRotation;
        r->pdmRotated = (q == 0 || q == 2 || q == 4) ? 1 : 0;
    }
}

static SummaryGeometry ComputeGeometry(PageContext *ctx)
{
    PXDEVMODE *r = &ctx->dmCurrent;
    SummaryGeometry result = {};
    PaperEntry entry = {};
    // A form has no Windows code: the record's paper is found as the
    // builders find it, by name for forms.
    FindRecordPaper(r, &ctx->paperList, &entry);
    MarginRecord margin = {};
    MediaRecord media = {};
    DdMarginSearch(SummaryMarginKey(r), &margin);
    DdMediaSearch(r->dm.dmDefaultSource, &media);
    if (r->dm.dmDefaultSource == PX_MEDIA_USER_WIDTH_SOURCE)
        media.maxWidth = r->pdmMediaWidth;
    media.maxWidth -= 20 * (int32_t)r->pdmSideMargin;
    DecideRotation(r, &entry, &margin, &media);
    PageGeometry g;
    ComputePageGeometry(&entry, &margin, &media, r->pdmRotated == 1, r->pdmOutputScale,
                        r->dm.dmOrientation, &g, r->pdmRotation);
    result.width = g.printableExtentX;
    result.length = g.printableExtentY;
    result.across = GeometryClass(&entry) == PX_GEOMETRY_CLASS_ACROSS;
    return result;
}

static void FormatSize(WCHAR *out, const PXDEVMODE *r, int32_t w, int32_t l)
{
    WCHAR unit[PX_TEXT_CHARS];
    if (r->pdmLengthUnit == 1) {
        LoadText(IDS_UNIT_INCH, unit, PX_TEXT_CHARS);
        int32_t wi = MillimetreTenthsToInch(w), li = MillimetreTenthsToInch(l);
        FormatString(out, PX_SUMMARY_LINE_CHARS, IDS_FMT_SIZE_INCH, wi / 100, wi % 100, li / 100,
                     li % 100, unit);
    } else {
        LoadText(IDS_UNIT_MM, unit, PX_TEXT_CHARS);
        FormatString(out, PX_SUMMARY_LINE_CHARS, IDS_FMT_SIZE_MM, w / 10, w % 10, l / 10, l % 10,
                     unit);
    }
}

static void ComputeSizeLines(PageContext *ctx, SummaryLines *lines, SummaryGeometry g)
{
    const PXDEVMODE *r = &ctx->dmCurrent;
    int32_t s = r->pdmOutputScale;
    FormatSize(lines->pageSize, r, g.width, g.length);
    FormatSize(lines->outputSize, r, (int32_t)((int64_t)s * g.width / 100),
               (int32_t)((int64_t)s * g.length / 100));
    lines->pageSizeEnabled = r->dm.dmPaperSize != PX_USER_PAPER_SIZE;
    FormatString(lines->scale, PX_SUMMARY_LINE_CHARS, IDS_FMT_SCALE, (long)s);
}

static void ComputeModeLines(PageContext *ctx, SummaryLines *lines)
{
    PXDEVMODE *r = &ctx->dmCurrent;
    WCHAR name[PX_TEXT_CHARS];
    LoadText(IDS_PRINT_MODE_BASE + r->pdmPrintMode, name, PX_TEXT_CHARS);
    FormatString(lines->printMode, PX_SUMMARY_LINE_CHARS, IDS_PRINT_MODE_LINE, name);
    ApplyResolution(r);
    // The data driver's name need not be terminated within its field.
    WCHAR quality[PX_NAME_CHARS + 1] = {};
    CopyMemory(quality, r->pdmQualityMode.name, sizeof r->pdmQualityMode.name);
    lstrcpynW(lines->quality, quality, PX_SUMMARY_LINE_CHARS);
    LoadText(IDS_RESOLUTION_WORD, name, PX_TEXT_CHARS);
    FormatString(lines->resolution, PX_SUMMARY_LINE_CHARS, IDS_FMT_RESOLUTION, name,
                 (int)r->dm.dmYResolution);
    const PrintModeRow *row = PrintModeRowFor(r->pdmPaperType.id, r->pdmPrintMode);
    int direction = r->pdmDirectionSet ? r->pdmDirection : (row ? row->direction : 0);
    LoadText(IDS_DIRECTION_BASE + direction, lines->direction, PX_SUMMARY_LINE_CHARS);
    FormatString(lines->passes, PX_SUMMARY_LINE_CHARS, IDS_FMT_PASSES, row ? (int)row->passes : 0);
    int effect = r->pdmEffect == PX_EFFECT_AUTOMATIC ? (row ? row->effect : 0) : r->pdmEffect;
    LoadText(IDS_EFFECT_BASE + effect, lines->effect, PX_SUMMARY_LINE_CHARS);
}

void ComputeSummary(PageContext *ctx, SummaryLines *lines)
{
    SheetBindingScope binding(ctx);
    ComputeModeLines(ctx, lines);
    SummaryGeometry g = ComputeGeometry(ctx);
    ComputeSizeLines(ctx, lines, g);
    lines->pictureCode = SummaryPictureCode(&ctx->dmCurrent, g.across);
}

static void ShowLines(HWND page, const SummaryLines *lines)
{
    UpdateControlText(page, IDC_SUMMARY_PRINT_MODE, lines->printMode);
    UpdateControlText(page, IDC_SUMMARY_QUALITY, lines->quality);
    UpdateControlText(page, IDC_SUMMARY_RESOLUTION, lines->resolution);
    UpdateControlText(page, IDC_SUMMARY_DIRECTION, lines->direction);
    UpdateControlText(page, IDC_SUMMARY_PASSES, lines->passes);
    UpdateControlText(page, IDC_SUMMARY_EFFECT, lines->effect);
    UpdateControlText(page, IDC_SUMMARY_PAGE_SIZE, lines->pageSize);
    UpdateControlText(page, IDC_SUMMARY_OUTPUT_SIZE, lines->outputSize);
    SetControlEnabled(page, IDC_SUMMARY_PAGE_SIZE, lines->pageSizeEnabled);
    UpdateControlText(page, IDC_SUMMARY_SCALE, lines->scale);
}

void RefreshSummary(HWND page, PageContext *ctx)
{
    UniqueBlock<SummaryLines> lines = UniqueBlock<SummaryLines>::Allocate();
    if (!lines) {
        // The lines still show their template texts before the first refresh.
        static const SummaryLines kBlank = {};
        ShowLines(page, &kBlank);
        return;
    }
    ComputeSummary(ctx, lines.get());
    ShowLines(page, lines.get());
    if (lines->pictureCode != ctx->summaryPicture) {
        ctx->summaryPicture = lines->pictureCode;
        SetControlText(page, IDC_SUMMARY_PANEL_PICTURE, PX_REPAINT_TEXT);
    }
}
