#pragma once

#include <cstdint>
#include <span>

// The compiled-in text sets of the four languages, used only by LoadLanguageTexts. Each set lists
// the entries it fills, in ascending entry order; entries a set does not list stay empty.

namespace zentro {

struct LanguageTextEntry {
    uint16_t index;
    const char* text; // UTF-8
};

std::span<const LanguageTextEntry> EnglishTexts();
std::span<const LanguageTextEntry> GermanTexts();
std::span<const LanguageTextEntry> SimplifiedChineseTexts();
std::span<const LanguageTextEntry> TraditionalChineseTexts();

// The program's own messages (ProgramTextId), a small table of their own beside the numbered
// entries above.
std::span<const LanguageTextEntry> EnglishMessageTexts();
std::span<const LanguageTextEntry> GermanMessageTexts();
std::span<const LanguageTextEntry> SimplifiedChineseMessageTexts();
std::span<const LanguageTextEntry> TraditionalChineseMessageTexts();

} // namespace zentro
