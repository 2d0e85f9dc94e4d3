#include "device/hid/UdevDeviceWatcher.h"

#include "device/hid/HidrawNodeTracker.h"
#include "device/hid/HidrawTransport.h"
#include "platform/DebugLog.h"
#include "platform/ThreadStart.h"
#include "platform/ManualResetEvent.h"

#include <cerrno>
#include <cstring>
#include <poll.h>

#if defined(ZENTRO_HAVE_UDEV) && ZENTRO_HAVE_UDEV
#include <libudev.h>
#endif

namespace zentro {

struct CUdevDeviceWatcher::Impl {
    Impl(std::string sysfsRoot, std::string devRoot)
        : transport(std::move(sysfsRoot), std::move(devRoot)), tracker(transport)
    {
    }

    CHidrawTransport transport;
    CHidrawNodeTracker tracker;
    Callback callback;
    CManualResetEvent stop;
    std::thread thread;
#if defined(ZENTRO_HAVE_UDEV) && ZENTRO_HAVE_UDEV
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;

    void Release()
    {
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
        monitor = nullptr;
        context = nullptr;
    }

    void Run()
    {
        const int monitorFd = udev_monitor_get_fd(monitor);
        for (;;) {
            pollfd fds[2] = {{monitorFd, POLLIN, 0}, {stop.Fd(), POLLIN, 0}};
            int r = ::poll(fds, 2, -1);
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0) {
                DebugPrintf("udev: poll failed: %s\n", std::strerror(errno));
                return;
            }
            if (fds[1].revents & POLLIN)
                return;
            if (!(fds[0].revents & POLLIN))
                continue;
            udev_device* device = udev_monitor_receive_device(monitor);
            if (!device)
                continue;
            const char* action = udev_device_get_action(device);
            const char* sysname = udev_device_get_sysname(device);
            std::vector<DeviceChangeNotification> notifications;
            if (action && sysname) {
                if (std::strcmp(action, "add") == 0)
                    notifications = tracker.OnAdd(sysname);
                else if (std::strcmp(action, "remove") == 0)
                    notifications = tracker.OnRemove(sysname);
            }
            udev_device_unref(device);
            for (const auto& notification : notifications)
                callback(notification);
        }
    }
#endif
};

CUdevDeviceWatcher::CUdevDeviceWatcher(std::string sysfsRoot, std::string devRoot)
    : m_impl(std::make_unique<Impl>(std::move(sysfsRoot), std::move(devRoot)))
{
}

CUdevDeviceWatcher::~CUdevDeviceWatcher()
{
    Stop();
}

bool CUdevDeviceWatcher::Start(Callback callback)
{
#if defined(ZENTRO_HAVE_UDEV) && ZENTRO_HAVE_UDEV
    if (m_impl->thread.joinable())
        Stop();
    if (!m_impl->stop.IsValid()) {
        DebugOutput("udev: cannot create the stop event\n");
        return false;
    }
    m_impl->stop.Reset();
    m_impl->callback = std::move(callback);
    m_impl->context = udev_new();
    if (m_impl->context)
        m_impl->monitor = udev_monitor_new_from_netlink(m_impl->context, "udev");
    if (!m_impl->monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_impl->monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_impl->monitor) < 0) {
        DebugOutput("udev: cannot monitor hidraw devices; hot-plug is not followed\n");
        m_impl->Release();
        return false;
    }
    // The monitor is live before the scan, so no node can slip between the two.
    m_impl->tracker.Scan();
    if (!TryStartThread(
            m_impl->thread, [impl = m_impl.get()] { impl->Run(); }, "udev watcher")) {
        m_impl->Release();
        return false;
    }
    return true;
#else
    (void)callback;
    DebugOutput("udev: not available in this build; hot-plug is not followed\n");
    return false;
#endif
}

void CUdevDeviceWatcher::Stop()
{
    if (!m_impl->thread.joinable())
        return;
    m_impl->stop.Set();
    m_impl->thread.join();
#if defined(ZENTRO_HAVE_UDEV) && ZENTRO_HAVE_UDEV
    m_impl->Release();
#endif
}

} // namespace zentro
