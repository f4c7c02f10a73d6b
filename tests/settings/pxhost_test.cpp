// pxhost's settings-file commands, run as a script would run them.
#include <gtest/gtest.h>

#include <string.h>

#include <nlohmann/json.hpp>

#include "devmode/template.h"
#include "tests/common/pxhostrun.h"
#include "tests/settings/settings_util.h"

namespace {

// The built-in record with print mode 7, written as a raw device mode file
// (cut short by `shortBy` bytes); the name of the settings file to write.
std::wstring RecordFile(size_t shortBy = 0)
{
    PXDEVMODE dm;
    CopyBuiltInTemplate(&dm);
    dm.dm.dmDriverExtra = PX_DM_DRIVER_EXTRA;
    dm.pdmPrintMode = 7;
    std::wstring path = ScratchPath(L"record.bin");
    EXPECT_TRUE(WriteWholeFile(path, &dm, sizeof dm - shortBy));
    return path;
}

TEST(Pxhost, OvpWriteThenShowGivesTheRecordBack)
{
    const std::wstring ovp = ScratchPath(L"host.OVP");
    ToolRun run = RunPxhost(L"ovp-write \"" + RecordFile() + L"\" \"" + ovp + L"\"");
    ASSERT_EQ(0u, run.exitCode) << run.output;
    run = RunPxhost(L"ovp-show \"" + ovp + L"\" --json");
    ASSERT_EQ(0u, run.exitCode) << run.output;
    nlohmann::ordered_json doc = nlohmann::ordered_json::parse(run.output, nullptr, false);
    ASSERT_FALSE(doc.is_discarded()) << run.output.substr(0, 400);
    EXPECT_EQ(7, doc["devMode"]["pdmPrintMode"]) << run.output.substr(0, 400);
    EXPECT_EQ(6u, doc["settings"][0].size()) << run.output.substr(0, 400);
    EXPECT_EQ("最高品質", doc["settings"][0][2]["name"]);
}

TEST(Pxhost, DamagedAndShortFilesAreRefusedWithExitCode3)
{
    const std::wstring ovp = ScratchPath(L"host.OVP");
    ASSERT_EQ(0u, RunPxhost(L"ovp-write \"" + RecordFile() + L"\" \"" + ovp + L"\"").exitCode);
    std::vector<BYTE> file = ReadWholeFile(ovp);
    file[2] = 3;
    ASSERT_TRUE(WriteWholeFile(ovp, file));
    ToolRun run = RunPxhost(L"ovp-show \"" + ovp + L"\"");
    EXPECT_EQ(3u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("3849")) << run.output;

    run = RunPxhost(L"ovp-write \"" + RecordFile(1) + L"\" \"" + ovp + L"\"");
    EXPECT_EQ(3u, run.exitCode) << "a record one byte short: " << run.output;

    // A working file one byte longer than its header says is refused; the
    // right length is shown.
    std::vector<BYTE> work(16 + 1184 + 1);
    const int16_t header[] = {2501, 2, 0, 0, 1, 0};
    memcpy(work.data(), header, sizeof header);
    const std::wstring workPath = ScratchPath(L"host.$$$");
    ASSERT_TRUE(WriteWholeFile(workPath, work));
    EXPECT_EQ(3u, RunPxhost(L"workfile-show \"" + workPath + L"\"").exitCode);
    work.pop_back();
    ASSERT_TRUE(WriteWholeFile(workPath, work));
    run = RunPxhost(L"workfile-show \"" + workPath + L"\" --json");
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("\"settingCounts\": [\n    1,\n    0\n  ]"))
        << run.output;
}

}  // namespace
