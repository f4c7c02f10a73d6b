#include "tests/apps/modal.h"

#include <stdio.h>

static DWORD g_hookRunSlot = TLS_OUT_OF_INDEXES;

static bool IsTopLevelDialog(const CBT_CREATEWNDW *create)
{
    const CREATESTRUCTW *cs = create->lpcs;
    // The dialog class is the atom 0x8002 ("#32770").
    return !(cs->style & WS_CHILD) &&
           reinterpret_cast<ULONG_PTR>(cs->lpszClass) == 0x8002;
}

static LRESULT CALLBACK RecordDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    ModalRun *run = static_cast<ModalRun *>(TlsGetValue(g_hookRunSlot));
    if (code == HCBT_CREATEWND && run &&
        IsTopLevelDialog(reinterpret_cast<CBT_CREATEWNDW *>(lParam))) {
        EnterCriticalSection(&run->lock);
        if (run->dialogCount < 8)
            run->dialogs[run->dialogCount++] = reinterpret_cast<HWND>(wParam);
        LeaveCriticalSection(&run->lock);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static DWORD WINAPI ModalThread(void *param)
{
    ModalRun *run = static_cast<ModalRun *>(param);
    TlsSetValue(g_hookRunSlot, run);
    HHOOK hook = SetWindowsHookExW(WH_CBT, RecordDialogs, NULL, GetCurrentThreadId());
    run->result = run->call(run->argument);
    if (hook)
        UnhookWindowsHookEx(hook);
    return 0;
}

bool StartModal(ModalRun *run, ModalCall call, void *argument)
{
    if (g_hookRunSlot == TLS_OUT_OF_INDEXES)
        g_hookRunSlot = TlsAlloc();
    ZeroMemory(run, sizeof *run);
    run->call = call;
    run->argument = argument;
    InitializeCriticalSection(&run->lock);
    run->thread = CreateThread(NULL, 0, ModalThread, run, 0, &run->threadId);
    return run->thread != NULL;
}

static HWND FirstDialog(ModalRun *run)
{
    EnterCriticalSection(&run->lock);
    HWND dialog = run->dialogCount ? run->dialogs[0] : NULL;
    LeaveCriticalSection(&run->lock);
    return dialog;
}

HWND WaitForDialog(ModalRun *run, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND dialog = FirstDialog(run);
        if (dialog && IsWindow(dialog) && IsWindowVisible(dialog))
            return dialog;
        if (WaitForSingleObject(run->thread, 50) == WAIT_OBJECT_0)
            return NULL;  // the call returned without showing its dialog
    }
    return NULL;
}

void PostClick(HWND dialog, int button)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

static BOOL CALLBACK CancelVisibleWindow(HWND window, LPARAM)
{
    if (IsWindowVisible(window))
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

bool FinishModal(ModalRun *run, DWORD timeoutMs)
{
    const bool inTime = WaitForSingleObject(run->thread, timeoutMs) == WAIT_OBJECT_0;
    bool finished = inTime;
    // Whatever is still open is cancelled until the thread ends, so a
    // failing test never leaves a dialog behind.
    for (int tries = 0; !finished && tries < 50; tries++) {
        EnumThreadWindows(run->threadId, CancelVisibleWindow, 0);
        finished = WaitForSingleObject(run->thread, 100) == WAIT_OBJECT_0;
    }
    // A call that never returns would go on using the run after the test:
    // its thread ends here.
    if (!finished)
        TerminateThread(run->thread, 1);
    CloseHandle(run->thread);
    run->thread = NULL;
    DeleteCriticalSection(&run->lock);
    return inTime;
}

void ReadCombo(HWND combo, ComboItems *out)
{
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    out->selected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    out->items.clear();
    out->data.clear();
    for (int i = 0; i < count; i++) {
        WCHAR text[256] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) < 256)
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        out->items.push_back(text);
        out->data.push_back(SendMessageW(combo, CB_GETITEMDATA, i, 0));
    }
}

static DWORD WINAPI Watchdog(void *param)
{
    DWORD seconds = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(param));
    Sleep(seconds * 1000);
    fprintf(stderr, "watchdog: the suite ran longer than %lu s; ending it\n",
            static_cast<unsigned long>(seconds));
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}

void StartWatchdog(DWORD seconds)
{
    HANDLE thread = CreateThread(NULL, 0, Watchdog,
                                 reinterpret_cast<void *>(static_cast<ULONG_PTR>(seconds)), 0,
                                 NULL);
    if (thread)
        CloseHandle(thread);
}
