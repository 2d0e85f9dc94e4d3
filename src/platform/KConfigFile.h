#pragma once

#include <string>
#include <vector>

// The few KDE configuration files the program writes into (kdeglobals, kcminputrc), edited by
// the rules KDE's own configuration library reads them by: `[Group]` headers, nested groups
// as `[Outer][Inner]`, `key=value` lines. Everything else in the file (other groups, other
// keys, comments, the order) stays as it was.

namespace zentro {

// Sets `key` in the group nested as `groups` of the file at `path` to `value`, creating the
// file, its folder and the group where missing. The file is replaced as a whole (written
// beside it and renamed over it), so a reader never sees it half written. False when it
// cannot be written.
bool WriteKConfigEntry(const std::string& path, const std::vector<std::string>& groups,
                       const std::string& key, const std::string& value);

// The value of `key` in the group nested as `groups`; "" when absent (for tests and checks).
std::string ReadKConfigEntry(const std::string& path, const std::vector<std::string>& groups,
                             const std::string& key);

} // namespace zentro
