// Shared helpers of the settings suite: a device mode with a store in
// guarded memory, scratch files, and an answerer for modal windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/settingstore.h"
#include "tests/common/guardpage.h"

// A device mode from the built-in defaults with the presets installed; the
// reference data driver is bound so that applying settings can search it.
struct TestDevMode {
    Guarded record{sizeof(PXDEVMODE)};
    Guarded storage{sizeof(SettingStore)};
    PXDEVMODE *dm;
    SettingStore *store;
    TestDevMode();
};

// A fresh scratch folder per process; names inside it.
std::wstring ScratchPath(const WCHAR *name);
std::vector<BYTE> ReadWholeFile(const std::wstring &path);
bool WriteWholeFile(const std::wstring &path, const std::vector<BYTE> &bytes);
bool FileExists(const std::wstring &path);

// A record with every field set from a seed, so records can be told apart.
PrintSetting MakeSetting(const WCHAR *name, int seed);

// Modal windows of this thread (message boxes, file dialogs) are answered
// in order by a timer: each step fills the file name (when given) and
// presses its button. What each window showed is recorded.
struct SeenWindow {
    std::wstring caption;
    std::wstring text;          // a message box's text
    bool exclamationIcon;
    bool hasCancel;
};
struct ModalStep {
    std::wstring fileName;      // typed into a file dialog; empty: none
    int button;                 // IDOK, IDCANCEL, IDYES ...
};
struct ModalAnswerer {
    std::vector<ModalStep> steps;
    std::vector<SeenWindow> seen;
    UINT_PTR timer;
    explicit ModalAnswerer(std::vector<ModalStep> script);
    ~ModalAnswerer();
};

// FALSE when this process cannot create windows (no display).
bool CanCreateWindows(void);
