#pragma once

#include <string>
#include <utility>
#include <vector>

// Every program-wide variable of the core libraries back to its start value, in one call, and a
// readable description of them so a test can see what another test left behind. A new global
// of the core joins both here.

namespace zentro {

// Stops the device link's reader and closes its handles, waits for the pointer-settings worker,
// and puts back: device link state, transport, callbacks and hooks, the device mirror, the live
// record and the applied copy, the profile file state and labels, the text table and language,
// the macro state, the pointer-settings backend, the sleeper and clock, the executable
// directory, the INI cache and the debug output's sink and stderr setting.
void ResetCoreStateForTest();
// The program's own state only, as before a new start of the program: device link, records,
// files, texts, macros and profile operations; the injected services (transport, sleeper,
// clock, pointer backend, program folder, debug sink) stay.
void ResetCoreProgramStateForTest();

// name -> value of every program-wide core variable (large ones as a checksum).
using CoreStateSnapshot = std::vector<std::pair<std::string, std::string>>;
CoreStateSnapshot TakeCoreStateSnapshot();

// "name: before -> after" for every entry that differs; empty when none does.
std::string DescribeCoreStateChanges(const CoreStateSnapshot& before,
                                     const CoreStateSnapshot& after);

} // namespace zentro
