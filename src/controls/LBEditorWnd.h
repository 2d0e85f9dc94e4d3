#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

// CLBEditorWnd: an edit field laid over one entry of a CListBoxEx to change its text in place
// (renaming a profile or a macro, editing a delay of a macro).
//
//     g_nEditMode = EDIT_MODE_DELAY;              // how the committed text is treated
//     auto* editor = new CLBEditorWnd(list);      // deletes itself when editing has ended
//     editor->Start(index, /*digitsOnly=*/true);  // false: index outside the list, no editor
//
// Esc ends without commit; Enter, Tab, a click anywhere outside the field and losing the focus
// end with commit. Committing replaces the entry with the treated text and selects it. Either
// way WM_LEBEDIT_END (ListBoxEx.h) is posted to the list with the entry index, once.
//
// An owner that must refuse some texts (a blank or duplicate name) sets m_fnAccept: a text it
// refuses leaves the entry as it was, as if the edit had been cancelled.

namespace zentro {

// How the committed text is treated (g_nEditMode).
enum : uint8_t {
    EDIT_MODE_PROFILE_NAME = 1, // taken as typed
    EDIT_MODE_DELAY = 2,        // leading digits, at most 65535, written "%d ms"
    EDIT_MODE_MACRO_NAME = 3,   // taken as typed
};
extern uint8_t g_nEditMode;

// The delay rule: the leading decimal digits of `text` (0 when none), capped at 65535,
// followed by " ms".
QString FormatDelayEntry(const QString& text);

class CListBoxEx;

class CLBEditorWnd : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int CONTROL_ID = 1;

    explicit CLBEditorWnd(CListBoxEx* listBox);
    ~CLBEditorWnd() override;

    bool Start(int index, bool digitsOnly);
    void End(bool commit);

    int m_nIndex = -1;
    bool m_bEnded = false;
    std::function<bool(const QString& text)> m_fnAccept;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPointer<CListBoxEx> m_pListBox;
};

// Tests: g_nEditMode back to 0.
void ResetListEditorStateForTest();

} // namespace zentro
