#include "device/hid/SimulatedMouse.h"

#include "device/hid/SimulatedDeviceWatcher.h"
#include "platform/ManualResetEvent.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <poll.h>
#include <set>
#include <utility>

namespace zentro {

namespace {

constexpr uint16_t PAGE_COMMAND = 0xFF00;
constexpr uint16_t PAGE_EVENT = 0xFF01;
constexpr size_t PACKET_SIZE = 8;
constexpr size_t CHUNK_SIZE = 32;

uint8_t PacketChecksum(const uint8_t* packet)
{
    unsigned sum = 0;
    for (size_t i = 0; i < 7; ++i)
        sum += packet[i];
    return static_cast<uint8_t>(0xFF - (sum & 0xFF));
}

bool IsCommandInterface(const HidInterfaceInfo& info)
{
    return info.usagePage == PAGE_COMMAND && info.usage == PAGE_COMMAND;
}

bool IsEventInterface(const HidInterfaceInfo& info)
{
    return info.usagePage == PAGE_EVENT && info.usage == PAGE_EVENT;
}

SimulatedMouseMemory PowerOnMemory()
{
    SimulatedMouseMemory memory;
    memory.functionOptions = {0x01, 0x00, 0x00, 0x40};
    memory.currentDpiStage = 1;
    return memory;
}

class CSimulatedHidDevice;

} // namespace

struct CSimulatedDeviceWatcher::Registration {
    std::mutex mutex;
    std::shared_ptr<IDeviceWatcher::Callback> callback; // null while stopped
};

struct CSimulatedMouse::State {
    mutable std::mutex mutex;
    std::vector<HidInterfaceInfo> interfaces;
    std::string pattern = DEFAULT_PATH_PATTERN;
    bool plugged = true;
    bool enumerationFails = false;
    std::map<std::pair<std::string, HidOpenMode>, HidOpenError> openFailures;
    std::set<std::string> capsUnavailable;
    std::vector<CSimulatedHidDevice*> handles;

    SimulatedMouseMemory memory = PowerOnMemory();
    std::vector<SimulatedPacket> packets;
    std::array<uint8_t, PACKET_SIZE> lastPacket{};
    int badChecksums = 0;
    int strayOutputReports = 0;
    int incompleteBlocks = 0;
    int droppedEventReports = 0;
    // Transfers the command interface still accepts before the mouse is unplugged; -1: no limit.
    int transfersUntilUnplug = -1;

    struct PendingBlock {
        bool active = false;
        uint8_t code = 0;
        uint8_t index = 0;
        size_t length = 0;
        size_t chunksExpected = 0;
        std::vector<uint8_t> data;
    } block;

    std::mutex watcherMutex;
    std::vector<std::weak_ptr<CSimulatedDeviceWatcher::Registration>> watchers;

    const HidInterfaceInfo* Find(const std::string& path) const
    {
        for (const auto& info : interfaces)
            if (info.path == path)
                return &info;
        return nullptr;
    }

    // The following run with the mutex held.
    void HandlePacket(const uint8_t* packet);
    void FinishBlock();
    void BuildReply(uint8_t* reply) const;
    void MarkHandlesGone(bool all);
    void Broadcast(const DeviceChangeNotification& notification);

    // Without the mutex held.
    void Unplug();
    // Counts one command transfer against transfersUntilUnplug and unplugs when none is left.
    void CountTransfer();
};

namespace {

class CSimulatedHidDevice final : public IHidDevice {
public:
    CSimulatedHidDevice(std::shared_ptr<CSimulatedMouse::State> state, std::string path,
                        HidOpenMode mode)
        : m_state(std::move(state)), m_path(std::move(path)), m_mode(mode)
    {
    }
    ~CSimulatedHidDevice() override { Close(); }

    bool SetFeature(const uint8_t* report, size_t length) override;
    bool GetFeature(uint8_t* report, size_t length) override;
    bool WriteOutput(const uint8_t* report, size_t length) override;
    int ReadInput(uint8_t* buffer, size_t length, const CManualResetEvent* wake,
                  int timeoutMs) override;
    void Close() override;

    // With the state's mutex held.
    bool Usable() const { return !m_closed && !m_gone && m_state->plugged; }
    const std::string& Path() const { return m_path; }
    HidOpenMode Mode() const { return m_mode; }
    bool Readable() const { return m_mode != HidOpenMode::Probe; }
    // A refused transfer: ENODEV once the device is gone, EINVAL for a malformed one.
    bool Refuse() const
    {
        errno = Usable() ? EINVAL : ENODEV;
        return false;
    }
    void MarkGone()
    {
        m_gone = true;
        m_notifier.Set();
    }
    void Push(std::vector<uint8_t> report)
    {
        m_queue.push_back(std::move(report));
        m_notifier.Set();
    }

private:
    // The command interface this handle talks to, or null.
    const HidInterfaceInfo* CommandInterface() const
    {
        const HidInterfaceInfo* info = m_state->Find(m_path);
        return info && IsCommandInterface(*info) ? info : nullptr;
    }

    std::shared_ptr<CSimulatedMouse::State> m_state;
    std::string m_path;
    HidOpenMode m_mode;
    bool m_closed = false;
    bool m_gone = false;
    std::deque<std::vector<uint8_t>> m_queue;
    // Readable while a report is queued or the handle is closed or gone.
    CManualResetEvent m_notifier;
};

bool CSimulatedHidDevice::SetFeature(const uint8_t* report, size_t length)
{
    m_state->CountTransfer();
    std::lock_guard lock(m_state->mutex);
    const HidInterfaceInfo* info = CommandInterface();
    if (!Usable() || m_mode != HidOpenMode::ReadWrite || !info || !report ||
        length != info->featureReportByteLength || length < 1 + PACKET_SIZE || report[0] != 0)
        return Refuse();
    m_state->HandlePacket(report + 1);
    return true;
}

bool CSimulatedHidDevice::GetFeature(uint8_t* report, size_t length)
{
    m_state->CountTransfer();
    std::lock_guard lock(m_state->mutex);
    const HidInterfaceInfo* info = CommandInterface();
    if (!Usable() || m_mode == HidOpenMode::Probe || !info || !report ||
        length != info->featureReportByteLength || length < 1 + PACKET_SIZE || report[0] != 0)
        return Refuse();
    std::memset(report, 0, length);
    m_state->BuildReply(report + 1);
    return true;
}

bool CSimulatedHidDevice::WriteOutput(const uint8_t* report, size_t length)
{
    m_state->CountTransfer();
    std::lock_guard lock(m_state->mutex);
    const HidInterfaceInfo* info = CommandInterface();
    if (!Usable() || m_mode != HidOpenMode::ReadWrite || !info || !report ||
        length != info->outputReportByteLength || length < 2 || report[0] != 0)
        return Refuse();
    auto& block = m_state->block;
    if (!block.active) {
        ++m_state->strayOutputReports;
        return true;
    }
    size_t take = std::min(length - 1, CHUNK_SIZE);
    block.data.insert(block.data.end(), report + 1, report + 1 + take);
    block.data.resize(block.data.size() + (CHUNK_SIZE - take), 0);
    if (block.data.size() >= block.chunksExpected * CHUNK_SIZE)
        m_state->FinishBlock();
    return true;
}

int CSimulatedHidDevice::ReadInput(uint8_t* buffer, size_t length, const CManualResetEvent* wake,
                                   int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        {
            std::lock_guard lock(m_state->mutex);
            if (!Usable() || !Readable())
                return HID_READ_GONE;
            if (!m_queue.empty()) {
                std::vector<uint8_t> report = std::move(m_queue.front());
                m_queue.pop_front();
                if (m_queue.empty())
                    m_notifier.Reset();
                size_t n = std::min(length, report.size());
                if (n > 0)
                    std::memcpy(buffer, report.data(), n);
                return static_cast<int>(n);
            }
        }
        int waitMs = -1;
        if (timeoutMs >= 0) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            waitMs = static_cast<int>(std::max<int64_t>(left.count(), 0));
        }
        pollfd fds[2] = {{m_notifier.Fd(), POLLIN, 0}, {wake ? wake->Fd() : -1, POLLIN, 0}};
        int r = ::poll(fds, 2, waitMs);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return HID_READ_GONE;
        // A report or a close that arrived together with the wake-up still takes precedence.
        if (fds[0].revents & POLLIN)
            continue;
        if (r == 0 || (fds[1].revents & POLLIN))
            return HID_READ_WOKEN;
    }
}

void CSimulatedHidDevice::Close()
{
    std::lock_guard lock(m_state->mutex);
    if (m_closed)
        return;
    m_closed = true;
    m_queue.clear();
    m_notifier.Set();
    auto& handles = m_state->handles;
    handles.erase(std::remove(handles.begin(), handles.end(), this), handles.end());
}

} // namespace

void CSimulatedMouse::State::HandlePacket(const uint8_t* packet)
{
    SimulatedPacket received;
    std::copy(packet, packet + PACKET_SIZE, received.bytes.begin());
    received.checksumOk = PacketChecksum(packet) == packet[7];
    packets.push_back(received);
    if (!received.checksumOk) {
        ++badChecksums;
        return;
    }
    if (block.active) {
        // The chunks of the previous block never all arrived: drop what came of it.
        ++incompleteBlocks;
        block = PendingBlock{};
    }
    std::copy(packet, packet + PACKET_SIZE, lastPacket.begin());
    switch (packet[0]) {
    case 0x01:
        memory.pollingRate = packet[1];
        break;
    case 0x03:
        std::copy(packet + 1, packet + 5, memory.functionOptions.begin());
        break;
    case 0x0D:
        std::copy(packet + 1, packet + 4, memory.lighting.begin());
        break;
    case 0x0E:
        std::copy(packet + 1, packet + 3, memory.axisSensitivity.begin());
        break;
    case 0x10:
    case 0x11:
    case 0x12:
    case 0x13:
        block.active = true;
        block.code = packet[0];
        block.index = packet[1];
        block.length = packet[2];
        block.chunksExpected = (block.length + CHUNK_SIZE - 1) / CHUNK_SIZE;
        if (block.chunksExpected == 0)
            FinishBlock();
        break;
    default:
        break;
    }
}

void CSimulatedMouse::State::FinishBlock()
{
    auto store = [this](uint8_t* target, size_t size) {
        size_t n = std::min({size, block.length, block.data.size()});
        std::copy(block.data.begin(), block.data.begin() + static_cast<ptrdiff_t>(n), target);
    };
    switch (block.code) {
    case 0x10:
        store(memory.dpiColors.data(), memory.dpiColors.size());
        break;
    case 0x11:
        store(memory.dpiStages.data(), memory.dpiStages.size());
        break;
    case 0x12:
        if (block.index < memory.buttonBlocks.size())
            store(memory.buttonBlocks[block.index].data(), 64);
        break;
    case 0x13:
        if (block.index >= 1 && block.index <= memory.macroBlocks.size())
            store(memory.macroBlocks[block.index - 1].data(), 128);
        break;
    default:
        break;
    }
    block = PendingBlock{};
}

void CSimulatedMouse::State::BuildReply(uint8_t* reply) const
{
    std::memset(reply, 0, PACKET_SIZE);
    reply[0] = lastPacket[0];
    switch (lastPacket[0]) {
    case 0x80:
        reply[1] = 0x01;
        reply[2] = 0x02;
        break;
    case 0x83:
        std::copy(memory.functionOptions.begin(), memory.functionOptions.end(), reply + 1);
        break;
    case 0x82:
        reply[1] = memory.currentDpiStage;
        break;
    case 0x8C:
        reply[1] = lastPacket[1];
        break;
    default:
        std::copy(lastPacket.begin(), lastPacket.end(), reply);
        return;
    }
    reply[7] = PacketChecksum(reply);
}

void CSimulatedMouse::State::MarkHandlesGone(bool all)
{
    for (CSimulatedHidDevice* handle : handles)
        if (all || !Find(handle->Path()))
            handle->MarkGone();
}

void CSimulatedMouse::State::Broadcast(const DeviceChangeNotification& notification)
{
    std::vector<std::shared_ptr<IDeviceWatcher::Callback>> callbacks;
    {
        std::lock_guard lock(watcherMutex);
        for (auto it = watchers.begin(); it != watchers.end();) {
            auto registration = it->lock();
            if (!registration) {
                it = watchers.erase(it);
                continue;
            }
            std::lock_guard regLock(registration->mutex);
            if (registration->callback)
                callbacks.push_back(registration->callback);
            ++it;
        }
    }
    for (const auto& callback : callbacks)
        (*callback)(notification);
}

// ------------------------------------------------------------------ CSimulatedMouse

CSimulatedMouse::CSimulatedMouse() : m_state(std::make_shared<State>())
{
    m_state->interfaces = DefaultInterfaces();
}

CSimulatedMouse::~CSimulatedMouse() = default;

std::string CSimulatedMouse::MakePath(const std::string& pattern, uint16_t vendorId,
                                      uint16_t productId, int collectionNumber)
{
    char buffer[16];
    const std::pair<const char*, std::string> fields[] = {
        {"{VID}", (std::snprintf(buffer, sizeof buffer, "%04X", vendorId), buffer)},
        {"{vid}", (std::snprintf(buffer, sizeof buffer, "%04x", vendorId), buffer)},
        {"{PID}", (std::snprintf(buffer, sizeof buffer, "%04X", productId), buffer)},
        {"{pid}", (std::snprintf(buffer, sizeof buffer, "%04x", productId), buffer)},
        {"{col}", (std::snprintf(buffer, sizeof buffer, "%02d", collectionNumber), buffer)},
    };
    std::string path = pattern;
    for (const auto& [key, value] : fields)
        for (size_t at = path.find(key); at != std::string::npos;
             at = path.find(key, at + value.size()))
            path.replace(at, std::strlen(key), value);
    return path;
}

std::vector<HidInterfaceInfo> CSimulatedMouse::DefaultInterfaces() const
{
    std::string pattern;
    {
        std::lock_guard lock(m_state->mutex);
        pattern = m_state->pattern;
    }
    auto make = [&](int number, uint16_t page, uint16_t usage, uint16_t in, uint16_t out,
                    uint16_t feature) {
        HidInterfaceInfo info;
        info.path = MakePath(pattern, VENDOR_ID, PRODUCT_ID, number);
        info.vendorId = VENDOR_ID;
        info.productId = PRODUCT_ID;
        info.usagePage = page;
        info.usage = usage;
        info.inputReportByteLength = in;
        info.outputReportByteLength = out;
        info.featureReportByteLength = feature;
        return info;
    };
    return {make(1, 0x0001, 0x0002, 5, 0, 0), make(2, PAGE_EVENT, PAGE_EVENT, 9, 0, 0),
            make(3, PAGE_COMMAND, PAGE_COMMAND, 33, 33, 9)};
}

void CSimulatedMouse::SetInterfaces(std::vector<HidInterfaceInfo> interfaces)
{
    std::lock_guard lock(m_state->mutex);
    int number = 0;
    for (auto& info : interfaces) {
        ++number;
        if (info.path.empty())
            info.path = MakePath(m_state->pattern, info.vendorId, info.productId, number);
    }
    m_state->interfaces = std::move(interfaces);
    m_state->MarkHandlesGone(false);
}

std::vector<HidInterfaceInfo> CSimulatedMouse::Interfaces() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->interfaces;
}

void CSimulatedMouse::SetPathPattern(const std::string& pattern)
{
    std::lock_guard lock(m_state->mutex);
    m_state->pattern = pattern;
    int number = 0;
    for (auto& info : m_state->interfaces)
        info.path = MakePath(pattern, info.vendorId, info.productId, ++number);
    m_state->MarkHandlesGone(false);
}

bool CSimulatedMouse::Enumerate(std::vector<HidInterfaceInfo>& interfaces)
{
    std::lock_guard lock(m_state->mutex);
    interfaces.clear();
    if (m_state->enumerationFails)
        return false;
    if (!m_state->plugged)
        return true;
    interfaces = m_state->interfaces;
    for (auto& info : interfaces)
        info.capsAvailable = !m_state->capsUnavailable.count(info.path);
    return true;
}

HidDeviceHandle CSimulatedMouse::Open(const std::string& path, HidOpenMode mode,
                                      HidOpenError* error)
{
    std::lock_guard lock(m_state->mutex);
    auto fail = [error](HidOpenError reason) {
        if (error)
            *error = reason;
        return HidDeviceHandle{};
    };
    if (!m_state->plugged || !m_state->Find(path))
        return fail(HidOpenError::NotFound);
    auto injected = m_state->openFailures.find({path, mode});
    if (injected != m_state->openFailures.end())
        return fail(injected->second);
    auto handle = std::make_shared<CSimulatedHidDevice>(m_state, path, mode);
    m_state->handles.push_back(handle.get());
    if (error)
        *error = HidOpenError::None;
    return handle;
}

void CSimulatedMouse::PressDpiButton(uint8_t stage)
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->memory.currentDpiStage = stage;
    }
    QueueEventReport({0x06, 0x07, 0x01, stage, 0, 0, 0, 0, 0});
}

void CSimulatedMouse::PressMacroKey(uint8_t number)
{
    QueueEventReport({0x06, 0x07, 0x09, number, 0, 0, 0, 0, 0});
}

void CSimulatedMouse::QueueEventReport(const std::vector<uint8_t>& report)
{
    std::lock_guard lock(m_state->mutex);
    bool delivered = false;
    if (m_state->plugged) {
        for (CSimulatedHidDevice* handle : m_state->handles) {
            const HidInterfaceInfo* info = m_state->Find(handle->Path());
            if (info && IsEventInterface(*info) && handle->Readable() && handle->Usable()) {
                handle->Push(report);
                delivered = true;
            }
        }
    }
    if (!delivered)
        ++m_state->droppedEventReports;
}

void CSimulatedMouse::State::Unplug()
{
    std::vector<std::string> names;
    {
        std::lock_guard lock(mutex);
        if (!plugged)
            return;
        plugged = false;
        block = PendingBlock{};
        MarkHandlesGone(true);
        for (const auto& info : interfaces)
            names.push_back(info.path);
    }
    for (const auto& name : names)
        Broadcast({DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE, name});
}

void CSimulatedMouse::State::CountTransfer()
{
    {
        std::lock_guard lock(mutex);
        if (transfersUntilUnplug < 0)
            return;
        if (transfersUntilUnplug > 0) {
            --transfersUntilUnplug;
            return;
        }
        transfersUntilUnplug = -1;
    }
    Unplug();
}

void CSimulatedMouse::Unplug()
{
    m_state->Unplug();
}

void CSimulatedMouse::UnplugAfterTransfers(int count)
{
    std::lock_guard lock(m_state->mutex);
    m_state->transfersUntilUnplug = count < 0 ? -1 : count;
}

void CSimulatedMouse::Plug()
{
    std::vector<std::string> names;
    {
        std::lock_guard lock(m_state->mutex);
        if (m_state->plugged)
            return;
        m_state->plugged = true;
        // Powering up again: the volatile state starts over, the stored settings remain.
        m_state->lastPacket = {};
        m_state->memory.currentDpiStage = 1;
        m_state->memory.functionOptions = PowerOnMemory().functionOptions;
        for (const auto& info : m_state->interfaces)
            names.push_back(info.path);
    }
    for (const auto& name : names)
        m_state->Broadcast({DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, name});
}

bool CSimulatedMouse::IsPlugged() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->plugged;
}

void CSimulatedMouse::Notify(const DeviceChangeNotification& notification)
{
    m_state->Broadcast(notification);
}

void CSimulatedMouse::SetEnumerationFails(bool fails)
{
    std::lock_guard lock(m_state->mutex);
    m_state->enumerationFails = fails;
}

void CSimulatedMouse::SetOpenFailure(const std::string& path, HidOpenMode mode, HidOpenError error)
{
    std::lock_guard lock(m_state->mutex);
    if (error == HidOpenError::None)
        m_state->openFailures.erase({path, mode});
    else
        m_state->openFailures[{path, mode}] = error;
}

void CSimulatedMouse::SetCapsUnavailable(const std::string& path, bool unavailable)
{
    std::lock_guard lock(m_state->mutex);
    if (unavailable)
        m_state->capsUnavailable.insert(path);
    else
        m_state->capsUnavailable.erase(path);
}

int CSimulatedMouse::OpenHandleCount(const std::string& path, HidOpenMode mode) const
{
    std::lock_guard lock(m_state->mutex);
    return static_cast<int>(std::count_if(
        m_state->handles.begin(), m_state->handles.end(),
        [&](CSimulatedHidDevice* h) { return h->Path() == path && h->Mode() == mode; }));
}

SimulatedMouseMemory CSimulatedMouse::Memory() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->memory;
}

std::vector<SimulatedPacket> CSimulatedMouse::ReceivedPackets() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->packets;
}

int CSimulatedMouse::BadChecksumCount() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->badChecksums;
}

int CSimulatedMouse::StrayOutputReportCount() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->strayOutputReports;
}

int CSimulatedMouse::IncompleteBlockCount() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->incompleteBlocks;
}

int CSimulatedMouse::DroppedEventReportCount() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->droppedEventReports;
}

void CSimulatedMouse::ResetToPowerOn()
{
    std::lock_guard lock(m_state->mutex);
    m_state->memory = PowerOnMemory();
    m_state->packets.clear();
    m_state->lastPacket = {};
    m_state->block = State::PendingBlock{};
    m_state->badChecksums = 0;
    m_state->strayOutputReports = 0;
    m_state->incompleteBlocks = 0;
    m_state->droppedEventReports = 0;
}

// ------------------------------------------------------------------ CSimulatedDeviceWatcher

CSimulatedDeviceWatcher::CSimulatedDeviceWatcher(CSimulatedMouse& mouse)
    : m_registration(std::make_shared<Registration>())
{
    std::lock_guard lock(mouse.m_state->watcherMutex);
    mouse.m_state->watchers.push_back(m_registration);
}

CSimulatedDeviceWatcher::~CSimulatedDeviceWatcher()
{
    Stop();
}

bool CSimulatedDeviceWatcher::Start(Callback callback)
{
    std::lock_guard lock(m_registration->mutex);
    m_registration->callback = std::make_shared<Callback>(std::move(callback));
    return true;
}

void CSimulatedDeviceWatcher::Stop()
{
    std::lock_guard lock(m_registration->mutex);
    m_registration->callback.reset();
}

} // namespace zentro
