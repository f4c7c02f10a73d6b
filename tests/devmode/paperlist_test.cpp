// The paper list: which papers and forms it offers, and the lookups on it.
#include "devmode/forms.h"
#include "tests/devmode/helpers.h"

static const PxUserSize kPairs[6] = {{1001, 2001}, {1002, 2002}, {1003, 2003},
                                     {1004, 2004}, {1005, 2005}, {1006, 2006}};

static int PapersBeforeForms(const PaperList &list)
{
    int papers = 0;
    while (papers < PaperCount(&list) && list.entries[papers].series != 0)
        papers++;
    return papers;
}

TEST(PaperList, NegativeCountAddsFittingFormsAfterThePapers)
{
    BoundPrinter printer(PX_PRINTER);
    ASSERT_TRUE(printer.bound);
    PaperList list = {};
    ASSERT_TRUE(BuildPaperList(printer.handle, 0x182, &list, 0x80000002u, kPairs, 6));
    int papers = PapersBeforeForms(list), pair = 0;
    EXPECT_GT(PaperCount(&list), papers);
    for (int i = 0; i < PaperCount(&list); i++) {
        const PaperEntry &e = list.entries[i];
        if (i >= papers) {
            EXPECT_EQ(e.series, 0u) << "form " << i;
            EXPECT_EQ(e.paperSize, 0) << "form " << i;
            EXPECT_LE(e.width - 10, 13710) << "form " << i << " width";
        } else if (e.series & PX_SERIES_USER) {
            EXPECT_EQ(e.width, kPairs[pair].width) << "user size " << pair;
            EXPECT_EQ(e.length, kPairs[pair].length) << "user size " << pair;
            pair++;
        }
    }
    EXPECT_EQ(pair, 6);

    // A series that matches no paper fails even though forms exist.
    EXPECT_FALSE(BuildPaperList(printer.handle, 0x182, &list, 0x10000000u, kPairs, 6));
    EXPECT_EQ(list.built, 0u) << "built";
    EXPECT_EQ(list.count, 0) << "count";
    EXPECT_EQ(list.entries, nullptr) << "entries";

    BoundPrinter positive(PX_PRINTER_POSITIVE);
    ASSERT_TRUE(positive.bound);
    ASSERT_TRUE(BuildPaperList(positive.handle, 0x182, &list, 0x80000002u, kPairs, 6));
    EXPECT_EQ(PaperCount(&list), papers);
    EXPECT_EQ(PapersBeforeForms(list), papers);
    ReleasePaperList(&list);
}

static PaperEntry Entry(int32_t w, int32_t l, uint32_t series = 0, uint16_t paperSize = 0,
                        const WCHAR *name = L"")
{
    PaperEntry e = {};
    e.width = w, e.length = l, e.series = series, e.paperSize = paperSize;
    wcsncpy(e.name, name, PX_NAME_CHARS);
    return e;
}

TEST(PaperList, AFormsMarginsAreWhatItsImageableAreaLeavesOnEachSide)
{
    // 210 x 297 mm in thousandths of a millimetre.
    FORM_INFO_1W form = {0, const_cast<WCHAR *>(L"Form"), {210000, 297000}, {100, 200, 209000, 296000}};
    PaperEntry e;
    FormToEntry(&form, 0x4001, &e);
    EXPECT_EQ(e.width, 2100);
    EXPECT_EQ(e.length, 2970);
    EXPECT_EQ(e.marginLeft, 1) << "left";
    EXPECT_EQ(e.marginTop, 2) << "top";
    EXPECT_EQ(e.marginRight, 10) << "right";
    EXPECT_EQ(e.marginBottom, 10) << "bottom";
}

TEST(PaperList, FormFilterDropsDuplicatesAndPlacesByMedia)
{
    PaperEntry a4 = Entry(2100, 2970), form = Entry(2101, 2969);
    MediaRecord roll = {0x182, 0, 0, {}, 13710, 500000, 0, 0, 0x4001, 0x8002, 0};
    EXPECT_EQ(FilterForm(0x182, &roll, &a4, 1, &form), 0);
    form.marginTop = 1;
    EXPECT_EQ(FilterForm(0x182, &roll, &a4, 1, &form), 0x4001) << "other margins: not a duplicate";
    form = Entry(2111, 2970);
    EXPECT_EQ(FilterForm(0x182, &roll, &a4, 1, &form), 0x4001);
    EXPECT_EQ(FilterForm(0x382, &roll, &a4, 1, &form), 0x8002) << "source flag 0x200 turns forms";
    form = Entry(13721, 20000);
    EXPECT_EQ(FilterForm(0x182, &roll, &a4, 1, &form), 0);

    MediaRecord sheet = {0x111, 0, 0, {}, 10300, 14560, 2100, 2970, 0x6001, 0xA002, 0};
    form = Entry(3000, 2100);  // too short upright, fits turned
    EXPECT_EQ(FilterForm(0x111, &sheet, &a4, 0, &form), 0xA002);
    form = Entry(1000, 1000);
    EXPECT_EQ(FilterForm(0x111, &sheet, &a4, 0, &form), 0);
    sheet.code = 0x131;  // not a kind that takes forms
    form = Entry(3000, 4000);
    EXPECT_EQ(FilterForm(0x131, &sheet, &a4, 0, &form), 0);
}

TEST(PaperList, LookupsAndUserSizeBinding)
{
    PaperEntry entries[5] = {Entry(100, 200, PX_SERIES_USER, 366), Entry(2100, 2970, 2, 261, L"ISO A4"),
                             Entry(100, 200, PX_SERIES_USER, 367), Entry(100, 200, PX_SERIES_USER, 256),
                             Entry(2100, 2970, 0, 0, L"iso a4")};
    PaperList list = {1, 5, entries};
    PaperEntry out = Entry(9, 9);
    EXPECT_EQ(0, PaperEntryAt(&list, 0, &out)) << "index 0";
    EXPECT_EQ(0, PaperEntryAt(&list, 6, &out)) << "index past the count";
    EXPECT_EQ(out.width, 9);
    EXPECT_EQ(FindPaperByName(&list, L"iso a4", &out), 5) << "case-sensitive";
    EXPECT_EQ(FindPaperBySize(&list, 2970, 2100, &out), 0);
    EXPECT_EQ(FindLastUserSize(&list, &out), 4);

    BindUserSizes(&list, kPairs, 6);  // three user-size entries take three pairs
    EXPECT_EQ(1001, entries[0].width);
    EXPECT_EQ(1002, entries[2].width);
    EXPECT_EQ(1003, entries[3].width);
    EXPECT_EQ(entries[1].width, 2100);
    PxUserSize one = {7, 8};
    BindUserSizes(&list, &one, 1);
    EXPECT_EQ(7, entries[0].width);
    EXPECT_EQ(1002, entries[2].width) << "a pair not given leaves its entry";

    PXDEVMODE dm = {};
    PaperEntry longName = Entry(70000, 2970);
    wmemset(longName.name, L'n', PX_NAME_CHARS);
    SetRecordPaper(&dm, &longName);
    EXPECT_EQ(wmemcmp(dm.dm.dmFormName, longName.name, 32), 0);
    EXPECT_EQ(dm.dm.dmPaperWidth, (short)(70000 & 0xFFFF));
}
