#include "platform/ProgramFolder.h"

#include "platform/FileTransaction.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/ExeDir.h"
#include "platform/FileStatus.h"
#include "platform/PrivateProfile.h"

#ifndef ZENTRO_RELATIVE_DATA_DIR
#define ZENTRO_RELATIVE_DATA_DIR "../share/zentro-mouse"
#endif

namespace zentro {

namespace {

constexpr const char* USER_FOLDER_NAME = "zentro-mouse";

std::string WithSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

std::string Normalised(const std::string& dir)
{
    if (dir.empty())
        return dir;
    std::string s = std::filesystem::path(dir).lexically_normal().string();
    return WithSlash(s);
}

bool Writable(const std::string& path)
{
    return ::access(path.c_str(), W_OK) == 0;
}

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool ReadWhole(const std::string& path, std::string& data)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    data.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

bool IsProfileIni(const std::string& name)
{
    return name.rfind("str", 0) == 0 && name.size() > 4 &&
           name.compare(name.size() - 4, 4, ".ini") == 0;
}

} // namespace

bool MakeFolders(const std::string& dir, int* error)
{
    std::string path;
    size_t pos = 0;
    while (pos != std::string::npos) {
        const size_t next = dir.find('/', pos + 1);
        path = dir.substr(0, next);
        pos = next;
        if (path.empty() || path == "/")
            continue;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            *error = errno;
            return false;
        }
    }
    if (!IsDirectory(dir)) {
        *error = ENOTDIR;
        return false;
    }
    return true;
}

std::string ConfigHome(const ProgramFolderInputs& inputs)
{
    std::string configHome = inputs.xdgConfigHome;
    if (configHome.empty() || configHome[0] != '/')
        configHome = inputs.home.empty() ? std::string() : WithSlash(inputs.home) + ".config";
    if (configHome.empty())
        configHome = "/tmp"; // no home at all: still a folder of one's own rather than none
    return WithSlash(configHome);
}

const std::vector<std::string>& ProgramFileNames()
{
    static const std::vector<std::string> names = {
        "config.bin",  "config0.bin", "config1.bin", "config2.bin", "config3.bin",
        "config4.bin", "config5.bin", "str.ini",     "str0.ini",    "str1.ini",
        "str2.ini",    "str3.ini",    "str4.ini",    "str5.ini",    "record.ini"};
    return names;
}

std::string LanguageFromLocaleName(const std::string& locale)
{
    auto starts = [&](const char* prefix) { return locale.rfind(prefix, 0) == 0; };
    if (starts("de_") || locale == "de" || starts("de.") || starts("de@"))
        return "DE";
    if (starts("zh_") || locale == "zh" || starts("zh.") || starts("zh@")) {
        if (starts("zh_TW") || starts("zh_HK") || starts("zh_MO") ||
            locale.find("Hant") != std::string::npos)
            return "CHT";
        return "CHS";
    }
    return "EN";
}

std::string LanguageFromEnvironment()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = Env(name);
        if (!value.empty())
            return LanguageFromLocaleName(value);
    }
    return "EN";
}

ProgramFolderInputs ProgramFolderInputs::FromEnvironment()
{
    ProgramFolderInputs inputs;
    inputs.exeDir = GetExeDir();
    inputs.dataDir = Normalised(inputs.exeDir + ZENTRO_RELATIVE_DATA_DIR);
    inputs.xdgConfigHome = Env("XDG_CONFIG_HOME");
    inputs.home = Env("HOME");
    if (inputs.home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            inputs.home = pw->pw_dir;
    }
    inputs.language = LanguageFromEnvironment();
    return inputs;
}

ProgramFolderChoice ChooseProgramFolder(const ProgramFolderInputs& inputs)
{
    ProgramFolderChoice choice;
    const std::string exeDir = WithSlash(inputs.exeDir);
    const std::string dataDir = WithSlash(inputs.dataDir);
    const bool filesBesideExe = IsRegularFile(exeDir + "str.ini");
    const bool installedDefaults = !dataDir.empty() && IsRegularFile(dataDir + "str.ini");

    choice.profileDir = exeDir;
    choice.skinRoot = exeDir;
    if (!IsDirectory(exeDir + "Skins") && !dataDir.empty() && IsDirectory(dataDir + "Skins"))
        choice.skinRoot = dataDir;

    if (filesBesideExe && Writable(exeDir) && Writable(exeDir + "str.ini"))
        return choice; // the build tree or a writable copy of the program folder
    if (!filesBesideExe && !installedDefaults)
        return choice; // no program files anywhere: nothing to move

    choice.profileDir = ConfigHome(inputs) + USER_FOLDER_NAME + "/";
    choice.defaultsDir = installedDefaults ? dataDir : exeDir;
    choice.userFolder = true;
    return choice;
}

bool SeedUserFolder(const std::string& dirIn, const std::string& defaultsDirIn,
                    const std::string& language, std::string* error)
{
    const std::string dir = WithSlash(dirIn);
    const std::string defaultsDir = WithSlash(defaultsDirIn);
    const std::string shown = dir.size() > 1 ? dir.substr(0, dir.size() - 1) : dir;
    auto fail = [&](const std::string& message) {
        if (error)
            *error = message;
        DebugPrintf("%s\n", message.c_str());
        return false;
    };

    int code = 0;
    if (!MakeFolders(shown, &code))
        return fail("cannot create the profile folder " + shown + ": " + std::strerror(code));
    if (!Writable(shown))
        return fail("the profile folder " + shown + " cannot be written: " + std::strerror(errno));

    for (const std::string& name : ProgramFileNames()) {
        const std::string target = dir + name;
        if (IsRegularFile(target))
            continue; // never overwrite what the user has
        std::string data;
        if (!ReadWhole(defaultsDir + name, data))
            return fail("the default profile file " + defaultsDir + name +
                        " is missing; the program is not installed completely");
        code = 0;
        if (!WriteFileAtomically(target, data.data(), data.size(), &code))
            return fail("cannot write " + target + ": " + std::strerror(code ? code : EIO));
        if (IsProfileIni(name) && !language.empty()) {
            if (!WritePrivateProfileString("Skins", "Lan", language, target))
                return fail("cannot write " + target + ": " + std::strerror(errno ? errno : EIO));
        }
        DebugPrintf("Seeded %s\n", target.c_str());
    }
    return true;
}

bool SetUpProgramFolder(const ProgramFolderInputs& inputs, std::string* error)
{
    const ProgramFolderChoice choice = ChooseProgramFolder(inputs);
    if (choice.userFolder &&
        !SeedUserFolder(choice.profileDir, choice.defaultsDir, inputs.language, error))
        return false;
    if (choice.profileDir != WithSlash(inputs.exeDir))
        SetExeDirOverride(choice.profileDir);
    SetSkinRoot(choice.skinRoot == choice.profileDir ? std::string() : choice.skinRoot);
    RecoverProfileFolder(choice.profileDir);
    return true;
}

bool SetUpProgramFolder(std::string* error)
{
    return SetUpProgramFolder(ProgramFolderInputs::FromEnvironment(), error);
}

bool UseProfileFolder(const std::string& dirIn, std::string* error)
{
    // Absolute, so that the folder means the same to a running window asked about it.
    std::error_code ignored;
    std::string dir = std::filesystem::absolute(dirIn, ignored).lexically_normal().string();
    if (dir.empty())
        dir = dirIn;
    if (!IsDirectory(dir)) {
        if (error)
            *error = "the profile folder " + dir + " does not exist";
        return false;
    }
    if (!IsRegularFile(WithSlash(dir) + "str.ini")) {
        if (error)
            *error = "the folder " + dir + " holds no profiles (str.ini is missing)";
        return false;
    }
    SetExeDirOverride(dir);
    RecoverProfileFolder(dir);
    return true;
}

void RecoverProfileFolder(const std::string& dir)
{
    // A change of several files that a crash or a pulled plug interrupted is completed (or
    // undone) before any profile is read.
    std::string folder = dir;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::string report;
    if (!RecoverFileTransaction(folder, &report) || !report.empty())
        DebugOutput("Profile folder " + folder + ": " +
                    (report.empty() ? std::string("interrupted change left as it is") : report) +
                    "\n");
}

} // namespace zentro
