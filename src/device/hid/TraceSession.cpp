#include "device/hid/TraceSession.h"

#include <cerrno>
#include <cstring>

#include "device/hid/TracingSleeper.h"
#include "device/hid/TracingTransport.h"
#include "device/hid/TransferTrace.h"
#include "platform/Clock.h"

namespace zentro {

CTraceSession::CTraceSession(IHidTransport& inner, const std::string& path) : m_inner(inner)
{
    auto trace = std::make_shared<CTransferTrace>(path);
    if (!trace->IsOpen()) {
        m_error = "cannot write the trace file " + path + ": " + std::strerror(errno);
        return;
    }
    m_trace = std::move(trace);
    m_transport = std::make_unique<CTracingTransport>(m_inner, m_trace);
    m_previousSleeper = &GetSleeper();
    m_sleeper = std::make_unique<CTracingSleeper>(*m_previousSleeper, m_trace);
    SetSleeper(m_sleeper.get());
}

CTraceSession::~CTraceSession()
{
    if (m_sleeper && &GetSleeper() == m_sleeper.get())
        SetSleeper(m_previousSleeper);
}

IHidTransport& CTraceSession::Transport()
{
    return m_transport ? static_cast<IHidTransport&>(*m_transport) : m_inner;
}

} // namespace zentro
