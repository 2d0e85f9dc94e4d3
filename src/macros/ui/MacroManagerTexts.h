#pragma once

#include <QString>

#include <string>

// The texts of the macro manager in one language (language codes "EN", "DE", "CHS", "CHT";
// any other code leaves every text empty).

namespace zentro {

struct MacroManagerTexts {
    QString ok;
    QString cancel;
    QString title;
    QString nameHeading;
    QString itemHeading;
    QString optionsHeading;
    QString delayOption;
    QString loopOption;
    QString newCaption;
    QString deleteCaption; // also the item menu's Delete
    QString macroWord;     // new macros are named macroWord + "_" + number
    QString startRecording;
    QString stopRecording;
    QString insertLeft;
    QString insertMiddle;
    QString insertRight;
    QString insertDelay;
    QString warningCaption;
    QString limitMessage;
};

MacroManagerTexts LoadMacroManagerTexts(const std::string& languageCode);

} // namespace zentro
