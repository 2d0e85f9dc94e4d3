#pragma once

#include <QRect>

#include "controls/WinMessage.h"

// Rectangles of the main window (client coordinates, left, top, right, bottom as the layout
// is written). The parts of the window use these too.

namespace zentro::MainLayout {

// Bottom buttons.
constexpr QRect RESET = RectLTRB(798, 604, 855, 634);
constexpr QRect CANCEL = RectLTRB(860, 604, 917, 634);
constexpr QRect APPLY = RectLTRB(923, 604, 980, 634);
constexpr QRect CONFIG = RectLTRB(18, 604, 90, 634);
// Title bar.
constexpr QRect CLOSE = RectLTRB(979, 5, 994, 20);
constexpr QRect MINIMIZE = RectLTRB(958, 5, 973, 20);
constexpr QRect HELP = RectLTRB(937, 5, 952, 20);
// Views.
constexpr QRect TOP_VIEW = RectLTRB(425, 527, 487, 556);
constexpr QRect SIDE_VIEW = RectLTRB(500, 527, 562, 556);
constexpr QRect BACK_VIEW = RectLTRB(533, 527, 595, 556);
// The mouse picture and the left column.
constexpr QRect MOUSE_PICTURE_AREA = RectLTRB(262, 32, 734, 450);
constexpr QRect LEFT_PANEL_AREA = RectLTRB(20, 107, 262, 507);
// Panel headers (collapsed places; an open assignment panel moves the two lower ones down by
// its height).
constexpr QRect ASSIGNMENT_HEADER = RectLTRB(20, 107, 262, 127);
constexpr QRect MACRO_HEADER = RectLTRB(20, 132, 262, 170);
constexpr QRect SENSITIVITY_HEADER = RectLTRB(20, 175, 262, 195);
constexpr int PANEL_BOTTOM = 195; // below the last header, all collapsed
// The page column.
constexpr QRect PAGE_COLUMN = QRect(735, 32, 260, 561);
// Transfer progress, left of Reset.
constexpr QRect TRANSFER_BAR = RectLTRB(560, 612, 767, 626);

} // namespace zentro::MainLayout
