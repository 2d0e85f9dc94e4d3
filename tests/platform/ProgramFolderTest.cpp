#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../support/EnvGuard.h"
#include "../support/FileContents.h"
#include "../support/TempDir.h"
#include "platform/ExeDir.h"
#include "platform/PrivateProfile.h"
#include "platform/ProgramFolder.h"

using namespace zentro;
using zentro::test::CTempDir;
using zentro::test::EnvGuard;
using zentro::test::ReadFile;

namespace {

void WriteFile(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// An installed tree: <root>/bin (no program files), <root>/share/zentro-mouse with the
// defaults and the skin, and a home folder.
struct InstalledTree {
    CTempDir root{"install"};
    ProgramFolderInputs inputs;
    InstalledTree()
    {
        std::filesystem::create_directories(root.Path("bin"));
        for (const std::string& name : ProgramFileNames()) {
            const bool ini = name.find(".ini") != std::string::npos && name != "record.ini";
            WriteFile(root.Path("share/zentro-mouse/" + name),
                      ini ? "[Profile]\nIsDefault=N\n\n[Skins]\nRColor=255\nLan=EN\n"
                          : "default " + name);
        }
        WriteFile(root.Path("share/zentro-mouse/Skins/main.png"), "png");
        inputs.exeDir = root.Path("bin") + "/";
        inputs.dataDir = root.Path("share/zentro-mouse") + "/";
        inputs.home = root.Path("home");
        inputs.language = "DE";
    }
};

} // namespace

TEST(ProgramFolder, LanguageComesFromTheFirstLocaleVariableThatIsSet)
{
    const std::pair<const char*, const char*> names[] = {
        {"de_DE.UTF-8", "DE"}, {"de_AT", "DE"},    {"de", "DE"},           {"zh_CN.UTF-8", "CHS"},
        {"zh_SG", "CHS"},      {"zh", "CHS"},      {"zh_TW.UTF-8", "CHT"}, {"zh_HK", "CHT"},
        {"zh_MO", "CHT"},      {"zh_Hant", "CHT"}, {"en_US.UTF-8", "EN"},  {"C", "EN"},
        {"POSIX", "EN"},       {"fr_FR", "EN"},    {"dem", "EN"},          {"", "EN"}};
    for (const auto& [locale, code] : names)
        EXPECT_EQ(LanguageFromLocaleName(locale), code) << locale;

    EnvGuard env;
    env.Set("LC_ALL", "");
    env.Set("LC_MESSAGES", "de_DE.UTF-8");
    env.Set("LANG", "zh_TW.UTF-8");
    EXPECT_EQ(LanguageFromEnvironment(), "DE"); // an empty LC_ALL does not count
    ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
    EXPECT_EQ(LanguageFromEnvironment(), "CHS");
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    EXPECT_EQ(LanguageFromEnvironment(), "CHT");
    ::unsetenv("LANG");
    EXPECT_EQ(LanguageFromEnvironment(), "EN");
}

TEST(ProgramFolder, BuildTreeStaysBesideTheExecutableAndAnInstallUsesTheUserFolder)
{
    // Build tree: program files and skin beside the executable.
    CTempDir build("buildtree");
    WriteFile(build.Path("str.ini"), "[Profile]\nItemCount=1\n");
    std::filesystem::create_directories(build.Path("Skins"));
    ProgramFolderInputs in;
    in.exeDir = build.Path("");
    in.dataDir = build.Path("../share/zentro-mouse/");
    in.home = "/nonexistent-home";
    ProgramFolderChoice choice = ChooseProgramFolder(in);
    EXPECT_FALSE(choice.userFolder);
    EXPECT_EQ(choice.profileDir, build.Path(""));
    EXPECT_EQ(choice.skinRoot, build.Path(""));

    // Installed: XDG_CONFIG_HOME when it is absolute, else ~/.config.
    InstalledTree tree;
    tree.inputs.xdgConfigHome = tree.root.Path("xdg");
    choice = ChooseProgramFolder(tree.inputs);
    EXPECT_TRUE(choice.userFolder);
    EXPECT_EQ(choice.profileDir, tree.root.Path("xdg/zentro-mouse/"));
    EXPECT_EQ(choice.skinRoot, tree.inputs.dataDir);
    EXPECT_EQ(choice.defaultsDir, tree.inputs.dataDir);
    tree.inputs.xdgConfigHome = "relative/config";
    EXPECT_EQ(ChooseProgramFolder(tree.inputs).profileDir,
              tree.root.Path("home/.config/zentro-mouse/"));

    // No program files anywhere: nothing moves.
    CTempDir bare("bare");
    in.exeDir = bare.Path("");
    in.dataDir = bare.Path("share/");
    choice = ChooseProgramFolder(in);
    EXPECT_FALSE(choice.userFolder);
    EXPECT_EQ(choice.profileDir, bare.Path(""));
}

TEST(ProgramFolder, SeedingCopiesTheDefaultsInTheUsersLanguageAndKeepsWhatExists)
{
    InstalledTree tree;
    const std::string dir = tree.root.Path("home/.config/zentro-mouse/");
    WriteFile(dir + "str.ini", "[Profile]\nItemCount=1\nItem0=Mine\n");
    WriteFile(dir + "config3.bin", "edited by the user");

    std::string error;
    ASSERT_TRUE(SeedUserFolder(dir, tree.inputs.dataDir, "DE", &error)) << error;
    FlushPrivateProfileCache();
    for (const std::string& name : ProgramFileNames())
        EXPECT_TRUE(std::filesystem::exists(dir + name)) << name;
    EXPECT_EQ(ReadFile(dir + "str.ini"), "[Profile]\nItemCount=1\nItem0=Mine\n");
    EXPECT_EQ(ReadFile(dir + "config3.bin"), "edited by the user");
    EXPECT_EQ(ReadFile(dir + "config0.bin"), "default config0.bin");
    for (const char* ini : {"str0.ini", "str5.ini"}) {
        EXPECT_EQ(GetPrivateProfileString("Skins", "Lan", "", dir + ini), "DE") << ini;
        EXPECT_EQ(GetPrivateProfileString("Skins", "RColor", "", dir + ini), "255") << ini;
    }
    // Folders it makes are the user's alone.
    ASSERT_TRUE(
        SeedUserFolder(tree.root.Path("new/zentro-mouse"), tree.inputs.dataDir, "DE", &error));
    for (const char* made : {"new", "new/zentro-mouse"}) {
        const auto mode = std::filesystem::status(tree.root.Path(made)).permissions();
        EXPECT_EQ(mode & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
                  std::filesystem::perms::none)
            << made;
    }

    // A second start changes nothing.
    const std::string before = ReadFile(dir + "str0.ini");
    ASSERT_TRUE(SeedUserFolder(dir, tree.inputs.dataDir, "CHS", &error)) << error;
    EXPECT_EQ(ReadFile(dir + "str0.ini"), before);
}

TEST(ProgramFolder, AFolderThatCannotBeMadeOrSeededIsRefusedWithOneMessage)
{
    InstalledTree tree;
    WriteFile(tree.root.Path("blocker"), "a file where a folder should be");
    std::string error;
    EXPECT_FALSE(
        SeedUserFolder(tree.root.Path("blocker/zentro-mouse"), tree.inputs.dataDir, "EN", &error));
    EXPECT_NE(error.find("cannot create the profile folder " + tree.root.Path("blocker")),
              std::string::npos)
        << error;

    std::filesystem::remove(tree.root.Path("share/zentro-mouse/str3.ini"));
    EXPECT_FALSE(SeedUserFolder(tree.root.Path("fresh"), tree.inputs.dataDir, "EN", &error));
    EXPECT_NE(error.find("str3.ini is missing"), std::string::npos) << error;

    // The program's own set-up refuses as well and installs nothing.
    tree.inputs.xdgConfigHome = tree.root.Path("blocker");
    EXPECT_FALSE(SetUpProgramFolder(tree.inputs, &error));
    EXPECT_NE(GetExeDir(), tree.root.Path("blocker/zentro-mouse/"));
}

TEST(ProgramFolder, SetUpInstallsTheUserFolderAndTheSkinRoot)
{
    InstalledTree tree;
    tree.inputs.xdgConfigHome = tree.root.Path("xdg");
    std::string error;
    ASSERT_TRUE(SetUpProgramFolder(tree.inputs, &error)) << error;
    EXPECT_EQ(GetExeDir(), tree.root.Path("xdg/zentro-mouse/"));
    EXPECT_EQ(GetSkinRoot(), tree.inputs.dataDir);
    EXPECT_TRUE(std::filesystem::exists(tree.root.Path("xdg/zentro-mouse/config5.bin")));
    SetExeDirOverride("");
    SetSkinRoot("");
    EXPECT_EQ(GetSkinRoot(), GetExeDir());

    EXPECT_FALSE(UseProfileFolder(tree.root.Path("nowhere"), &error));
    EXPECT_NE(error.find("does not exist"), std::string::npos);
    EXPECT_FALSE(UseProfileFolder(tree.root.Path("bin"), &error));
    EXPECT_NE(error.find("str.ini"), std::string::npos);
}
