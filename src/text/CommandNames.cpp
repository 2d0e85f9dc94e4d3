#include "text/CommandNames.h"

namespace zentro {

// Rows: English, German, simplified Chinese, traditional Chinese.
const std::array<MediaNameTable, LANGUAGE_COUNT> g_strMediaNames = {{
    {{"Open Media Player", "Next Track", "Previous Track", "Stop", "Play/Pause", "Mute",
      "Volume Up", "Volume Down"}},
    {{"Mediaplayer öffnen", "Nächster Titel", "Vorheriger Titel", "Stopp", "Play/Pause", "Stumm",
      "Lautstärke +", "Lautstärke -"}},
    {{"多媒体播放器", "下一首", "上一首", "停止", "播放/暂停", "静音", "音量+", "音量-"}},
    {{"開啟媒體播放器", "下一首", "上一首", "停止", "播放/暫停", "靜音", "提高音量", "降低音量"}},
}};

const std::array<BasicNameTable, LANGUAGE_COUNT> g_strBasicNames = {{
    {{"New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo", "Select All"}},
    {{"Neu", "Ausschneiden", "Kopieren", "Einfügen", "Speichern", "Drucken", "Suchen",
      "Wiederherstellen", "Rückgängig machen", "Alles auswählen"}},
    {{"新建", "剪切", "复制", "粘贴", "保存", "打印", "查找", "重复", "撤销", "全选"}},
    {{"新建", "剪下", "複製", "貼上", "儲存", "列印", "尋找", "重做", "復原", "選擇全部"}},
}};

const std::array<CommandNameTable, LANGUAGE_COUNT> g_strCommandNames = {{
    {{"My computer", "Web Home", "Search Computer", "Maximize", "Minimize", "Show desktop", "Run"}},
    {{"Arbeitsplatz", "Web: Startseite", "Computer durchsuchen", "Maximieren", "Minimieren",
      "Desktop anzeigen", "Ausführen"}},
    {{"我的电脑", "浏览器-主页", "搜索", "最大化", "最小化", "显示桌面", "运行"}},
    {{"我的電腦", "首頁", "搜尋程式及檔案", "最大化", "最小化", "顯示桌面", "運行"}},
}};
CommandNameLanguage CommandNameLanguageFor(const std::string& code)
{
    if (code == "CHS") {
        return LANGUAGE_CHS;
    }
    if (code == "CHT") {
        return LANGUAGE_CHT;
    }
    if (code == "DE") {
        return LANGUAGE_DE;
    }
    return LANGUAGE_EN;
}

const MediaNameTable& MediaNamesFor(const std::string& code)
{
    return g_strMediaNames[CommandNameLanguageFor(code)];
}

const BasicNameTable& BasicNamesFor(const std::string& code)
{
    return g_strBasicNames[CommandNameLanguageFor(code)];
}

const CommandNameTable& CommandNamesFor(const std::string& code)
{
    return g_strCommandNames[CommandNameLanguageFor(code)];
}

} // namespace zentro
