#include "tests/ui/advanced_helpers.h"

#include <gtest/gtest.h>

#include <icm.h>
#include <stddef.h>
#include <vector>

#include "dialogs/advanced.h"
#include "services/colorprofile.h"

TestContext::TestContext(const WCHAR *name, uint32_t paperType)
{
    if (!OpenPrinterW(const_cast<WCHAR *>(name), &printer, NULL))
        printer = NULL;
    ctx = AllocPageContext();
    if (!ctx)
        return;
    InitPageContext(ctx, printer, const_cast<WCHAR *>(name), NULL);
    ctx->canChange = 1;
    ctx->dmCurrent.pdmPaperType.id = paperType;
    AllocSettingStore(&ctx->dmCurrent);
    InstallPresets(&ctx->dmCurrent);
}

TestContext::~TestContext()
{
    if (ctx) {
        ReleaseSettingStore(&ctx->dmCurrent);
        ReleasePageContext(ctx);
    }
    if (printer)
        ClosePrinter(printer);
}

PrintSetting *TestContext::Register(const WCHAR *name, uint16_t colorMode)
{
    int slot = count();
    PrintSetting *r = record(slot);
    *r = *record(0);
    lstrcpynW(r->name, name, PX_SETTING_NAME_CHARS);
    r->presetId = 0;
    r->colorMode = colorMode;
    r->printMode = static_cast<uint16_t>(slot % 12);
    r->contrast = static_cast<int16_t>(slot);
    dm()->pdmSettingCount[SettingBlockOf(dm())] = static_cast<int16_t>(slot + 1);
    return r;
}

OpenAdvanced::OpenAdvanced(PageContext *ctx)
{
    thread = new UiThread([this, ctx] { result = ShowAdvancedDialog(NULL, ctx); });
    dialog = WaitForWindow(thread->id(), L"#32770");
}

OpenAdvanced::~OpenAdvanced() { delete thread; }

bool OpenAdvanced::Close(int button)
{
    if (!dialog)
        return false;
    PostClick(dialog, button);
    return thread->Join();
}

void PeekList(HWND dialog, int id)
{
    SendMessageW(GetDlgItem(dialog, id), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(GetDlgItem(dialog, id), CB_SHOWDROPDOWN, FALSE, 0);
}

void Pick(HWND dialog, int id, int index)
{
    PeekList(dialog, id);
    ChooseListItem(dialog, id, index);
}

std::wstring AnswerMessageBox(DWORD threadId, HWND owner, int button)
{
    HWND box = WaitForDialogOtherThan(threadId, owner);
    if (!box)
        return L"(no message box)";
    std::wstring text = ItemText(box, 0xFFFF);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitUntil([box] { return !IsWindow(box); });
    return text;
}

void TypeAndLeave(HWND dialog, int id, const WCHAR *text)
{
    HWND edit = GetDlgItem(dialog, id);
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)text);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), (LPARAM)edit);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), (LPARAM)edit);
}

struct FieldSpan {
    const char *name;
    size_t offset;
    size_t size;
};
#define PX_FIELD(f) {#f, offsetof(PrintSetting, f), sizeof(PrintSetting::f)}
static const FieldSpan kFields[] = {
    PX_FIELD(name), PX_FIELD(presetId), PX_FIELD(printMode), PX_FIELD(dataResolution),
    PX_FIELD(colorMode), PX_FIELD(grayLevels), PX_FIELD(grayMethod), PX_FIELD(useCorrection),
    PX_FIELD(colorCorrection), PX_FIELD(icmEnabled), PX_FIELD(imageProfile), PX_FIELD(printerProfile),
    PX_FIELD(cyanRed), PX_FIELD(magentaGreen), PX_FIELD(yellowBlue), PX_FIELD(blackInk),
    PX_FIELD(cyanInk), PX_FIELD(magentaInk), PX_FIELD(yellowInk), PX_FIELD(saturation),
    PX_FIELD(contrast), PX_FIELD(brightness), PX_FIELD(gamma), PX_FIELD(totalInkLimit),
    PX_FIELD(editable), PX_FIELD(effect), PX_FIELD(reserved1154),
};

std::string FirstDifferentField(const PrintSetting &expected, const PrintSetting &actual)
{
    const BYTE *e = reinterpret_cast<const BYTE *>(&expected);
    const BYTE *a = reinterpret_cast<const BYTE *>(&actual);
    for (const FieldSpan &f : kFields) {
        if (memcmp(e + f.offset, a + f.offset, f.size) != 0)
            return f.name;
    }
    return "";
}

static std::vector<BYTE> MakeProfile(uint32_t profileClass, const char *description)
{
    std::vector<BYTE> b(144, 0);
    auto put = [&b](size_t at, uint32_t v) {
        if (b.size() < at + 4)
            b.resize(at + 4);
        for (int i = 0; i < 4; i++)
            b[at + i] = BYTE(v >> (24 - 8 * i));
    };
    const uint32_t fields[][2] = {
        {8, 0x02100000}, {12, profileClass}, {16, PX_SPACE_RGB}, {20, 0x58595A20},
        {36, 0x61637370}, {68, 0x0000F6D6}, {72, 0x00010000}, {76, 0x0000D32D}, {128, 1},
        {132, description ? 0x64657363u : 0x63707274u}, {136, 144},
    };
    for (const auto &f : fields)
        put(f[0], f[1]);
    if (description) {
        uint32_t count = static_cast<uint32_t>(strlen(description)) + 1;
        put(144, 0x64657363);
        put(152, count);
        b.insert(b.end(), description, description + count);
        b.resize(b.size() + 8 + 3 + 67, 0);
    } else {
        const char text[] = "no description";
        put(144, 0x74657874);
        b.insert(b.end(), text, text + sizeof text);
    }
    while (b.size() % 4)
        b.push_back(0);
    put(140, static_cast<uint32_t>(b.size() - 144));
    put(0, static_cast<uint32_t>(b.size()));
    return b;
}

static std::wstring ColorPath(const WCHAR *file)
{
    WCHAR dir[MAX_PATH];
    DWORD size = sizeof dir;
    if (!GetColorDirectoryW(NULL, dir, &size))
        return L"";
    return std::wstring(dir) + L"\\" + file;
}

bool InstallProfile(const WCHAR *file, uint32_t profileClass, const char *description)
{
    std::vector<BYTE> bytes = MakeProfile(profileClass, description);
    HANDLE h = CreateFileW(ColorPath(file).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(h);
    return ok && written == bytes.size();
}

void RemoveProfile(const WCHAR *file) { DeleteFileW(ColorPath(file).c_str()); }

int ListCount(HWND dialog, int id) { return (int)SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0); }

std::wstring ListText(HWND dialog, int id, int index)
{
    WCHAR text[512] = L"";
    if (SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, index, 0) < 512)
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, (LPARAM)text);
    return text;
}

LRESULT ListData(HWND dialog, int id, int index)
{
    return SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, index, 0);
}

int ListSelection(HWND dialog, int id) { return (int)SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0); }
