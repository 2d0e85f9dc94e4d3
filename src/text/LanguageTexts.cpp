#include "text/LanguageTexts.h"

#include "text/LanguageTextData.h"

namespace zentro {

namespace {

const std::array<std::string, 3> kInitialDpiActionNames = {"DPI +", "DPI -", "DPI Loop"};

} // namespace

std::string g_strLanguage;
std::array<std::string, UI_TEXT_COUNT> g_strUiText;
std::array<std::string, 3> g_strDpiActionNames = kInitialDpiActionNames;

void LoadLanguageTexts(const std::string& code)
{
    // Start from an empty table: loading a second language must not leave texts of the first
    // one behind in entries the second does not fill.
    for (std::string& text : g_strUiText) {
        text.clear();
    }

    std::span<const LanguageTextEntry> texts;
    if (code == "CHS") {
        texts = SimplifiedChineseTexts();
    } else if (code == "CHT") {
        texts = TraditionalChineseTexts();
    } else if (code == "EN") {
        texts = EnglishTexts();
    } else if (code == "DE") {
        texts = GermanTexts();
    }
    for (const LanguageTextEntry& entry : texts) {
        if (entry.index < g_strUiText.size()) {
            g_strUiText[entry.index] = entry.text;
        }
    }
}

std::string ProgramText(int id)
{
    std::span<const LanguageTextEntry> texts;
    if (g_strLanguage == "CHS") {
        texts = SimplifiedChineseMessageTexts();
    } else if (g_strLanguage == "CHT") {
        texts = TraditionalChineseMessageTexts();
    } else if (g_strLanguage == "EN") {
        texts = EnglishMessageTexts();
    } else if (g_strLanguage == "DE") {
        texts = GermanMessageTexts();
    }
    for (const LanguageTextEntry& entry : texts) {
        if (entry.index == id) {
            return entry.text;
        }
    }
    return {};
}

const std::string& UiFaceName()
{
    static const std::string kChineseFace = "黑体";
    static const std::string kLatinFace = "Arial";
    if (g_strLanguage == "CHS" || g_strLanguage == "CHT") {
        return kChineseFace;
    }
    return kLatinFace;
}

void ResetTextTablesForTest()
{
    g_strLanguage.clear();
    for (std::string& text : g_strUiText) {
        text.clear();
    }
    g_strDpiActionNames = kInitialDpiActionNames;
}

} // namespace zentro
