#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliCommands.h"
#include "device/DeviceLink.h"

using namespace zentro;

namespace {

struct RunResult {
    int status = 0;
    std::string out;
    std::string err;
};

RunResult Zentroctl(std::vector<std::string> args)
{
    args.insert(args.begin(), "zentroctl");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    std::ostringstream out, err;
    RunResult r;
    r.status = RunZentroctl(static_cast<int>(argv.size()), argv.data(), out, err);
    r.out = out.str();
    r.err = err.str();
    ResetDeviceLinkForTest();
    return r;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
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
        {{"--device", "simulated", "--trace", "/nonexistent-dir/x.trace", "info"},
         "cannot write the trace file"},
    };
    for (const auto& c : cases) {
        RunResult r = Zentroctl(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(Zentroctl, WithoutAMouseListAndInfoFailWithOneLine)
{
    // The build machines have no ZENTRO mouse attached.
    for (const char* command : {"list", "info"}) {
        RunResult r = Zentroctl({command});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("zentroctl: "), std::string::npos);
    }
}
