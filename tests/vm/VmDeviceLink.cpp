// zentro-vm-link: the device link against the real kernel, run inside the test VM next to
// zentro-uhid-mouse. It connects through the hidraw backend, runs the event reader, presses the
// mouse's buttons through its control FIFO, pulls the mouse and plugs it in again, and prints
// one line per case:
//
//   ZVM-RESULT PASS name
//   ZVM-RESULT FAIL name: why
//
// usage: zentro-vm-link CONTROL_FIFO
// Hot-plug comes from the udev watcher when udevd runs (/run/udev/control exists); otherwise
// from a watcher that compares the hidraw nodes in sysfs every 50 ms, the way the program
// would have to without udev.

#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "device/hid/HidrawNodeTracker.h"
#include "device/hid/HidrawTransport.h"
#include "device/hid/UdevDeviceWatcher.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

using namespace zentro;

namespace {

std::mutex g_mutex;
std::condition_variable g_changed;
std::deque<std::pair<uint32_t, uint32_t>> g_events;
std::deque<DeviceChangeNotification> g_notifications;
int g_failures = 0;

void Result(bool ok, const std::string& name, const std::string& why = {})
{
    if (ok)
        std::printf("ZVM-RESULT PASS %s\n", name.c_str());
    else
        std::printf("ZVM-RESULT FAIL %s: %s\n", name.c_str(), why.c_str());
    std::fflush(stdout);
    if (!ok)
        ++g_failures;
}

bool Control(const std::string& fifo, const std::string& command)
{
    std::ofstream out(fifo);
    out << command << "\n";
    return static_cast<bool>(out.flush());
}

// Waits up to `ms` for a posted device event (code, value), handing hot-plug notifications to
// OnDeviceChange on this thread meanwhile, as the window's thread does.
bool WaitForEvent(uint32_t code, uint32_t value, int ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    std::unique_lock lock(g_mutex);
    for (;;) {
        while (!g_notifications.empty()) {
            DeviceChangeNotification n = std::move(g_notifications.front());
            g_notifications.pop_front();
            lock.unlock();
            OnDeviceChange(n);
            lock.lock();
        }
        for (auto it = g_events.begin(); it != g_events.end(); ++it) {
            if (it->first == code && it->second == value) {
                g_events.erase(g_events.begin(), it + 1);
                return true;
            }
        }
        if (g_changed.wait_until(lock, deadline) == std::cv_status::timeout &&
            g_notifications.empty())
            return false;
    }
}

// Without udev: the hidraw nodes in sysfs, compared every 50 ms.
class CSysfsPollingWatcher final : public IDeviceWatcher {
public:
    explicit CSysfsPollingWatcher(const CHidrawTransport& transport)
        : m_transport(transport), m_tracker(transport)
    {
    }
    ~CSysfsPollingWatcher() override { Stop(); }
    bool Start(Callback callback) override
    {
        m_tracker.Scan();
        std::vector<std::string> nodes;
        m_transport.ListNodes(nodes);
        m_known.insert(nodes.begin(), nodes.end());
        m_thread = std::thread([this, callback] {
            while (!m_stop.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                std::vector<std::string> list;
                m_transport.ListNodes(list);
                std::set<std::string> now(list.begin(), list.end());
                for (const auto& node : m_known)
                    if (!now.count(node))
                        for (const auto& n : m_tracker.OnRemove(node))
                            callback(n);
                for (const auto& node : now)
                    if (!m_known.count(node))
                        for (const auto& n : m_tracker.OnAdd(node))
                            callback(n);
                m_known = std::move(now);
            }
        });
        return true;
    }
    void Stop() override
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    const CHidrawTransport& m_transport;
    CHidrawNodeTracker m_tracker;
    std::set<std::string> m_known;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zentro-vm-link CONTROL_FIFO\n");
        return 2;
    }
    const std::string fifo = argv[1];
    CHidrawTransport transport;
    SetHidTransport(&transport);
    DeviceLinkCallbacks callbacks;
    callbacks.postDeviceEvent = [](uint32_t code, uint32_t value) {
        std::lock_guard lock(g_mutex);
        g_events.emplace_back(code, value);
        g_changed.notify_all();
    };
    SetDeviceLinkCallbacks(callbacks);

    // Connect and read the event reports the mouse's buttons send.
    const bool connected = ConnectAtStartup() == 1;
    Result(connected, "link-connects", "ConnectAtStartup found no mouse");
    if (!connected)
        return 1;
    StartEventReader();
    Control(fifo, "dpi 3");
    Result(WaitForEvent(1, 3, 5000), "reader-posts-dpi-button", "no WM_DEVICE_EVENT (1, 3)");
    Control(fifo, "macro 5");
    Result(WaitForEvent(9, 5, 5000), "reader-posts-macro-key", "no WM_DEVICE_EVENT (9, 5)");

    // Hot-plug notifications from udev when udevd runs, else from sysfs.
    struct stat st {};
    const bool udev = ::stat("/run/udev/control", &st) == 0;
    std::unique_ptr<IDeviceWatcher> watcher;
    if (udev)
        watcher = std::make_unique<CUdevDeviceWatcher>();
    else
        watcher = std::make_unique<CSysfsPollingWatcher>(transport);
    const bool watching =
        RegisterDeviceNotifications(*watcher, [](const DeviceChangeNotification& n) {
            std::lock_guard lock(g_mutex);
            g_notifications.push_back(n);
            g_changed.notify_all();
        });
    const std::string how = udev ? " (udev)" : " (sysfs, no udev)";
    Result(watching, "watcher-starts" + how, "the device watcher did not start");

    // A read waiting on the event collection ends when the mouse goes.
    std::vector<HidInterfaceInfo> interfaces;
    transport.Enumerate(interfaces);
    HidDeviceHandle event;
    for (const auto& info : interfaces)
        if (info.usagePage == 0xFF01 && info.usage == 0xFF01)
            event = transport.Open(info.path, HidOpenMode::Read, nullptr);
    std::atomic<int> readResult{1};
    std::thread waiter([&] {
        uint8_t buffer[40];
        readResult = event ? event->ReadInput(buffer, 9, nullptr, 10000) : 1;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Control(fifo, "unplug");
    waiter.join();
    Result(readResult == HID_READ_GONE, "unplug-ends-a-waiting-read",
           "ReadInput gave " + std::to_string(readResult.load()));

    // The removal reaches the link: nothing left to open, so "not detected" is posted.
    Result(WaitForEvent(DEVICE_EVENT_NOT_DETECTED, 0, 5000) && g_bDeviceConnected.load() == 0,
           "unplug-disconnects" + how, "no DEVICE_EVENT_NOT_DETECTED after the unplug");

    // Plugged in again: both collections re-opened, the reader reads the new event handle and
    // the command channel answers.
    Control(fifo, "plug");
    const bool reconnected = WaitForEvent(DEVICE_EVENT_CONNECTED, 0, 5000);
    Result(reconnected && g_bDeviceConnected.load() == 1, "replug-reconnects" + how,
           "no DEVICE_EVENT_CONNECTED after the plug");
    // Each collection announces its arrival; let the second re-open happen before pressing.
    WaitForEvent(UINT32_MAX, 0, 500);
    Control(fifo, "dpi 2");
    Result(WaitForEvent(1, 2, 5000), "replug-reader-reads-the-new-event-collection",
           "no WM_DEVICE_EVENT (1, 2) after the re-plug");
    const std::array<uint8_t, 2> version = GetFirmwareVersion();
    Result(version[0] == 1 && version[1] == 2, "replug-command-collection-answers",
           "firmware version read as " + std::to_string(version[0]) + "." +
               std::to_string(version[1]));

    watcher->Stop();
    ShutdownDeviceLink();
    return g_failures == 0 ? 0 : 1;
}
