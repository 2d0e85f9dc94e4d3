#include "settings/ui/PageColumnState.h"

#include "settings/ui/DlgAdvanceLayout.h"

namespace zentro {

namespace {
std::array<QRect, PAGE_COUNT> StartTitleBars()
{
    std::array<QRect, PAGE_COUNT> bars;
    for (int k = 1; k <= PAGE_COUNT; ++k)
        bars[k - 1] = AdvanceLayout::TitleBarRect(k);
    return bars;
}
} // namespace

int g_nContentHeight = 0;
std::array<QRect, PAGE_COUNT> g_rcTitleBar = StartTitleBars();
std::array<QSize, PAGE_COUNT> g_sizePage{};
int g_nEditingStage = -1;
std::array<QString, PAGE_COUNT> g_strLastDpiEdit{};

void ResetPageColumnStateForTest()
{
    g_nContentHeight = 0;
    g_rcTitleBar = StartTitleBars();
    g_sizePage = {};
    g_nEditingStage = -1;
    g_strLastDpiEdit = {};
}

} // namespace zentro
