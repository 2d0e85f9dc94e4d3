#pragma once

#include <string>

// The single-instance socket of the window program, seen from outside the window: where it
// lives and the requests other programs of the same user may send it. The window's end is
// CSingleInstance (app/SingleInstance.h); zentroctl uses this end to hand a profile switch to
// a running window, so that the window and the files never disagree and only one program
// talks to the mouse.
//
// Protocol: one request line, one answer line, then the connection closes.
//
//   restore\n                       show and raise the window (no answer)
//   folder\n                        the profile folder the window owns
//     answer:  folder DIR\n
//   select N A DIR\n                make profile N current (A = 1: and apply it) in the profile
//                                   folder DIR (the rest of the line)
//     answers, once the work is done (a request waits while a transfer runs, the window
//     starts or a dialog is open):
//              ok\n                 done
//              other-folder DIR\n   the window uses another profile folder; nothing done
//              error TEXT\n         refused, for the reason in TEXT; nothing done

namespace zentro {

constexpr const char* SINGLE_INSTANCE_NAME = "ZENTRO_Mutex";

// True when `path` is a folder that belongs to this user; with followLink false a symbolic
// link is not one.
bool IsOwnDirectory(const std::string& path, bool followLink);

// The folder of the lock and socket, found from the user alone, so that programs started
// under su, sudo -u or cron find the same one: $XDG_RUNTIME_DIR when it is set and a private
// folder of this user, else /run/user/UID when it is one, else /tmp/zentro-UID (created with
// mode 0700) when it is one and no link, else zentro-mouse-runtime in the user's own
// configuration folder. Empty when none is safe (no home to fall back on): then there is no
// single-instance socket. No trailing separator.
std::string SingleInstanceDirectory();
// A folder of this user that nobody else may write into (no link, no group or other write).
bool IsPrivateDirectory(const std::string& path, bool followLink);
// The socket's path in `directory` (SingleInstanceDirectory() when empty).
std::string SingleInstanceSocketPath(const std::string& directory = std::string());

struct ProfileSelectRequest {
    int profile = -1;
    bool apply = false;
    std::string folder; // the profile folder, ending in '/'
};

// "select N A DIR\n"
std::string FormatProfileSelectRequest(const ProfileSelectRequest& request);
// Parses one line (without or with its '\n'); false when it is no valid select request.
bool ParseProfileSelectRequest(const std::string& line, ProfileSelectRequest& request);

enum class HandOverResult {
    NoWindow, // nobody listens on the socket: do it yourself
    Done,     // the window did it
    OtherFolder,
    Refused,
    NoAnswer, // connected, but the window did not answer in time
};

// Sends `request` to the window listening at `socketPath` and waits up to `timeoutMs` for its
// answer line, which goes to *answer (without the '\n').
// The profile folder of the window listening at `socketPath`; empty when none answers.
std::string RunningWindowFolder(const std::string& socketPath, int timeoutMs);

HandOverResult HandOverToWindow(const std::string& socketPath, const std::string& request,
                                int timeoutMs, std::string* answer);

} // namespace zentro
