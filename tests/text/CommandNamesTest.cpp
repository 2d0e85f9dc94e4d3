#include "text/CommandNames.h"

#include "text/ExpectedUiTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace zentro {
namespace {

using test::kExpectedBasicNames;
using test::kExpectedCommandNames;
using test::kExpectedMediaNames;

template <typename Table, size_t N>
void ExpectTable(const Table& table, const char* const (&expected)[N], const std::string& what)
{
    ASSERT_EQ(table.size(), N) << what;
    for (size_t i = 0; i < N; ++i) {
        EXPECT_EQ(table[i], expected[i]) << what << " index " << i;
    }
}

// Which row of the expected tables (English, German, simplified, traditional Chinese) a code
// must select.
const struct {
    const char* code;
    int row;
} kSelection[] = {
    {"EN", 0},  {"DE", 1},  {"CHS", 2}, {"CHT", 3},  {"", 0},    {"de", 0},
    {"chs", 0}, {"cht", 0}, {"XX", 0},  {"CHT ", 0}, {"DEU", 0}, {"ch", 0},
};

TEST(CommandNames, EachCodeSelectsItsLanguageWithEnglishAsFallback)
{
    for (const auto& s : kSelection) {
        const std::string what = std::string("code \"") + s.code + "\"";
        ExpectTable(MediaNamesFor(s.code), kExpectedMediaNames[s.row], what + " media");
        ExpectTable(BasicNamesFor(s.code), kExpectedBasicNames[s.row], what + " basic");
        ExpectTable(CommandNamesFor(s.code), kExpectedCommandNames[s.row], what + " command");
        EXPECT_EQ(static_cast<int>(CommandNameLanguageFor(s.code)), s.row) << what;
    }
}

TEST(CommandNames, GlobalTablesAreIndexedByLanguage)
{
    const CommandNameLanguage order[] = {LANGUAGE_EN, LANGUAGE_DE, LANGUAGE_CHS, LANGUAGE_CHT};
    for (int row = 0; row < 4; ++row) {
        const std::string what = "language " + std::to_string(row);
        ExpectTable(g_strMediaNames[order[row]], kExpectedMediaNames[row], what);
        ExpectTable(g_strBasicNames[order[row]], kExpectedBasicNames[row], what);
        ExpectTable(g_strCommandNames[order[row]], kExpectedCommandNames[row], what);
    }
}

TEST(CommandNames, FirstMultimediaEntryPerLanguage)
{
    EXPECT_EQ(MediaNamesFor("DE")[0], "Mediaplayer öffnen");
    EXPECT_EQ(MediaNamesFor("EN")[0], "Open Media Player");
    EXPECT_EQ(BasicNamesFor("DE")[8], "Rückgängig machen");
    EXPECT_EQ(CommandNamesFor("CHT")[2], "搜尋程式及檔案");
}

} // namespace
} // namespace zentro
