#include "settings/PointerSettings.h"

#include <atomic>

#include "platform/PointerSettingsWorker.h"

namespace zentro {

PointerSettingsValues ComputePointerSettings(const ProfileRecord& record)
{
    PointerSettingsValues v;
    if (record.EnhancePrecision == 1)
        v.mouse = {6, 10, 1};
    else
        v.mouse = {0, 0, 0};
    v.mouseSpeed = record.PointerSpeed == 1 ? 1u : 2u * record.PointerSpeed - 2u;
    v.wheelScrollLines = record.ScrollOneScreen == 0 ? record.WheelLines : WHEEL_PAGESCROLL;
    // Unsigned arithmetic as the system receives it: levels above 13 wrap around.
    v.doubleClickTime = static_cast<uint32_t>(970 - 70 * static_cast<int>(record.DoubleClickSpeed));
    return v;
}

namespace {
std::atomic<IPointerSettings*> g_pPointerSettings{nullptr};

CPointerSettingsWorker& Worker()
{
    static CPointerSettingsWorker worker;
    return worker;
}
} // namespace

void SetPointerSettingsBackend(IPointerSettings* backend)
{
    g_pPointerSettings = backend;
}

IPointerSettings* GetPointerSettingsBackend()
{
    return g_pPointerSettings.load();
}

PointerSettingsValues ApplyWindowsPointerSettings(const ProfileRecord& record)
{
    const PointerSettingsValues v = ComputePointerSettings(record);
    Worker().Submit(v, g_pPointerSettings.load());
    return v;
}

PointerSettingsValues ApplyWindowsPointerSettings()
{
    return ApplyWindowsPointerSettings(g_ProfileRecord);
}

void WaitForPointerSettings()
{
    Worker().WaitIdle();
}

bool PointerSettingsBusy()
{
    return Worker().Busy();
}

} // namespace zentro
