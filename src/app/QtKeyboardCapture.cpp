#include "app/QtKeyboardCapture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QThread>
#include <QWindow>

#include "controls/VirtualKeyTranslation.h"
#include "platform/DebugLog.h"

namespace zentro {

namespace {

bool IsX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// A window that was just shown may not be mapped yet, and X refuses a grab on an unmapped
// window; try for a short while, handing events to Qt meanwhile.
bool GrabWindowKeyboard(QWidget* owner)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        QWindow* window = owner->window()->windowHandle();
        if (window != nullptr && window->isExposed() && window->setKeyboardGrabEnabled(true))
            return true;
        if (timer.elapsed() > 1000)
            return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
}

} // namespace

CQtKeyboardCapture::~CQtKeyboardCapture()
{
    Stop();
}

bool CQtKeyboardCapture::Start(QWidget* owner, std::function<void(const CapturedKey&)> sink,
                               int* errorCode)
{
    Stop();
    if (owner == nullptr) {
        if (errorCode != nullptr)
            *errorCode = ERROR_NO_OWNER;
        return false;
    }
    m_pOwner = owner;
    m_sink = std::move(sink);
    m_bGrabbed = false;
    if (IsX11()) {
        owner->grabKeyboard();
        if (!GrabWindowKeyboard(owner)) {
            owner->releaseKeyboard();
            m_pOwner = nullptr;
            m_sink = nullptr;
            DebugOutput("Keyboard grab refused by the X server\n");
            if (errorCode != nullptr)
                *errorCode = ERROR_GRAB_REFUSED;
            return false;
        }
        m_bGrabbed = true;
    }
    qApp->installEventFilter(this);
    m_bCapturing = true;
    return true;
}

void CQtKeyboardCapture::Stop()
{
    if (!m_bCapturing)
        return;
    m_bCapturing = false;
    qApp->removeEventFilter(this);
    if (m_bGrabbed && m_pOwner) {
        if (QWindow* window = m_pOwner->window()->windowHandle())
            window->setKeyboardGrabEnabled(false);
        m_pOwner->releaseKeyboard();
    }
    m_bGrabbed = false;
    m_pOwner = nullptr;
    m_sink = nullptr;
}

bool CQtKeyboardCapture::IsForOwner(QObject* watched) const
{
    if (!m_pOwner)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr)
        return widget->window() == m_pOwner->window();
    auto* window = qobject_cast<QWindow*>(watched);
    return window != nullptr && window == m_pOwner->window()->windowHandle();
}

bool CQtKeyboardCapture::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    // A key event travels window first, then widget: take it at its first stop only.
    if (!IsForOwner(watched) || qobject_cast<QWindow*>(watched) != nullptr)
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Claim every key so that no shortcut fires; the key press follows and is taken then.
        event->accept();
        return true;
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    // Windows reports a held key as repeated presses without releases in between.
    if (keyEvent->isAutoRepeat() && type == QEvent::KeyRelease)
        return true;
    const CapturedKey key = TranslateKeyEvent(*keyEvent);
    if (m_sink) {
        const auto sink = m_sink; // the sink may stop the capture
        sink(key);
    }
    return true;
}

} // namespace zentro
