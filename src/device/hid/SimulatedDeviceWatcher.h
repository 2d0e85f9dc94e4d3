#pragma once

#include "device/hid/HidTransport.h"

#include <memory>
#include <mutex>

namespace zentro {

class CSimulatedMouse;

// The hot-plug watcher of a simulated mouse. Once started it receives a removal for each
// interface on CSimulatedMouse::Unplug and an arrival for each on Plug, with the interface
// paths as names. Notifications are delivered synchronously on the thread that calls
// Unplug/Plug/Notify, after the mouse's state has changed, so a handler may enumerate and open
// the mouse from inside the callback. The watcher may outlive the mouse object.
class CSimulatedDeviceWatcher final : public IDeviceWatcher {
public:
    explicit CSimulatedDeviceWatcher(CSimulatedMouse& mouse);
    ~CSimulatedDeviceWatcher() override;
    CSimulatedDeviceWatcher(const CSimulatedDeviceWatcher&) = delete;
    CSimulatedDeviceWatcher& operator=(const CSimulatedDeviceWatcher&) = delete;

    bool Start(Callback callback) override;
    void Stop() override;

    struct Registration;

private:
    std::shared_ptr<Registration> m_registration;
};

} // namespace zentro
