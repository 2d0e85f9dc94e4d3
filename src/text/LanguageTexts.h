#pragma once

#include <array>
#include <cstddef>
#include <string>

// The language code and the text table of the current language. Every text the user sees is
// taken from g_strUiText by entry number; entry 0 is not shown but names the INI section that
// holds the button labels of the current language.

namespace zentro {

constexpr size_t UI_TEXT_COUNT = 590;

// Language code of the program: "EN", "DE", "CHS" or "CHT" (exact, case matters). Read once at
// start from the current profile; any other value leaves the texts empty.
extern std::string g_strLanguage;

// The text table of the current language, UTF-8. All entries are empty until LoadLanguageTexts.
extern std::array<std::string, UI_TEXT_COUNT> g_strUiText;

// Menu texts of the three DPI functions; the main window overwrites them with entries 40-42 of
// the current language after loading the texts.
extern std::array<std::string, 3> g_strDpiActionNames;

// Fills g_strUiText for `code`. The table is emptied first, so that only the texts of `code`
// are present afterwards; an unrecognised code leaves every entry empty.
void LoadLanguageTexts(const std::string& code);

// A message of the program (ProgramTextId, text/UiTextIds.h) in the current language; empty
// for a language without texts or an unknown number.
std::string ProgramText(int id);

// The font face for windows that draw their own text: "黑体" for "CHS" and "CHT", otherwise
// "Arial". Follows g_strLanguage.
const std::string& UiFaceName();

// Puts g_strLanguage, g_strUiText and g_strDpiActionNames back to their state at program start.
void ResetTextTablesForTest();

} // namespace zentro
