#pragma once

#include <string>
#include <vector>

// Where the program's files live.
//
// Run from the build tree, or from any writable folder that holds the program files beside the
// executable, everything stays beside the executable, as it always has.
//
// Installed (cmake --install, the Debian package), the executable's folder is read-only and
// holds no profile files. Then the skin is read from the installed share folder
// (<prefix>/share/zentro-mouse/Skins), and each user's profile files live in
// $XDG_CONFIG_HOME/zentro-mouse/ (~/.config/zentro-mouse/ by default), created and seeded at
// the first start from the installed defaults, with the language (Skins/Lan) taken from the
// user's locale. The executable's directory (GetExeDir) then names the user's folder and the
// skin root (GetSkinRoot) the share folder.
//
// Both programs call SetUpProgramFolder once at start; a folder that cannot be created or
// written is refused with one message, never a silent start without profiles.

namespace zentro {

// The files of a profile folder, in the order they are seeded.
const std::vector<std::string>& ProgramFileNames();

// The UI language code for a locale name such as "de_DE.UTF-8": "DE" for German, "CHS" for
// simplified and "CHT" for traditional Chinese (zh_TW, zh_HK, zh_MO or a Hant script), "EN"
// for anything else.
std::string LanguageFromLocaleName(const std::string& locale);
// The same for the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
std::string LanguageFromEnvironment();

// What the choice looks at; FromEnvironment fills it from the running program.
struct ProgramFolderInputs {
    std::string exeDir;        // the executable's directory
    std::string dataDir;       // the installed share folder (<prefix>/share/zentro-mouse)
    std::string xdgConfigHome; // $XDG_CONFIG_HOME
    std::string home;          // $HOME (or the password database)
    std::string language;      // code for a folder that is seeded now

    static ProgramFolderInputs FromEnvironment();
};

// The user's configuration folder, ending in '/': XDG_CONFIG_HOME when it is absolute, else
// ~/.config, else /tmp when there is no home at all.
std::string ConfigHome(const ProgramFolderInputs& inputs);

// mkdir -p of `dir` with mode 0700 for every folder it makes (the XDG rule for ~/.config).
// False with the errno in *error when a folder cannot be made or `dir` is no folder.
bool MakeFolders(const std::string& dir, int* error);

struct ProgramFolderChoice {
    std::string profileDir;  // the folder of the profile files, ending in '/'
    std::string skinRoot;    // the folder that holds Skins/, ending in '/'
    std::string defaultsDir; // where a user folder is seeded from; empty for the exe folder
    bool userFolder = false; // profileDir is the user's own folder
};

// Pure choice, no file is written: the executable's folder when it holds the program files
// (str.ini) and can be written, else the user's folder seeded from the installed defaults
// (or from a read-only copy of the program files beside the executable). With no program
// files anywhere the executable's folder stays the choice.
ProgramFolderChoice ChooseProgramFolder(const ProgramFolderInputs& inputs);

// Creates `dir` (and its parents) when missing and copies every program file of
// `defaultsDir` that `dir` does not hold yet; nothing that exists is overwritten. Each
// str*.ini copied gets Skins/Lan = `language`. False with one message in *error when the
// folder cannot be created or written or the defaults are missing.
bool SeedUserFolder(const std::string& dir, const std::string& defaultsDir,
                    const std::string& language, std::string* error);

// Chooses the folder for the running program, seeds a user folder and installs the choice
// (SetExeDirOverride / SetSkinRoot). False with one message in *error when the user folder
// cannot be created or written.
bool SetUpProgramFolder(std::string* error);
bool SetUpProgramFolder(const ProgramFolderInputs& inputs, std::string* error);

// Uses `dir` as the profile folder (zentroctl --dir). False with a message when it is not an
// existing folder.
bool UseProfileFolder(const std::string& dir, std::string* error);
// Completes or undoes a change of the profile files that a stop interrupted (both set-ups
// above run it).
void RecoverProfileFolder(const std::string& dir);

} // namespace zentro
