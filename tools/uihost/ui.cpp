#include "tools/uihost/ui.h"

#include <windows.h>
#include <commctrl.h>

UiThread::UiThread(std::function<void()> work) : work_(std::move(work)), id_(0)
{
    thread_ = CreateThread(NULL, 0, Run, this, 0, &id_);
}

DWORD WINAPI UiThread::Run(void *self)
{
    static_cast<UiThread *>(self)->work_();
    return 0;
}

bool UiThread::Join(DWORD ms)
{
    return thread_ && WaitForSingleObject(thread_, ms) == WAIT_OBJECT_0;
}

static BOOL CALLBACK CloseThreadWindow(HWND window, LPARAM)
{
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

UiThread::~UiThread()
{
    if (!thread_)
        return;
    // A test that failed half-way leaves windows open: cancel them all until
    // the work returns, then give up rather than hang.
    for (int round = 0; round < 20 && !Join(250); round++)
        EnumThreadWindows(id_, CloseThreadWindow, 0);
    if (!Join(0))
        TerminateThread(thread_, 1);
    CloseHandle(thread_);
}

bool WaitUntil(const std::function<bool()> &done, DWORD ms)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    return true;
}

struct WindowQuery {
    const wchar_t *className;
    const wchar_t *caption;
    HWND except;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    WindowQuery *q = reinterpret_cast<WindowQuery *>(lParam);
    WCHAR className[64] = {};
    GetClassNameW(window, className, 64);
    if (!IsWindowVisible(window) || window == q->except || lstrcmpW(className, q->className) != 0)
        return TRUE;
    if (q->caption && WindowText(window) != q->caption)
        return TRUE;
    q->found = window;
    return FALSE;
}

static HWND WaitForMatch(DWORD threadId, WindowQuery q, DWORD ms)
{
    WaitUntil([&] {
        EnumThreadWindows(threadId, MatchWindow, reinterpret_cast<LPARAM>(&q));
        return q.found != NULL;
    }, ms);
    return q.found;
}

HWND WaitForWindow(DWORD threadId, const wchar_t *className, const wchar_t *caption, DWORD ms)
{
    return WaitForMatch(threadId, WindowQuery{className, caption, NULL, NULL}, ms);
}

HWND WaitForDialogOtherThan(DWORD threadId, HWND except, DWORD ms)
{
    return WaitForMatch(threadId, WindowQuery{L"#32770", nullptr, except, NULL}, ms);
}

struct OwnedQuery {
    HWND owner;
    HWND found;
};

static BOOL CALLBACK MatchOwned(HWND window, LPARAM lParam)
{
    OwnedQuery *q = reinterpret_cast<OwnedQuery *>(lParam);
    WCHAR className[64] = {};
    GetClassNameW(window, className, 64);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != q->owner ||
        lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    q->found = window;
    return FALSE;
}

HWND WaitForDialogOwnedBy(DWORD threadId, HWND owner, DWORD ms)
{
    OwnedQuery q = {owner, NULL};
    WaitUntil([&] {
        EnumThreadWindows(threadId, MatchOwned, reinterpret_cast<LPARAM>(&q));
        return q.found != NULL;
    }, ms);
    return q.found;
}

std::wstring WindowText(HWND window)
{
    WCHAR text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void ChooseListItem(HWND dialog, int id, int index)
{
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)list);
}

void Click(HWND dialog, int id)
{
    DWORD_PTR ignored;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, PX_UI_WAIT_MS, &ignored);
}

void PostClick(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

HWND CurrentSheetPage(HWND sheet)
{
    return (HWND)SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
}

std::vector<std::wstring> SheetTabTitles(HWND sheet)
{
    std::vector<std::wstring> titles;
    HWND tab = (HWND)SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0);
    int count = (int)SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        WCHAR text[128] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(tab, TCM_GETITEMW, i, (LPARAM)&item);
        titles.push_back(text);
    }
    return titles;
}
