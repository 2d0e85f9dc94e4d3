#pragma once

#include <QRect>

#include "controls/WinMessage.h"
#include "text/UiTextIds.h"

// The lighting page (page coordinates). Mode k (1 Standard, 2 Respiration, 3 Neon) has a row.

namespace zentro::LightingLayout {

constexpr int IDC_SLIDER_FIRST = 2037; // + k - 1
constexpr int SLIDER_MIN = 1;
constexpr int SLIDER_MAX = 6;
constexpr int FONT_HEIGHT = 11;
constexpr QRect SLIDER_SOURCE = QRect(0, 0, 128, 11);

constexpr int RowTop(int k)
{
    return k == 1 ? 20 : k == 2 ? 49 : 78;
}
constexpr QRect ModeBoxRect(int k)
{
    return RectLTRB(10, RowTop(k), 20, RowTop(k) + 9);
}
constexpr QRect ModeNameRect(int k)
{
    return RectLTRB(20 + 5, RowTop(k) - 5, 20 + 70, RowTop(k) + 9 + 5);
}
constexpr QRect SliderRect(int k)
{
    return RectLTRB(100, RowTop(k), 227, RowTop(k) + 8);
}

struct ScaleLabel {
    const char* text;
    int left; // relative to the slider's left edge
    int right;
};
constexpr ScaleLabel SCALE[3][5] = {
    {{"0%", 0, 30}, {"25%", 25, 55}, {"50%", 55, 85}, {"75%", 85, 115}, {"100%", 115, 145}},
    {{"4S", 0, 30}, {"5S", 30, 60}, {"6S", 60, 90}, {"7S", 90, 120}, {"8S", 120, 150}},
    {{"3S", 0, 30}, {"6S", 30, 60}, {"9S", 60, 90}, {"12S", 90, 120}, {"15S", 120, 150}},
};
// Scale label i of row k, under the slider.
constexpr QRect ScaleRect(int k, int i)
{
    const QRect slider = SliderRect(k);
    const int bottom = slider.top() + slider.height();
    return RectLTRB(slider.left() + SCALE[k - 1][i].left, bottom + 5,
                    slider.left() + SCALE[k - 1][i].right, bottom + 20);
}

} // namespace zentro::LightingLayout
