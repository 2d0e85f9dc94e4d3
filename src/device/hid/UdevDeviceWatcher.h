#pragma once

#include "device/hid/HidTransport.h"

#include <memory>
#include <string>
#include <thread>

namespace zentro {

// Hot-plug watcher on Linux: a udev monitor on the hidraw subsystem. An added node gives
// DBT_DEVICEARRIVAL and a removed node DBT_DEVICEREMOVECOMPLETE, once per top-level collection,
// with the same names CHidrawTransport enumerates. The callback runs on the watcher's thread,
// which sleeps in poll() on the monitor and a stop event (no timers). Stop() joins it.
// Built without libudev, Start() fails and says so in the debug output.
class CUdevDeviceWatcher final : public IDeviceWatcher {
public:
    explicit CUdevDeviceWatcher(std::string sysfsRoot = "/sys", std::string devRoot = "/dev");
    ~CUdevDeviceWatcher() override;
    CUdevDeviceWatcher(const CUdevDeviceWatcher&) = delete;
    CUdevDeviceWatcher& operator=(const CUdevDeviceWatcher&) = delete;

    bool Start(Callback callback) override;
    void Stop() override;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace zentro
