#pragma once

#include <functional>
#include <string>
#include <vector>

// Running the desktop's own tools (gsettings, xset, dbus-send, ...) the way a shell would,
// quietly.

namespace zentro {

// Runs an external program with arguments; returns its exit status (-1 when it cannot run).
using CommandRunner = std::function<int(const std::vector<std::string>& argv)>;
int RunCommand(const std::vector<std::string>& argv);
// The same, keeping what the program writes to its standard output in `output`.
using OutputRunner = std::function<int(const std::vector<std::string>& argv, std::string& output)>;
int RunCommandOutput(const std::vector<std::string>& argv, std::string& output);
// True when an executable of that name is in one of the folders of PATH.
bool ProgramInPath(const std::string& name);

} // namespace zentro
