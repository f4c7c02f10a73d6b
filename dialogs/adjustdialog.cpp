#include "dialogs/adjustdialog.h"

#include <commctrl.h>

#include "core/module.h"
#include "core/trace.h"
#include "resources/ids_strings.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/numedit.h"

// One opening's state: the caller's record, the copy being edited, where
// help comes from.
struct AdjustState {
    const AdjustDialogLayout *layout;
    PrintSetting *caller;
    PrintSetting copy;
    const WCHAR *helpFile;
};

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

static void EnableRows(HWND dialog, const AdjustDialogLayout *layout, const PrintSetting &record)
{
    BOOL editable = record.editable != 0;
    BOOL conditionalGroup = TRUE;
    for (int i = 0; i < layout->rowCount; i++) {
        const AdjustRow &row = layout->rows[i];
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
    if (layout->conditionalGroup)
        SetControlEnabled(dialog, layout->conditionalGroup, conditionalGroup);
    SetControlEnabled(dialog, IDOK, editable);
    SetControlEnabled(dialog, layout->defaultsButton, editable);
}

static void RefreshAdjustments(HWND dialog, const AdjustDialogLayout *layout, const PrintSetting &record,
                               BOOL withTexts)
{
    for (int i = 0; i < layout->rowCount; i++) {
        const AdjustRow &row = layout->rows[i];
        int16_t value = record.*row.field;
        SendControl(dialog, row.track, TBM_SETRANGE, TRUE, MAKELPARAM(row.minimum, row.maximum));
        SendControl(dialog, row.track, TBM_SETPAGESIZE, 0, row.pageSize);
        SendControl(dialog, row.track, TBM_SETPOS, TRUE, value);
        if (withTexts)
            ShowRowValue(dialog, row, value);
    }
    EnableRows(dialog, layout, record);
}

static void InitAdjustDialog(HWND dialog, const AdjustDialogLayout *layout, AdjustState *state)
{
    state->copy = *state->caller;
    LabelDialog(dialog, layout->dialogId, TRUE);
    RelabelControls(dialog, layout->firstLabel, layout->lastLabel, 0);
    RefreshAdjustments(dialog, layout, state->copy, TRUE);
}

static const AdjustRow *RowOfControl(const AdjustDialogLayout *layout, HWND control, int id)
{
    for (int i = 0; i < layout->rowCount; i++) {
        const AdjustRow &row = layout->rows[i];
        if ((control && ControlOf(GetParent(control), row.track) == control) || row.edit == id)
            return &row;
    }
    return NULL;
}

// The thumb's position is taken when it is let go and also while it is
// dragged, so the edit box follows the thumb.
static void TrackbarScrolled(HWND dialog, const AdjustDialogLayout *layout, AdjustState *state,
                             WPARAM wParam, HWND control)
{
    WORD code = LOWORD(wParam);
    if (code != TB_ENDTRACK && code != TB_THUMBTRACK && code != TB_THUMBPOSITION)
        return;
    const AdjustRow *row = RowOfControl(layout, control, 0);
    if (!row || !state->copy.editable)
        return;
    LRESULT position = SendMessageW(control, TBM_GETPOS, 0, 0);
    state->copy.*row->field = static_cast<int16_t>(position);
    RefreshAdjustments(dialog, layout, state->copy, TRUE);
}

static void EditLeft(HWND dialog, const AdjustDialogLayout *layout, AdjustState *state, int id)
{
    const AdjustRow *row = RowOfControl(layout, NULL, id);
    if (!row || !state->copy.editable)
        return;
    int32_t value = 0;
    ParseClampFormat(dialog, id, row->minimum, row->maximum, &value, row->scale);
    state->copy.*row->field = static_cast<int16_t>(value);
    RefreshAdjustments(dialog, layout, state->copy, FALSE);
}

static void RestoreDefaults(HWND dialog, const AdjustDialogLayout *layout, AdjustState *state)
{
    for (int i = 0; i < layout->rowCount; i++)
        state->copy.*layout->rows[i].field = layout->rows[i].defaultValue;
    RefreshAdjustments(dialog, layout, state->copy, TRUE);
}

static BOOL AdjustCommand(HWND dialog, const AdjustDialogLayout *layout, AdjustState *state,
                          WPARAM wParam)
{
    int id = LOWORD(wParam);
    WORD notification = HIWORD(wParam);
    if (notification == EN_KILLFOCUS) {
        EditLeft(dialog, layout, state, id);
        return TRUE;
    }
    if (notification != BN_CLICKED)
        return FALSE;
    if (id == layout->defaultsButton && state->copy.editable) {
        RestoreDefaults(dialog, layout, state);
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

static INT_PTR CALLBACK AdjustDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        AdjustState *opened = reinterpret_cast<AdjustState *>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, (LONG_PTR)opened);
        InitAdjustDialog(dialog, opened->layout, opened);
        return TRUE;
    }
    AdjustState *state = reinterpret_cast<AdjustState *>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state)
        return FALSE;
    const AdjustDialogLayout *layout = state->layout;
    switch (message) {
    case WM_HSCROLL:
        TrackbarScrolled(dialog, layout, state, wParam, reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_COMMAND:
        return AdjustCommand(dialog, layout, state, wParam);
    case WM_HELP:
    case WM_CONTEXTMENU:
        ShowHelpTopic(dialog, state->helpFile,
                      TopicOfControl(layout->help, HelpControlOf(message, wParam, lParam)));
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR RunAdjustDialog(HWND owner, const AdjustDialogLayout *layout, PrintSetting *record,
                        const WCHAR *helpFile)
{
    if (!record)
        return -1;
    AdjustState state = {layout, record, *record, helpFile};
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(layout->dialogId), owner,
                           AdjustDialogProc, (LPARAM)&state);
}
