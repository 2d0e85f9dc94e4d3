#pragma once

#include <memory>

#include "controls/MainWindowPart.h"
#include "controls/UiServices.h"

// The macro manager as a part of the main window: its header in the left column, and it keeps the
// one manager dialog for the window's lifetime (its working slots and the delay last double-clicked
// stay between openings) and, after OK, copies the twelve encoded macros into the live record,
// which Apply sends to the mouse.

namespace zentro {

class CBitmapBtn;
class CMacroProgramDialog;

class CMacroManagerPart final : public IMainWindowPart {
public:
    CMacroManagerPart();
    ~CMacroManagerPart() override;

    void CreateControls(IMainWindowHost& host, const CUiServices& services) override;
    void OnLeftColumnMoved(int shift) override;
    void OnLeftColumnCovered(bool covered) override;

    // Opens the manager modally (the Macro Manager header); true after OK.
    bool Open();
    // The manager, created at the first Open; null before.
    CMacroProgramDialog* Dialog() const { return m_pDialog.get(); }

    // The Macro Manager header of the left column; a click opens the manager.
    CBitmapBtn* m_btnMacroHeader = nullptr;

private:
    IMainWindowHost* m_pHost = nullptr;
    CUiServices m_services;
    int m_nShift = 0;
    std::unique_ptr<CMacroProgramDialog> m_pDialog;
};

} // namespace zentro
