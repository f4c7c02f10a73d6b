// The Setup page driven through its controls and the real file dialogs:
// units, the settings parameter file saved and loaded back, damaged files
// refused, initialize, and a sheet the user may not change.
#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <string.h>

#include "devmode/paperlist.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "settings/settingstore.h"
#include "settingsfiles/paramfile.h"
#include "tests/common/records.h"
#include "tests/ui/pagedriver.h"

namespace {

class SetupPage : public DisplayTest {};

// The sheet's settings saved to a scratch file as they are: the file's
// bytes, none when it could not be written.
std::vector<BYTE> SavedFile(OpenSheet &s, const std::wstring &path)
{
    s.EnsureStore();
    if (!SaveSettingsFile(path.c_str(), s.dm(), StoreFromDevMode(s.dm())))
        return {};
    return ReadWholeFile(path);
}

// A saved file changed by `damage`: its path, empty when it could not be made.
template <class Damage>
std::wstring DamagedFile(OpenSheet &s, const WCHAR *name, Damage damage)
{
    std::wstring path = ScratchPath(name);
    std::vector<BYTE> bytes = SavedFile(s, path);
    if (bytes.empty())
        return L"";
    damage(&bytes);
    return WriteWholeFile(path, bytes) ? path : L"";
}

bool WindowsBefore6()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExW(&version) && version.dwMajorVersion < 6;
}

// The registered settings of both paper types; all zero without a store.
SettingStore StoreOf(const PXDEVMODE *dm)
{
    const SettingStore *store = StoreFromDevMode(dm);
    return store ? *store : SettingStore{};
}

// The record's store against `want`, record by record.
testing::AssertionResult SameStore(const PXDEVMODE *dm, const SettingStore &want)
{
    SettingStore got = StoreOf(dm);
    return SamePrintSettings(&got.blocks[0][0], &want.blocks[0][0], PX_SETTING_BLOCKS * PX_SETTING_SLOTS);
}

TEST_F(SetupPage, UnitsChangeTheTextsAtOnceAndOnTheOtherPagesButNotTheStoredValues)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    s.dm()->pdmLengthUnit = 0;
    s.dm()->pdmTempUnit = 0;
    HWND page = s.Show(PX_TAB_SETUP);
    EXPECT_EQ(ListTexts(page, IDC_SETUP_LENGTH_UNIT), (std::vector<std::wstring>{L"mm", L"inch"}));
    EXPECT_EQ(ListTexts(page, IDC_SETUP_TEMP_UNIT),
              (std::vector<std::wstring>{L"Celsius [ﾟC]", L"Fahrenheit [ﾟF]"}));
    std::wstring size = ItemText(page, IDC_SUMMARY_PAGE_SIZE);
    EXPECT_EQ(size.substr(size.size() - 3), L" mm") << testing::PrintToString(size);

    ChooseListItem(page, IDC_SETUP_LENGTH_UNIT, 1);
    EXPECT_EQ(s.dm()->pdmLengthUnit, 1);
    size = ItemText(page, IDC_SUMMARY_PAGE_SIZE);
    EXPECT_EQ(size.substr(size.size() - 5), L" inch") << "this page at once: " << testing::PrintToString(size);
    ChooseListItem(page, IDC_SETUP_TEMP_UNIT, 1);
    EXPECT_EQ(s.dm()->pdmTempUnit, 1);
    EXPECT_EQ(SelectedText(page, IDC_SETUP_TEMP_UNIT), L"Fahrenheit [ﾟF]");

    for (int tab : {PX_TAB_BASIC, PX_TAB_OPTION}) {
        HWND other = s.Show(tab);
        size = ItemText(other, IDC_SUMMARY_OUTPUT_SIZE);
        EXPECT_EQ(size.substr(size.size() - 5), L" inch") << "tab " << tab << ": " << testing::PrintToString(size);
    }

    page = s.Show(PX_TAB_SETUP);
    EXPECT_EQ(IsEnabled(page, IDC_SETUP_SHOW_STATUS), WindowsBefore6())
        << "the processing status cannot be shown from Windows 6.0 on";
}

// Option page settings through its controls, Basic page ones on the record
// (its lists are another page's), a registered setting added to the store.
void ChangeEverySetting(OpenSheet &s)
{
    HWND option = s.Show(PX_TAB_OPTION);
    TypeInto(option, IDC_OPTION_COPIES, L"7", true);
    Click(option, IDC_OPTION_MIRROR);
    Click(option, IDC_OPTION_OVERPRINT);
    ChooseListItem(option, IDC_OPTION_OVERPRINT_COUNT, 3);
    Click(option, IDC_OPTION_OVERPRINT_WAIT_ON);
    ChooseListItem(option, IDC_OPTION_OVERPRINT_WAIT, 2);
    Click(option, IDC_OPTION_PLATEN_HEATER);
    ChooseListItem(option, IDC_OPTION_PLATEN_HEATER_TEMP, 5);
    Click(option, IDC_OPTION_ON_THE_FLY);

    PXDEVMODE *dm = s.dm();
    PaperEntry entry = {};
    ASSERT_TRUE(PaperEntryAt(&s.ctx()->paperList, 3, &entry));
    SetRecordPaper(dm, &entry);
    dm->dm.dmOrientation = DMORIENT_LANDSCAPE;
    dm->pdmOutputScale = 250;
    dm->pdmRotation = 2;
    dm->pdmRotated = 1;  // as 90 degrees sets it
    dm->pdmUserSizes[0] = PxUserSize{3000, 2000};
    dm->pdmCropMarks = 1;
    dm->pdmShowStatus = 1;
    PrintSetting *added = SettingRecordAddress(dm, dm->pdmSettingCount[0]);
    ASSERT_NE(added, nullptr);
    *added = *SettingRecordAddress(dm, 0);
    lstrcpyW(added->name, L"Banner night");
    added->presetId = 0;
    added->gamma = 17;
    dm->pdmSettingCount[0]++;
}

TEST_F(SetupPage, SaveThenLoadRestoresEverySettingOfTheThreePages)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    s.EnsureStore();
    ChangeEverySetting(s);
    ASSERT_FALSE(HasFatalFailure());
    PXDEVMODE saved = *s.dm();
    SettingStore savedStore = StoreOf(s.dm());
    std::wstring path = ScratchPath(L"roundtrip.OVP");
    DeleteFileW(path.c_str());
    std::vector<MessageSeen> seen = FileActionThroughPage(s, IDC_SETUP_SAVE, path, {});
    EXPECT_TRUE(seen.empty()) << testing::PrintToString(seen.empty() ? L"" : seen[0].caption);
    EXPECT_EQ(ReadWholeFile(path).size(), 2072u + 1184u * (7 + 2));

    // Everything back to the defaults, the units as chosen.
    HWND page = s.Show(PX_TAB_SETUP);
    ChooseListItem(page, IDC_SETUP_LENGTH_UNIT, 1);
    PostClick(page, IDC_SETUP_INITIALIZE);
    AnswerMessageBox(WaitForDialogOwnedBy(s.thread, s.window), IDOK);
    ASSERT_EQ(s.dm()->dm.dmCopies, s.ctx()->dmDefault.dm.dmCopies);
    ASSERT_EQ(s.dm()->pdmSettingCount[0], 6);
    ASSERT_NE(s.dm()->pdmUserSizes[0].width, 3000);
    s.ctx()->refreshBasic = s.ctx()->refreshOption = s.ctx()->refreshSetup = 0;

    seen = FileActionThroughPage(s, IDC_SETUP_LOAD, path, {});
    EXPECT_TRUE(seen.empty()) << testing::PrintToString(seen.empty() ? L"" : seen[0].text);
    EXPECT_EQ(s.dm()->pdmLengthUnit, 1) << "the file carries no units";
    saved.pdmLengthUnit = 1;
    EXPECT_TRUE(SameSettings(*s.dm(), saved));
    const PrintSetting *added = SettingRecordAddress(s.dm(), 6);
    ASSERT_NE(added, nullptr);
    EXPECT_STREQ(added->name, L"Banner night");
    EXPECT_EQ(added->gamma, 17);
    EXPECT_TRUE(SameStore(s.dm(), savedStore)) << "the registered settings of both paper types";
    EXPECT_EQ(s.ctx()->refreshBasic, 1);
    EXPECT_EQ(s.ctx()->refreshOption, 1);
    EXPECT_EQ(s.ctx()->refreshSetup, 0) << "this page refilled at once";
    PaperEntry user = UserSizeEntry(&s.ctx()->paperList, 0);
    EXPECT_EQ(user.width, 3000) << "the paper list is built again from the loaded sizes";
    EXPECT_EQ(user.length, 2000);

    HWND option = s.Show(PX_TAB_OPTION);
    EXPECT_EQ(s.ctx()->refreshOption, 0);
    EXPECT_EQ(ItemText(option, IDC_OPTION_COPIES), L"7");
    EXPECT_EQ(SelectedText(option, IDC_OPTION_OVERPRINT_COUNT), L"4 回");
    EXPECT_EQ(SelectedText(option, IDC_OPTION_PLATEN_HEATER_TEMP), L"34 ﾟC");
    EXPECT_TRUE(IsChecked(option, IDC_OPTION_MIRROR));
}

// The loader's refusals are the settings suite's; here a refused file
// reaches the user as its message and leaves the sheet as it was.
TEST_F(SetupPage, ADamagedFileIsRefusedWithItsMessageAndNothingChanges)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    std::wstring bad = DamagedFile(s, L"bad.OVP", [](std::vector<BYTE> *bytes) {
        const int16_t printMode = 40;  // beyond the tables
        memcpy(&(*bytes)[16 + 112], &printMode, 2);
    });
    ASSERT_FALSE(bad.empty());
    s.dm()->dm.dmCopies = 5;  // differs from the file, so a load would show
    PXDEVMODE record = *s.dm();
    SettingStore store = StoreOf(s.dm());

    std::vector<MessageSeen> seen = FileActionThroughPage(s, IDC_SETUP_LOAD, bad, {IDOK});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, ModuleText(IDS_OVP_DAMAGED));
    EXPECT_EQ(seen[0].caption, ModuleText(IDS_OVP_READ_CAPTION));
    EXPECT_TRUE(seen[0].exclamation);
    EXPECT_TRUE(SameSettings(*s.dm(), record)) << "the record changed";
    EXPECT_TRUE(SameStore(s.dm(), store)) << "the store changed";
    EXPECT_EQ(s.ctx()->refreshBasic, 0);
    EXPECT_EQ(s.ctx()->refreshOption, 0);
}

// A file held open without sharing cannot be replaced: the user is told,
// and the old file, the folder and the sheet stay as they were.
TEST_F(SetupPage, SaveReportsANameItCannotWriteAndLeavesTheOldFileWhole)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    std::wstring path = ScratchPath(L"held.OVP");
    std::vector<BYTE> old = SavedFile(s, path);
    ASSERT_FALSE(old.empty());
    s.dm()->dm.dmCopies = 11;
    PXDEVMODE record = *s.dm();

    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // Asked before replacing, then told the write failed.
    std::vector<MessageSeen> seen = FileActionThroughPage(s, IDC_SETUP_SAVE, path, {IDYES, IDOK});
    CloseHandle(held);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, ModuleText(IDS_OVP_WRITE_FAILED));
    EXPECT_EQ(seen[1].caption, ModuleText(IDS_OVP_WRITE_CAPTION));
    EXPECT_TRUE(seen[1].exclamation);
    EXPECT_TRUE(ReadWholeFile(path) == old) << "the old file was changed";
    EXPECT_EQ(GetFileAttributesW((path + L".new").c_str()), INVALID_FILE_ATTRIBUTES)
        << "a half-written file was left";
    EXPECT_TRUE(SameSettings(*s.dm(), record)) << "the sheet's record changed";
}

// The body ends after the paper size: the rest reads as zero and the merge
// repairs every field a zero does not suit.
TEST_F(SetupPage, ACutBodyIsRepairedByTheMerge)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    std::wstring cut =
        DamagedFile(s, L"cut.OVP", [](std::vector<BYTE> *bytes) { bytes->resize(16 + 8); });
    ASSERT_FALSE(cut.empty());
    EXPECT_TRUE(FileActionThroughPage(s, IDC_SETUP_LOAD, cut, {}).empty());
    EXPECT_EQ(s.dm()->dm.dmCopies, 1) << "zero copies repaired";
    EXPECT_GE(s.dm()->pdmOutputScale, 10) << "zero scale repaired";
    EXPECT_GE(s.dm()->pdmOverprintCount, 1) << "zero overprint count repaired";
}

TEST_F(SetupPage, InitializeAsksKeepsTheUnitsAndReinstallsThePresets)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    s.EnsureStore();
    ChangeEverySetting(s);
    ASSERT_FALSE(HasFatalFailure());
    HWND page = s.Show(PX_TAB_SETUP);
    ChooseListItem(page, IDC_SETUP_LENGTH_UNIT, 1);
    ChooseListItem(page, IDC_SETUP_TEMP_UNIT, 1);
    PXDEVMODE record = *s.dm();
    SettingStore store = StoreOf(s.dm());
    SettingStore *storeAddress = StoreFromDevMode(s.dm());

    PostClick(page, IDC_SETUP_INITIALIZE);
    MessageSeen asked = AnswerMessageBox(WaitForDialogOwnedBy(s.thread, s.window), IDCANCEL);
    EXPECT_EQ(asked.text, ModuleText(IDS_MSG_INITIALIZE));
    EXPECT_EQ(asked.caption, ModuleText(IDS_TITLE_INITIALIZE));
    EXPECT_TRUE(asked.question);
    EXPECT_TRUE(asked.hasCancel);
    SendMessageW(page, WM_NULL, 0, 0);
    EXPECT_TRUE(SameSettings(*s.dm(), record)) << "Cancel changed the record";
    EXPECT_TRUE(SameStore(s.dm(), store)) << "Cancel changed the store";

    PostClick(page, IDC_SETUP_INITIALIZE);
    AnswerMessageBox(WaitForDialogOwnedBy(s.thread, s.window), IDOK);
    SendMessageW(page, WM_NULL, 0, 0);
    PXDEVMODE def = s.ctx()->dmDefault;
    def.pdmLengthUnit = def.pdmTempUnit = 1;  // units are kept
    def.pdmColorFlags |= PX_COLOR_FLAG_SETTING_APPLIED;  // the first preset
    EXPECT_TRUE(SameSettings(*s.dm(), def));
    EXPECT_EQ(StoreFromDevMode(s.dm()), storeAddress) << "the store stays the page's";
    EXPECT_EQ(s.dm()->pdmSettingCount[0], 6);
    EXPECT_EQ(s.dm()->pdmSettingCount[1], 2);
    EXPECT_EQ(s.dm()->pdmSettingIndex, 0);
    const PrintSetting *first = SettingRecordAddress(s.dm(), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->presetId, 1);
    EXPECT_EQ(s.dm()->pdmPrintMode, first->printMode) << "the first preset is applied";
    EXPECT_EQ(SelectedText(page, IDC_SETUP_LENGTH_UNIT), L"inch");
    EXPECT_EQ(s.ctx()->refreshBasic, 1);
    EXPECT_EQ(s.ctx()->refreshOption, 1);
    EXPECT_EQ(s.ctx()->refreshSetup, 0);
    HWND option = s.Show(PX_TAB_OPTION);
    EXPECT_EQ(ItemText(option, IDC_OPTION_COPIES), std::to_wstring(def.dm.dmCopies));
}

TEST_F(SetupPage, WithoutPermissionTheSettingsCanBeSavedButNotLoadedOrReset)
{
    OpenSheet s(DM_COPY | 0x20);
    ASSERT_NE(s.window, nullptr);
    s.EnsureStore();
    HWND page = s.Show(PX_TAB_SETUP);
    EXPECT_FALSE(IsEnabled(page, IDC_SETUP_LOAD));
    EXPECT_FALSE(IsEnabled(page, IDC_SETUP_INITIALIZE));
    EXPECT_FALSE(IsEnabled(page, IDC_SETUP_SHOW_STATUS));
    EXPECT_TRUE(IsEnabled(page, IDC_SETUP_SAVE));
    EXPECT_TRUE(IsEnabled(page, IDC_SETUP_VERSION));
    EXPECT_TRUE(IsEnabled(page, IDC_SETUP_LENGTH_UNIT));
    EXPECT_TRUE(IsEnabled(page, IDC_SETUP_TEMP_UNIT));

    std::wstring path = ScratchPath(L"nopermission.OVP");
    DeleteFileW(path.c_str());
    EXPECT_TRUE(FileActionThroughPage(s, IDC_SETUP_SAVE, path, {}).empty());
    std::vector<BYTE> bytes = ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), 2072u + 1184u * 8);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 2501);
}

TEST_F(SetupPage, AfterALoadOkCopiesOutTheLoadedSettingsNotTheBasicPageLists)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    s.EnsureStore();
    PaperEntry entry = {};
    ASSERT_TRUE(PaperEntryAt(&s.ctx()->paperList, 4, &entry));
    PXDEVMODE original = *s.dm();
    SetRecordPaper(s.dm(), &entry);
    s.dm()->dm.dmOrientation = DMORIENT_LANDSCAPE;
    std::wstring path = ScratchPath(L"apply.OVP");
    ASSERT_TRUE(SaveSettingsFile(path.c_str(), s.dm(), StoreFromDevMode(s.dm())));
    // The Basic page shows the settings as they were when the sheet opened.
    *s.dm() = original;
    s.Show(PX_TAB_BASIC);
    s.Show(PX_TAB_SETUP);

    EXPECT_TRUE(FileActionThroughPage(s, IDC_SETUP_LOAD, path, {}).empty());
    ASSERT_EQ(s.dm()->dm.dmPaperSize, entry.paperSize);
    ASSERT_TRUE(s.Close(PSBTN_OK));
    const PXDEVMODE *out = s.out.as<PXDEVMODE>();
    EXPECT_EQ(out->dm.dmPaperSize, entry.paperSize) << "the Basic page's stale list was read back";
    EXPECT_EQ(out->dm.dmOrientation, DMORIENT_LANDSCAPE);
    ASSERT_EQ(s.sheet.host.results.size(), 1u);
    EXPECT_EQ(s.sheet.host.results[0], CPSUI_OK);
}

}  // namespace
