#pragma once

// Reusable control faces: push buttons, toggles, glyphs and the logo marks.

#include "SkinKit.h"

namespace zentro::skin {

enum class State { Normal, Over, Pressed, Disabled };

// A raised push button filling rect (corners antialiased over whatever is below).
void drawPushButton(QPainter& p, const QRectF& rect, State s, double radius = 4);

// A segmented view switch face; Pressed is the chosen view.
void drawSegment(QPainter& p, const QRectF& rect, State s);

// Caption-bar glyph buttons (15 x 15): kind 'x' close, '_' minimise, '?' help.
void drawCaptionButton(QPainter& p, const QRectF& rect, char kind, bool over);

// A small square switch (on = lit red with a tick, off = dark and hollow).
void drawSwitch(QPainter& p, const QRectF& rect, bool on);

// A round option mark (radio style).
void drawRadio(QPainter& p, const QRectF& rect, bool on);

// The brand emblem: a shield with a lightning Z, fitted into rect.
void drawEmblem(QPainter& p, const QRectF& rect);

// The brand word mark, geometric strokes (a logo drawing, not font text).
void drawWordmark(QPainter& p, const QRectF& rect, const QColor& colour);

// Recessed field (for edits, lists and value boxes).
void drawInset(QPainter& p, const QRectF& rect, double radius = 2);

// Panel card with frame and a faint top sheen.
void drawCard(QPainter& p, const QRectF& rect, double radius = 6, QColor fill = pal::Panel);

// A thin red accent line that fades out at both ends.
void drawAccentLine(QPainter& p, double x0, double x1, double y, int alpha = 255);

} // namespace zentro::skin
