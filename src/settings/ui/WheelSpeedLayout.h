#pragma once

#include <QRect>

#include "controls/WinMessage.h"
#include "text/UiTextIds.h"

// The wheel page (page coordinates).

namespace zentro::WheelSpeedLayout {

constexpr QRect LINES_OPTION = RectLTRB(5, 17, 16, 30);
constexpr QRect SCREEN_OPTION = RectLTRB(5, 50, 16, 62);
constexpr QRect LINES_LABEL = RectLTRB(24, 14, 156, 30);
constexpr QRect SCREEN_LABEL = RectLTRB(24, 50, 156, 62);
constexpr QRect NUMBER_BOX = RectLTRB(150, 15, 186, 29);
constexpr QRect UP_ARROW = RectLTRB(190, 15, 200, 21);
constexpr QRect DOWN_ARROW = RectLTRB(190, 23, 200, 29);
constexpr int IDC_NUMBER_BOX = 2035;
constexpr int LINES_MIN = 1;
constexpr int LINES_MAX = 100;
constexpr int FONT_HEIGHT = 13;

} // namespace zentro::WheelSpeedLayout
