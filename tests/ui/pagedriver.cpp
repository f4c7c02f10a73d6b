#include "tests/ui/pagedriver.h"

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include "core/module.h"
#include "resources/ids_controls.h"
#include "settings/presets.h"
#include "settings/settingstore.h"

OpenDocumentSheet::OpenDocumentSheet(DWORD mode)
    : sheet(printer, PX_PRINTER, out.as<DEVMODEW>(), mode)
{
    window = sheet.Open();
    if (window)
        thread = GetWindowThreadProcessId(window, NULL);
}

OpenDocumentSheet::~OpenDocumentSheet()
{
    if (window && IsWindow(window))
        Close(PSBTN_CANCEL);
}

HWND OpenDocumentSheet::Show(int tab)
{
    SendMessageW(window, PSM_SETCURSEL, tab, 0);
    return CurrentSheetPage(window);
}

void OpenDocumentSheet::EnsureStore()
{
    if (StoreFromDevMode(dm()))
        return;
    ownStore = AllocSettingStore(dm()) != NULL;
    InstallPresets(dm());
}

bool OpenDocumentSheet::Close(int button)
{
    // The store made here goes before the pages copy the record out.
    if (ownStore && ctx())
        ReleaseSettingStore(dm());
    ownStore = false;
    bool closed = sheet.Close(button);
    window = NULL;
    return closed;
}

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

void PressArrow(HWND page, int id, bool up)
{
    HWND edit = EditOf(page, id);
    WPARAM key = up ? VK_UP : VK_DOWN;
    SendMessageW(edit, WM_KEYDOWN, key, 1);
    SendMessageW(edit, WM_KEYUP, key, 0xC0000001);
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

struct ModalQuery {
    std::vector<HWND> except;
    HWND found;
};

static BOOL CALLBACK MatchModal(HWND window, LPARAM lParam)
{
    ModalQuery *q = reinterpret_cast<ModalQuery *>(lParam);
    WCHAR cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || lstrcmpW(cls, L"#32770") != 0)
        return TRUE;
    for (HWND other : q->except)
        if (other == window)
            return TRUE;
    q->found = window;
    return FALSE;
}

HWND WaitForModal(DWORD thread, std::initializer_list<HWND> except, DWORD ms)
{
    ModalQuery q = {std::vector<HWND>(except), NULL};
    WaitUntil([&] {
        EnumThreadWindows(thread, MatchModal, reinterpret_cast<LPARAM>(&q));
        return q.found != NULL;
    }, ms);
    return q.found;
}

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

std::wstring StringOf(UINT id)
{
    WCHAR text[256] = L"";
    LoadStringW(ModuleInstance(), id, text, 256);
    return text;
}

std::wstring ScratchFile(const wchar_t *name)
{
    WCHAR temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"pxui-pages-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), NULL);
    return folder + L"\\" + name;
}

std::vector<BYTE> FileBytes(const std::wstring &path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, NULL));
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, bytes.data(), (DWORD)bytes.size(), &read, NULL);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::wstring &path, const std::vector<BYTE> &bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool FileExists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<MessageSeen> FileActionThroughPage(OpenDocumentSheet &s, int button,
                                              const std::wstring &path, std::vector<int> answers)
{
    HWND page = s.Show(PX_TAB_SETUP);
    PostClick(page, button);
    HWND dialog = WaitForModal(s.thread, {s.window});
    if (!dialog)
        return {MessageSeen{L"(no file dialog)", L"", false, false, false}};
    // Explorer-style dialogs take the name in a combo box or an edit.
    HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
    SendMessageW(name, WM_SETTEXT, 0, (LPARAM)path.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    std::vector<MessageSeen> seen;
    for (int answer : answers)
        seen.push_back(AnswerMessageBox(WaitForModal(s.thread, {s.window, dialog}), answer));
    WaitUntil([dialog] { return !IsWindow(dialog); });
    // Returns once the click is handled, or once a message box waits.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(page, WM_NULL, 0, 0, SMTO_NORMAL, PX_UI_WAIT_MS, &ignored);
    HWND extra = WaitForModal(s.thread, {s.window, dialog}, 300);
    if (extra) {
        seen.push_back(AnswerMessageBox(extra, IDCANCEL));
        seen.back().caption.insert(0, L"(unexpected) ");
    }
    return seen;
}
