#include "device/hid/TransferTrace.h"

#include <cstring>
#include <ostream>

namespace zentro {

CTransferTrace::CTransferTrace(const std::string& path)
    : m_file(path, std::ios::out | std::ios::trunc | std::ios::binary)
{
    if (m_file.is_open())
        m_out = &m_file;
}

CTransferTrace::CTransferTrace() = default;

CTransferTrace::CTransferTrace(std::ostream& stream) : m_out(&stream)
{
}

bool CTransferTrace::IsOpen() const
{
    return m_out != nullptr;
}

std::string CTransferTrace::FormatLine(const char* verb, const uint8_t* bytes, size_t length)
{
    static const char digits[] = "0123456789abcdef";
    std::string line(verb);
    line.reserve(line.size() + 3 * length + 1);
    for (size_t i = 0; i < length; ++i) {
        line += ' ';
        line += digits[bytes[i] >> 4];
        line += digits[bytes[i] & 0x0F];
    }
    line += '\n';
    return line;
}

std::string CTransferTrace::ErrorName(int error)
{
    if (error == 0)
        return "failed";
    if (const char* name = ::strerrorname_np(error))
        return name;
    return "error " + std::to_string(error);
}

void CTransferTrace::Transfer(const char* verb, const uint8_t* bytes, size_t length)
{
    {
        std::lock_guard lock(m_mutex);
        ++m_summary.transfers;
    }
    WriteLine(FormatLine(verb, bytes, length));
}

void CTransferTrace::Failed(const char* verb, int error, const std::string& command)
{
    const std::string name = ErrorName(error);
    {
        std::lock_guard lock(m_mutex);
        if (++m_summary.failures == 1) {
            m_summary.firstFailure = m_summary.transfers;
            m_summary.firstFailureVerb = verb;
            m_summary.firstFailureCommand = command;
            m_summary.firstFailureError = name;
        }
    }
    WriteLine("! " + name + "\n");
}

TransferSummary CTransferTrace::Summary() const
{
    std::lock_guard lock(m_mutex);
    return m_summary;
}

void CTransferTrace::Sleep(uint32_t milliseconds)
{
    WriteLine("sleep " + std::to_string(milliseconds) + "\n");
}

void CTransferTrace::WriteLine(const std::string& line)
{
    std::lock_guard lock(m_mutex);
    if (!m_out)
        return;
    // Flushed per line so that the trace is complete up to the last transfer even when the
    // program is killed in the middle of an apply.
    m_out->write(line.data(), static_cast<std::streamsize>(line.size()));
    m_out->flush();
}

} // namespace zentro
