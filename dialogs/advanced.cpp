#include "dialogs/advanced.h"

#include "context/sheetbinding.h"
#include "core/module.h"
#include "core/scope.h"
#include "core/trace.h"
#include "devmode/template.h"
#include "dialogs/advstate.h"
#include "dialogs/coloradjust.h"
#include "dialogs/inkadjust.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/help.h"

AdvancedState *AdvancedOf(HWND dialog)
{
    return reinterpret_cast<AdvancedState *>(GetWindowLongPtrW(dialog, DWLP_USER));
}

static const HelpContext kAdvancedHelp[] = {
    {IDC_ADV_PRINT_MODE_LABEL, IDH_PRINT_MODE}, {IDC_ADV_PRINT_MODE, IDH_PRINT_MODE},
    {IDC_ADV_EFFECT_LABEL, IDH_EFFECT}, {IDC_ADV_EFFECT, IDH_EFFECT},
    {IDC_ADV_RESOLUTION_LABEL, IDH_RESOLUTION}, {IDC_ADV_RESOLUTION, IDH_RESOLUTION},
    {IDC_ADV_COLOR_MODE_LABEL, IDH_COLOR_MODE}, {IDC_ADV_COLOR_MODE, IDH_COLOR_MODE},
    {IDC_ADV_CORRECTION_LABEL, IDH_COLOR_CORRECTION}, {IDC_ADV_CORRECTION, IDH_COLOR_CORRECTION},
    {IDC_ADV_MATCHING, IDH_COLOR_MATCHING}, {IDC_ADV_PROFILE_LABEL, IDH_COLOR_MATCHING},
    {IDC_ADV_PROFILE, IDH_COLOR_MATCHING}, {IDC_ADV_PROFILE_DESCRIPTION, IDH_COLOR_MATCHING},
    {IDC_ADV_COLOR_ADJUST, IDH_COLOR_ADJUST_BUTTON}, {IDC_ADV_INK_ADJUST, IDH_INK_ADJUST_BUTTON},
    {IDC_ADV_NAME, IDH_REGISTER_SETTING}, {IDC_ADV_SETTINGS_LIST, IDH_REGISTER_SETTING},
    {IDC_ADV_ADD, IDH_REGISTER_SETTING}, {IDC_ADV_REMOVE, IDH_REMOVE_SETTING},
    {0, 0},
};

// ------------------------------------------------------------ opening

// The registered setting in force, or none when the index addresses no
// registered record of the paper type.
static uint16_t SettingInForce(const AdvancedState &state)
{
    int index = (uint16_t)AdvancedDevMode(state)->pdmSettingIndex;
    if (index == PX_NO_SETTING || index >= RegisteredCount(state))
        return PX_NO_SETTING;
    return static_cast<uint16_t>(index);
}

static void SaveStore(AdvancedState &state)
{
    const PXDEVMODE *dm = AdvancedDevMode(state);
    state.savedIndex = dm->pdmSettingIndex;
    int block = SettingBlockOf(dm);
    state.savedCount = block < 0 ? 0 : dm->pdmSettingCount[block];
    const PrintSetting *records = RegisteredRecord(state, 0);
    if (records)
        memcpy(state.savedBlock, records, sizeof state.savedBlock);
}

static void LoadWorkingRecord(AdvancedState &state)
{
    const PXDEVMODE *dm = AdvancedDevMode(state);
    state.selected = SettingInForce(state);
    if (state.selected != PX_NO_SETTING)
        state.working = *RegisteredRecord(state, state.selected);
    else
        CapturePrintSetting(dm, &state.working);
}

static void Relabel(HWND dialog)
{
    LabelDialog(dialog, IDD_ADVANCED, TRUE);
    RelabelControls(dialog, IDC_ADV_QUALITY_GROUP, IDC_ADV_REMOVE, 0);
}

static BOOL InitAdvancedDialog(HWND dialog, AdvancedState *opened)
{
    if (!opened) {
        EndDialog(dialog, 0);
        return FALSE;
    }
    AdvancedState &state = *opened;
    SetWindowLongPtrW(dialog, DWLP_USER, (LONG_PTR)opened);
    SaveStore(state);
    LoadWorkingRecord(state);
    Relabel(dialog);
    FillProfileList(dialog);
    RefreshSettings(dialog, state);
    FillRegisteredList(dialog, state);
    return TRUE;
}

// ------------------------------------------------------------ closing

static void ConfirmSettings(HWND dialog, AdvancedState &state)
{
    PXDEVMODE *dm = AdvancedDevMode(state);
    if (state.changed) {
        {
            SheetBindingScope binding(state.ctx);
            ApplyPrintSetting(dm, &state.working);
        }
        PrintSetting *current = RegisteredRecord(state, PX_SETTING_CURRENT_SLOT);
        if (current)
            *current = state.working;
        dm->pdmSettingIndex = PX_SETTING_INDEX_CURRENT;
    } else {
        dm->pdmSettingIndex = static_cast<int16_t>(state.selected);
    }
    EndDialog(dialog, 1);
}

static void RestoreStore(HWND dialog, const AdvancedState &state)
{
    PXDEVMODE *dm = AdvancedDevMode(state);
    dm->pdmSettingIndex = state.savedIndex;
    int block = SettingBlockOf(dm);
    PrintSetting *records = RegisteredRecord(state, 0);
    if (block >= 0 && records) {
        dm->pdmSettingCount[block] = state.savedCount;
        memcpy(records, state.savedBlock, sizeof state.savedBlock);
    }
    EndDialog(dialog, 0);
}

// ------------------------------------------------------------ messages

static BOOL IsSettingList(int id)
{
    return id == IDC_ADV_PRINT_MODE || id == IDC_ADV_EFFECT || id == IDC_ADV_RESOLUTION ||
           id == IDC_ADV_COLOR_MODE || id == IDC_ADV_CORRECTION || id == IDC_ADV_PROFILE;
}

// A user touching a setting: opening or choosing in a list (opening counts
// even when nothing is chosen), a click on the matching box or an adjustment
// button, a trackbar, typing a name.
static BOOL TouchesSetting(HWND dialog, const AdvancedState &state, UINT message, WPARAM wParam)
{
    if (message == WM_HSCROLL)
        return TRUE;
    if (message != WM_COMMAND)
        return FALSE;
    int id = LOWORD(wParam);
    WORD notification = HIWORD(wParam);
    if (IsSettingList(id))
        return notification == CBN_DROPDOWN || notification == CBN_SELENDOK;
    if (id == IDC_ADV_MATCHING || id == IDC_ADV_COLOR_ADJUST || id == IDC_ADV_INK_ADJUST)
        return notification == BN_CLICKED;
    if (id == IDC_ADV_NAME && notification == EN_CHANGE)
        return !state.refreshing && GetFocus() == ControlOf(dialog, IDC_ADV_NAME);
    return FALSE;
}

static void OpenAdjustment(HWND dialog, AdvancedState &state, int id)
{
    state.working.editable = state.ctx->canChange ? 1 : 0;
    if (id == IDC_ADV_COLOR_ADJUST)
        ShowColorAdjustDialog(dialog, &state.working, state.ctx->helpFile);
    else
        ShowInkAdjustDialog(dialog, &state.working, state.ctx->helpFile);
    RefreshSettings(dialog, state);
}

static BOOL AdvancedCommand(HWND dialog, AdvancedState &state, WPARAM wParam)
{
    int id = LOWORD(wParam);
    WORD notification = HIWORD(wParam);
    if (SettingCommand(dialog, state, id, notification))
        return TRUE;
    if (id == IDC_ADV_NAME) {
        if (notification == EN_CHANGE && !state.refreshing)
            ApplyEnabling(dialog, state);
        return notification == EN_CHANGE;
    }
    if (id == IDC_ADV_SETTINGS_LIST) {
        if (notification == LBN_SELCHANGE)
            ChooseRegistered(dialog, state);
        return notification == LBN_SELCHANGE;
    }
    // Menu commands arrive with notification 0, the same as BN_CLICKED.
    if (notification != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_ADV_COLOR_ADJUST:
    case IDC_ADV_INK_ADJUST:
        OpenAdjustment(dialog, state, id);
        break;
    case IDC_ADV_ADD:
        AddRegistered(dialog, state);
        break;
    case IDC_ADV_REMOVE:
        RemoveRegistered(dialog, state);
        break;
    case IDM_ADV_MOVE_TOP:
    case IDM_ADV_MOVE_UP:
    case IDM_ADV_MOVE_DOWN:
    case IDM_ADV_MOVE_BOTTOM:
        MoveRegistered(dialog, state, id);
        break;
    case IDM_ADV_HELP:
        ShowHelpTopic(dialog, state.ctx->helpFile, IDH_REGISTER_SETTING);
        break;
    case IDOK:
        if (state.ctx->canChange)
            ConfirmSettings(dialog, state);
        break;
    case IDCANCEL:
        RestoreStore(dialog, state);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

// The list's help request carries no point for the popup menu: it opens
// the list's topic, as the menu's help item does.
static void AdvancedHelp(HWND dialog, const AdvancedState &state, UINT message, WPARAM wParam,
                         LPARAM lParam)
{
    int id = HelpControlOf(message, wParam, lParam);
    if (message == WM_CONTEXTMENU && id == IDC_ADV_SETTINGS_LIST) {
        if (state.ctx->canChange)
            ShowRegisteredMenu(dialog, state, lParam);
        return;
    }
    ShowHelpTopic(dialog, state.ctx->helpFile, TopicOfControl(kAdvancedHelp, id));
}

static INT_PTR CALLBACK AdvancedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM) {
        MeasureRegisteredItem(reinterpret_cast<MEASUREITEMSTRUCT *>(lParam));
        return TRUE;
    }
    if (message == WM_INITDIALOG)
        return InitAdvancedDialog(dialog, reinterpret_cast<AdvancedState *>(lParam));
    AdvancedState *opened = AdvancedOf(dialog);
    if (!opened)
        return FALSE;
    AdvancedState &state = *opened;
    // Remove and Add follow the flag at once, before any refresh.
    if (!state.changed && TouchesSetting(dialog, state, message, wParam)) {
        state.changed = TRUE;
        ApplyEnabling(dialog, state);
    }
    switch (message) {
    case WM_COMMAND:
        return AdvancedCommand(dialog, state, wParam);
    case WM_DRAWITEM:
        if (wParam != IDC_ADV_SETTINGS_LIST)
            return FALSE;
        DrawRegisteredItem(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam), state);
        return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
        AdvancedHelp(dialog, state, message, wParam, lParam);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR ShowAdvancedDialog(HWND owner, PageContext *ctx)
{
    if (!IsLivePageContext(ctx))
        return 0;
    // The saved block makes the state too big for the stack of a thread
    // that may be deep in an application's code.
    UniqueBlock<AdvancedState> state = UniqueBlock<AdvancedState>::Allocate();
    if (!state)
        return 0;
    state->ctx = ctx;
    INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_ADVANCED), owner,
                                     AdvancedDialogProc, (LPARAM)state.get());
    return result == 1 ? 1 : 0;
}
