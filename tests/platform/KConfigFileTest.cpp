#include <gtest/gtest.h>

#include <fstream>

#include "platform/KConfigFile.h"
#include "support/FileContents.h"
#include "support/TempDir.h"

using namespace zentro;
using zentro::test::ReadFile;

// Each case starts from a file, sets one entry and expects the whole file after it: other
// groups, keys, comments and the order stay as they were.
TEST(KConfigFile, SetsOneEntryAndLeavesTheRestAlone)
{
    struct Case {
        const char* what;
        const char* before; // nullptr: no file yet
        std::vector<std::string> groups;
        const char* key;
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        {"a new file",
         nullptr,
         {"KDE"},
         "DoubleClickInterval",
         "340",
         "[KDE]\nDoubleClickInterval=340\n"},
        {"a key replaced in its group only",
         "[General]\nWheelScrollLines=1\n\n[KDE]\nWheelScrollLines=3\nSingleClick=false\n",
         {"KDE"},
         "WheelScrollLines",
         "7",
         "[General]\nWheelScrollLines=1\n\n[KDE]\nWheelScrollLines=7\nSingleClick=false\n"},
        {"a new key at the end of its group, before the blank line",
         "[KDE]\nSingleClick=false\n\n[Icons]\nTheme=breeze\n",
         {"KDE"},
         "WheelScrollLines",
         "7",
         "[KDE]\nSingleClick=false\nWheelScrollLines=7\n\n[Icons]\nTheme=breeze\n"},
        {"a new group after the others",
         "# comment\n[Icons]\nTheme=breeze\n",
         {"Mouse"},
         "XLbInptPointerAcceleration",
         "1",
         "# comment\n[Icons]\nTheme=breeze\n\n[Mouse]\nXLbInptPointerAcceleration=1\n"},
        {"a key with flags and spaces is the same key",
         "[Mouse]\nXLbInptPointerAcceleration[$i] = 0.2\n",
         {"Mouse"},
         "XLbInptPointerAcceleration",
         "-0.5",
         "[Mouse]\nXLbInptPointerAcceleration=-0.5\n"},
        {"nested groups, brackets in a name",
         "[Libinput][1133][49271][Mouse A]\nPointerAcceleration=0.000\n",
         {"Libinput", "1133", "49271", "Mouse [B]"},
         "PointerAcceleration",
         "1.000",
         "[Libinput][1133][49271][Mouse A]\nPointerAcceleration=0.000\n\n"
         "[Libinput][1133][49271][Mouse \\x5bB\\x5d]\nPointerAcceleration=1.000\n"},
        {"a prefix of a key is another key",
         "[KDE]\nWheelScrollLinesX=2\n",
         {"KDE"},
         "WheelScrollLines",
         "7",
         "[KDE]\nWheelScrollLinesX=2\nWheelScrollLines=7\n"},
    };
    for (const Case& c : cases) {
        test::CTempDir dir("kconfig");
        const std::string path = dir.Path() + "/sub/kdeglobals";
        if (c.before != nullptr) {
            ASSERT_TRUE(WriteKConfigEntry(path, {"Seed"}, "x", "y")); // makes the folder
            std::ofstream(path, std::ios::binary | std::ios::trunc) << c.before;
        }
        ASSERT_TRUE(WriteKConfigEntry(path, c.groups, c.key, c.value)) << c.what;
        EXPECT_EQ(ReadFile(path), c.after) << c.what;
        EXPECT_EQ(ReadKConfigEntry(path, c.groups, c.key), c.value) << c.what;
    }
}

TEST(KConfigFile, UnwritableFolderFailsAndLeavesNoFile)
{
    test::CTempDir dir("kconfig");
    const std::string blocker = dir.Path() + "/file";
    std::ofstream(blocker) << "not a folder";
    EXPECT_FALSE(WriteKConfigEntry(blocker + "/kdeglobals", {"KDE"}, "WheelScrollLines", "7"));
    EXPECT_EQ(ReadFile(blocker), "not a folder");
    EXPECT_EQ(ReadKConfigEntry(dir.Path() + "/missing", {"KDE"}, "WheelScrollLines"), "");
}
