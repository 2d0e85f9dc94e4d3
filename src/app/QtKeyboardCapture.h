#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "controls/UiServices.h"

// The keyboard capture of the program: the stand-in for the low-level keyboard hook of the key
// dialog and the macro recorder.
//
// On X11 the owner's window grabs the keyboard (QWidget::grabKeyboard plus the window's grab,
// whose answer tells whether it worked), so no other program receives a key while capturing,
// as the hook swallowed them; IsExclusive() is true. Elsewhere (Wayland, where no client may
// grab) the owner listens while its window has the focus and IsExclusive() is false.
//
// Every key press and release meant for the owner's window goes, translated to a virtual-key
// code (controls/VirtualKeyTranslation.h), to the sink and to no widget. Auto-repeat arrives
// as repeated presses without releases, as Windows reports a held key.

namespace zentro {

class CQtKeyboardCapture : public QObject, public IKeyboardCapture {
    Q_OBJECT
public:
    CQtKeyboardCapture() = default;
    ~CQtKeyboardCapture() override;

    bool Start(QWidget* owner, std::function<void(const CapturedKey&)> sink,
               int* errorCode) override;
    void Stop() override;
    bool IsCapturing() const override { return m_bCapturing; }
    bool IsExclusive() const override { return m_bCapturing && m_bGrabbed; }

    // Error codes given to the caller when capture cannot start.
    static constexpr int ERROR_NO_OWNER = 1400;  // no owner window (Windows: invalid handle)
    static constexpr int ERROR_GRAB_REFUSED = 5; // the display server refused the grab

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsForOwner(QObject* watched) const;

    QPointer<QWidget> m_pOwner;
    std::function<void(const CapturedKey&)> m_sink;
    bool m_bCapturing = false;
    bool m_bGrabbed = false;
};

} // namespace zentro
