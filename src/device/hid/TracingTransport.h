#pragma once

#include "device/hid/HidTransport.h"

#include <memory>

namespace zentro {

class CTransferTrace;

// Wraps a transport and writes every transfer of the command channel to a trace: devices opened
// ReadWrite get set-feature, get-feature, write and read lines. Devices opened Read or Probe are
// handed out unwrapped: the event channel is read on the reader thread at times that have
// nothing to do with the command sequence, and tracing it would make traces depend on timing.
// Enumeration is passed through untouched. A transfer that fails is followed in the trace by
// its error name (the errno the device handle left), and counted in the trace's summary.
//
// The inner transport must outlive this object; the trace is shared with the handles given
// out, so it lives as long as the last of them.
class CTracingTransport final : public IHidTransport {
public:
    CTracingTransport(IHidTransport& inner, std::shared_ptr<CTransferTrace> trace);

    bool Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;
    HidDeviceHandle Open(const std::string& path, HidOpenMode mode, HidOpenError* error) override;

private:
    IHidTransport& m_inner;
    std::shared_ptr<CTransferTrace> m_trace;
};

} // namespace zentro
