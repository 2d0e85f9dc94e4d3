#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>

#include "text/UiTextIds.h"

class QPainter;

// The skin kit: what every window of the program draws with. Pictures are named by paths
// relative to the program folder in any of the spellings ResolveSkinPath accepts.

namespace zentro {

// Draws the skin picture at its own size with its top-left corner at (x, y), blended by its
// per-pixel alpha. Returns false (drawing nothing) when it cannot be loaded.
bool DrawSkin(QPainter& painter, const QString& relative, int x, int y);

// One line of text in `rect` with the painter's font and pen; `flags` are Qt alignment flags.
void DrawSkinText(QPainter& painter, const QRect& rect, int flags, const QString& text);

// The skin picture as an opaque bitmap (alpha dropped), what buttons and sliders are given.
QImage SkinBitmap(const QString& relative);
// The part `source` of a picture as an opaque bitmap (alpha dropped, colour kept); pixels
// outside the picture are black. A null picture gives a null bitmap. A part of a skin picture
// still draws from the skin's high-density companions (DrawSkinPicture).
QImage CropBitmap(const QImage& picture, const QRect& source);

// The program's fonts. `cellHeight` is a Windows font height: the character cell height
// (ascent + descent), not the em size; the largest pixel size whose line height fits is
// taken. Created once per face, height and weight and kept for the life of the program.
const QFont& SkinFont(const QString& face, int cellHeight, int weight = QFont::Normal,
                      QFont::StyleHint fallback = QFont::SansSerif);
// The face of the current language ("Arial", or "黑体" for Chinese) at `cellHeight`.
const QFont& UiFont(int cellHeight, int weight = QFont::Normal);
// How many fonts SkinFont has created (for tests and benchmarks).
int SkinFontsCreated();

// The text of entry `id` of the current language's table; empty for an unknown entry.
QString UiText(int id);
// "100" ... "5000" for DPI indices 0-49, "5200" ... "6000" for 50-54, empty above.
QString FormatDpiLabel(unsigned index);

// The skin text colour: the current profile's colour, taken at start (red, green, blue).
extern std::array<uint8_t, 3> g_crSkinText;
QColor SkinTextColor();

// Tests: drop the cached fonts; the skin text colour back to green.
void ResetSkinKitForTest();

} // namespace zentro
