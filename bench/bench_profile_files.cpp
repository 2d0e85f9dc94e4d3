// Cost of loading a profile (LoadProfileSettings: the profile list, the settings file and the
// macro slots from record.ini) when record.ini holds twelve full macros of 62 key events each,
// every event followed by its pause. Goal: under 2 ms per load.
//
// Three cases: the first load after start (nothing parsed yet), a load after record.ini has
// changed on disk (it is parsed again), and a load with every file unchanged (parses are reused).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "../tests/profile/ProfileTestDir.h"
#include "macros/MacroEncoding.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"

using namespace zentro;

namespace {

constexpr int MACRO_COUNT = 12;
constexpr int EVENTS_PER_MACRO = 62;

std::string TwelveFullMacros()
{
    std::ostringstream out;
    out << "[MacroName]\nMacroCount=" << MACRO_COUNT << "\n";
    for (int m = 0; m < MACRO_COUNT; ++m)
        out << m << "=Macro_" << m + 1 << "\n";
    const char* keys[] = {"A", "Right Shift", "Num Enter", "L-Button", "F12", "Space"};
    for (int m = 0; m < MACRO_COUNT; ++m) {
        out << "[Macro_" << m + 1 << "]\nDelayTimeSelStatus=1\nMacroLoopTimes=" << m + 1
            << "\nItemCount=" << 2 * EVENTS_PER_MACRO << "\n";
        for (int e = 0; e < EVENTS_PER_MACRO; ++e) {
            // Press and release alternate, so every macro ends with its keys up.
            out << "Item" << 2 * e << "=" << keys[(e / 2) % 6] << (e % 2 ? "   Up" : "   Dn")
                << "\n";
            out << "Item" << 2 * e + 1 << "=" << 60 + 17 * e << " ms\n";
        }
    }
    return out.str();
}

// A program directory with a list of three profiles, the second current, its settings file,
// its texts and the macros.
class CLoadSetup {
public:
    CLoadSetup()
    {
        m_dir.WriteList({"Work", "Game", "Spare"}, "Game");
        m_dir.WriteSettings("config1.bin", test::PatternRecord(7));
        m_dir.Write("str1.ini", "[Profile]\nIsDefault=Y\n");
        m_dir.Write("record.ini", TwelveFullMacros());
    }

    // True when a load picked the right profile and filled all twelve slots with every event.
    bool Check(std::string& why)
    {
        FlushPrivateProfileCache();
        LoadProfileSettings();
        if (CurrentProfileNumber != 1 || g_strSettingsFile != m_dir.Path("config1.bin")) {
            why = "the current profile was not found";
            return false;
        }
        ProfileRecord record{};
        const auto overflow = BuildMacroSlotsReport(record.MacroSlot, m_dir.Path("record.ini"));
        if (!overflow.empty()) {
            why = "a macro did not fit into its slot";
            return false;
        }
        for (size_t k = 0; k < MACRO_SLOT_COUNT; ++k) {
            if (g_ProfileRecord.MacroSlot[k][1] != k + 1 ||
                g_ProfileRecord.MacroSlot[k][2 * EVENTS_PER_MACRO] == 0) {
                why = "a macro slot was not filled";
                return false;
            }
        }
        return true;
    }

    // Gives record.ini a new modification time, as an edit would.
    void TouchRecordIni()
    {
        ++m_stamp;
        timespec times[2] = {{1700000000 + m_stamp / 1000000000, m_stamp % 1000000000},
                             {1700000000 + m_stamp / 1000000000, m_stamp % 1000000000}};
        ::utimensat(AT_FDCWD, m_dir.Path("record.ini").c_str(), times, 0);
    }

private:
    test::CProfileTestDir m_dir;
    long m_stamp = 0;
};

bool Prepare(benchmark::State& state, CLoadSetup& setup)
{
    std::string why;
    if (!setup.Check(why)) {
        state.SkipWithError(why.c_str());
        return false;
    }
    return true;
}

void BM_LoadProfileSettingsFirstLoad(benchmark::State& state)
{
    CLoadSetup setup;
    if (!Prepare(state, setup))
        return;
    for (auto _ : state) {
        FlushPrivateProfileCache();
        LoadProfileSettings();
        benchmark::DoNotOptimize(g_ProfileRecord.MacroSlot);
    }
    state.counters["macro_events"] = MACRO_COUNT * EVENTS_PER_MACRO;
}
BENCHMARK(BM_LoadProfileSettingsFirstLoad)->Unit(benchmark::kMicrosecond);

void BM_LoadProfileSettingsAfterMacroEdit(benchmark::State& state)
{
    CLoadSetup setup;
    if (!Prepare(state, setup))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        setup.TouchRecordIni();
        state.ResumeTiming();
        LoadProfileSettings();
        benchmark::DoNotOptimize(g_ProfileRecord.MacroSlot);
    }
}
BENCHMARK(BM_LoadProfileSettingsAfterMacroEdit)->Unit(benchmark::kMicrosecond);

void BM_LoadProfileSettingsUnchanged(benchmark::State& state)
{
    CLoadSetup setup;
    if (!Prepare(state, setup))
        return;
    LoadProfileSettings();
    for (auto _ : state) {
        LoadProfileSettings();
        benchmark::DoNotOptimize(g_ProfileRecord.MacroSlot);
    }
}
BENCHMARK(BM_LoadProfileSettingsUnchanged)->Unit(benchmark::kMicrosecond);

} // namespace
