#include "text/CommandNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zentro {

namespace {

// Which table (English, German, simplified, traditional Chinese) a code must select.
const struct {
    const char* code;
    CommandNameLanguage language;
} kSelection[] = {
    {"EN", LANGUAGE_EN}, {"DE", LANGUAGE_DE},   {"CHS", LANGUAGE_CHS}, {"CHT", LANGUAGE_CHT},
    {"", LANGUAGE_EN},   {"de", LANGUAGE_EN},   {"chs", LANGUAGE_EN},  {"cht", LANGUAGE_EN},
    {"XX", LANGUAGE_EN}, {"CHT ", LANGUAGE_EN}, {"DEU", LANGUAGE_EN},  {"ch", LANGUAGE_EN},
};

TEST(CommandNames, EachCodeSelectsItsLanguageWithEnglishAsFallback)
{
    for (const auto& s : kSelection) {
        SCOPED_TRACE(std::string("code \"") + s.code + "\"");
        EXPECT_EQ(CommandNameLanguageFor(s.code), s.language);
        EXPECT_EQ(&MediaNamesFor(s.code), &g_strMediaNames[s.language]);
        EXPECT_EQ(&BasicNamesFor(s.code), &g_strBasicNames[s.language]);
        EXPECT_EQ(&CommandNamesFor(s.code), &g_strCommandNames[s.language]);
    }
}

// Each menu item has a name, and no two items of one menu share it.
template <typename Table> void ExpectNamedAndDistinct(const Table& table, const std::string& what)
{
    std::set<std::string> seen;
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_NE(table[i], "") << what << " index " << i;
        EXPECT_TRUE(seen.insert(table[i]).second) << what << " index " << i << ": " << table[i];
    }
}

TEST(CommandNames, EveryNameIsGivenAndUniqueInItsMenu)
{
    for (size_t language = 0; language < LANGUAGE_COUNT; ++language) {
        const std::string what = "language " + std::to_string(language);
        ExpectNamedAndDistinct(g_strMediaNames[language], what + " media");
        ExpectNamedAndDistinct(g_strBasicNames[language], what + " basic");
        ExpectNamedAndDistinct(g_strCommandNames[language], what + " command");
    }
}

// A few known names show that each table holds its own language.
TEST(CommandNames, KnownNamesOfEachLanguage)
{
    EXPECT_EQ(MediaNamesFor("EN")[0], "Open Media Player");
    EXPECT_EQ(BasicNamesFor("EN")[9], "Select All");
    EXPECT_EQ(CommandNamesFor("EN")[6], "Run");
    EXPECT_EQ(MediaNamesFor("DE")[0], "Mediaplayer öffnen");
    EXPECT_EQ(BasicNamesFor("DE")[8], "Rückgängig machen");
    EXPECT_EQ(CommandNamesFor("DE")[0], "Arbeitsplatz");
    EXPECT_EQ(MediaNamesFor("CHS")[7], "音量-");
    EXPECT_EQ(BasicNamesFor("CHS")[1], "剪切");
    EXPECT_EQ(CommandNamesFor("CHS")[0], "我的电脑");
    EXPECT_EQ(MediaNamesFor("CHT")[6], "提高音量");
    EXPECT_EQ(BasicNamesFor("CHT")[1], "剪下");
    EXPECT_EQ(CommandNamesFor("CHT")[2], "搜尋程式及檔案");
}

} // namespace
} // namespace zentro
