// The shared page elements that need no window: the numeric edit's parser
// and formatter, the unit conversions, the help tables and loader, the
// summary's margin key and picture code.
#include <gtest/gtest.h>

#include "pages/help.h"
#include "pages/numedit.h"
#include "pages/summary.h"
#include "pages/units.h"

TEST(NumericEdit, ParsesWithThePagesRounding)
{
    const struct { const wchar_t *text; int scale; int32_t value; int result; } cases[] = {
        {L"1.5", 10, 15, 1},      {L"abc", 1, 0, 0},       {L"-0.05", 100, -5, 1},
        {L"12.345", 100, 1235, 1}, {L"-1.255", 100, -125, 1}, {L"12a", 1, 12, 0},
        {L"", 1, 0, 0},           {L"   ", 10, 0, 0},      {L"  7", 1, 7, 1},
        {L"+", 1, 0, 0},          {L"-", 1, 0, 0},         {L".", 10, 0, 0},
        {L".5", 10, 5, 1},        {L"+3", 1, 3, 1},        {L"1.2.3", 10, 12, 0},
        {L"0.04", 10, 0, 1},      {L"0.05", 10, 1, 1},     {L"53.98", 100, 5398, 1},
        {L"5", 7, 5, 1},          {L"2.2", 10, 22, 1},     {L"1-", 1, 1, 0},
    };
    for (const auto &c : cases) {
        int32_t value = -999;
        int result = ParseNumberText(c.text, c.scale, &value);
        EXPECT_EQ(value, c.value) << "text \"" << testing::PrintToString(std::wstring(c.text))
                                  << "\" scale " << c.scale;
        EXPECT_EQ(result, c.result) << "text " << testing::PrintToString(std::wstring(c.text));
    }
    int32_t value = 0;
    EXPECT_EQ(ParseNumberText(L"99999999999999", 100, &value), 1);
    EXPECT_GT(value, 0) << "a number beyond 32 bits saturates instead of wrapping";
}

TEST(NumericEdit, FormatsOneTwoOrNoDecimals)
{
    const struct { int32_t value; int scale; const wchar_t *text; } cases[] = {
        {15, 10, L"1.5"},     {-15, 10, L"-1.5"},   {-5, 10, L"-0.5"}, {5, 100, L"0.05"},
        {-5, 100, L"-0.05"},  {5398, 100, L"53.98"}, {1235, 1, L"1235"}, {-7, 1, L"-7"},
        {505, 100, L"5.05"},  {0, 10, L"0.0"},      {INT32_MIN, 100, L"-21474836.48"},
    };
    for (const auto &c : cases) {
        WCHAR text[PX_NUMBER_TEXT_CHARS];
        FormatNumberText(c.value, c.scale, text, PX_NUMBER_TEXT_CHARS);
        EXPECT_STREQ(text, c.text) << "value " << c.value << " scale " << c.scale;
    }
}

TEST(Units, ConvertWithHalfUpOnTheTenth)
{
    const struct { int32_t mm, inch; } toInch[] = {
        {2100, 827}, {2970, 1169}, {13710, 5398}, {0, 0}, {-2100, -827}, {180000, 70866},
    };
    for (const auto &c : toInch)
        EXPECT_EQ(MillimetreTenthsToInch(c.mm), c.inch) << "from " << c.mm << " tenths of a mm";
    const struct { int32_t inch, mm; } toMm[] = {
        {5398, 13711}, {827, 2101}, {100, 254}, {-100, -254}, {505, 1283}, {1, 3},
    };
    for (const auto &c : toMm)
        EXPECT_EQ(InchToMillimetreTenths(c.inch), c.mm) << "from " << c.inch << " hundredths";
}

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
