#pragma once

#include <QColor>
#include <QMenu>
#include <QString>

#include <functional>
#include <vector>

class QFont;
class QPainter;

// CExMenu: the skinned popup menu of the program (button function menus and their submenus,
// the help and tray menus, the macro manager's item menu, the profile list's context menu).
// Every item is drawn by the menu itself at m_nItemWidth x 20 pixels (separators 5) in the
// skin's dark red and white, and the menu draws its own three-pixel frame (DrawMenuFrame), so
// every menu of the program looks the same whatever the desktop's style.
//
// Use:
//     auto* menu = new CExMenu(&font, owner);   // font not owned; null = the widget's font
//     menu->m_nItemWidth = 120;
//     menu->AddItem(2001, "Click");
//     auto* sub = new CExMenu(&font, menu);  sub->m_nItemWidth = 50;  sub->AddItem(...);
//     menu->AddItem(0, "DPI Setting +", sub);
//     menu->Track(globalPos, [](int id) { ... });   // id 0: nothing chosen
//
// Keyboard and mouse handling are QMenu's: arrows, Right and Left for submenus, Enter,
// Escape, and the left or right button to choose. A menu is a popup window of its own, so the
// dialogs' filters of Enter, Space, Escape and F1 never see its keys.
//
// Where the desktop hosts the tray menu itself (a StatusNotifierItem tray), the desktop draws
// that menu and only its texts come from here.

namespace zentro {

class CExMenu : public QMenu {
    Q_OBJECT
public:
    // The command ID that makes AddItem append a separator.
    static constexpr int SEPARATOR_ID = 0x800;

    explicit CExMenu(const QFont* font, QWidget* parent = nullptr);
    ~CExMenu() override;

    // Appends an item: a separator when id is SEPARATOR_ID, else an entry opening `submenu`
    // when one is given, else a command with `id`. optionA 1 draws the text in the highlight
    // red; optionB 1 draws a small "TM" after the text. Returns the item's action.
    QAction* AddItem(int id, const QString& text, CExMenu* submenu = nullptr, int optionA = -1,
                     int optionB = 0);

    // Shows the menu with its top-left corner at `globalPos` and returns at once. When the
    // menu (with its submenus) has closed, `done` runs from the event loop with the chosen
    // command ID, or 0 when the menu was dismissed.
    void Track(const QPoint& globalPos, std::function<void(int id)> done);

    // The command ID of an item's action (0 for a separator, -1 for a submenu entry).
    static int CommandId(const QAction* action);

    // Size of an item: m_nItemWidth x (m_nItemHeight + 2); a separator is 5 high, an item
    // with ID 1 is 0 high.
    QSize MeasureItem(const QAction* action) const;
    // Draws one item into `rect`.
    void DrawItem(QPainter& painter, const QRect& rect, const QAction* action, bool selected) const;
    // The three-pixel frame around `rect`: one line of highlight red, two of background.
    static void DrawMenuFrame(QPainter& painter, const QRect& rect);

    static constexpr int FRAME_WIDTH = 3;

    int m_nItemHeight = 18;
    int m_nItemWidth = 0;
    QColor m_crBackground{0x6F, 0x29, 0x29};
    QColor m_crSelBackground{0x8F, 0x20, 0x20};
    QColor m_crSeparator{0x6F, 0x29, 0x29};
    QColor m_crText{0xFF, 0xFF, 0xFF};
    QColor m_crSelText{0xFF, 0xFF, 0xFF};

    struct ItemRecord {
        QString text;
        int number; // running number, from 1
        int id;     // command ID; -1 for a submenu entry
        int optionA;
        int optionB;
        const QAction* action;
    };
    const std::vector<ItemRecord>& Items() const { return m_items; }
    int ItemCount() const { return static_cast<int>(m_items.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ItemRecord* FindRecord(const QAction* action) const;

    const QFont* m_pFont;
    std::vector<ItemRecord> m_items;
    int m_nChosen = 0;
};

} // namespace zentro
