// The Setup page: units, processing status, settings files, version and
// reset to defaults.
#include <windows.h>
#include <commctrl.h>

#include "core/scope.h"
#include "dialogs/versiondlg.h"
#include "pages/protocol.h"
#include "pages/replacesettings.h"
#include "pages/summary.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "settings/settingstore.h"
#include "settingsfiles/filedialogs.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"

// A unit list: two entries, data 0 and 1, texts firstText and the next.
struct UnitList {
    int listId;
    int16_t PXDEVMODE::*field;
    UINT firstText;
    BOOL summaryShowsIt;   // lengths appear in the summary, temperatures do not
};

static const UnitList kUnitLists[] = {
    {IDC_SETUP_LENGTH_UNIT, &PXDEVMODE::pdmLengthUnit, IDS_UNIT_MM, TRUE},
    {IDC_SETUP_TEMP_UNIT, &PXDEVMODE::pdmTempUnit, IDS_UNIT_CELSIUS, FALSE},
};
#define PX_UNIT_CHOICES 2

// The processing status can no longer be shown from Windows 6.0 on.
static BOOL StatusCheckUnsupported(void)
{
    OSVERSIONINFOW version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExW(&version) && version.dwMajorVersion >= 6;
}

static void FillUnitList(HWND page, const UnitList &unit, const PXDEVMODE *dm)
{
    ListRefill refill(page, unit.listId);
    for (int data = 0; data < PX_UNIT_CHOICES; data++)
        AddStringItem(page, unit.listId, unit.firstText + data, data);
    SelectItemByData(page, unit.listId, dm->*unit.field);
}

static void FillSetupPage(HWND page, PageContext *ctx)
{
    InitCommonControls();
    for (const UnitList &unit : kUnitLists)
        FillUnitList(page, unit, &ctx->dmCurrent);
    CheckControl(page, IDC_SETUP_SHOW_STATUS, ctx->dmCurrent.pdmShowStatus);
    SetControlEnabled(page, IDC_SETUP_SHOW_STATUS, ctx->canChange && !StatusCheckUnsupported());
    // Saving, the version and the units stay usable without permission.
    SetControlEnabled(page, IDC_SETUP_LOAD, ctx->canChange != 0);
    SetControlEnabled(page, IDC_SETUP_INITIALIZE, ctx->canChange != 0);
}

static BOOL InitSetupPage(HWND page, PageContext *ctx)
{
    RelabelPage(page, IDC_SETUP_UNITS_GROUP, IDC_SETUP_INITIALIZE, 0);
    FillSetupPage(page, ctx);
    RefreshSummary(page, ctx);
    return TRUE;
}

// After the settings were replaced this page shows them at once; the other
// pages follow when they are shown.
static void RefillIfReplaced(HWND page, PageContext *ctx)
{
    if (!ctx->refreshSetup)
        return;
    FillSetupPage(page, ctx);
    RefreshSummary(page, ctx);
    ctx->refreshSetup = 0;
}

static void LoadParameterFile(HWND page, PageContext *ctx)
{
    UniqueBlock<PXDEVMODE> work = UniqueBlock<PXDEVMODE>::Allocate();
    if (!work)
        return;
    CopyMemory(work.get(), &ctx->dmCurrent, sizeof(PXDEVMODE));
    if (!LoadSettingsWithDialog(page, work.get(), StoreFromDevMode(&ctx->dmCurrent)))
        return;
    if (MergeLoadedSettings(ctx, work.get()))
        RefillIfReplaced(page, ctx);
}

static void InitializeSettings(HWND page, PageContext *ctx)
{
    WCHAR text[PX_TEXT_CHARS];
    WCHAR caption[PX_TEXT_CHARS];
    LoadText(IDS_MSG_INITIALIZE, text, PX_TEXT_CHARS);
    LoadText(IDS_TITLE_INITIALIZE, caption, PX_TEXT_CHARS);
    if (MessageBoxW(page, text, caption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        ResetToDefaults(ctx);
    RefillIfReplaced(page, ctx);
}

static BOOL UnitCommand(HWND page, PageContext *ctx, int id, int code)
{
    for (const UnitList &unit : kUnitLists) {
        if (id != unit.listId)
            continue;
        if (code != CBN_SELCHANGE)
            return FALSE;
        LRESULT data = SelectedItemData(page, id);
        if (data != -1)
            ctx->dmCurrent.*unit.field = (int16_t)data;
        FillSetupPage(page, ctx);
        if (unit.summaryShowsIt)
            RefreshSummary(page, ctx);
        return TRUE;
    }
    return FALSE;
}

static BOOL SetupCommand(HWND page, PageContext *ctx, int id, int code)
{
    if (id == IDC_SETUP_LENGTH_UNIT || id == IDC_SETUP_TEMP_UNIT)
        return UnitCommand(page, ctx, id, code);
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_SETUP_SHOW_STATUS:
        ctx->dmCurrent.pdmShowStatus = IsControlChecked(page, id);
        return TRUE;
    case IDC_SETUP_LOAD:
        LoadParameterFile(page, ctx);
        return TRUE;
    case IDC_SETUP_SAVE:
        SaveSettingsWithDialog(page, &ctx->dmCurrent, StoreFromDevMode(&ctx->dmCurrent));
        return TRUE;
    case IDC_SETUP_VERSION:
        ShowVersionDialog(page, &ctx->versionContext);
        return TRUE;
    case IDC_SETUP_INITIALIZE:
        InitializeSettings(page, ctx);
        return TRUE;
    default:
        return FALSE;
    }
}

static INT_PTR ApplySetupPage(HWND page, PageContext *)
{
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

static const PageDescriptor kSetupPage = {
    IDC_SETUP_UNITS_GROUP, IDC_SETUP_INITIALIZE, 0, kSetupPageHelp,
    &PageContext::refreshSetup, &PageContext::shownSetup, InitSetupPage, FillSetupPage, SetupCommand, ApplySetupPage, NULL,
};

INT_PTR CALLBACK SetupPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageProtocol(&kSetupPage, dialog, message, wParam, lParam);
}
