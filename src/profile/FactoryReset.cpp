#include "profile/FactoryReset.h"

#include <cstring>
#include <string>

#include "device/DeviceLink.h"
#include "profile/ApplyProfile.h"
#include "profile/ProfileFiles.h"

namespace zentro {

bool FactoryReset(const std::string& labelSection, const FactoryResetHooks& hooks)
{
    // 1. What survives the reset.
    const uint8_t profileSlot = g_ProfileRecord.ProfileSlot;
    uint8_t macroSlots[MACRO_SLOT_COUNT][MACRO_SLOT_SIZE];
    std::memcpy(macroSlots, g_ProfileRecord.MacroSlot, sizeof macroSlots);
    // The current file names are config.bin and str.ini while the reset runs; afterwards they
    // must be the profile's own again, or a later label save would overwrite the defaults in
    // str.ini.
    const std::string settingsFile = g_strSettingsFile;
    const std::string iniFile = g_strProfileIniFile;

    // 2.-4. Factory settings, defaults, default labels.
    DefaultFileMode = true;
    LoadProfileSettings();
    LoadDefaults();
    ReadProfileTexts(labelSection);

    // 5.
    g_ProfileRecord.ProfileSlot = profileSlot;
    std::memcpy(g_ProfileRecord.MacroSlot, macroSlots, sizeof macroSlots);

    // 6.
    const bool connected = g_bDeviceConnected.load() != 0;
    bool applied = false;
    if (connected) {
        applied = ApplyAndSaveProfile(labelSection, hooks.sendToDevice);
        if (hooks.applyPointerSettings)
            hooks.applyPointerSettings();
    } else {
        g_strSettingsFile = settingsFile;
        g_strProfileIniFile = iniFile;
    }

    // 7.
    DefaultFileMode = false;
    return applied;
}

bool FactoryReset(const FactoryResetHooks& hooks)
{
    return FactoryReset(LabelSectionName(), hooks);
}

} // namespace zentro
