// zentro-uhid-mouse: a ZENTRO gaming mouse made in user space through /dev/uhid, so that the
// kernel's HID stack gives it real hidraw nodes. It answers the command protocol on its own
// terms (written from the protocol, not from the program's simulated mouse), keeps what it is
// sent, logs every report in the transfer-trace format and takes orders from a control FIFO:
//
//   dpi N        event report 06 07 01 N (the DPI button; the state query then answers N)
//   macro N      event report 06 07 09 N (a macro key)
//   unplug       the device goes away (UHID_DESTROY)
//   plug         the device comes back (UHID_CREATE2); the stored settings remain
//   memory FILE  writes what the mouse keeps to FILE, one "name hex bytes" line per item
//   quit         unplugs and ends the program
//
// usage: zentro-uhid-mouse CONTROL_FIFO LOG_FILE
// It writes "ready" to stdout once the device has been created for the first time.

#include <linux/uhid.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Collection 1, the event collection (0xFF01/0xFF01): input report 6 of 8 bytes, numbered.
// Collection 2, the command collection (0xFF00/0xFF00): an 8-byte feature report and 32-byte
// output and input reports, unnumbered. Push and Pop keep report ID 6 out of the second one.
const uint8_t kDescriptor[] = {
    0x06, 0x01, 0xFF, // Usage Page (0xFF01)
    0x0A, 0x01, 0xFF, // Usage (0xFF01)
    0xA1, 0x01,       // Collection (Application)
    0xA4,             //   Push
    0x85, 0x06,       //   Report ID (6)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x00, //   Logical Maximum (255)
    0x75, 0x08,       //   Report Size (8)
    0x95, 0x08,       //   Report Count (8)
    0x09, 0x01,       //   Usage (1)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0xB4,             //   Pop
    0xC0,             // End Collection
    0x06, 0x00, 0xFF, // Usage Page (0xFF00)
    0x0A, 0x00, 0xFF, // Usage (0xFF00)
    0xA1, 0x01,       // Collection (Application)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x00, //   Logical Maximum (255)
    0x75, 0x08,       //   Report Size (8)
    0x95, 0x08,       //   Report Count (8)
    0x09, 0x02,       //   Usage (2)
    0xB1, 0x02,       //   Feature (Data, Variable, Absolute)
    0x95, 0x20,       //   Report Count (32)
    0x09, 0x03,       //   Usage (3)
    0x91, 0x02,       //   Output (Data, Variable, Absolute)
    0x09, 0x04,       //   Usage (4)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0xC0,             // End Collection
};

constexpr size_t kChunk = 32;

struct Memory {
    uint8_t pollingRate = 0;
    std::array<uint8_t, 2> axes{};
    std::array<uint8_t, 8> dpiStages{};
    std::array<uint8_t, 24> dpiColors{};
    std::array<std::array<uint8_t, 64>, 4> buttonBlocks{};
    std::array<std::array<uint8_t, 128>, 12> macroBlocks{};
    std::array<uint8_t, 3> lighting{};
    std::array<uint8_t, 4> functionOptions{0x01, 0x00, 0x00, 0x40};
    uint8_t dpiStage = 1;
};

class UhidMouse {
public:
    UhidMouse(int uhid, FILE* log) : m_uhid(uhid), m_log(log) {}

    bool Create();
    bool Destroy();
    bool SendInput(const std::vector<uint8_t>& report);
    void HandleEvent();
    void PressDpi(uint8_t stage)
    {
        m_memory.dpiStage = stage;
        SendInput({0x06, 0x07, 0x01, stage, 0, 0, 0, 0, 0});
    }
    void PressMacro(uint8_t number) { SendInput({0x06, 0x07, 0x09, number, 0, 0, 0, 0, 0}); }
    bool WriteMemory(const std::string& path) const;
    bool Created() const { return m_created; }

private:
    bool Write(const uhid_event& event);
    void Log(const char* verb, const uint8_t* bytes, size_t length);
    void HandlePacket(const uint8_t* packet);
    void HandleChunk(const uint8_t* data, size_t length);
    void FinishBlock();
    void BuildReply(uint8_t* reply) const;

    int m_uhid;
    FILE* m_log;
    bool m_created = false;
    Memory m_memory;
    std::array<uint8_t, 8> m_lastPacket{};
    struct {
        bool active = false;
        uint8_t code = 0, index = 0;
        size_t length = 0;
        std::vector<uint8_t> data;
    } m_block;
};

uint8_t Checksum(const uint8_t* packet)
{
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += packet[i];
    return static_cast<uint8_t>(0xFF - (sum & 0xFF));
}

bool UhidMouse::Write(const uhid_event& event)
{
    ssize_t n;
    do {
        n = ::write(m_uhid, &event, sizeof event);
    } while (n < 0 && errno == EINTR);
    if (n != static_cast<ssize_t>(sizeof event)) {
        std::fprintf(stderr, "uhid mouse: write to /dev/uhid failed: %s\n", std::strerror(errno));
        return false;
    }
    return true;
}

void UhidMouse::Log(const char* verb, const uint8_t* bytes, size_t length)
{
    std::fprintf(m_log, "%s", verb);
    for (size_t i = 0; i < length; ++i)
        std::fprintf(m_log, " %02x", bytes[i]);
    std::fprintf(m_log, "\n");
    std::fflush(m_log);
}

bool UhidMouse::Create()
{
    if (m_created)
        return true;
    uhid_event event{};
    event.type = UHID_CREATE2;
    std::snprintf(reinterpret_cast<char*>(event.u.create2.name), sizeof event.u.create2.name,
                  "ZENTRO gaming mouse");
    std::snprintf(reinterpret_cast<char*>(event.u.create2.phys), sizeof event.u.create2.phys,
                  "zentro-uhid-mouse");
    event.u.create2.rd_size = sizeof kDescriptor;
    event.u.create2.bus = 0x03; // BUS_USB
    event.u.create2.vendor = 0x04D9;
    event.u.create2.product = 0xA165;
    event.u.create2.version = 0x0100;
    std::memcpy(event.u.create2.rd_data, kDescriptor, sizeof kDescriptor);
    m_created = Write(event);
    if (m_created) {
        // A power-up: the volatile state starts over, the stored settings remain.
        m_memory.dpiStage = 1;
        m_memory.functionOptions = Memory{}.functionOptions;
        m_lastPacket = {};
    }
    return m_created;
}

bool UhidMouse::Destroy()
{
    if (!m_created)
        return true;
    uhid_event event{};
    event.type = UHID_DESTROY;
    m_created = false;
    m_block.active = false;
    return Write(event);
}

bool UhidMouse::SendInput(const std::vector<uint8_t>& report)
{
    if (!m_created)
        return false;
    uhid_event event{};
    event.type = UHID_INPUT2;
    event.u.input2.size = static_cast<uint16_t>(report.size());
    std::memcpy(event.u.input2.data, report.data(), report.size());
    Log("input", report.data(), report.size());
    return Write(event);
}

void UhidMouse::BuildReply(uint8_t* reply) const
{
    std::memset(reply, 0, 8);
    const uint8_t code = m_lastPacket[0];
    reply[0] = code;
    switch (code) {
    case 0x80: // firmware version 1.2
        reply[1] = 0x01;
        reply[2] = 0x02;
        break;
    case 0x83:
        std::memcpy(reply + 1, m_memory.functionOptions.data(), 4);
        break;
    case 0x82:
        reply[1] = m_memory.dpiStage;
        break;
    case 0x8C:
        reply[1] = m_lastPacket[1];
        break;
    default:
        std::memcpy(reply, m_lastPacket.data(), 7);
        break;
    }
    reply[7] = Checksum(reply);
}

void UhidMouse::HandlePacket(const uint8_t* packet)
{
    if (Checksum(packet) != packet[7])
        return;             // a damaged packet is ignored
    m_block.active = false; // the chunks of an unfinished block are dropped
    std::memcpy(m_lastPacket.data(), packet, 8);
    switch (packet[0]) {
    case 0x01:
        m_memory.pollingRate = packet[1];
        break;
    case 0x03:
        std::memcpy(m_memory.functionOptions.data(), packet + 1, 4);
        break;
    case 0x0D:
        std::memcpy(m_memory.lighting.data(), packet + 1, 3);
        break;
    case 0x0E:
        std::memcpy(m_memory.axes.data(), packet + 1, 2);
        break;
    case 0x10:
    case 0x11:
    case 0x12:
    case 0x13:
        m_block.active = true;
        m_block.code = packet[0];
        m_block.index = packet[1];
        m_block.length = packet[2];
        m_block.data.clear();
        if (m_block.length == 0)
            FinishBlock();
        break;
    default:
        break;
    }
}

void UhidMouse::HandleChunk(const uint8_t* data, size_t length)
{
    if (!m_block.active)
        return;
    std::vector<uint8_t> chunk(kChunk, 0);
    std::memcpy(chunk.data(), data, std::min(length, kChunk));
    m_block.data.insert(m_block.data.end(), chunk.begin(), chunk.end());
    if (m_block.data.size() >= m_block.length)
        FinishBlock();
}

void UhidMouse::FinishBlock()
{
    auto store = [this](uint8_t* target, size_t size) {
        std::memcpy(target, m_block.data.data(),
                    std::min({size, m_block.length, m_block.data.size()}));
    };
    switch (m_block.code) {
    case 0x10:
        store(m_memory.dpiColors.data(), m_memory.dpiColors.size());
        break;
    case 0x11:
        store(m_memory.dpiStages.data(), m_memory.dpiStages.size());
        break;
    case 0x12:
        if (m_block.index < 4)
            store(m_memory.buttonBlocks[m_block.index].data(), 64);
        break;
    case 0x13:
        if (m_block.index >= 1 && m_block.index <= 12)
            store(m_memory.macroBlocks[m_block.index - 1].data(), 128);
        break;
    default:
        break;
    }
    m_block.active = false;
}

void UhidMouse::HandleEvent()
{
    uhid_event event{};
    ssize_t n = ::read(m_uhid, &event, sizeof event);
    if (n <= 0)
        return;
    switch (event.type) {
    case UHID_SET_REPORT: {
        const auto& request = event.u.set_report;
        const size_t size = std::min<size_t>(request.size, UHID_DATA_MAX);
        Log("set-feature", request.data, size);
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = request.id;
        if (request.rtype == UHID_FEATURE_REPORT && request.rnum == 0 && size >= 9)
            HandlePacket(request.data + 1);
        else
            reply.u.set_report_reply.err = EIO;
        Write(reply);
        break;
    }
    case UHID_GET_REPORT: {
        const auto& request = event.u.get_report;
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = request.id;
        if (request.rtype == UHID_FEATURE_REPORT && request.rnum == 0) {
            uint8_t* data = reply.u.get_report_reply.data;
            data[0] = 0; // unnumbered: the report ID byte the caller sees is 0
            BuildReply(data + 1);
            reply.u.get_report_reply.size = 9;
            Log("get-feature", data, 9);
        } else {
            reply.u.get_report_reply.err = EIO;
        }
        Write(reply);
        break;
    }
    case UHID_OUTPUT: {
        const auto& output = event.u.output;
        const size_t size = std::min<size_t>(output.size, UHID_DATA_MAX);
        Log("write", output.data, size);
        if (output.rtype == UHID_OUTPUT_REPORT && size >= 2)
            HandleChunk(output.data + 1, size - 1);
        break;
    }
    default:
        break; // start, stop, open, close
    }
}

void WriteLine(FILE* out, const char* name, const uint8_t* bytes, size_t length)
{
    std::fprintf(out, "%s", name);
    for (size_t i = 0; i < length; ++i)
        std::fprintf(out, " %02x", bytes[i]);
    std::fprintf(out, "\n");
}

bool UhidMouse::WriteMemory(const std::string& path) const
{
    // Written aside and renamed, so that a reader never sees half of it.
    const std::string temporary = path + ".part";
    FILE* out = std::fopen(temporary.c_str(), "w");
    if (!out)
        return false;
    const Memory& m = m_memory;
    WriteLine(out, "polling-rate", &m.pollingRate, 1);
    WriteLine(out, "axis-sensitivity", m.axes.data(), m.axes.size());
    WriteLine(out, "dpi-stages", m.dpiStages.data(), m.dpiStages.size());
    WriteLine(out, "dpi-colors", m.dpiColors.data(), m.dpiColors.size());
    for (size_t i = 0; i < m.buttonBlocks.size(); ++i)
        WriteLine(out, ("button-block-" + std::to_string(i)).c_str(), m.buttonBlocks[i].data(), 64);
    for (size_t i = 0; i < m.macroBlocks.size(); ++i)
        WriteLine(out, ("macro-block-" + std::to_string(i + 1)).c_str(), m.macroBlocks[i].data(),
                  128);
    WriteLine(out, "lighting", m.lighting.data(), m.lighting.size());
    WriteLine(out, "function-options", m.functionOptions.data(), m.functionOptions.size());
    return std::fclose(out) == 0 && std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zentro-uhid-mouse CONTROL_FIFO LOG_FILE\n");
        return 2;
    }
    const int uhid = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (uhid < 0) {
        std::fprintf(stderr, "uhid mouse: cannot open /dev/uhid: %s\n", std::strerror(errno));
        return 1;
    }
    ::mkfifo(argv[1], 0600);
    // Opened for writing too, so that the FIFO never reports end of file between writers.
    const int control = ::open(argv[1], O_RDWR | O_CLOEXEC);
    FILE* log = std::fopen(argv[2], "w");
    if (control < 0 || !log) {
        std::fprintf(stderr, "uhid mouse: cannot open %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    UhidMouse mouse(uhid, log);
    if (!mouse.Create())
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);

    std::string pending;
    for (;;) {
        pollfd fds[2] = {{uhid, POLLIN, 0}, {control, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        if (fds[0].revents & POLLIN)
            mouse.HandleEvent();
        if (!(fds[1].revents & POLLIN))
            continue;
        char buffer[256];
        ssize_t n = ::read(control, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        pending.append(buffer, static_cast<size_t>(n));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            const std::string verb = line.substr(0, line.find(' '));
            const std::string arg = line.find(' ') == std::string::npos
                                        ? std::string()
                                        : line.substr(line.find(' ') + 1);
            bool ok = true;
            if (verb == "dpi")
                mouse.PressDpi(static_cast<uint8_t>(std::atoi(arg.c_str())));
            else if (verb == "macro")
                mouse.PressMacro(static_cast<uint8_t>(std::atoi(arg.c_str())));
            else if (verb == "unplug")
                ok = mouse.Destroy();
            else if (verb == "plug")
                ok = mouse.Create();
            else if (verb == "memory")
                ok = mouse.WriteMemory(arg);
            else if (verb == "quit") {
                mouse.Destroy();
                return 0;
            } else
                ok = false;
            if (!ok)
                std::fprintf(stderr, "uhid mouse: '%s' failed\n", line.c_str());
        }
    }
}
