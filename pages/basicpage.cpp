// The Basic page: orientation, page and output size, scale, rotation, media
// type and the registered print settings.
#include <windows.h>
#include <commctrl.h>

#include "context/sheetbinding.h"
#include "core/ddops.h"
#include "core/trace.h"
#include "devmode/papermerge.h"
#include "dialogs/advanced.h"
#include "dialogs/sizeseries.h"
#include "pages/basicscale.h"
#include "pages/basicstore.h"
#include "pages/basicusersize.h"
#include "pages/protocol.h"
#include "pages/settingslist.h"
#include "pages/summary.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "settings/settingstore.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/numedit.h"

#define PX_SCALE_MIN 10
#define PX_SCALE_MAX 1000
#define PX_OUTPUT_SERIES 0x40000000u
#define PX_ADD_REMOVE_ENTRY 0
#define PX_NO_ENTRY (-1)
#define PX_ROTATION_ENTRIES 4
// Posted by the apply of an Apply button: the sheet stays open and needs
// its store again.
#define PX_WM_REOPEN_STORE (WM_APP + 1)

struct MediaTypeMapping {
    uint32_t paperType;
    short mediaType;
};
static const MediaTypeMapping kMediaTypes[] = {
    {1280, 257}, {1281, 259}, {1282, 258}, {1380, 356},
};

// Selects the entry whose text begins with name, as a prefix search from
// the start of the list; none when no entry does.
static void SelectByName(HWND page, int id, const WCHAR *name)
{
    LRESULT at = name[0] ? SendControl(page, id, CB_FINDSTRING, (WPARAM)-1, (LPARAM)name) : CB_ERR;
    SelectListIndex(page, id, at == CB_ERR ? -1 : at);
}

static void FillOrientation(HWND page, const PXDEVMODE *dm)
{
    BOOL landscape = dm->dm.dmOrientation == DMORIENT_LANDSCAPE;
    CheckRadioControl(page, IDC_BASIC_PORTRAIT, IDC_BASIC_LANDSCAPE,
                     landscape ? IDC_BASIC_LANDSCAPE : IDC_BASIC_PORTRAIT);
}

static void FillPageSizes(HWND page, PageContext *ctx)
{
    ListRefill refill(page, IDC_BASIC_PAGE_SIZE);
    PaperEntry entry = {};
    for (int i = 1; i <= PaperCount(&ctx->paperList); i++) {
        if (PaperEntryAt(&ctx->paperList, i, &entry))
            AddItem(page, IDC_BASIC_PAGE_SIZE, entry.name, i);
    }
    AddStringItem(page, IDC_BASIC_PAGE_SIZE, IDS_ADD_REMOVE_SIZES, PX_ADD_REMOVE_ENTRY);
    PaperEntry current = {};
    if (!FindRecordPaper(&ctx->dmCurrent, &ctx->paperList, &current))
        PaperEntryAt(&ctx->paperList, 1, &current);
    SelectByName(page, IDC_BASIC_PAGE_SIZE, current.name);
}

// The output sizes: the papers of the size series plus the output-size
// choices, built for the moment and released.
static BOOL BuildOutputList(const PageContext *ctx, PaperList *list)
{
    const PXDEVMODE *dm = &ctx->dmCurrent;
    return BuildPaperList(ctx->hPrinter, dm->dm.dmDefaultSource, list,
                          dm->pdmSizeSeries | PX_OUTPUT_SERIES, dm->pdmUserSizes,
                          PX_USER_SIZE_COUNT);
}

static BOOL IsOfferedOutputSize(const PaperEntry *entry)
{
    return entry->paperSize != PX_PAPER_USER_SIZE && entry->paperSize != PX_OUTPUT_MEDIA_WIDTH;
}

static void FillOutputSizes(HWND page, PageContext *ctx)
{
    ListRefill refill(page, IDC_BASIC_OUTPUT_SIZE);
    PaperList list = {};
    BuildOutputList(ctx, &list);
    PaperEntry entry = {};
    for (int i = 1; i <= PaperCount(&list); i++) {
        if (PaperEntryAt(&list, i, &entry) && IsOfferedOutputSize(&entry))
            AddItem(page, IDC_BASIC_OUTPUT_SIZE, entry.name, i);
    }
    PaperEntry current = {};
    if (FindPaperByCode(&list, (uint16_t)ctx->dmCurrent.pdmOutputSize, &current))
        SelectByName(page, IDC_BASIC_OUTPUT_SIZE, current.name);
    else
        SelectListIndex(page, IDC_BASIC_OUTPUT_SIZE, -1);
    ReleasePaperList(&list);
}

static BOOL IsRotatedRotation(int16_t rotation)
{
    return rotation == 0 || rotation == 2 || rotation == 4;
}

static void FillRotation(HWND page, PXDEVMODE *dm)
{
    dm->pdmRotated = IsRotatedRotation(dm->pdmRotation) ? 1 : 0;
    ListRefill refill(page, IDC_BASIC_ROTATION);
    for (int i = 1; i <= PX_ROTATION_ENTRIES; i++)
        AddStringItem(page, IDC_BASIC_ROTATION, IDS_ROTATION_BASE + i, i);
    SelectItemByData(page, IDC_BASIC_ROTATION, dm->pdmRotation);
}

static void FillMediaTypes(HWND page, const PXDEVMODE *dm)
{
    ListRefill refill(page, IDC_BASIC_MEDIA_TYPE);
    int count = DdPtypeQuery();
    for (int i = 1; i <= count; i++) {
        PaperTypeRecord type = {};
        if (DdPtypeEnum(i, &type))
            AddItem(page, IDC_BASIC_MEDIA_TYPE, type.name, (LPARAM)type.id);
    }
    SelectItemByData(page, IDC_BASIC_MEDIA_TYPE, (LPARAM)dm->pdmPaperType.id);
}

static void SetUpDownEnabled(const PageContext *ctx, BOOL enabled)
{
    HWND upDown = ctx->scaleUpDown;
    if (upDown && (IsWindowEnabled(upDown) != FALSE) != (enabled != FALSE))
        EnableWindow(upDown, enabled);
}

static const int kChangeableControls[] = {
    IDC_BASIC_PORTRAIT, IDC_BASIC_LANDSCAPE, IDC_BASIC_PAGE_SIZE, IDC_BASIC_USER_SIZE,
    IDC_BASIC_OUTPUT_SIZE, IDC_BASIC_SCALE, IDC_BASIC_ROTATION, IDC_BASIC_MEDIA_TYPE,
    IDC_BASIC_SETTINGS_LIST,
};

static void ApplyEnablingRules(HWND page, PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    BOOL userSize = dm->dm.dmPaperSize == PX_PAPER_USER_SIZE;
    if (userSize)
        dm->pdmOutputSize = PX_OUTPUT_SAME_SIZE;
    SetControlEnabled(page, IDC_BASIC_OUTPUT_SIZE, !userSize);
    BOOL scaleEditable = dm->pdmOutputSize == PX_OUTPUT_USER_SCALE && !userSize;
    SetControlEnabled(page, IDC_BASIC_SCALE, scaleEditable);
    SetUpDownEnabled(ctx, scaleEditable);
    if (ctx->canChange)
        return;
    for (int id : kChangeableControls)
        DisableControl(page, id);
    SetUpDownEnabled(ctx, FALSE);
}

// Refills every control from dmCurrent and applies the enabling rules.
static void FillBasicControls(HWND page, PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    SheetBindingScope binding(ctx);
    InitCommonControls();
    FillOrientation(page, dm);
    FillPageSizes(page, ctx);
    FillOutputSizes(page, ctx);
    dm->pdmOutputScale = ScaleForOutputSize(ctx);
    SetupNumericEdit(page, IDC_BASIC_SCALE, ctx->scaleUpDown, dm->pdmOutputScale, PX_SCALE_MIN,
                     PX_SCALE_MAX);
    FillRotation(page, dm);
    FillMediaTypes(page, dm);
    ApplyEnablingRules(page, ctx);
}

static void ApplySettingInForceOf(PageContext *ctx)
{
    SheetBindingScope binding(ctx);
    ApplySettingInForce(&ctx->dmCurrent);
}

static BOOL InitBasicPage(HWND page, PageContext *ctx)
{
    if (!OpenSettingStore(ctx))
        return FALSE;
    // The list's item height: WM_MEASUREITEM comes before the page has its context.
    SendControl(page, IDC_BASIC_SETTINGS_LIST, LB_SETITEMHEIGHT, 0,
                        PX_SETTINGS_ITEM_HEIGHT);
    FillSettingsList(page, ctx);
    ApplySettingInForceOf(ctx);
    CheckUserSizeLengths(page, ctx);
    ctx->scaleUpDown = CreateUpDown(page, IDC_BASIC_SCALE);
    RelabelPage(page, IDC_BASIC_ORIENTATION_GROUP, IDC_BASIC_ADVANCED, IDC_BASIC_SCALE);
    FillBasicControls(page, ctx);
    RefreshSummary(page, ctx);
    return TRUE;
}

static void PageSizeChosen(HWND page, PageContext *ctx)
{
    LRESULT data = SelectedItemData(page, IDC_BASIC_PAGE_SIZE);
    if (data == PX_ADD_REMOVE_ENTRY) {
        ShowSizeSeriesDialog(page, ctx);
    } else if (data != PX_NO_ENTRY) {
        PaperEntry entry = {};
        if (PaperEntryAt(&ctx->paperList, (int)data, &entry))
            SetRecordPaper(&ctx->dmCurrent, &entry);
    }
    FillBasicControls(page, ctx);
}

static void OutputSizeChosen(HWND page, PageContext *ctx)
{
    LRESULT data = SelectedItemData(page, IDC_BASIC_OUTPUT_SIZE);
    if (data != PX_NO_ENTRY) {
        SheetBindingScope binding(ctx);
        PaperList list = {};
        PaperEntry entry = {};
        BuildOutputList(ctx, &list);
        if (PaperEntryAt(&list, (int)data, &entry))
            ctx->dmCurrent.pdmOutputSize = (int16_t)entry.paperSize;
        ReleasePaperList(&list);
    }
    FillBasicControls(page, ctx);
}

static void RotationChosen(HWND page, PageContext *ctx)
{
    LRESULT data = SelectedItemData(page, IDC_BASIC_ROTATION);
    if (data != PX_NO_ENTRY) {
        ctx->dmCurrent.pdmRotation = (int16_t)data;
        ctx->dmCurrent.pdmRotated = IsRotatedRotation(ctx->dmCurrent.pdmRotation) ? 1 : 0;
    }
    FillBasicControls(page, ctx);
}

static void MapMediaType(PXDEVMODE *dm)
{
    for (const MediaTypeMapping &m : kMediaTypes) {
        if (m.paperType == dm->pdmPaperType.id)
            dm->dm.dmMediaType = m.mediaType;
    }
}

// pdmPaperType from the data driver's record of the type; a type the data
// driver does not know leaves the record as it was.
static BOOL TakePaperType(PageContext *ctx, LRESULT code)
{
    SheetBindingScope binding(ctx);
    PaperTypeRecord type = {};
    if (!DdPtypeSearch((int)code, &type))
        return FALSE;
    ctx->dmCurrent.pdmPaperType = type;
    return TRUE;
}

static void MediaTypeChosen(HWND page, PageContext *ctx)
{
    LRESULT data = SelectedItemData(page, IDC_BASIC_MEDIA_TYPE);
    if (data == PX_NO_ENTRY)
        return;
    TakePaperType(ctx, data);
    MapMediaType(&ctx->dmCurrent);
    ctx->dmCurrent.pdmSettingIndex = 0;
    ApplySettingInForceOf(ctx);
    CheckUserSizeLengths(page, ctx);
}

static void AdvancedClosed(HWND page, PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    if (RegisteredSettingCount(dm) < dm->pdmSettingIndex + 1)
        dm->pdmSettingIndex = 0;
    ApplySettingInForceOf(ctx);
    CheckUserSizeLengths(page, ctx);
}

static void OrientationChosen(HWND page, PageContext *ctx, int id)
{
    ctx->dmCurrent.dm.dmOrientation = id == IDC_BASIC_LANDSCAPE ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    CheckRadioControl(page, IDC_BASIC_PORTRAIT, IDC_BASIC_LANDSCAPE, id);
}

static BOOL BasicCommand(HWND page, PageContext *ctx, int id, int code)
{
    // An Apply button may have saved and released the store.
    OpenSettingStore(ctx);
    switch (id) {
    case IDC_BASIC_PORTRAIT:
    case IDC_BASIC_LANDSCAPE:
        OrientationChosen(page, ctx, id);
        break;
    case IDC_BASIC_PAGE_SIZE:
        if (code != CBN_SELCHANGE)
            return FALSE;
        PageSizeChosen(page, ctx);
        break;
    case IDC_BASIC_USER_SIZE: {
        int slot = RunUserSize(page, ctx);
        FillBasicControls(page, ctx);
        RefreshSummary(page, ctx);
        RecordUserSizeLengths(ctx, slot);
        break;
    }
    case IDC_BASIC_OUTPUT_SIZE:
        if (code != CBN_SELCHANGE)
            return FALSE;
        OutputSizeChosen(page, ctx);
        break;
    case IDC_BASIC_SCALE:
        if (!NumericEditCommand(page, IDC_BASIC_SCALE, ctx->scaleUpDown, (WORD)code, PX_SCALE_MIN,
                                PX_SCALE_MAX, &ctx->dmCurrent.pdmOutputScale))
            return FALSE;
        break;
    case IDC_BASIC_ROTATION:
        if (code != CBN_SELCHANGE)
            return FALSE;
        RotationChosen(page, ctx);
        break;
    case IDC_BASIC_MEDIA_TYPE:
        if (code != CBN_SELCHANGE)
            return FALSE;
        MediaTypeChosen(page, ctx);
        SendMessageW(page, WM_USER, 0, 0);
        break;
    case IDC_BASIC_SETTINGS_LIST:
        SettingsListCommand(page, ctx);
        break;
    case IDC_BASIC_ADVANCED:
        ShowAdvancedDialog(page, ctx);
        AdvancedClosed(page, ctx);
        SendMessageW(page, WM_USER, 0, 0);
        break;
    default:
        return FALSE;
    }
    RefreshSummary(page, ctx);
    return TRUE;
}

// The page's own controls back into the record, unless another page
// replaced the settings they show.
static void ReadBackControls(HWND page, PageContext *ctx)
{
    PaperEntry entry = {};
    LRESULT size = SelectedItemData(page, IDC_BASIC_PAGE_SIZE);
    if (size != PX_NO_ENTRY && PaperEntryAt(&ctx->paperList, (int)size, &entry))
        SetRecordPaper(&ctx->dmCurrent, &entry);
    LRESULT type = SelectedItemData(page, IDC_BASIC_MEDIA_TYPE);
    if (type != PX_NO_ENTRY)
        TakePaperType(ctx, type);
}

static INT_PTR ApplyBasicPage(HWND page, PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    dm->pdmResolution = DataResolutionOfQualityMode(dm->pdmQualityMode.id);
    SaveAndReleaseSettingStore(ctx);
    if (ctx->refreshBasic)
        ctx->refreshBasic = 0;
    else
        ReadBackControls(page, ctx);
    ctx->applied = 1;
    // With OK the page is gone before this arrives; with Apply it stays.
    PostMessageW(page, PX_WM_REOPEN_STORE, 0, 0);
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return 0;
}

static BOOL BasicOther(HWND page, PageContext *ctx, UINT message, WPARAM wParam, LPARAM lParam,
                       INT_PTR *answer)
{
    switch (message) {
    case WM_USER:
        OpenSettingStore(ctx);
        FillSettingsList(page, ctx);
        *answer = TRUE;
        return TRUE;
    case PX_WM_REOPEN_STORE:
        OpenSettingStore(ctx);
        *answer = TRUE;
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_BASIC_SETTINGS_LIST)
            return FALSE;
        DrawSettingsEntry(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam), ctx);
        *answer = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        if (wParam != IDC_BASIC_SETTINGS_LIST)
            return FALSE;
        reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->itemHeight = PX_SETTINGS_ITEM_HEIGHT;
        *answer = TRUE;
        return TRUE;
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (!ctx->scaleUpDown || (HWND)lParam != ctx->scaleUpDown)
            return FALSE;
        NumericEditScroll(page, IDC_BASIC_SCALE, ctx->scaleUpDown, PX_SCALE_MIN, PX_SCALE_MAX,
                          &ctx->dmCurrent.pdmOutputScale);
        RefreshSummary(page, ctx);
        *answer = TRUE;
        return TRUE;
    case WM_NCDESTROY:
        // Cancel, or a sheet that ends without OK: the file keeps what it had.
        DropSettingStore(ctx);
        ctx->scaleUpDown = NULL;
        return FALSE;
    default:
        return FALSE;
    }
}

static void FillBasicPage(HWND page, PageContext *ctx)
{
    OpenSettingStore(ctx);
    FillBasicControls(page, ctx);
    SendMessageW(page, WM_USER, 0, 0);
}

static const PageDescriptor kBasicPage = {
    IDC_BASIC_ORIENTATION_GROUP, IDC_BASIC_ADVANCED, IDC_BASIC_SCALE, kBasicPageHelp,
    &PageContext::refreshBasic, &PageContext::shownBasic, InitBasicPage, FillBasicPage, BasicCommand, ApplyBasicPage,
    BasicOther,
};

INT_PTR CALLBACK BasicPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageProtocol(&kBasicPage, dialog, message, wParam, lParam);
}
