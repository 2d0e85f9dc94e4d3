#pragma once

#include <array>
#include <cstddef>
#include <string>

// Names of the multimedia, basic and additional commands of the button menus, held once per
// language and independent of the current language code. Index i of a table belongs to the
// i-th command of its menu (multimedia 2050-2057, basic 2060-2069, additional 2030-2036).

namespace zentro {

enum CommandNameLanguage : size_t {
    LANGUAGE_EN = 0,
    LANGUAGE_DE = 1,
    LANGUAGE_CHS = 2,
    LANGUAGE_CHT = 3,
    LANGUAGE_COUNT = 4,
};

constexpr size_t MEDIA_NAME_COUNT = 8;
constexpr size_t BASIC_NAME_COUNT = 10;
constexpr size_t COMMAND_NAME_COUNT = 7;

using MediaNameTable = std::array<std::string, MEDIA_NAME_COUNT>;
using BasicNameTable = std::array<std::string, BASIC_NAME_COUNT>;
using CommandNameTable = std::array<std::string, COMMAND_NAME_COUNT>;

// Indexed by CommandNameLanguage.
extern const std::array<MediaNameTable, LANGUAGE_COUNT> g_strMediaNames;
extern const std::array<BasicNameTable, LANGUAGE_COUNT> g_strBasicNames;
extern const std::array<CommandNameTable, LANGUAGE_COUNT> g_strCommandNames;

// The table language for a language code: "CHS", "CHT" and "DE" pick their own tables, any
// other code (also an unrecognised or empty one) the English ones.
CommandNameLanguage CommandNameLanguageFor(const std::string& code);

const MediaNameTable& MediaNamesFor(const std::string& code);
const BasicNameTable& BasicNamesFor(const std::string& code);
const CommandNameTable& CommandNamesFor(const std::string& code);

} // namespace zentro
