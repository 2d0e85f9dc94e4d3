#pragma once

#include <functional>
#include <string>
#include <vector>

// Stand-in for the debugger output of the Windows program. Every diagnostic line of the
// program goes through DebugOutput with its exact text (including any embedded line breaks).
// Lines reach stderr when ZENTRO_DEBUG=1 is set; tests capture them with CDebugLogCapture.

namespace zentro {

// Writes one diagnostic text as it stands.
void DebugOutput(const std::string& text);

// printf-style convenience: formats with the C format rules, then calls DebugOutput.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A sink receives every text written while it is installed (in addition to stderr).
using DebugSink = std::function<void(const std::string&)>;
void SetDebugSink(DebugSink sink);

// Forces stderr output on or off regardless of ZENTRO_DEBUG (used by zentroctl --verbose).
void SetDebugToStderr(bool enabled);

// Tests: whether a sink or a forced stderr setting is in place, and both back to the start.
bool HasDebugSink();
bool IsDebugToStderrForced();
void ResetDebugLogForTest();

// Collects every debug text while it lives; restores the previous sink on destruction.
class CDebugLogCapture {
public:
    CDebugLogCapture();
    ~CDebugLogCapture();
    CDebugLogCapture(const CDebugLogCapture&) = delete;
    CDebugLogCapture& operator=(const CDebugLogCapture&) = delete;

    // All texts written so far, concatenated in order.
    std::string Text() const;
    // The individual texts, in order.
    const std::vector<std::string>& Entries() const { return m_entries; }
    bool Contains(const std::string& fragment) const;
    void Clear();

private:
    std::vector<std::string> m_entries;
    DebugSink m_previous;
};

} // namespace zentro
