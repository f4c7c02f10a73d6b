// The settings store fields of a device mode are addresses inside the
// process that set them. A record from an application, the spooler or a
// file brings whatever values it had there: every entry point carries them
// and none follows them. The values below fault on any read (an address in
// a released reservation, one in a guard page, and on x64 a non-canonical
// one), so following them ends the test; the answers must also be exactly
// those for the same record without them.
#include <gtest/gtest.h>

#include <windows.h>
#include <string.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "devmode/devmode.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/common/records.h"
#include "tests/robustness/world.h"

namespace {

struct StoreFields {
    std::string name;
    uint32_t low, high;
};

StoreFields FieldsFor(const char *name, const void *address)
{
    uint64_t a = reinterpret_cast<uintptr_t>(address);
    return {name, static_cast<uint32_t>(a), static_cast<uint32_t>(a >> 32)};
}

void PutStoreFields(PXDEVMODE *record, const StoreFields &f)
{
    record->pdmSettingStoreHandle = record->pdmSettingStore = f.low;
    record->reserved2812 = record->reserved2820 = f.high;
}

// What each entry point answered for one input record.
struct Answers {
    LONG documentProperties;
    PXDEVMODE documentOut;
    LONG papers, resolutions;
    std::vector<BYTE> paperList, resolutionList;
    BOOL converted;
    PXDEVMODE convertOut;
    BOOL jobFits;
    std::wstring jobReason;
    BOOL profile;
    ULONG profileBytes;
    FLONG profileFlags;
    std::wstring profileName;
};

std::vector<BYTE> Capability(WORD index, DWORD count, size_t element, const PXDEVMODE *in)
{
    std::vector<BYTE> out(count * element + 16, 0xCC);
    DeviceCapabilitiesW(PX_PRINTER, L"FILE:", index, reinterpret_cast<WCHAR *>(out.data()), &in->dm);
    return out;
}

void Answer(const World *w, HANDLE printer, const PXDEVMODE &input, Answers *a)
{
    PXDEVMODE in = input;  // a copy each time: no call may depend on another's changes
    memset(&a->documentOut, 0, sizeof a->documentOut);
    a->documentProperties = DocumentPropertiesW(NULL, printer, const_cast<WCHAR *>(PX_PRINTER),
                                                &a->documentOut.dm, &in.dm,
                                                DM_IN_BUFFER | DM_OUT_BUFFER);
    in = input;
    a->papers = DeviceCapabilitiesW(PX_PRINTER, L"FILE:", DC_PAPERS, NULL, &in.dm);
    a->paperList = Capability(DC_PAPERS, a->papers > 0 ? a->papers : 0, sizeof(WORD), &in);
    a->resolutions = DeviceCapabilitiesW(PX_PRINTER, L"FILE:", DC_ENUMRESOLUTIONS, NULL, &in.dm);
    a->resolutionList = Capability(DC_ENUMRESOLUTIONS, a->resolutions > 0 ? a->resolutions : 0,
                                   2 * sizeof(LONG), &in);

    in = input;
    a->convertOut = w->merged;
    LONG needed = sizeof a->convertOut;
    a->converted = w->exports.DrvConvertDevMode(const_cast<WCHAR *>(PX_PRINTER), &in.dm,
                                             &a->convertOut.dm, &needed, CDM_CONVERT);

    in = input;
    WCHAR reason[128] = L"";
    DEVQUERYPRINT_INFO info = {sizeof info, 1, printer, &in.dm, reason, sizeof reason, 0};
    a->jobFits = w->exports.DevQueryPrintEx(&info);
    a->jobReason = reason;

    in = input;
    WCHAR profile[MAX_PATH] = L"";
    a->profileBytes = sizeof profile;
    a->profileFlags = 0;
    a->profile = w->exports.DrvQueryColorProfile(printer, &in.dm, QCP_DEVICEPROFILE, profile,
                                              &a->profileBytes, &a->profileFlags);
    a->profileName = profile;
}

void ExpectSameAnswers(const Answers &clean, const Answers &got, const StoreFields &f)
{
    SCOPED_TRACE("store fields " + f.name);
    EXPECT_EQ(got.documentProperties, clean.documentProperties) << "DocumentPropertiesW result";
    EXPECT_TRUE(SameSettings(got.documentOut, clean.documentOut)) << "DocumentPropertiesW output";
    EXPECT_EQ(got.documentOut.pdmSettingStore, f.low) << "pdmSettingStore carried by DocumentPropertiesW";
    EXPECT_EQ(got.documentOut.pdmSettingStoreHandle, f.low) << "pdmSettingStoreHandle carried";
    EXPECT_EQ(got.papers, clean.papers) << "DC_PAPERS count";
    EXPECT_EQ(got.paperList, clean.paperList) << "DC_PAPERS list";
    EXPECT_EQ(got.resolutions, clean.resolutions) << "DC_ENUMRESOLUTIONS count";
    EXPECT_EQ(got.resolutionList, clean.resolutionList) << "DC_ENUMRESOLUTIONS list";
    EXPECT_EQ(got.converted, clean.converted) << "DrvConvertDevMode result";
    EXPECT_TRUE(SameSettings(got.convertOut, clean.convertOut)) << "DrvConvertDevMode output";
    EXPECT_EQ(got.jobFits, clean.jobFits) << "DevQueryPrintEx result";
    EXPECT_EQ(got.jobReason, clean.jobReason) << "DevQueryPrintEx reason";
    EXPECT_EQ(got.profile, clean.profile) << "DrvQueryColorProfile result";
    EXPECT_EQ(got.profileBytes, clean.profileBytes) << "DrvQueryColorProfile size";
    EXPECT_EQ(got.profileFlags, clean.profileFlags) << "DrvQueryColorProfile flags";
    EXPECT_EQ(got.profileName, clean.profileName) << "DrvQueryColorProfile profile";
}

TEST(StoreFields, EntryPointsCarryForeignStoreAddressesWithoutFollowingThem)
{
    World *w = TheWorld();
    ASSERT_TRUE(w->ready);
    PrinterHandle printer(PX_PRINTER);
    ASSERT_TRUE(printer.handle != NULL);

    // A reservation given back, and the guard page after a buffer.
    void *released = VirtualAlloc(NULL, 65536, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_TRUE(released != NULL);
    VirtualFree(released, 0, MEM_RELEASE);
    Guarded guarded(64);
    const StoreFields garbage[] = {
        {"0x41414141", 0x41414141u, 0x41414141u},
        FieldsFor("released block", released),
        FieldsFor("guard page", guarded.buffer.data + guarded.buffer.size),
    };

    PXDEVMODE clean = w->merged;
    PutStoreFields(&clean, {"none", 0, 0});
    static Answers expected, got;
    Answer(w, printer, clean, &expected);
    ASSERT_EQ(expected.documentProperties, IDOK) << "DocumentPropertiesW on the clean record";
    ASSERT_TRUE(expected.converted) << "DrvConvertDevMode on the clean record";

    for (const StoreFields &f : garbage) {
        PXDEVMODE record = w->merged;
        PutStoreFields(&record, f);
        Answer(w, printer, record, &got);
        ExpectSameAnswers(expected, got, f);
    }
}

}  // namespace
