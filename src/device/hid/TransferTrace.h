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
//   write 00 13 ...
//   ! ENODEV
//
// A transfer the device did not accept is followed by a line "! NAME" with the error name
// (ENODEV, EIO, ETIMEDOUT, ...), so a trace shows where the device stopped answering.
// Bytes are the whole report buffer as handed to or returned by the device (byte 0 is the
// report ID), lower-case, two digits, separated by single spaces. Lines from several threads
// never interleave.

namespace zentro {

// What a trace saw of the transfers, for a closing message: how many there were, how many
// failed, and which one failed first.
struct TransferSummary {
    int transfers = 0;
    int failures = 0;
    int firstFailure = 0;            // 1-based number of the first failed transfer; 0 if none
    std::string firstFailureVerb;    // "set-feature", "write", ...
    std::string firstFailureCommand; // the command packet in effect, "13 05 80"; may be empty
    std::string firstFailureError;   // "ENODEV"
};

class CTransferTrace {
public:
    // Writes nowhere; only counts transfers and failures (Summary()).
    CTransferTrace();
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
    // "! NAME" after the line of the transfer that failed with the errno value `error` (0 when
    // the reason is unknown). `command` names the command packet in effect (may be empty).
    void Failed(const char* verb, int error, const std::string& command);

    TransferSummary Summary() const;

    static std::string FormatLine(const char* verb, const uint8_t* bytes, size_t length);
    // "ENODEV" for ENODEV; "error N" for a value without a name; "failed" for 0.
    static std::string ErrorName(int error);

private:
    void WriteLine(const std::string& line);

    mutable std::mutex m_mutex;
    TransferSummary m_summary;
    std::ofstream m_file;
    std::ostream* m_out = nullptr;
};

} // namespace zentro
