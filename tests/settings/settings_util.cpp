#include "tests/settings/settings_util.h"

#include <gtest/gtest.h>
#include <dlgs.h>
#include <stdio.h>
#include <string.h>

#include "core/binding.h"
#include "devmode/template.h"
#include "settings/presets.h"
#include "tests/common/printers.h"

TestDevMode::TestDevMode()
    : dm(record.as<PXDEVMODE>()), store(NewSettingStoreWith(AllocGuardedBlock, FreeGuardedBlock))
{
    PrinterHandle printer(PX_PRINTER);
    PrinterInfoRecord info = {};
    EXPECT_TRUE(BindAndCheck(printer, &info)) << "reference printer not bound";
    CopyBuiltInTemplate(dm);
    EXPECT_TRUE(AttachSettingStore(dm, store)) << "store not live";
    InstallPresets(dm);
}

TestDevMode::~TestDevMode() { FreeSettingStore(store); }

std::vector<BYTE> TestDevMode::Bytes() const
{
    std::vector<BYTE> bytes(sizeof(PXDEVMODE) + sizeof(SettingStore));
    memcpy(bytes.data(), dm, sizeof(PXDEVMODE));
    memcpy(bytes.data() + sizeof(PXDEVMODE), store, sizeof(SettingStore));
    return bytes;
}

PrintSetting MakeSetting(const WCHAR *name, int seed)
{
    PrintSetting s = {};
    lstrcpynW(s.name, name, PX_SETTING_NAME_CHARS);
    s.printMode = static_cast<uint16_t>(seed % 29);
    s.dataResolution = static_cast<int16_t>(seed % 12);
    s.colorMode = s.grayLevels = s.useCorrection = 1;
    s.colorCorrection = static_cast<int16_t>(seed % 4);
    s.icmEnabled = s.editable = 1;
    swprintf(s.imageProfile, PX_PATH_CHARS, L"image-%d.icm", seed);
    swprintf(s.printerProfile, PX_PATH_CHARS, L"printer-%d.icm", seed);
    int16_t *adjust = &s.cyanRed;
    for (int i = 0; i < 10; i++)
        adjust[i] = static_cast<int16_t>((seed * 7 + i) % 101 - 50);
    s.gamma = static_cast<int16_t>(seed % 22 + 1);
    s.totalInkLimit = static_cast<int16_t>(seed % 400 + 1);
    s.effect = static_cast<uint16_t>(seed % 34);
    return s;
}

// --- modal windows ------------------------------------------------------

static ModalAnswerer *g_answerer;

static std::wstring WindowText(HWND window)
{
    WCHAR text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

static SeenWindow Describe(HWND dialog)
{
    SeenWindow seen = {WindowText(dialog), WindowText(GetDlgItem(dialog, 0xFFFF)), false, false};
    HICON exclamation = LoadIconW(NULL, IDI_EXCLAMATION);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        seen.exclamationIcon |= SendMessageW(child, STM_GETICON, 0, 0) == (LRESULT)exclamation;
    seen.hasCancel = IsWindowVisible(GetDlgItem(dialog, IDCANCEL));
    return seen;
}

static BOOL CALLBACK FindActiveDialog(HWND window, LPARAM result)
{
    WCHAR className[16];
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    *reinterpret_cast<HWND *>(result) = window;
    return FALSE;
}

static void CALLBACK OnAnswerTimer(HWND, UINT, UINT_PTR, DWORD)
{
    static HWND lastAnswered;
    static DWORD answeredAt;
    HWND dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindActiveDialog, reinterpret_cast<LPARAM>(&dialog));
    bool stale = dialog == lastAnswered;
    if (!g_answerer || !dialog || (stale && GetTickCount() - answeredAt < 5000))
        return;  // nothing to answer, or the answer is still being handled
    lastAnswered = dialog;
    answeredAt = GetTickCount();
    g_answerer->seen.push_back(Describe(dialog));
    if (stale || g_answerer->steps.empty()) {
        // Outlived its answer or unexpected: cancelled so a failing test cannot hang.
        g_answerer->seen.back().caption.insert(0, L"(unanswered) ");
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    ModalStep step = g_answerer->steps.front();
    g_answerer->steps.erase(g_answerer->steps.begin());
    if (!step.fileName.empty())  // Explorer-style dialogs name the file in a combo box or an edit
        SetWindowTextW(GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1),
                       step.fileName.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, step.button)));
}

ModalAnswerer::ModalAnswerer(std::vector<ModalStep> script) : steps(std::move(script))
{
    g_answerer = this;
    timer = SetTimer(NULL, 0, 100, OnAnswerTimer);
}

ModalAnswerer::~ModalAnswerer()
{
    KillTimer(NULL, timer);
    g_answerer = NULL;
}
