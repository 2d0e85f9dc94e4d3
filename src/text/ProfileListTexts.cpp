#include "text/ProfileListTexts.h"

namespace zentro {

namespace {

const ProfileListTexts kEnglish{
    "Configuration", "Profile", "New",  "Delete",     "Edit",
    "Copy",          "Load",    "Save", "ATTENTION!", "Up to 6 Profiles Possible."};
const ProfileListTexts kGerman{
    "Game Profil", "Profil", "Neu",       "Löschen",  "Bearbeiten",
    "Kopieren",    "Laden",  "Speichern", "ACHTUNG!", "Maximal 6 Profile möglich."};
const ProfileListTexts kSimplifiedChinese{
    "配置", "Profile", "新建", "删除", "编辑",
    "复制", "加载",    "保存", "警告", "最多可以存储6个配置。"};
const ProfileListTexts kTraditionalChinese{
    "配置", "設定檔", "新建", "刪除",  "編輯",
    "複製", "載入",   "儲存", "注意!", "支援最多六組設定檔。"};

} // namespace

const ProfileListTexts& ProfileListTextsFor(const std::string& code)
{
    if (code == "DE")
        return kGerman;
    if (code == "CHS")
        return kSimplifiedChinese;
    if (code == "CHT")
        return kTraditionalChinese;
    return kEnglish;
}

const char* ProfileListFontFace(const std::string& code)
{
    // The bold-looking face for traditional Chinese, the classic serif one for simplified
    // Chinese (the newer desktops' choice of the bold face for it does not apply here).
    if (code == "CHT")
        return "黑体";
    if (code == "CHS")
        return "宋体";
    return "Arial";
}

} // namespace zentro
