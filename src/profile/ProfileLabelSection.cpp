#include "profile/ProfileFiles.h"

#include "text/LanguageTexts.h"

// The profile file operations in the label section of the loaded UI language: entry 0 of the
// text table names it ("Setting-EN", "Setting-DE", ...).

namespace zentro {

std::string LabelSectionName()
{
    return g_strUiText[0];
}

void ReadProfileTexts()
{
    ReadProfileTexts(LabelSectionName());
}

void ReadProfileTextsFrom(const std::string& file)
{
    ReadProfileTextsFrom(file, LabelSectionName());
}

void SaveButtonLabels()
{
    SaveButtonLabels(LabelSectionName());
}

void SaveButtonLabelsTo(const std::string& file)
{
    SaveButtonLabelsTo(file, LabelSectionName());
}

} // namespace zentro
