#pragma once

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <cstdint>

class QObject;

// Window messages between our widgets. A message keeps its Windows number, wParam and lParam,
// so a receiver reads it exactly as the message is documented; it travels as a Qt event.
//
//   PostWinMessage  - queued (QCoreApplication::postEvent); safe from any thread, so the
//                     device reader thread may post to the main window.
//   SendWinMessage  - synchronous (QCoreApplication::sendEvent); UI thread only.
//
// A receiver overrides QObject::event(), checks `event->type() == CWinMessageEvent::EventType()`
// and reads message(), wParam() and lParam(). Synchronous receivers may hand back a result
// with setResult().

namespace zentro {

// Standard messages the skinned controls forward to their parent.
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONUP = 0x0202;

// Key-state flags of a mouse message's wParam.
constexpr uintptr_t MK_LBUTTON = 0x0001;
constexpr uintptr_t MK_RBUTTON = 0x0002;
constexpr uintptr_t MK_SHIFT = 0x0004;
constexpr uintptr_t MK_CONTROL = 0x0008;
constexpr uintptr_t MK_MBUTTON = 0x0010;
constexpr uintptr_t MK_XBUTTON1 = 0x0020;
constexpr uintptr_t MK_XBUTTON2 = 0x0040;

class CWinMessageEvent : public QEvent {
public:
    CWinMessageEvent(uint32_t msg, uintptr_t wParam, intptr_t lParam);

    // The event type, registered with Qt once per process.
    static QEvent::Type EventType();

    uint32_t message() const { return m_msg; }
    uintptr_t wParam() const { return m_wParam; }
    intptr_t lParam() const { return m_lParam; }

    // Result of a sent message (0 unless the receiver sets one).
    intptr_t result() const { return m_result; }
    void setResult(intptr_t result) { m_result = result; }

private:
    uint32_t m_msg;
    uintptr_t m_wParam;
    intptr_t m_lParam;
    intptr_t m_result = 0;
};

// Queues the message for target; does nothing when target is null.
void PostWinMessage(QObject* target, uint32_t msg, uintptr_t wParam, intptr_t lParam);

// Delivers the message to target at once and returns the receiver's result (0 when target is
// null or the receiver sets none).
intptr_t SendWinMessage(QObject* target, uint32_t msg, uintptr_t wParam, intptr_t lParam);

// A point packed as a mouse message's lParam: x in the low word, y in the high word, each as a
// 16-bit value (negative screen coordinates keep their sign when unpacked).
intptr_t MakePointLParam(const QPoint& point);
QPoint PointFromLParam(intptr_t lParam);

// The keys every dialog of the program swallows, so that none closes or opens help from the
// keyboard: Enter (both), Space, Escape and F1 (Qt key codes).
inline bool IsDialogSwallowedKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
           key == Qt::Key_Escape || key == Qt::Key_F1;
}

// A rectangle given as left, top, right, bottom (right and bottom exclusive), as the window
// layouts of this program are written.
constexpr QRect RectLTRB(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace zentro
