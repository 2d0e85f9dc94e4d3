#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The transport interface between the device link and an actual HID stack: the hidraw backend
// on Linux, the simulated mouse everywhere. It stands in for SetupDi enumeration, HidD/HidP
// attribute and capability queries, and CreateFile/ReadFile/WriteFile on HID interfaces.
//
// Buffers always have the Windows shape: byte 0 is the report ID (0 when the collection's
// reports are unnumbered), followed by the report's data.

namespace zentro {

class CManualResetEvent;

// One enumerated interface: one top-level collection of a HID device, as Windows presents it.
struct HidInterfaceInfo {
    // Interface name. It carries the device identity in Windows spelling
    // ("...VID_04D9&PID_A165...") so that hot-plug names can be matched against it.
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // Report byte lengths as HidP_GetCaps gives them: the largest report of the collection
    // over its report IDs, plus one byte for the report ID; 0 when there is none.
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    // False when the collection's capabilities could not be read (HidD_GetPreparsedData fails).
    bool capsAvailable = true;
};

enum class HidOpenMode {
    Probe,     // no access rights: only attributes and capabilities are read
    Read,      // the event collection
    ReadWrite, // the command collection
};

enum class HidOpenError {
    None,
    NotFound,
    PermissionDenied,
    Other,
};

// Result of ReadInput beyond a positive byte count.
constexpr int HID_READ_WOKEN = 0; // woken by the wake event, or timed out
constexpr int HID_READ_GONE = -1; // the device went away or the handle was closed

// When a call fails, errno tells why (ENODEV or EIO once the device is gone), as the
// system calls underneath left it.
class IHidDevice {
public:
    virtual ~IHidDevice() = default;

    // HidD_SetFeature / HidD_GetFeature. report[0] is the report ID. False on failure.
    virtual bool SetFeature(const uint8_t* report, size_t length) = 0;
    virtual bool GetFeature(uint8_t* report, size_t length) = 0;
    // WriteFile of one output report. report[0] is the report ID. False on failure.
    virtual bool WriteOutput(const uint8_t* report, size_t length) = 0;
    // ReadFile of one input report into buffer (Windows shape, at most length bytes).
    // Blocks until a report arrives, `wake` becomes signalled (when given), timeoutMs passes
    // (when >= 0), or the device goes away. Returns the byte count (> 0), HID_READ_WOKEN or
    // HID_READ_GONE. Never busy-waits. Safe to call from another thread than the other calls.
    virtual int ReadInput(uint8_t* buffer, size_t length, const CManualResetEvent* wake,
                          int timeoutMs) = 0;
    // Closes the handle; a ReadInput blocked in another thread returns HID_READ_GONE.
    virtual void Close() = 0;
};

using HidDeviceHandle = std::shared_ptr<IHidDevice>;

class IHidTransport {
public:
    virtual ~IHidTransport() = default;
    // The present interfaces, in the system's order. False when enumeration itself failed.
    virtual bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) = 0;
    // Opens an enumerated interface. Null on failure, with the reason in *error.
    virtual HidDeviceHandle Open(const std::string& path, HidOpenMode mode,
                                 HidOpenError* error) = 0;
};

// Hot-plug notifications (stand-in for RegisterDeviceNotificationW and WM_DEVICECHANGE).
constexpr uint32_t DBT_DEVICEARRIVAL = 0x8000;
constexpr uint32_t DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr uint32_t DBT_DEVTYP_DEVICEINTERFACE = 0x00000005;

struct DeviceChangeNotification {
    uint32_t eventType = 0;                           // DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE
    uint32_t deviceType = DBT_DEVTYP_DEVICEINTERFACE; // the broadcast header's device type
    std::string name;                                 // interface name, carries the identity
};

class IDeviceWatcher {
public:
    using Callback = std::function<void(const DeviceChangeNotification&)>;
    virtual ~IDeviceWatcher() = default;
    // Starts delivering notifications. The callback may run on a watcher thread; receivers
    // hand it to their own thread. False when watching is not possible (reason in debug output).
    virtual bool Start(Callback callback) = 0;
    virtual void Stop() = 0;
};

} // namespace zentro
