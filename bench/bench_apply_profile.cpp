// Cost of programming the whole mouse. An apply waits 6.8 s for the mouse by design; with a
// virtual sleeper those waits take no time, so what is left is the program's own work: building
// the blocks, sealing and sending 21 commands (with their chunks) and saving the profile.
// Goal: under 1 ms per apply. The pure builders are measured on their own as well.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "CoreReset.h"
#include "../tests/profile/ProfileTestDir.h"
#include "device/DeviceLink.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/Clock.h"
#include "profile/ApplyProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"

using namespace zentro;

namespace {

// The program directory of one profile, the simulated mouse connected through the device link
// and virtual time, as the window has them when the user presses Apply.
class CApplySetup {
public:
    CApplySetup()
    {
        ResetCoreStateForTest();
        SetSleeper(&m_time);
        SetClock(&m_time);
        SetHidTransport(&m_mouse);
        m_connected = ConnectAtStartup() == 1;
        m_mouse.ResetToPowerOn(); // forget the connect exchange
        m_dir.WriteList({"Profile 1"}, "Profile 1");
        m_dir.WriteSettings("config0.bin", ProfileRecord{});
        m_dir.Write("str0.ini", "[Profile]\nIsDefault=Y\n[Setting-EN]\nItem1=Click\n");
        LoadProfileSettings();
        ReadProfileTexts();
        LoadDefaults();
        for (size_t k = 0; k < MACRO_SLOT_COUNT; ++k)
            for (size_t i = 0; i < MACRO_SLOT_SIZE; ++i)
                g_ProfileRecord.MacroSlot[k][i] = static_cast<uint8_t>(k * 16 + i);
        m_time.ResetCounters();
    }
    ~CApplySetup() { ResetCoreStateForTest(); }
    CApplySetup(const CApplySetup&) = delete;
    CApplySetup& operator=(const CApplySetup&) = delete;

    bool Connected() const { return m_connected; }
    CSimulatedMouse& Mouse() { return m_mouse; }
    CVirtualTime& Time() { return m_time; }

private:
    test::CProfileTestDir m_dir;
    CSimulatedMouse m_mouse;
    CVirtualTime m_time;
    bool m_connected = false;
};

// Checks that one apply reached the mouse whole (21 commands, every block complete); timing
// an apply that sent nothing would measure the wrong thing.
bool CheckTraffic(benchmark::State& state, CApplySetup& setup)
{
    const int64_t packets = static_cast<int64_t>(setup.Mouse().ReceivedPackets().size());
    if (setup.Mouse().BadChecksumCount() != 0 || setup.Mouse().IncompleteBlockCount() != 0 ||
        packets != 21 ||
        std::memcmp(setup.Mouse().Memory().macroBlocks[11].data(), g_ProfileRecord.MacroSlot[11],
                    128) != 0) {
        state.SkipWithError("the simulated mouse did not receive the full command sequence");
        return false;
    }
    return true;
}

// The whole apply on the user-interface thread: snapshot, traffic and save.
void BM_ApplyProfile(benchmark::State& state)
{
    CApplySetup setup;
    if (!setup.Connected()) {
        state.SkipWithError("the simulated mouse did not connect");
        return;
    }
    uint64_t virtualMs = 0;
    for (auto _ : state) {
        ApplyProfile();
        state.PauseTiming();
        if (!CheckTraffic(state, setup))
            break;
        virtualMs += setup.Time().TotalSlept();
        setup.Time().ResetCounters();
        setup.Mouse().ResetToPowerOn(); // keeps the packet list from growing
        state.ResumeTiming();
    }
    state.counters["virtual_wait_ms_per_apply"] =
        benchmark::Counter(static_cast<double>(virtualMs), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ApplyProfile)->Unit(benchmark::kMicrosecond);

// The worker's part only: the command sequence, without the snapshot and the save.
void BM_SendProfileToDevice(benchmark::State& state)
{
    CApplySetup setup;
    if (!setup.Connected()) {
        state.SkipWithError("the simulated mouse did not connect");
        return;
    }
    const ProfileRecord snapshot = BeginApplyProfile();
    for (auto _ : state) {
        SendProfileToDevice(snapshot);
        state.PauseTiming();
        if (!CheckTraffic(state, setup))
            break;
        setup.Mouse().ResetToPowerOn();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SendProfileToDevice)->Unit(benchmark::kMicrosecond);

// The save that ends an apply: settings file and button labels.
void BM_SaveAppliedProfile(benchmark::State& state)
{
    CApplySetup setup;
    for (auto _ : state)
        SaveAppliedProfile();
}
BENCHMARK(BM_SaveAppliedProfile)->Unit(benchmark::kMicrosecond);

// ---- the pure builders ----

ProfileRecord DefaultRecord()
{
    ProfileRecord record{};
    LoadDefaults(record);
    return record;
}

void BM_BuildButtonTable(benchmark::State& state)
{
    ProfileRecord record = DefaultRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(record);
        auto table = BuildButtonTable(record);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_BuildButtonTable);

void BM_BuildDpiBlock(benchmark::State& state)
{
    ProfileRecord record = DefaultRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(record);
        auto block = BuildDpiBlock(record);
        benchmark::DoNotOptimize(block);
    }
}
BENCHMARK(BM_BuildDpiBlock);

void BM_BuildColorBlock(benchmark::State& state)
{
    ProfileRecord record = DefaultRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(record);
        auto block = BuildColorBlock(record);
        benchmark::DoNotOptimize(block);
    }
}
BENCHMARK(BM_BuildColorBlock);

void BM_LightingBytes(benchmark::State& state)
{
    ProfileRecord record = DefaultRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(record);
        auto bytes = LightingBytes(record);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_LightingBytes);

// Snapshot of the live record (a 1790-byte copy and two stores).
void BM_BeginApplyProfile(benchmark::State& state)
{
    ProfileRecord record = DefaultRecord();
    for (auto _ : state) {
        ProfileRecord snapshot = BeginApplyProfile(record);
        benchmark::DoNotOptimize(snapshot);
    }
}
BENCHMARK(BM_BeginApplyProfile);

} // namespace
