#pragma once

#include <memory>
#include <string>

// A transfer trace to a file for the whole life of a program: every transfer of the command
// channel and every pacing wait from the moment it is made. While it lives, the program's
// sleeper is the tracing one; the transport to use is Transport().

namespace zentro {

class CTracingSleeper;
class CTracingTransport;
class CTransferTrace;
class IHidTransport;
class ISleeper;

class CTraceSession {
public:
    // Traces `inner` into `path` (created or truncated). When the file cannot be written,
    // nothing is traced: Ok() is false and Error() says why.
    CTraceSession(IHidTransport& inner, const std::string& path);
    ~CTraceSession();
    CTraceSession(const CTraceSession&) = delete;
    CTraceSession& operator=(const CTraceSession&) = delete;

    bool Ok() const { return m_trace != nullptr; }
    const std::string& Error() const { return m_error; }
    // The tracing transport, or the inner one when nothing is traced.
    IHidTransport& Transport();

private:
    IHidTransport& m_inner;
    std::shared_ptr<CTransferTrace> m_trace;
    std::unique_ptr<CTracingTransport> m_transport;
    std::unique_ptr<CTracingSleeper> m_sleeper;
    ISleeper* m_previousSleeper = nullptr;
    std::string m_error;
};

} // namespace zentro
