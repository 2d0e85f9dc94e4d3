#pragma once

#include <QRect>
#include <Qt>

#include <cstdint>
#include <functional>

// What a skinned scroll bar needs from the window it scrolls: the window's scroll state for
// each direction and a way to hand it scroll requests, with the Windows scroll codes. The
// window calls NotifyScrollInfoChanged whenever its range, page or position change, so the
// bars follow at once instead of polling.

namespace zentro {

constexpr uint32_t WM_HSCROLL = 0x0114;
constexpr uint32_t WM_VSCROLL = 0x0115;

// Scroll request codes (the bar parts are numbered with them).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_ENDSCROLL = 8;

// The fields a scroll information exchange carries.
constexpr unsigned SIF_RANGE = 0x1;
constexpr unsigned SIF_PAGE = 0x2;
constexpr unsigned SIF_POS = 0x4;
constexpr unsigned SIF_TRACKPOS = 0x10;
constexpr unsigned SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SkinScrollInfo {
    unsigned fMask = SIF_ALL;
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
    bool SameState(const SkinScrollInfo& o) const
    {
        return nMin == o.nMin && nMax == o.nMax && nPage == o.nPage && nPos == o.nPos;
    }
};

// wParam of WM_VSCROLL / WM_HSCROLL: the code in the low word, a thumb position in the high.
constexpr uintptr_t MakeScrollWParam(int code, int pos)
{
    return (static_cast<uintptr_t>(code) & 0xFFFF) | ((static_cast<uintptr_t>(pos) & 0xFFFF) << 16);
}
constexpr int ScrollCode(uintptr_t wParam)
{
    return static_cast<int>(wParam & 0xFFFF);
}
constexpr int ScrollPos(uintptr_t wParam)
{
    return static_cast<int>((wParam >> 16) & 0xFFFF);
}

class ISkinScrollable {
public:
    virtual ~ISkinScrollable() = default;
    // Whether the window has a scroll bar in that direction at all.
    virtual bool HasScrollBar(Qt::Orientation orientation) const = 0;
    virtual SkinScrollInfo GetScrollInfo(Qt::Orientation orientation) const = 0;
    // Whether the bar in that direction accepts input (a window disables it when nothing
    // can scroll).
    virtual bool IsScrollBarEnabled(Qt::Orientation orientation) const = 0;
    // A scroll request, as WM_VSCROLL / WM_HSCROLL would bring it.
    virtual void OnScrollRequest(Qt::Orientation orientation, int code, int pos) = 0;

    // Set by the frame that shows the bars; the window calls it after every change.
    std::function<void()> onScrollInfoChanged;

protected:
    void NotifyScrollInfoChanged()
    {
        if (onScrollInfoChanged)
            onScrollInfoChanged();
    }
};

} // namespace zentro
