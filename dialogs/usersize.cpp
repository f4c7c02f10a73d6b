#include "dialogs/usersize.h"

#include "core/module.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/help.h"
#include "widgets/modaldialog.h"
#include "widgets/numedit.h"
#include "widgets/units.h"

#define PX_USER_SIZE_SERIES 0x80000000u
#define PX_PAPER_USER_SIZE 256
#define PX_SCALE_MM 10
#define PX_SCALE_INCH 100

// One opening: the opener's request and the pairs as they were when the
// dialog opened, for Cancel.
struct UserSizeSession {
    UserSizeRequest *request;
    PxUserSize backup[PX_USER_SIZE_COUNT];
};

// One side's box, its limits and its place in a pair.
struct SideRow {
    int edit;
    int32_t PrinterInfoRecord::*minimum;
    int32_t PrinterInfoRecord::*maximum;
    int32_t PxUserSize::*value;
};
static const SideRow kShortSide = {IDC_USIZE_SHORT, &PrinterInfoRecord::minWidth,
                                   &PrinterInfoRecord::maxWidth, &PxUserSize::width};
static const SideRow kLongSide = {IDC_USIZE_LONG, &PrinterInfoRecord::minLength,
                                  &PrinterInfoRecord::maxLength, &PxUserSize::length};

static BOOL InInches(const PageContext *ctx)
{
    return ctx->dmCurrent.pdmLengthUnit != 0;
}

static void SetCaption(HWND dialog, int id, UINT formatId, int32_t low, int32_t high, int divisor,
                       const WCHAR *unit)
{
    WCHAR text[PX_TEXT_CHARS];
    FormatString(text, PX_TEXT_CHARS, formatId, low / divisor, low % divisor, high / divisor,
                 high % divisor, unit);
    SetControlText(dialog, id, text);
}

static void SetSideCaption(HWND dialog, const PageContext *ctx, const SideRow *side, int id,
                           UINT mmFormat, UINT inchFormat, const WCHAR *unit)
{
    int32_t low = ctx->printerInfo.*side->minimum;
    int32_t high = ctx->printerInfo.*side->maximum;
    if (InInches(ctx))
        SetCaption(dialog, id, inchFormat, MillimetreTenthsToInch(low), MillimetreTenthsToInch(high),
                   100, unit);
    else
        SetCaption(dialog, id, mmFormat, low, high, 10, unit);
}

static void SetLabels(HWND dialog, const PageContext *ctx)
{
    LabelDialog(dialog, IDD_USER_SIZE, TRUE);
    RelabelControls(dialog, IDC_USIZE_GROUP, IDC_USIZE_LONG_UNIT, 0);
    WCHAR unit[PX_TEXT_CHARS];
    LoadText(InInches(ctx) ? IDS_UNIT_INCH : IDS_UNIT_MM, unit, PX_TEXT_CHARS);
    SetSideCaption(dialog, ctx, &kShortSide, IDC_USIZE_SHORT_LABEL, IDC_USIZE_SHORT_LABEL,
                   IDS_USIZE_SHORT_INCH, unit);
    SetSideCaption(dialog, ctx, &kLongSide, IDC_USIZE_LONG_LABEL, IDC_USIZE_LONG_LABEL,
                   IDS_USIZE_LONG_INCH, unit);
    SetControlText(dialog, IDC_USIZE_SHORT_UNIT, unit);
    SetControlText(dialog, IDC_USIZE_LONG_UNIT, unit);
}

static void ShowSide(HWND dialog, const PageContext *ctx, int id, int32_t value)
{
    if (InInches(ctx))
        FormatNumber(dialog, id, MillimetreTenthsToInch(value), PX_SCALE_INCH);
    else
        FormatNumber(dialog, id, value, PX_SCALE_MM);
}

// Pair p of the six; positions beyond them (a data driver with more user
// sizes) have no pair.
static PxUserSize *PairAt(PageContext *ctx, LRESULT position)
{
    if (position < 0 || position >= PX_USER_SIZE_COUNT)
        return NULL;
    return &ctx->dmCurrent.pdmUserSizes[position];
}

static void FillDialog(HWND dialog, PageContext *ctx, LRESULT position, BOOL withEdits)
{
    ListRefill refill(dialog, IDC_USIZE_LIST);
    PaperEntry entry = {};
    for (int i = 1; i <= PaperCount(&ctx->paperList); i++) {
        if (PaperEntryAt(&ctx->paperList, i, &entry) && (entry.series & PX_USER_SIZE_SERIES) &&
            entry.paperSize != PX_PAPER_USER_SIZE)
            AddItem(dialog, IDC_USIZE_LIST, entry.name, i);
    }
    SendControl(dialog, IDC_USIZE_LIST, CB_SETCURSEL, position, 0);
    const PxUserSize *pair = PairAt(ctx, position);
    if (withEdits && pair) {
        ShowSide(dialog, ctx, IDC_USIZE_SHORT, pair->width);
        ShowSide(dialog, ctx, IDC_USIZE_LONG, pair->length);
    }
    if (ctx->canChange)
        return;
    for (int id = IDC_USIZE_GROUP; id <= IDC_USIZE_LONG_UNIT; id++)
        DisableControl(dialog, id);
    DisableControl(dialog, IDOK);
}

static LRESULT SelectedPosition(HWND dialog)
{
    LRESULT position = SendControl(dialog, IDC_USIZE_LIST, CB_GETCURSEL, 0, 0);
    return position == CB_ERR ? 0 : position;
}

// Ends the dialog; the edits' focus changes on the way out commit nothing.
static void Finish(HWND dialog, INT_PTR result)
{
    DropModalDialogParam(dialog);
    EndDialog(dialog, result);
}

static void BindPairs(PageContext *ctx)
{
    BindUserSizes(&ctx->paperList, ctx->dmCurrent.pdmUserSizes, PX_USER_SIZE_COUNT);
}

// Parses, clamps and reformats one box into pair p.
static void CommitSide(HWND dialog, PageContext *ctx, const SideRow *side, LRESULT position)
{
    PxUserSize *pair = PairAt(ctx, position);
    if (!pair)
        return;
    int32_t low = ctx->printerInfo.*side->minimum;
    int32_t high = ctx->printerInfo.*side->maximum;
    int32_t value = 0;
    if (InInches(ctx)) {
        ParseClampFormat(dialog, side->edit, MillimetreTenthsToInch(low), MillimetreTenthsToInch(high),
                         &value, PX_SCALE_INCH);
        value = InchToMillimetreTenths(value);
    } else {
        ParseClampFormat(dialog, side->edit, low, high, &value, PX_SCALE_MM);
    }
    pair->*side->value = value;
}

static void SideLeft(HWND dialog, PageContext *ctx, const SideRow *side)
{
    LRESULT position = SelectedPosition(dialog);
    CommitSide(dialog, ctx, side, position);
    BindPairs(ctx);
    FillDialog(dialog, ctx, position, FALSE);
}

// The first pair whose short side is longer than its long side, or -1.
static int FirstBadPair(const PXDEVMODE *dm)
{
    for (int i = 0; i < PX_USER_SIZE_COUNT; i++) {
        if (dm->pdmUserSizes[i].width > dm->pdmUserSizes[i].length)
            return i;
    }
    return -1;
}

static void OfferSwap(HWND dialog, PageContext *ctx, int bad)
{
    WCHAR text[PX_TEXT_CHARS];
    WCHAR title[PX_TEXT_CHARS];
    LoadText(IDS_MSG_USER_SIZE_SWAP, text, PX_TEXT_CHARS);
    LoadText(IDS_TITLE_CONFIRM, title, PX_TEXT_CHARS);
    PxUserSize *pair = &ctx->dmCurrent.pdmUserSizes[bad];
    if (MessageBoxW(dialog, text, title, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        int32_t shortSide = pair->width;
        pair->width = pair->length;
        pair->length = shortSide;
    }
    BindPairs(ctx);
    FillDialog(dialog, ctx, bad, TRUE);
}

static void Confirm(HWND dialog, UserSizeRequest *request)
{
    PageContext *ctx = request->ctx;
    if (!ctx->canChange)
        return;
    LRESULT position = SelectedPosition(dialog);
    CommitSide(dialog, ctx, &kShortSide, position);
    CommitSide(dialog, ctx, &kLongSide, position);
    int bad = FirstBadPair(&ctx->dmCurrent);
    if (bad >= 0) {
        OfferSwap(dialog, ctx, bad);
        return;
    }
    BindPairs(ctx);
    request->index = (int32_t)position;
    Finish(dialog, IDOK);
}

static void Cancel(HWND dialog, const UserSizeSession *session)
{
    PageContext *ctx = session->request->ctx;
    CopyMemory(ctx->dmCurrent.pdmUserSizes, session->backup, sizeof session->backup);
    BindPairs(ctx);
    Finish(dialog, IDCANCEL);
}

static BOOL Command(HWND dialog, void *param, int id, int code)
{
    UserSizeSession *session = static_cast<UserSizeSession *>(param);
    UserSizeRequest *request = session->request;
    PageContext *ctx = request->ctx;
    switch (id) {
    case IDC_USIZE_LIST:
        if (code != CBN_SELCHANGE)
            return FALSE;
        FillDialog(dialog, ctx, SelectedPosition(dialog), TRUE);
        return TRUE;
    case IDC_USIZE_SHORT:
    case IDC_USIZE_LONG:
        if (code != EN_KILLFOCUS)
            return FALSE;
        SideLeft(dialog, ctx, id == IDC_USIZE_SHORT ? &kShortSide : &kLongSide);
        return TRUE;
    case IDOK:
        Confirm(dialog, request);
        return TRUE;
    case IDCANCEL:
        Cancel(dialog, session);
        return TRUE;
    default:
        return FALSE;
    }
}

static BOOL Open(HWND dialog, void *param)
{
    UserSizeSession *session = static_cast<UserSizeSession *>(param);
    UserSizeRequest *request = session ? session->request : NULL;
    if (!request || !request->ctx) {
        EndDialog(dialog, IDCANCEL);
        return FALSE;
    }
    PageContext *ctx = request->ctx;
    SetLabels(dialog, ctx);
    CopyMemory(session->backup, ctx->dmCurrent.pdmUserSizes, sizeof session->backup);
    FillDialog(dialog, ctx, request->index, TRUE);
    return TRUE;
}

static const WCHAR *HelpFileOf(const void *param)
{
    return static_cast<const UserSizeSession *>(param)->request->ctx->helpFile;
}

static const ModalDialog kUserSize = {
    IDD_USER_SIZE, Open, Command, HelpFileOf, IDH_USER_SIZE, NULL, NULL,
};

static INT_PTR CALLBACK UserSizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ModalDialogMessage(&kUserSize, dialog, message, wParam, lParam);
}

INT_PTR ShowUserSizeDialog(HWND owner, UserSizeRequest *request)
{
    UserSizeSession session = {request, {}};
    return RunModalDialog(owner, &kUserSize, UserSizeDialogProc, &session);
}
