// The simplified Chinese user-interface texts, by entry number.

#include "text/LanguageTextData.h"

namespace zentro {

namespace {

constexpr LanguageTextEntry kTexts[] = {
    {0, "Setting-CHS"},
    {6, "ZENTRO gaming mouse"},
    {9, "恢复"},
    {10, "取消"},
    {11, "保存"},
    {12, "配置"},
    {13, "正面"},
    {14, "侧面"},
    {15, "背面"},
    {16, "按钮分配"},
    {17, "宏管理器"},
    {18, "X/Y轴设置"},
    {19, "DPI 设置"},
    {20, "照明"},
    {21, "USB输出报告率"},
    {22, "鼠标速度"},
    {23, "双击速度"},
    {24, "鼠标滚轮速度"},
    {25, "角度捕捉"},
    {26, "X轴"},
    {27, "Y轴"},
    {28, "按钮 1"},
    {29, "按钮 2"},
    {30, "按钮 3"},
    {31, "按钮 4"},
    {32, "按钮 5"},
    {33, "按钮 6"},
    {34, "按钮 7"},
    {35, "按钮 8"},
    {36, "按钮 9"},
    {37, "按钮 10"},
    {38, "按钮 11"},
    {39, "按钮 12"},
    {40, "DPI +"},
    {41, "DPI -"},
    {42, "DPI loop"},
    {43, "慢"},
    {44, "快"},
    {45, "一次滚动行数"},
    {46, "一次滚动一个屏幕"},
    {491, "标准模式"},
    {492, "呼吸模式"},
    {493, "霓虹模式"},
    {498, "左键"},
    {499, "右键"},
    {500, "中键"},
    {501, "前进方向键"},
    {502, "后退方向键"},
    {504, "DPI切换 +"},
    {508, "Windows +"},
    {509, "多媒体 +"},
    {510, "快捷键 +"},
    {512, "单键"},
    {515, "宏"},
    {516, "按键关闭"},
    {517, "左摇摆滚轮"},
    {518, "右摇摆滚轮"},
    {519, "双击"},
    {523, "左键功能必须选择！"},
    {534, "DPI切换到第一段 "},
    {535, "DPI切换到第二段 "},
    {536, "DPI切换到第三段 "},
    {537, "DPI切换到第四段 "},
    {538, "DPI切换到第五段 "},
    {539, "DPI切换到第六段 "},
    {540, "DPI切换到第七段 "},
    {545, "切换到宏"},
    {546, "退出"},
    {547, "系统没有检测到游戏鼠标ZENTRO gaming mouse！"},
    {548, "系统检测到游戏鼠标ZENTRO gaming mouse。"},
    {577, "是否恢复到出厂默认值?"},
    {578, "注意!"},
    {588, "关闭"},
    {589, "开启"},
};

// Messages of the macro manager, by program message number (ProgramTextId).
constexpr LanguageTextEntry kMessageTexts[] = {
    {0, "宏名称为空"},
    {1, "宏名称已存在"},
    {2, "已用存储：%1 / %2 字节"},
    {3, "以下宏超出鼠标存储容量，已被截短："},
    {4, "%1：保留 %2 / %3 个按键事件"},
    {5, "关闭"},
    {6, "最小化"},
    {7, "帮助"},
    {8, "DPI 第 %1 段"},
    {9, "DPI 第 %1 段颜色"},
    {10, "%1灵敏度"},
};

} // namespace

std::span<const LanguageTextEntry> SimplifiedChineseTexts()
{
    return kTexts;
}

std::span<const LanguageTextEntry> SimplifiedChineseMessageTexts()
{
    return kMessageTexts;
}

} // namespace zentro
