// The Advanced dialog's registered settings: the owner-drawn list, its popup
// menu, and Add, Remove and the moves, made in the store at once (Cancel
// puts the saved block back).
#include "core/module.h"
#include "core/scope.h"
#include "core/trace.h"
#include "devmode/template.h"
#include "dialogs/advstate.h"
#include "resources/ids_bitmaps.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "widgets/bitmapdraw.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/help.h"

#define ITEM_HEIGHT 16

int RegisteredCount(const AdvancedState &state)
{
    const PXDEVMODE *dm = AdvancedDevMode(state);
    int block = SettingBlockOf(dm);
    if (block < 0 || !StoreFromDevMode(dm))
        return 0;
    int count = SettingCountOf(dm, block);
    return count > PX_SETTING_MAX_COUNT ? PX_SETTING_MAX_COUNT : count;
}

PrintSetting *RegisteredRecord(const AdvancedState &state, int slot)
{
    return SettingRecordAddress(AdvancedDevMode(state), slot);
}

static void SetRegisteredCount(const AdvancedState &state, int count)
{
    PXDEVMODE *dm = AdvancedDevMode(state);
    dm->pdmSettingCount[SettingBlockOf(dm)] = static_cast<int16_t>(count);
}

void FillRegisteredList(HWND dialog, const AdvancedState &state)
{
    SendControl(dialog, IDC_ADV_SETTINGS_LIST, LB_RESETCONTENT, 0, 0);
    int count = RegisteredCount(state);
    for (int i = 0; i < count; i++) {
        WCHAR name[PX_SETTING_NAME_CHARS];
        lstrcpynW(name, RegisteredRecord(state, i)->name, PX_SETTING_NAME_CHARS);
        LRESULT entry = SendControl(dialog, IDC_ADV_SETTINGS_LIST, LB_ADDSTRING, 0, (LPARAM)name);
        if (entry >= 0)
            SendControl(dialog, IDC_ADV_SETTINGS_LIST, LB_SETITEMDATA, entry, i);
    }
    WPARAM selection = state.selected == PX_NO_SETTING ? (WPARAM)-1 : state.selected;
    SendControl(dialog, IDC_ADV_SETTINGS_LIST, LB_SETCURSEL, selection, 0);
}

// ------------------------------------------------------------ drawing

void MeasureRegisteredItem(MEASUREITEMSTRUCT *item) { item->itemHeight = ITEM_HEIGHT; }

static int IconOf(const PrintSetting *record)
{
    if (record->colorMode == 1)
        return IDB_SETTING_COLOR;
    return record->grayMethod == PX_GRAY_WITH_COLOR_INKS ? IDB_SETTING_GRAY : IDB_SETTING_MONO;
}

static void DrawEntry(const DRAWITEMSTRUCT *item, const AdvancedState &state)
{
    HWND list = item->hwndItem;
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, item->itemID, 0);
    LRESULT value = SendMessageW(list, LB_GETITEMDATA, item->itemID, 0);
    const PrintSetting *record = value == LB_ERR ? NULL : RegisteredRecord(state, (int)value);
    if (length == LB_ERR || length >= PX_SETTING_NAME_CHARS || !record)
        return;
    WCHAR text[PX_SETTING_NAME_CHARS] = L"";
    SendMessageW(list, LB_GETTEXT, item->itemID, (LPARAM)text);
    DrawIconTextEntry(item, IconOf(record), text);
}

void DrawRegisteredItem(const DRAWITEMSTRUCT *item, const AdvancedState &state)
{
    if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        if (item->itemID != (UINT)-1)
            DrawEntry(item, state);
    } else if ((item->itemAction & ODA_FOCUS) && (item->itemState & (ODS_SELECTED | ODS_FOCUS))) {
        DrawFocusRect(item->hDC, &item->rcItem);
    }
}

// ------------------------------------------------------------ choosing, adding, removing

void ChooseRegistered(HWND dialog, AdvancedState &state)
{
    LRESULT entry = SendControl(dialog, IDC_ADV_SETTINGS_LIST, LB_GETCURSEL, 0, 0);
    if (entry == LB_ERR)
        return;
    LRESULT value = SendControl(dialog, IDC_ADV_SETTINGS_LIST, LB_GETITEMDATA, entry, 0);
    const PrintSetting *record = value == LB_ERR ? NULL : RegisteredRecord(state, (int)value);
    if (!record)
        return;
    state.selected = static_cast<uint16_t>(value);
    state.changed = FALSE;
    state.working = *record;
    RefreshSettings(dialog, state);
}

static void NameRecord(PrintSetting *record, const WCHAR *name)
{
    ZeroMemory(record->name, sizeof record->name);
    lstrcpynW(record->name, name, PX_SETTING_NAME_LIMIT + 1);
    record->presetId = 0;
}

static void Registered(HWND dialog, AdvancedState &state, int slot)
{
    state.selected = static_cast<uint16_t>(slot);
    state.working = *RegisteredRecord(state, slot);
    state.changed = FALSE;
    RefreshSettings(dialog, state);
    FillRegisteredList(dialog, state);
}

static void Message(HWND dialog, UINT text, UINT title, UINT flags)
{
    WCHAR caption[PX_TEXT_CHARS];
    LoadText(title, caption, PX_TEXT_CHARS);
    MessageBoxW(dialog, LoadModuleString(text).text, caption, flags);
}

static void Overwrite(HWND dialog, AdvancedState &state, int found, const WCHAR *name)
{
    WCHAR caption[PX_TEXT_CHARS];
    LoadText(IDS_TITLE_CONFIRM, caption, PX_TEXT_CHARS);
    if (MessageBoxW(dialog, LoadModuleString(IDS_MSG_OVERWRITE).text, caption, MB_OKCANCEL) != IDOK)
        return;
    NameRecord(&state.working, name);
    *RegisteredRecord(state, found) = state.working;
    Registered(dialog, state, found);
}

void AddRegistered(HWND dialog, AdvancedState &state)
{
    WCHAR name[PX_SETTING_NAME_LIMIT + 1] = L"";
    GetDlgItemTextW(dialog, IDC_ADV_NAME, name, PX_SETTING_NAME_LIMIT + 1);
    if (!name[0] || !RegisteredRecord(state, 0))
        return;
    int found = FindPrintSettingByName(AdvancedDevMode(state), name, &state.working);
    if (found >= 0 && RegisteredRecord(state, found)->presetId == 0) {
        Overwrite(dialog, state, found, name);
    } else if (found >= 0) {
        Message(dialog, IDS_MSG_NAME_RESERVED, IDS_TITLE_CAUTION, MB_OK | MB_ICONEXCLAMATION);
    } else if (RegisteredCount(state) >= PX_SETTING_MAX_COUNT) {
        Message(dialog, IDS_MSG_SETTINGS_FULL, IDS_TITLE_CAUTION, MB_OK | MB_ICONEXCLAMATION);
    } else {
        int slot = RegisteredCount(state);
        PrintSetting *record = RegisteredRecord(state, slot);
        *record = state.working;
        NameRecord(record, name);
        SetRegisteredCount(state, slot + 1);
        Registered(dialog, state, slot);
    }
}

BOOL SelectedRemovable(const AdvancedState &state)
{
    const PrintSetting *record =
        state.selected == PX_NO_SETTING ? NULL : RegisteredRecord(state, state.selected);
    return record && record->presetId == 0 && state.selected < RegisteredCount(state) &&
           RegisteredCount(state) > 1;
}

void RemoveRegistered(HWND dialog, AdvancedState &state)
{
    if (!SelectedRemovable(state))
        return;
    if (!MovePrintSetting(AdvancedDevMode(state), state.selected, -1))
        return;
    int count = RegisteredCount(state);
    int slot = state.selected < count ? state.selected : count - 1;
    Registered(dialog, state, slot < 0 ? 0 : slot);
}

// ------------------------------------------------------------ popup menu and moves

struct MenuRow {
    UINT text;       // 0: separator
    UINT command;
};

static const MenuRow kRegisteredMenu[] = {
    {IDS_MENU_MOVE_TOP, IDM_ADV_MOVE_TOP}, {IDS_MENU_MOVE_UP, IDM_ADV_MOVE_UP},
    {IDS_MENU_MOVE_DOWN, IDM_ADV_MOVE_DOWN}, {IDS_MENU_MOVE_BOTTOM, IDM_ADV_MOVE_BOTTOM},
    {0, 0}, {IDS_MENU_REMOVE, IDC_ADV_REMOVE}, {0, 0}, {IDS_MENU_HELP, IDM_ADV_HELP},
};

static POINT MenuPoint(HWND dialog, LPARAM screenPoint)
{
    POINT point = {(short)LOWORD(screenPoint), (short)HIWORD(screenPoint)};
    // A menu asked for from the keyboard has no point: open it at the list.
    if (screenPoint == (LPARAM)-1) {
        RECT r = {};
        GetWindowRect(ControlOf(dialog, IDC_ADV_SETTINGS_LIST), &r);
        point.x = r.left;
        point.y = r.top;
    }
    return point;
}

void ShowRegisteredMenu(HWND dialog, const AdvancedState &state, LPARAM screenPoint)
{
    UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        return;
    for (const MenuRow &row : kRegisteredMenu) {
        if (!row.text) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, NULL);
            continue;
        }
        UINT flags = MF_STRING;
        if (row.command == IDC_ADV_REMOVE && !SelectedRemovable(state))
            flags |= MF_GRAYED;
        AppendMenuW(menu.get(), flags, row.command, LoadModuleString(row.text).text);
    }
    POINT point = MenuPoint(dialog, screenPoint);
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, point.x, point.y, 0, dialog, NULL);
}

static int MoveTarget(int command, int source, int count)
{
    switch (command) {
    case IDM_ADV_MOVE_TOP:
        return 0;
    case IDM_ADV_MOVE_UP:
        return source > 0 ? source - 1 : 0;
    case IDM_ADV_MOVE_DOWN:
        return source + 1 < count ? source + 1 : count - 1;
    default:
        return count - 1;
    }
}

// Without a selected entry there is nothing to move.
void MoveRegistered(HWND dialog, AdvancedState &state, int command)
{
    LRESULT entry = SendControl(dialog, IDC_ADV_SETTINGS_LIST, LB_GETCURSEL, 0, 0);
    if (entry == LB_ERR)
        return;
    LRESULT source = SendControl(dialog, IDC_ADV_SETTINGS_LIST, LB_GETITEMDATA, entry, 0);
    int count = RegisteredCount(state);
    if (source == LB_ERR || source < 0 || source >= count)
        return;
    int target = MoveTarget(command, (int)source, count);
    if (!MovePrintSetting(AdvancedDevMode(state), (int)source, target))
        return;
    state.selected = static_cast<uint16_t>(target);
    RefreshSettings(dialog, state);
    FillRegisteredList(dialog, state);
}
