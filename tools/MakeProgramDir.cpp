// zentro-mkprogramdir: writes the files the program expects beside its executable.
//
//   zentro-mkprogramdir [--force] [--lan CODE] DIR
//
// config0.bin ... config5.bin and config.bin hold the factory defaults; str.ini holds the
// profile list (one profile, "Profile 1") and the default texts; str0.ini ... str5.ini mark
// their profile as not initialised (IsDefault=N) and carry the skin colour, the language code
// and the labels of the default button functions in all four languages; record.ini holds an
// empty macro list.
//
// Files that already exist are left alone, so profiles edited in a build directory survive a
// rebuild; --force rewrites them all. The language code comes from --lan or else from the
// locale of the environment (LC_ALL, then LC_MESSAGES, then LANG): de... gives "DE", zh_TW,
// zh_HK and zh_MO "CHT", other Chinese locales "CHS", anything else "EN".

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"

namespace {

using namespace zentro;

const char* const kLanguages[] = {"EN", "DE", "CHS", "CHT"};

// The skin's text colour: white.
constexpr int kSkinColor[3] = {255, 255, 255};

// Entry of the text table that names a simple function (the assignment menu's entries).
int FunctionLabelEntry(uint8_t kind, uint8_t dpiAction)
{
    switch (kind) {
    case FN_CLICK:
        return 498;
    case FN_MENU:
        return 499;
    case FN_SCROLL:
        return 500;
    case FN_FORWARD:
        return 501;
    case FN_BACK:
        return 502;
    case FN_DOUBLE_CLICK:
        return 519;
    case FN_DPI:
        return dpiAction >= DPI_ACTION_UP && dpiAction <= DPI_ACTION_LOOP ? 39 + dpiAction : -1;
    case FN_DEACTIVATED:
        return 516;
    case FN_LEFT_TILT:
        return 517;
    case FN_RIGHT_TILT:
        return 518;
    default:
        return -1;
    }
}

// "[Setting-XX]" with Item1..Item12 for every language.
std::string LabelSections(const ProfileRecord& defaults)
{
    std::string text;
    for (const char* code : kLanguages) {
        LoadLanguageTexts(code);
        text += "[" + g_strUiText[0] + "]\n";
        for (size_t b = 0; b < BUTTON_COUNT; ++b) {
            int entry = FunctionLabelEntry(defaults.ButtonFunction[b], defaults.ButtonDPIAction[b]);
            text += "Item" + std::to_string(b + 1) + "=" + (entry >= 0 ? g_strUiText[entry] : "") +
                    "\n";
        }
        text += "\n";
    }
    return text;
}

std::string SkinsSection(const std::string& lan)
{
    return "[Skins]\nRColor=" + std::to_string(kSkinColor[0]) +
           "\nGColor=" + std::to_string(kSkinColor[1]) +
           "\nBColor=" + std::to_string(kSkinColor[2]) + "\nLan=" + lan + "\n\n";
}

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool Put(const std::string& dir, const std::string& name, const void* data, size_t size, bool force)
{
    const std::string path = dir + name;
    if (!force && Exists(path))
        return true;
    errno = 0;
    if (!WriteFileAtomically(path, data, size)) {
        std::cerr << "zentro-mkprogramdir: cannot write " << path << ": "
                  << std::strerror(errno ? errno : EIO) << "\n";
        return false;
    }
    return true;
}

bool PutText(const std::string& dir, const std::string& name, const std::string& text, bool force)
{
    return Put(dir, name, text.data(), text.size(), force);
}

} // namespace

int main(int argc, char** argv)
{
    bool force = false;
    std::string lan;
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--force") {
            force = true;
        } else if (arg == "--lan" && i + 1 < argc) {
            lan = argv[++i];
        } else if (dir.empty() && !arg.empty() && arg[0] != '-') {
            dir = arg;
        } else {
            std::cerr << "usage: zentro-mkprogramdir [--force] [--lan EN|DE|CHS|CHT] DIR\n";
            return 2;
        }
    }
    if (dir.empty()) {
        std::cerr << "usage: zentro-mkprogramdir [--force] [--lan EN|DE|CHS|CHT] DIR\n";
        return 2;
    }
    if (dir.back() != '/')
        dir += '/';
    if (lan.empty())
        lan = LanguageFromEnvironment();
    ::mkdir(dir.c_str(), 0777);

    ProfileRecord defaults{};
    LoadDefaults(defaults);
    uint8_t settings[SETTINGS_FILE_SIZE];
    settings[0] = 1;
    std::memcpy(settings + 1, defaults.Bytes(), PROFILE_RECORD_SIZE);

    const std::string labels = LabelSections(defaults);
    bool ok = true;
    for (int n = 0; n < MAX_PROFILE_COUNT; ++n) {
        ok = Put(dir, SettingsFileName(n), settings, sizeof settings, force) && ok;
        ok = PutText(dir, ProfileIniFileName(n),
                     "[Profile]\nIsDefault=N\n\n" + SkinsSection(lan) + labels, force) &&
             ok;
    }
    ok = Put(dir, "config.bin", settings, sizeof settings, force) && ok;
    ok = PutText(dir, "str.ini",
                 "[Profile]\nItemCount=1\nItem0=Profile 1\nCurProfileName=Profile 1\n\n" +
                     SkinsSection(lan) + labels,
                 force) &&
         ok;
    ok = PutText(dir, "record.ini", "[MacroName]\nMacroCount=0\n0=\n", force) && ok;
    return ok ? 0 : 1;
}
