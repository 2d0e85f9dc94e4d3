#pragma once

// Program-wide state of the page column and its pages.

namespace zentro {

constexpr int PAGE_COUNT = 7;

// The running height of the column's content: title bars plus open pages and their gaps.
extern int g_nContentHeight;

// The DPI stage (0-6) whose edit box was opened last, -1 when none.
extern int g_nEditingStage;

// Tests: everything above back to its start value.
void ResetPageColumnStateForTest();

} // namespace zentro
