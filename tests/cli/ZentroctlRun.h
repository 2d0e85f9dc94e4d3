#pragma once

// Runs zentroctl in the test's process as a separate start of the program would run it.

#include <sstream>
#include <string>
#include <vector>

#include "CoreReset.h"
#include "cli/CliCommands.h"
#include "device/hid/SimulatedMouse.h"
#include "settings/PointerSettings.h"

namespace zentro::test {

struct RunResult {
    int status = 0;
    std::string out;
    std::string err;
};

// `args` without the program name. With `unplugAfter` >= 0 the simulated mouse is unplugged
// after that many transfers; `interactive` runs it as with its output on a terminal.
// Afterwards the program-wide state goes, as with the end of a process; the pointer backend a
// fixture installed stays for the next run.
inline RunResult RunZentroctlForTest(std::vector<std::string> args, int unplugAfter = -1,
                                     bool interactive = false)
{
    args.insert(args.begin(), "zentroctl");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    std::ostringstream out, err;
    CliContext context;
    context.out = &out;
    context.err = &err;
    context.interactive = interactive;
    if (unplugAfter >= 0)
        context.prepareSimulatedMouse = [unplugAfter](CSimulatedMouse& mouse) {
            mouse.UnplugAfterTransfers(unplugAfter);
        };
    RunResult r;
    r.status = RunZentroctlWith(context, static_cast<int>(argv.size()), argv.data());
    r.out = out.str();
    r.err = err.str();
    IPointerSettings* const pointer = GetPointerSettingsBackend();
    ResetCoreStateForTest();
    SetPointerSettingsBackend(pointer);
    return r;
}

} // namespace zentro::test
