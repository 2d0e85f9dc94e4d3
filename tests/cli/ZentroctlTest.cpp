#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "CoreReset.h"
#include "cli/CliCommands.h"
#include "device/DeviceLink.h"
#include "device/hid/SimulatedMouse.h"
#include "cli/ZentroctlRun.h"
#include "../support/FileContents.h"

using namespace zentro;
using zentro::test::ReadFile;

using zentro::test::RunResult;
using zentro::test::RunZentroctlForTest;

namespace {

RunResult Zentroctl(std::vector<std::string> args, int unplugAfter = -1)
{
    return RunZentroctlForTest(std::move(args), unplugAfter);
}

std::string TempPath(const char* name)
{
    return "/tmp/zentroctl-test-" + std::to_string(::getpid()) + "-" + name;
}

} // namespace

TEST(Zentroctl, ListShowsTheThreeInterfacesOfTheSimulatedMouse)
{
    RunResult r = Zentroctl({"--device", "simulated", "list"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("usage page 0x0001 usage 0x0002  input 5  output 0  feature 0  open: yes"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("usage page 0xff01 usage 0xff01  input 9"), std::string::npos);
    EXPECT_NE(
        r.out.find("usage page 0xff00 usage 0xff00  input 33  output 33  feature 9  open: yes"),
        std::string::npos);
    EXPECT_TRUE(r.err.empty());
}

TEST(Zentroctl, InfoRunsTheConnectExchange)
{
    const std::string trace = TempPath("info.trace");
    RunResult r = Zentroctl({"--device=simulated", "--trace", trace, "info"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Firmware version: 01-02\nFunction options: 01 00 00 d1\n");
    EXPECT_EQ(ReadFile(trace), "set-feature 00 80 00 00 00 00 00 00 7f\n"
                               "get-feature 00 80 01 02 00 00 00 00 7c\n"
                               "set-feature 00 83 00 00 00 00 00 00 7c\n"
                               "get-feature 00 83 01 00 00 40 00 00 3b\n"
                               "set-feature 00 03 01 00 00 d1 00 00 2a\n");
    std::remove(trace.c_str());
}

TEST(Zentroctl, BadCommandLinesGiveOneClearLineAndStatusTwo)
{
    struct Case {
        std::vector<std::string> args;
        const char* fragment;
    };
    const std::vector<Case> cases = {
        {{}, "usage: zentroctl"},
        {{"--device"}, "--device needs a value"},
        {{"--device", "bluetooth", "list"}, "unknown device 'bluetooth'"},
        {{"--trace"}, "--trace needs a file name"},
        {{"--frobnicate", "list"}, "unknown option --frobnicate"},
        {{"--device", "simulated", "frobnicate"}, "unknown command 'frobnicate'"},
        {{"--device", "simulated", "list", "extra"}, "list takes no arguments"},
        {{"dump"}, "usage: zentroctl dump FILE.bin"},
        {{"apply", "a.bin", "b.bin"}, "usage: zentroctl apply FILE.bin"},
        {{"encode-macros"}, "usage: zentroctl encode-macros FILE"},
    };
    for (const auto& c : cases) {
        RunResult r = Zentroctl(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(Zentroctl, CommandsThatCannotDoTheirWorkSayWhyInOneLineAndExitOne)
{
    // Arguments that are right, a world that is not: status 1 whatever the command.
    const std::vector<std::vector<std::string>> cases = {
        {"--device", "simulated", "--trace", "/nonexistent-dir/x.trace", "info"},
        {"--device", "simulated", "--trace", "/nonexistent-dir/x.trace", "list"},
        {"defaults", "/nonexistent-dir/x.bin"},
        {"encode-macros", "/nonexistent-dir/record.ini"},
    };
    for (const auto& args : cases) {
        RunResult r = Zentroctl(args);
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("zentroctl: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("nonexistent-dir"), std::string::npos) << r.err;
    }
}

TEST(Zentroctl, VersionAndHelpAreAnswersNotErrors)
{
    struct Case {
        std::vector<std::string> args;
        const char* start;
    };
    const std::vector<Case> cases = {
        {{"--version"}, "zentroctl 1.0\n"},
        {{"help"}, "usage: zentroctl"},
        {{"help", "profile"}, "usage: zentroctl"},
        {{"--help"}, "usage: zentroctl"},
        {{"--device", "simulated", "--version", "list"}, "zentroctl 1.0\n"},
    };
    for (const auto& c : cases) {
        RunResult r = Zentroctl(c.args);
        EXPECT_EQ(r.status, 0) << c.args[0];
        EXPECT_EQ(r.out.rfind(c.start, 0), 0u) << r.out;
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(Zentroctl({"--version"}).out, "zentroctl 1.0\n") << "the version alone";
}

TEST(Zentroctl, WithoutAMouseListAndInfoFailWithOneLine)
{
    // The build machines have no ZENTRO mouse attached.
    const std::string file = TempPath("nomouse.bin");
    ASSERT_EQ(Zentroctl({"defaults", file}).status, 0);
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"list"}, {"info"}, {"apply", file}}) {
        RunResult r = Zentroctl(command);
        EXPECT_EQ(r.status, 1) << command[0];
        // The same line for each, pointing at the way to try the commands without a mouse.
        EXPECT_EQ(r.err, "zentroctl: no ZENTRO mouse (USB 04d9:a165) found; to try the "
                         "commands without it, add --device simulated\n")
            << command[0];
    }
    std::remove(file.c_str());
}

namespace {

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string LineStartingWith(const std::string& text, const std::string& prefix)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0)
            return line;
    return "<none>";
}

} // namespace

TEST(Zentroctl, DefaultsThenDumpShowsEveryFieldInDecimalAndTheSlotsInHex)
{
    const std::string file = TempPath("defaults.bin");
    RunResult made = Zentroctl({"defaults", file});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string bytes = ReadFile(file);
    ASSERT_EQ(bytes.size(), 1791u);
    EXPECT_EQ(bytes[0], 1) << "flag byte";

    RunResult r = Zentroctl({"dump", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(LineStartingWith(r.out, "ProfileSlot ="), "ProfileSlot = 0");
    EXPECT_EQ(LineStartingWith(r.out, "ReportRate ="), "ReportRate = 2");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'),
              std::count(r.out.begin(), r.out.end(), '='))
        << "one field per line";
    // Twelve macro slots, numbered as the record numbers them, 130 bytes each.
    for (int k = 0; k < 12; ++k) {
        const std::string line = LineStartingWith(r.out, "MacroSlot[" + std::to_string(k) + "] =");
        EXPECT_EQ(line.size(),
                  std::string("MacroSlot[] =").size() + std::to_string(k).size() + 130 * 3)
            << k;
    }
    EXPECT_EQ(LineStartingWith(r.out, "MacroSlot[12]"), "<none>");
    std::remove(file.c_str());
}

TEST(Zentroctl, SettingsFilesOfTheWrongSizeAreRefusedBeforeTheMouseIsTouched)
{
    const std::string file = TempPath("wrong.bin");
    const std::string trace = TempPath("wrong.trace");
    struct Case {
        const char* what;
        size_t size;
    };
    for (const Case c : {Case{"empty", 0}, Case{"one short", 1790}, Case{"one long", 1792},
                         Case{"the old record size", 101}}) {
        WriteBytes(file, std::string(c.size, '\1'));
        for (const char* command : {"dump", "apply"}) {
            RunResult r = Zentroctl({"--device", "simulated", "--trace", trace, command, file});
            EXPECT_EQ(r.status, 1) << c.what << " " << command;
            EXPECT_NE(
                r.err.find("a settings file is 1791 bytes, this one is " + std::to_string(c.size)),
                std::string::npos)
                << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_EQ(ReadFile(trace), "") << "nothing sent for " << c.what;
        }
    }
    std::remove(file.c_str());
    RunResult missing = Zentroctl({"dump", TempPath("no-such.bin")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no-such.bin: no such file"), std::string::npos) << missing.err;
    std::remove(trace.c_str());
}

TEST(Zentroctl, ApplySendsTheFileWithTheWholeSequenceAndSavesNothing)
{
    const std::string file = TempPath("apply.bin");
    const std::string trace = TempPath("apply.trace");
    ASSERT_EQ(Zentroctl({"defaults", file}).status, 0);
    const std::string before = ReadFile(file);
    RunResult r = Zentroctl({"--device", "simulated", "--trace", trace, "apply", file});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string text = ReadFile(trace);
    // Connect exchange first, then the sequence: rate, axes, 1 DPI + 1 colour chunk, 4 x 2
    // button chunks, 12 x 4 macro chunks, lighting; 6.8 s of waits.
    EXPECT_EQ(text.rfind("set-feature 00 80", 0), 0u) << text;
    EXPECT_NE(text.find("set-feature 00 01 02 00 00 00 00 00"), std::string::npos) << text;
    size_t writes = 0;
    uint64_t slept = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("write ", 0) == 0)
            ++writes;
        if (line.rfind("sleep ", 0) == 0)
            slept += std::stoul(line.substr(6));
    }
    EXPECT_EQ(writes, 1u + 1u + 4 * 2 + 12 * 4);
    EXPECT_EQ(slept, 6800u);
    std::string last;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        last = line;
    EXPECT_EQ(last.rfind("set-feature 00 0d", 0), 0u) << "lighting comes last: " << last;
    EXPECT_EQ(ReadFile(file), before) << "apply saves nothing";
    std::remove(file.c_str());
    std::remove(trace.c_str());
}

TEST(Zentroctl, EncodeMacrosPrintsTwelveSlotsAndWhatDidNotFit)
{
    const std::string dir = std::string(ZENTRO_TEST_DATA_DIR) + "/macros/";
    RunResult r = Zentroctl({"encode-macros", dir + "malformed_junk_record.ini"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, ReadFile(dir + "malformed_junk_record.expected.txt"));
    RunResult missing = Zentroctl({"encode-macros", TempPath("no-record.ini")});
    EXPECT_NE(missing.status, 0);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
}

TEST(Zentroctl, AnUnpluggedMouseFailsInfoAndApplyWithTheFirstFailedTransferNamed)
{
    const std::string file = TempPath("unplug.bin");
    const std::string trace = TempPath("unplug.trace");
    ASSERT_EQ(Zentroctl({"defaults", file}).status, 0);
    struct Case {
        std::vector<std::string> command;
        int unplugAfter;
        const char* closingLine;
        int marks;
    };
    const std::vector<Case> cases = {
        // The connect exchange is five transfers; the mouse goes after the option query.
        {{"info"},
         3,
         "zentroctl: info failed: 2 of 5 transfers to the mouse failed, the first was transfer 4 "
         "(get-feature of command 83 00 00): ENODEV\n",
         2},
        // 5 + 79 transfers; pulled in the middle of the last button block.
        {{"apply", file},
         22,
         "zentroctl: apply failed: 62 of 84 transfers to the mouse failed, the first was "
         "transfer 23 (write of command 12 03 40): ENODEV\n",
         62},
        // Nothing fails: the usual result.
        {{"apply", file}, 1000, "", 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--device", "simulated", "--trace", trace};
        args.insert(args.end(), c.command.begin(), c.command.end());
        RunResult r = Zentroctl(args, c.unplugAfter);
        EXPECT_EQ(r.status, c.marks ? 1 : 0) << c.command[0];
        EXPECT_EQ(r.err, c.closingLine);
        EXPECT_EQ(r.out.find("applied") != std::string::npos, c.command[0] == "apply" && !c.marks)
            << r.out;
        // Each mark follows a transfer line; the line before the first mark is the failed one.
        const std::string text = ReadFile(trace);
        std::istringstream in(text);
        int marks = 0;
        std::string previous;
        for (std::string line; std::getline(in, line); previous = line) {
            if (line != "! ENODEV")
                continue;
            ++marks;
            EXPECT_TRUE(previous.rfind("set-feature ", 0) == 0 ||
                        previous.rfind("get-feature ", 0) == 0 || previous.rfind("write ", 0) == 0)
                << previous;
        }
        EXPECT_EQ(marks, c.marks) << c.command[0];
    }
    // Without a trace file the failure is found all the same.
    RunResult r = Zentroctl({"--device", "simulated", "apply", file}, 22);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("62 of 84 transfers"), std::string::npos) << r.err;
    std::remove(file.c_str());
    std::remove(trace.c_str());
}
