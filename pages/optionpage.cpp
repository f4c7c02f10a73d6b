// The Option page: copies, mirror, overprint, heaters and on-the-fly printing.
// Each option the printer can also decide by itself has a check box; while
// the box is clear its list shows only "printer setting" and the stored
// value is left alone.
#include <windows.h>
#include <commctrl.h>

#include "core/trace.h"
#include "pages/protocol.h"
#include "pages/summary.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/numedit.h"

#define PX_COPIES_MIN 1
#define PX_OVERPRINT_COUNT_FIRST 1
#define PX_OVERPRINT_COUNT_LAST 9
#define PX_OVERPRINT_WAIT_FIRST 0
#define PX_OVERPRINT_WAIT_LAST 5
#define PX_HEATER_OFF 0

// The entries a list shows while its check box is set.
typedef void (*FillChoices)(HWND page, int listId, const PXDEVMODE *dm);

// A check box and the list whose values it switches on.
struct SwitchedList {
    int checkId;
    int listId;
    uint32_t PXDEVMODE::*on;
    uint16_t PXDEVMODE::*value;
    FillChoices fill;
};

static void FillOverprintCounts(HWND page, int listId, const PXDEVMODE *)
{
    for (int n = PX_OVERPRINT_COUNT_FIRST; n <= PX_OVERPRINT_COUNT_LAST; n++)
        AddStringItem(page, listId, IDS_OVERPRINT_COUNT_BASE + n - PX_OVERPRINT_COUNT_FIRST, n);
}

static void FillOverprintWaits(HWND page, int listId, const PXDEVMODE *)
{
    for (int s = PX_OVERPRINT_WAIT_FIRST; s <= PX_OVERPRINT_WAIT_LAST; s++)
        AddStringItem(page, listId, IDS_OVERPRINT_WAIT_BASE + s - PX_OVERPRINT_WAIT_FIRST, s);
}

// Temperatures stay in Celsius; the unit only picks the texts.
static void FillTemperatures(HWND page, int listId, const PXDEVMODE *dm)
{
    UINT base = dm->pdmTempUnit == 0 ? IDS_TEMP_CELSIUS_BASE : IDS_TEMP_FAHRENHEIT_BASE;
    AddStringItem(page, listId, IDS_TEMP_OFF, PX_HEATER_OFF);
    for (int t = IDS_TEMP_FIRST; t <= IDS_TEMP_LAST; t++)
        AddStringItem(page, listId, base + t, t);
}

static const SwitchedList kSwitchedLists[] = {
    {IDC_OPTION_OVERPRINT, IDC_OPTION_OVERPRINT_COUNT, &PXDEVMODE::pdmOverprintOn,
     &PXDEVMODE::pdmOverprintCount, FillOverprintCounts},
    {IDC_OPTION_OVERPRINT_WAIT_ON, IDC_OPTION_OVERPRINT_WAIT, &PXDEVMODE::pdmOverprintWaitOn,
     &PXDEVMODE::pdmOverprintWait, FillOverprintWaits},
    {IDC_OPTION_PREHEATER, IDC_OPTION_PREHEATER_TEMP, &PXDEVMODE::pdmPreHeaterOn,
     &PXDEVMODE::pdmPreHeaterTemp, FillTemperatures},
    {IDC_OPTION_PLATEN_HEATER, IDC_OPTION_PLATEN_HEATER_TEMP, &PXDEVMODE::pdmPlatenHeaterOn,
     &PXDEVMODE::pdmPlatenHeaterTemp, FillTemperatures},
    {IDC_OPTION_AFTER_HEATER, IDC_OPTION_AFTER_HEATER_TEMP, &PXDEVMODE::pdmAfterHeaterOn,
     &PXDEVMODE::pdmAfterHeaterTemp, FillTemperatures},
};

// Check boxes that stand for a field alone.
struct PlainCheck {
    int checkId;
    uint32_t PXDEVMODE::*field;
};

static const PlainCheck kPlainChecks[] = {
    {IDC_OPTION_ON_THE_FLY, &PXDEVMODE::pdmOnTheFly},
    {IDC_OPTION_CROP_MARKS, &PXDEVMODE::pdmCropMarks},
};

// Everything a user could change, disabled together without permission.
static const int kOptionControls[] = {
    IDC_OPTION_COPIES,
    IDC_OPTION_MIRROR,
    IDC_OPTION_OVERPRINT,
    IDC_OPTION_OVERPRINT_COUNT,
    IDC_OPTION_OVERPRINT_WAIT_ON,
    IDC_OPTION_OVERPRINT_WAIT,
    IDC_OPTION_PREHEATER,
    IDC_OPTION_PREHEATER_TEMP,
    IDC_OPTION_PLATEN_HEATER,
    IDC_OPTION_PLATEN_HEATER_TEMP,
    IDC_OPTION_AFTER_HEATER,
    IDC_OPTION_AFTER_HEATER_TEMP,
    IDC_OPTION_ON_THE_FLY,
    IDC_OPTION_CROP_MARKS,
};

// A data driver that reports no copies still allows one.
static int32_t MaximumCopies(const PageContext *ctx)
{
    int32_t maximum = ctx->printerInfo.maxCopies;
    return maximum < PX_COPIES_MIN ? PX_COPIES_MIN : maximum;
}

static void FillSwitchedList(HWND page, const SwitchedList &row, const PXDEVMODE *dm)
{
    ListRefill refill(page, row.listId);
    if (dm->*row.on)
        row.fill(page, row.listId, dm);
    else
        AddStringItem(page, row.listId, IDS_PRINTER_SETTING, 0);
    SelectItemByData(page, row.listId, dm->*row.value);
}

static void EnableOptionControls(HWND page, const PageContext *ctx)
{
    for (const SwitchedList &row : kSwitchedLists)
        SetControlEnabled(page, row.listId, ctx->dmCurrent.*row.on != 0);
    ShowWindow(ControlOf(page, IDC_OPTION_CROP_MARKS), SW_HIDE);
    if (ctx->canChange)
        return;
    for (int id : kOptionControls)
        DisableControl(page, id);
    if (ctx->copiesUpDown && IsWindowEnabled(ctx->copiesUpDown))
        EnableWindow(ctx->copiesUpDown, FALSE);
}

static void FillOptionPage(HWND page, PageContext *ctx)
{
    const PXDEVMODE *dm = &ctx->dmCurrent;
    InitCommonControls();
    SetupNumericEdit(page, IDC_OPTION_COPIES, ctx->copiesUpDown, dm->dm.dmCopies, PX_COPIES_MIN,
                     MaximumCopies(ctx));
    CheckControl(page, IDC_OPTION_MIRROR, dm->pdmNoMirror == 0);
    for (const SwitchedList &row : kSwitchedLists) {
        FillSwitchedList(page, row, dm);
        CheckControl(page, row.checkId, dm->*row.on != 0);
    }
    for (const PlainCheck &check : kPlainChecks)
        CheckControl(page, check.checkId, ctx->dmCurrent.*check.field != 0);
    EnableOptionControls(page, ctx);
}

static BOOL InitOptionPage(HWND page, PageContext *ctx)
{
    ctx->copiesUpDown = CreateUpDown(page, IDC_OPTION_COPIES);
    RelabelPage(page, IDC_OPTION_GROUP, IDC_OPTION_CROP_MARKS, IDC_OPTION_COPIES);
    FillOptionPage(page, ctx);
    RefreshSummary(page, ctx);
    return TRUE;
}

static BOOL CopiesCommand(HWND page, PageContext *ctx, int code)
{
    int32_t copies = ctx->dmCurrent.dm.dmCopies;
    if (!NumericEditCommand(page, IDC_OPTION_COPIES, ctx->copiesUpDown, (WORD)code, PX_COPIES_MIN,
                            MaximumCopies(ctx), &copies))
        return FALSE;
    ctx->dmCurrent.dm.dmCopies = (short)copies;
    return TRUE;
}

static BOOL SwitchedListCommand(HWND page, PageContext *ctx, int id, int code)
{
    for (const SwitchedList &row : kSwitchedLists) {
        if (id == row.checkId && code == BN_CLICKED) {
            ctx->dmCurrent.*row.on = IsControlChecked(page, id);
            FillOptionPage(page, ctx);
            return TRUE;
        }
        if (id == row.listId && code == CBN_SELCHANGE) {
            LRESULT data = SelectedItemData(page, id);
            if (data != -1)
                ctx->dmCurrent.*row.value = (uint16_t)data;
            return TRUE;
        }
    }
    return FALSE;
}

static BOOL OptionCommand(HWND page, PageContext *ctx, int id, int code)
{
    if (id == IDC_OPTION_COPIES)
        return CopiesCommand(page, ctx, code);
    if (id == IDC_OPTION_MIRROR && code == BN_CLICKED) {
        ctx->dmCurrent.pdmNoMirror = IsControlChecked(page, id) ? 0 : 1;
        RefreshSummary(page, ctx);  // the page picture shows mirroring
        return TRUE;
    }
    for (const PlainCheck &check : kPlainChecks) {
        if (id == check.checkId && code == BN_CLICKED) {
            ctx->dmCurrent.*check.field = IsControlChecked(page, id);
            return TRUE;
        }
    }
    return SwitchedListCommand(page, ctx, id, code);
}

static BOOL OptionScroll(HWND page, PageContext *ctx, UINT message, WPARAM, LPARAM lParam,
                         INT_PTR *answer)
{
    if (message == WM_NCDESTROY)
        ctx->copiesUpDown = NULL;
    if ((message != WM_VSCROLL && message != WM_HSCROLL) || !ctx->copiesUpDown ||
        (HWND)lParam != ctx->copiesUpDown)
        return FALSE;
    int32_t copies = ctx->dmCurrent.dm.dmCopies;
    NumericEditScroll(page, IDC_OPTION_COPIES, ctx->copiesUpDown, PX_COPIES_MIN, MaximumCopies(ctx),
                      &copies);
    ctx->dmCurrent.dm.dmCopies = (short)copies;
    *answer = FALSE;
    return TRUE;
}

static INT_PTR ApplyOptionPage(HWND page, PageContext *ctx)
{
    PX_TRACE(L"copies %d", ctx->dmCurrent.dm.dmCopies);
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

static const PageDescriptor kOptionPage = {
    IDC_OPTION_GROUP, IDC_OPTION_CROP_MARKS, IDC_OPTION_COPIES, kOptionPageHelp,
    &PageContext::refreshOption, &PageContext::shownOption, InitOptionPage, FillOptionPage, OptionCommand, ApplyOptionPage,
    OptionScroll,
};

INT_PTR CALLBACK OptionPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageProtocol(&kOptionPage, dialog, message, wParam, lParam);
}
