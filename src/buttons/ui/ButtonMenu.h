#pragma once

#include <QPointer>

#include "controls/ExMenu.h"
#include "controls/UiServices.h"

class QPainter;

// The function menu of the assignment buttons: ShowButtonMenu opens the catalogue
// (buttons/FunctionCatalogue.h) as a skinned menu beside the clicked assignment button,
// AssignButtonFunction stores the chosen function (through the key or macro dialog where it
// needs one) and makes its name the button's label. The hotspot pictures of the mouse show
// which button is being edited while its menu is open.

namespace zentro {

class CAssignmentPanel;
class CExMenu;

class CButtonMenu {
public:
    CButtonMenu(CAssignmentPanel& panel, const CUiServices& services);

    // Opens the menu of button b (0-11), unless b is the last Click button: then the user is
    // told that one button must keep Click and no menu opens.
    void ShowButtonMenu(int b);
    // Stores command `id` for the button whose menu was opened last.
    void AssignButtonFunction(int id);

    // The button being assigned (the last menu's), -1 before the first menu.
    int AssigningButton() const { return m_nAssigning; }
    // The menu while it is open (for tests), else null.
    CExMenu* OpenMenu() const { return m_pMenu; }

private:
    void OnMenuClosed(int b, int id);

    CAssignmentPanel& m_panel;
    CUiServices m_services;
    int m_nAssigning = -1;
    QPointer<CExMenu> m_pMenu;
};

// The hotspot pictures on the mouse picture for highlighted button `highlighted` (0-11): its
// "-over" picture and the "-normal" pictures of the other buttons of its view, drawn only
// while that view is shown. Nothing for any other value.
void PaintButtonHotspots(QPainter& painter, int highlighted, int currentView);

} // namespace zentro
