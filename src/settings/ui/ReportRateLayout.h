#pragma once

#include <QPoint>
#include <QRect>

#include "controls/WinMessage.h"

// The polling-rate page (page coordinates).

namespace zentro::ReportRateLayout {

constexpr QRect DIAL = RectLTRB(57, 5, 185, 128);
constexpr QPoint CENTRE = QPoint(121, 66);
constexpr int RING_INNER = 35;
constexpr int RING_OUTER = 64;

} // namespace zentro::ReportRateLayout
