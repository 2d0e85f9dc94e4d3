#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// Program-wide state of the page column and its pages.

namespace zentro {

constexpr int PAGE_COUNT = 7;

// The running height of the column's content: title bars plus open pages and their gaps.
extern int g_nContentHeight;
// Current rectangles of the seven title bars, in the column's coordinates.
extern std::array<QRect, PAGE_COUNT> g_rcTitleBar;
// Size of each page, taken from its size picture (0 x 0 when the picture is missing).
extern std::array<QSize, PAGE_COUNT> g_sizePage;

// The DPI stage (0-6) whose edit box was opened last, -1 when none.
extern int g_nEditingStage;
// The last text committed from each DPI stage's edit box. One per box: with a single text for
// all seven, the same number typed into a second stage's box would be ignored; a repeated
// Enter in one box still changes nothing.
extern std::array<QString, PAGE_COUNT> g_strLastDpiEdit;

// Tests: everything above back to its start value.
void ResetPageColumnStateForTest();

} // namespace zentro
