#include "device/hid/TracingTransport.h"

#include "device/hid/TransferTrace.h"

#include <utility>

namespace zentro {

namespace {

class CTracingHidDevice final : public IHidDevice {
public:
    CTracingHidDevice(HidDeviceHandle inner, std::shared_ptr<CTransferTrace> trace)
        : m_inner(std::move(inner)), m_trace(std::move(trace))
    {
    }

    bool SetFeature(const uint8_t* report, size_t length) override
    {
        m_trace->Transfer("set-feature", report, length);
        return m_inner->SetFeature(report, length);
    }
    bool GetFeature(uint8_t* report, size_t length) override
    {
        bool ok = m_inner->GetFeature(report, length);
        m_trace->Transfer("get-feature", report, length);
        return ok;
    }
    bool WriteOutput(const uint8_t* report, size_t length) override
    {
        m_trace->Transfer("write", report, length);
        return m_inner->WriteOutput(report, length);
    }
    int ReadInput(uint8_t* buffer, size_t length, const CManualResetEvent* wake,
                  int timeoutMs) override
    {
        int n = m_inner->ReadInput(buffer, length, wake, timeoutMs);
        if (n > 0)
            m_trace->Transfer("read", buffer, static_cast<size_t>(n));
        return n;
    }
    void Close() override { m_inner->Close(); }

private:
    HidDeviceHandle m_inner;
    std::shared_ptr<CTransferTrace> m_trace;
};

} // namespace

CTracingTransport::CTracingTransport(IHidTransport& inner, std::shared_ptr<CTransferTrace> trace)
    : m_inner(inner), m_trace(std::move(trace))
{
}

bool CTracingTransport::Enumerate(std::vector<HidInterfaceInfo>& interfaces)
{
    return m_inner.Enumerate(interfaces);
}

HidDeviceHandle CTracingTransport::Open(const std::string& path, HidOpenMode mode,
                                        HidOpenError* error)
{
    HidDeviceHandle device = m_inner.Open(path, mode, error);
    if (!device || mode != HidOpenMode::ReadWrite || !m_trace)
        return device;
    return std::make_shared<CTracingHidDevice>(std::move(device), m_trace);
}

} // namespace zentro
