// Suites whose tests create windows need a display; without one (not run
// under xvfb-run) those tests are skipped rather than failed.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

bool DisplayAvailable();

class DisplayTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!DisplayAvailable())
            GTEST_SKIP() << "no display: run under xvfb-run";
    }
};
