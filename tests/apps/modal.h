// Runs an application's modal call (a print or page setup dialog) on a
// thread of its own, so the test thread can find the dialog, read it and
// close it. Every wait is bounded: a dialog that never shows fails the
// test, and a dialog that does not close is cancelled.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

typedef BOOL (*ModalCall)(void *argument);

struct ModalRun {
    ModalCall call;
    void *argument;
    HANDLE thread;
    DWORD threadId;
    BOOL result;
    CRITICAL_SECTION lock;
    HWND dialogs[8];  // top-level dialogs created on the thread, in order
    int dialogCount;
};

// Starts call(argument) on a new thread that watches its windows with a
// thread-local WH_CBT hook.
bool StartModal(ModalRun *run, ModalCall call, void *argument);
// The first top-level dialog of the run once it is visible, or NULL after
// timeoutMs.
HWND WaitForDialog(ModalRun *run, DWORD timeoutMs);
// Posts a button's click (IDOK, IDCANCEL) as the user's click would arrive.
void PostClick(HWND dialog, int button);
// Waits for the call to return; cancels whatever dialog is still open if it
// does not, and ends the thread as a last resort. TRUE when the call
// returned within timeoutMs.
bool FinishModal(ModalRun *run, DWORD timeoutMs);

// Texts and item data of a combo box's items, and its selected index.
struct ComboItems {
    std::vector<std::wstring> items;
    std::vector<LRESULT> data;
    int selected;
};
void ReadCombo(HWND combo, ComboItems *out);

// Ends the process with a message if the suite runs longer than this.
void StartWatchdog(DWORD seconds);
