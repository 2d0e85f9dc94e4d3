#pragma once

#include <cstdint>
#include <functional>

// Runs the device traffic of an apply on a worker thread while the user-interface thread keeps
// its event loop going, so the window repaints during the 6.8 s of pacing waits instead of
// freezing. The traffic itself is unchanged: the same packets in the same order, one at a time,
// paced by zentro::Sleep. User input is not processed meanwhile (the nested loop excludes it),
// and the caller defers its own device traffic until Run returns.

namespace zentro {

// Sum of the pacing waits of one whole profile apply: two commands, the DPI and colour blocks,
// four button blocks and twelve macro blocks, each chunk 100 ms and each step 50 ms.
constexpr uint32_t APPLY_TOTAL_WAIT_MS = 6800;

class CDeviceTransfer {
public:
    using Progress = std::function<void(uint64_t doneMs, uint64_t totalMs)>;

    // Runs work() on a worker thread and returns when it has finished. While it runs, every
    // wait requested through zentro::Sleep is reported to progress (on this thread, queued),
    // and this thread processes posted events, timers and paints but no user input.
    static void Run(const std::function<void()>& work, const Progress& progress,
                    uint64_t totalMs = APPLY_TOTAL_WAIT_MS);

    // True while Run is in progress on this thread.
    static bool IsRunning();
};

} // namespace zentro
