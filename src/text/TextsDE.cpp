// The German user-interface texts, by entry number.

#include "text/LanguageTextData.h"

namespace zentro {

namespace {

constexpr LanguageTextEntry kTexts[] = {
    {0, "Setting-DE"},
    {6, "ZENTRO gaming mouse"},
    {9, "Zurücksetzen"},
    {10, "Abbrechen"},
    {11, "Anwenden"},
    {12, "Spiel-Profile"},
    {13, "Top view"},
    {14, "Side View"},
    {15, "Back"},
    {16, "Tastenbelegung"},
    {17, "Makro-Manager"},
    {18, "Achsen-Empfindlichkeit"},
    {19, "DPI-Einstellung"},
    {20, "Lighting"},
    {21, "Polling-Rate"},
    {22, "Mausgeschwindigkeit"},
    {23, "Doppelklick-Geschwindigkeit"},
    {24, "Scroll-Geschwindigkeit"},
    {25, "Angle Snapping"},
    {26, "x-Achse"},
    {27, "y-Achse"},
    {28, "Taste 1"},
    {29, "Taste 2"},
    {30, "Taste 3"},
    {31, "Taste 4"},
    {32, "Taste 5"},
    {33, "Taste 6"},
    {34, "Taste 7"},
    {35, "Taste 8"},
    {36, "Taste 9"},
    {37, "Taste 10"},
    {38, "Taste 11"},
    {39, "Taste 12"},
    {40, "DPI +"},
    {41, "DPI -"},
    {42, "DPI Schleife"},
    {43, "Langsam"},
    {44, "Schnell"},
    {45, "Folgende Anzahl Zeilen"},
    {46, "Eine Bildschirmseite"},
    {491, "Standard"},
    {492, "Respiration"},
    {493, "Neon"},
    {498, "Klick"},
    {499, "Menü"},
    {500, "Scrollen"},
    {501, "Vorwärts"},
    {502, "Zurück"},
    {504, "DPI-Einstellung +"},
    {508, "Zusätzliche-Funktionen +"},
    {509, "Multimedia-Funktionen +"},
    {510, "Grundlegende-Funktionen +"},
    {512, "Keyboard-Taste zuweisen +"},
    {515, "Makro"},
    {516, "Deaktiviert"},
    {517, "Left Tilt Scroll"},
    {518, "Right Tilt Scroll"},
    {519, "Doppelklick"},
    {523, "Mindestens eine Taste muss mit der „Klick“-Funktion belegt sein."},
    {534, "Switch DPI into the first stage "},
    {535, "Switch DPI into the second stage "},
    {536, "Switch DPI into the third stage "},
    {537, "Switch DPI into the fourth stage "},
    {538, "Switch DPI into the fifth stage "},
    {539, "Switch DPI into the sixth stage "},
    {540, "Switch DPI into the seven stage "},
    {545, "Switch to macro key"},
    {546, "Exit"},
    {547, "The system did not detect ZENTRO gaming mouse!"},
    {548, "The system detect ZENTRO gaming mouse."},
    {577, "Auf Werkseinstellungen zurücksetzen?"},
    {578, "ACHTUNG!!"},
};

// Messages of the macro manager, by program message number (ProgramTextId).
constexpr LanguageTextEntry kMessageTexts[] = {
    {0, "Der Makroname ist leer"},
    {1, "Dieser Makroname ist bereits vorhanden"},
    {2, "Speicher belegt: %1 von %2 Byte"},
    {3, "Diese Makros sind zu lang für den Speicher der Maus und wurden gekürzt:"},
    {4, "%1: %2 von %3 Tastenereignissen übernommen"},
    {5, "„MacroName“ ist für die Makroliste reserviert"},
    {6, "Ein Makroname darf kein ] und keine Steuerzeichen enthalten und nicht in "
        "Anführungszeichen stehen"},
    {7, "Der Makroname ist zu lang"},
    {8, "Die Makros konnten nicht gespeichert werden (%1). Sie sind unverändert."},
    {9, "Die Profilliste konnte nicht gespeichert werden (%1). Die Profile und ihre Dateien sind "
        "unverändert."},
    {10, "Die Profildatei konnte nicht geladen werden: %1"},
    {11,
     "Die Maus hat die Einstellungen nicht erhalten. Sie sind im Profil gespeichert; prüfen Sie "
     "die Verbindung zur Maus und klicken Sie erneut auf „Anwenden“."},
    {12, "Schließen"},
    {13, "Minimieren"},
    {14, "Hilfe"},
    {15, "DPI-Stufe %1"},
    {16, "Farbe der DPI-Stufe %1"},
    {17, "Empfindlichkeit %1"},
    {18, "Profile"},
    {19, "Makros"},
    {20, "Schritte des Makros"},
};

} // namespace

std::span<const LanguageTextEntry> GermanTexts()
{
    return kTexts;
}

std::span<const LanguageTextEntry> GermanMessageTexts()
{
    return kMessageTexts;
}

} // namespace zentro
