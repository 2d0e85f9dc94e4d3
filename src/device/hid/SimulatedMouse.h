#pragma once

#include "device/hid/HidTransport.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A complete virtual ZENTRO mouse that behaves like the real one on the wire. It is used by the
// tests, by `zentroctl --device simulated` and by the window program with ZENTRO_DEVICE=simulated.
//
// It enumerates as three interfaces (standard mouse, event collection, command collection),
// checks the checksum of every command packet, answers the queries the program makes, keeps
// everything the program writes, and can be driven from outside: DPI button, macro keys,
// arbitrary event reports, unplug and plug, and injected failures.
//
// All members are thread-safe. Handles it gives out share its state, so they stay valid (and
// answer "gone" once closed or unplugged) even when they outlive the mouse object.

namespace zentro {

// What the mouse keeps of the traffic it received.
struct SimulatedMouseMemory {
    uint8_t pollingRate = 0;                                // command 0x01, byte 1
    std::array<uint8_t, 2> axisSensitivity{};               // command 0x0E, bytes 1-2
    std::array<uint8_t, 8> dpiStages{};                     // block 0x11
    std::array<uint8_t, 24> dpiColors{};                    // block 0x10
    std::array<std::array<uint8_t, 64>, 4> buttonBlocks{};  // block 0x12, index 0-3
    std::array<std::array<uint8_t, 128>, 12> macroBlocks{}; // block 0x13, index 1-12
    std::array<uint8_t, 3> lighting{};                      // command 0x0D, bytes 1-3
    std::array<uint8_t, 4> functionOptions{}; // command 0x03, bytes 1-4 (0x83 answers them)
    uint8_t currentDpiStage = 1;              // 0x82 answers it
};

// One command packet as it arrived in a feature report (report bytes 1-8).
struct SimulatedPacket {
    std::array<uint8_t, 8> bytes{};
    bool checksumOk = false; // a packet with a bad checksum is recorded but otherwise ignored
};

class CSimulatedMouse final : public IHidTransport {
public:
    static constexpr uint16_t VENDOR_ID = 0x04D9;
    static constexpr uint16_t PRODUCT_ID = 0xA165;
    // Interface names are built from this pattern: {VID}/{PID} give four upper-case hex digits,
    // {vid}/{pid} four lower-case ones, {col} the two-digit collection number (01, 02, ...).
    static constexpr const char* DEFAULT_PATH_PATTERN =
        "sim://HID#VID_{VID}&PID_{PID}&MI_01&Col{col}";

    CSimulatedMouse();
    ~CSimulatedMouse() override;
    CSimulatedMouse(const CSimulatedMouse&) = delete;
    CSimulatedMouse& operator=(const CSimulatedMouse&) = delete;

    // IHidTransport
    bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;
    HidDeviceHandle Open(const std::string& path, HidOpenMode mode, HidOpenError* error) override;

    // The three interfaces of the real mouse with names from the current pattern.
    std::vector<HidInterfaceInfo> DefaultInterfaces() const;
    // Replaces the interface list (order, lengths, identity; other vendors' devices may be
    // added). Entries with an empty path get a name from the pattern. Feature traffic is taken
    // by the interface with usage page and usage 0xFF00, event reports are delivered on the
    // one with 0xFF01/0xFF01. Open handles of interfaces that are no longer listed become gone.
    void SetInterfaces(std::vector<HidInterfaceInfo> interfaces);
    std::vector<HidInterfaceInfo> Interfaces() const;
    // Changes the name pattern and renames the current interfaces accordingly.
    void SetPathPattern(const std::string& pattern);
    static std::string MakePath(const std::string& pattern, uint16_t vendorId, uint16_t productId,
                                int collectionNumber);

    // Device events. Reports go to every handle currently open for reading on the event
    // interface; like a real HID stack, a report that nobody has open is dropped.
    // PressDpiButton queues 06 07 01 stage and makes 0x82 answer that stage.
    void PressDpiButton(uint8_t stage);
    void PressMacroKey(uint8_t number);
    // An arbitrary input report in the Windows shape (byte 0 is the report ID).
    void QueueEventReport(const std::vector<uint8_t>& report);

    // Unplug: every open handle becomes gone (blocked readers wake with HID_READ_GONE), the
    // interfaces disappear from enumeration and every started watcher is told about the removal
    // of each interface. Plug: the interfaces are back and arrivals are announced. The stored
    // memory survives (the mouse keeps its settings); a half-sent block is dropped.
    // Notifications run synchronously on the caller's thread, after the state has changed.
    void Unplug();
    void Plug();
    bool IsPlugged() const;
    // Sends one notification to every started watcher of this mouse (on the caller's thread).
    void Notify(const DeviceChangeNotification& notification);

    // Failure injection.
    void SetEnumerationFails(bool fails);
    // error None removes an injected failure.
    void SetOpenFailure(const std::string& path, HidOpenMode mode, HidOpenError error);
    void SetCapsUnavailable(const std::string& path, bool unavailable);
    // Lets `count` more transfers through (set-feature, get-feature, write on any handle) and
    // unplugs the mouse as the next one starts, as a cable pulled in the middle of an apply
    // would; that transfer and all later ones fail with ENODEV. A negative count cancels.
    void UnplugAfterTransfers(int count);

    // Inspection.
    int OpenHandleCount(const std::string& path, HidOpenMode mode) const;
    SimulatedMouseMemory Memory() const;
    std::vector<SimulatedPacket> ReceivedPackets() const;
    int BadChecksumCount() const;
    // Output reports that arrived while no block was waiting for data.
    int StrayOutputReportCount() const;
    // Blocks whose chunks had not all arrived when the next packet came (their data is dropped).
    int IncompleteBlockCount() const;
    // Reports dropped because no handle had the event interface open for reading.
    int DroppedEventReportCount() const;
    // Back to power-on: memory, counters, packet list and the last packet; open handles,
    // interfaces, pattern and injected failures are kept.
    void ResetToPowerOn();

    struct State;

private:
    friend class CSimulatedDeviceWatcher;
    std::shared_ptr<State> m_state;
};

} // namespace zentro
