// Cost of the INI layer every profile text and macro goes through, on a file of 200 keys (ten
// sections of twenty): a read from a file whose parse is reused, a read after the file changed
// on disk (parsed again), a read of a file never read before, and the write of one key (the
// whole file is replaced atomically).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "../tests/support/TempDir.h"
#include "platform/PrivateProfile.h"

using namespace zentro;

namespace {

constexpr int SECTIONS = 10;
constexpr int KEYS_PER_SECTION = 20;

class CIniFile {
public:
    CIniFile()
    {
        if (m_dir.Path().empty())
            return;
        m_path = m_dir.Path("str0.ini");
        std::ofstream out(m_path, std::ios::binary);
        for (int s = 0; s < SECTIONS; ++s) {
            out << "[Section" << s << "]\r\n";
            for (int k = 0; k < KEYS_PER_SECTION; ++k)
                out << "Item" << k << " = value of item " << k << " in section " << s << "\r\n";
        }
        FlushPrivateProfileCache();
    }
    ~CIniFile() { FlushPrivateProfileCache(); }
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    bool Ok() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }

    // A new modification time, as when another program saved the file.
    void Touch()
    {
        ++m_stamp;
        timespec times[2] = {{1700000000 + m_stamp / 1000000000, m_stamp % 1000000000},
                             {1700000000 + m_stamp / 1000000000, m_stamp % 1000000000}};
        ::utimensat(AT_FDCWD, m_path.c_str(), times, 0);
    }

private:
    test::CTempDir m_dir{"bench-ini"};
    std::string m_path;
    long m_stamp = 0;
};

// The last key of the last section: the lookup walks the whole parse.
const char* const LAST_SECTION = "section9"; // names compare without regard to case
const char* const LAST_KEY = "ITEM19";
const char* const LAST_VALUE = "value of item 19 in section 9";

bool CheckRead(benchmark::State& state, const CIniFile& ini)
{
    if (!ini.Ok()) {
        state.SkipWithError("cannot create a temporary directory");
        return false;
    }
    if (GetPrivateProfileString(LAST_SECTION, LAST_KEY, "", ini.Path()) != LAST_VALUE) {
        state.SkipWithError("the key was not read back");
        return false;
    }
    return true;
}

void BM_GetPrivateProfileStringCached(benchmark::State& state)
{
    CIniFile ini;
    if (!CheckRead(state, ini))
        return;
    for (auto _ : state) {
        std::string value = GetPrivateProfileString(LAST_SECTION, LAST_KEY, "", ini.Path());
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_GetPrivateProfileStringCached)->Unit(benchmark::kMicrosecond);

void BM_GetPrivateProfileStringAfterChange(benchmark::State& state)
{
    CIniFile ini;
    if (!CheckRead(state, ini))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        ini.Touch();
        state.ResumeTiming();
        std::string value = GetPrivateProfileString(LAST_SECTION, LAST_KEY, "", ini.Path());
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_GetPrivateProfileStringAfterChange)->Unit(benchmark::kMicrosecond);

void BM_GetPrivateProfileStringFirstRead(benchmark::State& state)
{
    CIniFile ini;
    if (!CheckRead(state, ini))
        return;
    for (auto _ : state) {
        FlushPrivateProfileCache();
        std::string value = GetPrivateProfileString(LAST_SECTION, LAST_KEY, "", ini.Path());
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_GetPrivateProfileStringFirstRead)->Unit(benchmark::kMicrosecond);

// A key in the middle of the file, with a value that differs from the one before, so every
// write really changes the file. Wall time includes the flushes to disk of the atomic replace.
void BM_WritePrivateProfileStringOneKey(benchmark::State& state)
{
    CIniFile ini;
    if (!CheckRead(state, ini))
        return;
    int n = 0;
    bool ok = true;
    for (auto _ : state) {
        ok = WritePrivateProfileString("Section5", "Item10", (n++ & 1) ? "Scroll Up" : "Scroll",
                                       ini.Path()) &&
             ok;
    }
    if (!ok)
        state.SkipWithError("a write failed");
    else if (GetPrivateProfileString("Section5", "Item10", "", ini.Path()) !=
                 ((n - 1) & 1 ? "Scroll Up" : "Scroll") ||
             GetPrivateProfileString(LAST_SECTION, LAST_KEY, "", ini.Path()) != LAST_VALUE)
        state.SkipWithError("the file does not hold what was written");
}
BENCHMARK(BM_WritePrivateProfileStringOneKey)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
