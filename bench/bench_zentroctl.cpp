// Cost of one `zentroctl --device simulated info`: option parsing, opening the simulated mouse,
// the connect exchange (firmware version, function options) and the output. Goal: under 20 ms
// of CPU per run. The exchange's pacing waits go through virtual time, so wall time should stay
// close to CPU time; both are reported (process CPU, since the device link may use threads).

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "CoreReset.h"
#include "cli/CliCommands.h"
#include "device/DeviceLink.h"

using namespace zentro;

namespace {

struct CArgs {
    explicit CArgs(std::vector<std::string> args) : m_args(std::move(args))
    {
        for (auto& a : m_args)
            m_argv.push_back(a.data());
    }
    int Argc() const { return static_cast<int>(m_argv.size()); }
    char** Argv() { return m_argv.data(); }

    std::vector<std::string> m_args;
    std::vector<char*> m_argv;
};

// Runs zentroctl with `args` once per iteration and checks the first run's output.
void RunCommand(benchmark::State& state, std::vector<std::string> args, const std::string& expect)
{
    args.insert(args.begin(), "zentroctl");
    CArgs argv(std::move(args));
    ResetCoreStateForTest();
    for (auto _ : state) {
        std::ostringstream out, err;
        const int status = RunZentroctl(argv.Argc(), argv.Argv(), out, err);
        ResetCoreStateForTest();
        if (status != 0) {
            state.SkipWithError(("zentroctl failed: " + err.str()).c_str());
            break;
        }
        if (out.str().find(expect) == std::string::npos) {
            state.SkipWithError(("unexpected output: " + out.str()).c_str());
            break;
        }
    }
}

void BM_ZentroctlInfo(benchmark::State& state)
{
    RunCommand(state, {"--device", "simulated", "info"}, "Firmware version: 01-02\n");
}
BENCHMARK(BM_ZentroctlInfo)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
// The same with wall time as the iteration time: shows any real wait left in the exchange.
BENCHMARK(BM_ZentroctlInfo)
    ->Name("BM_ZentroctlInfo/wall")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// For comparison: listing the interfaces, which opens them but sends nothing.
void BM_ZentroctlList(benchmark::State& state)
{
    RunCommand(state, {"--device", "simulated", "list"}, "usage page 0xff00 usage 0xff00");
}
BENCHMARK(BM_ZentroctlList)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
