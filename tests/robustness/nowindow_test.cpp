// The spooler calls the window-less entry points in its own context, where
// no window may appear: a CBT hook on the calling thread counts (and stops)
// every window created during them, on good and bad input. The spooler's
// own paths (DeviceCapabilitiesW, DocumentPropertiesW without a prompt) end
// in the same entry points with the same modes, so they are called directly.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include "tests/robustness/calls.h"
#include "tests/robustness/world.h"

namespace {

LONG g_windowsCreated;

LRESULT CALLBACK CountWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        InterlockedIncrement(&g_windowsCreated);
        return 1;  // refused: a message box fails instead of waiting for a click
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

struct CbtHook {
    HHOOK hook;
    CbtHook() : hook(SetWindowsHookExW(WH_CBT, CountWindows, NULL, GetCurrentThreadId())) {}
    ~CbtHook()
    {
        if (hook)
            UnhookWindowsHookEx(hook);
    }
    CbtHook(const CbtHook &) = delete;
    CbtHook &operator=(const CbtHook &) = delete;
};

TEST(NoWindow, WindowLessEntryPointsCreateNoWindowOnGoodOrBadInput)
{
    World *w = TheWorld();
    ASSERT_TRUE(w->ready);
    const unsigned kRounds = 6 * 4 * 3;  // every printer with every record, three times
    CbtHook hook;
    ASSERT_TRUE(hook.hook != NULL);
    // The hook works: a window created here is counted.
    g_windowsCreated = 0;
    EXPECT_EQ(NULL, CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, NULL, NULL, NULL, NULL));
    ASSERT_EQ(1, g_windowsCreated);

    for (int e = 0; e < kEntryCallCount; e++) {
        g_windowsCreated = 0;
        for (unsigned i = 0; i < kRounds; i++)
            kEntryCalls[e].call(&w->exports, i);
        EXPECT_EQ(0, g_windowsCreated) << kEntryCalls[e].name;
    }
    // No header at all is refused without a window either.
    g_windowsCreated = 0;
    EXPECT_EQ(-1, w->exports.DrvDocumentPropertySheets(NULL, 0));
    EXPECT_EQ(0, g_windowsCreated);
}

}  // namespace
