// Placement of a page on the media and the geometry the summary draws.
#include <gtest/gtest.h>
#include <string.h>

#include "devmode/geometry.h"
#include "tests/common/records.h"

static MediaRecord Media(int32_t maxW, int32_t maxL, int32_t minW, int32_t minL)
{
    return MediaRecord{0x182, 0, 0, {}, maxW, maxL, minW, minL, 0x4001, 0x8002, 0};
}

static PaperEntry Paper(int32_t w, int32_t l, uint16_t code = 0x1234)
{
    PaperEntry e = {};
    e.code = code, e.width = w, e.length = l;
    return e;
}

TEST(Placement, FixedRotationIgnoresLimitsAndAutomaticTriesBothWays)
{
    MediaRecord tiny = Media(10, 10, 5, 5);
    PaperEntry huge = Paper(50000, 90000);
    for (int q = 1; q <= 4; q++) {
        EXPECT_EQ(0x4001, ChoosePlacementCode(&tiny, &huge, 0, q)) << "upright, rotation " << q;
        EXPECT_EQ(0x8002, ChoosePlacementCode(&tiny, &huge, 1, q)) << "turned, rotation " << q;
    }
    MediaRecord roll = Media(2000, 500000, 1000, 1000);
    PaperEntry both = Paper(1500, 1800), upright = Paper(1500, 4000), turned = Paper(4000, 1500);
    EXPECT_EQ(ChoosePlacementCode(&roll, &both, 1, 0), 0x8002);
    EXPECT_EQ(ChoosePlacementCode(&roll, &upright, 1, 0), 0x4001);
    EXPECT_EQ(ChoosePlacementCode(&roll, &turned, 0, 0), 0x8002);
    PaperEntry small = Paper(500, 3000);
    EXPECT_EQ(ChoosePlacementCode(&roll, &small, 0, 0), 0x1234);
    roll.keepPaperCode = 1;
    EXPECT_EQ(ChoosePlacementCode(&roll, &turned, 0, 2), 0x1234);

    // Too large either way: the placement that keeps more of the page.
    MediaRecord sheet = Media(1000, 1500, 100, 100);
    PaperEntry wide = Paper(2000, 1200), tall = Paper(1200, 2000);
    EXPECT_EQ(ChoosePlacementCode(&sheet, &wide, 0, 0), 0x8002);
    EXPECT_EQ(ChoosePlacementCode(&sheet, &tall, 1, 0), 0x4001);
}

TEST(Geometry, ScaleDecidesThePlacementOnlyWhenNotOneHundred)
{
    MediaRecord roll = Media(2000, 500000, 1000, 1000);
    MarginRecord margin = {};
    PageGeometry g;
    for (int scale : {100, 0, 50}) {
        PaperEntry e = Paper(3000, 4000, 0x4001);
        ComputePageGeometry(&e, &margin, &roll, 1, scale, 1, &g, 0);
        EXPECT_EQ(e.code & PX_PLACE_CLASS_MASK, scale == 50 ? 0x8000 : 0x4000) << scale;
    }
}

TEST(Geometry, UprightTurnedAndClasslessPagesWorkedThrough)
{
    MediaRecord roll = Media(13710, 500000, 1000, 1000);
    MarginRecord margin = {};
    margin.lengthEnds[0] = 50, margin.lengthEnds[1] = 60;
    margin.widthSides[0] = 25, margin.widthSides[1] = 35;
    PaperEntry a4 = Paper(2100, 2970, 0x4001);
    a4.marginTop = 10, a4.marginBottom = 20, a4.marginLeft = 30, a4.marginRight = 40;
    PageGeometry g;

    PaperEntry e = a4;
    ComputePageGeometry(&e, &margin, &roll, 0, 100, 1, &g, 1);
    const PageGeometry upright = {1, 1, 0, 0, 2100, 2970, 30, 50, 2030, 2860, 0, 5, 5};
    EXPECT_TRUE(SameGeometry(g, upright)) << "upright";
    e = a4;
    ComputePageGeometry(&e, &margin, &roll, 1, 100, 1, &g, 3);
    const PageGeometry turned = {(int32_t)0xFF000020, (int32_t)0xFF000002, 0, 0, 2100, 2970,
                                 60, 25, 1990, 2910, 0, 0, 0};
    EXPECT_TRUE(SameGeometry(g, turned)) << "turned";
    EXPECT_EQ(e.code, 0x8002);
    e = a4;  // class 0x8000, not turned: the orientation on the media flips
    ComputePageGeometry(&e, &margin, &roll, 1, 100, 1, &g, 1);
    EXPECT_EQ(g.mediaOrientation, 2);
    EXPECT_EQ(g.pageExtentX, 2100);

    e = a4;  // paper margins beyond the media's: the top one leads down the length
    e.marginTop = 100, e.marginBottom = 300;
    MarginRecord none = {};
    ComputePageGeometry(&e, &none, &roll, 0, 100, 1, &g, 1);
    EXPECT_EQ(g.printableOffsetY, 100) << "the top margin";
    EXPECT_EQ(g.cutLengthEnd, 100) << "cut at the end of the length by the top margin";

    roll.uprightCode = 0x4801;  // asks for the media's printable size
    e = a4;
    ComputePageGeometry(&e, &margin, &roll, 0, 100, 1, &g, 1);
    EXPECT_EQ(g.mediaPrintableWidth, 2040);
    EXPECT_EQ(g.mediaPrintableLength, 2860);

    roll.keepPaperCode = 1;  // a code with no class is placed upright
    e = a4;
    e.code = 0x0001;
    ComputePageGeometry(&e, &margin, &roll, 0, 100, 2, &g, 1);
    EXPECT_EQ(g.mediaOrientation, 2);
    EXPECT_EQ(g.pageExtentX, 2970);
    EXPECT_EQ(g.placementFlags, 2);
}
