#pragma once

#include <QRect>

#include "controls/WinMessage.h"

// The page column's geometry (its own client coordinates).

namespace zentro::AdvanceLayout {

constexpr int TITLE_WIDTH = 242;
constexpr int TITLE_HEIGHT = 20;
constexpr int TITLE_PITCH = 25;
constexpr int SECTION_GAP = 5;     // between a title bar or open page and the next title bar
constexpr int PAGE_ALLOWANCE = 10; // content height an open page adds beyond its own
constexpr int MIN_SCROLL_EXTENT = 563;
constexpr int START_CONTENT_WIDTH = 230;
constexpr int CONTENT_WIDTH = 242;
constexpr int LINE_STEP = 60;
constexpr int WHEEL_DELTA = 120;
constexpr int CAPTION_HEIGHT = 13;

// Title bar k (1-7) when every section is closed.
constexpr QRect TitleBarRect(int k)
{
    return RectLTRB(0, 2 + TITLE_PITCH * (k - 1), TITLE_WIDTH, 22 + TITLE_PITCH * (k - 1));
}

} // namespace zentro::AdvanceLayout
