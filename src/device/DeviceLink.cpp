#include "device/DeviceLink.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "device/CommandProtocol.h"
#include "platform/DebugLog.h"
#include "platform/ThreadStart.h"

namespace zentro {

HidDeviceHandle g_hCommandDevice;
uint16_t g_nFeatureReportLength = 0;
uint16_t g_nCommandInputReportLength = 0;
std::atomic<uint16_t> g_nEventReportLength{0};
std::atomic<int> g_bDeviceConnected{0};
std::string g_strDevicePath;

namespace {

constexpr uint16_t USAGE_COMMAND = 0xFF00;
constexpr uint16_t USAGE_EVENT = 0xFF01;
constexpr uint16_t COMMAND_FEATURE_LENGTH = 9;
// Event reports are short; the buffer has room for at least this many bytes.
constexpr size_t EVENT_BUFFER_MIN = 40;

std::atomic<IHidTransport*> g_pHidTransport{nullptr};

std::mutex g_eventDeviceMutex;
HidDeviceHandle g_hEventDevice;

DeviceLinkCallbacks g_callbacks;
std::function<void()> g_connectedHook;

CManualResetEvent& ReadDoneEvent()
{
    static CManualResetEvent event;
    return event;
}

// The reader thread and its gate: it is created held back and runs from the first connect.
struct ReaderState {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable gate;
    bool resumed = false;
    std::atomic<bool> stop{false};
};
ReaderState& Reader()
{
    static ReaderState state;
    return state;
}

void Post(uint32_t code, uint32_t value)
{
    if (g_callbacks.postDeviceEvent)
        g_callbacks.postDeviceEvent(code, value);
}

void Call(const std::function<void()>& fn)
{
    if (fn)
        fn();
}

void ReplaceEventDevice(HidDeviceHandle device)
{
    HidDeviceHandle old;
    {
        std::lock_guard<std::mutex> lock(g_eventDeviceMutex);
        old = std::move(g_hEventDevice);
        g_hEventDevice = std::move(device);
    }
    // A reader blocked on the old handle wakes with "gone" and picks up the new one.
    if (old && old != GetEventDevice())
        old->Close();
}

void ReplaceCommandDevice(HidDeviceHandle device)
{
    HidDeviceHandle old = std::move(g_hCommandDevice);
    g_hCommandDevice = std::move(device);
    if (old && old != g_hCommandDevice)
        old->Close();
}

void CloseAllHandles()
{
    ReplaceCommandDevice(nullptr);
    ReplaceEventDevice(nullptr);
}

void EventReaderThreadProc()
{
    ReaderState& reader = Reader();
    {
        std::unique_lock<std::mutex> lock(reader.mutex);
        reader.gate.wait(lock, [&] { return reader.resumed || reader.stop.load(); });
    }
    std::vector<uint8_t> buffer;
    CManualResetEvent& wake = ReadDoneEvent();
    while (!reader.stop.load()) {
        wake.Reset();
        HidDeviceHandle device = GetEventDevice();
        if (g_bDeviceConnected.load() == 1 && device) {
            size_t length = g_nEventReportLength.load();
            buffer.assign(std::max(EVENT_BUFFER_MIN, length), 0);
            int read = device->ReadInput(buffer.data(), length, &wake, -1);
            if (read > 0 && g_bDeviceConnected.load() != 0) {
                if (read >= 4 && buffer[0] == 0x06 && buffer[1] == 0x07)
                    Post(buffer[2], buffer[3]);
            } else if (read == HID_READ_GONE) {
                // The handle went away: nothing to read until the next connect wakes us.
                wake.Wait();
            }
        } else {
            wake.Wait();
        }
    }
}

bool NameMatches(const std::string& name, const char* a, const char* b)
{
    return name.find(a) != std::string::npos || name.find(b) != std::string::npos;
}

} // namespace

void SetHidTransport(IHidTransport* transport)
{
    g_pHidTransport = transport;
}
IHidTransport* GetHidTransport()
{
    return g_pHidTransport.load();
}

CManualResetEvent& EventReadDone()
{
    return ReadDoneEvent();
}

HidDeviceHandle GetEventDevice()
{
    std::lock_guard<std::mutex> lock(g_eventDeviceMutex);
    return g_hEventDevice;
}

void SetEventDevice(HidDeviceHandle device)
{
    ReplaceEventDevice(std::move(device));
}

void SetDeviceLinkCallbacks(DeviceLinkCallbacks callbacks)
{
    g_callbacks = std::move(callbacks);
}

bool HasDeviceLinkCallbacks()
{
    return g_callbacks.postDeviceEvent || g_callbacks.reloadProfile || g_callbacks.addTrayIcon ||
           g_callbacks.deleteTrayIcon || g_callbacks.hideWindow;
}

void SetDeviceConnectedHook(std::function<void()> hook)
{
    g_connectedHook = std::move(hook);
}

bool HasDeviceConnectedHook()
{
    return static_cast<bool>(g_connectedHook);
}

int OpenDevice()
{
    IHidTransport* transport = GetHidTransport();
    std::vector<HidInterfaceInfo> interfaces;
    if (!transport || !transport->Enumerate(interfaces))
        return 0;

    // Once the command collection is open the search goes on for the event collection only:
    // systems list the interfaces in either order, and stopping at the command collection
    // would leave DPI and macro-key events unread whenever the event collection comes later.
    bool commandOpened = false;
    bool eventOpened = false;
    const int success = 1;
    for (size_t index = 0;; ++index) {
        if (index >= interfaces.size()) {
            if (commandOpened)
                return success;
            DebugOutput("SetupDiEnumDeviceInterfaces failed.\n");
            return 0;
        }
        const HidInterfaceInfo& info = interfaces[index];
        if (commandOpened && eventOpened)
            return success;
        g_strDevicePath = info.path;

        HidOpenError error = HidOpenError::None;
        HidDeviceHandle probe = transport->Open(info.path, HidOpenMode::Probe, &error);
        if (!probe)
            return commandOpened ? success : 0;
        if (info.vendorId != ZENTRO_VENDOR_ID || info.productId != ZENTRO_PRODUCT_ID) {
            probe->Close();
            continue;
        }
        DebugOutput("Find our hid device.Success\n");
        if (!info.capsAvailable) {
            DebugOutput("HidD_GetPreparsedData failed.\n");
            probe->Close();
            return commandOpened ? success : 0;
        }
        probe->Close();
        DebugPrintf(
            "DevicePath:%s,\nUsage:0x%04x\n, UsagePage:0x%04x\n,FeatureReportByteLength:0x%04x\n,"
            "InputReportByteLength:0x%x\n,OutputReportByteLength:0x%x\n",
            info.path.c_str(), info.usage, info.usagePage, info.featureReportByteLength,
            info.inputReportByteLength, info.outputReportByteLength);

        if (info.usage == USAGE_EVENT) {
            // Every event collection listed before the command collection is opened, the
            // last one replacing the earlier ones; after it, the first one ends the search.
            if (info.usagePage == USAGE_EVENT && info.inputReportByteLength != 0) {
                HidDeviceHandle event = transport->Open(info.path, HidOpenMode::Read, &error);
                if (!event)
                    return commandOpened ? success : 0;
                g_nEventReportLength = info.inputReportByteLength;
                ReplaceEventDevice(std::move(event));
                eventOpened = true;
                ReadDoneEvent().Set();
            }
            continue;
        }
        if (!commandOpened && info.usagePage == USAGE_COMMAND && info.usage == USAGE_COMMAND &&
            info.featureReportByteLength == COMMAND_FEATURE_LENGTH) {
            HidDeviceHandle command = transport->Open(info.path, HidOpenMode::ReadWrite, &error);
            if (!command)
                return 0;
            ReplaceCommandDevice(std::move(command));
            g_nCommandInputReportLength = info.inputReportByteLength;
            g_bDeviceConnected = 1;
            g_nFeatureReportLength = info.featureReportByteLength;
            commandOpened = true;
        }
    }
}

int ConnectAtStartup()
{
    if (!OpenDevice()) {
        g_bDeviceConnected = 0;
        return 0;
    }
    g_bDeviceConnected = 1;
    ClearDeviceMirror();
    Call(g_connectedHook);
    GetFirmwareVersion();
    RefreshFunctionOptions();
    ReadDoneEvent().Set();
    return 1;
}

bool StartEventReader()
{
    if (!ReadDoneEvent().IsValid()) {
        DebugOutput("CreateEvent failed.");
        return false;
    }
    ReaderState& reader = Reader();
    if (!reader.thread.joinable()) {
        reader.stop = false;
        if (!TryStartThread(reader.thread, EventReaderThreadProc, "event reader"))
            return false;
    }
    if (g_bDeviceConnected.load() == 1)
        ResumeEventReader();
    return true;
}

void ResumeEventReader()
{
    ReaderState& reader = Reader();
    {
        std::lock_guard<std::mutex> lock(reader.mutex);
        reader.resumed = true;
    }
    reader.gate.notify_all();
}

bool IsEventReaderRunning()
{
    return Reader().thread.joinable();
}

bool IsEventReaderResumed()
{
    ReaderState& reader = Reader();
    std::lock_guard<std::mutex> lock(reader.mutex);
    return reader.resumed;
}

bool RegisterDeviceNotifications(IDeviceWatcher& watcher,
                                 std::function<void(const DeviceChangeNotification&)> deliver)
{
    if (!watcher.Start(std::move(deliver))) {
        DebugOutput("RegisterDeviceNotification failed!!!");
        return false;
    }
    return true;
}

bool OnDeviceChange(const DeviceChangeNotification& notification)
{
    if (notification.deviceType != DBT_DEVTYP_DEVICEINTERFACE)
        return true;
    const bool arrival = notification.eventType == DBT_DEVICEARRIVAL;
    const bool removal = notification.eventType == DBT_DEVICEREMOVECOMPLETE;
    if (arrival) {
        if (!NameMatches(notification.name, "VID_04d9&PID_a165", "VID_04D9&PID_A165"))
            return true;
    } else if (removal) {
        if (!NameMatches(notification.name, "Vid_04d9&Pid_a165", "VID_04D9&PID_A165"))
            return true;
    } else {
        return true;
    }

    if (OpenDevice()) {
        if (arrival) {
            Post(DEVICE_EVENT_CONNECTED, 0);
            g_bDeviceConnected = 1;
            ClearDeviceMirror();
            Call(g_connectedHook);
            Call(g_callbacks.reloadProfile);
            ResumeEventReader();
            Call(g_callbacks.addTrayIcon);
            RefreshFunctionOptions();
        } else {
            g_bDeviceConnected = 1;
            // A reader still held back (no device at start, failed arrivals since) would
            // otherwise never read the channel this connect opened.
            ResumeEventReader();
            Call(g_callbacks.addTrayIcon);
            RefreshFunctionOptions();
        }
        // The connect is complete now: make sure the reader ends up on the new event handle.
        ReadDoneEvent().Set();
        return true;
    }

    Post(DEVICE_EVENT_NOT_DETECTED, 0);
    Call(g_callbacks.hideWindow);
    g_bDeviceConnected = 0;
    Call(g_callbacks.deleteTrayIcon);
    // Nothing is reachable any more; the stale handles would only fail.
    CloseAllHandles();
    ReadDoneEvent().Set();
    return true;
}

void ShutdownDeviceLink()
{
    CloseAllHandles();
    ReaderState& reader = Reader();
    reader.stop = true;
    reader.gate.notify_all();
    ReadDoneEvent().Set();
    if (reader.thread.joinable())
        reader.thread.join();
}

void ResetDeviceLinkForTest()
{
    ShutdownDeviceLink();
    ReaderState& reader = Reader();
    {
        std::lock_guard<std::mutex> lock(reader.mutex);
        reader.resumed = false;
    }
    reader.stop = false;
    ReadDoneEvent().Reset();
    g_bDeviceConnected = 0;
    g_nFeatureReportLength = 0;
    g_nCommandInputReportLength = 0;
    g_nEventReportLength = 0;
    g_strDevicePath.clear();
    g_callbacks = {};
    g_connectedHook = nullptr;
    ClearDeviceMirror();
}

} // namespace zentro
