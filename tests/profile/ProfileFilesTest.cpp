#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>
#include <filesystem>

#include "platform/DebugLog.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileTestDir.h"

namespace zentro {
namespace {

using test::CProfileTestDir;
using test::PatternRecord;

const char* const kOneMacro = "[MacroName]\nMacroCount=1\n0=M\n"
                              "[M]\nMacroLoopTimes=1\nItemCount=2\nItem0=A   Dn\nItem1=A   Up\n";

bool SlotIsAllOf(const ProfileRecord& r, size_t slot, uint8_t value)
{
    for (size_t i = 0; i < MACRO_SLOT_SIZE; ++i)
        if (r.MacroSlot[slot][i] != value)
            return false;
    return true;
}

TEST(ProfileList, DuplicateNamesSelectTheLastMatch)
{
    CProfileTestDir dir;
    dir.WriteList({"A", "B", "B"}, "B");
    dir.WriteSettings("config2.bin", PatternRecord(7));
    LoadProfileSettings();
    EXPECT_EQ(CurrentProfileNumber, 2);
    EXPECT_EQ(g_strSettingsFile, dir.Path("config2.bin"));
    EXPECT_EQ(g_strProfileIniFile, dir.Path("str2.ini"));
    EXPECT_EQ(g_ProfileRecord.DPIValue[0], PatternRecord(7).DPIValue[0]);
}

TEST(ProfileList, NameCompareIsCaseSensitiveAndNoMatchKeepsTheNumber)
{
    CProfileTestDir dir;
    dir.WriteList({"A", "B"}, "b");
    CurrentProfileNumber = 1;
    LoadProfileSettings();
    EXPECT_EQ(CurrentProfileNumber, 1);
    EXPECT_EQ(g_strSettingsFile, dir.Path("config1.bin"));
}

TEST(ProfileList, AnUnusableListIsRepairedOrProfileZeroIsShownAndNothingWritten)
{
    struct Case {
        const char* what;
        bool writeList;
        const char* count;
    } cases[] = {
        {"ItemCount 7", true, "7"},      {"ItemCount 0", true, "0"},
        {"ItemCount -1", true, "-1"},    {"ItemCount not a number", true, "many"},
        {"ItemCount missing", true, ""}, {"no str.ini", false, ""},
    };
    for (const Case& c : cases) {
        for (const bool writable : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (writable ? ", writable" : ", read-only"));
            CProfileTestDir dir;
            if (c.writeList) {
                std::string text = "[Profile]\nItem0=A\nCurProfileName=A\n";
                if (*c.count)
                    text += std::string("ItemCount=") + c.count + "\n";
                dir.Write("str.ini", text);
                if (!writable)
                    std::filesystem::permissions(dir.Path("str.ini"),
                                                 std::filesystem::perms::owner_read);
            }
            dir.WriteSettings("config0.bin", PatternRecord(3));
            dir.WriteSettings("config1.bin", PatternRecord(4));
            dir.Write("record.ini", kOneMacro);
            const auto strIniBefore = dir.Read("str.ini");
            std::memset(&g_ProfileRecord, 0, sizeof g_ProfileRecord);

            LoadProfileSettings();
            // Never an empty record: profile 0 as saved.
            EXPECT_EQ(g_ProfileRecord.DPIValue[0], PatternRecord(3).DPIValue[0]);
            if (writable && c.writeList) {
                // Repaired from the files on disk, keeping the name the list still held.
                EXPECT_EQ(dir.Ini("str.ini", "Profile", "ItemCount"), "2");
                EXPECT_EQ(dir.Ini("str.ini", "Profile", "Item0"), "A");
                EXPECT_EQ(dir.Ini("str.ini", "Profile", "Item1"), "Profile 2");
                EXPECT_EQ(dir.Ini("str.ini", "Profile", "CurProfileName"), "A");
                EXPECT_EQ(g_strSettingsFile, dir.Path("config0.bin"));
                continue;
            }
            EXPECT_TRUE(g_strSettingsFile.empty());
            EXPECT_TRUE(g_strProfileIniFile.empty());
            // Nothing that follows may write anywhere but a profile's own files.
            g_strButtonLabel[0] = "Click";
            ReadProfileTexts();
            CheckProfileDefault();
            SaveButtonLabels();
            EXPECT_FALSE(dir.Exists("str0.ini"));
            EXPECT_FALSE(dir.Exists("zentro"));
            EXPECT_EQ(dir.Read("str.ini"), strIniBefore);
            std::vector<std::string> names;
            for (const auto& e : std::filesystem::directory_iterator(dir.Path("")))
                names.push_back(e.path().filename().string());
            EXPECT_EQ(names.size(), c.writeList ? 4u : 3u);
            if (c.writeList)
                std::filesystem::permissions(dir.Path("str.ini"),
                                             std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_write);
        }
    }
}

TEST(ProfileList, UsableListRebuildsTheMacroSlotsEvenWithoutSettingsFile)
{
    CProfileTestDir dir;
    dir.WriteList({"Profile 1"}, "Profile 1");
    dir.Write("record.ini", kOneMacro);
    std::memset(g_ProfileRecord.MacroSlot, 0xAB, sizeof g_ProfileRecord.MacroSlot);
    CDebugLogCapture log;
    LoadProfileSettings();
    EXPECT_TRUE(log.Contains("Config file is not exist.\n"));
    EXPECT_FALSE(SlotIsAllOf(g_ProfileRecord, 0, 0xAB));
    // A slot no listed macro fills held a deleted macro: it is empty now (but for the two
    // bytes that are not the mouse's).
    EXPECT_EQ(g_ProfileRecord.MacroSlot[1][0], 0);
    EXPECT_EQ(g_ProfileRecord.MacroSlot[1][127], 0);
    EXPECT_EQ(g_ProfileRecord.MacroSlot[1][128], 0xAB);
}

TEST(SettingsFile, SizesFillTheRecordAsFarAsTheyReach)
{
    struct Case {
        size_t fileSize;
        int expectedRead;
    } cases[] = {{1791, 1790}, {101, 100}, {4000, 1790}, {1, 0}, {0, 0}, {1790, 1789}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileSize);
        CProfileTestDir dir;
        dir.WriteList({"P"}, "P");
        dir.WriteSettings("config0.bin", PatternRecord(1), c.fileSize, 1);
        std::memset(&g_ProfileRecord, 0x55, sizeof g_ProfileRecord);
        CDebugLogCapture log;
        LoadProfileByNumber(0);
        const ProfileRecord expected = PatternRecord(1);
        for (size_t i = 0; i < PROFILE_RECORD_SIZE; ++i) {
            const uint8_t want =
                static_cast<int>(i) < c.expectedRead ? expected.Bytes()[i] : uint8_t{0x55};
            ASSERT_EQ(g_ProfileRecord.Bytes()[i], want) << "record byte " << i;
        }
        EXPECT_TRUE(log.Contains("Program First Run Flag:" + std::to_string(c.fileSize ? 1 : 0) +
                                 "\nRead Size is: " + std::to_string(c.expectedRead)))
            << log.Text();
    }
}

TEST(SettingsFile, MissingFileOnLoadKeepsTheRecord)
{
    CProfileTestDir dir;
    const ProfileRecord before = PatternRecord(9);
    g_ProfileRecord = before;
    CDebugLogCapture log;
    LoadProfileByNumber(4);
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &before, PROFILE_RECORD_SIZE), 0);
    // This path has always written the line without its line break.
    EXPECT_TRUE(log.Contains("Config file is not exist."));
    EXPECT_FALSE(log.Contains("Config file is not exist.\n"));
    EXPECT_EQ(g_strSettingsFile, dir.Path("config4.bin"));
}

TEST(SettingsFile, SaveWritesFlagAndRecordAndReplacesTheFile)
{
    CProfileTestDir dir;
    dir.WriteSettings("config3.bin", ProfileRecord{}, 50);
    CurrentProfileNumber = 3;
    g_ProfileRecord = PatternRecord(2);
    g_ProfileRecord.ProfileSlot = 0;
    CDebugLogCapture log;
    ASSERT_TRUE(SaveProfileSettings());
    const auto bytes = dir.Read("config3.bin");
    ASSERT_EQ(bytes.size(), 1791u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(std::memcmp(bytes.data() + 1, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
    EXPECT_TRUE(log.Contains("Data num:1 BYTE -1790 BYTE\n Struct size:1790 BYTE"));
}

TEST(SettingsFile, SaveNeverCreatesAMissingFile)
{
    CProfileTestDir dir;
    CurrentProfileNumber = 3;
    CDebugLogCapture log;
    EXPECT_FALSE(SaveProfileSettings());
    EXPECT_FALSE(dir.Exists("config3.bin"));
    EXPECT_EQ(log.Text(), "Config file is not exist.\n");
}

TEST(SettingsFile, FailedSaveReportsTheErrorAndKeepsTheOldFile)
{
    CProfileTestDir dir;
    // A directory in the file's place cannot be replaced by a file.
    std::filesystem::create_directory(dir.Path("config0.bin"));
    CDebugLogCapture log;
    EXPECT_FALSE(SaveProfileSettings());
    // The code is that of the refused step (EISDIR), not a stale or generic one.
    EXPECT_EQ(log.Text(), "Error Code is: " + std::to_string(EISDIR) + " \n");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("config0.bin")));
}

TEST(SettingsFile, LoadsWriteTheFileNameAndThenTheirResult)
{
    struct Case {
        const char* what;
        bool byNumber;
        bool fileThere;
        std::vector<std::string> tail; // the texts after the file name
    } cases[] = {
        {"list, file there", false, true, {"Program First Run Flag:1\nRead Size is: 1790"}},
        {"list, no file", false, false, {"Config file is not exist.\n"}},
        {"by number, file there", true, true, {"Program First Run Flag:1\nRead Size is: 1790"}},
        {"by number, no file", true, false, {"Config file is not exist."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CProfileTestDir dir;
        dir.WriteList({"A", "B", "C"}, "C");
        if (c.fileThere)
            dir.WriteSettings("config2.bin", PatternRecord(6));
        CDebugLogCapture log;
        if (c.byNumber)
            LoadProfileByNumber(2);
        else
            LoadProfileSettings();
        std::vector<std::string> expected = {dir.Path("config2.bin")};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(log.Entries(), expected);
        EXPECT_EQ(g_strProfileIniFile, dir.Path("str2.ini"));
    }
}

TEST(SettingsFile, LoadByNumberLeavesTheProfileNumberAndTheMacroSlots)
{
    CProfileTestDir dir;
    dir.WriteList({"A", "B"}, "A");
    dir.Write("record.ini", kOneMacro);
    ProfileRecord stored = PatternRecord(8);
    std::memset(stored.MacroSlot, 0x3C, sizeof stored.MacroSlot);
    dir.WriteSettings("config1.bin", stored);
    CurrentProfileNumber = 0;
    LoadProfileByNumber(1);
    EXPECT_EQ(CurrentProfileNumber, 0);
    EXPECT_EQ(g_strSettingsFile, dir.Path("config1.bin"));
    EXPECT_EQ(g_strRecordIniFile, dir.Path("record.ini"));
    EXPECT_EQ(g_strListIniFile, dir.Path("str.ini"));
    // The macros come with the settings file, not from record.ini.
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &stored, PROFILE_RECORD_SIZE), 0);
}

TEST(SettingsFile, SaveUsesTheCurrentNumberNotTheLastLoadedFile)
{
    // After loading profile 1 by number, a save still goes to the current profile (0).
    CProfileTestDir dir;
    dir.WriteSettings("config0.bin", ProfileRecord{});
    dir.WriteSettings("config1.bin", PatternRecord(1));
    const auto config1 = dir.Read("config1.bin");
    LoadProfileByNumber(1);
    g_ProfileRecord.ReportRate = 8;
    ASSERT_TRUE(SaveProfileSettings());
    EXPECT_EQ(dir.Read("config1.bin"), config1);
    const auto saved = dir.Read("config0.bin");
    ASSERT_EQ(saved.size(), 1791u);
    EXPECT_EQ(saved[1 + 5], 8);
    EXPECT_EQ(g_strSettingsFile, dir.Path("config0.bin"));
    EXPECT_EQ(g_strProfileIniFile, dir.Path("str0.ini"));
}

TEST(ProfileTexts, LabelsLiveInTheSectionOfTheCurrentLanguage)
{
    CProfileTestDir dir("DE");
    dir.WriteList({"P"}, "P");
    dir.Write("str0.ini", "[Setting-EN]\nItem1=Click\nItem2=Menu\n[Setting-DE]\nItem1=Klick\n");
    LoadProfileSettings();
    ReadProfileTexts();
    EXPECT_EQ(g_strButtonLabel[0], "Klick");
    EXPECT_EQ(g_strButtonLabel[1], "");
    g_strButtonLabel[1] = "Menü";
    SaveButtonLabels();
    EXPECT_EQ(dir.Ini("str0.ini", "Setting-DE", "Item2"), "Menü");
    EXPECT_EQ(dir.Ini("str0.ini", "Setting-DE", "Item12"), "");
    EXPECT_EQ(dir.Ini("str0.ini", "Setting-EN", "Item1"), "Click");
    EXPECT_EQ(dir.Ini("str0.ini", "Setting-EN", "Item2"), "Menu");
    EXPECT_EQ(dir.Ini("str0.ini", "Setting-EN", "Item3"), "<missing>");
}

TEST(ProfileTexts, WithoutALanguageNoLabelSectionIsWritten)
{
    CProfileTestDir dir("xx");
    dir.WriteList({"P"}, "P");
    LoadProfileSettings();
    g_strButtonLabel[0] = "Click";
    SaveButtonLabels();
    EXPECT_FALSE(dir.Exists("str0.ini"));
}

TEST(ProfileTexts, ColourAndPointValuesConvertLikeWtoi)
{
    CProfileTestDir dir;
    dir.Write("x.ini", "[Skins]\nRColor=-1\nGColor= 12abc\nBColor=300\nLan=EN\n"
                       "[Point]\nSensitivityX_Y=-5\nSensitivityY_Y=abc\nSensitivity_Y=7\n");
    ReadProfileTextsFrom(dir.Path("x.ini"));
    ConvertProfileTextValues();
    EXPECT_EQ(g_ProfileTexts.Lan, "EN");
    // The low byte of each number: -1 gives 255, 300 gives 44.
    EXPECT_EQ(g_byEditTextColor, (std::array<uint8_t, 3>{255, 12, 44}));
    EXPECT_EQ(g_nPointValue, (std::array<int, 4>{-5, 0, 7, 0}));
}

TEST(ProfileDefault, NotInitialisedProfileGetsTheDefaultsAndKeepsItsMacros)
{
    CProfileTestDir dir;
    dir.WriteList({"A", "B"}, "B");
    ProfileRecord stored = PatternRecord(5);
    dir.WriteSettings("config1.bin", stored);
    dir.Write("str1.ini", "[Profile]\nIsDefault=N\n");
    LoadProfileSettings(); // no record.ini: the macro slots stay as stored
    CheckProfileDefault();

    ProfileRecord expected = stored;
    LoadDefaults(expected);
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &expected, PROFILE_RECORD_SIZE), 0);
    const auto bytes = dir.Read("config1.bin");
    ASSERT_EQ(bytes.size(), 1791u);
    EXPECT_EQ(std::memcmp(bytes.data() + 1, &expected, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(dir.Ini("str1.ini", "Profile", "IsDefault"), "Y");
}

TEST(ProfileDefault, AnythingButExactlyNCountsAsInitialised)
{
    for (const char* value : {"Y", "n", "", "NO"}) {
        SCOPED_TRACE(value);
        CProfileTestDir dir;
        dir.WriteList({"A"}, "A");
        dir.WriteSettings("config0.bin", PatternRecord(5));
        if (*value)
            dir.Write("str0.ini", std::string("[Profile]\nIsDefault=") + value + "\n");
        LoadProfileSettings();
        CheckProfileDefault();
        EXPECT_EQ(g_ProfileRecord.DPIValue[0], PatternRecord(5).DPIValue[0]);
        EXPECT_EQ(dir.Ini("str0.ini", "Profile", "IsDefault"), "Y");
    }
}

TEST(ProfileFiles, DefaultFileModeReadsTheFactoryFiles)
{
    CProfileTestDir dir;
    dir.WriteList({"A"}, "A");
    dir.WriteSettings("config.bin", PatternRecord(4));
    DefaultFileMode = true;
    LoadProfileSettings();
    DefaultFileMode = false;
    EXPECT_EQ(g_strSettingsFile, dir.Path("config.bin"));
    EXPECT_EQ(g_strProfileIniFile, dir.Path("str.ini"));
    EXPECT_EQ(g_ProfileRecord.DPIValue[3], PatternRecord(4).DPIValue[3]);
}

TEST(SettingsFile, ReadOnlyFileIsRefusedWithTheErrorCodeAndALinkStaysALink)
{
    CProfileTestDir dir;
    dir.WriteSettings("config0.bin", PatternRecord(1));
    const auto before = dir.Read("config0.bin");
    std::filesystem::permissions(dir.Path("config0.bin"), std::filesystem::perms::owner_read);
    g_ProfileRecord = PatternRecord(2);
    {
        CDebugLogCapture log;
        EXPECT_FALSE(SaveProfileSettings());
        EXPECT_EQ(log.Text(), "Error Code is: " + std::to_string(EACCES) + " \n");
        EXPECT_EQ(dir.Read("config0.bin"), before);
    }

    // A profile kept elsewhere through a link: the link's target gets the new record.
    std::filesystem::remove(dir.Path("config0.bin"));
    dir.WriteSettings("kept.bin", PatternRecord(1));
    std::filesystem::create_symlink("kept.bin", dir.Path("config0.bin"));
    ASSERT_TRUE(SaveProfileSettings());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("config0.bin")));
    const auto kept = dir.Read("kept.bin");
    ASSERT_EQ(kept.size(), 1791u);
    EXPECT_EQ(std::memcmp(kept.data() + 1, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
}

} // namespace
} // namespace zentro
