#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/IPointerSettings.h"
#include "platform/PointerSettingsValues.h"

namespace zentro {

// Sets the four pointer settings on a thread of its own, so that the desktop's tools
// (gsettings, xset: each a program started and waited for) never hold up the window. Requests
// are applied in the order they were made; one that is superseded before the worker gets to it
// is skipped, since only the latest values matter. Submit never blocks.
//
// Each request makes the four calls in order; a failing call writes its line to the debug
// output ("SETMOUSE failed.\n", ...) and the next call is still made.
class CPointerSettingsWorker {
public:
    CPointerSettingsWorker() = default;
    // Finishes the request still pending, then stops the thread.
    ~CPointerSettingsWorker();
    CPointerSettingsWorker(const CPointerSettingsWorker&) = delete;
    CPointerSettingsWorker& operator=(const CPointerSettingsWorker&) = delete;

    // Queues `values` for `backend` (nullptr: the desktop backend, created on the worker).
    // When the system refuses a thread, the values are set on the calling thread instead.
    void Submit(const PointerSettingsValues& values, IPointerSettings* backend);
    // Waits until every request made so far has been applied.
    void WaitIdle();
    // True while a request is pending or being applied.
    bool Busy();

    // The four calls of one request, on the calling thread.
    static void ApplyNow(IPointerSettings& backend, const PointerSettingsValues& values);

private:
    struct Request {
        PointerSettingsValues values;
        IPointerSettings* backend = nullptr;
    };
    void Run();
    IPointerSettings& Resolve(IPointerSettings* backend);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Request> m_pending;
    bool m_applying = false;
    bool m_stop = false;
    std::thread m_thread;
    std::unique_ptr<IPointerSettings> m_desktop; // only touched by the applying thread
};

} // namespace zentro
