#include "device/hid/TransferTrace.h"

#include <ostream>

namespace zentro {

CTransferTrace::CTransferTrace(const std::string& path)
    : m_file(path, std::ios::out | std::ios::trunc | std::ios::binary)
{
    if (m_file.is_open())
        m_out = &m_file;
}

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

void CTransferTrace::Transfer(const char* verb, const uint8_t* bytes, size_t length)
{
    WriteLine(FormatLine(verb, bytes, length));
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
