#include "CoreReset.h"
#include "text/LanguageTexts.h"

#include "text/ExpectedUiTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zentro {
namespace {

using test::ExpectedUiText;
using test::kExpectedUiTexts;

class LanguageTextsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCoreStateForTest(); }
    void TearDown() override { ResetCoreStateForTest(); }
};

struct LanguageColumn {
    const char* code;
    const char* ExpectedUiText::*column;
};

const LanguageColumn kLanguages[] = {
    {"EN", &ExpectedUiText::en},
    {"DE", &ExpectedUiText::de},
    {"CHS", &ExpectedUiText::chs},
    {"CHT", &ExpectedUiText::cht},
};

// Checks the whole table after loading `code`: every listed entry holds its text, every other
// entry is empty.
void ExpectTableFor(const LanguageColumn& language)
{
    std::set<int> listed;
    for (const ExpectedUiText& row : kExpectedUiTexts) {
        listed.insert(row.entry);
        EXPECT_EQ(g_strUiText[row.entry], row.*language.column)
            << language.code << " entry " << row.entry;
    }
    for (size_t i = 0; i < UI_TEXT_COUNT; ++i) {
        if (listed.count(static_cast<int>(i)) == 0) {
            EXPECT_EQ(g_strUiText[i], "") << language.code << " entry " << i;
        }
    }
}

void ExpectAllEmpty(const std::string& what)
{
    for (size_t i = 0; i < UI_TEXT_COUNT; ++i) {
        EXPECT_EQ(g_strUiText[i], "") << what << " entry " << i;
    }
}

TEST_F(LanguageTextsTest, TableStartsEmpty)
{
    EXPECT_EQ(g_strUiText.size(), 590u);
    ExpectAllEmpty("initial");
}

TEST_F(LanguageTextsTest, EachLanguageFillsExactlyItsTexts)
{
    for (const LanguageColumn& language : kLanguages) {
        ResetTextTablesForTest();
        LoadLanguageTexts(language.code);
        ExpectTableFor(language);
    }
}

TEST_F(LanguageTextsTest, UnrecognisedCodesLeaveEveryEntryEmpty)
{
    for (const char* code : {"", "de", "en", "chs", "Cht", "DE ", " EN", "ENG", "D", "ZH"}) {
        LoadLanguageTexts(code);
        ExpectAllEmpty(std::string("code \"") + code + "\"");
    }
}

TEST_F(LanguageTextsTest, LoadingAnotherLanguageLeavesNothingOfTheFirst)
{
    LoadLanguageTexts("EN");
    LoadLanguageTexts("DE");
    ExpectTableFor(kLanguages[1]);
    // English has 588/589, German has not: they must be empty now.
    EXPECT_EQ(g_strUiText[588], "");
    EXPECT_EQ(g_strUiText[589], "");

    LoadLanguageTexts("CHT");
    ExpectTableFor(kLanguages[3]);

    LoadLanguageTexts("xx");
    ExpectAllEmpty("after an unknown code");
}

TEST_F(LanguageTextsTest, SelectedEntriesOfEachLanguage)
{
    LoadLanguageTexts("DE");
    EXPECT_EQ(g_strUiText[0], "Setting-DE");
    EXPECT_EQ(g_strUiText[19], "DPI-Einstellung");
    EXPECT_EQ(g_strUiText[523],
              "Mindestens eine Taste muss mit der \xE2\x80\x9EKlick\xE2\x80\x9C-Funktion "
              "belegt sein.");

    LoadLanguageTexts("CHT");
    EXPECT_EQ(g_strUiText[491], "\xE4\xBA\xAE\xE5\xBA\xA6"); // 亮度
    EXPECT_EQ(g_strUiText[523], "至少要有一個按鍵必須設定\"點擊\"功能");

    LoadLanguageTexts("EN");
    EXPECT_EQ(g_strUiText[46], "Scroll One screenn");
    EXPECT_EQ(g_strUiText[500], "Scroll ");
    EXPECT_EQ(g_strUiText[540], "Switch DPI into the seven stage ");
    EXPECT_EQ(g_strUiText[523], "At least one button must be set as the \"click\" function.");
    EXPECT_EQ(g_strUiText[524], "");

    LoadLanguageTexts("CHS");
    EXPECT_EQ(g_strUiText[0], "Setting-CHS");
    EXPECT_EQ(g_strUiText[588], "关闭");
    EXPECT_EQ(g_strUiText[589], "开启");
}

TEST_F(LanguageTextsTest, DpiStageMessagesFollowTheStageNumber)
{
    const char* const ordinals[] = {"first", "second", "third", "fourth",
                                    "fifth", "sixth",  "seven"};
    LoadLanguageTexts("EN");
    for (int stage = 1; stage <= 7; ++stage) {
        EXPECT_EQ(g_strUiText[533 + stage],
                  std::string("Switch DPI into the ") + ordinals[stage - 1] + " stage ");
    }
}

TEST_F(LanguageTextsTest, DpiActionNamesStartInEnglishAndResetRestoresThem)
{
    const std::array<std::string, 3> initial = {"DPI +", "DPI -", "DPI Loop"};
    EXPECT_EQ(g_strDpiActionNames, initial);

    // Loading texts does not touch them; the main window copies entries 40-42 itself.
    LoadLanguageTexts("DE");
    EXPECT_EQ(g_strDpiActionNames, initial);
    g_strDpiActionNames = {g_strUiText[40], g_strUiText[41], g_strUiText[42]};
    EXPECT_EQ(g_strDpiActionNames[2], "DPI Schleife");

    g_strLanguage = "DE";
    ResetTextTablesForTest();
    EXPECT_EQ(g_strDpiActionNames, initial);
    EXPECT_EQ(g_strLanguage, "");
    ExpectAllEmpty("after reset");
}

TEST_F(LanguageTextsTest, FaceFollowsLanguageCode)
{
    const struct {
        const char* code;
        const char* face;
    } cases[] = {
        {"CHS", "黑体"}, {"CHT", "黑体"},  {"EN", "Arial"},   {"DE", "Arial"},
        {"", "Arial"},   {"chs", "Arial"}, {"CHS ", "Arial"}, {"XX", "Arial"},
    };
    for (const auto& c : cases) {
        g_strLanguage = c.code;
        EXPECT_EQ(UiFaceName(), c.face) << '"' << c.code << '"';
    }
}

} // namespace
} // namespace zentro
