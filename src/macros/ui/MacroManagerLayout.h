#pragma once

#include <QColor>
#include <QRect>

#include "controls/WinMessage.h"

// Where everything of the macro manager sits, in client pixels (left, top, right, bottom as
// the layout is written). The window takes the size of its background picture.

namespace zentro::MacroLayout {

constexpr QRect TITLE = RectLTRB(15, 0, 414, 31);
constexpr QRect CLOSE_BUTTON = RectLTRB(427, 17, 478, 41);
constexpr QRect NAME_HEADING = RectLTRB(16, 60, 134, 78);
constexpr QRect ITEM_HEADING = RectLTRB(148, 60, 266, 78);
constexpr QRect OPTIONS_HEADING = RectLTRB(279, 60, 397, 78);
constexpr QRect NAME_LIST = RectLTRB(21, 82, 130, 353);
constexpr QRect ITEM_LIST = RectLTRB(153, 82, 262, 353);
constexpr QRect RECORD_BUTTON = RectLTRB(295, 87, 384, 111);
constexpr QRect DELAY_TEXT = RectLTRB(290, 136, 370, 206);
constexpr QRect DELAY_CHECK = RectLTRB(370, 144, 384, 158);
// The memory the selected macro takes in the mouse, in the free part of the options column.
constexpr QRect MEMORY_TEXT = RectLTRB(290, 222, 400, 290);
constexpr QRect LOOP_TEXT = RectLTRB(296, 299, 401, 314);
constexpr QRect LOOP_CHECK = RectLTRB(296, 314, 310, 328);
constexpr QRect LOOP_EDIT = RectLTRB(298, 333, 379, 345);
constexpr QRect NEW_BUTTON = RectLTRB(17, 367, 75, 392);
constexpr QRect DELETE_BUTTON = RectLTRB(77, 367, 135, 392);
constexpr QRect OK_BUTTON = RectLTRB(298, 394, 352, 422);
constexpr QRect CANCEL_BUTTON = RectLTRB(354, 394, 408, 422);

// The window's size when its background picture is missing.
constexpr QSize FALLBACK_SIZE(490, 434);

inline const QColor EDIT_TEXT(255, 255, 255);
inline const QColor EDIT_GROUND(34, 24, 21);
inline const QColor LIST_TEXT(255, 255, 255);
inline const QColor LIST_GROUND(109, 109, 109);
inline const QColor SELECTED_GROUND(72, 24, 24);
// The memory line of a macro that does not fit.
inline const QColor OVERFLOW_TEXT(255, 96, 96);

} // namespace zentro::MacroLayout
