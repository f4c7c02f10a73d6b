// Driving the document sheet's pages from the test thread as a person
// does: clicks, typing, list choices, and the modal windows they open
// (file dialogs, message boxes) answered with bounded waits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "devmode/paperlist.h"
#include "tests/common/moduletext.h"
#include "tests/common/paths.h"
#include "tests/common/sheetopen.h"
#include "tools/uihost/ui.h"

// Text typed into an edit (WM_SETTEXT, which notifies EN_CHANGE), then
// optionally the focus leaving it (EN_KILLFOCUS).
void TypeInto(HWND page, int id, const wchar_t *text, bool leave);
// A click on a button that closes the dialog; TRUE once it is gone.
bool Dismiss(HWND dialog, int button);
// The up or down arrow key pressed in an edit with arrows.
void PressArrow(HWND page, int id, bool up);
// F1 over a control: the help request its dialog gets.
void PressF1(HWND dialog, int id);

std::vector<std::wstring> ListTexts(HWND page, int id);
std::wstring SelectedText(HWND page, int id);
int IndexOfText(HWND page, int id, const std::wstring &text);
bool IsChecked(HWND page, int id);
bool IsEnabled(HWND page, int id);

// A message box's text, caption, icon and buttons, then answered with `button`.
struct MessageSeen {
    std::wstring text, caption;
    bool exclamation, question, hasCancel;
};
MessageSeen AnswerMessageBox(HWND box, int button);
// The message box `owner` shows (on the thread): its text; answered with button.
std::wstring AnswerBox(DWORD thread, HWND owner, int button);

// A list box choice as a person makes it: the selection, then the
// notification its parent gets.
void ChooseListBoxItem(HWND dialog, int id, int index);
// The help topics the module asks for between the two calls, recorded
// instead of opening the help.
void StartRecordingHelp();
std::vector<DWORD_PTR> StopRecordingHelp();

// A list choice as a person makes it, the notification posted so that a
// modal window it opens does not hold the test thread.
void PostChoose(HWND dialog, int id, int index);
// Index of the drop-down entry with this item data, -1 when none.
int ListIndexOfData(HWND dialog, int id, LPARAM data);
// The reference data driver's name of a paper size code.
std::wstring ReferencePaperName(int paperSize);
// The n-th (from 0) user-size entry of a paper list: it shows the record's
// n-th pair.
PaperEntry UserSizeEntry(const PaperList *list, int n);
// The working settings file of the printer.
std::wstring WorkingFilePath(HANDLE printer);

// The Setup page's Load or Save button: the file dialog answered with path,
// then each message box that follows (the overwrite question, a refusal)
// answered in order. What the boxes showed; a box nobody expected is
// cancelled and reported with its caption marked "(unexpected)".
std::vector<MessageSeen> FileActionThroughPage(OpenSheet &s, int button,
                                              const std::wstring &path, std::vector<int> answers);
