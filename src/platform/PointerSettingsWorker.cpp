#include "platform/PointerSettingsWorker.h"

#include "platform/DebugLog.h"
#include "platform/DesktopPointerSettings.h"
#include "platform/ThreadStart.h"

namespace zentro {

CPointerSettingsWorker::~CPointerSettingsWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void CPointerSettingsWorker::ApplyNow(IPointerSettings& backend, const PointerSettingsValues& v)
{
    if (!backend.SetMouse(v.mouse))
        DebugOutput("SETMOUSE failed.\n");
    if (!backend.SetMouseSpeed(v.mouseSpeed))
        DebugOutput("SETMOUSESPEED failed.\n");
    if (!backend.SetWheelScrollLines(v.wheelScrollLines))
        DebugOutput("SETWHEELSCROLLLINES failed.\n");
    if (!backend.SetDoubleClickTime(v.doubleClickTime))
        DebugOutput("SPI_SETDOUBLECLICKTIME failed.\n");
}

IPointerSettings& CPointerSettingsWorker::Resolve(IPointerSettings* backend)
{
    if (backend)
        return *backend;
    if (!m_desktop)
        m_desktop = std::make_unique<CDesktopPointerSettings>();
    return *m_desktop;
}

void CPointerSettingsWorker::Submit(const PointerSettingsValues& values, IPointerSettings* backend)
{
    bool here = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_thread.joinable() || TryStartThread(
                                       m_thread, [this] { Run(); }, "pointer settings")) {
            m_pending = Request{values, backend};
        } else {
            // No worker: better late on this thread than not at all.
            here = true;
            m_applying = true;
        }
    }
    if (!here) {
        m_changed.notify_all();
        return;
    }
    ApplyNow(Resolve(backend), values);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_applying = false;
    }
    m_changed.notify_all();
}

void CPointerSettingsWorker::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || m_pending.has_value(); });
        if (!m_pending)
            return; // stopping with nothing left to do
        const Request request = *m_pending;
        m_pending.reset();
        m_applying = true;
        lock.unlock();
        ApplyNow(Resolve(request.backend), request.values);
        lock.lock();
        m_applying = false;
        m_changed.notify_all();
    }
}

void CPointerSettingsWorker::WaitIdle()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_pending && !m_applying; });
}

bool CPointerSettingsWorker::Busy()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pending.has_value() || m_applying;
}

} // namespace zentro
