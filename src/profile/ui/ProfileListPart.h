#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>

#include "controls/MainWindowPart.h"
#include "controls/UiServices.h"

// The profiles in the main window: the profile list popup opened by the Config button, and
// the window's handling of what the popup asks for (WM_PROFILE_COMMAND): switching to a
// profile, importing one from a file pair and exporting the current one. Nothing here sends
// anything to the mouse; the new state reaches it when the user applies.
//
// While the popup is open it covers the left column, whose headers, assignment buttons and
// markers are hidden; they come back when it closes.

namespace zentro {

class CConfigDialog;
class IMainWindowHost;

// The open profile list popup, or null.
extern QPointer<QWidget> g_pConfigDialog;
// Tests: closes a popup left open and clears the pointer.
void ResetProfileListStateForTest();

// The file dialogs' filter of profile files.
inline constexpr const char* PROFILE_FILE_FILTER = "Gaming Mouse Profile(*.bin)";

class CProfileListPart : public IMainWindowPart {
public:
    // Where the popup stands in the main window: over the left column, clear of the title
    // bar's buttons and of the Config button below it.
    static constexpr int POPUP_LEFT = 15;
    static constexpr int POPUP_TOP = 4;

    void CreateControls(IMainWindowHost& host, const CUiServices& services) override;
    bool OnWinMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void OnConfig() override;
    void OnDismissPopups() override;

    // The Config button: opens the popup unless one is open.
    void OpenProfileList();
    // Destroys the popup (if open) and shows again what it hid.
    void CloseProfileList();
    CConfigDialog* Popup() const;

    void OnProfileCommand(uintptr_t wParam, intptr_t lParam);
    // The file operations with their dialogs; true when the live record or labels changed.
    bool ImportProfile(int entry);
    bool ExportProfile(int entry);

private:
    IMainWindowHost* m_pHost = nullptr;
    CUiServices m_services;
};

} // namespace zentro
