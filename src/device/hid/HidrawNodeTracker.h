#pragma once

#include "device/hid/HidTransport.h"

#include <map>
#include <string>
#include <vector>

namespace zentro {

class CHidrawTransport;

// Turns hidraw node arrivals and removals into one notification per top-level collection,
// named exactly like the enumerated interface paths. A removed node's descriptor is gone from
// sysfs, so the tracker remembers the names each node had when it was seen (at Scan or add).
class CHidrawNodeTracker {
public:
    explicit CHidrawNodeTracker(const CHidrawTransport& transport);

    // Remembers the nodes present now.
    void Scan();
    // A node appeared ("hidraw3"): DBT_DEVICEARRIVAL for each of its collections.
    std::vector<DeviceChangeNotification> OnAdd(const std::string& node);
    // A node went away: DBT_DEVICEREMOVECOMPLETE for each collection it had.
    std::vector<DeviceChangeNotification> OnRemove(const std::string& node);

private:
    const CHidrawTransport& m_transport;
    std::map<std::string, std::vector<std::string>> m_names;
};

} // namespace zentro
