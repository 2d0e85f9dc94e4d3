// The device link's own costs: the connect exchange of `zentroctl --device simulated info`
// (goal: under 20 ms of CPU), and the CPU the event reader uses while nothing arrives
// (goal: none; it sleeps in poll()).
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <sstream>
#include <thread>

#include "CoreReset.h"
#include "cli/CliCommands.h"
#include "device/DeviceLink.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/Clock.h"

using namespace zentro;

namespace {

double ProcessCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

void BM_ZentroctlSimulatedInfo(benchmark::State& state)
{
    char arg0[] = "zentroctl", arg1[] = "--device", arg2[] = "simulated", arg3[] = "info";
    char* argv[] = {arg0, arg1, arg2, arg3};
    double cpu = 0;
    for (auto _ : state) {
        std::ostringstream out, err;
        double start = ProcessCpuSeconds();
        int status = RunZentroctl(4, argv, out, err);
        cpu += ProcessCpuSeconds() - start;
        if (status != 0)
            state.SkipWithError("zentroctl info failed");
        ResetCoreStateForTest();
    }
    state.counters["cpu_ms_per_run"] = 1000.0 * cpu / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ZentroctlSimulatedInfo)->Unit(benchmark::kMillisecond);

// Connects, starts the reader and measures the process CPU while the mouse stays silent.
void BM_IdleReaderCpu(benchmark::State& state)
{
    CVirtualTime time;
    CSimulatedMouse mouse;
    SetSleeper(&time);
    SetHidTransport(&mouse);
    ConnectAtStartup();
    StartEventReader();
    double idleCpu = 0;
    for (auto _ : state) {
        double start = ProcessCpuSeconds();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        idleCpu += ProcessCpuSeconds() - start;
    }
    state.counters["idle_cpu_us_per_200ms"] =
        1e6 * idleCpu / static_cast<double>(state.iterations());
    ResetCoreStateForTest();
}
BENCHMARK(BM_IdleReaderCpu)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
