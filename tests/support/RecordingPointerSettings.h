#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/IPointerSettings.h"

namespace zentro {

// Test double of the pointer-settings backend: records every call (made on the worker
// thread) and answers as configured. Read `calls` after WaitForPointerSettings().
class CRecordingPointerSettings final : public IPointerSettings {
public:
    struct Call {
        std::string name;
        std::vector<int64_t> values;
        bool operator==(const Call&) const = default;
    };
    bool SetMouse(const std::array<int, 3>& m) override
    {
        return Record("SetMouse", {m[0], m[1], m[2]});
    }
    bool SetMouseSpeed(uint32_t s) override { return Record("SetMouseSpeed", {s}); }
    bool SetWheelScrollLines(uint32_t l) override { return Record("SetWheelScrollLines", {l}); }
    bool SetDoubleClickTime(uint32_t ms) override { return Record("SetDoubleClickTime", {ms}); }

    std::vector<Call> calls;
    // Names of calls that should fail ("SetMouse", "SetMouseSpeed", ...).
    std::vector<std::string> failing;

private:
    bool Record(std::string name, std::vector<int64_t> values)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bool ok = true;
        for (const auto& f : failing)
            if (f == name)
                ok = false;
        calls.push_back({std::move(name), std::move(values)});
        return ok;
    }
    std::mutex m_mutex;
};

} // namespace zentro
