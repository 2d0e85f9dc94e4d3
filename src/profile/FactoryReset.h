#pragma once

#include <functional>
#include <string>

#include "profile/ProfileRecord.h"

// The factory reset of the current profile: the settings of config.bin with the defaults on
// top, the default labels of str.ini, while the profile number (ProfileSlot) and all 12 macro
// slots stay as they were. With the mouse connected the result is applied and saved to the
// current profile's files; without it only the record and the labels in memory change.
//
// The window asks "Reset to factory default?" first and refreshes its controls afterwards;
// both are its own business.

namespace zentro {

struct FactoryResetHooks {
    // Sends the record to the mouse. Empty: SendProfileToDevice on the calling thread. The
    // window may run the traffic on a worker and wait for it here.
    std::function<void(const ProfileRecord& snapshot)> sendToDevice;
    // Applies the pointer settings of the live record to the desktop. Empty: none.
    std::function<void()> applyPointerSettings;
};

// The default labels are read from, and saved into, section `labelSection`. True when the
// reset was applied to the mouse and saved (ApplyAndSaveProfile); false when it stayed in
// memory because no mouse is connected (then no file is written at all, so the profile's
// labels and functions on disk keep agreeing), or when a file could not be written.
bool FactoryReset(const std::string& labelSection, const FactoryResetHooks& hooks = {});
// The same in the label section of the current UI language.
bool FactoryReset(const FactoryResetHooks& hooks = {});

} // namespace zentro
