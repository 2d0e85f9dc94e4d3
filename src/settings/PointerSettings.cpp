#include "settings/PointerSettings.h"

#include <atomic>

#include "platform/PointerSettingsWorker.h"
#include "profile/RecordRanges.h"

namespace zentro {

PointerSettingsValues ComputePointerSettings(const ProfileRecord& record)
{
    PointerSettingsValues v;
    if (record.EnhancePrecision == 1)
        v.mouse = {6, 10, 1};
    else
        v.mouse = {0, 0, 0};
    // Levels outside 1-11 and line counts outside 1-100 (from an imported file, say) are
    // used as the nearest end of their range, so the desktop never gets a wrapped value.
    const uint32_t speed = LevelInRange(record.PointerSpeed);
    v.mouseSpeed = speed == 1 ? 1u : 2u * speed - 2u;
    v.wheelScrollLines =
        record.ScrollOneScreen == 0 ? WheelLinesInRange(record.WheelLines) : WHEEL_PAGESCROLL;
    v.doubleClickTime = 970u - 70u * LevelInRange(record.DoubleClickSpeed);
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
    g_uAppliedWheelScrollLines = v.wheelScrollLines;
    Worker().Submit(v, g_pPointerSettings.load());
    return v;
}

uint32_t g_uAppliedWheelScrollLines = 0;

void ResetAppliedPointerSettingsForTest()
{
    g_uAppliedWheelScrollLines = 0;
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
