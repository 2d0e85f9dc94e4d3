#pragma once

#include "device/hid/HidTransport.h"

#include <string>
#include <vector>

// The Linux backend of the HID transport, on hidraw nodes.
//
// Enumeration walks <sysfs>/class/hidraw/hidrawN: the parent HID device's uevent gives
// HID_ID=bus:vendor:product, its report_descriptor the collections. As on Windows, every
// top-level collection of a node is one interface. Its path is the node followed by the
// identity in Windows spelling and the collection number, for example
// "/dev/hidraw3#HID#VID_04D9&PID_A165&Col02", so that hot-plug names can be matched the same
// way as on Windows; Open() maps the path back to the node.
//
// A node may carry several collections and every open file of the node receives every input
// report. When the node's reports are numbered, ReadInput of a collection returns only
// reports whose ID belongs to that collection and silently drops the others; when they are
// unnumbered (which allows only one collection with input reports in practice) it returns them
// all, with a 0 report-ID byte put in front to give callers the Windows buffer shape.
//
// Probe handles need no access rights: they only check that the node exists. A node that
// exists but cannot be opened for lack of permission gives PermissionDenied and a debug line
// pointing at the udev rule resources/70-zentro-mouse.rules.
//
// Close() may be called while another thread is blocked in ReadInput of the same handle; that
// reader returns HID_READ_GONE before the descriptor is closed. Every other call of a handle
// belongs to one thread at a time.

namespace zentro {

class CHidrawTransport final : public IHidTransport {
public:
    // The roots are injectable so that enumeration can run on a fake tree in tests.
    explicit CHidrawTransport(std::string sysfsRoot = "/sys", std::string devRoot = "/dev");

    bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;
    HidDeviceHandle Open(const std::string& path, HidOpenMode mode, HidOpenError* error) override;

    // The hidraw node names present in sysfs ("hidraw0", "hidraw1", ...) in numeric order.
    // False when the class directory exists but cannot be read.
    bool ListNodes(std::vector<std::string>& nodes) const;
    // Appends the interfaces of one node. False (with a debug line) when the node is skipped:
    // unreadable uevent or descriptor, or a descriptor that does not parse.
    bool EnumerateNode(const std::string& node, std::vector<HidInterfaceInfo>& interfaces) const;

    static std::string MakeInterfacePath(const std::string& devNode, uint16_t vendorId,
                                         uint16_t productId, int collectionNumber);
    // The device node of an interface path (everything before the first '#'), and the
    // 1-based collection number after "&Col" (0 when there is none).
    static std::string NodeOfPath(const std::string& path);
    static int CollectionOfPath(const std::string& path);

private:
    std::string NodeSysfsDir(const std::string& node) const;

    std::string m_sysfsRoot;
    std::string m_devRoot;
};

} // namespace zentro
