#include "macros/MacroItem.h"

#include "macros/MacroFile.h"

namespace zentro {

std::string RemoveAll(const std::string& text, const std::string& what)
{
    if (what.empty()) {
        return text;
    }
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, from)) {
        result.append(text, from, at - from);
        from = at + what.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

bool IsDelayItem(const std::string& text)
{
    return text.find(MACRO_PRESS_SUFFIX) == std::string::npos &&
           text.find(MACRO_RELEASE_SUFFIX) == std::string::npos &&
           text.find(MACRO_DELAY_MARK) != std::string::npos;
}

MacroItem ParseMacroItem(const std::string& text)
{
    MacroItem item;
    if (text.find(MACRO_PRESS_SUFFIX) != std::string::npos) {
        item.kind = MacroItemKind::Press;
        item.keyName = RemoveAll(text, MACRO_PRESS_SUFFIX);
    } else if (text.find(MACRO_RELEASE_SUFFIX) != std::string::npos) {
        item.kind = MacroItemKind::Release;
        item.keyName = RemoveAll(text, MACRO_RELEASE_SUFFIX);
    } else if (text.find(MACRO_DELAY_MARK) != std::string::npos) {
        item.kind = MacroItemKind::Delay;
        item.delayMs = ReadProfileInt(RemoveAll(text, MACRO_DELAY_SUFFIX));
    }
    return item;
}

std::string MakeKeyItem(const std::string& keyName, bool release)
{
    return keyName + (release ? MACRO_RELEASE_SUFFIX : MACRO_PRESS_SUFFIX);
}

std::string MakeDelayItem(long ms)
{
    return std::to_string(ms) + MACRO_DELAY_SUFFIX;
}

} // namespace zentro
