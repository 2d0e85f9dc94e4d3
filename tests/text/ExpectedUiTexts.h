#pragma once

// Expected user-interface texts, one row per entry that the program reads, in the order
// English, German, simplified Chinese, traditional Chinese. "" means the language has no text.

namespace zentro::test {

struct ExpectedUiText {
    int entry;
    const char* en;
    const char* de;
    const char* chs;
    const char* cht;
};

inline constexpr ExpectedUiText kExpectedUiTexts[] = {
    {0, "Setting-EN", "Setting-DE", "Setting-CHS", "Setting-CHT"},
    {6, "ZENTRO gaming mouse", "ZENTRO gaming mouse", "ZENTRO gaming mouse", "ZENTRO gaming mouse"},
    {9, "Reset", "Zurücksetzen", "恢复", "重置"},
    {10, "Cancel", "Abbrechen", "取消", "取消"},
    {11, "Apply", "Anwenden", "保存", "套用"},
    {12, "Config", "Spiel-Profile", "配置", "遊戲設定檔"},
    {13, "Top View", "Top view", "正面", "正面圖"},
    {14, "Side View", "Side View", "侧面", "側面圖"},
    {15, "Back", "Back", "背面", "背面"},
    {16, "Button Assignment", "Tastenbelegung", "按钮分配", "按鍵指派"},
    {17, "Macro Manager", "Makro-Manager", "宏管理器", "巨集編輯器"},
    {18, "Axis Sensitivity", "Achsen-Empfindlichkeit", "X/Y轴设置", "xy 軸靈敏度"},
    {19, "DPI Setting", "DPI-Einstellung", "DPI 设置", "DPI 設定"},
    {20, "Lighting", "Lighting", "照明", "發光功能"},
    {21, "Polling Rate", "Polling-Rate", "USB输出报告率", "採樣頻率"},
    {22, "Mouse Speed", "Mausgeschwindigkeit", "鼠标速度", "滑鼠速度"},
    {23, "Double-Click Speed", "Doppelklick-Geschwindigkeit", "双击速度", "雙擊速度"},
    {24, "Scroll Speed", "Scroll-Geschwindigkeit", "鼠标滚轮速度", "滾輪速度"},
    {25, "Angle Snapping", "Angle Snapping", "角度捕捉", "直線修正"},
    {26, "x-Axis", "x-Achse", "X轴", "x 軸"},
    {27, "y-Axis", "y-Achse", "Y轴", "y 軸"},
    {28, "Button 1", "Taste 1", "按钮 1", "按鍵 1"},
    {29, "Button 2", "Taste 2", "按钮 2", "按鍵 2"},
    {30, "Button 3", "Taste 3", "按钮 3", "按鍵 3"},
    {31, "Button 4", "Taste 4", "按钮 4", "按鍵 4"},
    {32, "Button 5", "Taste 5", "按钮 5", "按鍵 5"},
    {33, "Button 6", "Taste 6", "按钮 6", "按鍵 6"},
    {34, "Button 7", "Taste 7", "按钮 7", "按鍵 7"},
    {35, "Button 8", "Taste 8", "按钮 8", "按鍵 8"},
    {36, "Button 9", "Taste 9", "按钮 9", "按鍵 9"},
    {37, "Button 10", "Taste 10", "按钮 10", "按鍵 10"},
    {38, "Button 11", "Taste 11", "按钮 11", "按鍵 11"},
    {39, "Button 12", "Taste 12", "按钮 12", "按鍵 12"},
    {40, "DPI +", "DPI +", "DPI +", "DPI +"},
    {41, "DPI -", "DPI -", "DPI -", "DPI -"},
    {42, "DPI Loop", "DPI Schleife", "DPI loop", "DPI 循環檔"},
    {43, "Slow", "Langsam", "慢", "慢"},
    {44, "Fast", "Schnell", "快", "快"},
    {45, "Number of Rows", "Folgende Anzahl Zeilen", "一次滚动行数", "行數"},
    {46, "Scroll One screenn", "Eine Bildschirmseite", "一次滚动一个屏幕", "一次捲動一個螢幕"},
    {491, "Standard", "Standard", "标准模式", "亮度"},
    {492, "Respiration", "Respiration", "呼吸模式", "呼吸燈"},
    {493, "Neon", "Neon", "霓虹模式", "全區變色"},
    {498, "Click", "Klick", "左键", "點擊"},
    {499, "Menu", "Menü", "右键", "選項"},
    {500, "Scroll ", "Scrollen", "中键", "滾輪"},
    {501, "Forward", "Vorwärts", "前进方向键", "前進"},
    {502, "Back", "Zurück", "后退方向键", "後退"},
    {504, "DPI Setting +", "DPI-Einstellung +", "DPI切换 +", "DPI 設定"},
    {508, "Additional Commands +", "Zusätzliche-Funktionen +", "Windows +", "基本操作功能"},
    {509, "Multimedia Commands +", "Multimedia-Funktionen +", "多媒体 +", "多媒體指令"},
    {510, "Basic Commands +", "Grundlegende-Funktionen +", "快捷键 +", "文書處理功能"},
    {512, "Assign Keyboard Key", "Keyboard-Taste zuweisen +", "单键", "指派鍵盤按鍵"},
    {515, "Macro", "Makro", "宏", "巨集鍵"},
    {516, "Deactivated", "Deaktiviert", "按键关闭", "無作用"},
    {517, "Left Tilt Scroll", "Left Tilt Scroll", "左摇摆滚轮", "滾輪向左"},
    {518, "Right Tilt Scroll", "Right Tilt Scroll", "右摇摆滚轮", "滾輪向右"},
    {519, "Double-Click", "Doppelklick", "双击", "雙擊"},
    {523, "At least one button must be set as the \"click\" function.",
     "Mindestens eine Taste muss mit der „Klick“-Funktion belegt sein.", "左键功能必须选择！",
     "至少要有一個按鍵必須設定\"點擊\"功能"},
    {534, "Switch DPI into the first stage ", "Switch DPI into the first stage ",
     "DPI切换到第一段 ", "DPI切換到第一段 "},
    {535, "Switch DPI into the second stage ", "Switch DPI into the second stage ",
     "DPI切换到第二段 ", "DPI切換到第二段 "},
    {536, "Switch DPI into the third stage ", "Switch DPI into the third stage ",
     "DPI切换到第三段 ", "DPI切換到第三段 "},
    {537, "Switch DPI into the fourth stage ", "Switch DPI into the fourth stage ",
     "DPI切换到第四段 ", "DPI切換到第四段 "},
    {538, "Switch DPI into the fifth stage ", "Switch DPI into the fifth stage ",
     "DPI切换到第五段 ", "DPI切換到第五段 "},
    {539, "Switch DPI into the sixth stage ", "Switch DPI into the sixth stage ",
     "DPI切换到第六段 ", "DPI切換到第六段 "},
    {540, "Switch DPI into the seven stage ", "Switch DPI into the seven stage ",
     "DPI切换到第七段 ", "DPI切換到第七段 "},
    {545, "Switch to macro key", "Switch to macro key", "切换到宏", "切換到巨集"},
    {546, "Exit", "Exit", "退出", "退出"},
    {547, "The system did not detect ZENTRO gaming mouse!",
     "The system did not detect ZENTRO gaming mouse!",
     "系统没有检测到游戏鼠标ZENTRO gaming mouse！", "系統沒有檢測到遊戲滑鼠ZENTRO gaming mouse！"},
    {548, "The system detect ZENTRO gaming mouse.", "The system detect ZENTRO gaming mouse.",
     "系统检测到游戏鼠标ZENTRO gaming mouse。", "系統檢測到遊戲滑鼠ZENTRO gaming mouse。"},
    {577, "Reset to factory default?", "Auf Werkseinstellungen zurücksetzen?",
     "是否恢复到出厂默认值?", "恢復原廠預設值?"},
    {578, "ATTENTION!!", "ACHTUNG!!", "注意!", "注意!"},
    {588, "OFF", "", "关闭", "關閉"},
    {589, "ON", "", "开启", "開啟"},
};

// Rows: English, German, simplified Chinese, traditional Chinese.
inline constexpr const char* kExpectedMediaNames[4][8] = {
    {"Open Media Player", "Next Track", "Previous Track", "Stop", "Play/Pause", "Mute", "Volume Up",
     "Volume Down"},
    {"Mediaplayer öffnen", "Nächster Titel", "Vorheriger Titel", "Stopp", "Play/Pause", "Stumm",
     "Lautstärke +", "Lautstärke -"},
    {"多媒体播放器", "下一首", "上一首", "停止", "播放/暂停", "静音", "音量+", "音量-"},
    {"開啟媒體播放器", "下一首", "上一首", "停止", "播放/暫停", "靜音", "提高音量", "降低音量"},
};

// Rows: English, German, simplified Chinese, traditional Chinese.
inline constexpr const char* kExpectedBasicNames[4][10] = {
    {"New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo", "Select All"},
    {"Neu", "Ausschneiden", "Kopieren", "Einfügen", "Speichern", "Drucken", "Suchen",
     "Wiederherstellen", "Rückgängig machen", "Alles auswählen"},
    {"新建", "剪切", "复制", "粘贴", "保存", "打印", "查找", "重复", "撤销", "全选"},
    {"新建", "剪下", "複製", "貼上", "儲存", "列印", "尋找", "重做", "復原", "選擇全部"},
};

// Rows: English, German, simplified Chinese, traditional Chinese.
inline constexpr const char* kExpectedCommandNames[4][7] = {
    {"My computer", "Web Home", "Search Computer", "Maximize", "Minimize", "Show desktop", "Run"},
    {"Arbeitsplatz", "Web: Startseite", "Computer durchsuchen", "Maximieren", "Minimieren",
     "Desktop anzeigen", "Ausführen"},
    {"我的电脑", "浏览器-主页", "搜索", "最大化", "最小化", "显示桌面", "运行"},
    {"我的電腦", "首頁", "搜尋程式及檔案", "最大化", "最小化", "顯示桌面", "運行"},
};

} // namespace zentro::test
