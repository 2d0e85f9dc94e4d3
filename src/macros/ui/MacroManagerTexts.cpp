#include "macros/ui/MacroManagerTexts.h"

namespace zentro {

namespace {

struct RawTexts {
    const char* text[19];
};

// In the order of the members of MacroManagerTexts. The spellings are the product's own.
constexpr RawTexts kEnglish = {
    {"OK", "Cancel", "Macro Manager", "Select Macro", "Keystroke Sequence", "Options",
     "Record delay between keystrokes", "Number of Loops", "New", "Delete", "Macro",
     "Start Recording", "Stop Recording", "Insert Left Button", "Insert Middle Button",
     "Inset Right Button", "Inset Delay", "ATTENTION!", "Up to 12 Macros Possible."}};
constexpr RawTexts kGerman = {{"OK", "Abbrechen", "Makro-Manager", "Auswahl Makro", "Tastensequenz",
                               "Optionen", "Verzögerungen zwischen Tastenbefehlen aufzeichnen",
                               "Wiederholungen", "Neu", "Löschen", "Makro", "Aufzeichnung starten",
                               "Aufzeichnung beenden", "Linke Maustaste einfügen",
                               "Mittlere Maustaste einfügen", "Rechte Maustaste einfügen",
                               "Verzögerung einfügen", "ACHTUNG!", "Maximal 12 Makros möglich."}};
constexpr RawTexts kSimplifiedChinese = {
    {"确定", "取消", "宏管理器", "选择宏", "按鍵序列", "录制选项", "记录按键动作间的延迟",
     "循环次数", "新建", "刪除", "宏", "开始录制", "停止录制", "插入鼠标左键", "插入鼠标中键",
     "插入鼠标右键", "插入延时", "警告", "最多可以新建12个宏。"}};
constexpr RawTexts kTraditionalChinese = {
    {"確定", "取消", "巨集編輯器", "選擇巨集", "按鍵輸入順序", "選項", "按鍵指令間插入記錄延遲",
     "迴圈數", "新建", "刪除", "巨集", "開始記錄", "停止紀錄", "插入左鍵", "插入中鍵", "插入右鍵",
     "插入延遲", "注意！", "支援最多12 組巨集"}};

} // namespace

MacroManagerTexts LoadMacroManagerTexts(const std::string& languageCode)
{
    const RawTexts* raw = nullptr;
    if (languageCode == "EN")
        raw = &kEnglish;
    else if (languageCode == "DE")
        raw = &kGerman;
    else if (languageCode == "CHS")
        raw = &kSimplifiedChinese;
    else if (languageCode == "CHT")
        raw = &kTraditionalChinese;
    MacroManagerTexts t;
    if (raw == nullptr)
        return t;
    QString* fields[] = {&t.ok,
                         &t.cancel,
                         &t.title,
                         &t.nameHeading,
                         &t.itemHeading,
                         &t.optionsHeading,
                         &t.delayOption,
                         &t.loopOption,
                         &t.newCaption,
                         &t.deleteCaption,
                         &t.macroWord,
                         &t.startRecording,
                         &t.stopRecording,
                         &t.insertLeft,
                         &t.insertMiddle,
                         &t.insertRight,
                         &t.insertDelay,
                         &t.warningCaption,
                         &t.limitMessage};
    static_assert(sizeof(fields) / sizeof(fields[0]) == sizeof(RawTexts::text) / sizeof(char*));
    for (size_t i = 0; i < sizeof(fields) / sizeof(fields[0]); ++i)
        *fields[i] = QString::fromUtf8(raw->text[i]);
    return t;
}

} // namespace zentro
