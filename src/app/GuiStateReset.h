#pragma once

#include <string>

// Program-wide state of the window program, for tests and benchmarks: one call puts all of it
// (the core's included) back to the start values, one tells what differs from them.

namespace zentro {

// Core state, window state, skin caches, fonts, and the injected services (transport,
// sleeper, clock, pointer backend, program folder) back to their start values.
void ResetGuiStateForTest();

// The program's own state only (records, files, texts, device link, window), as before a new
// start of the program: the injected services and the decoded pictures stay. For benchmarks
// that start the window again and again.
void ResetProgramStateForTest();

// Takes the start state the check below compares with; call once before the first test.
void PrepareGuiStateCheckForTest();

// Empty when the program-wide state is at its start values; otherwise the names of what is
// not, separated by ", ".
std::string DescribeChangedGuiStateForTest();

} // namespace zentro
