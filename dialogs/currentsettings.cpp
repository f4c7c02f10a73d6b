#include "dialogs/currentsettings.h"

#include <commctrl.h>

#include "context/sheetbinding.h"
#include "core/ddops.h"
#include "core/module.h"
#include "core/scope.h"
#include "devmode/papermerge.h"
#include "devmode/template.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "services/colorprofile.h"
#include "settings/settingstore.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/modaldialog.h"

#define PX_OUTPUT_LIST_SERIES 0x40000000u
#define PX_COLUMN_WIDTH 150

// Row labels that are not control labels.
#define IDS_ROW_PRINT_MODE 11501
#define IDS_ROW_DATA_RESOLUTION 11505
#define IDS_ROW_EFFECT 11503
#define IDS_ROW_COLOR_MODE 11508
#define IDS_ROW_COLOR_CORRECTION 11510
#define IDS_ROW_PRINTER_PROFILE 11516
#define IDS_GROUP_BALANCE 11601
#define IDS_GROUP_INK 11700

typedef CurrentSettingsRow Row;

struct RowSink {
    Row *rows;
    int capacity;
    int count;
};

static Row *NextRow(RowSink *sink, UINT labelId)
{
    if (sink->count >= sink->capacity)
        return NULL;
    Row *row = &sink->rows[sink->count++];
    LoadText(labelId, row->label, ARRAYSIZE(row->label));
    row->value[0] = 0;
    return row;
}

static void AddTextRow(RowSink *sink, UINT labelId, UINT valueId)
{
    Row *row = NextRow(sink, labelId);
    if (row)
        LoadText(valueId, row->value, ARRAYSIZE(row->value));
}

static void AddNameRow(RowSink *sink, UINT labelId, const WCHAR *name, int chars)
{
    Row *row = NextRow(sink, labelId);
    if (!row)
        return;
    int n = 0;
    for (; n < chars && n < (int)ARRAYSIZE(row->value) - 1 && name[n]; n++)
        row->value[n] = name[n];
    row->value[n] = 0;
}

static void AddNumberRow(RowSink *sink, UINT labelId, UINT formatId, int value)
{
    Row *row = NextRow(sink, labelId);
    if (row)
        FormatString(row->value, ARRAYSIZE(row->value), formatId, value);
}

static const PrintModeRow *ModeRow(const PXDEVMODE *r)
{
    return PrintModeRowFor(r->pdmPaperType.id, r->pdmPrintMode);
}

static void AddPaperRows(RowSink *sink, PageContext *ctx)
{
    const PXDEVMODE *r = &ctx->dmCurrent;
    UINT orientation = r->dm.dmOrientation == DMORIENT_LANDSCAPE ? IDC_BASIC_LANDSCAPE
                                                                  : IDC_BASIC_PORTRAIT;
    AddTextRow(sink, IDC_BASIC_ORIENTATION_GROUP, orientation);
    PaperEntry entry = {};
    if (!FindRecordPaper(r, &ctx->paperList, &entry))
        PaperEntryAt(&ctx->paperList, 1, &entry);
    AddNameRow(sink, IDC_BASIC_PAGE_SIZE_LABEL, entry.name, PX_NAME_CHARS);
    PaperList outputs = {};
    PaperEntry output = {};
    BuildPaperList(ctx->hPrinter, r->dm.dmDefaultSource, &outputs,
                   r->pdmSizeSeries | PX_OUTPUT_LIST_SERIES, r->pdmUserSizes, PX_USER_SIZE_COUNT);
    FindPaperByCode(&outputs, (uint16_t)r->pdmOutputSize, &output);
    ReleasePaperList(&outputs);
    AddNameRow(sink, IDC_BASIC_OUTPUT_SIZE_LABEL, output.name, PX_NAME_CHARS);
    AddNumberRow(sink, IDS_ROW_SCALE, IDS_FMT_PERCENT, r->pdmOutputScale);
    AddTextRow(sink, IDC_BASIC_ROTATION_LABEL, IDS_ROTATION_BASE + r->pdmRotation);
    PaperTypeRecord ptype = {};
    DdPtypeSearch((int)r->pdmPaperType.id, &ptype);
    AddNameRow(sink, IDC_BASIC_MEDIA_TYPE_LABEL, ptype.name, PX_NAME_CHARS);
}

static void AddSettingRow(RowSink *sink, const PXDEVMODE *r)
{
    if (r->pdmSettingIndex == PX_SETTING_INDEX_CURRENT) {
        AddTextRow(sink, IDC_BASIC_PRINT_GROUP, IDS_CURRENT_SETTING);
        return;
    }
    const PrintSetting *setting = SettingRecordAddress(r, r->pdmSettingIndex);
    AddNameRow(sink, IDC_BASIC_PRINT_GROUP, setting ? setting->name : L"", PX_SETTING_NAME_CHARS);
}

static void AddModeRows(RowSink *sink, const PXDEVMODE *r)
{
    AddTextRow(sink, IDS_ROW_PRINT_MODE, IDS_PRINT_MODE_BASE + r->pdmPrintMode);
    AddNameRow(sink, IDS_ROW_PRINT_RESOLUTION, r->pdmQualityMode.name, PX_NAME_CHARS);
    AddNumberRow(sink, IDS_ROW_DATA_RESOLUTION, IDS_FMT_DPI, r->dm.dmYResolution);
    const PrintModeRow *row = ModeRow(r);
    int effect = r->pdmEffect == PX_EFFECT_AUTOMATIC ? (row ? row->effect : 0) : r->pdmEffect;
    AddTextRow(sink, IDS_ROW_EFFECT, IDS_EFFECT_BASE + effect);
    int direction = r->pdmDirectionSet ? r->pdmDirection : (row ? row->direction : 0);
    AddTextRow(sink, IDS_ROW_DIRECTION, IDS_DIRECTION_BASE + direction);
    AddNumberRow(sink, IDS_ROW_PASSES, IDS_FMT_PASSES, row ? row->passes : 0);
}

static void AddProfileRow(RowSink *sink, const PXDEVMODE *r)
{
    WCHAR name[PX_PROFILE_NAME_CHARS] = {};
    CopyProfileName(name, r->pdmPrinterProfile);
    GetPrinterProfileName(r, name);
    Row *row = NextRow(sink, IDS_ROW_PRINTER_PROFILE);
    UniqueBlock<char> description(row ? GetProfileDescription(name) : NULL);
    if (description) {
        MultiByteToWideChar(CP_ACP, 0, description.get(), -1, row->value, ARRAYSIZE(row->value) - 1);
        row->value[ARRAYSIZE(row->value) - 1] = 0;
    }
}

static void AddColorRows(RowSink *sink, const PXDEVMODE *r)
{
    UINT mode = r->pdmGrayFlag ? IDS_COLOR_MODE_GRAY
                               : (r->dm.dmColor == DMCOLOR_COLOR ? IDS_COLOR_MODE_COLOR : IDS_COLOR_MODE_MONO);
    AddTextRow(sink, IDS_ROW_COLOR_MODE, mode);
    ColorCorrectionRecord ccr = {};
    DdCCRmSearch((int)r->pdmColorCorrection.id, &ccr);
    AddNameRow(sink, IDS_ROW_COLOR_CORRECTION, ccr.name, PX_NAME_CHARS);
    BOOL matching = r->dm.dmICMMethod == DMICMMETHOD_SYSTEM;
    AddTextRow(sink, IDS_ROW_COLOR_MATCHING, matching ? IDS_ENABLED : IDS_DISABLED);
    if (matching)
        AddProfileRow(sink, r);
}

// Rows whose label pairs a group name with a row name, all or none.
struct PairedRow {
    UINT nameId;
    int16_t PXDEVMODE::*field;
    int ink;  // index into pdmInkAmount when field is null
};
static const PairedRow kBalanceRows[] = {
    {11602, &PXDEVMODE::pdmBalanceCyanRed, 0},
    {11603, &PXDEVMODE::pdmBalanceMagentaGreen, 0},
    {11604, &PXDEVMODE::pdmBalanceYellowBlue, 0},
};
static const PairedRow kInkRows[] = {
    {11701, NULL, 0}, {11702, NULL, 1}, {11703, NULL, 2}, {11704, NULL, 3},
};

static int PairedValue(const PXDEVMODE *r, const PairedRow &row)
{
    return row.field ? r->*row.field : r->pdmInkAmount[row.ink];
}

static void AddPairedRows(RowSink *sink, const PXDEVMODE *r, UINT groupId, const PairedRow *rows,
                          int count)
{
    UniqueBlock<WCHAR> group = UniqueBlock<WCHAR>::Allocate(510);
    UniqueBlock<WCHAR> name = UniqueBlock<WCHAR>::Allocate(510);
    if (!group || !name)
        return;
    LoadText(groupId, group.get(), 255);
    for (int i = 0; i < count; i++) {
        if (sink->count >= sink->capacity)
            return;
        LoadText(rows[i].nameId, name.get(), 255);
        Row *row = &sink->rows[sink->count++];
        FormatString(row->label, ARRAYSIZE(row->label), IDS_FMT_GROUP_ROW, group.get(), name.get());
        FormatString(row->value, ARRAYSIZE(row->value), IDS_FMT_DECIMAL, PairedValue(r, rows[i]));
    }
}

static void AddAdjustmentRows(RowSink *sink, const PXDEVMODE *r)
{
    AddPairedRows(sink, r, IDS_GROUP_BALANCE, kBalanceRows, ARRAYSIZE(kBalanceRows));
    AddNumberRow(sink, 11606, IDS_FMT_DECIMAL, r->pdmSaturation);
    AddNumberRow(sink, 11607, IDS_FMT_DECIMAL, r->pdmContrast);
    AddNumberRow(sink, 11605, IDS_FMT_DECIMAL, r->pdmBrightness);
    Row *gamma = NextRow(sink, 11608);
    if (gamma)
        FormatString(gamma->value, ARRAYSIZE(gamma->value), IDS_FMT_TENTHS, r->pdmGamma / 10,
                     r->pdmGamma % 10);
    AddPairedRows(sink, r, IDS_GROUP_INK, kInkRows, ARRAYSIZE(kInkRows));
    AddNumberRow(sink, 11705, IDS_FMT_DECIMAL, r->pdmTotalInkLimit);
}

static UINT HeaterValue(const PXDEVMODE *r, uint32_t on, uint16_t temperature)
{
    if (!on)
        return IDS_PRINTER_SETTING;
    if (temperature == 0)
        return IDS_TEMP_OFF;
    return (r->pdmTempUnit == 0 ? IDS_TEMP_CELSIUS_BASE : IDS_TEMP_FAHRENHEIT_BASE) + temperature;
}

static void AddOptionRows(RowSink *sink, const PXDEVMODE *r)
{
    AddNumberRow(sink, IDC_OPTION_COPIES_LABEL, IDS_FMT_DECIMAL, r->dm.dmCopies);
    AddTextRow(sink, IDC_OPTION_MIRROR, r->pdmNoMirror == 0 ? IDS_ENABLED : IDS_DISABLED);
    AddTextRow(sink, IDC_OPTION_OVERPRINT,
               r->pdmOverprintOn ? IDS_OVERPRINT_COUNT_BASE - 1 + r->pdmOverprintCount : IDS_PRINTER_SETTING);
    AddTextRow(sink, IDC_OPTION_OVERPRINT_WAIT_ON,
               r->pdmOverprintWaitOn ? IDS_OVERPRINT_WAIT_BASE + r->pdmOverprintWait : IDS_PRINTER_SETTING);
    AddTextRow(sink, IDC_OPTION_PREHEATER, HeaterValue(r, r->pdmPreHeaterOn, r->pdmPreHeaterTemp));
    AddTextRow(sink, IDC_OPTION_PLATEN_HEATER,
               HeaterValue(r, r->pdmPlatenHeaterOn, r->pdmPlatenHeaterTemp));
    AddTextRow(sink, IDC_OPTION_AFTER_HEATER,
               HeaterValue(r, r->pdmAfterHeaterOn, r->pdmAfterHeaterTemp));
    AddTextRow(sink, IDC_OPTION_ON_THE_FLY, r->pdmOnTheFly ? IDS_ENABLED : IDS_DISABLED);
}

int BuildCurrentSettingsRows(PageContext *ctx, CurrentSettingsRow *rows, int capacity)
{
    RowSink sink = {rows, capacity, 0};
    const PXDEVMODE *r = &ctx->dmCurrent;
    SheetBindingScope binding(ctx);
    AddPaperRows(&sink, ctx);
    AddSettingRow(&sink, r);
    AddModeRows(&sink, r);
    AddColorRows(&sink, r);
    AddAdjustmentRows(&sink, r);
    AddOptionRows(&sink, r);
    return sink.count;
}

#define PX_CURRENT_ROW_CAPACITY 48

static void InsertColumn(HWND list, int column, UINT textId)
{
    WCHAR text[PX_TEXT_CHARS];
    LoadText(textId, text, PX_TEXT_CHARS);
    LVCOLUMNW c = {};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.fmt = LVCFMT_LEFT;
    c.cx = PX_COLUMN_WIDTH;
    c.pszText = text;
    c.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, (LPARAM)&c);
}

static void InsertRow(HWND list, int index, Row *row)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = row->label;
    int at = (int)SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
    item.iItem = at;
    item.iSubItem = 1;
    item.pszText = row->value;
    SendMessageW(list, LVM_SETITEMW, 0, (LPARAM)&item);
}

static void FillCurrentSettings(HWND dialog, PageContext *ctx)
{
    HWND list = ControlOf(dialog, IDC_CURRENT_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    InsertColumn(list, 0, IDS_COLUMN_ITEM);
    InsertColumn(list, 1, IDS_COLUMN_VALUE);
    UniqueBlock<Row> rows = UniqueBlock<Row>::Allocate(sizeof(Row) * PX_CURRENT_ROW_CAPACITY);
    if (!rows)
        return;
    int count = BuildCurrentSettingsRows(ctx, rows.get(), PX_CURRENT_ROW_CAPACITY);
    for (int i = 0; i < count; i++)
        InsertRow(list, i, &rows.get()[i]);
}

static void LayoutCurrentSettings(HWND dialog, int width, int height)
{
    HWND ok = ControlOf(dialog, IDOK);
    RECT button = {};
    GetWindowRect(ok, &button);
    int bw = button.right - button.left, bh = button.bottom - button.top;
    MoveWindow(ControlOf(dialog, IDC_CURRENT_LIST), 8, 8, width - 16, height - bh - 24, TRUE);
    MoveWindow(ok, (width - bw) / 2, height - bh - 8, bw, bh, TRUE);
}

static BOOL OpenCurrentSettings(HWND dialog, void *param)
{
    PageContext *ctx = static_cast<PageContext *>(param);
    if (!ctx)
        return FALSE;
    LabelDialog(dialog, IDD_CURRENT_SETTINGS, FALSE);
    InitCommonControls();
    FillCurrentSettings(dialog, ctx);
    RECT client = {};
    GetClientRect(dialog, &client);
    LayoutCurrentSettings(dialog, client.right, client.bottom);
    return TRUE;
}

static BOOL CurrentSettingsCommand(HWND dialog, void *, int id, int)
{
    if (id != IDOK && id != IDCANCEL)
        return FALSE;
    EndDialog(dialog, id == IDOK ? 1 : 0);
    return TRUE;
}

// The size messages, which come before WM_INITDIALOG too.
static BOOL CurrentSettingsSizing(HWND dialog, void *, UINT message, WPARAM, LPARAM lParam,
                                  INT_PTR *answer)
{
    if (message == WM_SIZE) {
        LayoutCurrentSettings(dialog, LOWORD(lParam), HIWORD(lParam));
    } else if (message == WM_GETMINMAXINFO) {
        MINMAXINFO *info = reinterpret_cast<MINMAXINFO *>(lParam);
        info->ptMinTrackSize.x = PX_CURRENT_MIN_TRACK;
        info->ptMinTrackSize.y = PX_CURRENT_MIN_TRACK;
    } else {
        return FALSE;
    }
    *answer = TRUE;
    return TRUE;
}

static const ModalDialog kCurrentSettings = {
    IDD_CURRENT_SETTINGS, OpenCurrentSettings, CurrentSettingsCommand, NULL, 0,
    CurrentSettingsSizing, NULL,
};

INT_PTR CALLBACK CurrentSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ModalDialogMessage(&kCurrentSettings, dialog, message, wParam, lParam);
}
