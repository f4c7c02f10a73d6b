#include "tests/settings/settings_util.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include "core/binding.h"
#include "devmode/template.h"
#include "settings/presets.h"
#include "tests/common/printers.h"

TestDevMode::TestDevMode()
    : dm(record.as<PXDEVMODE>()), store(NewSettingStoreWith(AllocGuardedBlock, FreeGuardedBlock))
{
    PrinterHandle printer(PX_PRINTER);
    PrinterInfoRecord info = {};
    EXPECT_TRUE(BindAndCheck(printer, &info)) << "reference printer not bound";
    CopyBuiltInTemplate(dm);
    EXPECT_TRUE(AttachSettingStore(dm, store)) << "store not live";
    InstallPresets(dm);
}

TestDevMode::~TestDevMode() { FreeSettingStore(store); }

std::vector<BYTE> TestDevMode::Bytes() const
{
    std::vector<BYTE> bytes(sizeof(PXDEVMODE) + sizeof(SettingStore));
    memcpy(bytes.data(), dm, sizeof(PXDEVMODE));
    memcpy(bytes.data() + sizeof(PXDEVMODE), store, sizeof(SettingStore));
    return bytes;
}

PrintSetting MakeSetting(const WCHAR *name, int seed)
{
    PrintSetting s = {};
    lstrcpynW(s.name, name, PX_SETTING_NAME_CHARS);
    s.printMode = static_cast<uint16_t>(seed % 29);
    s.dataResolution = static_cast<int16_t>(seed % 12);
    s.colorMode = s.grayLevels = s.useCorrection = 1;
    s.colorCorrection = static_cast<int16_t>(seed % 4);
    s.icmEnabled = s.editable = 1;
    swprintf(s.imageProfile, PX_PATH_CHARS, L"image-%d.icm", seed);
    swprintf(s.printerProfile, PX_PATH_CHARS, L"printer-%d.icm", seed);
    int16_t *adjust = &s.cyanRed;
    for (int i = 0; i < 10; i++)
        adjust[i] = static_cast<int16_t>((seed * 7 + i) % 101 - 50);
    s.gamma = static_cast<int16_t>(seed % 22 + 1);
    s.totalInkLimit = static_cast<int16_t>(seed % 400 + 1);
    s.effect = static_cast<uint16_t>(seed % 34);
    return s;
}
