#include "platform/DebugLog.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace zentro {
namespace {

std::mutex g_debugMutex;
DebugSink g_debugSink;
// -1 = follow ZENTRO_DEBUG, 0 = off, 1 = on
std::atomic<int> g_debugToStderr{-1};

bool StderrEnabled()
{
    int forced = g_debugToStderr.load();
    if (forced >= 0)
        return forced == 1;
    static const bool fromEnv = [] {
        const char* v = std::getenv("ZENTRO_DEBUG");
        return v != nullptr && std::strcmp(v, "1") == 0;
    }();
    return fromEnv;
}

} // namespace

void DebugOutput(const std::string& text)
{
    // The reader thread may write too, so the sink is guarded.
    std::lock_guard<std::mutex> lock(g_debugMutex);
    if (StderrEnabled()) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        if (text.empty() || text.back() != '\n')
            std::fputc('\n', stderr);
        std::fflush(stderr);
    }
    if (g_debugSink)
        g_debugSink(text);
}

void DebugPrintf(const char* format, ...)
{
    char stackBuffer[1024];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(stackBuffer, sizeof stackBuffer, format, args);
    va_end(args);
    std::string text;
    if (needed < 0) {
        va_end(copy);
        return;
    }
    if (static_cast<size_t>(needed) < sizeof stackBuffer) {
        text.assign(stackBuffer, static_cast<size_t>(needed));
    } else {
        text.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(text.data(), text.size(), format, copy);
        text.resize(static_cast<size_t>(needed));
    }
    va_end(copy);
    DebugOutput(text);
}

void SetDebugSink(DebugSink sink)
{
    std::lock_guard<std::mutex> lock(g_debugMutex);
    g_debugSink = std::move(sink);
}

void SetDebugToStderr(bool enabled)
{
    g_debugToStderr = enabled ? 1 : 0;
}

bool HasDebugSink()
{
    std::lock_guard<std::mutex> lock(g_debugMutex);
    return static_cast<bool>(g_debugSink);
}

bool IsDebugToStderrForced()
{
    return g_debugToStderr.load() >= 0;
}

void ResetDebugLogForTest()
{
    SetDebugSink(nullptr);
    g_debugToStderr = -1;
}

CDebugLogCapture::CDebugLogCapture()
{
    std::lock_guard<std::mutex> lock(g_debugMutex);
    m_previous = g_debugSink;
    g_debugSink = [this](const std::string& text) {
        m_entries.push_back(text);
        if (m_previous)
            m_previous(text);
    };
}

CDebugLogCapture::~CDebugLogCapture()
{
    std::lock_guard<std::mutex> lock(g_debugMutex);
    g_debugSink = m_previous;
}

std::string CDebugLogCapture::Text() const
{
    std::lock_guard<std::mutex> lock(g_debugMutex);
    std::string all;
    for (const auto& e : m_entries)
        all += e;
    return all;
}

bool CDebugLogCapture::Contains(const std::string& fragment) const
{
    return Text().find(fragment) != std::string::npos;
}

void CDebugLogCapture::Clear()
{
    std::lock_guard<std::mutex> lock(g_debugMutex);
    m_entries.clear();
}

} // namespace zentro
