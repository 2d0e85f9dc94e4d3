#include "app/DeviceTransfer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

#include <atomic>
#include <memory>
#include <thread>

#include "platform/Clock.h"
#include "platform/ThreadStart.h"

namespace zentro {

namespace {

bool g_bTransferRunning = false;

// Forwards every wait to the sleeper that was installed before (real, virtual or tracing) and
// reports the running total to the user-interface thread.
class CProgressSleeper final : public ISleeper {
public:
    CProgressSleeper(ISleeper& inner, QObject* receiver, CDeviceTransfer::Progress progress,
                     uint64_t total)
        : m_inner(inner), m_receiver(receiver), m_progress(std::move(progress)), m_total(total)
    {
    }

    void Sleep(uint32_t milliseconds) override
    {
        m_inner.Sleep(milliseconds);
        const uint64_t done = m_done += milliseconds;
        if (!m_progress)
            return;
        QPointer<QObject> receiver = m_receiver;
        auto progress = m_progress;
        const uint64_t total = m_total;
        QMetaObject::invokeMethod(
            m_receiver,
            [receiver, progress, done, total] {
                if (receiver)
                    progress(done, total);
            },
            Qt::QueuedConnection);
    }

private:
    ISleeper& m_inner;
    QObject* m_receiver;
    CDeviceTransfer::Progress m_progress;
    uint64_t m_total;
    std::atomic<uint64_t> m_done{0};
};

} // namespace

bool CDeviceTransfer::IsRunning()
{
    return g_bTransferRunning;
}

void CDeviceTransfer::Run(const std::function<void()>& work, const Progress& progress,
                          uint64_t totalMs)
{
    QEventLoop loop;
    ISleeper& previous = GetSleeper();
    CProgressSleeper sleeper(previous, &loop, progress, totalMs);
    SetSleeper(&sleeper);
    g_bTransferRunning = true;

    std::thread worker;
    const bool started = TryStartThread(
        worker,
        [&loop, &work] {
            work();
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        },
        "transfer");
    if (!started) {
        // No thread to be had: the traffic runs here, and the window waits for it.
        work();
    } else {
        // Input that arrives meanwhile is delivered now, not held back: the window drops it
        // while the transfer runs, so nothing the user did acts after the mouse is programmed.
        loop.exec();
        worker.join();
    }

    // Progress reports still queued refer to the loop object; deliver them before it goes.
    QCoreApplication::sendPostedEvents(&loop);
    g_bTransferRunning = false;
    SetSleeper(&previous);
}

} // namespace zentro
