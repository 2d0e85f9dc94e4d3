// Feeds arbitrary bytes to the report-descriptor parser: it must never crash or read beyond
// the buffer, and what it accepts must be self-consistent.
#include "device/hid/ReportDescriptor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto info = zentro::ParseReportDescriptor(data, size);
    if (info.Ok() && info.collections.empty())
        std::abort();
    if (!info.Ok() && !info.collections.empty())
        std::abort();
    return 0;
}
