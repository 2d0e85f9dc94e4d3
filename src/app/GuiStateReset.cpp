#include "app/GuiStateReset.h"

#include "app/MouseConfigurationDlg.h"
#include "buttons/ui/AssignmentPanel.h"
#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "device/DeviceLink.h"
#include "platform/Clock.h"
#include "platform/ExeDir.h"
#include "platform/PrivateProfile.h"
#include "controls/LBEditorWnd.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "text/LanguageTexts.h"

namespace zentro {

void ResetProgramStateForTest()
{
    ResetDeviceLinkForTest();
    ResetProfileRecordsForTest();
    ResetProfileFilesForTest();
    ResetTextTablesForTest();
    FlushPrivateProfileCache();
    ResetMainWindowStateForTest();
    ResetProfileOperationsForTest();
    ResetListEditorStateForTest();
}

void ResetGuiStateForTest()
{
    ResetProgramStateForTest();
    SetHidTransport(nullptr);
    SetSleeper(nullptr);
    SetClock(nullptr);
    SetPointerSettingsBackend(nullptr);
    SetExeDirOverride("");
    ResetSkinKitForTest();
    ClearSkinImageCache();
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
    check(g_nCurrentView == 1, "g_nCurrentView");
    check(g_nHighlightedButton == -1, "g_nHighlightedButton");
    check(g_nHideOnNcPaint == 2, "g_nHideOnNcPaint");
    check(g_nAssignmentList == 0, "g_nAssignmentList");
    check(g_nAssignmentPanelHeight == 0, "g_nAssignmentPanelHeight");
    check(g_crSkinText == std::array<uint8_t, 3>{0, 255, 0}, "g_crSkinText");
    check(g_pConfigDialog == nullptr, "g_pConfigDialog");
    check(g_bImportPending == 0, "g_bImportPending");
    check(g_nSelectedProfile == 0, "g_nSelectedProfile");
    check(g_nEditMode == 0, "g_nEditMode");
    check(g_strLanguage.empty(), "g_strLanguage");
    check(g_strUiText[IDS_APP_TITLE].empty(), "g_strUiText");
    check(g_bDeviceConnected == 0, "g_bDeviceConnected");
    check(GetHidTransport() == nullptr, "the HID transport");
    check(g_strButtonLabel[0].empty(), "g_strButtonLabel");
    return changed;
}

} // namespace zentro
