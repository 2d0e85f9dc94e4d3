#include "CoreReset.h"
#include "text/LanguageTextData.h"
#include "text/LanguageTexts.h"
#include "text/UiTextIds.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <span>
#include <string>

namespace zentro {
namespace {

class LanguageTextsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCoreStateForTest(); }
    void TearDown() override { ResetCoreStateForTest(); }
};

// The four languages, their compiled-in sets and how many entries each set fills. German has
// no texts for OFF and ON (588, 589).
struct Language {
    const char* code;
    std::span<const LanguageTextEntry> (*texts)();
    std::span<const LanguageTextEntry> (*messages)();
    size_t count;
};

const Language kLanguages[] = {
    {"EN", EnglishTexts, EnglishMessageTexts, 74},
    {"DE", GermanTexts, GermanMessageTexts, 72},
    {"CHS", SimplifiedChineseTexts, SimplifiedChineseMessageTexts, 74},
    {"CHT", TraditionalChineseTexts, TraditionalChineseMessageTexts, 74},
};
const std::set<int> kGermanGaps = {IDS_OFF, IDS_ON};
constexpr int kMessageCount = PROGRAM_TEXT_COUNT; // every ProgramTextId

std::set<int> EntriesOf(std::span<const LanguageTextEntry> texts)
{
    std::set<int> entries;
    for (const LanguageTextEntry& entry : texts) {
        entries.insert(entry.index);
    }
    return entries;
}

// The placeholders of a text (%1, %2, ... and printf's %s, %d), in order of their numbers.
std::multiset<std::string> PlaceholdersOf(const std::string& text)
{
    std::multiset<std::string> found;
    const std::regex placeholder("%([0-9]+|[sdux])");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
         it != std::sregex_iterator(); ++it) {
        found.insert(it->str());
    }
    return found;
}

// After loading `language`, the table holds exactly the texts of its set.
void ExpectTableFor(const Language& language)
{
    const std::set<int> entries = EntriesOf(language.texts());
    for (const LanguageTextEntry& entry : language.texts()) {
        EXPECT_EQ(g_strUiText[entry.index], entry.text)
            << language.code << " entry " << entry.index;
    }
    for (size_t i = 0; i < UI_TEXT_COUNT; ++i) {
        if (entries.count(static_cast<int>(i)) == 0) {
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

// Each set: its size, entries in ascending order inside the table, no empty text (an entry a
// language has no text for is left out of its set).
TEST_F(LanguageTextsTest, EachSetIsOrderedInsideTheTableWithoutEmptyTexts)
{
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.code);
        EXPECT_EQ(language.texts().size(), language.count);
        int previous = -1;
        for (const LanguageTextEntry& entry : language.texts()) {
            EXPECT_GT(static_cast<int>(entry.index), previous);
            EXPECT_LT(entry.index, UI_TEXT_COUNT);
            EXPECT_NE(std::string(entry.text), "") << "entry " << entry.index;
            previous = entry.index;
        }
    }
}

TEST_F(LanguageTextsTest, EachLanguageFillsExactlyItsTexts)
{
    for (const Language& language : kLanguages) {
        ResetTextTablesForTest();
        LoadLanguageTexts(language.code);
        ExpectTableFor(language);
    }
}

// Every language has a text wherever English has one (German but for OFF and ON) and
// nowhere else, with the same placeholders.
TEST_F(LanguageTextsTest, LanguagesFillTheSameEntriesWithTheSamePlaceholders)
{
    const std::set<int> english = EntriesOf(EnglishTexts());
    std::map<int, std::string> englishText;
    for (const LanguageTextEntry& entry : EnglishTexts()) {
        englishText[entry.index] = entry.text;
    }
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.code);
        std::set<int> expected = english;
        if (std::string(language.code) == "DE") {
            for (int gap : kGermanGaps) {
                expected.erase(gap);
            }
        }
        EXPECT_EQ(EntriesOf(language.texts()), expected);
        for (const LanguageTextEntry& entry : language.texts()) {
            EXPECT_EQ(PlaceholdersOf(entry.text), PlaceholdersOf(englishText[entry.index]))
                << "entry " << entry.index << ": " << entry.text;
        }
    }
}

// The program's messages: all of them in every language, none empty, each with the
// placeholders of the English one, and ProgramText gives the current language's.
TEST_F(LanguageTextsTest, EveryMessageInEveryLanguageWithItsPlaceholders)
{
    const auto english = EnglishMessageTexts();
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.code);
        const auto messages = language.messages();
        ASSERT_EQ(messages.size(), static_cast<size_t>(kMessageCount));
        g_strLanguage = language.code;
        for (int id = 0; id < kMessageCount; ++id) {
            EXPECT_EQ(messages[id].index, id);
            EXPECT_NE(std::string(messages[id].text), "") << "message " << id;
            EXPECT_EQ(PlaceholdersOf(messages[id].text), PlaceholdersOf(english[id].text))
                << "message " << id << ": " << messages[id].text;
            EXPECT_EQ(ProgramText(id), messages[id].text);
        }
        EXPECT_EQ(ProgramText(kMessageCount), "");
        EXPECT_EQ(ProgramText(-1), "");
    }
    g_strLanguage = "de";
    EXPECT_EQ(ProgramText(IDP_MACRO_NAME_BLANK), "");
    g_strLanguage = "EN";
    EXPECT_EQ(ProgramText(IDP_MACRO_MEMORY_USED), "Memory used: %1 of %2 bytes");
    g_strLanguage = "DE";
    EXPECT_NE(ProgramText(IDP_MACRO_MEMORY_USED), "Memory used: %1 of %2 bytes");
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
    EXPECT_EQ(g_strUiText[588], "关闭");
    EXPECT_EQ(g_strUiText[589], "开启");

    // Entry 0 names the INI section of the button labels: "Setting-" and the code.
    for (const Language& language : kLanguages) {
        LoadLanguageTexts(language.code);
        EXPECT_EQ(g_strUiText[IDS_LABEL_SECTION], std::string("Setting-") + language.code);
    }
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
