#pragma once

#include "platform/IPointerSettings.h"
#include "platform/PointerSettingsValues.h"
#include "profile/ProfileRecord.h"

// The four system pointer settings a profile carries: enhanced pointer precision, pointer
// speed, wheel scroll lines and double-click time. The values are computed exactly as the
// Windows program hands them to SystemParametersInfo; the backend (platform/) sets them where
// the desktop allows and says in the debug output what it could not set. Setting them runs on
// the pointer-settings worker, never on the caller's thread.

namespace zentro {

PointerSettingsValues ComputePointerSettings(const ProfileRecord& record);

// The backend ApplyWindowsPointerSettings uses; nullptr restores the desktop backend. Requests
// already made keep the backend they were made with.
void SetPointerSettingsBackend(IPointerSettings* backend);
IPointerSettings* GetPointerSettingsBackend();

// Asks for the four values of the live record (or of `record`) to be set, in order, and
// returns at once with the values asked for. A failing call writes its line to the debug
// output and the next call is still made.
PointerSettingsValues ApplyWindowsPointerSettings();
PointerSettingsValues ApplyWindowsPointerSettings(const ProfileRecord& record);

// Waits until every requested setting has been made (tests, and before the program ends).
void WaitForPointerSettings();
// True while a request is still pending or being applied.
bool PointerSettingsBusy();

} // namespace zentro
