#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

#include "controls/MainWindowMessages.h"
#include "controls/UiServices.h"
#include "controls/WinMessage.h"
#include "profile/ProfileListOperations.h"
#include "text/ProfileListTexts.h"

// CConfigDialog: the profile list popup. It sits inside the main window over its left column
// and lets the user pick the current profile and add, delete, rename and copy entries, or ask
// for an import or export of the selected one. The list is edited here only; confirming (the
// close area) writes it, makes the files follow the names (ProfileListOperations.h) and asks
// the main window to load the selected profile with WM_PROFILE_COMMAND.
//
// The window that opens it keeps g_pConfigDialog pointing at it and destroys it when it
// handles the confirming message (or on a reset).

namespace zentro {

class CExMenu;
class CListBoxEx;

// The popup's commands (its context menu).
enum : int {
    ID_PROFILE_DELETE = 32781,
    ID_PROFILE_EDIT = 32782,
    ID_PROFILE_COPY = 32783,
    ID_PROFILE_LOAD = 32784,
    ID_PROFILE_SAVE = 32785,
};

class CConfigDialog : public QWidget {
    Q_OBJECT
public:
    static constexpr int LIST_CONTROL_ID = 130;

    // Client rectangles of the popup.
    static constexpr QRect TITLE_RECT = RectLTRB(10, 0, 80, 31);
    static constexpr QRect CLOSE_RECT = RectLTRB(240, 8, 255, 23);
    static constexpr QRect LIST_RECT = RectLTRB(0, 31, 263, 575);
    static constexpr QRect NEW_AREA = RectLTRB(0, 575, 100, 598);
    static constexpr QRect NEW_TEXT = RectLTRB(30, 575, 80, 598);
    static constexpr QRect DELETE_AREA = RectLTRB(110, 575, 230, 598);
    static constexpr QRect DELETE_TEXT = RectLTRB(140, 575, 190, 598);

    // `target` receives WM_PROFILE_COMMAND; the services show the limit and load-failure
    // messages.
    CConfigDialog(QWidget* parent, QObject* target, const CUiServices& services);
    ~CConfigDialog() override;

    // Loads the background (the popup takes its size), the font, the texts and the list.
    // False, after the "error" message, when the background picture cannot be loaded.
    bool OnInitDialog();

    // The list as str.ini holds it, the current entry selected. `loadedNumber` is the profile
    // the window shows, preferred when several entries carry the current name.
    void LoadProfileList(int loadedNumber);
    // Writes the list (the files follow the names) and sets CurrentProfileNumber. Returns the
    // number of the entry made current.
    int SaveProfileList();

    // The areas and commands.
    void OnConfirm();
    void AddProfileEntry();
    void OnDelete();
    void OnEdit();
    void OnCopy();
    void OnLoad();
    void OnSave();
    void OnCommand(int id);
    // The context menu at a global position; a right click also selects the entry under it.
    void ShowContextMenu(const QPoint& globalPos);

    CListBoxEx* List() const { return m_list; }
    CExMenu* ContextMenu() const { return m_pContextMenu; }
    const ProfileListTexts& Texts() const { return *m_texts; }
    // The entries with their current names.
    std::vector<EditedProfileEntry> Entries() const;
    int SelectedIndex() const;

    int m_nLastClicked = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyRenameRule();
    void StartEditor(int index);
    void ShowLimitMessage();
    bool AcceptName(int index, const QString& name) const;
    void PostCommand(uintptr_t command, intptr_t lParam);
    void AppendEntry(const QString& name, const EditedProfileEntry& origin);

    QPointer<QObject> m_pTarget;
    CUiServices m_services;
    const ProfileListTexts* m_texts;
    QFont m_font;
    QImage m_imgBackground;
    CListBoxEx* m_list = nullptr;
    QPointer<CExMenu> m_pContextMenu;
    // Whose files each entry takes, by position; the names live in the list box.
    std::vector<EditedProfileEntry> m_entries;
    int m_nOpenedCount = 0; // entries when the list was loaded
};

} // namespace zentro
