#pragma once

#include <QPointer>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "controls/SkinnedDialog.h"
#include "controls/UiServices.h"
#include "macros/MacroEncoding.h"
#include "macros/MacroStore.h"
#include "macros/ui/MacroManagerTexts.h"

class QLineEdit;

// CMacroProgramDialog: the macro manager. The user creates, deletes and renames up to twelve
// macros, records a macro's keys from the keyboard (with or without the pauses between them),
// inserts clicks and delays, edits a delay in place, sets the loop count, and closes with OK
// (every macro is encoded into the twelve working slots, which the main window copies into the
// profile) or Cancel. Every editing step is written to "record.ini" at once (CMacroStore).
//
// One object lives as long as the main window: the working slots and the delay item last
// double-clicked are kept between openings; every Exec() runs the initialisation again.
//
// Files: MacroProgramDialog.cpp (set-up, painting, buttons, keys), MacroProgramItems.cpp (name
// and item lists: selection, renaming, item menu, delay editing), MacroRecorder.cpp (recording).

namespace zentro {

class CBitmapBtn;
class CExMenu;
class CListBoxEx;

// Item menu commands.
constexpr int ID_DELETE_ITEM = 32771;
constexpr int ID_INSERT_LBUTTON = 32772;
constexpr int ID_INSERT_MBUTTON = 32773;
constexpr int ID_INSERT_RBUTTON = 32774;
constexpr int ID_INSERT_DELAY = 32786;

class CMacroProgramDialog : public CSkinnedDialog {
    Q_OBJECT
public:
    CMacroProgramDialog(const CUiServices& services, std::string recordIniPath,
                        QWidget* parent = nullptr);
    ~CMacroProgramDialog() override;

    // Initialises the dialog and runs it modally; QDialog::Accepted after OK.
    int Exec();
    // The initialisation alone (Exec runs it); false when the background picture is missing.
    bool OnInitDialog();

    // The 12 working slots; after OK they hold every macro in device form.
    const MacroSlotArray& WorkingSlots() { return m_store.WorkingSlots(); }
    // Whether OK encoded the working slots (not when the dialog could not show its content):
    // only then may they replace the profile's macros.
    bool SlotsEncoded() const { return m_bInitialised && m_bSlotsEncoded; }
    // The macros OK had to cut to fit their slots.
    const std::vector<MacroOverflow>& CutMacros() const { return m_cutMacros; }

    enum { BTN_CLOSE, BTN_OK, BTN_CANCEL, BTN_NEW, BTN_DELETE };

    // Controls, for the window's owner and for tests.
    CListBoxEx* m_lbSelMacro = nullptr; // control 1006: macro names
    CListBoxEx* m_lbItems = nullptr;    // control 1008: the selected macro's items
    QLineEdit* m_edLoop = nullptr;      // control 149: loop count
    CBitmapBtn* m_btnRecord = nullptr;
    QPointer<CExMenu> m_pItemMenu; // the item menu while it is open
    int m_cursel = 0;              // delay item last double-clicked
    int m_bRecording = 0;          // this dialog runs the capture

    const MacroManagerTexts& Texts() const { return m_texts; }
    const CMacroStore& Store() const { return m_store; }
    // Bytes of the mouse's event area the selected macro's items take (126 fit), as of the
    // last change of the item list.
    size_t SelectedMacroBytes() const { return m_nItemBytes; }
    // The text of the options column's memory area: the memory the selected macro takes, or,
    // while a recording hears keys only as long as this window is active, the note saying so.
    QString MemoryAreaText() const;

    // Recording (MacroRecorder.cpp).
    void OnRecordButton();
    void StartRecording();
    void StopRecording();
    int OnRecordKeyEvent(uintptr_t wParam, intptr_t lParam);

    // Lists (MacroProgramItems.cpp).
    void OnMacroNameListSelchange();
    void BeginRenameMacro(int index);
    void OnItemDoubleClick(int index);
    void ShowItemMenu(const QPoint& globalPos);
    void OnItemCommand(int id);

protected:
    void PaintContent(QPainter& painter) override;
    bool OnPress(const QPoint& point) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void CreateControls();
    void OnOk();
    void OnCancel();
    void OnNew();
    void OnDelete();
    void ToggleDelayOption();
    void ToggleLoopOption();
    void UpdateLoopEditEnabled();
    void OnLoopTextChanged(const QString& text);
    void SetLoopText(const QString& text);
    // Saves the name list and the selected macro as the two lists show them.
    void OnWriteMacroToIni();
    // The lists and the loop edit show the store.
    void FillNameList();
    void FillItemList();
    std::vector<std::string> ListedItems() const;
    // After every change of the item list: the bytes it takes and the "memory used" line are
    // worked out once here (not on each paint), and that line is repainted.
    void OnItemListChanged();
    void SelectItem(int index);
    void OnNameEditEnded(int index);
    void OnItemEditEnded(int index);
    void ShowMessage(const QString& text, const QString& caption);
    void ReportCutMacros();
    bool IsKeyForDialog(QObject* watched) const;

    CUiServices m_services;
    CMacroStore m_store;
    MacroManagerTexts m_texts;
    std::vector<MacroOverflow> m_cutMacros;
    bool m_bFilling = false;      // the lists are being filled by the program, not the user
    bool m_bInitialised = false;  // OnInitDialog ran with its picture
    bool m_bSlotsEncoded = false; // OK encoded the working slots
    void ReportWriteFailure();
    QString m_strRefusal;      // why the last rename was refused, shown when editing ends
    uint32_t m_nLastTick = 0;  // time of the previous recorded event
    int m_nRecordedEvents = 0; // key events recorded since the start
    size_t m_nItemBytes = 0;   // SelectedMacroBytes()
    QString m_strMemoryText;   // the "memory used" line for m_nItemBytes
};

} // namespace zentro
