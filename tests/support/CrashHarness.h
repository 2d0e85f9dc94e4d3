#pragma once

// Crash-consistency checking, the way storage engines are tested: an operation that changes
// files is stopped after every single file-system step (in a child process that ends on the
// spot, as a pulled plug or a killed program would), and separately made to fail at every step
// with the errors of a full disk, a refused write and a broken disk. After a stop, the
// recovery the next start runs must leave the folder wholly as before or wholly as after the
// operation; after a failure the folder must be exactly as before (or, when the operation says
// it succeeded, exactly as after).

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FileSteps.h"
#include "support/FileContents.h"
#include "platform/FileTransaction.h"
#include "platform/PrivateProfile.h"

namespace zentro::test {

// Every entry of a folder: "file:" + content, "link:" + target, or "other".
using FolderState = std::map<std::string, std::string>;

inline FolderState ReadFolderState(const std::string& dir)
{
    FolderState state;
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr)
        return state;
    while (const dirent* entry = ::readdir(d)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = dir + "/" + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            continue;
        if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
            state[name] = "link:" + std::string(target, n > 0 ? static_cast<size_t>(n) : 0);
        } else if (S_ISREG(st.st_mode)) {
            state[name] = "file:" + ReadFile(path);
        } else {
            state[name] = "other";
        }
    }
    ::closedir(d);
    return state;
}

// The state without what an operation keeps only while it runs (temporary and kept files,
// the journal).
inline FolderState WithoutWorkFiles(FolderState state)
{
    for (auto it = state.begin(); it != state.end();) {
        const bool work =
            it->first.rfind(".zentro-", 0) == 0 || it->first.find(".tmp-") != std::string::npos;
        it = work ? state.erase(it) : std::next(it);
    }
    return state;
}

// The files that differ, for failure messages.
inline std::string Differences(const FolderState& a, const FolderState& b)
{
    std::string text;
    for (const auto& [name, content] : a) {
        auto it = b.find(name);
        if (it == b.end())
            text += " -" + name;
        else if (it->second != content)
            text += " ~" + name;
    }
    for (const auto& [name, content] : b)
        if (a.find(name) == a.end())
            text += " +" + name;
    return text;
}

struct CrashCase {
    std::string name;
    std::string folder;
    std::function<void()> setup; // lays out the folder and the program state before the run
    std::function<bool()> run;   // the operation; true when it reports success
    // Optional: checks the program's own state after a run that reported failure.
    std::function<void()> checkAfterFailure;
};

class CCrashHarness {
public:
    // Runs the whole check of one case; returns the number of steps the operation takes.
    static int Run(const CrashCase& c)
    {
        SCOPED_TRACE(c.name);
        c.setup();
        const FolderState before = ReadFolderState(c.folder);
        int steps = 0;
        SetFileStepHookForTest([&](FileStep, const std::string&) {
            ++steps;
            return 0;
        });
        const bool ok = c.run();
        SetFileStepHookForTest({});
        EXPECT_TRUE(ok) << "the operation fails without any fault";
        const FolderState after = ReadFolderState(c.folder);
        EXPECT_EQ(WithoutWorkFiles(after), after) << "work files left after a clean run";
        EXPECT_NE(before, after) << "the operation changes nothing, so nothing is tested";
        EXPECT_GT(steps, 0);

        for (int k = 0; k <= steps; ++k)
            CheckStopAt(c, k, before, after);
        for (const int error : {ENOSPC, EACCES, EIO})
            for (int k = 0; k < steps; ++k)
                CheckFailureAt(c, k, error, before, after);
        return steps;
    }

private:
    // The operation in a child that ends on the spot when step k is announced; the parent
    // then recovers the folder as the next start would.
    static void CheckStopAt(const CrashCase& c, int k, const FolderState& before,
                            const FolderState& after)
    {
        c.setup();
        std::fflush(nullptr);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int step = 0;
            SetFileStepHookForTest([&](FileStep, const std::string&) {
                if (step++ == k)
                    ::_exit(0);
                return 0;
            });
            c.run();
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status)) << "the operation crashed at step " << k;
        FlushPrivateProfileCache();
        ASSERT_TRUE(RecoverFileTransaction(c.folder)) << "stop after step " << k;
        const FolderState state = ReadFolderState(c.folder);
        EXPECT_TRUE(state == before || state == after)
            << "stopped at step " << k
            << ": neither old nor new; against old:" << Differences(before, state)
            << "; against new:" << Differences(after, state);
    }

    static void CheckFailureAt(const CrashCase& c, int k, int error, const FolderState& before,
                               const FolderState& after)
    {
        c.setup();
        int step = 0;
        SetFileStepHookForTest(
            [&](FileStep, const std::string&) { return step++ == k ? error : 0; });
        const bool ok = c.run();
        SetFileStepHookForTest({});
        FlushPrivateProfileCache();
        const FolderState state = WithoutWorkFiles(ReadFolderState(c.folder));
        if (ok) {
            EXPECT_EQ(state, WithoutWorkFiles(after))
                << std::strerror(error) << " at step " << k
                << " reported success:" << Differences(after, state);
        } else {
            EXPECT_EQ(state, before)
                << std::strerror(error) << " at step " << k
                << " reported failure but changed:" << Differences(before, state);
            if (c.checkAfterFailure)
                c.checkAfterFailure();
        }
        // What the next start finds is a clean folder in one of the two states.
        ASSERT_TRUE(RecoverFileTransaction(c.folder));
        const FolderState recovered = ReadFolderState(c.folder);
        EXPECT_TRUE(recovered == before || recovered == after)
            << std::strerror(error) << " at step " << k << ", after recovery";
    }
};

} // namespace zentro::test
