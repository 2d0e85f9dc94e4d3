#include "device/hid/TraceSession.h"

#include <cerrno>
#include <cstring>

#include "device/hid/TracingSleeper.h"
#include "device/hid/TracingTransport.h"
#include "device/hid/TransferTrace.h"
#include "platform/Clock.h"

namespace zentro {

CTraceSession::CTraceSession(IHidTransport& inner, const std::string& path)
{
    if (!path.empty()) {
        auto file = std::make_shared<CTransferTrace>(path);
        if (file->IsOpen())
            m_trace = std::move(file);
        else
            m_error = "cannot write the trace file " + path + ": " + std::strerror(errno);
    }
    if (m_trace) {
        // Waits appear in a written trace only.
        m_previousSleeper = &GetSleeper();
        m_sleeper = std::make_unique<CTracingSleeper>(*m_previousSleeper, m_trace);
        SetSleeper(m_sleeper.get());
    } else {
        m_trace = std::make_shared<CTransferTrace>();
    }
    m_transport = std::make_unique<CTracingTransport>(inner, m_trace);
}

CTraceSession::~CTraceSession()
{
    if (m_sleeper && &GetSleeper() == m_sleeper.get())
        SetSleeper(m_previousSleeper);
}

IHidTransport& CTraceSession::Transport()
{
    return *m_transport;
}

} // namespace zentro
