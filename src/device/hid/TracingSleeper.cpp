#include "device/hid/TracingSleeper.h"

#include "device/hid/TransferTrace.h"

#include <utility>

namespace zentro {

CTracingSleeper::CTracingSleeper(ISleeper& inner, std::shared_ptr<CTransferTrace> trace)
    : m_inner(inner), m_trace(std::move(trace))
{
}

void CTracingSleeper::Sleep(uint32_t milliseconds)
{
    if (m_trace)
        m_trace->Sleep(milliseconds);
    m_inner.Sleep(milliseconds);
}

} // namespace zentro
