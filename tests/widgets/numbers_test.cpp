// The shared widgets that need no window: the numeric edit's parser and
// formatter and the unit conversions.
#include <gtest/gtest.h>

#include "widgets/numedit.h"
#include "widgets/units.h"

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
