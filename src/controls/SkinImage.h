#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>

class QPainter;

// Skin pictures: every picture of the user interface is a PNG file in the Skins folder beside
// the executable, named in the program by a path relative to g_szExeDir (zentro::GetExeDir()).
//
// Path forms. The program writes these paths in several spellings: "Skins\a\b.png",
// "\skins\a.png", "skins/a/b.png", "/Skins/a.png", "\skins/a/b.png", "Skins\" + "/a/%d.png".
// ResolveSkinPath treats "\" and "/" alike, collapses doubled separators and matches every
// folder and file name without regard to case against the real directory entries, so all of
// them find the same file on a case-sensitive file system. A path that already begins with
// g_szExeDir is taken as exe directory + the rest. Directory listings are cached and re-read
// when the directory's modification time changes.
//
// High-density companions. Beside "a/b.png" the skin holds "a/b@2x.png" and "a/b@3x.png", the
// same picture drawn at twice and three times its size (Qt's naming rule). Positions and sizes
// stay those of the 1x picture (logical pixels); on a screen with a device pixel ratio r > 1
// the picture is drawn from the companion of the smallest scale >= r (else the largest there
// is), scaled smoothly to round(size * r) when that is not its size (r = 1.5 takes the 2x
// picture scaled down). A companion whose
// size is not exactly its scale times the 1x picture's is stale and ignored; without a usable
// companion the 1x picture is drawn, as on a 1x screen.
//
// Every picture handed out by LoadSkinImage, MakePlainBitmap and CropBitmap (SkinKit.h)
// remembers the skin file and the part of it it holds (QImage text entries), so
// DrawSkinPicture can draw the same part from the companion made for the painter's ratio.
//
// Decoding. Files are decoded once and reused until the file's modification time, size or
// inode changes; every call still checks the file, so a changed skin shows on the next paint.
// Use these routines from the UI thread.

namespace zentro {

// g_szExeDir + relative, resolved as described above. When some component does not exist the
// rest is appended as given (normalised), so opening the result simply fails.
QString ResolveSkinPath(const QString& relative);

// Decodes the picture into a 32-bit image with straight (not premultiplied) alpha,
// QImage::Format_ARGB32. A missing or unreadable file gives a null image (0 x 0).
QImage LoadSkinImage(const QString& path);

// The picture made for device pixel ratio `ratio` (see above): Format_ARGB32 with straight
// alpha, its device pixel ratio set to `ratio`, so it draws at the 1x picture's logical size.
// A ratio <= 1, or no usable companion, gives the 1x picture (ratio 1).
QImage LoadSkinImageAt(const QString& path, qreal ratio);
// The picture to draw with DrawSkinPicture on a screen of device pixel ratio `ratio`: above 1,
// with a usable companion, the picture made for that ratio (its device pixel ratio set, so
// deviceIndependentSize() is the 1x picture's size; the 1x pixels are not decoded at all);
// otherwise the 1x picture. Premultiplied alpha, or an opaque bitmap when `plain` (see
// MakePlainBitmap). Drawn on a painter of another ratio above 1 (the window moved to another
// screen) it is drawn from the picture made for that ratio; at ratio 1, scaled down smoothly.
QImage LoadSkinPicture(const QString& path, qreal ratio, bool plain = false);
// Starts decoding the high-density companions of `paths` for `ratio` on a worker thread, so a
// window's first paint finds its largest pictures decoded while it was being built. Whoever
// needs one of them meanwhile waits for the worker instead of decoding it again. Nothing at a
// ratio <= 1 or for pictures already made for `ratio`.
void PrefetchSkinPictures(const QStringList& paths, qreal ratio);
// The device pixel ratio pictures are made for when drawn by `painter`.
qreal PainterPixelRatio(const QPainter& painter);

// Draws the picture at its own (logical) size with its top-left corner at (x, y), from the
// picture made for the painter's pixel ratio. The colour channels
// of each pixel are first multiplied by its alpha and divided by 255 (integer division, the
// remainder dropped); the result is blended as premultiplied pixels, source over. Returns 1
// when drawn, 0 (drawing nothing) when the file cannot be loaded.
int DrawSkinPng(QPainter& painter, const QString& path, int x, int y);

// Draws a loaded image scaled into target. An image with an alpha channel is blended with its
// per-pixel alpha; one without is copied. Scaling picks the nearest source pixel. A skin
// picture is drawn from the one made for the painter's pixel ratio.
void DrawSkinImageStretched(QPainter& painter, const QImage& image, const QRect& target);

// painter.drawImage(at, picture, source) with `source` in the picture's logical pixels; a
// picture that came from the skin (LoadSkinImage, MakePlainBitmap, CropBitmap) is drawn from
// the one made for the painter's pixel ratio, opaque bitmaps as opaque bitmaps.
void DrawSkinPicture(QPainter& painter, const QPoint& at, const QImage& picture,
                     const QRect& source);
void DrawSkinPicture(QPainter& painter, const QPoint& at, const QImage& picture);
// painter.drawImage(target, picture, source): the part stretched into target.
void DrawSkinPicture(QPainter& painter, const QRect& target, const QImage& picture,
                     const QRect& source);

// A picture built into the program (Qt resource path), tagged so that DrawSkinPicture draws
// it from its built-in "@2x"/"@3x" companions at higher ratios. Null when missing.
QImage LoadResourcePicture(const QString& resourcePath);

// The image's pixels as an opaque bitmap (QImage::Format_RGB32): the stored red, green and
// blue of every pixel are kept exactly and the alpha is dropped, so the bitmap always draws as
// a plain copy. A null image gives a null bitmap. Device pixel ratio and skin origin are kept.
QImage MakePlainBitmap(const QImage& image);
// LoadSkinImage + MakePlainBitmap: what buttons and marker sliders are given.
QImage LoadSkinBitmap(const QString& path);

// Width and height of the picture read from its header without decoding the pixels; 0 x 0
// when the file cannot be read.
QSize GetSkinPictureSize(const QString& path);

// The part `source` (logical pixels) of a picture, with its device pixel ratio and skin origin
// kept; pixels outside the picture are transparent black.
QImage CopySkinPart(const QImage& picture, const QRect& source);

// Drops every cached picture and directory listing.
void ClearSkinImageCache();
// Number of files decoded since start (the cache's misses); for tests and benchmarks.
uint64_t SkinImageDecodeCount();

} // namespace zentro
