#pragma once

#include <functional>
#include <string>
#include <vector>

// Running the desktop's own tools (gsettings, xset) the way a shell would, quietly.

namespace zentro {

// Runs an external program with arguments; returns its exit status (-1 when it cannot run).
using CommandRunner = std::function<int(const std::vector<std::string>& argv)>;
int RunCommand(const std::vector<std::string>& argv);
// True when an executable of that name is in one of the folders of PATH.
bool ProgramInPath(const std::string& name);

} // namespace zentro
