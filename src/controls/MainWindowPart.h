#pragma once

#include <cstdint>

#include "controls/MainWindowMessages.h"

class QPainter;

// A panel or column of the main window. The window keeps the frame, the title-bar and bottom
// buttons, the tray and the device messages; everything else is a part, created by the
// application object and called by the window at fixed points.

namespace zentro {

class IMainWindowHost;
struct CUiServices;

// The steps of the main window's paint sequence at which parts draw.
enum class PaintStep {
    MousePicture, // after the mouse view: hotspots over the mouse picture
    LeftPanels,   // after the left column's background: panel contents
};

class IMainWindowPart {
public:
    virtual ~IMainWindowPart() = default;
    // Creates the part's widgets as children of the host's widget. Called once, in the order
    // the parts were added, during the window's start-up after the skin is loaded. The host
    // outlives the part's use of it.
    virtual void CreateControls(IMainWindowHost& host, const CUiServices& services) = 0;
    // Called at every step of the paint sequence; a part draws at the steps it cares about.
    virtual void Paint(QPainter&, PaintStep) {}
    // The live record was replaced as a whole (Cancel, Reset, hot-plug reload, profile
    // switch, import, export): show it.
    virtual void OnRecordReplaced() {}
    // The window comes back from the tray.
    virtual void OnRestore() {}
    // A click elsewhere in the window cleared the button highlight (WM_CLEAR_HIGHLIGHT).
    virtual void OnClearHighlight() {}
    // The mouse picture shows another view (1 top, 2 side, 3 back).
    virtual void OnViewChanged(int /*view*/) {}
    // The panels of the left column below the assignment panel moved down by `shift` pixels
    // (0 when the assignment panel is closed).
    virtual void OnLeftColumnMoved(int /*shift*/) {}
    // The profile list popup covers the left column (true) or leaves it (false): a part hides
    // what it shows there, and shows it again as its own state says.
    virtual void OnLeftColumnCovered(bool /*covered*/) {}
    // The Config button was clicked: the part that keeps the profile list opens it.
    virtual void OnConfig() {}
    // The record is about to be replaced from outside the window's own controls (a reset, a
    // request from zentroctl): popups that would write their own choice close unconfirmed.
    virtual void OnDismissPopups() {}
    // A window message the main window does not handle itself; true when the part took it.
    virtual bool OnWinMessage(uint32_t /*msg*/, uintptr_t /*wParam*/, intptr_t /*lParam*/)
    {
        return false;
    }
};

} // namespace zentro
