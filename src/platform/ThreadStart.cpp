#include "platform/ThreadStart.h"

#include <atomic>
#include <cerrno>
#include <system_error>

#include "platform/DebugLog.h"

namespace zentro {

namespace {
std::atomic<int> g_nFailingThreadStarts{0};
} // namespace

bool TryStartThread(std::thread& thread, std::function<void()> body, const char* what)
{
    try {
        if (g_nFailingThreadStarts.load() > 0) {
            --g_nFailingThreadStarts;
            throw std::system_error(EAGAIN, std::generic_category(),
                                    "Resource temporarily unavailable");
        }
        thread = std::thread(std::move(body));
        return true;
    } catch (const std::system_error& error) {
        DebugPrintf("Could not start the %s thread: %s\n", what, error.what());
        return false;
    }
}

void FailNextThreadStartsForTest(int count)
{
    g_nFailingThreadStarts = count;
}

} // namespace zentro
