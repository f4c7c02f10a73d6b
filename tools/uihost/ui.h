// Driving windows the way a person does (tests, pxhost shots), from the test thread, without ever
// hanging: the code under test runs on a thread of its own, its windows are
// found with bounded waits, and the clicks that open modal windows are
// posted rather than sent.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#define PX_UI_WAIT_MS 10000

// Runs work on a new thread that owns the windows it creates.
class UiThread {
public:
    explicit UiThread(std::function<void()> work);
    ~UiThread();  // waits (bounded) and ends the thread's windows
    DWORD id() const { return id_; }
    // TRUE when the work returned within ms.
    bool Join(DWORD ms = PX_UI_WAIT_MS);

private:
    static DWORD WINAPI Run(void *self);
    std::function<void()> work_;
    HANDLE thread_;
    DWORD id_;
};

// Polls until done() holds; FALSE after ms.
bool WaitUntil(const std::function<bool()> &done, DWORD ms = PX_UI_WAIT_MS);

// The first visible top-level window of the thread whose class is
// className (and whose caption is caption, when given); null after ms.
HWND WaitForWindow(DWORD threadId, const wchar_t *className, const wchar_t *caption = nullptr,
                   DWORD ms = PX_UI_WAIT_MS);
// A visible top-level dialog of the thread other than `except`.
HWND WaitForDialogOtherThan(DWORD threadId, HWND except, DWORD ms = PX_UI_WAIT_MS);

// A visible dialog of the thread owned by `owner` (a modal dialog it opened).
HWND WaitForDialogOwnedBy(DWORD threadId, HWND owner, DWORD ms = PX_UI_WAIT_MS);

std::wstring WindowText(HWND window);
std::wstring ItemText(HWND dialog, int id);

// A drop-down list choice as a user makes it: the selection, then the
// notification the parent receives.
void ChooseListItem(HWND dialog, int id, int index);
// A click on a button that opens no modal window, sent and waited for
// (bounded).
void Click(HWND dialog, int id);
// A click that may open a modal window: posted, so the test thread goes on.
void PostClick(HWND dialog, int id);

// The property sheet's current page dialog.
HWND CurrentSheetPage(HWND sheet);
// The tab titles of a property sheet, in order.
std::vector<std::wstring> SheetTabTitles(HWND sheet);
