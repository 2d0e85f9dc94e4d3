#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "../support/EnvGuard.h"
#include "../support/FileContents.h"
#include "../support/TempDir.h"
#include "CoreReset.h"
#include "cli/CliCommands.h"
#include "device/DeviceLink.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/ExeDir.h"
#include "platform/InstanceSocket.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "support/RecordingPointerSettings.h"
#include "text/LanguageTexts.h"
#include "cli/ZentroctlRun.h"

using namespace zentro;
using zentro::test::CTempDir;
using zentro::test::EnvGuard;
using zentro::test::ReadFile;

using zentro::test::RunResult;
using zentro::test::RunZentroctlForTest;

namespace {

RunResult Ctl(std::vector<std::string> args, int unplugAfter = -1)
{
    return RunZentroctlForTest(std::move(args), unplugAfter);
}

bool OneLine(const std::string& text)
{
    return !text.empty() && text.find('\n') == text.size() - 1;
}

// A profile folder of three profiles made from the generated program files, a runtime folder
// where no window listens, and a recording pointer backend.
struct ProfileFolder {
    CTempDir dir{"cliprofiles"};
    CTempDir runtime{"cliruntime"};
    CRecordingPointerSettings pointer;
    EnvGuard env;

    ProfileFolder()
    {
        for (const char* name : {"config.bin", "config0.bin", "config1.bin", "config2.bin",
                                 "str.ini", "str0.ini", "str1.ini", "str2.ini", "record.ini"})
            std::filesystem::copy_file(std::string(ZENTRO_PROGRAM_DIR) + "/" + name,
                                       dir.Path(name));
        std::ofstream(dir.Path("str.ini"), std::ios::app)
            << "\n[Profile]\n"; // keeps the file's other sections
        WritePrivateProfileString("Profile", "ItemCount", "3", dir.Path("str.ini"));
        WritePrivateProfileString("Profile", "Item0", "Work", dir.Path("str.ini"));
        WritePrivateProfileString("Profile", "Item1", "Game", dir.Path("str.ini"));
        WritePrivateProfileString("Profile", "Item2", "Paint", dir.Path("str.ini"));
        WritePrivateProfileString("Profile", "CurProfileName", "Work", dir.Path("str.ini"));
        for (const char* ini : {"str0.ini", "str1.ini", "str2.ini"})
            WritePrivateProfileString("Skins", "Lan", "EN", dir.Path(ini));
        // Profile 2: initialised, with a polling rate of its own, seen in the trace.
        WritePrivateProfileString("Profile", "IsDefault", "Y", dir.Path("str2.ini"));
        ProfileRecord record{};
        ReadSettingsFile(dir.Path("config2.bin"), record, nullptr);
        record.ReportRate = 3;
        WriteSettingsFile(dir.Path("config2.bin"), record, nullptr);
        FlushPrivateProfileCache();

        env.Set("XDG_RUNTIME_DIR", runtime.Path());
        SetPointerSettingsBackend(&pointer);
    }
    ~ProfileFolder() { SetPointerSettingsBackend(nullptr); }
    std::string Ini(const std::string& file, const char* section, const char* key) const
    {
        FlushPrivateProfileCache();
        return GetPrivateProfileString(section, key, "<missing>", dir.Path(file));
    }
};

// A record unlike any of the folder's profiles.
ProfileRecord PatternlessRecord()
{
    ProfileRecord record{};
    for (size_t i = 0; i < PROFILE_RECORD_SIZE; ++i)
        record.Bytes()[i] = static_cast<uint8_t>(i * 7 + 3);
    return record;
}

// The other end of the window's socket: answers one request with `answer`.
struct FakeWindow {
    int listener = -1;
    std::thread thread;
    std::string request;

    FakeWindow(const std::string& socketPath, const std::string& answer)
    {
        ::unlink(socketPath.c_str()); // the file a finished window left
        listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener, 1);
        thread = std::thread([this, answer] {
            const int fd = ::accept(listener, nullptr, nullptr);
            if (fd < 0)
                return;
            char c;
            while (::read(fd, &c, 1) == 1 && c != '\n')
                request += c;
            ::write(fd, answer.data(), answer.size());
            ::close(fd);
        });
    }
    ~FakeWindow()
    {
        ::shutdown(listener, SHUT_RDWR);
        thread.join();
        ::close(listener);
    }
};

} // namespace

TEST(ZentroctlProfile, ListShowsNumberNameAndTheCurrentOne)
{
    ProfileFolder f;
    RunResult r = Ctl({"--dir", f.dir.Path(), "profile", "list"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0 Work (current)\n1 Game\n2 Paint\n");
    // --dir may follow the command too.
    r = Ctl({"profile", "list", "--dir=" + f.dir.Path()});
    EXPECT_EQ(r.out, "0 Work (current)\n1 Game\n2 Paint\n");
    // On a terminal a closing line says what the numbers are for; scripts never see it.
    r = RunZentroctlForTest({"--dir", f.dir.Path(), "profile", "list"}, -1, true);
    EXPECT_EQ(r.out, "0 Work (current)\n1 Game\n2 Paint\n"
                     "(profile select N makes the profile numbered N current)\n");
}

TEST(ZentroctlProfile, SelectMakesTheProfileCurrentWithoutTouchingTheMouse)
{
    ProfileFolder f;
    const std::string before = ReadFile(f.dir.Path("config1.bin"));
    RunResult r = Ctl({"--dir", f.dir.Path(), "profile", "select", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "profile 1 (Game) is current\n");
    EXPECT_EQ(f.Ini("str.ini", "Profile", "CurProfileName"), "Game");
    EXPECT_EQ(f.Ini("str1.ini", "Profile", "IsDefault"), "Y");
    EXPECT_TRUE(f.pointer.calls.empty());
    EXPECT_EQ(Ctl({"--dir", f.dir.Path(), "profile", "list"}).out,
              "0 Work\n1 Game (current)\n2 Paint\n");
}

TEST(ZentroctlProfile, SelectApplyToAMouseUnpluggedOnTheWayFails)
{
    ProfileFolder f;
    RunResult r = Ctl(
        {"--device", "simulated", "--dir", f.dir.Path(), "profile", "select", "2", "--apply"}, 10);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "") << "not reported as applied";
    EXPECT_NE(r.err.find("profile select --apply failed"), std::string::npos) << r.err;
    EXPECT_EQ(f.Ini("str.ini", "Profile", "CurProfileName"), "Paint") << "still made current";
}

TEST(ZentroctlProfile, SelectApplySendsTheProfileLikeApplyOfItsFileAndSetsThePointer)
{
    ProfileFolder f;
    const std::string trace = f.runtime.Path("select.trace");
    RunResult r = Ctl({"--device", "simulated", "--trace", trace, "--dir", f.dir.Path(), "profile",
                       "select", "2", "--apply"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "profile 2 (Paint) is current and applied\n");
    const std::string selected = ReadFile(trace);
    // Connect exchange, then the sequence with profile 2's polling rate, lighting last.
    EXPECT_EQ(selected.rfind("set-feature 00 80", 0), 0u) << selected;
    EXPECT_NE(selected.find("set-feature 00 01 03 00 00 00 00 00"), std::string::npos);
    EXPECT_EQ(selected.rfind("set-feature 00 0d"), selected.rfind("set-feature"));

    // The same as sending the saved settings file with `apply`.
    const std::string applyTrace = f.runtime.Path("apply.trace");
    ASSERT_EQ(
        Ctl({"--device", "simulated", "--trace", applyTrace, "apply", f.dir.Path("config2.bin")})
            .status,
        0);
    EXPECT_EQ(selected, ReadFile(applyTrace));
    EXPECT_EQ(f.pointer.calls.size(), 4u);
    EXPECT_EQ(f.Ini("str.ini", "Profile", "CurProfileName"), "Paint");
}

TEST(ZentroctlProfile, BadInputGivesOneLineAndAFailureStatus)
{
    ProfileFolder f;
    CTempDir other("clibad");
    {
        std::ofstream(other.Path("short.bin"), std::ios::binary) << std::string(1790, '\1');
        std::ofstream(other.Path("notbin.dat"), std::ios::binary) << std::string(1791, '\1');
    }
    const std::string d = f.dir.Path();
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        // One wording for every number that is not in the list, whatever the command.
        {{"--dir", d, "profile", "select", "7"}, 1, "no profile 7 (the profiles are 0 to 2)"},
        {{"--dir", d, "profile", "select", "4"}, 1, "no profile 4 (the profiles are 0 to 2)"},
        {{"--dir", d, "profile", "select", "x"}, 1, "no profile x (the profiles are 0 to 2)"},
        {{"--dir", d, "profile", "select", "1234"}, 1, "no profile 1234 (the profiles are 0"},
        {{"--dir", d, "profile", "export", "5", other.Path("o.bin")},
         1,
         "no profile 5 (the profiles are 0 to 2)"},
        {{"--dir", d, "profile", "import", other.Path("short.bin"), "9"},
         1,
         "no profile 9 (the profiles are 0 to 2)"},
        {{"--dir", d, "profile", "import", other.Path("short.bin"), "1"}, 1, "this one is 1790"},
        {{"--dir", d, "profile", "import", other.Path("notbin.dat"), "1"}, 1, "must contain .bin"},
        {{"--dir", d, "profile", "import", other.Path("gone.bin"), "1"}, 1, "no such file"},
        {{"--dir", d + "/missing", "profile", "list"}, 1, "does not exist"},
        {{"--dir", d, "profile", "export", "0", other.Path("no/dir/x.bin")}, 1, "cannot write"},
        {{"--dir", d, "--device", "simulated", "--trace", other.Path("x/t"), "profile", "select",
          "1", "--apply"},
         1,
         "cannot write the trace file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        RunResult r = Ctl(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(OneLine(r.err)) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(f.Ini("str.ini", "Profile", "CurProfileName"), "Work");
    }
    EXPECT_EQ(Ctl({"profile", "select"}).status, 2);
    EXPECT_EQ(Ctl({"profile", "frobnicate"}).status, 2);
    // A wrong-size import changed nothing.
    EXPECT_EQ(ReadFile(f.dir.Path("config1.bin")).size(), 1791u);

    // A folder of one profile says so in the same words as the window's refusal.
    WritePrivateProfileString("Profile", "ItemCount", "1", f.dir.Path("str.ini"));
    FlushPrivateProfileCache();
    for (const char* n : {"1", "9"}) {
        RunResult r = Ctl({"--dir", d, "profile", "select", n});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err,
                  std::string("zentroctl: no profile ") + n + " (profile 0 is the only one)\n");
    }
}

TEST(ZentroctlProfile, EveryCommandThatReadsASettingsFileRefusesTheSameFaultsInTheSameWords)
{
    ProfileFolder f;
    CTempDir other("clifaults");
    const std::string trace = other.Path("t.trace");
    std::filesystem::create_directory(other.Path("folder.bin"));
    const std::string config1 = ReadFile(f.dir.Path("config1.bin"));
    struct Case {
        const char* name;
        std::string bytes; // written to the file unless it is "missing" or "folder"
        std::string fault;
    };
    const Case cases[] = {
        {"empty.bin", "", "a settings file is 1791 bytes, this one is 0"},
        {"short.bin", std::string(1790, '\1'), "a settings file is 1791 bytes, this one is 1790"},
        {"long.bin", std::string(1792, '\1'), "a settings file is 1791 bytes, this one is 1792"},
        {"missing.bin", "", "no such file"},
        {"folder.bin", "", "a folder, not a settings file"},
    };
    for (const Case& c : cases) {
        const std::string file = other.Path(c.name);
        if (c.fault.find("1791") != std::string::npos)
            std::ofstream(file, std::ios::binary) << c.bytes;
        const std::string expected = "zentroctl: " + file + ": " + c.fault + "\n";
        const std::vector<std::vector<std::string>> commands = {
            {"dump", file},
            {"apply", file},
            {"--dir", f.dir.Path(), "profile", "import", file, "1"}};
        for (std::vector<std::string> command : commands) {
            SCOPED_TRACE(std::string(c.name) + " " + command[0]);
            command.insert(command.begin(), {"--device", "simulated", "--trace", trace});
            RunResult r = Ctl(command);
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, expected);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(ReadFile(trace), "") << "nothing sent";
        }
    }
    EXPECT_EQ(ReadFile(f.dir.Path("config1.bin")), config1) << "nothing imported";
}

TEST(ZentroctlProfile, ExportAndImportMoveAProfileWithItsLabels)
{
    ProfileFolder f;
    CTempDir other("cliexport");
    WritePrivateProfileString("Setting-EN", "Item1", "Fire", f.dir.Path("str2.ini"));
    FlushPrivateProfileCache();
    RunResult r = Ctl({"--dir", f.dir.Path(), "profile", "export", "2", other.Path("paint")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(other.Path("paint.bin")), ReadFile(f.dir.Path("config2.bin")));
    EXPECT_EQ(GetPrivateProfileString("Setting-EN", "Item1", "", other.Path("paint.ini")), "Fire");

    WritePrivateProfileString("Profile", "IsDefault", "N", f.dir.Path("str1.ini"));
    FlushPrivateProfileCache();
    r = Ctl({"--dir", f.dir.Path(), "profile", "import", other.Path("paint.bin"), "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(f.dir.Path("config1.bin")), ReadFile(f.dir.Path("config2.bin")));
    EXPECT_EQ(f.Ini("str1.ini", "Setting-EN", "Item1"), "Fire");
    // Initialised, so its next load keeps the import; the current profile is still 0.
    EXPECT_EQ(f.Ini("str1.ini", "Profile", "IsDefault"), "Y");
    EXPECT_EQ(f.Ini("str.ini", "Profile", "CurProfileName"), "Work");
    r = Ctl({"--dir", f.dir.Path(), "profile", "select", "1"});
    EXPECT_EQ(ReadFile(f.dir.Path("config1.bin")), ReadFile(f.dir.Path("config2.bin")));
}

TEST(ZentroctlProfile, ARunningWindowIsHandedTheSelectAndDoesIt)
{
    ProfileFolder f;
    const std::string socket = SingleInstanceSocketPath();
    EXPECT_EQ(socket, f.runtime.Path("ZENTRO_Mutex"));
    std::string request;
    {
        FakeWindow window(socket, "ok\n");
        RunResult r = Ctl(
            {"--device", "simulated", "--dir", f.dir.Path(), "profile", "select", "1", "--apply"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("done by the running window"), std::string::npos) << r.out;
        request = window.request;
    }
    ProfileSelectRequest parsed;
    ASSERT_TRUE(ParseProfileSelectRequest(request, parsed)) << request;
    EXPECT_EQ(parsed.profile, 1);
    EXPECT_TRUE(parsed.apply);
    EXPECT_EQ(std::filesystem::path(parsed.folder), std::filesystem::path(f.dir.Path() + "/"));
    // The window did it; this program changed nothing.
    EXPECT_EQ(f.Ini("str.ini", "Profile", "CurProfileName"), "Work");
    EXPECT_TRUE(f.pointer.calls.empty());

    {
        FakeWindow window(socket, "error no ZENTRO gaming mouse is connected\n");
        RunResult r = Ctl({"--dir", f.dir.Path(), "profile", "select", "1", "--apply"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "zentroctl: the running window refused: no ZENTRO gaming mouse is "
                         "connected\n");
    }
    {
        // A window on other files: a plain select is done here, an apply is refused.
        FakeWindow window(socket, "other-folder /elsewhere/\n");
        RunResult r = Ctl({"--dir", f.dir.Path(), "profile", "select", "2"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(f.Ini("str.ini", "Profile", "CurProfileName"), "Paint");
    }
    {
        FakeWindow window(socket, "other-folder /elsewhere/\n");
        RunResult r = Ctl(
            {"--device", "simulated", "--dir", f.dir.Path(), "profile", "select", "0", "--apply"});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("/elsewhere/"), std::string::npos) << r.err;
    }
    ::unlink(socket.c_str());
}

TEST(ZentroctlProfile, FirstRunSeedsTheUsersFolderInTheLocalesLanguage)
{
    // An installed tree: bin/ without program files, share/zentro-mouse/ with the defaults.
    CTempDir tree("cliinstall");
    std::filesystem::create_directories(tree.Path("bin"));
    std::filesystem::create_directories(tree.Path("share/zentro-mouse"));
    for (const char* name :
         {"config.bin", "config0.bin", "config1.bin", "config2.bin", "config3.bin", "config4.bin",
          "config5.bin", "str.ini", "str0.ini", "str1.ini", "str2.ini", "str3.ini", "str4.ini",
          "str5.ini", "record.ini"})
        std::filesystem::copy_file(std::string(ZENTRO_PROGRAM_DIR) + "/" + name,
                                   tree.Path(std::string("share/zentro-mouse/") + name));
    EnvGuard env;
    env.Set("XDG_CONFIG_HOME", tree.Path("xdg"));
    env.Set("LC_ALL", nullptr);
    env.Set("LC_MESSAGES", nullptr);
    env.Set("LANG", "de_DE.UTF-8");

    // The program runs from bin/ (a real program reads /proc/self/exe).
    auto runFromBin = [&](std::vector<std::string> args) {
        SetExeDirOverride(tree.Path("bin"));
        return Ctl(std::move(args));
    };
    RunResult r = runFromBin({"profile", "list"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0 Profile 1 (current)\n");
    const std::string folder = tree.Path("xdg/zentro-mouse/");
    FlushPrivateProfileCache();
    EXPECT_EQ(GetPrivateProfileString("Skins", "Lan", "", folder + "str0.ini"), "DE");
    EXPECT_EQ(GetPrivateProfileString("Skins", "Lan", "", folder + "str.ini"), "DE");

    // A folder that cannot be made: one line, status 1.
    std::ofstream(tree.Path("blocker")) << "file";
    env.Set("XDG_CONFIG_HOME", tree.Path("blocker"));
    r = runFromBin({"profile", "list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(OneLine(r.err)) << r.err;
    EXPECT_NE(r.err.find("cannot create the profile folder"), std::string::npos) << r.err;
}

TEST(ZentroctlProfile, ImportChangesOnlyTheProfileItNamesWhateverTheFileIsCalled)
{
    // A file named like a label file of the folder ("str2.bin") beside its partner: only
    // profile 1 changes, and only with the file's contents.
    ProfileFolder f;
    CTempDir other("cliimport");
    ProfileRecord imported{};
    ReadSettingsFile(f.dir.Path("config2.bin"), imported, nullptr);
    imported.DPIValue[0] = 0x21;
    ASSERT_TRUE(WriteSettingsFile(other.Path("str2.bin"), imported, nullptr));
    WritePrivateProfileString("Setting-EN", "Item1", "Imported", other.Path("str2.ini"));
    WritePrivateProfileString("Profile", "IsDefault", "N", other.Path("str2.ini"));
    FlushPrivateProfileCache();
    std::map<std::string, std::string> before;
    for (const char* name : {"config0.bin", "config2.bin", "str0.ini", "str2.ini", "str.ini"})
        before[name] = ReadFile(f.dir.Path(name));

    const RunResult r =
        Ctl({"--dir", f.dir.Path(), "profile", "import", other.Path("str2.bin"), "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(f.dir.Path("config1.bin")), ReadFile(other.Path("str2.bin")));
    EXPECT_EQ(f.Ini("str1.ini", "Setting-EN", "Item1"), "Imported");
    for (const auto& [name, content] : before)
        EXPECT_EQ(ReadFile(f.dir.Path(name)), content) << name << " changed";
    EXPECT_FALSE(std::filesystem::exists(f.dir.Path("str2.bin")));
}

TEST(ZentroctlProfile, TheWindowIsAskedAboutAbsoluteFoldersAndOwnsItsFolderForImports)
{
    ProfileFolder f;
    const std::string socket = SingleInstanceSocketPath();
    CTempDir other("cliowner");
    ASSERT_TRUE(WriteSettingsFile(other.Path("x.bin"), PatternlessRecord(), nullptr));
    const std::string config1 = ReadFile(f.dir.Path("config1.bin"));

    // "--dir ." from the profile folder's parent: the window hears the absolute folder.
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(f.dir.Path());
    std::string request;
    {
        FakeWindow window(socket, "error no profile 1\n");
        const RunResult r = Ctl({"--dir", ".", "profile", "select", "1"});
        request = window.request;
        EXPECT_EQ(r.status, 1) << "a refused select fails";
        EXPECT_NE(r.err.find("no profile 1"), std::string::npos) << r.err;
    }
    std::filesystem::current_path(cwd);
    ProfileSelectRequest parsed;
    ASSERT_TRUE(ParseProfileSelectRequest(request, parsed)) << request;
    EXPECT_EQ(std::filesystem::path(parsed.folder).lexically_normal(),
              std::filesystem::path(f.dir.Path() + "/").lexically_normal());

    // An import into the folder the window owns is refused; into another folder it goes on.
    {
        FakeWindow window(socket, "folder " + f.dir.Path() + "/\n");
        const RunResult r =
            Ctl({"--dir", f.dir.Path(), "profile", "import", other.Path("x.bin"), "1"});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("the running window has the profile folder"), std::string::npos)
            << r.err;
        EXPECT_EQ(window.request, "folder");
    }
    EXPECT_EQ(ReadFile(f.dir.Path("config1.bin")), config1);
    {
        FakeWindow window(socket, "folder " + other.Path() + "/\n");
        const RunResult r =
            Ctl({"--dir", f.dir.Path(), "profile", "import", other.Path("x.bin"), "1"});
        EXPECT_EQ(r.status, 0) << r.err;
    }
    EXPECT_EQ(ReadFile(f.dir.Path("config1.bin")), ReadFile(other.Path("x.bin")));
}
