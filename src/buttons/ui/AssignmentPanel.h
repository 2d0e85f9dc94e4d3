#pragma once

#include <array>
#include <memory>

#include "controls/MainWindowPart.h"

class QWidget;

// The button assignment panel of the main window's left column: its header, the twelve
// assignment buttons in two lists (top view and side view), the row labels, the button
// captions (the labels of the current profile) and the hotspot pictures on the mouse while a
// button is highlighted. Opening and closing it moves the panels below by its height.

namespace zentro {

class CBitmapBtn;
class CButtonMenu;

// Assignment list rows: for list l and row r, the assignment button index and label entry.
struct AssignmentRow {
    int list;
    int row;
    int buttonIndex;
    int labelEntry;
};
extern const std::array<AssignmentRow, 12> g_AssignmentRows;

extern int g_nHighlightedButton;     // -1 none
extern int g_nAssignmentList;        // 0 top-view list, 1 side-view list
extern int g_nAssignmentPanelHeight; // height of the open panel's background
// Tests: the three back to their start values.
void ResetAssignmentPanelStateForTest();

class CAssignmentPanel : public IMainWindowPart {
public:
    CAssignmentPanel();
    ~CAssignmentPanel() override;
    void CreateControls(IMainWindowHost& host, const CUiServices& services) override;
    void Paint(QPainter& painter, PaintStep step) override;
    void OnRecordReplaced() override;
    void OnRestore() override;
    void OnClearHighlight() override;
    void OnViewChanged(int view) override;
    void OnLeftColumnCovered(bool covered) override;

    // 0 opens, 1 closes; other values only repaint.
    void SetAssignmentPanel(int collapsed);
    void ShowAssignmentList(int group);
    void RefreshButtonCaptions();
    void StoreButtonLabel(int b);
    // Highlights button i (the only one) and tells whoever shows its function menu.
    void OnAssignmentButton(int i);
    bool IsCollapsed() const { return m_bAssignmentCollapsed != 0; }

    CBitmapBtn* m_btnAssignmentHeader = nullptr;
    std::array<CBitmapBtn*, 12> m_btnAssignment{};

    // The window the panel sits in (parent of its menus and dialogs); null before CreateControls.
    QWidget* Window() const;
    // The function menu of the assignment buttons (created with the controls).
    CButtonMenu* ButtonMenu() const { return m_pButtonMenu.get(); }

private:
    IMainWindowHost* m_pHost = nullptr;
    int m_bAssignmentCollapsed = 1;
    int m_nView = VIEW_TOP; // the mouse picture's view, whose hotspots are drawn
    std::unique_ptr<CButtonMenu> m_pButtonMenu;
};

} // namespace zentro
