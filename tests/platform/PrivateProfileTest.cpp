#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/PrivateProfile.h"
#include "support/FileContents.h"

using namespace zentro;
namespace fs = std::filesystem;

namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("zentro-ini-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "test.ini").string();
        FlushPrivateProfileCache();
    }
    void TearDown() override { fs::remove_all(dir); }

    void Put(const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        // Another program writing the file: make sure its stamp changes for the cache.
        fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(++stamp));
    }
    std::string Bytes() const { return test::ReadFile(path); }
    std::string Get(const std::string& section, const std::string& key,
                    const std::string& def = "<none>")
    {
        return GetPrivateProfileString(section, key, def, path);
    }

    fs::path dir;
    std::string path;
    int stamp = 0;
};

std::string Utf16(const std::string& ascii)
{
    std::string out("\xFF\xFE", 2);
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

} // namespace

TEST_F(PrivateProfileTest, ReadingFollowsTheWindowsRules)
{
    Put("; comment\r\n"
        "orphan=before any section\r\n"
        "[Profile]\r\n"
        "ItemCount = 3 \r\n"
        "  Item0=A\r\n"
        "item0=second copy\r\n"
        "Quoted=\"  spaced  \"\r\n"
        "Single='x'\r\n"
        "Mismatched=\"x'\r\n"
        "Empty=\r\n"
        "no equals sign here\r\n"
        "Eq=a=b\r\n"
        "[ profile ]\r\n"
        "Other=from the duplicate section\r\n"
        "[Setting-EN]\r\n"
        "Item1=Click\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Profile", "ItemCount", "3"},    {"PROFILE", "itemcount", "3"},
        {"Profile", "Item0", "A"},        {"Profile", "Quoted", "  spaced  "},
        {"Profile", "Single", "x"},       {"Profile", "Mismatched", "\"x'"},
        {"Profile", "Empty", ""},         {"Profile", "Eq", "a=b"},
        {"Profile", "Other", "<none>"},   {"Profile", "orphan", "<none>"},
        {"setting-en", "ITEM1", "Click"}, {"Missing", "Item1", "<none>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Get(c.section, c.key), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(GetPrivateProfileString("a", "b", "dflt", (dir / "missing.ini").string()), "dflt");
}

TEST_F(PrivateProfileTest, EncodingsAndLineEnds)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"LF", "[S]\nK=v\n"},
        {"CRLF", "[S]\r\nK=v\r\n"},
        {"no final line end", "[S]\nK=v"},
        {"UTF-8 BOM", "\xEF\xBB\xBF[S]\r\nK=v\r\n"},
        {"UTF-16LE BOM", Utf16("[S]\r\nK=v\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Put(c.bytes);
        EXPECT_EQ(Get("S", "K"), "v");
        ASSERT_TRUE(WritePrivateProfileString("S", "K", "w", path));
        ASSERT_TRUE(WritePrivateProfileString("S", "New", "n", path));
        std::string expected = c.bytes;
        // The file keeps its encoding and line ends; only the changed lines differ.
        std::string after = Bytes();
        EXPECT_EQ(after.substr(0, 2), expected.substr(0, 2));
        EXPECT_EQ(Get("S", "K"), "w");
        EXPECT_EQ(Get("S", "New"), "n");
    }
    Put(Utf16("[S]\r\nK=v\r\n"));
    ASSERT_TRUE(WritePrivateProfileString("S", "K", "w", path));
    EXPECT_EQ(Bytes(), Utf16("[S]\r\nK=w\r\n"));
    Put("[S]\nK=v\n");
    ASSERT_TRUE(WritePrivateProfileString("S", "K", "w", path));
    EXPECT_EQ(Bytes(), "[S]\nK=w\n");
}

TEST_F(PrivateProfileTest, Utf8TextsSurviveBothEncodings)
{
    Put("[Setting-CHS]\r\nItem1=\xE5\xB7\xA6\xE9\x94\xAE\r\n");
    EXPECT_EQ(Get("Setting-CHS", "Item1"), "\xE5\xB7\xA6\xE9\x94\xAE");
    std::string utf16("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0\x2D\x4E\x3D\xD8\x00\xDE", 22);
    Put(utf16);
    EXPECT_EQ(Get("S", "K"), "\xE4\xB8\xAD\xF0\x9F\x98\x80"); // U+4E2D, U+1F600
    ASSERT_TRUE(WritePrivateProfileString("S", "K2", "\xC3\xBC", path));
    EXPECT_EQ(Get("S", "K"), "\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(Get("S", "K2"), "\xC3\xBC");
    // Broken input does not break the reader.
    Put(std::string("[S]\nK=\xFF\xC3\n", 9));
    EXPECT_EQ(Get("S", "K").size(), 2u);
    Put(std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0\x00\xD8\x41", 17));
    EXPECT_EQ(Get("S", "K"), "\xEF\xBF\xBD");
}

TEST_F(PrivateProfileTest, LongValuesAreCutAt1023Characters)
{
    Put("[S]\nLong=" + std::string(5000, 'x') + "\nAfter=ok\n");
    EXPECT_EQ(Get("S", "Long"), std::string(1023, 'x'));
    EXPECT_EQ(Get("S", "After"), "ok");
    // Two-byte characters are counted as characters and never split.
    std::string umlauts;
    for (int i = 0; i < 1100; ++i)
        umlauts += "\xC3\xBC";
    Put("[S]\nU=" + umlauts + "\n");
    EXPECT_EQ(Get("S", "U").size(), 2u * 1023);
}

TEST_F(PrivateProfileTest, WritingKeepsEveryOtherLine)
{
    Put("; header comment\r\n[A]\r\nx = 1\r\n; inside\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    ASSERT_TRUE(WritePrivateProfileString("a", "X", "10", path));
    ASSERT_TRUE(WritePrivateProfileString("A", "w", "new", path));
    ASSERT_TRUE(WritePrivateProfileString("C", "k", "v", path));
    EXPECT_EQ(Bytes(),
              "; header comment\r\n[A]\r\nX=10\r\n; inside\r\ny=2\r\nw=new\r\n\r\n[B]\r\nz=3\r\n"
              "[C]\r\nk=v\r\n");
}

TEST_F(PrivateProfileTest, SeveralKeysAtOnceMatchOneWriteEach)
{
    const std::string start = "; c\r\n[Setting-EN]\r\nItem2 = old\r\n\r\n[Other]\r\nItem1=keep\r\n";
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"Item1", "Click"}, {"item2", "Menu"}, {"Item3", "Scroll "}, {"Item1", "Twice"}};
    Put(start);
    for (const auto& [key, value] : pairs)
        ASSERT_TRUE(WritePrivateProfileString("Setting-EN", key, value, path));
    const std::string oneByOne = Bytes();
    Put(start);
    ASSERT_TRUE(WritePrivateProfileStrings("Setting-EN", pairs, path));
    EXPECT_EQ(Bytes(), oneByOne);
    // A section that does not exist yet is made once and then filled.
    for (const auto& [key, value] : pairs)
        ASSERT_TRUE(WritePrivateProfileString("Setting-DE", key, value, path));
    const std::string newSectionOneByOne = Bytes();
    Put(oneByOne);
    ASSERT_TRUE(WritePrivateProfileStrings("Setting-DE", pairs, path));
    EXPECT_EQ(Bytes(), newSectionOneByOne);

    // A refused pair stops the batch there; the pairs before it are written.
    Put(start);
    EXPECT_FALSE(WritePrivateProfileStrings(
        "Setting-EN", {{"Item1", "a"}, {"Item2", "line\nbreak"}, {"Item3", "c"}}, path));
    EXPECT_EQ(Get("Setting-EN", "Item1"), "a");
    EXPECT_EQ(Get("Setting-EN", "Item2"), "old");
    EXPECT_EQ(Get("Setting-EN", "Item3"), "<none>");
    // An empty batch creates the file and nothing else.
    const std::string fresh = (dir / "fresh.ini").string();
    EXPECT_TRUE(WritePrivateProfileStrings("S", {}, fresh));
    EXPECT_TRUE(fs::exists(fresh));
}

TEST_F(PrivateProfileTest, WritingCreatesFileSectionAndKey)
{
    ASSERT_TRUE(WritePrivateProfileString("Profile", "IsDefault", "Y", path));
    EXPECT_EQ(Bytes(), "[Profile]\r\nIsDefault=Y\r\n");
    EXPECT_FALSE(
        WritePrivateProfileString("S", "K", "v", (dir / "no-such-dir" / "x.ini").string()));
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "line\nbreak", path));
    EXPECT_FALSE(WritePrivateProfileString("", "K", "v", path));
    // Names that would not read back are refused instead of reported as written.
    EXPECT_FALSE(WritePrivateProfileString("a]b", "K", "v", path));
    EXPECT_FALSE(WritePrivateProfileString("S", ";K", "v", path));
    EXPECT_FALSE(WritePrivateProfileString("S", " [K]", "v", path));
    EXPECT_FALSE(WritePrivateProfileString("S", "K=1", "v", path));
    EXPECT_EQ(Bytes(), "[Profile]\r\nIsDefault=Y\r\n");
}

TEST_F(PrivateProfileTest, DeletingKeysAndSections)
{
    Put("[A]\nk=1\nK=2\nj=3\n[B]\nk=4\n[A]\nk=5\n");
    ASSERT_TRUE(DeletePrivateProfileKey("A", "k", path));
    EXPECT_EQ(Bytes(), "[A]\nj=3\n[B]\nk=4\n[A]\nk=5\n");
    // The first [A] has no k any more; the second one never counts.
    EXPECT_EQ(Get("A", "k"), "<none>");
    ASSERT_TRUE(DeletePrivateProfileSection("B", path));
    EXPECT_EQ(Bytes(), "[A]\nj=3\n[A]\nk=5\n");
    ASSERT_TRUE(DeletePrivateProfileSection("missing", path));
    ASSERT_TRUE(DeletePrivateProfileKey("A", "missing", path));
    ASSERT_TRUE(DeletePrivateProfileKey("A", "j", (dir / "missing.ini").string()));
    ASSERT_TRUE(WritePrivateProfileString("A", "k", "again", path));
    EXPECT_EQ(Get("A", "k"), "again");
}

TEST_F(PrivateProfileTest, ChangesByOtherProgramsAreSeen)
{
    Put("[S]\nK=one\n");
    EXPECT_EQ(Get("S", "K"), "one");
    Put("[S]\nK=two\n");
    EXPECT_EQ(Get("S", "K"), "two");
    fs::remove(path);
    EXPECT_EQ(Get("S", "K"), "<none>");
}

TEST_F(PrivateProfileTest, ReplacementIsAtomicAndKeepsPermissions)
{
    Put("[S]\nK=v\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WritePrivateProfileString("S", "K", "w", path));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    size_t files = 0;
    for (auto& e : fs::directory_iterator(dir)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1u); // no temporary file left behind
}
