#include "device/hid/HidrawTransport.h"

#include "device/hid/ReportDescriptor.h"
#include "platform/DebugLog.h"
#include "platform/ManualResetEvent.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <linux/hidraw.h>
#include <mutex>
#include <poll.h>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zentro {

namespace {

// The kernel's limit for a report descriptor.
constexpr size_t MAX_DESCRIPTOR_SIZE = 4096;
// Larger than any report hidraw hands out.
constexpr size_t MAX_REPORT_SIZE = 4096 + 1;

bool ReadFileBytes(const std::string& path, std::string& contents, size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (contents.size() > limit)
        contents.resize(limit);
    return !in.bad();
}

// HID_ID=0003:000004D9:0000A165 from a uevent file.
bool ParseHidId(const std::string& uevent, uint16_t& vendorId, uint16_t& productId)
{
    std::istringstream lines(uevent);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("HID_ID=", 0) != 0)
            continue;
        unsigned bus = 0;
        unsigned long vendor = 0, product = 0;
        if (std::sscanf(line.c_str() + 7, "%x:%lx:%lx", &bus, &vendor, &product) != 3)
            return false;
        vendorId = static_cast<uint16_t>(vendor & 0xFFFF);
        productId = static_cast<uint16_t>(product & 0xFFFF);
        return true;
    }
    return false;
}

int NodeNumber(const std::string& node)
{
    return std::atoi(node.c_str() + std::strlen("hidraw"));
}

class CHidrawDevice final : public IHidDevice {
public:
    CHidrawDevice(int fd, HidOpenMode mode, bool numbered, std::vector<uint8_t> inputIds)
        : m_fd(fd), m_mode(mode), m_numbered(numbered), m_inputIds(std::move(inputIds))
    {
    }
    ~CHidrawDevice() override { Close(); }

    bool SetFeature(const uint8_t* report, size_t length) override
    {
        if (m_fd < 0 || !report || length == 0)
            return false;
        return ::ioctl(m_fd, HIDIOCSFEATURE(length), report) >= 0;
    }

    bool GetFeature(uint8_t* report, size_t length) override
    {
        // report[0] carries the report ID in; the kernel returns the report in the same shape.
        if (m_fd < 0 || !report || length == 0)
            return false;
        return ::ioctl(m_fd, HIDIOCGFEATURE(length), report) >= 0;
    }

    bool WriteOutput(const uint8_t* report, size_t length) override
    {
        if (m_fd < 0 || m_mode != HidOpenMode::ReadWrite || !report || length == 0)
            return false;
        ssize_t n;
        do {
            n = ::write(m_fd, report, length);
        } while (n < 0 && errno == EINTR);
        return n == static_cast<ssize_t>(length);
    }

    int ReadInput(uint8_t* buffer, size_t length, const CManualResetEvent* wake,
                  int timeoutMs) override;

    void Close() override
    {
        std::unique_lock lock(m_mutex);
        if (m_closed)
            return;
        m_closed = true;
        m_closeEvent.Set();
        // A reader blocked in poll() on m_fd wakes through m_closeEvent; the descriptor is
        // closed only once it has left, so it never polls a recycled descriptor number.
        m_idle.wait(lock, [this] { return m_activeReaders == 0; });
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    bool WantsReport(uint8_t id) const
    {
        return std::find(m_inputIds.begin(), m_inputIds.end(), id) != m_inputIds.end();
    }

    int m_fd;
    HidOpenMode m_mode;
    bool m_numbered;
    std::vector<uint8_t> m_inputIds;

    std::mutex m_mutex;
    std::condition_variable m_idle;
    int m_activeReaders = 0;
    bool m_closed = false;
    CManualResetEvent m_closeEvent;
};

int CHidrawDevice::ReadInput(uint8_t* buffer, size_t length, const CManualResetEvent* wake,
                             int timeoutMs)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || m_fd < 0 || m_mode == HidOpenMode::Probe)
            return HID_READ_GONE;
        ++m_activeReaders;
    }
    struct Leave {
        CHidrawDevice* self;
        ~Leave()
        {
            std::lock_guard lock(self->m_mutex);
            --self->m_activeReaders;
            self->m_idle.notify_all();
        }
    } leave{this};

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    uint8_t report[MAX_REPORT_SIZE];
    for (;;) {
        int waitMs = -1;
        if (timeoutMs >= 0) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            waitMs = static_cast<int>(std::max<int64_t>(left.count(), 0));
        }
        pollfd fds[3] = {
            {m_fd, POLLIN, 0}, {m_closeEvent.Fd(), POLLIN, 0}, {wake ? wake->Fd() : -1, POLLIN, 0}};
        int r = ::poll(fds, 3, waitMs);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 || (fds[1].revents & POLLIN))
            return HID_READ_GONE;
        if (fds[0].revents & POLLIN) {
            ssize_t n = ::read(m_fd, report, sizeof report);
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (n < 0)
                return HID_READ_GONE; // EIO, ENODEV: the device went away
            if (n == 0 || length == 0)
                continue;
            if (m_numbered) {
                if (!WantsReport(report[0]))
                    continue; // a report of another collection of the same node
                size_t count = std::min(length, static_cast<size_t>(n));
                std::memcpy(buffer, report, count);
                return static_cast<int>(count);
            }
            buffer[0] = 0;
            size_t count = std::min(length - 1, static_cast<size_t>(n));
            std::memcpy(buffer + 1, report, count);
            return static_cast<int>(count + 1);
        }
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return HID_READ_GONE;
        if (r == 0 || (fds[2].revents & POLLIN))
            return HID_READ_WOKEN;
    }
}

} // namespace

CHidrawTransport::CHidrawTransport(std::string sysfsRoot, std::string devRoot)
    : m_sysfsRoot(std::move(sysfsRoot)), m_devRoot(std::move(devRoot))
{
}

std::string CHidrawTransport::MakeInterfacePath(const std::string& devNode, uint16_t vendorId,
                                                uint16_t productId, int collectionNumber)
{
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, "#HID#VID_%04X&PID_%04X&Col%02d", vendorId, productId,
                  collectionNumber);
    return devNode + suffix;
}

std::string CHidrawTransport::NodeOfPath(const std::string& path)
{
    return path.substr(0, path.find('#'));
}

int CHidrawTransport::CollectionOfPath(const std::string& path)
{
    size_t hash = path.find('#');
    if (hash == std::string::npos)
        return 0;
    size_t at = path.find("&Col", hash);
    return at == std::string::npos ? 0 : std::atoi(path.c_str() + at + 4);
}

std::string CHidrawTransport::NodeSysfsDir(const std::string& node) const
{
    return m_sysfsRoot + "/class/hidraw/" + node;
}

bool CHidrawTransport::ListNodes(std::vector<std::string>& nodes) const
{
    nodes.clear();
    const std::string dirPath = m_sysfsRoot + "/class/hidraw";
    DIR* dir = ::opendir(dirPath.c_str());
    if (!dir) {
        if (errno == ENOENT)
            return true; // no hidraw device (or no hidraw driver) at all
        DebugPrintf("hidraw: cannot read %s: %s\n", dirPath.c_str(), std::strerror(errno));
        return false;
    }
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name.rfind("hidraw", 0) == 0 && name.size() > 6 &&
            std::all_of(name.begin() + 6, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            nodes.push_back(name);
    }
    ::closedir(dir);
    std::sort(nodes.begin(), nodes.end(), [](const std::string& a, const std::string& b) {
        return NodeNumber(a) < NodeNumber(b);
    });
    return true;
}

bool CHidrawTransport::EnumerateNode(const std::string& node,
                                     std::vector<HidInterfaceInfo>& interfaces) const
{
    const std::string deviceDir = NodeSysfsDir(node) + "/device";
    std::string uevent;
    uint16_t vendorId = 0, productId = 0;
    if (!ReadFileBytes(deviceDir + "/uevent", uevent, 65536) ||
        !ParseHidId(uevent, vendorId, productId)) {
        DebugPrintf("hidraw: %s: no HID_ID in the device's uevent, skipped\n", node.c_str());
        return false;
    }
    std::string descriptor;
    if (!ReadFileBytes(deviceDir + "/report_descriptor", descriptor, MAX_DESCRIPTOR_SIZE)) {
        DebugPrintf("hidraw: %s: report descriptor unreadable, skipped\n", node.c_str());
        return false;
    }
    auto parsed = ParseReportDescriptor(reinterpret_cast<const uint8_t*>(descriptor.data()),
                                        descriptor.size());
    if (!parsed.Ok()) {
        DebugPrintf("hidraw: %s: report descriptor rejected (%s), skipped\n", node.c_str(),
                    parsed.error.c_str());
        return false;
    }
    int number = 0;
    for (const auto& collection : parsed.collections) {
        HidInterfaceInfo info;
        info.path = MakeInterfacePath(m_devRoot + "/" + node, vendorId, productId, ++number);
        info.vendorId = vendorId;
        info.productId = productId;
        info.usagePage = collection.usagePage;
        info.usage = collection.usage;
        info.inputReportByteLength = collection.inputLen;
        info.outputReportByteLength = collection.outputLen;
        info.featureReportByteLength = collection.featureLen;
        interfaces.push_back(std::move(info));
    }
    return true;
}

bool CHidrawTransport::Enumerate(std::vector<HidInterfaceInfo>& interfaces)
{
    interfaces.clear();
    std::vector<std::string> nodes;
    if (!ListNodes(nodes))
        return false;
    for (const auto& node : nodes)
        EnumerateNode(node, interfaces);
    return true;
}

HidDeviceHandle CHidrawTransport::Open(const std::string& path, HidOpenMode mode,
                                       HidOpenError* error)
{
    auto fail = [error](HidOpenError reason) {
        if (error)
            *error = reason;
        return HidDeviceHandle{};
    };
    const std::string devNode = NodeOfPath(path);
    const std::string node = devNode.substr(devNode.rfind('/') + 1);
    const int collection = CollectionOfPath(path);

    struct stat st {};
    if (::stat(devNode.c_str(), &st) != 0)
        return fail(errno == ENOENT || errno == ENOTDIR ? HidOpenError::NotFound
                    : errno == EACCES                   ? HidOpenError::PermissionDenied
                                                        : HidOpenError::Other);
    if (mode == HidOpenMode::Probe) {
        if (error)
            *error = HidOpenError::None;
        return std::make_shared<CHidrawDevice>(-1, mode, false, std::vector<uint8_t>{});
    }

    // Which input reports belong to the collection.
    bool numbered = false;
    std::vector<uint8_t> inputIds;
    std::string descriptor;
    if (ReadFileBytes(NodeSysfsDir(node) + "/device/report_descriptor", descriptor,
                      MAX_DESCRIPTOR_SIZE)) {
        auto parsed = ParseReportDescriptor(reinterpret_cast<const uint8_t*>(descriptor.data()),
                                            descriptor.size());
        if (parsed.Ok()) {
            numbered = parsed.numbered;
            if (numbered && collection >= 1 &&
                static_cast<size_t>(collection) <= parsed.collections.size())
                inputIds = parsed.collections[collection - 1].inputReportIds;
        }
    }

    const int flags = (mode == HidOpenMode::ReadWrite ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(devNode.c_str(), flags);
    if (fd < 0) {
        int err = errno;
        if (err == EACCES || err == EPERM) {
            DebugPrintf("hidraw: no permission to open %s. Install the udev rule "
                        "resources/70-zentro-mouse.rules: copy it to /etc/udev/rules.d/ and run "
                        "udevadm control --reload && udevadm trigger\n",
                        devNode.c_str());
            return fail(HidOpenError::PermissionDenied);
        }
        DebugPrintf("hidraw: cannot open %s: %s\n", devNode.c_str(), std::strerror(err));
        return fail(err == ENOENT || err == ENODEV || err == ENXIO ? HidOpenError::NotFound
                                                                   : HidOpenError::Other);
    }
    if (error)
        *error = HidOpenError::None;
    return std::make_shared<CHidrawDevice>(fd, mode, numbered, std::move(inputIds));
}

} // namespace zentro
