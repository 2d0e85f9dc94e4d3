#pragma once

#include <QRect>

#include "controls/WinMessage.h"
#include "text/UiTextIds.h"

// The angle-snapping page (page coordinates).

namespace zentro::AngleSnapLayout {

constexpr QRect ON_BOX = RectLTRB(25, 30, 35, 40);
constexpr QRect OFF_BOX = RectLTRB(140, 30, 150, 40);
constexpr int TEXT_GAP = 5;
constexpr int FONT_HEIGHT = 13;

} // namespace zentro::AngleSnapLayout
