#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace zentro {
namespace {
CSystemSleeper g_systemSleeper;
CSystemClock g_systemClock;
std::atomic<ISleeper*> g_pSleeper{&g_systemSleeper};
std::atomic<IClock*> g_pClock{&g_systemClock};
} // namespace

void CSystemSleeper::Sleep(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint32_t CSystemClock::GetTickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CVirtualTime::Sleep(uint32_t milliseconds)
{
    m_now += milliseconds;
    m_slept += milliseconds;
    ++m_sleeps;
}

ISleeper& GetSleeper()
{
    return *g_pSleeper.load();
}
void SetSleeper(ISleeper* sleeper)
{
    g_pSleeper = sleeper ? sleeper : &g_systemSleeper;
}
IClock& GetClock()
{
    return *g_pClock.load();
}
bool UsingSystemSleeperAndClock()
{
    return g_pSleeper.load() == &g_systemSleeper && g_pClock.load() == &g_systemClock;
}

void SetClock(IClock* clock)
{
    g_pClock = clock ? clock : &g_systemClock;
}

void Sleep(uint32_t milliseconds)
{
    GetSleeper().Sleep(milliseconds);
}
uint32_t GetTickCount()
{
    return GetClock().GetTickCount();
}

} // namespace zentro
