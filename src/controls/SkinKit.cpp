#include "controls/SkinKit.h"

#include <QFontMetrics>
#include <QPainter>

#include <map>
#include <memory>
#include <tuple>

#include "controls/SkinImage.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"

namespace zentro {

namespace {

using FontKey = std::tuple<QString, int, int, int>;

std::map<FontKey, std::unique_ptr<QFont>>& FontCache()
{
    static std::map<FontKey, std::unique_ptr<QFont>> cache;
    return cache;
}

int g_nFontsCreated = 0;

} // namespace

bool DrawSkin(QPainter& painter, const QString& relative, int x, int y)
{
    return DrawSkinPng(painter, ResolveSkinPath(relative), x, y) != 0;
}

void DrawSkinText(QPainter& painter, const QRect& rect, int flags, const QString& text)
{
    painter.drawText(rect, flags | Qt::TextSingleLine, text);
}

QImage SkinBitmap(const QString& relative)
{
    return LoadSkinBitmap(ResolveSkinPath(relative));
}

QImage CropBitmap(const QImage& picture, const QRect& source)
{
    return picture.isNull() ? QImage() : MakePlainBitmap(CopySkinPart(picture, source));
}

const QFont& SkinFont(const QString& face, int cellHeight, int weight, QFont::StyleHint fallback)
{
    const int height = cellHeight > 0 ? cellHeight : 1;
    auto& slot = FontCache()[FontKey(face, height, weight, static_cast<int>(fallback))];
    if (!slot) {
        ++g_nFontsCreated;
        auto font = std::make_unique<QFont>();
        if (!face.isEmpty())
            font->setFamily(face);
        font->setStyleHint(fallback, QFont::PreferAntialias);
        font->setWeight(static_cast<QFont::Weight>(weight));
        // A Windows height is the cell height: shrink the pixel (em) size until a line fits.
        int pixels = height;
        font->setPixelSize(pixels);
        while (pixels > 1 && QFontMetrics(*font).height() > height)
            font->setPixelSize(--pixels);
        slot = std::move(font);
    }
    return *slot;
}

const QFont& UiFont(int cellHeight, int weight)
{
    // The face changes only with the language: converted once per change, not per call.
    static std::string face;
    static QString qtFace;
    if (UiFaceName() != face) {
        face = UiFaceName();
        qtFace = QString::fromStdString(face);
    }
    return SkinFont(qtFace, cellHeight, weight);
}

int SkinFontsCreated()
{
    return g_nFontsCreated;
}

QString UiText(int id)
{
    if (id < 0 || static_cast<size_t>(id) >= g_strUiText.size())
        return QString();
    return QString::fromStdString(g_strUiText[static_cast<size_t>(id)]);
}

QString FormatDpiLabel(unsigned index)
{
    const unsigned value = DpiIndexToValue(index);
    return value == 0 ? QString() : QString::number(value);
}

std::array<uint8_t, 3> g_crSkinText{0, 255, 0};

QColor SkinTextColor()
{
    return QColor(g_crSkinText[0], g_crSkinText[1], g_crSkinText[2]);
}

void ResetSkinKitForTest()
{
    FontCache().clear();
    g_crSkinText = {0, 255, 0};
}

} // namespace zentro
