#include "CoreReset.h"

#include <cstdio>
#include <cstring>

#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "macros/MacroStore.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/ExeDir.h"
#include "platform/FileSteps.h"
#include "platform/PrivateProfile.h"
#include "platform/ThreadStart.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "text/LanguageTexts.h"

namespace zentro {

void ResetCoreProgramStateForTest()
{
    WaitForPointerSettings();
    ResetDeviceLinkForTest();
    ClearDeviceMirror();
    ResetProfileRecordsForTest();
    ResetProfileFilesForTest();
    ResetTextTablesForTest();
    ResetMacroStateForTest();
    ResetProfileOperationsForTest();
    ResetAppliedPointerSettingsForTest();
    FlushPrivateProfileCache();
}

void ResetCoreStateForTest()
{
    ResetCoreProgramStateForTest();
    SetPointerSettingsBackend(nullptr);
    SetHidTransport(nullptr);
    SetSkinRoot("");
    SetSleeper(nullptr);
    SetClock(nullptr);
    SetExeDirOverride("");
    SetFileStepHookForTest({});
    FailNextThreadStartsForTest(0);
    ResetDebugLogForTest();
}

namespace {

// FNV-1a, enough to tell a changed table or record from an unchanged one.
std::string Checksum(const void* data, size_t size)
{
    uint64_t hash = 1469598103934665603ull;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

template <typename Strings> std::string ChecksumOfStrings(const Strings& strings)
{
    std::string all;
    for (const std::string& s : strings) {
        all += s;
        all += '\0';
    }
    return Checksum(all.data(), all.size());
}

std::string Flag(bool value)
{
    return value ? "yes" : "no";
}

} // namespace

CoreStateSnapshot TakeCoreStateSnapshot()
{
    CoreStateSnapshot s;
    auto add = [&](const char* name, std::string value) { s.emplace_back(name, std::move(value)); };
    // device link
    add("g_bDeviceConnected", std::to_string(g_bDeviceConnected.load()));
    add("g_nFeatureReportLength", std::to_string(g_nFeatureReportLength));
    add("g_nCommandInputReportLength", std::to_string(g_nCommandInputReportLength));
    add("g_nEventReportLength", std::to_string(g_nEventReportLength.load()));
    add("g_strDevicePath", g_strDevicePath);
    add("command device open", Flag(g_hCommandDevice != nullptr));
    add("event device open", Flag(GetEventDevice() != nullptr));
    add("HID transport set", Flag(GetHidTransport() != nullptr));
    add("device link callbacks set", Flag(HasDeviceLinkCallbacks()));
    add("device connected hook set", Flag(HasDeviceConnectedHook()));
    add("event reader running", Flag(IsEventReaderRunning()));
    add("event reader resumed", Flag(IsEventReaderResumed()));
    add("g_byDeviceState", std::to_string(g_byDeviceState));
    add("g_FunctionOption", Checksum(g_FunctionOption.data(), g_FunctionOption.size()));
    // profile
    add("g_ProfileRecord", Checksum(g_ProfileRecord.Bytes(), PROFILE_RECORD_SIZE));
    add("g_AppliedProfileRecord", Checksum(g_AppliedProfileRecord.Bytes(), PROFILE_RECORD_SIZE));
    add("CurrentProfileNumber", std::to_string(CurrentProfileNumber));
    add("DefaultFileMode", Flag(DefaultFileMode));
    add("g_strSettingsFile", g_strSettingsFile);
    add("g_strProfileIniFile", g_strProfileIniFile);
    add("g_strListIniFile", g_strListIniFile);
    add("g_strRecordIniFile", g_strRecordIniFile);
    add("g_bySettingsFlag", std::to_string(g_bySettingsFlag));
    add("g_strButtonLabel", ChecksumOfStrings(g_strButtonLabel));
    const ProfileTexts& t = g_ProfileTexts;
    add("g_ProfileTexts", ChecksumOfStrings(std::vector<std::string>{
                              t.RColor, t.GColor, t.BColor, t.Path, t.Lan, t.SensitivityX_Y,
                              t.SensitivityY_Y, t.Sensitivity_Y, t.MouseSpeed_Y}));
    add("g_byEditTextColor", Checksum(g_byEditTextColor.data(), g_byEditTextColor.size()));
    add("g_nPointValue", Checksum(g_nPointValue.data(), sizeof g_nPointValue));
    add("g_bImportPending", std::to_string(g_bImportPending));
    add("g_nSelectedProfile", std::to_string(g_nSelectedProfile));
    // texts
    add("g_strLanguage", g_strLanguage);
    add("g_strUiText", ChecksumOfStrings(g_strUiText));
    add("g_strDpiActionNames", ChecksumOfStrings(g_strDpiActionNames));
    // macros
    add("g_nCurrentMacro", std::to_string(g_nCurrentMacro));
    add("g_bRecordDelays", std::to_string(g_bRecordDelays));
    add("g_bLoopEnabled", std::to_string(g_bLoopEnabled));
    add("g_loadedItems", ChecksumOfStrings(g_loadedItems));
    add("g_recordedItems", ChecksumOfStrings(g_recordedItems));
    // settings and platform
    add("pointer settings backend set", Flag(GetPointerSettingsBackend() != nullptr));
    add("pointer settings pending", Flag(PointerSettingsBusy()));
    add("g_uAppliedWheelScrollLines", std::to_string(g_uAppliedWheelScrollLines));
    add("sleeper and clock replaced", Flag(!UsingSystemSleeperAndClock()));
    add("executable directory overridden", Flag(IsExeDirOverridden()));
    add("skin root", GetSkinRoot());
    add("debug sink set", Flag(HasDebugSink()));
    add("debug stderr forced", Flag(IsDebugToStderrForced()));
    add("file step hook set", Flag(HasFileStepHookForTest()));
    return s;
}

std::string DescribeCoreStateChanges(const CoreStateSnapshot& before,
                                     const CoreStateSnapshot& after)
{
    std::string changes;
    const size_t n = std::min(before.size(), after.size());
    for (size_t i = 0; i < n; ++i) {
        if (before[i].second != after[i].second)
            changes +=
                before[i].first + ": \"" + before[i].second + "\" -> \"" + after[i].second + "\"\n";
    }
    return changes;
}

} // namespace zentro
