#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/EnvGuard.h"
#include "../support/FileContents.h"
#include "../support/TempDir.h"
#include "CoreReset.h"
#include "cli/CliCommands.h"
#include "cli/ZentroctlRun.h"
#include "platform/ExeDir.h"

using namespace zentro;
using zentro::test::CTempDir;
using zentro::test::EnvGuard;
using zentro::test::ReadFile;

using zentro::test::RunResult;
using zentro::test::RunZentroctlForTest;

namespace {

RunResult Autostart(const char* what)
{
    return RunZentroctlForTest({"autostart", what});
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

namespace {

// The value of the Exec key of the entry `autostart on` writes for a window program in the
// folder `folder` (made below `tmp`), with the temporary folder's path written as "@".
std::string ExecFor(const CTempDir& tmp, const std::string& folder, bool program)
{
    const std::string dir = tmp.Path(folder);
    std::filesystem::create_directories(dir);
    if (program) {
        std::ofstream(dir + "/zentro-mouse") << "#!/bin/sh\n";
        std::filesystem::permissions(dir + "/zentro-mouse", std::filesystem::perms::owner_all);
    }
    SetExeDirOverride(dir);
    const RunResult r = Autostart("on");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string entry = ReadFile(tmp.Path("xdg/autostart/zentro-mouse.desktop"));
    const size_t start = entry.find("\nExec=");
    if (start == std::string::npos)
        return "(no Exec line)";
    std::string exec = entry.substr(start + 6, entry.find('\n', start + 1) - start - 6);
    for (size_t at = exec.find(tmp.Path()); at != std::string::npos; at = exec.find(tmp.Path()))
        exec.replace(at, tmp.Path().size(), "@");
    return exec;
}

} // namespace

TEST(ZentroctlAutostart, ExecQuotesAndEscapesTheProgramPathAsDesktopEntriesWant)
{
    struct Case {
        const char* folder;
        bool program; // an executable zentro-mouse is in the folder
        const char* exec;
    };
    const Case cases[] = {
        {"plain", true, "@/plain/zentro-mouse"},
        {"a=b,c+d", true, "@/a=b,c+d/zentro-mouse"},
        {"my apps", true, R"("@/my apps/zentro-mouse")"},
        {"100%", true, "@/100%%/zentro-mouse"},
        {"50% off", true, R"("@/50%% off/zentro-mouse")"},
        {"say \"hi\"", true, R"("@/say \\"hi\\"/zentro-mouse")"},
        {"back\\slash", true, R"("@/back\\\\slash/zentro-mouse")"},
        {"$HOME", true, R"("@/\\$HOME/zentro-mouse")"},
        {"tick`x", true, R"("@/tick\\`x/zentro-mouse")"},
        {"it's", true, R"("@/it's/zentro-mouse")"},
        {"tab\there", true, R"("@/tab\there/zentro-mouse")"},
        {"a&b;c|d", true, R"("@/a&b;c|d/zentro-mouse")"},
        {"no program", false, "zentro-mouse"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        CTempDir tmp("cliautostart");
        ASSERT_EQ(tmp.Path().find_first_of(" \"'\\$%`"), std::string::npos) << tmp.Path();
        EnvGuard env;
        env.Set("XDG_CONFIG_HOME", tmp.Path("xdg"));
        EXPECT_EQ(ExecFor(tmp, c.folder, c.program), c.exec);
    }
}

TEST(ZentroctlAutostart, StatusHonoursADisabledEntryAndOnReplacesIt)
{
    struct Case {
        const char* entry; // the lines after Exec in the [Desktop Entry] group
        bool disabled;
    };
    const Case cases[] = {
        {"Hidden=true\n", true},
        {"X-GNOME-Autostart-enabled=false\n", true},
        {"Hidden = true\n", true},
        {"X-GNOME-Autostart-enabled=true\nHidden=true\n", true},
        {"Hidden=false\nX-GNOME-Autostart-enabled=true\n", false},
        {"#Hidden=true\n", false},
        {"Hidden=True\n", false}, // booleans are lower case: not a valid "true"
        {"[Other Group]\nHidden=true\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        CTempDir tmp("cliautostart");
        EnvGuard env;
        env.Set("XDG_CONFIG_HOME", tmp.Path("xdg"));
        const std::string file = tmp.Path("xdg/autostart/zentro-mouse.desktop");
        std::filesystem::create_directories(tmp.Path("xdg/autostart"));
        std::ofstream(file) << "[Desktop Entry]\nType=Application\nExec=zentro-mouse\n" << c.entry;

        EXPECT_EQ(Autostart("status").out,
                  c.disabled ? "off (disabled: " + file + ")\n" : "on (" + file + ")\n");
        RunResult r = Autostart("on");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Autostart("status").out, "on (" + file + ")\n");
        EXPECT_EQ(ReadFile(file).find("Hidden"), std::string::npos);
    }
}
