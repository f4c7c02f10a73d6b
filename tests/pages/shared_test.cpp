// The page elements that need no window: the help tables and loader, the
// summary's margin key and picture code, the fitted scale.
#include <gtest/gtest.h>

#include <set>

#include "context/sheetbinding.h"
#include "core/module.h"
#include "devmode/paperlist.h"
#include "pages/basicscale.h"
#include "pages/pagehelp.h"
#include "pages/summary.h"
#include "tests/common/printers.h"
#include "widgets/help.h"

static std::vector<std::pair<UINT, DWORD_PTR>> g_helpCalls;
static const WCHAR *g_helpFile;

static HWND WINAPI RecordHelp(HWND, LPCWSTR file, UINT command, DWORD_PTR data)
{
    g_helpFile = file;
    g_helpCalls.push_back({command, data});
    return (HWND)1;
}

// The topics the help file's map declares.
static const std::set<int> kMappedTopics = {
    IDH_DEFAULTS, IDH_GENERAL, IDH_ORIENTATION, IDH_PAGE_SIZE, IDH_SIZE_SERIES, IDH_USER_SIZE,
    IDH_OUTPUT_SIZE, IDH_ROTATION, IDH_MEDIA_TYPE, IDH_SETTINGS_LIST, IDH_PRINT_MODE,
    IDH_RESOLUTION, IDH_COLOR_MODE, IDH_COLOR_CORRECTION, IDH_COLOR_MATCHING,
    IDH_COLOR_ADJUST_BUTTON, IDH_INK_ADJUST_BUTTON, IDH_REGISTER_SETTING, IDH_REMOVE_SETTING,
    IDH_COLOR_BALANCE, IDH_SATURATION, IDH_CONTRAST, IDH_BRIGHTNESS, IDH_GAMMA, IDH_INK_AMOUNT,
    IDH_TOTAL_INK_LIMIT, IDH_COPIES, IDH_MIRROR, IDH_EFFECT, IDH_OVERPRINT_COUNT,
    IDH_OVERPRINT_WAIT, IDH_HEATERS, IDH_ON_THE_FLY, IDH_LENGTH_UNIT, IDH_TEMPERATURE_UNIT,
    IDH_SHOW_STATUS, IDH_LOAD_SETTINGS, IDH_SAVE_SETTINGS, IDH_VERSION, IDH_INITIALIZE,
    IDH_SUMMARY, IDH_CONFIRM_SETTINGS};

TEST(Help, EveryRowIsFoundWithItsOwnMappedTopicAndOtherControlsGetTheGeneralOne)
{
    const struct { const char *page; const HelpContext *table; } tables[] = {
        {"basic", kBasicPageHelp}, {"option", kOptionPageHelp}, {"setup", kSetupPageHelp}};
    for (const auto &t : tables) {
        std::set<int> seen;
        for (const HelpContext *row = t.table; row->controlId; row++) {
            EXPECT_TRUE(kMappedTopics.count(row->topic)) << t.page << " control " << row->controlId
                                                         << ": topic " << row->topic << " is not in the map";
            if (!seen.insert(row->controlId).second)
                continue;  // the first row for a control is the one that counts
            EXPECT_EQ(row->topic, TopicOfControl(t.table, row->controlId))
                << t.page << " control " << row->controlId;
        }
        EXPECT_GT(seen.size(), 3u) << t.page << " table rows";
        EXPECT_EQ(PX_HELP_TOPIC_GENERAL, TopicOfControl(t.table, 0)) << t.page << ": the end row";
        EXPECT_EQ(PX_HELP_TOPIC_GENERAL, TopicOfControl(t.table, 65000)) << t.page << ": no row";
    }

    g_helpCalls.clear();
    SetHelpEntryForTesting(RecordHelp);
    ShowHelpTopic(NULL, L"C:\\help.chm", 122);
    ShowHelpTopic(NULL, NULL, 1);
    SetHelpEntryForTesting(NULL);
    ASSERT_EQ(2u, g_helpCalls.size());
    EXPECT_EQ(15u, g_helpCalls[0].first) << "HH_HELP_CONTEXT";
    EXPECT_EQ(122u, g_helpCalls[0].second);
    EXPECT_EQ(nullptr, g_helpFile) << "a missing help file is passed on as it is";
}

TEST(Summary, MarginKeyFollowsMediaClassAndMarginKind)
{
    PXDEVMODE r = {};
    const struct { uint16_t source; uint32_t kind; uint32_t marginMode; int key; } cases[] = {
        {0x0001, 1, 0, 256}, {0x0120, 1, 0, 258}, {0x0001, 2, 0, 257}, {0x0020, 2, 0, 259},
        {0x0001, 3, 0, 261}, {0x0120, 3, 0, 262}, {0x0001, 4, 0, 260}, {0x0120, 4, 0, 260},
        {0x0001, 9, 0, 256}, {0x0120, 0, 0, 258}, {0x0001, 1, 1, 260},
    };
    for (const auto &c : cases) {
        r.dm.dmDefaultSource = c.source;
        r.pdmMargin.group = c.kind;
        r.pdmMarginMode = c.marginMode;
        EXPECT_EQ(c.key, SummaryMarginKey(&r))
            << "source " << c.source << " kind " << c.kind << " margin mode " << c.marginMode;
    }
}

// Orientation, mirroring, roll or sheet rotation and the across class make
// sixteen pictures: each combination names its own, and the module has it.
TEST(Summary, PictureCodeNamesOneOfTheSixteenPicturesAndTheInkFlag)
{
    PXDEVMODE r = {};
    r.dm.dmColor = DMCOLOR_COLOR;
    std::set<uint32_t> ids;
    for (short orientation : {DMORIENT_PORTRAIT, DMORIENT_LANDSCAPE})
        for (short rotation : {1, 2, 3, 4})
            for (uint32_t noMirror : {0u, 1u})
                for (BOOL across : {FALSE, TRUE}) {
                    r.dm.dmOrientation = orientation;
                    r.pdmRotation = rotation;
                    r.pdmNoMirror = noMirror;
                    uint32_t id = SummaryPictureCode(&r, across) & PX_PICTURE_ID_MASK;
                    HBITMAP picture = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(id));
                    EXPECT_NE(nullptr, picture) << "picture " << id << " of orientation " << orientation
                                                << " rotation " << rotation << " mirror " << !noMirror;
                    DeleteObject(picture);
                    ids.insert(id);
                }
    EXPECT_EQ(16u, ids.size()) << "distinct pictures";

    r.pdmGrayFlag = 0;
    EXPECT_EQ(PX_PICTURE_COLOR, SummaryPictureCode(&r, FALSE) & 0xFFFF0000u) << "colour";
    r.pdmGrayFlag = 1;
    EXPECT_EQ(PX_PICTURE_GRAY, SummaryPictureCode(&r, FALSE) & 0xFFFF0000u) << "grey from the colour inks";
    r.dm.dmColor = DMCOLOR_MONOCHROME;
    EXPECT_EQ(PX_PICTURE_GRAY, SummaryPictureCode(&r, FALSE) & 0xFFFF0000u) << "grey, black and white";
    r.pdmGrayFlag = 0;
    EXPECT_EQ(0u, SummaryPictureCode(&r, FALSE) & 0xFFFF0000u) << "black and white: neither flag";
}

// The application's user size (1000 x 1361 mm) fitted onto ISO A0 (841 x
// 1189 mm): the width ratio (0.84) is the smaller one, so the page's width
// must fit; the length ratio (0.87) would let it overflow.
TEST(BasicScale, FitToAnOutputSizeKeepsBothSidesOnThePaper)
{
    PrinterHandle printer(PX_PRINTER);
    PageContext *ctx = AllocPageContext();
    ASSERT_TRUE(ctx && InitPageContext(ctx, printer, const_cast<WCHAR *>(PX_PRINTER), NULL));
    PaperEntry page = {}, a0 = {};
    ASSERT_GT(FindPaperByCode(&ctx->paperList, PX_PAPER_USER_SIZE, &page), 0);
    ASSERT_GT(FindPaperByCode(&ctx->paperList, 257, &a0), 0);
    ASSERT_LT(a0.width * 100 / page.width, a0.length * 100 / page.length) << "the sides' ratios";
    ctx->dmCurrent.dm.dmPaperSize = PX_PAPER_USER_SIZE;
    ctx->dmCurrent.pdmOutputSize = 257;
    int32_t scale = 0;
    {
        SheetBindingScope scope(ctx);
        scale = ScaleForOutputSize(ctx);
    }
    ReleasePageContext(ctx);
    EXPECT_LE(page.width * scale / 100, a0.width) << "the width at " << scale << "%";
    EXPECT_GE(scale, 80) << "the page shrinks more than the paper asks";
}
