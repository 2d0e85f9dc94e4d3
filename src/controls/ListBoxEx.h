#pragma once

#include <QColor>
#include <QListWidget>

#include <cstdint>

// CListBoxEx: the owner-drawn list of the macro manager and the profile list. Entries are
// plain texts (QListWidget items without data); the selected entry is filled with m_crSelBack
// and written in m_crSelText, the others on the list's base colour in its text colour; one
// line, vertically centred, left-aligned, no focus rectangle. Items have a fixed height
// (SetItemHeight).
//
// The in-place editor (CLBEditorWnd, LBEditorWnd.h) posts WM_LEBEDIT_END to the list when an
// edit ends; the list hands it on to its parent window at once (SendWinMessage, wParam = the
// editor's control ID 1, lParam = the entry index) and emits editEnded(index), so the owner
// can take it either way.

namespace zentro {

constexpr uint32_t WM_LEBEDIT_END = 0x0464;

class CListBoxEx : public QListWidget {
    Q_OBJECT
public:
    explicit CListBoxEx(QWidget* parent = nullptr);

    // Removes entry `index` and repaints the list at once; an index outside the list does
    // nothing.
    void DeleteItem(int index);
    // Fixed height of every entry, in pixels.
    void SetItemHeight(int height);
    int ItemHeight() const { return m_nItemHeight; }
    // The rectangle of entry `index` in the list's own coordinates (empty when out of range).
    QRect ItemRect(int index) const;

    QColor m_crSelBack{72, 24, 24};
    QColor m_crSelText{255, 255, 255};

signals:
    void editEnded(int index);

protected:
    bool event(QEvent* e) override;

private:
    int m_nItemHeight = 16;
};

} // namespace zentro
