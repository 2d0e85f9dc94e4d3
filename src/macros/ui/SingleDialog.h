#pragma once

#include <QPointer>
#include <QString>

#include <cstdint>
#include <string>

#include "controls/SkinnedDialog.h"
#include "controls/UiServices.h"

// CSingleDialog: the key dialog of "Assign Keyboard Key". It listens to the real keyboard
// through the keyboard capture service (on X11 a grab, so no other program receives the keys,
// as the low-level hook swallowed them) and shows the name of the last key pressed or
// released. The caller sets m_strKeyName (the button's current key, or empty), runs exec()
// and after Accepted reads m_strKeyName.
//
// When capture cannot start, the user is told "JournalRecordHook Install error code :N" and
// the dialog returns the name it was given.

namespace zentro {

constexpr uint32_t WM_SINGLE_KEY = 0x0B04;

// Shared with the key procedure: the listening dialog, the capture that runs for it, and the
// name of the last captured key.
extern QPointer<QWidget> g_hSingleKeyWnd;
extern IKeyboardCapture* g_hSingleKeyHook;
extern std::string g_strSingleKeyName;

// The key procedure: names the key (keypad Enter as "Num Enter"; a key taken by its position as
// the key table names its usage) and posts WM_SINGLE_KEY to g_hSingleKeyWnd. Every key counts,
// the Windows keys included.
void SingleKeyHook(const CapturedKey& key);

class CSingleDialog : public CSkinnedDialog {
    Q_OBJECT
public:
    explicit CSingleDialog(const CUiServices& services, QWidget* parent = nullptr);
    ~CSingleDialog() override;

    QString m_strKeyName;

    // Texts of the current language.
    QString OkCaption() const { return m_strOk; }
    QString PromptText() const { return m_strPrompt; }
    // Where no program may take the whole keyboard (Wayland), the note that keys are only read
    // while this window is active; "" while the capture has the keyboard to itself.
    QString FocusNote() const { return m_strFocusNote; }
    // Buttons.
    enum { BTN_CLOSE, BTN_OK, BTN_CANCEL };
    static constexpr QRect KEY_NAME_RECT = QRect(74, 129, 76, 14);
    static constexpr QRect PROMPT_RECT = QRect(34, 103, 186, 20);
    static constexpr QRect FOCUS_NOTE_RECT = QRect(24, 190, 342, 40);

    void done(int result) override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void PaintContent(QPainter& painter) override;
    bool OnPress(const QPoint& point) override;

private:
    void StartCapture();
    void StopCapture();

    CUiServices m_services;
    QString m_strOk;
    QString m_strCancel;
    QString m_strPrompt;
    QString m_strFocusNote;
    bool m_bCaptureTried = false;
};

// Tests: the shared key state back to its start values.
void ResetSingleKeyStateForTest();

} // namespace zentro
