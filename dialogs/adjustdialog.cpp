#include "dialogs/adjustdialog.h"

#include <commctrl.h>

#include "core/module.h"
#include "core/trace.h"
#include "dialogs/advanced.h"
#include "pages/controls.h"
#include "pages/numedit.h"
#include "resources/ids_strings.h"

INT_PTR RunAdjustDialog(HWND owner, const AdjustDialogSpec *spec, AdjustState *state,
                        DLGPROC proc, PrintSetting *record)
{
    if (!record)
        return -1;
    state->caller = record;
    INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(spec->dialogId), owner,
                                     proc, (LPARAM)record);
    state->caller = NULL;
    return result;
}

static BOOL RowConditionHolds(const AdjustRow &row, const PrintSetting &record)
{
    switch (row.condition) {
    case ADJUST_COLOR_ONLY:
        return record.colorMode != 0;
    case ADJUST_COLOR_OR_COLOR_INKS:
        return record.colorMode != 0 || record.grayMethod == PX_GRAY_WITH_COLOR_INKS;
    default:
        return TRUE;
    }
}

static void ShowRowValue(HWND dialog, const AdjustRow &row, int16_t value)
{
    if (row.scale == 1)
        SetDlgItemInt(dialog, row.edit, value, TRUE);
    else
        FormatNumber(dialog, row.edit, value, row.scale);
}

static void EnableRows(HWND dialog, const AdjustDialogSpec *spec, const PrintSetting &record)
{
    BOOL editable = record.editable != 0;
    BOOL conditionalGroup = TRUE;
    for (int i = 0; i < spec->rowCount; i++) {
        const AdjustRow &row = spec->rows[i];
        BOOL holds = RowConditionHolds(row, record);
        if (row.condition == ADJUST_COLOR_OR_COLOR_INKS)
            conditionalGroup = holds;
        SetControlEnabled(dialog, row.label, holds);
        SetControlEnabled(dialog, row.low, holds);
        SetControlEnabled(dialog, row.high, holds);
        if (row.unit)
            SetControlEnabled(dialog, row.unit, holds);
        SetControlEnabled(dialog, row.track, holds && editable);
        SetControlEnabled(dialog, row.edit, holds && editable);
    }
    if (spec->conditionalGroup)
        SetControlEnabled(dialog, spec->conditionalGroup, conditionalGroup);
    SetControlEnabled(dialog, IDOK, editable);
    SetControlEnabled(dialog, spec->defaultsButton, editable);
}

static void RefreshAdjustments(HWND dialog, const AdjustDialogSpec *spec, const PrintSetting &record,
                               BOOL withTexts)
{
    for (int i = 0; i < spec->rowCount; i++) {
        const AdjustRow &row = spec->rows[i];
        int16_t value = record.*row.field;
        SendDlgItemMessageW(dialog, row.track, TBM_SETRANGE, TRUE, MAKELPARAM(row.minimum, row.maximum));
        SendDlgItemMessageW(dialog, row.track, TBM_SETPAGESIZE, 0, row.pageSize);
        SendDlgItemMessageW(dialog, row.track, TBM_SETPOS, TRUE, value);
        if (withTexts)
            ShowRowValue(dialog, row, value);
    }
    EnableRows(dialog, spec, record);
}

static void InitAdjustDialog(HWND dialog, const AdjustDialogSpec *spec, AdjustState *state,
                             LPARAM lParam)
{
    PrintSetting *record = reinterpret_cast<PrintSetting *>(lParam);
    if (record)
        state->caller = record;
    if (state->caller)
        state->copy = *state->caller;
    SetWindowTextW(dialog, LoadPageString(spec->dialogId));
    for (int id = spec->firstLabel; id <= spec->lastLabel; id++) {
        if (GetDlgItem(dialog, id))
            SetDlgItemTextW(dialog, id, LoadPageString(id));
    }
    SetDlgItemTextW(dialog, IDOK, LoadPageString(IDS_OK));
    SetDlgItemTextW(dialog, IDCANCEL, LoadPageString(IDS_CANCEL));
    RefreshAdjustments(dialog, spec, state->copy, TRUE);
}

static const AdjustRow *RowOfControl(const AdjustDialogSpec *spec, HWND control, int id)
{
    for (int i = 0; i < spec->rowCount; i++) {
        const AdjustRow &row = spec->rows[i];
        if ((control && GetDlgItem(GetParent(control), row.track) == control) || row.edit == id)
            return &row;
    }
    return NULL;
}

// The thumb's position is taken when it is let go and also while it is
// dragged, so the edit box follows the thumb.
static void TrackbarScrolled(HWND dialog, const AdjustDialogSpec *spec, AdjustState *state,
                             WPARAM wParam, HWND control)
{
    WORD code = LOWORD(wParam);
    if (code != TB_ENDTRACK && code != TB_THUMBTRACK && code != TB_THUMBPOSITION)
        return;
    const AdjustRow *row = RowOfControl(spec, control, 0);
    if (!row || !state->copy.editable)
        return;
    LRESULT position = SendMessageW(control, TBM_GETPOS, 0, 0);
    state->copy.*row->field = static_cast<int16_t>(position);
    RefreshAdjustments(dialog, spec, state->copy, TRUE);
}

static void EditLeft(HWND dialog, const AdjustDialogSpec *spec, AdjustState *state, int id)
{
    const AdjustRow *row = RowOfControl(spec, NULL, id);
    if (!row || !state->copy.editable)
        return;
    int32_t value = 0;
    ParseClampFormat(dialog, id, row->minimum, row->maximum, &value, row->scale);
    state->copy.*row->field = static_cast<int16_t>(value);
    RefreshAdjustments(dialog, spec, state->copy, FALSE);
}

static void RestoreDefaults(HWND dialog, const AdjustDialogSpec *spec, AdjustState *state)
{
    for (int i = 0; i < spec->rowCount; i++)
        state->copy.*spec->rows[i].field = spec->rows[i].defaultValue;
    RefreshAdjustments(dialog, spec, state->copy, TRUE);
}

static BOOL AdjustCommand(HWND dialog, const AdjustDialogSpec *spec, AdjustState *state,
                          WPARAM wParam)
{
    int id = LOWORD(wParam);
    WORD notification = HIWORD(wParam);
    if (notification == EN_KILLFOCUS) {
        EditLeft(dialog, spec, state, id);
        return TRUE;
    }
    if (notification != BN_CLICKED)
        return FALSE;
    if (id == spec->defaultsButton && state->copy.editable) {
        RestoreDefaults(dialog, spec, state);
    } else if (id == IDOK && state->copy.editable) {
        if (state->caller)
            *state->caller = state->copy;
        EndDialog(dialog, 1);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, 0);
    } else {
        return FALSE;
    }
    return TRUE;
}

INT_PTR AdjustDialogMessage(const AdjustDialogSpec *spec, AdjustState *state, HWND dialog,
                            UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitAdjustDialog(dialog, spec, state, lParam);
        return TRUE;
    case WM_HSCROLL:
        TrackbarScrolled(dialog, spec, state, wParam, reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_COMMAND:
        return AdjustCommand(dialog, spec, state, wParam);
    case WM_HELP:
    case WM_CONTEXTMENU:
        ShowHelpTopic(dialog, AdvancedHelpFile(),
                      TopicOfControl(spec->help, HelpControlOf(message, wParam, lParam)));
        return TRUE;
    default:
        return FALSE;
    }
}
