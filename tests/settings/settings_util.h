// Shared helpers of the settings suite: a device mode with a store in
// guarded memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/settingstore.h"
#include "tests/common/guardpage.h"
#include "tests/common/paths.h"
#include "tests/common/records.h"

// The built-in defaults with the presets installed; the reference data
// driver is bound so that applying settings can search it. The store is a
// live one that ends at a guard page.
struct TestDevMode {
    Guarded record{sizeof(PXDEVMODE)};
    PXDEVMODE *dm;
    SettingStore *store;
    TestDevMode();
    ~TestDevMode();
    TestDevMode(const TestDevMode &) = delete;
    TestDevMode &operator=(const TestDevMode &) = delete;
    // The device mode followed by the store, to prove a refusal changed nothing.
    std::vector<BYTE> Bytes() const;
};

// A record with every field set from a seed, so records can be told apart.
PrintSetting MakeSetting(const WCHAR *name, int seed);
