#include <gtest/gtest.h>

#include <filesystem>

#include <cstring>

#include "ProfileTestDir.h"
#include "profile/ProfileOperations.h"

using namespace zentro;
using namespace zentro::test;

namespace {

std::string Labels(const std::string& section, const std::string& first)
{
    std::string text = "[" + section + "]\n";
    for (int i = 1; i <= 12; ++i)
        text += "Item" + std::to_string(i) + "=" + first + std::to_string(i) + "\n";
    return text;
}

bool RecordIs(const ProfileRecord& expected)
{
    return std::memcmp(&g_ProfileRecord, &expected, PROFILE_RECORD_SIZE) == 0;
}

// Three profiles, each with its own settings and labels; profile 0 current and loaded.
struct ThreeProfiles {
    CProfileTestDir dir;
    ThreeProfiles()
    {
        ResetProfileOperationsForTest();
        dir.WriteList({"Work", "Game", "Paint"}, "Work");
        for (int n = 0; n < 3; ++n) {
            dir.WriteSettings("config" + std::to_string(n) + ".bin",
                              PatternRecord(static_cast<uint8_t>(10 * n + 1)));
            dir.Write("str" + std::to_string(n) + ".ini",
                      "[Profile]\nIsDefault=Y\n" + Labels("Setting-EN", "P" + std::to_string(n)));
        }
        LoadProfileSettings();
        ReadProfileTexts();
    }
    ~ThreeProfiles() { ResetProfileOperationsForTest(); }
};

} // namespace

TEST(SelectProfile, MakesTheProfileCurrentInTheListAndLoadsItsFiles)
{
    ThreeProfiles p;
    std::string reason;
    ASSERT_TRUE(SelectProfile(2, &reason)) << reason;
    EXPECT_EQ(p.dir.Ini("str.ini", "Profile", "CurProfileName"), "Paint");
    EXPECT_EQ(p.dir.Ini("str.ini", "Profile", "ItemCount"), "3"); // the list itself unchanged
    EXPECT_EQ(CurrentProfileNumber, 2);
    EXPECT_EQ(g_nSelectedProfile, 2);
    EXPECT_TRUE(RecordIs(PatternRecord(21)));
    EXPECT_EQ(g_strButtonLabel[0], "P21");
    EXPECT_EQ(g_strButtonLabel[11], "P212");
    EXPECT_EQ(g_strSettingsFile, p.dir.Path("config2.bin"));

    // The next start finds the same profile.
    ResetProfileFilesForTest();
    LoadProfileSettings();
    EXPECT_EQ(CurrentProfileNumber, 2);
}

TEST(SelectProfile, RefusesWhatCannotBeSelectedAndChangesNothing)
{
    struct Case {
        int profile;
        const char* remove; // a file taken away first
        const char* reason;
    };
    const Case cases[] = {
        {3, nullptr, "no profile 3"},
        {-1, nullptr, "no profile -1"},
        {1, "config1.bin", "no settings file"},
        {0, "str.ini", "no profile list"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        ThreeProfiles p;
        if (c.remove)
            std::filesystem::remove(p.dir.Path(c.remove));
        FlushPrivateProfileCache();
        const std::string listBefore = p.dir.Exists("str.ini") ? p.dir.ReadText("str.ini") : "";
        std::string reason;
        EXPECT_FALSE(SelectProfile(c.profile, &reason));
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_TRUE(RecordIs(PatternRecord(1)));
        EXPECT_EQ(CurrentProfileNumber, 0);
        if (p.dir.Exists("str.ini")) {
            EXPECT_EQ(p.dir.ReadText("str.ini"), listBefore);
        }
    }
}

TEST(SelectProfile, ANotInitialisedProfileGetsItsDefaultsOnTheSwitch)
{
    ThreeProfiles p;
    p.dir.Write("str1.ini", "[Profile]\nIsDefault=N\n" + Labels("Setting-EN", "G"));
    ASSERT_TRUE(SelectProfile(1));
    ProfileRecord expected = PatternRecord(11);
    LoadDefaults(expected);
    EXPECT_TRUE(RecordIs(expected));
    EXPECT_EQ(p.dir.Ini("str1.ini", "Profile", "IsDefault"), "Y");
    const auto saved = p.dir.Read("config1.bin");
    ASSERT_EQ(saved.size(), 1791u);
    EXPECT_EQ(std::memcmp(saved.data() + 1, &expected, PROFILE_RECORD_SIZE), 0);
}

TEST(ProfileSelectCommand, AfterAnImportOrForTheSameProfileNothingIsLoaded)
{
    ThreeProfiles p;
    g_ProfileRecord.DPIValue[0] = 0x33;      // an unapplied change
    EXPECT_FALSE(OnProfileSelectCommand(0)); // the profile the list opened with
    EXPECT_EQ(g_ProfileRecord.DPIValue[0], 0x33);

    g_bImportPending = 1;
    EXPECT_FALSE(OnProfileSelectCommand(1)); // the confirm after an import
    EXPECT_EQ(g_bImportPending, 0);
    EXPECT_EQ(g_ProfileRecord.DPIValue[0], 0x33);

    EXPECT_TRUE(OnProfileSelectCommand(1));
    EXPECT_TRUE(RecordIs(PatternRecord(11)));
    EXPECT_EQ(g_nSelectedProfile, 1);
}

TEST(ImportProfile, OnlyAWhole1791ByteFileIsReadButTheLabelsAlwaysAre)
{
    struct Case {
        const char* name;
        size_t size;
        bool read;
    };
    const Case cases[] = {
        {"in.bin", 1791, true},
        {"in.bin", 1790, false},
        {"in.bin", 1792, false},
        {"in.bin.old", 1791, true}, // the name only has to contain .bin
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.size));
        ThreeProfiles p;
        CTempDir outside("import");
        const std::string path = outside.Path(c.name);
        {
            std::vector<uint8_t> bytes(c.size, 0x44);
            bytes[0] = 1;
            for (size_t i = 1; i < c.size && i <= PROFILE_RECORD_SIZE; ++i)
                bytes[i] = PatternRecord(77).Bytes()[i - 1];
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
        }
        std::ofstream(ProfileIniPartner(path)) << Labels("Setting-EN", "I");
        FlushPrivateProfileCache();

        std::string reason;
        bool taken = false;
        EXPECT_EQ(ImportProfileFile(path, &reason, &taken), c.read) << reason;
        EXPECT_TRUE(taken);
        EXPECT_TRUE(RecordIs(c.read ? PatternRecord(77) : PatternRecord(1)));
        EXPECT_EQ(g_strButtonLabel[0], "I1");
        EXPECT_EQ(g_bImportPending, 1);
        // Nothing is saved and no stray file lands in the profile folder.
        EXPECT_FALSE(p.dir.Exists(ProfileIniPartner(c.name)));
        ProfileRecord stored{};
        const ProfileRecord original = PatternRecord(1);
        ASSERT_EQ(ReadSettingsFile(p.dir.Path("config0.bin"), stored, nullptr), 1790);
        EXPECT_EQ(std::memcmp(&stored, &original, PROFILE_RECORD_SIZE), 0);
    }
}

TEST(ImportProfile, UpperCaseBinAndMissingFilesAreRefused)
{
    ThreeProfiles p;
    CTempDir outside("import");
    const std::string upper = outside.Path("IN.BIN");
    p.dir.WriteSettings("unused.bin", PatternRecord(9)); // any readable file
    std::filesystem::copy_file(p.dir.Path("unused.bin"), upper);
    std::string reason;
    bool taken = true;
    EXPECT_FALSE(ImportProfileFile(upper, &reason, &taken));
    EXPECT_NE(reason.find(".bin"), std::string::npos);
    EXPECT_FALSE(taken);
    taken = true;
    EXPECT_FALSE(ImportProfileFile(outside.Path("gone.bin"), &reason, &taken));
    EXPECT_FALSE(taken);
    EXPECT_NE(reason.find("no such file"), std::string::npos);
    EXPECT_TRUE(RecordIs(PatternRecord(1)));
    EXPECT_EQ(g_strButtonLabel[0], "P01");
    // Nothing was taken, so the list's confirming selection still switches profiles.
    EXPECT_EQ(g_bImportPending, 0);
}

TEST(ExportProfile, WritesTheFilePairAndReloadsTheSavedProfile)
{
    ThreeProfiles p;
    CTempDir outside("export");
    g_ProfileRecord = PatternRecord(55); // unapplied changes are exported ...
    g_strButtonLabel[0] = "Exported";
    std::string reason, written;
    ASSERT_TRUE(ExportProfileFile(outside.Path("mine"), &reason, &written)) << reason;
    EXPECT_EQ(written, outside.Path("mine.bin"));
    const std::vector<uint8_t> bytes = test::ReadFileBytes(written);
    ASSERT_EQ(bytes.size(), 1791u);
    EXPECT_EQ(bytes[0], 1);
    const ProfileRecord exported = PatternRecord(55);
    EXPECT_EQ(std::memcmp(bytes.data() + 1, &exported, PROFILE_RECORD_SIZE), 0);
    FlushPrivateProfileCache();
    EXPECT_EQ(GetPrivateProfileString("Setting-EN", "Item1", "", outside.Path("mine.ini")),
              "Exported");
    // ... and then dropped: the record is the current profile's saved one again.
    EXPECT_TRUE(RecordIs(PatternRecord(1)));

    // A round trip through import gives the exported settings and labels back.
    ASSERT_TRUE(ImportProfileFile(written));
    EXPECT_TRUE(RecordIs(PatternRecord(55)));
    EXPECT_EQ(g_strButtonLabel[0], "Exported");
}

TEST(ExportProfile, AnUnwritableTargetIsReported)
{
    ThreeProfiles p;
    std::string reason;
    EXPECT_FALSE(ExportProfileFile(p.dir.Path("no/such/folder/x.bin"), &reason));
    EXPECT_NE(reason.find("cannot write"), std::string::npos) << reason;
}

TEST(ProfileList, ListsEveryEntryAndMarksTheOneTheProgramLoads)
{
    CProfileTestDir dir;
    dir.WriteList({"A", "B", "B"}, "B");
    std::vector<ProfileListEntry> list;
    ASSERT_TRUE(ReadProfileList(list));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_FALSE(list[1].current);
    EXPECT_TRUE(list[2].current); // the last match, as at start

    dir.WriteList({"A", "B"}, "nobody");
    std::string currentName;
    ASSERT_TRUE(ReadProfileList(list, nullptr, &currentName));
    EXPECT_TRUE(list[0].current);
    EXPECT_EQ(currentName, "nobody"); // as written, for the list window's prefix search

    // A damaged list is repaired from the profile files before it is read; one that cannot
    // be written is refused.
    dir.WriteList({"A"}, "A", "7");
    std::filesystem::permissions(dir.Path("str.ini"), std::filesystem::perms::owner_read);
    std::string reason;
    EXPECT_FALSE(ReadProfileList(list, &reason));
    EXPECT_NE(reason.find("damaged"), std::string::npos) << reason;
    std::filesystem::permissions(dir.Path("str.ini"), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_write);
    ASSERT_TRUE(ReadProfileList(list, &reason));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "A");
    EXPECT_TRUE(list[0].current);
}
