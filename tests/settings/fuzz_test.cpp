// Seeded mutations of both settings files: every load either succeeds as
// the format's rules say or is refused and changes nothing.
#include <gtest/gtest.h>

#include <random>
#include <string.h>

#include "resources/resource.h"
#include "settingsfiles/paramfile.h"
#include "settingsfiles/workfile.h"
#include "tests/settings/settings_util.h"

static int16_t I16(const std::vector<BYTE> &b, size_t at)
{
    // Bytes beyond the end read as zero, as the loaders read them.
    uint16_t v = 0;
    if (at < b.size())
        v = b[at];
    if (at + 1 < b.size())
        v |= (uint16_t)(b[at + 1] << 8);
    return (int16_t)v;
}

static bool InRange(int count)
{
    return count >= 0 && count <= 21;
}

struct Outcome {
    UINT message;      // parameter file: 0 or the message; working file: 0 or 1
    int counts[2];
    int version;
};

// The rules of the parameter file, read straight from the bytes.
static Outcome ExpectedParam(const std::vector<BYTE> &b)
{
    Outcome o = {0, {0, 0}, I16(b, 2)};
    if (o.version > 2)
        return {IDS_OVP_UNKNOWN_VERSION, {0, 0}, 0};
    if ((uint16_t)I16(b, 0) != 2501)
        return {IDS_OVP_OTHER_MODEL, {0, 0}, 0};
    o.counts[0] = o.version == 2 ? I16(b, 16 + 1876) : I16(b, 16 + 104);
    o.counts[1] = o.version == 2 ? I16(b, 16 + 1880) : 0;
    int printMode = I16(b, 16 + 112);
    if (!InRange(o.counts[0]) || !InRange(o.counts[1]) || printMode < 0 || printMode > 28)
        o.message = IDS_OVP_DAMAGED;
    return o;
}

static Outcome ExpectedWork(const std::vector<BYTE> &b)
{
    Outcome o = {1, {0, 0}, I16(b, 2)};
    if (b.size() < 16 || o.version > 2 || (uint16_t)I16(b, 0) != 2501)
        return o;
    o.counts[0] = o.version == 2 ? I16(b, 8) : I16(b, 6);
    o.counts[1] = o.version == 2 ? I16(b, 10) : 0;
    if (InRange(o.counts[0]) && InRange(o.counts[1]) &&
        b.size() == 16 + 1184u * (o.counts[0] + o.counts[1]))
        o.message = 0;
    return o;
}

static std::vector<BYTE> Mutate(std::vector<BYTE> b, std::mt19937 &rng, bool paramFile)
{
    static const int16_t extremes[] = {-32768, -1, 0, 1, 2, 3, 20, 21, 22, 28, 29, 32767};
    const size_t keys[] = {0, 2, 6, 8, 10, 16 + 104, 16 + 112, 16 + 1876, 16 + 1880};
    int kind = rng() % 5;
    if (kind == 0) {
        b.resize(rng() % (b.size() + 1));
    } else if (kind == 1) {
        size_t extra = 1 + rng() % 3000;
        for (size_t i = 0; i < extra; i++)
            b.push_back((BYTE)rng());
    } else if (kind == 2 && !b.empty()) {
        for (int n = 1 + rng() % 16; n > 0; n--)
            b[rng() % (rng() % 2 ? b.size() : std::min<size_t>(b.size(), 2072))] = (BYTE)rng();
    } else {
        for (int n = 1 + rng() % 3; n > 0; n--) {
            size_t at = keys[rng() % (paramFile ? 9 : 5)];
            int16_t value = rng() % 4 ? extremes[rng() % 12] : (int16_t)rng();
            if (at + 2 <= b.size())
                memcpy(b.data() + at, &value, 2);
        }
        if (kind == 4)
            b.resize(rng() % 2 ? b.size() + rng() % 1184 : rng() % (b.size() + 1));
    }
    return b;
}

// Loads the file into a fresh device mode and store and checks the outcome
// against the rules.
static void CheckLoad(const std::vector<BYTE> &file, bool paramFile, const TestDevMode &pristine,
                      TestDevMode &t, int iteration)
{
    memcpy(t.dm, pristine.dm, sizeof(PXDEVMODE));
    memcpy(t.store, pristine.store, sizeof(SettingStore));
    std::wstring path = ScratchPath(paramFile ? L"fuzz.OVP" : L"fuzz.$$$");
    ASSERT_TRUE(WriteWholeFile(path, file));
    Outcome expected = paramFile ? ExpectedParam(file) : ExpectedWork(file);
    UINT got = paramFile ? LoadSettingsFile(path.c_str(), t.dm, t.store)
                         : (ReadWorkingSettingsFile(path.c_str(), t.dm, t.store) == WORKFILE_OK ? 0 : 1);
    ASSERT_EQ(got, expected.message) << "iteration " << iteration << ", " << file.size() << " bytes";
    if (got) {
        ASSERT_EQ(memcmp(t.dm, pristine.dm, sizeof(PXDEVMODE)), 0) << "iteration " << iteration;
        ASSERT_EQ(memcmp(t.store, pristine.store, sizeof(SettingStore)), 0) << "iteration " << iteration;
        return;
    }
    size_t at = paramFile ? 2072 : 16;
    std::vector<BYTE> padded(file);
    padded.resize(std::max(file.size(), at + 1184u * (expected.counts[0] + expected.counts[1])));
    for (int block = 0; block < 2; block++) {
        for (int slot = 0; slot < 21; slot++) {
            bool fromFile = slot < expected.counts[block];
            const void *want = fromFile ? static_cast<const void *>(padded.data() + at + 1184 * slot)
                                        : &pristine.store->blocks[block][slot];
            if (block == 1 && !paramFile && expected.version != 2 && slot < 2)
                continue;  // the named presets
            ASSERT_EQ(memcmp(&t.store->blocks[block][slot], want, 1184), 0)
                << "iteration " << iteration << " block " << block << " slot " << slot;
        }
        at += 1184 * expected.counts[block];
    }
    EXPECT_EQ(t.dm->pdmSettingCount[0], expected.counts[0]);
    if (expected.version == 2) {
        EXPECT_EQ(t.dm->pdmSettingCount[1], expected.counts[1]);
    }
}

static void FuzzFormat(bool paramFile, unsigned seed)
{
    TestDevMode pristine, t;
    for (int i = 0; i < PX_SETTING_SLOTS; i++) {
        pristine.store->blocks[0][i] = MakeSetting(L"p0", i);
        pristine.store->blocks[1][i] = MakeSetting(L"p1", 40 + i);
    }
    std::vector<std::vector<BYTE>> bases;
    std::wstring path = ScratchPath(L"base");
    for (int version : {2, 1}) {
        for (int counts : {0, 5}) {
            pristine.dm->pdmSettingCount[0] = (int16_t)counts;
            pristine.dm->pdmSettingCount[1] = (int16_t)(counts / 2);
            ASSERT_TRUE(paramFile ? SaveSettingsFile(path.c_str(), pristine.dm, pristine.store)
                                  : WriteWorkingSettingsFile(path.c_str(), pristine.dm, pristine.store));
            std::vector<BYTE> base = ReadWholeFile(path);
            if (version == 1) {  // an older file: one paper type, legacy count
                int16_t legacy = (int16_t)counts, one = 1;
                memcpy(base.data() + 2, &one, 2);
                memcpy(base.data() + (paramFile ? 16 + 104 : 6), &legacy, 2);
                base.resize((paramFile ? 2072 : 16) + 1184 * counts);
            }
            bases.push_back(base);
        }
    }
    pristine.dm->pdmSettingCount[0] = 4;
    pristine.dm->pdmSettingCount[1] = 9;
    std::mt19937 rng(seed);
    for (const auto &base : bases)
        CheckLoad(base, paramFile, pristine, t, -1);
    for (int i = 0; i < 2500 && !testing::Test::HasFatalFailure(); i++)
        CheckLoad(Mutate(bases[rng() % bases.size()], rng, paramFile), paramFile, pristine, t, i);
}

TEST(SettingsFileFuzz, ParameterFileMutations)
{
    FuzzFormat(true, 20240611);
}

TEST(SettingsFileFuzz, WorkingFileMutations)
{
    FuzzFormat(false, 20240612);
}
