#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "../support/EnvGuard.h"
#include "../support/TempDir.h"
#include "platform/InstanceSocket.h"

using namespace zentro;
using zentro::test::CTempDir;
using zentro::test::EnvGuard;

TEST(InstanceSocket, OnlyAFolderOfThisUserIsOwnAndALinkOnlyWhenFollowed)
{
    CTempDir tmp("instance");
    std::filesystem::create_directories(tmp.Path("own"));
    std::ofstream(tmp.Path("file")) << "x";
    std::filesystem::create_directory_symlink(tmp.Path("own"), tmp.Path("link"));
    struct Case {
        std::string path;
        bool followLink;
        bool own;
    };
    const Case cases[] = {
        {tmp.Path("own"), false, true},   {tmp.Path("own"), true, true},
        {tmp.Path("link"), false, false}, {tmp.Path("link"), true, true},
        {tmp.Path("file"), true, false},  {tmp.Path("missing"), true, false},
        {"/", false, ::getuid() == 0}, // root's folder
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsOwnDirectory(c.path, c.followLink), c.own) << c.path << " " << c.followLink;
}

TEST(InstanceSocket, TheRuntimeFolderIsUsedOnlyWhenItIsAFolderOfThisUser)
{
    CTempDir tmp("instance");
    std::ofstream(tmp.Path("file")) << "x";
    EnvGuard env;
    env.Set("XDG_RUNTIME_DIR", tmp.Path());
    EXPECT_EQ(SingleInstanceDirectory(), tmp.Path());
    EXPECT_EQ(SingleInstanceSocketPath(), tmp.Path() + "/" + SINGLE_INSTANCE_NAME);
    for (const std::string& unusable : {tmp.Path("file"), std::string("relative"), std::string()}) {
        env.Set("XDG_RUNTIME_DIR", unusable);
        const std::string dir = SingleInstanceDirectory();
        EXPECT_NE(dir, unusable);
        EXPECT_TRUE(IsOwnDirectory(dir, false)) << dir;
    }
}

TEST(InstanceSocket, TheSocketPlaceDependsOnTheUserNotOnWhatTheEnvironmentSays)
{
    // Programs under su, sudo -u or cron see another XDG_RUNTIME_DIR, or none: a folder that is
    // not private to this user is passed over, and without it every program of the user ends
    // in the same place.
    CTempDir tmp("instance");
    const std::string shared = tmp.Path("shared");
    ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    EnvGuard env;
    env.Set("XDG_RUNTIME_DIR", "");
    const std::string unset = SingleInstanceDirectory();
    ASSERT_FALSE(unset.empty());
    EXPECT_TRUE(IsPrivateDirectory(unset, false)) << unset;
    const struct {
        std::string runtime;
        bool used;
    } cases[] = {
        {tmp.Path(), true},        // the user's own private folder
        {shared, false},           // others may write into it
        {tmp.Path("none"), false}, // missing
        {"relative", false},
    };
    for (const auto& c : cases) {
        env.Set("XDG_RUNTIME_DIR", c.runtime);
        EXPECT_EQ(SingleInstanceDirectory(), c.used ? c.runtime : unset) << c.runtime;
    }
}
