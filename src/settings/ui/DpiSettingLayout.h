#pragma once

#include <QRect>

#include "controls/WinMessage.h"

// The DPI page's controls for stage n (1-7), page coordinates; stages are 30 pixels apart.

namespace zentro::DpiLayout {

constexpr int STAGE_PITCH = 30;
constexpr int SLIDER_MIN = 1;
constexpr int SLIDER_MAX = 54;
constexpr int IDC_SLIDER_FIRST = 2027; // + n - 1
constexpr int IDC_EDIT_FIRST = 1148;   // + n - 1
constexpr int EDIT_LIMIT = 5;
constexpr int FONT_HEIGHT = 10;
constexpr int LAYER_ALPHA = 200; // the page is composed at 200 of 255
constexpr QRect SLIDER_SOURCE = QRect(0, 0, 7, 175);

constexpr int D(int n)
{
    return STAGE_PITCH * (n - 1);
}
constexpr QRect SliderRect(int n)
{
    return RectLTRB(25 + D(n), 3, 32 + D(n), 173);
}
constexpr QRect ValueRect(int n)
{
    return RectLTRB(20 + D(n), 182, 45 + D(n), 193);
}
constexpr QRect EditRect(int n)
{
    return RectLTRB(20 + D(n), 179, 45 + D(n), 196);
}
constexpr QRect SwitchRect(int n)
{
    return RectLTRB(25 + D(n), 202, 35 + D(n), 211);
}
constexpr QRect SwatchRect(int n)
{
    return RectLTRB(25 + D(n), 215, 35 + D(n), 225);
}

} // namespace zentro::DpiLayout
