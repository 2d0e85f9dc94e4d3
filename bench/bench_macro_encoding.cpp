// Profile load cost of the macro area: BuildMacroSlots over a record.ini holding twelve full
// macros (63 key events each, every one with its pause). Goal: under 2 ms per load.

#include "macros/MacroEncoding.h"
#include "platform/PrivateProfile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string WriteTwelveFullMacros()
{
    std::string dir = (std::filesystem::temp_directory_path() / "zentro-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        return std::string();
    }
    const std::string path = dir + "/record.ini";
    std::ofstream out(path);
    out << "[MacroName]\nMacroCount=12\n";
    for (int m = 0; m < 12; ++m) {
        out << m << "=Macro_" << m + 1 << "\n";
    }
    const char* keys[] = {"A", "Right Shift", "Num Enter", "L-Button", "F12", "Space"};
    for (int m = 0; m < 12; ++m) {
        out << "[Macro_" << m + 1 << "]\nDelayTimeSelStatus=1\nMacroLoopTimes=" << m + 1
            << "\nItemCount=126\n";
        for (int e = 0; e < 63; ++e) {
            const std::string key = keys[(e / 2) % 6];
            out << "Item" << 2 * e << "=" << key << (e % 2 ? "   Up" : "   Dn") << "\n";
            out << "Item" << 2 * e + 1 << "=" << 60 + 17 * e << " ms\n";
        }
    }
    return path;
}

void BM_BuildMacroSlotsTwelveFullMacros(benchmark::State& state)
{
    const std::string path = WriteTwelveFullMacros();
    if (path.empty()) {
        state.SkipWithError("cannot create a temporary directory");
        return;
    }
    zentro::ProfileRecord record{};
    for (auto _ : state) {
        zentro::BuildMacroSlots(record, path);
        benchmark::DoNotOptimize(record.MacroSlot);
    }
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
    zentro::FlushPrivateProfileCache();
}
BENCHMARK(BM_BuildMacroSlotsTwelveFullMacros)->Unit(benchmark::kMicrosecond);

} // namespace
