// The traditional Chinese user-interface texts, by entry number.

#include "text/LanguageTextData.h"

namespace zentro {

namespace {

constexpr LanguageTextEntry kTexts[] = {
    {0, "Setting-CHT"},
    {6, "ZENTRO gaming mouse"},
    {9, "重置"},
    {10, "取消"},
    {11, "套用"},
    {12, "遊戲設定檔"},
    {13, "正面圖"},
    {14, "側面圖"},
    {15, "背面"},
    {16, "按鍵指派"},
    {17, "巨集編輯器"},
    {18, "xy 軸靈敏度"},
    {19, "DPI 設定"},
    {20, "發光功能"},
    {21, "採樣頻率"},
    {22, "滑鼠速度"},
    {23, "雙擊速度"},
    {24, "滾輪速度"},
    {25, "直線修正"},
    {26, "x 軸"},
    {27, "y 軸"},
    {28, "按鍵 1"},
    {29, "按鍵 2"},
    {30, "按鍵 3"},
    {31, "按鍵 4"},
    {32, "按鍵 5"},
    {33, "按鍵 6"},
    {34, "按鍵 7"},
    {35, "按鍵 8"},
    {36, "按鍵 9"},
    {37, "按鍵 10"},
    {38, "按鍵 11"},
    {39, "按鍵 12"},
    {40, "DPI +"},
    {41, "DPI -"},
    {42, "DPI 循環檔"},
    {43, "慢"},
    {44, "快"},
    {45, "行數"},
    {46, "一次捲動一個螢幕"},
    {491, "亮度"},
    {492, "呼吸燈"},
    {493, "全區變色"},
    {498, "點擊"},
    {499, "選項"},
    {500, "滾輪"},
    {501, "前進"},
    {502, "後退"},
    {504, "DPI 設定"},
    {508, "基本操作功能"},
    {509, "多媒體指令"},
    {510, "文書處理功能"},
    {512, "指派鍵盤按鍵"},
    {515, "巨集鍵"},
    {516, "無作用"},
    {517, "滾輪向左"},
    {518, "滾輪向右"},
    {519, "雙擊"},
    {523, "至少要有一個按鍵必須設定\"點擊\"功能"},
    {534, "DPI切換到第一段 "},
    {535, "DPI切換到第二段 "},
    {536, "DPI切換到第三段 "},
    {537, "DPI切換到第四段 "},
    {538, "DPI切換到第五段 "},
    {539, "DPI切換到第六段 "},
    {540, "DPI切換到第七段 "},
    {545, "切換到巨集"},
    {546, "退出"},
    {547, "系統沒有檢測到遊戲滑鼠ZENTRO gaming mouse！"},
    {548, "系統檢測到遊戲滑鼠ZENTRO gaming mouse。"},
    {577, "恢復原廠預設值?"},
    {578, "注意!"},
    {588, "關閉"},
    {589, "開啟"},
};

// Messages of the macro manager, by program message number (ProgramTextId).
constexpr LanguageTextEntry kMessageTexts[] = {
    {0, "巨集名稱為空白"},
    {1, "巨集名稱已存在"},
    {2, "已用記憶體：%1 / %2 位元組"},
    {3, "以下巨集超出滑鼠記憶體容量，已被截短："},
    {4, "%1：保留 %2 / %3 個按鍵事件"},
    {5, "關閉"},
    {6, "最小化"},
    {7, "說明"},
    {8, "DPI 第 %1 段"},
    {9, "DPI 第 %1 段顏色"},
    {10, "%1靈敏度"},
};

} // namespace

std::span<const LanguageTextEntry> TraditionalChineseTexts()
{
    return kTexts;
}

std::span<const LanguageTextEntry> TraditionalChineseMessageTexts()
{
    return kMessageTexts;
}

} // namespace zentro
