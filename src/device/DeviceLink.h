#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "device/hid/HidTransport.h"
#include "platform/ManualResetEvent.h"

// Finding and opening the mouse, the event reader thread, and hot-plug handling.
//
// The mouse is vendor 0x04D9, product 0xA165. Its command collection (0xFF00/0xFF00, feature
// length 9) carries commands; its event collection (0xFF01/0xFF01) delivers event reports
// 06 07 code value, which the reader thread hands to the main window.

namespace zentro {

constexpr uint16_t ZENTRO_VENDOR_ID = 0x04D9;
constexpr uint16_t ZENTRO_PRODUCT_ID = 0xA165;

constexpr uint32_t WM_DEVICE_EVENT = 0x7F2;
constexpr uint32_t DEVICE_EVENT_CONNECTED = 14;
constexpr uint32_t DEVICE_EVENT_NOT_DETECTED = 15;

// What the device link needs from the window that owns it. Every member may be empty.
// postDeviceEvent is called from the reader thread too and must be thread-safe (the window
// posts it to its own thread); the others run on the thread that calls OnDeviceChange.
struct DeviceLinkCallbacks {
    std::function<void(uint32_t code, uint32_t value)> postDeviceEvent; // WM_DEVICE_EVENT
    std::function<void()> reloadProfile;  // LoadProfileSettings + ReadProfileTexts
    std::function<void()> addTrayIcon;    // NIM_ADD
    std::function<void()> deleteTrayIcon; // NIM_DELETE
    std::function<void()> hideWindow;     // SW_HIDE
};

// ---- device link state (program-wide) ----
// The transport everything is opened through: hidraw or the simulated mouse. Set by the program.
void SetHidTransport(IHidTransport* transport);
IHidTransport* GetHidTransport();

// The command handle is used by the thread that sends commands only.
extern HidDeviceHandle g_hCommandDevice;
extern uint16_t g_nFeatureReportLength;
extern uint16_t g_nCommandInputReportLength;
extern std::atomic<uint16_t> g_nEventReportLength;
// Shared with the reader thread, hence atomic.
extern std::atomic<int> g_bDeviceConnected;
extern std::string g_strDevicePath;
// Wakes the reader (stand-in for the overlapped read's completion event).
CManualResetEvent& EventReadDone();

// The event handle, shared with the reader thread (guarded).
HidDeviceHandle GetEventDevice();
void SetEventDevice(HidDeviceHandle device);

void SetDeviceLinkCallbacks(DeviceLinkCallbacks callbacks);
bool HasDeviceLinkCallbacks();

// Called after every successful connect (start-up and arrival) once the device mirror has been
// cleared, before the profile is reloaded: the layers above keep what depends on the device
// state in step (the profile layer sets ProfileSlot from g_byDeviceState). Kept apart from the
// window's callbacks so that replacing those never drops it. Empty: nothing is called.
void SetDeviceConnectedHook(std::function<void()> hook);
bool HasDeviceConnectedHook();

// Searches the interfaces and opens the command (and event) collection. Nonzero on success.
int OpenDevice();

// The connect step of start-up: OpenDevice, then on success clear the mirrors, run the
// connected hook, query the firmware version and refresh the function options.
// Returns g_bDeviceConnected.
int ConnectAtStartup();

// Creates the reader thread (held back until resumed) and resumes it at once when connected.
// False when the wake event could not be created ("CreateEvent failed.") or the system would
// not start another thread (a debug line says so; the program goes on without events).
bool StartEventReader();
// Lets a held-back reader run (done by the first successful connect). Idempotent.
void ResumeEventReader();
bool IsEventReaderResumed();
bool IsEventReaderRunning();

// Registers for hot-plug notifications. The watcher's callback runs on its own thread, so
// `deliver` must hand each notification to the thread that owns the device link, which then
// calls OnDeviceChange. False (with "RegisterDeviceNotification failed!!!") when watching fails.
bool RegisterDeviceNotifications(IDeviceWatcher& watcher,
                                 std::function<void(const DeviceChangeNotification&)> deliver);

// The WM_DEVICECHANGE handler. Always returns true.
bool OnDeviceChange(const DeviceChangeNotification& notification);

// Closes both handles and stops the reader thread.
void ShutdownDeviceLink();

// Tests: shutdown plus a return to the initial state.
void ResetDeviceLinkForTest();

} // namespace zentro
