#include "controls/WinMessage.h"

#include <QCoreApplication>

namespace zentro {

CWinMessageEvent::CWinMessageEvent(uint32_t msg, uintptr_t wParam, intptr_t lParam)
    : QEvent(EventType()), m_msg(msg), m_wParam(wParam), m_lParam(lParam)
{
}

QEvent::Type CWinMessageEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostWinMessage(QObject* target, uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (target == nullptr) {
        return;
    }
    QCoreApplication::postEvent(target, new CWinMessageEvent(msg, wParam, lParam));
}

intptr_t SendWinMessage(QObject* target, uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (target == nullptr) {
        return 0;
    }
    CWinMessageEvent event(msg, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.result();
}

intptr_t MakePointLParam(const QPoint& point)
{
    const uint32_t x = static_cast<uint16_t>(point.x());
    const uint32_t y = static_cast<uint16_t>(point.y());
    return static_cast<intptr_t>(x | (y << 16));
}

QPoint PointFromLParam(intptr_t lParam)
{
    const auto x = static_cast<int16_t>(static_cast<uint16_t>(lParam & 0xFFFF));
    const auto y = static_cast<int16_t>(static_cast<uint16_t>((lParam >> 16) & 0xFFFF));
    return QPoint(x, y);
}

} // namespace zentro
