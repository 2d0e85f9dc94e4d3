#include <gtest/gtest.h>

#include <cstring>

#include "ProfileTestDir.h"
#include "profile/ProfileListOperations.h"
#include "profile/ProfileOperations.h"

using namespace zentro;
using namespace zentro::test;

namespace {

// Profiles A, B, C with their own settings (pattern 1, 11, 21) and labels; the factory pair
// (config.bin, str.ini with the default labels); B loaded.
struct ListedProfiles {
    CProfileTestDir dir;
    ListedProfiles()
    {
        ResetProfileOperationsForTest();
        WriteThreeListedProfiles(dir);
        // Leftovers of a profile that was listed once.
        dir.WriteSettings("config3.bin", PatternRecord(31));
        dir.Write("str3.ini", "[Profile]\nIsDefault=Y\n[Setting-EN]\nItem1=Old\n");
        LoadProfileSettings();
        g_nSelectedProfile = CurrentProfileNumber;
    }
    ~ListedProfiles() { ResetProfileOperationsForTest(); }

    bool SettingsAre(int n, uint8_t salt) const
    {
        ProfileRecord stored{};
        const ProfileRecord expected = PatternRecord(salt);
        return ReadSettingsFile(dir.Path("config" + std::to_string(n) + ".bin"), stored, nullptr) ==
                   1790 &&
               std::memcmp(&stored, &expected, PROFILE_RECORD_SIZE) == 0;
    }
    std::string Label(int n) const
    {
        return dir.Ini("str" + std::to_string(n) + ".ini", "Setting-EN", "Item1");
    }
};

EditedProfileEntry Kept(const char* name, int source)
{
    return {name, source, false};
}

} // namespace

TEST(ProfileListNames, NewEntriesAreNumberedAfterTheLastOne)
{
    struct Case {
        std::vector<std::string> names;
        const char* prefix;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "Profile", "Profile 1"},
        {{"Profile 1", "Profile 2"}, "Profile", "Profile 3"},
        {{"Work"}, "Profile", "Work 1"},
        {{"A", "B", "Work"}, "Profile", "Work 3"},
        {{"My Setup"}, "Profile", "Profile 1"}, // no number after the first space
        {{"Game 7 old"}, "Profil", "Profil 8"}, // the number after the first space counts
        {{"Profile 12abc"}, "Profile", "Profile 13"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextProfileName(c.prefix, c.names), c.expected) << c.names.size();
}

TEST(ProfileListNames, TheCurrentEntryIsFoundByNameThenByPrefixFromEntryOne)
{
    struct Case {
        std::vector<std::string> names;
        const char* current;
        int loaded;
        int expected;
    };
    const Case cases[] = {
        {{"Profile 1", "Profile 2", "Profile 3"}, "Profile", 0, 1}, // the search starts at 1
        {{"Profile 1", "Profile 2"}, "profile 1", 0, 0},            // no case, wraps to 0
        {{"Profile 1", "Profile 10"}, "Profile 1", 0, 0},           // the exact name wins
        {{"A", "B", "B"}, "B", 0, 2},                               // the last as loaded
        {{"A", "B", "B"}, "B", 1, 1},                               // the one the window holds
        {{"Work"}, "Play", 0, -1},
        {{}, "Profile 1", 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindCurrentProfileEntry(c.names, c.current, c.loaded), c.expected)
            << c.current << " " << c.loaded;
    EXPECT_EQ(FindProfileNamePrefix({"Profile 1", "Profile 2"}, "Profile"), 1);
}

TEST(ProfileListCommit, FilesFollowTheNames)
{
    struct Case {
        const char* what;
        std::vector<EditedProfileEntry> entries;
        // Expected settings pattern of each position (0: factory), then removed positions.
        std::vector<uint8_t> settings;
        std::vector<std::string> labels;
        std::vector<int> removed;
    };
    const Case cases[] = {
        {"delete the middle one", {Kept("A", 0), Kept("C", 2)}, {1, 21}, {"Label0", "Label2"}, {2}},
        {"delete the first one", {Kept("B", 1), Kept("C", 2)}, {11, 21}, {"Label1", "Label2"}, {2}},
        {"copy the middle one",
         {Kept("A", 0), Kept("B", 1), Kept("C", 2), {"Copy B", 1, true}},
         {1, 11, 21, 11},
         {"Label0", "Label1", "Label2", "Label1"},
         {}},
        {"a new one after a deleted one",
         {Kept("A", 0), Kept("C", 2), {"Profile 3", PROFILE_SOURCE_FACTORY, false}},
         {1, 21, 99},
         {"Label0", "Label2", "Default"},
         {}},
        {"only renamed",
         {Kept("Work", 0), Kept("Game", 1), Kept("Paint", 2)},
         {1, 11, 21},
         {"Label0", "Label1", "Label2"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListedProfiles p;
        std::string reason;
        ASSERT_TRUE(CommitProfileList(c.entries, 1, 3, &reason)) << reason;
        for (size_t i = 0; i < c.settings.size(); ++i) {
            EXPECT_TRUE(p.SettingsAre(static_cast<int>(i), c.settings[i])) << i;
            EXPECT_EQ(p.Label(static_cast<int>(i)), c.labels[i]) << i;
        }
        for (int n : c.removed) {
            EXPECT_FALSE(p.dir.Exists("config" + std::to_string(n) + ".bin")) << n;
            EXPECT_FALSE(p.dir.Exists("str" + std::to_string(n) + ".ini")) << n;
        }
        EXPECT_EQ(p.dir.Ini("str.ini", "Profile", "ItemCount"), std::to_string(c.entries.size()));
        for (size_t i = 0; i < c.entries.size(); ++i)
            EXPECT_EQ(p.dir.Ini("str.ini", "Profile", "Item" + std::to_string(i)),
                      c.entries[i].name);
        EXPECT_EQ(p.dir.Ini("str.ini", "Profile", "CurProfileName"), c.entries[1].name);
        EXPECT_EQ(p.dir.Ini("str.ini", "Setting-EN", "Item1"), "Default"); // the rest stays
        EXPECT_EQ(CurrentProfileNumber, 1);
    }
}

TEST(ProfileListCommit, ANewProfileStartsNotInitialisedAndItsFirstLoadGivesTheDefaults)
{
    ListedProfiles p;
    ASSERT_TRUE(CommitProfileList(
        {Kept("A", 0), Kept("B", 1), Kept("C", 2), {"Profile 4", PROFILE_SOURCE_FACTORY, false}}, 3,
        3));
    EXPECT_EQ(p.dir.Ini("str3.ini", "Profile", "IsDefault"), "N");
    EXPECT_EQ(p.dir.Ini("str3.ini", "Profile", "ItemCount"), "<missing>"); // no list copied
    EXPECT_EQ(p.dir.Ini("str3.ini", "Skins", "Lan"), "EN");

    ASSERT_TRUE(OnProfileSelectCommand(3));
    ProfileRecord expected = PatternRecord(99);
    LoadDefaults(expected);
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &expected, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(p.dir.Ini("str3.ini", "Profile", "IsDefault"), "Y");
    EXPECT_EQ(g_strButtonLabel[0], "Default");
}

TEST(ProfileListCommit, TheProfileInMemoryKeepsItsIdentity)
{
    struct Case {
        const char* what;
        std::vector<EditedProfileEntry> entries;
        int selectedAfter; // g_nSelectedProfile; B was loaded as number 1
    };
    const Case cases[] = {
        {"moves down", {Kept("B", 1), Kept("C", 2)}, 0},
        {"deleted", {Kept("A", 0), Kept("C", 2)}, -1},
        {"a copy is another profile", {Kept("A", 0), {"Copy B", 1, true}}, -1},
        {"stays", {Kept("A", 0), Kept("B", 1)}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListedProfiles p;
        ASSERT_TRUE(CommitProfileList(c.entries, 0, 3));
        EXPECT_EQ(g_nSelectedProfile, c.selectedAfter);
        if (c.selectedAfter >= 0) {
            EXPECT_EQ(g_strSettingsFile,
                      p.dir.Path("config" + std::to_string(c.selectedAfter) + ".bin"));
        }
    }
}

TEST(ProfileListCommit, WithoutAListFileNothingIsWritten)
{
    ListedProfiles p;
    std::filesystem::remove(p.dir.Path("str.ini"));
    CurrentProfileNumber = 2;
    std::string reason;
    EXPECT_FALSE(CommitProfileList({Kept("A", 0)}, 0, 3, &reason));
    EXPECT_NE(reason.find("missing"), std::string::npos);
    EXPECT_FALSE(p.dir.Exists("str.ini"));
    EXPECT_TRUE(p.SettingsAre(1, 11));
    EXPECT_TRUE(p.dir.Exists("config2.bin"));
    EXPECT_EQ(CurrentProfileNumber, 2);
}
