// What the Basic page's tests share: a display check, the module's strings,
// list helpers that post the notification (a choice may open a modal
// window) and the working settings file of the reference printer.
#pragma once

#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <windows.h>

#include <string>
#include <vector>

#include "core/module.h"
#include "settingsfiles/workfile.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tools/uihost/hostedsheet.h"
#include "tools/uihost/ui.h"

// Kept apart from the other UI suites' helpers of the same names.
namespace basicui {

inline std::wstring ModuleText(UINT id)
{
    WCHAR text[256] = L"";
    LoadStringW(ModuleInstance(), id, text, 256);
    return text;
}

class BasicUi : public DisplayTest {};

// The reference printer's document sheet in the stand-in host, its output
// record at a guard page filled with 0xCC.
struct OpenBasic {
    PrinterHandle printer{PX_PRINTER};
    Guarded out{4160};
    HostedDocumentSheet sheet;
    HWND window = NULL;
    HWND page = NULL;
    DWORD thread = 0;

    explicit OpenBasic(DWORD mode = DM_COPY) : sheet(printer, PX_PRINTER, out.as<DEVMODEW>(), mode)
    {
        FillMemory(out.buffer.data, 4160, 0xCC);
        window = sheet.Open();
        if (window) {
            page = CurrentSheetPage(window);
            thread = GetWindowThreadProcessId(window, NULL);
        }
    }
    PageContext *ctx() { return sheet.Context(); }
    PXDEVMODE &dm() { return sheet.Context()->dmCurrent; }
    // PSN_SETACTIVE again: the page refills from the record.
    void Revisit()
    {
        SendMessageW(window, PSM_SETCURSEL, 1, 0);
        SendMessageW(window, PSM_SETCURSEL, 0, 0);
    }
};


// The choice as a person makes it, the notification posted so that a
// modal window it opens does not hold the test thread.
inline void PostChoose(HWND dialog, int id, int index)
{
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)list);
}

// Index of the drop-down entry with this item data, -1 when none.
inline int ListIndexOfData(HWND dialog, int id, LPARAM data)
{
    LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        if (SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, i, 0) == data)
            return (int)i;
    }
    return -1;
}

// The reference data driver's name of a paper size code.
inline std::wstring ReferencePaperName(int paperSize)
{
    WCHAR text[256] = L"";
    HMODULE data = LoadLibraryExW(L"pxdata.dll", NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (data) {
        LoadStringW(data, 1792 + paperSize, text, 256);
        FreeLibrary(data);
    }
    return text;
}

// Index of the drop-down entry with exactly this text, -1 when none.
inline int ListIndexOfText(HWND dialog, int id, const std::wstring &text)
{
    if (text.empty())
        return -1;
    return (int)SendDlgItemMessageW(dialog, id, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
}

inline std::wstring SelectedText(HWND dialog, int id)
{
    LRESULT at = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR)
        return L"<none>";
    WCHAR text[256] = L"";
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, at, (LPARAM)text);
    return text;
}

// Typing into an edit: the text, then the notification a keystroke sends.
inline void TypeText(HWND dialog, int id, const wchar_t *text)
{
    HWND edit = GetDlgItem(dialog, id);
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)text);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), (LPARAM)edit);
}

inline void LeaveEdit(HWND dialog, int id)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), (LPARAM)GetDlgItem(dialog, id));
}

inline std::wstring WorkingFilePath(HANDLE printer)
{
    WCHAR path[MAX_PATH] = L"";
    EXPECT_TRUE(GetWorkingSettingsPath(printer, path));
    return path;
}

inline std::vector<char> FileBytes(const std::wstring &path)
{
    std::vector<char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    DWORD size = GetFileSize(file, NULL);
    bytes.resize(size);
    DWORD read = 0;
    if (size)
        ReadFile(file, bytes.data(), size, &read, NULL);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

inline void WriteBytes(const std::wstring &path, const void *data, DWORD size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, data, size, &written, NULL);
    CloseHandle(file);
}

struct TopDialogQuery {
    HWND except;
    HWND found;
};

inline BOOL CALLBACK MatchTopDialog(HWND window, LPARAM lParam)
{
    TopDialogQuery *q = reinterpret_cast<TopDialogQuery *>(lParam);
    WCHAR className[16] = {};
    GetClassNameW(window, className, 16);
    if (window == q->except || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
        lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    q->found = window;
    return FALSE;
}

// The dialog or message box of the thread that takes input now (its owners
// are disabled), other than except; null after a bounded wait.
inline HWND WaitForTopDialog(DWORD thread, HWND except, DWORD ms = PX_UI_WAIT_MS)
{
    TopDialogQuery q = {except, NULL};
    WaitUntil([&] {
        q.found = NULL;
        EnumThreadWindows(thread, MatchTopDialog, reinterpret_cast<LPARAM>(&q));
        return q.found != NULL;
    }, ms);
    return q.found;
}

// A message box of the sheet's thread: its text, answered with button.
inline std::wstring AnswerBox(DWORD thread, HWND except, int button)
{
    HWND box = WaitForTopDialog(thread, except);
    if (!box)
        return L"<no box>";
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == 0xFFFF)
            text += WindowText(child);
    }
    PostMessageW(box, WM_COMMAND, button, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

}  // namespace basicui

using namespace basicui;
