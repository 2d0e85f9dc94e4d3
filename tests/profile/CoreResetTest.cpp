#include <gtest/gtest.h>

#include <functional>

#include "CoreReset.h"
#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "macros/MacroStore.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/ExeDir.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "support/RecordingPointerSettings.h"
#include "text/LanguageTexts.h"

using namespace zentro;

TEST(CoreReset, EveryProgramWideChangeIsSeenAndUndone)
{
    static CVirtualTime time;
    static CRecordingPointerSettings pointer;
    struct Case {
        const char* name; // the snapshot entry that must change
        std::function<void()> change;
    };
    const Case cases[] = {
        {"g_bDeviceConnected", [] { g_bDeviceConnected = 1; }},
        {"g_strDevicePath", [] { g_strDevicePath = "x"; }},
        {"device connected hook set", [] { SetDeviceConnectedHook([] {}); }},
        {"device link callbacks set",
         [] {
             DeviceLinkCallbacks cb;
             cb.hideWindow = [] {};
             SetDeviceLinkCallbacks(cb);
         }},
        {"g_byDeviceState", [] { g_byDeviceState = 9; }},
        {"g_ProfileRecord", [] { g_ProfileRecord.ReportRate = 3; }},
        {"g_AppliedProfileRecord", [] { g_AppliedProfileRecord.MacroSlot[11][129] = 1; }},
        {"CurrentProfileNumber", [] { CurrentProfileNumber = 2; }},
        {"g_strButtonLabel", [] { g_strButtonLabel[11] = "x"; }},
        {"g_strLanguage", [] { g_strLanguage = "DE"; }},
        {"g_strUiText", [] { LoadLanguageTexts("EN"); }},
        {"g_nCurrentMacro", [] { g_nCurrentMacro = 3; }},
        {"g_recordedItems", [] { g_recordedItems = {"a"}; }},
        {"pointer settings backend set", [] { SetPointerSettingsBackend(&pointer); }},
        {"sleeper and clock replaced", [] { SetClock(&time); }},
        {"executable directory overridden", [] { SetExeDirOverride("/tmp"); }},
        {"debug sink set", [] { SetDebugSink([](const std::string&) {}); }},
        {"debug stderr forced", [] { SetDebugToStderr(false); }},
    };
    const CoreStateSnapshot start = TakeCoreStateSnapshot();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        const std::string changes = DescribeCoreStateChanges(start, TakeCoreStateSnapshot());
        EXPECT_EQ(changes.substr(0, changes.find(':')), c.name) << changes;
        ResetCoreStateForTest();
        EXPECT_EQ(DescribeCoreStateChanges(start, TakeCoreStateSnapshot()), "");
    }
}
