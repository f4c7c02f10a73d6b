#include "tests/settings/settings_util.h"

#include <gtest/gtest.h>
#include <dlgs.h>
#include <stdio.h>
#include <string.h>

#include "core/binding.h"
#include "devmode/template.h"
#include "dialogs/presets.h"
#include "tests/common/printers.h"

TestDevMode::TestDevMode()
{
    dm = record.as<PXDEVMODE>();
    store = storage.as<SettingStore>();
    PrinterHandle printer(PX_PRINTER);
    PrinterInfoRecord info = {};
    EXPECT_TRUE(BindAndCheck(printer, &info)) << "reference printer not bound";
    CopyBuiltInTemplate(dm);
    SetSettingStore(dm, static_cast<HGLOBAL>(store), store);
    InstallPresets(dm);
}

std::wstring ScratchPath(const WCHAR *name)
{
    static std::wstring folder;
    if (folder.empty()) {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        WCHAR unique[MAX_PATH];
        swprintf(unique, MAX_PATH, L"%lspxsettings-%lu", temp, GetCurrentProcessId());
        CreateDirectoryW(unique, NULL);
        folder = std::wstring(unique) + L"\\";
    }
    return folder + name;
}

std::vector<BYTE> ReadWholeFile(const std::wstring &path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, NULL));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file, bytes.data(), bytes.size(), &read, NULL) || read != bytes.size()))
        bytes.clear();
    CloseHandle(file);
    return bytes;
}

bool WriteWholeFile(const std::wstring &path, const std::vector<BYTE> &bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(file, bytes.data(), bytes.size(), &written, NULL) &&
                                written == bytes.size());
    CloseHandle(file);
    return ok;
}

bool FileExists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

PrintSetting MakeSetting(const WCHAR *name, int seed)
{
    PrintSetting s = {};
    lstrcpynW(s.name, name, PX_SETTING_NAME_CHARS);
    s.printMode = static_cast<uint16_t>(seed % 29);
    s.dataResolution = static_cast<int16_t>(seed % 12);
    s.colorMode = 1;
    s.grayLevels = 1;
    s.useCorrection = 1;
    s.colorCorrection = static_cast<int16_t>(seed % 4);
    s.icmEnabled = 1;
    swprintf(s.imageProfile, PX_PATH_CHARS, L"image-%d.icm", seed);
    swprintf(s.printerProfile, PX_PATH_CHARS, L"printer-%d.icm", seed);
    int16_t *adjust = &s.cyanRed;
    for (int i = 0; i < 10; i++)
        adjust[i] = static_cast<int16_t>((seed * 7 + i) % 101 - 50);
    s.gamma = static_cast<int16_t>(seed % 22 + 1);
    s.totalInkLimit = static_cast<int16_t>(seed % 400 + 1);
    s.editable = 1;
    s.effect = static_cast<uint16_t>(seed % 34);
    return s;
}

// --- modal windows ------------------------------------------------------

static ModalAnswerer *g_answerer;

static std::wstring WindowText(HWND window)
{
    WCHAR text[1024] = L"";
    if (window)
        GetWindowTextW(window, text, 1024);
    return text;
}

static bool HasExclamationIcon(HWND dialog)
{
    HICON exclamation = LoadIconW(NULL, IDI_EXCLAMATION);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (SendMessageW(child, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(exclamation))
            return true;
    return false;
}

static BOOL CALLBACK FindActiveDialog(HWND window, LPARAM result)
{
    WCHAR className[16];
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window)) {
        *reinterpret_cast<HWND *>(result) = window;
        return FALSE;
    }
    return TRUE;
}

static void AnswerWindow(HWND dialog, const ModalStep &step)
{
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    SeenWindow seen = {WindowText(dialog), WindowText(GetDlgItem(dialog, 0xFFFF)),
                       HasExclamationIcon(dialog), cancel && IsWindowVisible(cancel)};
    g_answerer->seen.push_back(seen);
    if (!step.fileName.empty()) {
        // Explorer-style dialogs name the file in a combo box or an edit.
        HWND name = GetDlgItem(dialog, cmb13);
        if (!name)
            name = GetDlgItem(dialog, edt1);
        SetWindowTextW(name, step.fileName.c_str());
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, step.button)));
}

static void CALLBACK OnAnswerTimer(HWND, UINT, UINT_PTR, DWORD)
{
    static HWND lastAnswered;
    static DWORD answeredAt;
    HWND dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindActiveDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!g_answerer || !dialog)
        return;
    if (dialog == lastAnswered || g_answerer->steps.empty()) {
        // A window that outlives its answer, or one nobody expected, is
        // cancelled so that a failing test cannot hang.
        if (dialog != lastAnswered || GetTickCount() - answeredAt > 5000) {
            g_answerer->seen.push_back({L"(unanswered) " + WindowText(dialog), L"", false, false});
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            lastAnswered = dialog;
            answeredAt = GetTickCount();
        }
        return;
    }
    lastAnswered = dialog;
    answeredAt = GetTickCount();
    ModalStep step = g_answerer->steps.front();
    g_answerer->steps.erase(g_answerer->steps.begin());
    AnswerWindow(dialog, step);
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

bool CanCreateWindows(void)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    if (!window)
        return false;
    DestroyWindow(window);
    return true;
}
