// pxhost as a script runs it: exit codes and the lines scripts read.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "tests/common/guardpage.h"
#include "tests/common/paths.h"
#include "tests/common/printers.h"
#include "tests/common/pxhostrun.h"
#include "tests/services/driver.h"

namespace {

TEST(Pxhost, DevModeAsJsonUsesTheRecordsFieldNames)
{
    ToolRun run = RunPxhost(L"devmode --json --printer \"" PX_PRINTER L"\" --fields dmCopies,pdmMargin");
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(0u, run.output.find("{\n  \"dmCopies\": 1,\n  \"pdmMargin\": {\n")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("\"name\": \"")) << run.output;
    // The whole document parses, arrays of records included.
    run = RunPxhost(L"devmode --json --fields dmDeviceName,pdmUserSizes,pdmMargin");
    nlohmann::ordered_json doc = nlohmann::ordered_json::parse(run.output, nullptr, false);
    ASSERT_FALSE(doc.is_discarded()) << run.output;
    EXPECT_EQ("ORVEN PX-2210", doc["dmDeviceName"]) << run.output;
    EXPECT_EQ(6u, doc["pdmUserSizes"].size()) << run.output;
    EXPECT_TRUE(doc["pdmUserSizes"][5]["length"].is_number()) << run.output;
    EXPECT_TRUE(doc["pdmMargin"]["name"].is_string()) << run.output;
    EXPECT_EQ(2u, RunPxhost(L"devmode --fields noSuchField").exitCode);
    EXPECT_EQ(2u, RunPxhost(L"no-such-command").exitCode);
}

// A command line with a mistake never runs against the default printer.
TEST(Pxhost, UnknownOptionsMissingValuesAndStrayArgumentsAreRefused)
{
    const struct {
        const WCHAR *arguments;
        const char *message;
    } refused[] = {
        {L"caps --printr X", "error: caps has no option --printr\n"},
        {L"caps --printer", "error: --printer needs a value\n"},
        {L"devmode --printer --json", "error: --printer needs a value\n"},
        {L"check --in", "error: --in needs a value\n"},
        {L"info --printer A --printer B", "error: --printer is given twice\n"},
        {L"caps " PX_PRINTER_MISSING, "error: unexpected argument"},
        {L"convert --out x.bin -m default", "error: convert has no option -m\n"},
        {L"ovp-show", "error: ovp-show needs 1 file name\n"},
        {L"ovp-write a.bin", "error: ovp-write needs 2 file names\n"},
        {L"workfile-show a b", "error: unexpected argument b\n"},
    };
    for (const auto &r : refused) {
        ToolRun run = RunPxhost(r.arguments);
        EXPECT_EQ(2u, run.exitCode) << run.output;
        EXPECT_EQ(0u, run.output.find(r.message)) << run.output;
        EXPECT_NE(std::string::npos, run.output.find("\nusage: pxhost ")) << run.output;
    }
}

TEST(Pxhost, CheckReportsTheReasonAndItsId)
{
    Guarded record(sizeof(PXDEVMODE));
    ASSERT_TRUE(AppDevMode(PX_PRINTER, NULL, record.as<PXDEVMODE>()));
    const std::wstring path = ScratchPath(L"pxhost-job.pxd");
    ASSERT_TRUE(WriteWholeFile(path, record.buffer.data, sizeof(PXDEVMODE)));
    EXPECT_EQ(0u, RunPxhost(L"check --in \"" + path + L"\"").exitCode);

    record.as<PXDEVMODE>()->dm.dmScale = 5;
    ASSERT_TRUE(WriteWholeFile(path, record.buffer.data, sizeof(PXDEVMODE)));
    ToolRun refused = RunPxhost(L"check --in \"" + path + L"\"");
    EXPECT_EQ(4u, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.output.find("id: 2564\n")) << refused.output;
    EXPECT_NE(std::string::npos, refused.output.find("reason: DEVMODEの")) << refused.output;

    // A file shorter than the record it declares is refused before any use.
    ASSERT_TRUE(WriteWholeFile(path, record.buffer.data, 300));
    EXPECT_EQ(3u, RunPxhost(L"check --in \"" + path + L"\"").exitCode);
    DeleteFileW(path.c_str());
}

}  // namespace
