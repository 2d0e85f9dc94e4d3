#pragma once

#include <memory>
#include <string>

// The transfer trace of a program: every transfer of the command channel is counted (so a
// failure can be reported) and, given a file, written to it with every pacing wait from the
// moment the session is made. While it lives, the program's sleeper is the tracing one; the
// transport to use is Transport().

namespace zentro {

class CTracingSleeper;
class CTracingTransport;
class CTransferTrace;
class IHidTransport;
class ISleeper;

class CTraceSession {
public:
    // Traces `inner` into `path` (created or truncated); an empty path only counts. When the
    // file cannot be written the transfers are only counted: Ok() is false and Error() says why.
    CTraceSession(IHidTransport& inner, const std::string& path);
    ~CTraceSession();
    CTraceSession(const CTraceSession&) = delete;
    CTraceSession& operator=(const CTraceSession&) = delete;

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    // The transport that counts (and traces) every transfer.
    IHidTransport& Transport();
    // What was counted so far.
    const CTransferTrace& Trace() const { return *m_trace; }

private:
    std::shared_ptr<CTransferTrace> m_trace;
    std::unique_ptr<CTracingTransport> m_transport;
    std::unique_ptr<CTracingSleeper> m_sleeper;
    ISleeper* m_previousSleeper = nullptr;
    std::string m_error;
};

} // namespace zentro
