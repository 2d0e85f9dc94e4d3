#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// HID report-descriptor parsing, as far as the program needs it: the top-level collections of
// a descriptor with their usage and the report byte lengths Windows would give for them.

namespace zentro {

struct HidTopLevelCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // The largest report of each type over its report IDs in bytes, plus one byte for the
    // report ID (also when reports are unnumbered); 0 when the collection has none of the type.
    uint16_t inputLen = 0;
    uint16_t outputLen = 0;
    uint16_t featureLen = 0;
    // The report IDs of the collection's input reports; empty when reports are unnumbered.
    std::vector<uint8_t> inputReportIds;
};

struct HidReportDescriptorInfo {
    std::vector<HidTopLevelCollection> collections;
    // Empty when the descriptor was parsed; otherwise why it was rejected.
    std::string error;
    // True when any report ID item appears: every report then starts with its ID byte.
    bool numbered = false;

    bool Ok() const { return error.empty(); }
};

// Parses a descriptor. Truncated or malformed input gives an error, never a crash or a read
// beyond `length` bytes.
HidReportDescriptorInfo ParseReportDescriptor(const uint8_t* data, size_t length);

} // namespace zentro
