// The page elements that need no window: the help tables and loader, the
// summary's margin key and picture code.
#include <gtest/gtest.h>

#include "pages/pagehelp.h"
#include "pages/summary.h"
#include "widgets/help.h"

static std::vector<std::pair<UINT, DWORD_PTR>> g_helpCalls;
static const WCHAR *g_helpFile;

static HWND WINAPI RecordHelp(HWND, LPCWSTR file, UINT command, DWORD_PTR data)
{
    g_helpFile = file;
    g_helpCalls.push_back({command, data});
    return (HWND)1;
}

TEST(Help, TopicsComeFromThePageTablesOrTheGeneralTopic)
{
    EXPECT_EQ(TopicOfControl(kBasicPageHelp, 11109), 25) << "scale edit and its arrows";
    EXPECT_EQ(TopicOfControl(kBasicPageHelp, 11002), 1) << "a summary line";
    EXPECT_EQ(TopicOfControl(kOptionPageHelp, 11217), 0) << "crop marks";
    EXPECT_EQ(TopicOfControl(kSetupPageHelp, 11309), 106);
    EXPECT_EQ(TopicOfControl(kSetupPageHelp, 11306), 1) << "a group box is in no table";
    EXPECT_EQ(TopicOfControl(kOptionPageHelp, 0), 1) << "the end row is never a match";

    g_helpCalls.clear();
    SetHelpEntryForTesting(RecordHelp);
    ShowHelpTopic(NULL, L"C:\\help.chm", 122);
    ShowHelpTopic(NULL, NULL, 1);
    SetHelpEntryForTesting(NULL);
    ASSERT_EQ(g_helpCalls.size(), 2u);
    EXPECT_EQ(g_helpCalls[0].first, 15u) << "HH_HELP_CONTEXT";
    EXPECT_EQ(g_helpCalls[0].second, 122u);
    EXPECT_EQ(g_helpFile, nullptr) << "a missing help file is passed on as it is";
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
        EXPECT_EQ(SummaryMarginKey(&r), c.key)
            << "source " << c.source << " kind " << c.kind << " margin mode " << c.marginMode;
    }
}

TEST(Summary, PictureCodeNamesOneOfTheSixteenPictures)
{
    PXDEVMODE r = {};
    const struct {
        short orientation, rotation;
        uint32_t noMirror, gray;
        short color;
        BOOL across;
        uint32_t code;
    } cases[] = {
        {1, 2, 1, 0, 2, FALSE, 0x80000501u},  // portrait, 90 degrees: roll family
        {1, 3, 1, 0, 2, FALSE, 0x80000501u},
        {1, 4, 1, 0, 2, FALSE, 0x80000201u},
        {2, 3, 0, 0, 2, TRUE, 0x80000506u},   // landscape, mirrored, across the roll
        {2, 1, 1, 1, 2, FALSE, 0x40000200u},  // grey from the colour inks
        {2, 0, 1, 0, 1, FALSE, 0x00000200u},  // black and white: neither flag
        {2, 0, 1, 1, 1, FALSE, 0x40000200u},
    };
    for (const auto &c : cases) {
        r.dm.dmOrientation = c.orientation;
        r.pdmRotation = c.rotation;
        r.pdmNoMirror = c.noMirror;
        r.pdmGrayFlag = c.gray;
        r.dm.dmColor = c.color;
        uint32_t code = SummaryPictureCode(&r, c.across);
        EXPECT_EQ(code, c.code) << "orientation " << c.orientation << " rotation " << c.rotation
                                << " mirror " << !c.noMirror << " gray " << c.gray;
        uint32_t id = code & PX_PICTURE_ID_MASK;
        EXPECT_TRUE((id >= 512 && id <= 519) || (id >= 1280 && id <= 1287)) << "picture " << id;
    }
}
