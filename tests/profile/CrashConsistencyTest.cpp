// Every operation that changes several profile files, stopped after each file-system step and
// failed at each step with ENOSPC, EACCES and EIO: the profile folder is always wholly old or
// wholly new (see support/CrashHarness.h).

#include <gtest/gtest.h>

#include <filesystem>

#include "ProfileTestDir.h"
#include "support/CrashHarness.h"
#include "macros/MacroStore.h"
#include "profile/ApplyProfile.h"
#include "profile/ProfileListOperations.h"
#include "profile/ProfileOperations.h"

using namespace zentro;
using namespace zentro::test;

namespace {

// Profiles A, B, C with settings and labels of their own, the factory pair, a macro file,
// and profile B loaded; every run starts from exactly these files.
class CrashConsistency : public ::testing::Test {
protected:
    CProfileTestDir dir;

    void LayOut()
    {
        std::filesystem::remove_all(dir.Path(""));
        std::filesystem::create_directories(dir.Path(""));
        ResetCoreProgramStateForTest();
        LoadLanguageTexts("EN");
        WriteThreeListedProfiles(dir);
        dir.Write("record.ini", "[MacroName]\nMacroCount=2\n0=Fire\n1=Reload\n"
                                "[Fire]\nMacroLoopTimes=1\nItemCount=2\nItem0=A Dn\nItem1=A Up\n"
                                "[Reload]\nMacroLoopTimes=3\nItemCount=2\nItem0=R Dn\n"
                                "Item1=R Up\n");
        FlushPrivateProfileCache();
        LoadProfileSettings();
        ReadProfileTexts();
        g_nSelectedProfile = CurrentProfileNumber;
    }

    CrashCase Case(std::string name, std::function<bool()> run,
                   std::function<void()> checkAfterFailure = {})
    {
        return {std::move(name), dir.Path(""), [this] { LayOut(); }, std::move(run),
                std::move(checkAfterFailure)};
    }
};

TEST_F(CrashConsistency, ConfirmingTheProfileListIsAllOrNothing)
{
    const struct {
        const char* name;
        std::vector<EditedProfileEntry> entries;
        int selected;
    } cases[] = {
        {"delete the middle entry", {{"A", 0, false}, {"C", 2, false}}, 1},
        {"copy", {{"A", 0, false}, {"B", 1, false}, {"C", 2, false}, {"Copy A", 0, true}}, 3},
        {"new entry", {{"A", 0, false}, {"B", 1, false}, {"C", 2, false}, {"New", -1, false}}, 0},
        {"renumber, copy and new at once",
         {{"C", 2, false}, {"A", 0, false}, {"Copy C", 2, true}, {"New", -1, false}},
         2},
    };
    for (const auto& c : cases) {
        const int steps = CCrashHarness::Run(
            Case(c.name, [&] { return CommitProfileList(c.entries, c.selected, 3); }));
        EXPECT_GT(steps, 4) << c.name;
    }
}

TEST_F(CrashConsistency, SavingAProfileWritesSettingsAndLabelsTogether)
{
    CCrashHarness::Run(Case("apply and save", [] {
        g_ProfileRecord = PatternRecord(77);
        g_strButtonLabel[0] = "Changed";
        return SaveProfileSettingsAndLabels("Setting-EN");
    }));
    CCrashHarness::Run(Case("import into profile 2", [this] {
        g_ProfileRecord = PatternRecord(55);
        g_strButtonLabel[0] = "Imported";
        return WriteProfilePair(dir.Path("config2.bin"), g_ProfileRecord, dir.Path("str2.ini"),
                                "Setting-EN", true);
    }));
}

TEST_F(CrashConsistency, MacroEditsReplaceTheMacroFileWhole)
{
    CMacroStore* store = nullptr;
    CMacroStore storage(dir.Path("record.ini"));
    store = &storage;
    auto withStore = [&](auto edit) {
        return [&, edit] {
            *store = CMacroStore(dir.Path("record.ini"));
            store->LoadMacroList();
            return edit(*store);
        };
    };
    CCrashHarness::Run(Case("rename", withStore([](CMacroStore& s) {
                                return s.RenameMacro("Sniper") == MacroStoreResult::Done;
                            }),
                            [&] {
                                // A failed rename keeps the old name, listed and selected.
                                ASSERT_EQ(store->Names().size(), 2u);
                                EXPECT_EQ(store->Names()[0], "Fire");
                            }));
    CCrashHarness::Run(Case("delete", withStore([](CMacroStore& s) {
                                return s.DeleteMacro() == MacroStoreResult::Done;
                            }),
                            [&] { EXPECT_EQ(store->Names().size(), 2u); }));
    ResetMacroStateForTest();
}

TEST_F(CrashConsistency, ALinkAmongTheProfileFilesMovesAsALink)
{
    // Profile 1's settings are a link to a file outside the folder: deleting profile 0 moves
    // the link to number 0; the file it leads to is never written.
    CTempDir outside("outside");
    const std::string target = outside.Path("shared.bin");
    auto layOutWithLink = [&] {
        LayOut();
        std::filesystem::copy_file(dir.Path("config1.bin"), target,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(dir.Path("config1.bin"));
        std::filesystem::create_symlink(target, dir.Path("config1.bin"));
    };
    layOutWithLink();
    const std::string shared = dir.ReadText("config1.bin");
    CrashCase c = Case("delete before a link", [] {
        return CommitProfileList({{"B", 1, false}, {"C", 2, false}}, 0, 3);
    });
    c.setup = layOutWithLink;
    CCrashHarness::Run(c);
    layOutWithLink();
    ASSERT_TRUE(CommitProfileList({{"B", 1, false}, {"C", 2, false}}, 0, 3));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("config0.bin")));
    EXPECT_EQ(std::filesystem::read_symlink(dir.Path("config0.bin")), target);
    EXPECT_EQ(dir.ReadText("config0.bin"), shared);
}

} // namespace
