// The live page contexts: what a page accepts as its context.
#include <gtest/gtest.h>

#include "context/pagecontext.h"

// A released context is refused from then on, and its release frees its
// place: a process that opens and closes sheets one after another all day
// keeps getting sheets whose pages accept their context.
TEST(PageContexts, ReleasedOnesAreRefusedAndMakeRoomForNewOnes)
{
    for (int i = 0; i < 100; i++) {
        PageContext *ctx = AllocPageContext();
        ASSERT_NE(ctx, nullptr);
        ASSERT_TRUE(IsLivePageContext(ctx)) << "sheet " << i << ", opened after " << i << " closed";
        ReleasePageContext(ctx);
        ASSERT_FALSE(IsLivePageContext(ctx)) << "sheet " << i << "'s context accepted after release";
    }
}
