#pragma once

#include <QPoint>
#include <QRect>

#include "controls/WinMessage.h"
#include "text/UiTextIds.h"

// The pointer-speed and double-click pages (page coordinates): a half dial of levels 1-11.

namespace zentro::HalfDialLayout {

constexpr QRect DIAL = RectLTRB(50, 20, 192, 103);
constexpr QPoint CENTRE = QPoint(121, 91);
constexpr int RING_INNER = 43;
constexpr int RING_OUTER = 71;
constexpr QRect SLOW_LABEL = RectLTRB(5, 73, 50, 103);
constexpr QRect FAST_LABEL = RectLTRB(192, 73, 237, 103);
constexpr int FONT_HEIGHT = 13;

} // namespace zentro::HalfDialLayout
