#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../support/EnvGuard.h"
#include "../support/TempDir.h"
#include "CoreReset.h"
#include "cli/CliCommands.h"
#include "cli/ZentroctlRun.h"

using namespace zentro;
using zentro::test::CTempDir;
using zentro::test::EnvGuard;

using zentro::test::RunResult;
using zentro::test::RunZentroctlForTest;

namespace {

RunResult Autostart(const char* what)
{
    return RunZentroctlForTest({"autostart", what});
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(ZentroctlAutostart, OnStatusOffUseTheDesktopsAutostartFolder)
{
    struct Case {
        const char* xdgConfigHome; // nullptr: unset; relative ones do not count
        bool inTemp;               // xdgConfigHome names a folder below the temporary folder
        const char* folder;        // the autostart folder, below the temporary folder
    };
    const Case cases[] = {
        {"xdg", true, "xdg/autostart"},
        {nullptr, false, "home/.config/autostart"},
        {"relative/config", false, "home/.config/autostart"},
        {"", false, "home/.config/autostart"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xdgConfigHome ? c.xdgConfigHome : "(unset)");
        CTempDir tmp("cliautostart");
        EnvGuard env;
        env.Set("HOME", tmp.Path("home"));
        if (!c.xdgConfigHome)
            env.Set("XDG_CONFIG_HOME", nullptr);
        else
            env.Set("XDG_CONFIG_HOME", c.inTemp ? tmp.Path(c.xdgConfigHome) : c.xdgConfigHome);
        const std::string file = tmp.Path(c.folder) + "/zentro-mouse.desktop";

        RunResult r = Autostart("status");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "off\n");

        r = Autostart("on");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "autostart on: " + file + "\n");
        const std::string entry = ReadFile(file);
        EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u) << entry;
        EXPECT_NE(entry.find("\nExec="), std::string::npos) << entry;
        // Every folder made on the way is the user's alone.
        EXPECT_EQ(std::filesystem::status(tmp.Path(c.folder)).permissions() &
                      std::filesystem::perms::all,
                  std::filesystem::perms::owner_all);

        r = Autostart("status");
        EXPECT_EQ(r.out, "on (" + file + ")\n");
        r = Autostart("on"); // again: the same entry
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadFile(file), entry);

        r = Autostart("off");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "autostart off\n");
        EXPECT_FALSE(std::filesystem::exists(file));
        r = Autostart("off"); // nothing left to remove
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Autostart("status").out, "off\n");
    }
}

TEST(ZentroctlAutostart, AFolderThatCannotBeMadeAndABadWordFail)
{
    CTempDir tmp("cliautostart");
    std::ofstream(tmp.Path("blocker")) << "file";
    EnvGuard env;
    env.Set("XDG_CONFIG_HOME", tmp.Path("blocker"));
    RunResult r = Autostart("on");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.find("zentroctl: cannot create " + tmp.Path("blocker/autostart")), 0u) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_TRUE(r.out.empty());

    r = Autostart("maybe");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: zentroctl autostart on|off|status"), std::string::npos);
}
