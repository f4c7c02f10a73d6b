#include "tests/ui/pagedriver.h"

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include "core/module.h"
#include "resources/ids_controls.h"
#include "settingsfiles/workfile.h"
#include "widgets/help.h"

// The edit itself: an edit with arrows shares its id with the arrows.
static HWND EditOf(HWND page, int id)
{
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        WCHAR cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (GetDlgCtrlID(child) == id && lstrcmpiW(cls, L"Edit") == 0)
            return child;
    }
    return NULL;
}

void TypeInto(HWND page, int id, const wchar_t *text, bool leave)
{
    HWND edit = EditOf(page, id);
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)text);
    if (leave)
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), (LPARAM)edit);
}

bool Dismiss(HWND dialog, int button)
{
    HWND owner = GetWindow(dialog, GW_OWNER);
    PostClick(dialog, button);
    if (!WaitUntil([dialog] { return !IsWindow(dialog); }))
        return false;
    // The dialog is gone before its opener has taken its answer: the owner's
    // thread takes a sent message only once that code has run.
    DWORD_PTR ignored = 0;
    if (owner)
        SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_NORMAL, PX_UI_WAIT_MS, &ignored);
    return true;
}

void PressArrow(HWND page, int id, bool up)
{
    HWND edit = EditOf(page, id);
    WPARAM key = up ? VK_UP : VK_DOWN;
    SendMessageW(edit, WM_KEYDOWN, key, 1);
    SendMessageW(edit, WM_KEYUP, key, 0xC0000001);
}

void PressF1(HWND dialog, int id)
{
    HELPINFO help = {};
    help.cbSize = sizeof help;
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = id;
    help.hItemHandle = GetDlgItem(dialog, id);
    SendMessageW(dialog, WM_HELP, 0, (LPARAM)&help);
}

std::vector<std::wstring> ListTexts(HWND page, int id)
{
    std::vector<std::wstring> texts;
    int count = (int)SendDlgItemMessageW(page, id, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        WCHAR text[256] = {};
        SendDlgItemMessageW(page, id, CB_GETLBTEXT, i, (LPARAM)text);
        texts.push_back(text);
    }
    return texts;
}

std::wstring SelectedText(HWND page, int id)
{
    int index = (int)SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0);
    if (index < 0)
        return L"(none)";
    return ListTexts(page, id)[index];
}

int IndexOfText(HWND page, int id, const std::wstring &text)
{
    std::vector<std::wstring> texts = ListTexts(page, id);
    for (size_t i = 0; i < texts.size(); i++)
        if (texts[i] == text)
            return (int)i;
    return -1;
}

bool IsChecked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

bool IsEnabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

MessageSeen AnswerMessageBox(HWND box, int button)
{
    MessageSeen seen = {L"(no message box)", L"", false, false, false};
    if (!box)
        return seen;
    seen.text = ItemText(box, 0xFFFF);
    seen.caption = WindowText(box);
    HICON exclamation = LoadIconW(NULL, IDI_EXCLAMATION);
    HICON question = LoadIconW(NULL, IDI_QUESTION);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LRESULT icon = SendMessageW(child, STM_GETICON, 0, 0);
        seen.exclamation |= icon == (LRESULT)exclamation;
        seen.question |= icon == (LRESULT)question;
    }
    seen.hasCancel = IsWindowVisible(GetDlgItem(box, IDCANCEL)) != FALSE;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(box, button));
    WaitUntil([box] { return !IsWindow(box); });
    return seen;
}

std::wstring AnswerBox(DWORD thread, HWND owner, int button)
{
    return AnswerMessageBox(WaitForDialogOwnedBy(thread, owner), button).text;
}

void ChooseListBoxItem(HWND dialog, int id, int index)
{
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, LB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), (LPARAM)list);
}

static std::vector<DWORD_PTR> g_topics;

static HWND WINAPI RecordTopic(HWND, LPCWSTR, UINT, DWORD_PTR topic)
{
    g_topics.push_back(topic);
    return NULL;
}

void StartRecordingHelp()
{
    g_topics.clear();
    SetHelpEntryForTesting(RecordTopic);
}

std::vector<DWORD_PTR> StopRecordingHelp()
{
    SetHelpEntryForTesting(NULL);
    return g_topics;
}

void PostChoose(HWND dialog, int id, int index)
{
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)list);
}

int ListIndexOfData(HWND dialog, int id, LPARAM data)
{
    LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        if (SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, i, 0) == data)
            return (int)i;
    }
    return -1;
}

std::wstring ReferencePaperName(int paperSize)
{
    WCHAR text[256] = L"";
    HMODULE data = LoadLibraryExW(L"pxdata.dll", NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (data) {
        LoadStringW(data, 1792 + paperSize, text, 256);
        FreeLibrary(data);
    }
    return text;
}

PaperEntry UserSizeEntry(const PaperList *list, int n)
{
    PaperEntry entry = {};
    for (int i = 1, seen = 0; i <= PaperCount(list); i++) {
        PaperEntryAt(list, i, &entry);
        if ((entry.series & 0x80000000u) && seen++ == n)
            return entry;
    }
    return PaperEntry{};
}

std::wstring WorkingFilePath(HANDLE printer)
{
    WCHAR path[MAX_PATH] = L"";
    return GetWorkingSettingsPath(printer, path) ? path : L"(no working file)";
}

std::vector<MessageSeen> FileActionThroughPage(OpenSheet &s, int button,
                                              const std::wstring &path, std::vector<int> answers)
{
    HWND page = s.Show(PX_TAB_SETUP);
    PostClick(page, button);
    HWND dialog = WaitForDialogOwnedBy(s.thread, s.window);
    if (!dialog)
        return {MessageSeen{L"(no file dialog)", L"", false, false, false}};
    // Explorer-style dialogs take the name in a combo box or an edit.
    HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
    SendMessageW(name, WM_SETTEXT, 0, (LPARAM)path.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    std::vector<MessageSeen> seen;
    // A box shown while the file dialog is open is its own; once it has
    // gone, the page's boxes belong to the sheet.
    for (int answer : answers) {
        HWND box = NULL;
        WaitUntil([&] {
            box = WaitForDialogOwnedBy(s.thread, IsWindow(dialog) ? dialog : s.window, 0);
            return box != NULL;
        });
        seen.push_back(AnswerMessageBox(box, answer));
    }
    WaitUntil([dialog] { return !IsWindow(dialog); });
    // Returns once the click is handled, or once a message box waits.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(page, WM_NULL, 0, 0, SMTO_NORMAL, PX_UI_WAIT_MS, &ignored);
    HWND extra = WaitForDialogOwnedBy(s.thread, s.window, 300);
    if (extra) {
        seen.push_back(AnswerMessageBox(extra, IDCANCEL));
        seen.back().caption.insert(0, L"(unexpected) ");
    }
    return seen;
}
