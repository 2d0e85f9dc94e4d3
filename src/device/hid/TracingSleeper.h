#pragma once

#include "platform/Clock.h"

#include <memory>

namespace zentro {

class CTransferTrace;

// Writes "sleep N" to the trace for every pacing wait, then sleeps through the inner sleeper
// (a virtual one with `--device simulated`, so the waits show in the trace but cost no time).
// The inner sleeper must outlive this object.
class CTracingSleeper final : public ISleeper {
public:
    CTracingSleeper(ISleeper& inner, std::shared_ptr<CTransferTrace> trace);
    void Sleep(uint32_t milliseconds) override;

private:
    ISleeper& m_inner;
    std::shared_ptr<CTransferTrace> m_trace;
};

} // namespace zentro
