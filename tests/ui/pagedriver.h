// Driving the document sheet's pages from the test thread as a person
// does: clicks, typing, list choices, and the modal windows they open
// (file dialogs, message boxes) answered with bounded waits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "context/pagecontext.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tools/uihost/hostedsheet.h"

#define PX_TAB_BASIC 0
#define PX_TAB_OPTION 1
#define PX_TAB_SETUP 2

// The reference printer's document sheet in the stand-in host, with the
// caller's output record at a guard page.
struct OpenDocumentSheet {
    PrinterHandle printer{PX_PRINTER};
    Guarded out{4160};
    HostedDocumentSheet sheet;
    HWND window = NULL;
    DWORD thread = 0;
    bool ownStore = false;

    explicit OpenDocumentSheet(DWORD mode = DM_COPY);
    ~OpenDocumentSheet();
    PageContext *ctx() const { return sheet.Context(); }
    PXDEVMODE *dm() const { return &sheet.Context()->dmCurrent; }
    // Shows the tab (PSM_SETCURSEL) and returns its page.
    HWND Show(int tab);
    // The registered settings store: the Basic page's when it has one,
    // else one made here with the presets (released before the sheet closes).
    void EnsureStore();
    // Presses OK or Cancel; TRUE when the sheet went away.
    bool Close(int button);
};

// Text typed into an edit (WM_SETTEXT, which notifies EN_CHANGE), then
// optionally the focus leaving it (EN_KILLFOCUS).
void TypeInto(HWND page, int id, const wchar_t *text, bool leave);
// The up or down arrow key pressed in an edit with arrows.
void PressArrow(HWND page, int id, bool up);

std::vector<std::wstring> ListTexts(HWND page, int id);
std::wstring SelectedText(HWND page, int id);
int IndexOfText(HWND page, int id, const std::wstring &text);
bool IsChecked(HWND page, int id);
bool IsEnabled(HWND page, int id);

// The next visible dialog of the thread that is none of `except`; null
// after the usual wait.
HWND WaitForModal(DWORD thread, std::initializer_list<HWND> except, DWORD ms = PX_UI_WAIT_MS);
// A message box's text, caption, icon and buttons, then answered with `button`.
struct MessageSeen {
    std::wstring text, caption;
    bool exclamation, question, hasCancel;
};
MessageSeen AnswerMessageBox(HWND box, int button);

std::wstring StringOf(UINT id);

// A name in this process's scratch folder.
std::wstring ScratchFile(const wchar_t *name);
std::vector<BYTE> FileBytes(const std::wstring &path);
bool WriteFileBytes(const std::wstring &path, const std::vector<BYTE> &bytes);
bool FileExists(const std::wstring &path);

// The Setup page's Load or Save button: the file dialog answered with path,
// then each message box that follows (the overwrite question, a refusal)
// answered in order. What the boxes showed; a box nobody expected is
// cancelled and reported with its caption marked "(unexpected)".
std::vector<MessageSeen> FileActionThroughPage(OpenDocumentSheet &s, int button,
                                              const std::wstring &path, std::vector<int> answers);
