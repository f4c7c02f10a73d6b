#include "pages/settingslist.h"

#include "context/sheetbinding.h"
#include "core/module.h"
#include "core/scope.h"
#include "pages/summary.h"
#include "resources/ids_bitmaps.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "settings/settingstore.h"
#include "widgets/bitmapdraw.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"

#define PX_CURRENT_ENTRY_DATA (-1)
#define PX_NO_SETTING 0xFFFF

int RegisteredSettingCount(const PXDEVMODE *dm)
{
    return SettingCountOf(dm, SettingBlockOf(dm));
}

static void AddCurrentSettingsEntry(HWND list)
{
    LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)LoadModuleString(IDS_CURRENT_SETTING).text);
    if (at >= 0) {
        SendMessageW(list, LB_SETITEMDATA, at, (LPARAM)PX_CURRENT_ENTRY_DATA);
        SendMessageW(list, LB_SETCURSEL, at, 0);
    }
}

void FillSettingsList(HWND page, PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    HWND list = ControlOf(page, IDC_BASIC_SETTINGS_LIST);
    RedrawPause pause(list);
    int count = RegisteredSettingCount(dm);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; i++) {
        const PrintSetting *record = SettingRecordAddress(dm, i);
        LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)(record ? record->name : L""));
        if (at >= 0)
            SendMessageW(list, LB_SETITEMDATA, at, i);
    }
    if (dm->pdmSettingIndex < -1 || dm->pdmSettingIndex >= count)
        dm->pdmSettingIndex = 0;
    if (dm->pdmSettingIndex == -1)
        AddCurrentSettingsEntry(list);
    else
        SendMessageW(list, LB_SETCURSEL, dm->pdmSettingIndex, 0);
    // The pause's end invalidates the list as well.
    SetWindowTextW(list, PX_REPAINT_TEXT);
}

int SettingsEntryBitmap(const PXDEVMODE *dm, int index)
{
    const PrintSetting *record = NULL;
    if (index >= 0 && index <= RegisteredSettingCount(dm))
        record = SettingRecordAddress(dm, index);
    if (!record) {
        if (dm->dm.dmColor != DMCOLOR_COLOR)
            return IDB_SETTING_MONO;
        return dm->pdmGrayFlag == 0 ? IDB_SETTING_COLOR : IDB_SETTING_GRAY;
    }
    if (record->colorMode == 1)
        return IDB_SETTING_COLOR;
    return record->grayMethod ? IDB_SETTING_MONO : IDB_SETTING_GRAY;
}

// The entry's text and data, from a list box or a drop-down list.
static BOOL ReadEntry(const DRAWITEMSTRUCT *item, WCHAR *text, int chars, LRESULT *data)
{
    BOOL combo = item->CtlType == ODT_COMBOBOX;
    UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    LRESULT length = SendMessageW(item->hwndItem, lengthMessage, item->itemID, 0);
    if (length < 0 || length >= chars)
        return FALSE;
    SendMessageW(item->hwndItem, combo ? CB_GETLBTEXT : LB_GETTEXT, item->itemID, (LPARAM)text);
    *data = SendMessageW(item->hwndItem, combo ? CB_GETITEMDATA : LB_GETITEMDATA, item->itemID, 0);
    return TRUE;
}

BOOL DrawSettingsEntry(const DRAWITEMSTRUCT *item, const PageContext *ctx)
{
    if (item->itemID == (UINT)-1 || !(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return FALSE;
    WCHAR text[PX_TEXT_CHARS] = {};
    LRESULT data = 0;
    if (!ReadEntry(item, text, PX_TEXT_CHARS, &data))
        return FALSE;
    DrawIconTextEntry(item, SettingsEntryBitmap(&ctx->dmCurrent, (int16_t)data), text);
    return TRUE;
}

void SettingsListCommand(HWND page, PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    HWND list = ControlOf(page, IDC_BASIC_SETTINGS_LIST);
    LRESULT selection = SendMessageW(list, LB_GETCURSEL, 0, 0);
    uint16_t data = (uint16_t)SendMessageW(list, LB_GETITEMDATA, (WPARAM)(int16_t)selection, 0);
    if (data == PX_NO_SETTING)
        return;
    if (dm->pdmSettingIndex == -1)
        SendMessageW(list, LB_DELETESTRING, RegisteredSettingCount(dm), 0);
    dm->pdmSettingIndex = (int16_t)data;
    const PrintSetting *record = SettingRecordAddress(dm, data);
    if (record) {
        SheetBindingScope binding(ctx);
        ApplyPrintSetting(dm, record);
    }
}
