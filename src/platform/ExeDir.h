#pragma once

#include <string>

// Stand-in for GetModuleFileNameW: the directory of the running executable, with a trailing
// separator (g_szExeDir). Tests point it at a temporary program directory.

namespace zentro {

// The executable's directory, ending in '/'. Resolved from /proc/self/exe on first use.
const std::string& GetExeDir();
// The full path of the executable (or, when overridden, the override directory + "zentro").
std::string GetModuleFileName();
// Overrides the directory (a trailing '/' is added when missing); empty restores the real one.
void SetExeDirOverride(const std::string& dir);
bool IsExeDirOverridden();

// The folder that holds the Skins folder, ending in '/'. The executable's directory unless an
// installed program reads its skin from the read-only share folder while its profile files live
// in the user's folder (see ProgramFolder.h).
std::string GetSkinRoot();
// Sets the skin root (a trailing '/' is added when missing); empty makes it follow GetExeDir().
void SetSkinRoot(const std::string& dir);

} // namespace zentro
