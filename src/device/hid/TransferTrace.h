#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iosfwd>
#include <mutex>
#include <string>

// The transfer trace: one line per transfer, in order, written as it happens.
//
//   set-feature 00 83 00 00 00 00 00 00 7c
//   get-feature 00 83 01 00 00 40 00 00 3b
//   write 00 04 09 ...
//   read 00 ...
//   sleep 50
//
// Bytes are the whole report buffer as handed to or returned by the device (byte 0 is the
// report ID), lower-case, two digits, separated by single spaces. Lines from several threads
// never interleave.

namespace zentro {

class CTransferTrace {
public:
    // Writes to a file, created or truncated; IsOpen() tells whether that worked.
    explicit CTransferTrace(const std::string& path);
    // Writes to a stream owned by the caller (tests use a std::ostringstream).
    explicit CTransferTrace(std::ostream& stream);
    CTransferTrace(const CTransferTrace&) = delete;
    CTransferTrace& operator=(const CTransferTrace&) = delete;

    bool IsOpen() const;
    // "<verb> xx xx ..." for one buffer.
    void Transfer(const char* verb, const uint8_t* bytes, size_t length);
    // "sleep N".
    void Sleep(uint32_t milliseconds);

    static std::string FormatLine(const char* verb, const uint8_t* bytes, size_t length);

private:
    void WriteLine(const std::string& line);

    std::mutex m_mutex;
    std::ofstream m_file;
    std::ostream* m_out = nullptr;
};

} // namespace zentro
