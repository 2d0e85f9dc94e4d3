#pragma once

#include <string>

// The texts of the profile list popup, per language. They are the popup's own: the main text
// table has no entries for them.

namespace zentro {

struct ProfileListTexts {
    const char* title;
    const char* namePrefix; // new entries are named prefix + " " + number
    const char* newText;
    const char* deleteText;
    const char* editText;
    const char* copyText;
    const char* loadText;
    const char* saveText;
    const char* caption; // of the limit message
    const char* limitMessage;
};

// The texts for a language code: "DE", "CHS" and "CHT" have their own; any other code gives
// the English ones.
const ProfileListTexts& ProfileListTextsFor(const std::string& code);

// The face of the popup's font: "黑体" for "CHT", "宋体" for "CHS", otherwise "Arial".
const char* ProfileListFontFace(const std::string& code);

} // namespace zentro
