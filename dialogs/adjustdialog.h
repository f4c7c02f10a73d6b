// The engine shared by the colour and ink adjustment dialogs: rows of a
// trackbar and an edit box kept in step over one field of a private copy of
// a print setting record, a restore-defaults button, and OK writing the copy
// back over the caller's record.
#pragma once

#include <windows.h>

#include "settings/settingstore.h"
#include "widgets/help.h"

// When a row's controls may be used, besides the record's `editable`.
enum AdjustRowCondition {
    ADJUST_ALWAYS,
    ADJUST_COLOR_ONLY,            // colorMode not 0
    ADJUST_COLOR_OR_COLOR_INKS,   // colorMode not 0, or grey from the colour inks
};

struct AdjustRow {
    int label;
    int low;
    int track;
    int high;
    int edit;
    int unit;                     // a label after the edit, 0 for none
    int16_t PrintSetting::*field;
    int16_t minimum;
    int16_t maximum;
    int16_t pageSize;
    int16_t defaultValue;
    int scale;                    // 1 whole numbers, 10 tenths
    AdjustRowCondition condition;
};

struct AdjustDialogLayout {
    UINT dialogId;                // template and title string
    int firstLabel;               // every id first..last is relabelled
    int lastLabel;
    const AdjustRow *rows;
    int rowCount;
    int defaultsButton;
    int conditionalGroup;         // group box that follows the ADJUST_COLOR_OR_COLOR_INKS rows
    const HelpContext *help;
};

// Runs the dialog of `layout` modally on record, its help topics in
// helpFile; 1 after OK (record updated), 0 after Cancel (record untouched),
// -1 when it cannot be shown. Each opening keeps its copy with its window.
INT_PTR RunAdjustDialog(HWND owner, const AdjustDialogLayout *layout, PrintSetting *record,
                        const WCHAR *helpFile);
