#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
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

// Draws the picture at its own size with its top-left corner at (x, y). The colour channels
// of each pixel are first multiplied by its alpha and divided by 255 (integer division, the
// remainder dropped); the result is blended as premultiplied pixels, source over. Returns 1
// when drawn, 0 (drawing nothing) when the file cannot be loaded.
int DrawSkinPng(QPainter& painter, const QString& path, int x, int y);

// Draws a loaded image scaled into target. An image with an alpha channel is blended with its
// per-pixel alpha; one without is copied. Scaling picks the nearest source pixel.
void DrawSkinImageStretched(QPainter& painter, const QImage& image, const QRect& target);

// The image's pixels as an opaque bitmap (QImage::Format_RGB32): the stored red, green and
// blue of every pixel are kept exactly and the alpha is dropped, so the bitmap always draws as
// a plain copy. A null image gives a null bitmap.
QImage MakePlainBitmap(const QImage& image);
// LoadSkinImage + MakePlainBitmap: what buttons and marker sliders are given.
QImage LoadSkinBitmap(const QString& path);

// Width and height of the picture read from its header without decoding the pixels; 0 x 0
// when the file cannot be read.
QSize GetSkinPictureSize(const QString& path);

// Drops every cached picture and directory listing.
void ClearSkinImageCache();
// Number of files decoded since start (the cache's misses); for tests and benchmarks.
uint64_t SkinImageDecodeCount();

} // namespace zentro
