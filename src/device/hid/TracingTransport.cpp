#include "device/hid/TracingTransport.h"

#include "device/hid/TransferTrace.h"

#include <cerrno>
#include <string>
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
        // The line goes out before the transfer, so a trace cut short by a crash or a kill
        // still shows what was being sent.
        m_trace->Transfer("set-feature", report, length);
        if (report && length >= 4)
            m_command = CTransferTrace::FormatLine("", report + 1, 3).substr(1, 8);
        errno = 0;
        bool ok = m_inner->SetFeature(report, length);
        if (!ok)
            m_trace->Failed("set-feature", errno, m_command);
        return ok;
    }
    bool GetFeature(uint8_t* report, size_t length) override
    {
        errno = 0;
        bool ok = m_inner->GetFeature(report, length);
        const int error = errno;
        m_trace->Transfer("get-feature", report, length);
        if (!ok)
            m_trace->Failed("get-feature", error, m_command);
        return ok;
    }
    bool WriteOutput(const uint8_t* report, size_t length) override
    {
        m_trace->Transfer("write", report, length);
        errno = 0;
        bool ok = m_inner->WriteOutput(report, length);
        if (!ok)
            m_trace->Failed("write", errno, m_command);
        return ok;
    }
    int ReadInput(uint8_t* buffer, size_t length, const CManualResetEvent* wake,
                  int timeoutMs) override
    {
        errno = 0;
        int n = m_inner->ReadInput(buffer, length, wake, timeoutMs);
        const int error = errno;
        if (n > 0) {
            m_trace->Transfer("read", buffer, static_cast<size_t>(n));
        } else if (n == HID_READ_GONE) {
            m_trace->Transfer("read", buffer, 0);
            m_trace->Failed("read", error ? error : ENODEV, m_command);
        } else if (!wake) {
            // Nothing but the time-out could end this wait: the device never answered.
            m_trace->Transfer("read", buffer, 0);
            m_trace->Failed("read", ETIMEDOUT, m_command);
        }
        return n;
    }
    void Close() override { m_inner->Close(); }

private:
    HidDeviceHandle m_inner;
    std::shared_ptr<CTransferTrace> m_trace;
    std::string m_command; // code, index and length of the last packet sent, "13 05 80"
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
