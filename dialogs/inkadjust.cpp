#include "dialogs/inkadjust.h"

#include "dialogs/adjustdialog.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"

#define TOTAL_INK_DEFAULT 400

static const AdjustRow kInkRows[] = {
    {IDC_INK_BLACK_LABEL, IDC_INK_BLACK_LOW, IDC_INK_BLACK_TRACK, IDC_INK_BLACK_HIGH, IDC_INK_BLACK_EDIT,
     0, &PrintSetting::blackInk, -50, 50, 10, 0, 1, ADJUST_ALWAYS},
    {IDC_INK_CYAN_LABEL, IDC_INK_CYAN_LOW, IDC_INK_CYAN_TRACK, IDC_INK_CYAN_HIGH, IDC_INK_CYAN_EDIT, 0,
     &PrintSetting::cyanInk, -50, 50, 10, 0, 1, ADJUST_ALWAYS},
    {IDC_INK_MAGENTA_LABEL, IDC_INK_MAGENTA_LOW, IDC_INK_MAGENTA_TRACK, IDC_INK_MAGENTA_HIGH,
     IDC_INK_MAGENTA_EDIT, 0, &PrintSetting::magentaInk, -50, 50, 10, 0, 1, ADJUST_ALWAYS},
    {IDC_INK_YELLOW_LABEL, IDC_INK_YELLOW_LOW, IDC_INK_YELLOW_TRACK, IDC_INK_YELLOW_HIGH,
     IDC_INK_YELLOW_EDIT, 0, &PrintSetting::yellowInk, -50, 50, 10, 0, 1, ADJUST_ALWAYS},
    {IDC_INK_TOTAL_LABEL, IDC_INK_TOTAL_LOW, IDC_INK_TOTAL_TRACK, IDC_INK_TOTAL_HIGH, IDC_INK_TOTAL_EDIT,
     IDC_INK_TOTAL_PERCENT, &PrintSetting::totalInkLimit, 1, 400, 10, TOTAL_INK_DEFAULT, 1,
     ADJUST_ALWAYS},
};

static const HelpContext kInkAdjustHelp[] = {
    {IDC_INK_BLACK_LABEL, IDH_INK_AMOUNT}, {IDC_INK_CYAN_LABEL, IDH_INK_AMOUNT},
    {IDC_INK_MAGENTA_LABEL, IDH_INK_AMOUNT}, {IDC_INK_YELLOW_LABEL, IDH_INK_AMOUNT},
    {IDC_INK_BLACK_LOW, IDH_INK_AMOUNT}, {IDC_INK_CYAN_LOW, IDH_INK_AMOUNT},
    {IDC_INK_MAGENTA_LOW, IDH_INK_AMOUNT}, {IDC_INK_YELLOW_LOW, IDH_INK_AMOUNT},
    {IDC_INK_BLACK_HIGH, IDH_INK_AMOUNT}, {IDC_INK_CYAN_HIGH, IDH_INK_AMOUNT},
    {IDC_INK_MAGENTA_HIGH, IDH_INK_AMOUNT}, {IDC_INK_YELLOW_HIGH, IDH_INK_AMOUNT},
    {IDC_INK_BLACK_TRACK, IDH_INK_AMOUNT}, {IDC_INK_CYAN_TRACK, IDH_INK_AMOUNT},
    {IDC_INK_MAGENTA_TRACK, IDH_INK_AMOUNT}, {IDC_INK_YELLOW_TRACK, IDH_INK_AMOUNT},
    {IDC_INK_BLACK_EDIT, IDH_INK_AMOUNT}, {IDC_INK_CYAN_EDIT, IDH_INK_AMOUNT},
    {IDC_INK_MAGENTA_EDIT, IDH_INK_AMOUNT}, {IDC_INK_YELLOW_EDIT, IDH_INK_AMOUNT},
    {IDC_INK_TOTAL_LABEL, IDH_TOTAL_INK_LIMIT}, {IDC_INK_TOTAL_LOW, IDH_TOTAL_INK_LIMIT},
    {IDC_INK_TOTAL_HIGH, IDH_TOTAL_INK_LIMIT}, {IDC_INK_TOTAL_PERCENT, IDH_TOTAL_INK_LIMIT},
    {IDC_INK_TOTAL_TRACK, IDH_TOTAL_INK_LIMIT}, {IDC_INK_TOTAL_EDIT, IDH_TOTAL_INK_LIMIT},
    {IDC_INK_DEFAULTS, IDH_DEFAULTS},
    {0, 0},
};

static const AdjustDialogLayout kInkAdjust = {
    IDD_INK_ADJUST, IDC_INK_GROUP, IDC_INK_DEFAULTS, kInkRows, sizeof kInkRows / sizeof kInkRows[0],
    IDC_INK_DEFAULTS, 0, kInkAdjustHelp,
};

// Modal, so one copy serves every opening; separate from the colour dialog's.
static AdjustState g_inkAdjust;

static INT_PTR CALLBACK InkAdjustDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AdjustDialogMessage(&kInkAdjust, &g_inkAdjust, dialog, message, wParam, lParam);
}

INT_PTR ShowInkAdjustDialog(HWND owner, PrintSetting *record)
{
    return RunAdjustDialog(owner, &kInkAdjust, &g_inkAdjust, InkAdjustDialogProc, record);
}
