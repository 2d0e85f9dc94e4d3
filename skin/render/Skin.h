#pragma once

#include "SkinKit.h"

#include <functional>

namespace zentro::skin {

void renderMainWindow(Output& out);
void renderMouse(Output& out);
void renderPages(Output& out);
void renderDialogs(Output& out);

// Pictures of the program's resources (icon sizes, scroll-bar cells), written to resourceDir.
bool renderResources(const QString& resourceDir);

// Contact sheet of every picture, grouped by folder.
QImage contactSheet(const std::vector<Picture>& pictures);

} // namespace zentro::skin
