#include "app/GuiStateReset.h"

#include "CoreReset.h"
#include "app/MouseConfigurationDlg.h"
#include "buttons/ui/AssignmentPanel.h"
#include "controls/LBEditorWnd.h"
#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "device/DeviceLink.h"
#include "platform/Clock.h"
#include "platform/ExeDir.h"
#include "platform/PrivateProfile.h"
#include "macros/ui/MacroRecorder.h"
#include "macros/ui/SingleDialog.h"
#include "profile/ui/ProfileListPart.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "settings/ui/PageColumnState.h"
#include "text/LanguageTexts.h"

namespace zentro {

namespace {

// Every program-wide variable of the windows; a new one joins here.
void ResetWindowStateForTest()
{
    ResetMainWindowStateForTest();
    ResetAssignmentPanelStateForTest();
    ResetListEditorStateForTest();
    ResetSingleKeyStateForTest();
    ResetPageColumnStateForTest();
    ResetProfileListStateForTest();
    ResetMacroRecorderStateForTest();
}

} // namespace

void ResetProgramStateForTest()
{
    ResetCoreProgramStateForTest();
    ResetWindowStateForTest();
}

void ResetGuiStateForTest()
{
    ResetCoreStateForTest();
    ResetWindowStateForTest();
    ResetSkinKitForTest();
    ClearSkinImageCache();
}

namespace {

const CoreStateSnapshot& CoreStartState()
{
    // Taken once, right after a full reset: what every test must leave behind.
    static const CoreStateSnapshot start = [] {
        ResetCoreStateForTest();
        return TakeCoreStateSnapshot();
    }();
    return start;
}

} // namespace

void PrepareGuiStateCheckForTest()
{
    (void)CoreStartState();
}

std::string DescribeChangedGuiStateForTest()
{
    std::string changed;
    auto check = [&changed](bool atStart, const char* name) {
        if (atStart)
            return;
        if (!changed.empty())
            changed += ", ";
        changed += name;
    };
    changed = DescribeCoreStateChanges(CoreStartState(), TakeCoreStateSnapshot());
    check(g_nCurrentView == 1, "g_nCurrentView");
    check(g_nHighlightedButton == -1, "g_nHighlightedButton");
    check(g_nHideOnNcPaint == 2, "g_nHideOnNcPaint");
    check(g_nAssignmentList == 0, "g_nAssignmentList");
    check(g_nAssignmentPanelHeight == 0, "g_nAssignmentPanelHeight");
    check(g_crSkinText == std::array<uint8_t, 3>{0, 255, 0}, "g_crSkinText");
    check(g_pConfigDialog == nullptr, "g_pConfigDialog");
    check(g_nEditMode == 0, "g_nEditMode");
    check(g_hSingleKeyWnd.isNull() && g_hSingleKeyHook == nullptr && g_strSingleKeyName.empty(),
          "the single-key dialog's state");
    check(g_nContentHeight == 0, "g_nContentHeight");
    check(g_nEditingStage == -1, "g_nEditingStage");
    check(g_hRecordHook == nullptr && g_hMacroWnd.isNull() && g_bRecording == 0 &&
              g_nRecordState == 0 && g_nHookEventCount == 0 && g_nLastVk == -1 &&
              g_nLastKeyFlags == -1 && g_strKeyName.empty() && g_recordQueue.empty(),
          "the macro recorder's state");
    return changed;
}

} // namespace zentro
