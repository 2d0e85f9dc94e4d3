#pragma once

#include <functional>
#include <thread>

// Starting a thread without letting a refusal of the system end the program: constructing a
// std::thread throws std::system_error when no further thread can be created (thread limit,
// memory). Every thread of the core starts through here.

namespace zentro {

// Starts `body` in `thread` (which must not be running). False, with the debug line
// "Could not start the <what> thread: <reason>\n", when the system refused.
bool TryStartThread(std::thread& thread, std::function<void()> body, const char* what);

// Tests: makes the next `count` starts fail as a refusing system would.
void FailNextThreadStartsForTest(int count);

} // namespace zentro
