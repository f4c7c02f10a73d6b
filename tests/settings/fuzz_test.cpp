// Seeded mutations of both settings files: a load is either refused and
// changes nothing, or takes records only into the slots its counts cover.
// The device mode and the store end at guard pages, so an overrun faults.
#include <gtest/gtest.h>

#include <random>
#include <string.h>

#include "resources/ids_strings.h"
#include "settingsfiles/paramfile.h"
#include "settingsfiles/workfile.h"
#include "tests/settings/settings_util.h"

static std::vector<BYTE> Mutate(std::vector<BYTE> b, std::mt19937 &rng)
{
    static const int16_t extremes[] = {-32768, -1, 0, 1, 2, 3, 20, 21, 22, 28, 29, 32767};
    static const size_t keys[] = {0, 2, 6, 8, 10, 16 + 104, 16 + 112, 16 + 1876, 16 + 1880};
    for (int n = rng() % 4; n > 0; n--) {  // header, count and print-mode fields
        size_t at = keys[rng() % 9];
        int16_t value = rng() % 4 ? extremes[rng() % 12] : (int16_t)rng();
        if (at + 2 <= b.size())
            memcpy(b.data() + at, &value, 2);
    }
    for (int n = rng() % 3; n > 0 && !b.empty(); n--)
        b[rng() % b.size()] = (BYTE)rng();
    if (rng() % 3 == 0)
        b.resize(rng() % (b.size() + 1184));
    return b;
}

TEST(SettingsFileFuzz, MutatedFilesLoadOrChangeNothing)
{
    TestDevMode pristine, t;
    for (int i = 0; i < PX_SETTING_SLOTS; i++) {
        pristine.store->blocks[0][i] = MakeSetting(L"p0", i);
        pristine.store->blocks[1][i] = MakeSetting(L"p1", 40 + i);
    }
    pristine.dm->pdmSettingCount[0] = 5;
    const std::wstring paths[] = {ScratchPath(L"fuzz.OVP"), ScratchPath(L"fuzz.$$$")};
    ASSERT_TRUE(SaveSettingsFile(paths[0].c_str(), pristine.dm, pristine.store));
    ASSERT_TRUE(WriteWorkingSettingsFile(paths[1].c_str(), pristine.dm, pristine.store));
    const std::vector<BYTE> bases[] = {ReadWholeFile(paths[0]), ReadWholeFile(paths[1])};
    std::mt19937 rng(20240611);
    for (int i = 0; i < 5000 && !HasFailure(); i++) {
        const bool paramFile = i % 2 == 0;
        const std::vector<BYTE> file = Mutate(bases[i % 2], rng);
        SCOPED_TRACE(testing::Message() << "iteration " << i << ", " << file.size() << " bytes");
        memcpy(t.dm, pristine.dm, sizeof(PXDEVMODE));
        memcpy(t.store, pristine.store, sizeof(SettingStore));
        ASSERT_TRUE(WriteWholeFile(paths[i % 2], file));
        UINT got = paramFile ? LoadSettingsFile(paths[0].c_str(), t.dm, t.store)
                             : (UINT)ReadWorkingSettingsFile(paths[1].c_str(), t.dm, t.store);
        if (got) {
            ASSERT_TRUE(!paramFile || got == IDS_OVP_DAMAGED || got == IDS_OVP_UNKNOWN_VERSION ||
                        got == IDS_OVP_OTHER_MODEL) << got;
            ASSERT_EQ(t.Bytes(), pristine.Bytes());
            continue;
        }
        for (int block = 0; block < 2; block++) {
            int count = t.dm->pdmSettingCount[block];
            ASSERT_TRUE(SettingCountValid(count)) << "count " << count << " of block " << block;
            for (int slot = count; slot < PX_SETTING_SLOTS; slot++)
                ASSERT_TRUE(SamePrintSetting(t.store->blocks[block][slot],
                                             pristine.store->blocks[block][slot]))
                    << "block " << block << " slot " << slot;
        }
    }
}
