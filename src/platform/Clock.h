#pragma once

#include <atomic>
#include <cstdint>

// Stand-ins for Sleep and GetTickCount. The programs use the real ones; tests and
// `zentroctl --device simulated` install virtual ones, so no test ever waits on wall time.

namespace zentro {

class ISleeper {
public:
    virtual ~ISleeper() = default;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start, wrapping like GetTickCount.
    virtual uint32_t GetTickCount() = 0;
};

// Real implementations.
class CSystemSleeper final : public ISleeper {
public:
    void Sleep(uint32_t milliseconds) override;
};

class CSystemClock final : public IClock {
public:
    uint32_t GetTickCount() override;
};

// Virtual time: Sleep advances the clock instantly. Thread-safe.
class CVirtualTime final : public ISleeper, public IClock {
public:
    void Sleep(uint32_t milliseconds) override;
    uint32_t GetTickCount() override { return static_cast<uint32_t>(m_now.load()); }
    void Advance(uint32_t milliseconds) { m_now += milliseconds; }
    uint64_t TotalSlept() const { return m_slept.load(); }
    uint64_t SleepCount() const { return m_sleeps.load(); }
    void ResetCounters()
    {
        m_slept = 0;
        m_sleeps = 0;
    }

private:
    std::atomic<uint64_t> m_now{0};
    std::atomic<uint64_t> m_slept{0};
    std::atomic<uint64_t> m_sleeps{0};
};

// The program-wide sleeper and clock; default to the real ones. Passing nullptr restores them.
ISleeper& GetSleeper();
void SetSleeper(ISleeper* sleeper);
IClock& GetClock();
void SetClock(IClock* clock);
// True while both are the real ones.
bool UsingSystemSleeperAndClock();

// Sleep(ms) through the installed sleeper: every pacing wait of the program goes through here.
void Sleep(uint32_t milliseconds);
uint32_t GetTickCount();

} // namespace zentro
