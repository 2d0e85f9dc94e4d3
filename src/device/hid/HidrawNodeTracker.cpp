#include "device/hid/HidrawNodeTracker.h"

#include "device/hid/HidrawTransport.h"
#include "platform/DebugLog.h"

namespace zentro {

namespace {

std::vector<std::string> Names(const std::vector<HidInterfaceInfo>& interfaces)
{
    std::vector<std::string> names;
    for (const auto& info : interfaces)
        names.push_back(info.path);
    return names;
}

} // namespace

CHidrawNodeTracker::CHidrawNodeTracker(const CHidrawTransport& transport) : m_transport(transport)
{
}

void CHidrawNodeTracker::Scan()
{
    std::vector<std::string> nodes;
    m_transport.ListNodes(nodes);
    for (const auto& node : nodes) {
        std::vector<HidInterfaceInfo> interfaces;
        if (m_transport.EnumerateNode(node, interfaces))
            m_names[node] = Names(interfaces);
    }
}

std::vector<DeviceChangeNotification> CHidrawNodeTracker::OnAdd(const std::string& node)
{
    std::vector<HidInterfaceInfo> interfaces;
    std::vector<DeviceChangeNotification> notifications;
    if (!m_transport.EnumerateNode(node, interfaces)) {
        m_names.erase(node);
        return notifications;
    }
    auto names = Names(interfaces);
    for (const auto& name : names)
        notifications.push_back({DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, name});
    m_names[node] = std::move(names);
    return notifications;
}

std::vector<DeviceChangeNotification> CHidrawNodeTracker::OnRemove(const std::string& node)
{
    std::vector<DeviceChangeNotification> notifications;
    auto it = m_names.find(node);
    if (it == m_names.end()) {
        DebugPrintf("hidraw: %s removed, but its collections are unknown\n", node.c_str());
        return notifications;
    }
    for (const auto& name : it->second)
        notifications.push_back({DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE, name});
    m_names.erase(it);
    return notifications;
}

} // namespace zentro
