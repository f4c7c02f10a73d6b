// The Advanced dialog's setting controls: print mode, effect, data
// resolution, colour mode, colour correction, colour matching and the
// printer profile, filled from the working record and written back to it.
#include <windows.h>
#include <commctrl.h>

#include "context/sheetbinding.h"
#include "core/ddops.h"
#include "core/module.h"
#include "core/scope.h"
#include "devmode/template.h"
#include "dialogs/advstate.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "services/colorprofile.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"

#define PAPER_TYPE_LIMITED 0x501u
#define PRINT_MODES_OFFERED 12
#define PRINT_MODES_OFFERED_LIMITED 4
#define RESOLUTION_CHOICES 11
#define CORRECTIONS_OFFERED 3
#define PROFILE_TEXT_CHARS 260

static uint32_t PaperTypeId(const AdvancedState &s) { return AdvancedDevMode(s)->pdmPaperType.id; }

// ------------------------------------------------------------ print mode

static void FillPrintModes(HWND dialog, const AdvancedState &s)
{
    const PrintSetting &w = s.working;
    int count = PaperTypeId(s) == PAPER_TYPE_LIMITED ? PRINT_MODES_OFFERED_LIMITED : PRINT_MODES_OFFERED;
    ListRefill refill(dialog, IDC_ADV_PRINT_MODE);
    for (int n = 0; n < count; n++)
        AddStringItem(dialog, IDC_ADV_PRINT_MODE, IDS_PRINT_MODE_BASE + n, n);
    SelectItemByData(dialog, IDC_ADV_PRINT_MODE, w.printMode);
}

// ------------------------------------------------------------ effect

struct EffectRow {
    UINT text;
    uint16_t value;
    uint16_t shownFor[6];   // effect codes that select the row; 0xFFFF ends
};

static const EffectRow kEffects[] = {
    {IDS_EFFECT_AUTO, 33, {0xFFFF}},
    {IDS_EFFECT_BASE + 0, 1, {0, 1, 20, 0xFFFF}},
    {IDS_EFFECT_BASE + 2, 3, {2, 3, 21, 0xFFFF}},
    {IDS_EFFECT_BASE + 16, 17, {16, 17, 27, 0xFFFF}},
    {IDS_EFFECT_BASE + 8, 9, {8, 9, 14, 15, 24, 25}},
    {IDS_EFFECT_BASE + 18, 19, {18, 19, 28, 0xFFFF}},
    {IDS_EFFECT_BASE + 10, 10, {10, 0xFFFF}},
    {IDS_EFFECT_BASE + 11, 11, {11, 0xFFFF}},
};
#define EFFECT_ROWS (int)(sizeof kEffects / sizeof kEffects[0])

static int EffectPosition(uint16_t effect)
{
    for (int row = 0; row < EFFECT_ROWS; row++) {
        for (uint16_t code : kEffects[row].shownFor) {
            if (code == 0xFFFF)
                break;
            if (code == effect)
                return row;
        }
    }
    return 0;
}

static void FillEffects(HWND dialog, const PrintSetting &w)
{
    ListRefill refill(dialog, IDC_ADV_EFFECT);
    for (const EffectRow &row : kEffects)
        AddStringItem(dialog, IDC_ADV_EFFECT, row.text, row.value);
    SendControl(dialog, IDC_ADV_EFFECT, CB_SETCURSEL, EffectPosition(w.effect), 0);
}

// ------------------------------------------------------------ data resolution

// The finest data resolution (its value) a print mode's engine mode code
// allows, by code 0 to 35; codes beyond allow every resolution.
static const uint8_t kFirstResolutionOfCode[] = {
    5, 5, 5, 5, 5, 5, 5, 4, 4, 4, 4, 4,   //  0 to 11
    5, 4, 3, 3, 3, 3, 5, 4, 3, 2, 2, 2,   // 12 to 23
    5, 4, 3, 2, 1, 1, 5, 4, 3, 2, 1, 0,   // 24 to 35
};
#define CODES_WITH_LIMIT (int)(sizeof kFirstResolutionOfCode)
static_assert(sizeof kFirstResolutionOfCode == 36, "engine mode codes 0 to 35");

static int FirstResolutionOffered(const AdvancedState &s, int printMode)
{
    // A print mode outside the tables offers what the coarsest modes allow.
    const PrintModeRow *row = PrintModeRowFor(PaperTypeId(s), printMode);
    int code = row ? row->qualityModeId : 0;
    return code < CODES_WITH_LIMIT ? kFirstResolutionOfCode[code] : 0;
}

static void FillResolutions(HWND dialog, const AdvancedState &s)
{
    const PrintSetting &w = s.working;
    ListRefill refill(dialog, IDC_ADV_RESOLUTION);
    AddStringItem(dialog, IDC_ADV_RESOLUTION, IDS_RESOLUTION_AUTO, PX_RESOLUTION_INDEX_AUTO);
    for (int v = FirstResolutionOffered(s, w.printMode); v < RESOLUTION_CHOICES; v++)
        AddStringItem(dialog, IDC_ADV_RESOLUTION, IDS_RESOLUTION_BASE + v, v);
    SelectItemByData(dialog, IDC_ADV_RESOLUTION, w.dataResolution);
}

// ------------------------------------------------------------ colour

static void FillColorModes(HWND dialog, const AdvancedState &s)
{
    const PrintSetting &w = s.working;
    ListRefill refill(dialog, IDC_ADV_COLOR_MODE);
    AddStringItem(dialog, IDC_ADV_COLOR_MODE, IDS_COLOR_MODE_COLOR, 0);
    if (PaperTypeId(s) != PAPER_TYPE_LIMITED)
        AddStringItem(dialog, IDC_ADV_COLOR_MODE, IDS_COLOR_MODE_GRAY, 1);
    SendControl(dialog, IDC_ADV_COLOR_MODE, CB_SETCURSEL, w.colorMode == 1 ? 0 : 1, 0);
}

// Colour offers corrections 0 and 1, monochrome 0 and 2; a number the data
// driver cannot name is left out.
static void FillCorrections(HWND dialog, const AdvancedState &s)
{
    const PrintSetting &w = s.working;
    ListRefill refill(dialog, IDC_ADV_CORRECTION);
    SheetBindingScope binding(s.ctx);
    for (int n = 0; n < CORRECTIONS_OFFERED; n++) {
        if ((n == 1 && w.colorMode == 0) || (n == 2 && w.colorMode == 1))
            continue;
        ColorCorrectionRecord ccr = {};
        if (!binding.bound() || !DdCCRmEnum(n + 1, &ccr))
            continue;
        ccr.name[PX_NAME_CHARS - 1] = 0;
        AddItem(dialog, IDC_ADV_CORRECTION, ccr.name, n);
    }
    SelectItemByData(dialog, IDC_ADV_CORRECTION, w.colorCorrection);
}

// ------------------------------------------------------------ printer profile

static BOOL IsProfileFileName(const WCHAR *name)
{
    int length = lstrlenW(name);
    if (length < 5)
        return FALSE;
    const WCHAR *extension = name + length - 4;
    return lstrcmpiW(extension, L".icc") == 0 || lstrcmpiW(extension, L".icm") == 0;
}

// The colour management may give paths; the record keeps file names.
static const WCHAR *FileNamePart(const WCHAR *name)
{
    const WCHAR *part = name;
    for (const WCHAR *p = name; *p; p++) {
        if (*p == L'\\' || *p == L'/')
            part = p + 1;
    }
    return part;
}

void FillProfileList(HWND dialog)
{
    SendControl(dialog, IDC_ADV_PROFILE, CB_RESETCONTENT, 0, 0);
    DWORD count = 0;
    UniqueBlock<WCHAR> names(EnumerateColorProfiles(PX_CLASS_PRINTER, &count));
    const WCHAR *name = names.get();
    for (DWORD i = 0; name && *name && i < count; i++, name += lstrlenW(name) + 1) {
        const WCHAR *file = FileNamePart(name);
        if (IsProfileFileName(file))
            SendControl(dialog, IDC_ADV_PROFILE, CB_ADDSTRING, 0, (LPARAM)file);
    }
    SendControl(dialog, IDC_ADV_PROFILE, CB_INSERTSTRING, 0,
                        (LPARAM)LoadModuleString(IDS_RESOLUTION_AUTO).text);
}

static void ShowProfileDescription(HWND dialog, const AdvancedState &s)
{
    const PrintSetting &w = s.working;
    WCHAR profile[PX_PROFILE_NAME_CHARS] = L"";
    lstrcpynW(profile, w.printerProfile, PX_PROFILE_NAME_CHARS);
    // The default for the working record's print mode, not the device mode's.
    if (!profile[0])
        LoadText(DefaultProfileId(PaperTypeId(s), (int16_t)w.printMode), profile, PX_PROFILE_NAME_CHARS);
    UniqueBlock<char> description(profile[0] ? GetProfileDescription(profile) : NULL);
    SetDlgItemTextA(dialog, IDC_ADV_PROFILE_DESCRIPTION, description ? description.get() : "");
}

static void SelectProfile(HWND dialog, AdvancedState &s)
{
    PrintSetting &w = s.working;
    LRESULT found = CB_ERR;
    if (w.printerProfile[0])
        found = SendControl(dialog, IDC_ADV_PROFILE, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                    (LPARAM)w.printerProfile);
    // A profile that is no longer installed falls back to the automatic choice.
    if (found == CB_ERR || found == 0) {
        found = 0;
        ZeroMemory(w.printerProfile, sizeof w.printerProfile);
    }
    SendControl(dialog, IDC_ADV_PROFILE, CB_SETCURSEL, found, 0);
    ShowProfileDescription(dialog, s);
}

// ------------------------------------------------------------ refresh and enabling

static void ShowName(HWND dialog, const PrintSetting &w)
{
    WCHAR name[PX_SETTING_NAME_CHARS];
    lstrcpynW(name, w.name, PX_SETTING_NAME_CHARS);
    SetControlText(dialog, IDC_ADV_NAME, name);
}

void RefreshSettings(HWND dialog, AdvancedState &state)
{
    PrintSetting &w = state.working;
    state.refreshing = TRUE;
    FillPrintModes(dialog, state);
    FillEffects(dialog, w);
    FillResolutions(dialog, state);
    FillColorModes(dialog, state);
    FillCorrections(dialog, state);
    CheckControl(dialog, IDC_ADV_MATCHING, w.icmEnabled);
    SelectProfile(dialog, state);
    if (!state.changed)
        ShowName(dialog, w);
    SendControl(dialog, IDC_ADV_NAME, EM_LIMITTEXT, PX_SETTING_NAME_LIMIT, 0);
    state.refreshing = FALSE;
    ApplyEnabling(dialog, state);
}

static const int kLockedControls[] = {
    IDC_ADV_PRINT_MODE, IDC_ADV_EFFECT, IDC_ADV_RESOLUTION, IDC_ADV_COLOR_MODE, IDC_ADV_CORRECTION,
    IDC_ADV_MATCHING, IDC_ADV_PROFILE_LABEL, IDC_ADV_PROFILE, IDC_ADV_PROFILE_DESCRIPTION,
    IDC_ADV_NAME, IDC_ADV_SETTINGS_LIST, IDC_ADV_ADD, IDC_ADV_REMOVE, IDOK,
};

static BOOL AddAllowed(HWND dialog, const AdvancedState &state)
{
    return RegisteredRecord(state, 0) && GetWindowTextLengthW(ControlOf(dialog, IDC_ADV_NAME)) > 0 &&
           (state.working.presetId == 0 || state.changed);
}

void ApplyEnabling(HWND dialog, const AdvancedState &state)
{
    const PrintSetting &w = state.working;
    if (!state.ctx->canChange) {
        for (int id : kLockedControls)
            DisableControl(dialog, id);
        return;
    }
    SetControlEnabled(dialog, IDC_ADV_MATCHING, w.colorMode == 1);
    BOOL profiles = w.icmEnabled != 0;
    SetControlEnabled(dialog, IDC_ADV_PROFILE_LABEL, profiles);
    SetControlEnabled(dialog, IDC_ADV_PROFILE, profiles);
    SetControlEnabled(dialog, IDC_ADV_PROFILE_DESCRIPTION, profiles);
    SetControlEnabled(dialog, IDC_ADV_ADD, AddAllowed(dialog, state));
    SetControlEnabled(dialog, IDC_ADV_REMOVE,
                      w.presetId == 0 && !state.changed && state.selected != PX_NO_SETTING &&
                          RegisteredCount(state) > 1);
}

// ------------------------------------------------------------ commands

static BOOL StoreChoice(HWND dialog, int id, int16_t *field)
{
    LRESULT value = SelectedItemData(dialog, id);
    if (value == -1)
        return FALSE;
    *field = static_cast<int16_t>(value);
    return TRUE;
}

static void ColorModeChosen(HWND dialog, PrintSetting &w)
{
    LRESULT value = SelectedItemData(dialog, IDC_ADV_COLOR_MODE);
    if (value == 0) {
        w.colorMode = 1;
        w.grayLevels = 1;
    } else if (value == 1) {
        w.colorMode = 0;
        w.grayLevels = 1;
        w.icmEnabled = 0;
    }
}

static void ProfileChosen(HWND dialog, PrintSetting &w)
{
    LRESULT position = SendControl(dialog, IDC_ADV_PROFILE, CB_GETCURSEL, 0, 0);
    if (position == CB_ERR)
        return;
    WCHAR text[PROFILE_TEXT_CHARS] = L"";
    if (position > 0) {
        LRESULT length = SendControl(dialog, IDC_ADV_PROFILE, CB_GETLBTEXTLEN, position, 0);
        if (length == CB_ERR || length >= PROFILE_TEXT_CHARS)
            return;
        if (SendControl(dialog, IDC_ADV_PROFILE, CB_GETLBTEXT, position, (LPARAM)text) == CB_ERR)
            return;
    }
    ZeroMemory(w.printerProfile, sizeof w.printerProfile);
    lstrcpynW(w.printerProfile, text, PROFILE_TEXT_CHARS);
}

BOOL SettingCommand(HWND dialog, AdvancedState &state, int id, WORD notification)
{
    PrintSetting &w = state.working;
    if (id == IDC_ADV_MATCHING && notification == BN_CLICKED) {
        w.icmEnabled = IsControlChecked(dialog, IDC_ADV_MATCHING) ? 1 : 0;
        RefreshSettings(dialog, state);
        return TRUE;
    }
    if (notification != CBN_SELCHANGE)
        return FALSE;
    int16_t value = 0;
    switch (id) {
    case IDC_ADV_PRINT_MODE:
        if (StoreChoice(dialog, id, &value))
            w.printMode = static_cast<uint16_t>(value);
        break;
    case IDC_ADV_EFFECT:
        if (StoreChoice(dialog, id, &value))
            w.effect = static_cast<uint16_t>(value);
        break;
    case IDC_ADV_RESOLUTION:
        StoreChoice(dialog, id, &w.dataResolution);
        break;
    case IDC_ADV_CORRECTION:
        StoreChoice(dialog, id, &w.colorCorrection);
        break;
    case IDC_ADV_COLOR_MODE:
        ColorModeChosen(dialog, w);
        break;
    case IDC_ADV_PROFILE:
        ProfileChosen(dialog, w);
        break;
    default:
        return FALSE;
    }
    RefreshSettings(dialog, state);
    return TRUE;
}
