#include "controls/SkinImage.h"

#include "platform/ExeDir.h"
#include "platform/FileStatus.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace zentro {

namespace {

// What identifies one version of a file or directory on disk.
struct FileStamp {
    int64_t mtimeNs = 0;
    int64_t size = 0;
    uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

// False when nothing can be found at `path` (missing, or not to be looked at).
bool StatPath(const QString& path, FileStamp& stamp, bool& isDir)
{
    const FileStatus status = StatusOf(QFile::encodeName(path).toStdString());
    if (!status.Exists()) {
        return false;
    }
    stamp.mtimeNs = status.modifiedNs;
    stamp.size = status.size;
    stamp.inode = status.inode;
    isDir = status.kind == FileKind::Directory;
    return true;
}

struct DirListing {
    FileStamp stamp;
    QStringList entries; // sorted, so a case-insensitive match is stable
};

// Text entries of a picture handed out: the skin file it came from and where its top-left
// pixel lies in that file (logical pixels, "x,y"; absent means 0,0).
const QString kSkinPathKey = QStringLiteral("ZentroSkinPath");
const QString kSkinOriginKey = QStringLiteral("ZentroSkinOrigin");

// A picture made for one device pixel ratio from a high-density companion. It is kept in the
// one form it is drawn in: straight alpha as decoded, turned in place into premultiplied
// alpha (Qt's rounding; a picture made for a ratio has no 1x pixels to match) when first
// blended, or an opaque bitmap when first copied. The rare second form is made from the first.
struct ScaledPicture {
    QString source;  // the companion it was made from
    FileStamp stamp; // that companion's stamp when it was made
    QImage picture;  // device pixel ratio set; null when the companion was found unusable
    QImage plain;    // the opaque bitmap, when the picture is also copied as one

    const QImage& Premultiplied()
    {
        picture.convertTo(QImage::Format_ARGB32_Premultiplied);
        return picture;
    }
    const QImage& Plain()
    {
        if (plain.isNull()) {
            plain = MakePlainBitmap(picture.convertToFormat(QImage::Format_ARGB32));
        }
        return plain;
    }
};

struct ImageEntry {
    FileStamp stamp;
    QSize size; // from the file's header; invalid when it cannot be read
    bool decoded = false;
    QImage straight;      // Format_ARGB32, decoded when first needed; null when it cannot be
    QImage premultiplied; // made on first DrawSkinPng
    std::map<int, ScaledPicture> scaled; // by device pixel ratio x 100
};

struct SkinCache {
    std::mutex lock;
    std::map<QString, DirListing> dirs;
    std::map<QString, ImageEntry> images;
    // pictures built into the program, made for a ratio: by path, ratio x 100, opaque
    std::map<std::tuple<QString, int, bool>, QImage> resources;
    uint64_t decodes = 0;
};

SkinCache& Cache()
{
    static SkinCache cache;
    return cache;
}

// Entry of dir named like name: the exact spelling when present, else the first that matches
// without regard to case. Empty when there is none or dir cannot be read.
QString MatchEntry(SkinCache& cache, const QString& dir, const QString& name)
{
    FileStamp stamp;
    bool isDir = false;
    if (!StatPath(dir, stamp, isDir) || !isDir) {
        cache.dirs.erase(dir);
        return {};
    }
    auto it = cache.dirs.find(dir);
    if (it == cache.dirs.end() || !(it->second.stamp == stamp)) {
        DirListing listing;
        listing.stamp = stamp;
        listing.entries = QDir(dir).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        it = cache.dirs.insert_or_assign(dir, std::move(listing)).first;
    }
    const QStringList& entries = it->second.entries;
    if (entries.contains(name, Qt::CaseSensitive)) {
        return name;
    }
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return {};
}

QString ResolveLocked(SkinCache& cache, const QString& path)
{
    // Skin paths are relative to the executable's directory; an installed program reads them
    // from its share folder instead (the skin root).
    const QString exeDir = QString::fromStdString(GetExeDir());
    const QString skinRoot = QString::fromStdString(GetSkinRoot());
    QString rest = path;
    if (!skinRoot.isEmpty() && rest.startsWith(skinRoot)) {
        rest = rest.mid(skinRoot.size());
    } else if (!exeDir.isEmpty() && rest.startsWith(exeDir)) {
        rest = rest.mid(exeDir.size());
    }
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));

    QString resolved = skinRoot;
    if (!resolved.endsWith(QLatin1Char('/'))) {
        resolved += QLatin1Char('/');
    }
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    bool found = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part == QLatin1String(".")) {
            continue;
        }
        QString name = part;
        if (found) {
            const QString match = MatchEntry(cache, resolved, part);
            if (match.isEmpty()) {
                found = false; // the rest cannot exist; keep it as written
            } else {
                name = match;
            }
        }
        resolved += name;
        if (i + 1 < parts.size()) {
            resolved += QLatin1Char('/');
        }
    }
    return resolved;
}

// The cached entry of the resolved file (its header read again when new or changed); nullptr
// when the file is missing. The pixels are decoded by PixelsLocked when first needed: drawn
// from a high-density companion, the 1x picture only gives its size.
ImageEntry* LookupResolvedLocked(SkinCache& cache, const QString& resolved)
{
    FileStamp stamp;
    bool isDir = false;
    if (!StatPath(resolved, stamp, isDir) || isDir) {
        cache.images.erase(resolved);
        return nullptr;
    }
    auto it = cache.images.find(resolved);
    if (it != cache.images.end() && it->second.stamp == stamp) {
        return &it->second;
    }
    ImageEntry entry;
    entry.stamp = stamp;
    entry.size = QImageReader(resolved).size();
    return &cache.images.insert_or_assign(resolved, std::move(entry)).first->second;
}

// The 1x pixels of `entry` (the entry of file `resolved`), decoded on first use.
const QImage& PixelsLocked(SkinCache& cache, ImageEntry& entry, const QString& resolved)
{
    if (!entry.decoded) {
        entry.decoded = true;
        QImageReader reader(resolved);
        reader.setAutoTransform(false);
        QImage decoded = reader.read();
        ++cache.decodes;
        if (!decoded.isNull()) {
            // moved, not shared: setting the ratio and text then copies no pixels
            entry.straight = std::move(decoded);
            entry.straight.convertTo(QImage::Format_ARGB32);
            entry.straight.setDevicePixelRatio(1);
            entry.straight.setText(kSkinPathKey, resolved);
            entry.size = entry.straight.size();
        } else {
            entry.size = QSize(); // the header promised more than the file holds
        }
    }
    return entry.straight;
}

// The cached entry of the picture named by `path` in any spelling; `resolved` receives the
// file's path.
ImageEntry* LookupLocked(SkinCache& cache, const QString& path, QString* resolved = nullptr)
{
    QString file = ResolveLocked(cache, path);
    ImageEntry* entry = LookupResolvedLocked(cache, file);
    if (resolved != nullptr) {
        *resolved = std::move(file);
    }
    return entry;
}

// Colour channels multiplied by alpha and divided by 255 with the remainder dropped; the
// bytes are then read as premultiplied pixels.
QImage PremultiplyTruncating(const QImage& straight)
{
    QImage out(straight.size(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(straight.devicePixelRatio());
    const int width = straight.width();
    for (int y = 0; y < straight.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb p = src[x];
            const uint32_t a = qAlpha(p);
            if (a == 255) {
                dst[x] = p;
            } else if (a == 0) {
                dst[x] = 0;
            } else {
                dst[x] = qRgba(qRed(p) * a / 255, qGreen(p) * a / 255, qBlue(p) * a / 255, a);
            }
        }
    }
    return out;
}

// The picture of `base` (the entry of file `resolved`) made for `ratio` from the best
// companion; nullptr when the 1x picture is to be drawn.
ScaledPicture* FindScaledLocked(SkinCache& cache, ImageEntry* base, const QString& resolved,
                                qreal ratio)
{
    if (base == nullptr || !base->size.isValid() || ratio <= 1.0) {
        return nullptr;
    }
    const qsizetype slash = resolved.lastIndexOf(QLatin1Char('/'));
    const QString dir = resolved.left(slash + 1);
    const QString file = resolved.mid(slash + 1);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? file : file.left(dot);
    const QString ext = dot < 0 ? QString() : file.mid(dot);
    const QSize size = base->size;
    const int wanted = std::clamp(static_cast<int>(std::ceil(ratio - 1e-6)), 2, 3);
    const int order[2] = {wanted, wanted == 2 ? 3 : 2};
    for (const int scale : order) {
        const QString match =
            MatchEntry(cache, dir, stem + QStringLiteral("@%1x").arg(scale) + ext);
        if (match.isEmpty()) {
            continue;
        }
        const QString companionPath = dir + match;
        FileStamp stamp;
        bool isDir = false;
        if (!StatPath(companionPath, stamp, isDir) || isDir) {
            continue;
        }
        ScaledPicture& made = base->scaled[qRound(ratio * 100)];
        if (made.source == companionPath && made.stamp == stamp) {
            if (made.picture.isNull()) {
                continue; // this version was found unusable before
            }
            return &made;
        }
        // Decoded here, not through the cache of files: the picture is owned by this entry
        // alone, so setting its ratio copies nothing.
        made = ScaledPicture{companionPath, stamp, {}, {}};
        QImageReader reader(companionPath);
        reader.setAutoTransform(false);
        if (reader.size() != size * scale) {
            continue; // stale: drawn for another picture
        }
        QImage picture = reader.read();
        ++cache.decodes;
        if (picture.size() != size * scale) {
            continue; // unreadable
        }
        const QSize target(qRound(size.width() * ratio), qRound(size.height() * ratio));
        if (picture.size() != target) {
            picture = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        picture.convertTo(QImage::Format_ARGB32);
        picture.setDevicePixelRatio(ratio);
        picture.setText(kSkinPathKey, resolved);
        made.picture = std::move(picture);
        return &made;
    }
    return nullptr;
}

// A picture built into the program (a Qt resource, never changing) made for `ratio` from its
// "@2x"/"@3x" companion, as an opaque bitmap or premultiplied; null when there is none.
QImage ResourceAtLocked(SkinCache& cache, const QString& path, qreal ratio, bool plain)
{
    const auto key = std::make_tuple(path, qRound(ratio * 100), plain);
    const auto known = cache.resources.find(key);
    if (known != cache.resources.end()) {
        return known->second;
    }
    QImage& made = cache.resources[key];
    const QSize size = QImageReader(path).size();
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const int wanted = std::clamp(static_cast<int>(std::ceil(ratio - 1e-6)), 2, 3);
    for (const int scale : {wanted, wanted == 2 ? 3 : 2}) {
        const QImage companion(path.left(dot) + QStringLiteral("@%1x").arg(scale) + path.mid(dot));
        if (!size.isValid() || companion.size() != size * scale) {
            continue;
        }
        const QSize target(qRound(size.width() * ratio), qRound(size.height() * ratio));
        made = companion.size() == target
                   ? companion
                   : companion.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        made = plain ? MakePlainBitmap(made)
                     : made.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        made.setDevicePixelRatio(ratio);
        break;
    }
    return made;
}

QPoint SkinOrigin(const QImage& picture)
{
    const QStringList xy = picture.text(kSkinOriginKey).split(QLatin1Char(','));
    return xy.size() == 2 ? QPoint(xy[0].toInt(), xy[1].toInt()) : QPoint(0, 0);
}

// The picture `picture` was taken from, made for `ratio`, as an opaque bitmap when `picture`
// is one, else with premultiplied alpha; `origin` receives where `picture` lies in it. Null when
// the picture is not from the skin, is drawn at 1x or has no usable companion.
QImage HighDensityOf(const QImage& picture, qreal ratio, QPoint& origin)
{
    if (ratio <= 1.0 || picture.isNull() || picture.devicePixelRatio() != 1.0) {
        return QImage();
    }
    const QString path = picture.text(kSkinPathKey);
    if (path.isEmpty()) {
        return QImage();
    }
    SkinCache& cache = Cache();
    std::lock_guard guard(cache.lock);
    if (path.startsWith(QLatin1String(":/"))) {
        origin = SkinOrigin(picture);
        return ResourceAtLocked(cache, path, ratio, picture.format() == QImage::Format_RGB32);
    }
    QString resolved;
    ImageEntry* base = LookupLocked(cache, path, &resolved);
    ScaledPicture* made = FindScaledLocked(cache, base, resolved, ratio);
    if (made == nullptr) {
        return QImage();
    }
    origin = SkinOrigin(picture);
    if (!QRect(QPoint(0, 0), base->size).contains(QRect(origin, picture.size()))) {
        return QImage(); // the picture changed since this part was taken
    }
    // premultiplied: what the painter blends without converting on every paint
    return picture.format() != QImage::Format_RGB32 ? made->Premultiplied() : made->Plain();
}

void CopySkinText(const QImage& from, QImage& to)
{
    for (const QString& key : {kSkinPathKey, kSkinOriginKey}) {
        const QString value = from.text(key);
        if (!value.isEmpty()) {
            to.setText(key, value);
        }
    }
}

} // namespace

QString ResolveSkinPath(const QString& relative)
{
    SkinCache& cache = Cache();
    std::lock_guard guard(cache.lock);
    return ResolveLocked(cache, relative);
}

QImage LoadSkinImage(const QString& path)
{
    SkinCache& cache = Cache();
    std::lock_guard guard(cache.lock);
    QString resolved;
    ImageEntry* entry = LookupLocked(cache, path, &resolved);
    return entry != nullptr ? PixelsLocked(cache, *entry, resolved) : QImage();
}

QImage LoadSkinImageAt(const QString& path, qreal ratio)
{
    SkinCache& cache = Cache();
    std::lock_guard guard(cache.lock);
    QString resolved;
    ImageEntry* entry = LookupLocked(cache, path, &resolved);
    if (entry == nullptr) {
        return QImage();
    }
    const ScaledPicture* made = FindScaledLocked(cache, entry, resolved, ratio);
    return made != nullptr ? made->picture.convertToFormat(QImage::Format_ARGB32)
                           : PixelsLocked(cache, *entry, resolved);
}

qreal PainterPixelRatio(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    return device != nullptr ? device->devicePixelRatio() : 1.0;
}

int DrawSkinPng(QPainter& painter, const QString& path, int x, int y)
{
    const qreal ratio = PainterPixelRatio(painter);
    QImage premultiplied;
    {
        SkinCache& cache = Cache();
        std::lock_guard guard(cache.lock);
        QString resolved;
        ImageEntry* entry = LookupLocked(cache, path, &resolved);
        if (entry == nullptr || !entry->size.isValid()) {
            return 0;
        }
        if (ScaledPicture* made = FindScaledLocked(cache, entry, resolved, ratio)) {
            premultiplied = made->Premultiplied();
        } else {
            if (PixelsLocked(cache, *entry, resolved).isNull()) {
                return 0;
            }
            if (entry->premultiplied.isNull()) {
                entry->premultiplied = PremultiplyTruncating(entry->straight);
            }
            premultiplied = entry->premultiplied;
        }
    }
    // Per-pixel alpha only: the blend's constant alpha is always 255, whatever opacity the
    // caller's painter carries.
    const QPainter::CompositionMode mode = painter.compositionMode();
    const qreal opacity = painter.opacity();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(1.0);
    painter.drawImage(x, y, premultiplied);
    painter.setOpacity(opacity);
    painter.setCompositionMode(mode);
    return 1;
}

void DrawSkinImageStretched(QPainter& painter, const QImage& image, const QRect& target)
{
    if (image.isNull() || target.isEmpty()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setOpacity(1.0);
    painter.setCompositionMode(image.hasAlphaChannel() ? QPainter::CompositionMode_SourceOver
                                                       : QPainter::CompositionMode_Source);
    QPoint origin;
    const QImage dense = HighDensityOf(image, PainterPixelRatio(painter), origin);
    if (dense.isNull()) {
        painter.drawImage(target, image);
    } else {
        const qreal s = dense.devicePixelRatio();
        painter.drawImage(
            QRectF(target), dense,
            QRectF(origin.x() * s, origin.y() * s, image.width() * s, image.height() * s));
    }
    painter.restore();
}

void DrawSkinPicture(QPainter& painter, const QPoint& at, const QImage& picture,
                     const QRect& source)
{
    if (picture.isNull() || source.isEmpty()) {
        return;
    }
    QPoint origin;
    const QImage dense = HighDensityOf(picture, PainterPixelRatio(painter), origin);
    if (dense.isNull()) {
        painter.drawImage(at, picture, source);
        return;
    }
    // only the part of source inside the picture is drawn, where drawImage would draw it
    const QRect inside = source & QRect(QPoint(0, 0), picture.size());
    if (inside.isEmpty()) {
        return;
    }
    const qreal s = dense.devicePixelRatio();
    const QRect part = inside.translated(origin);
    painter.drawImage(QRectF(at + inside.topLeft() - source.topLeft(), inside.size()), dense,
                      QRectF(part.x() * s, part.y() * s, part.width() * s, part.height() * s));
}

void DrawSkinPicture(QPainter& painter, const QRect& target, const QImage& picture,
                     const QRect& source)
{
    if (picture.isNull() || source.isEmpty() || target.isEmpty()) {
        return;
    }
    QPoint origin;
    const QImage dense = QRect(QPoint(0, 0), picture.size()).contains(source)
                             ? HighDensityOf(picture, PainterPixelRatio(painter), origin)
                             : QImage();
    if (dense.isNull()) {
        painter.drawImage(target, picture, source);
        return;
    }
    const qreal s = dense.devicePixelRatio();
    const QRect part = source.translated(origin);
    painter.drawImage(QRectF(target), dense,
                      QRectF(part.x() * s, part.y() * s, part.width() * s, part.height() * s));
}

void DrawSkinPicture(QPainter& painter, const QPoint& at, const QImage& picture)
{
    DrawSkinPicture(painter, at, picture, QRect(QPoint(0, 0), picture.size()));
}

QImage LoadResourcePicture(const QString& resourcePath)
{
    QImage picture(resourcePath);
    if (!picture.isNull()) {
        picture.setDevicePixelRatio(1);
        picture.setText(kSkinPathKey, resourcePath);
    }
    return picture;
}

QImage CopySkinPart(const QImage& picture, const QRect& source)
{
    if (picture.isNull()) {
        return QImage();
    }
    const qreal s = picture.devicePixelRatio();
    QImage part = picture.copy(QRect(qRound(source.x() * s), qRound(source.y() * s),
                                     qRound(source.width() * s), qRound(source.height() * s)));
    part.setDevicePixelRatio(s);
    CopySkinText(picture, part);
    if (QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()).contains(source)) {
        const QPoint origin = SkinOrigin(picture) + source.topLeft();
        part.setText(kSkinOriginKey, QStringLiteral("%1,%2").arg(origin.x()).arg(origin.y()));
    } else {
        part.setText(kSkinPathKey, QString()); // partly outside: no longer a part of the skin
    }
    return part;
}

QImage MakePlainBitmap(const QImage& image)
{
    if (image.isNull()) {
        return QImage();
    }
    // Read the stored channels as they are (no premultiplied conversion may touch them).
    const QImage straight =
        image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32
            ? image
            : image.convertToFormat(QImage::Format_ARGB32);
    QImage out(straight.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(image.devicePixelRatio());
    CopySkinText(image, out);
    const int width = straight.width();
    for (int y = 0; y < straight.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            dst[x] = src[x] | 0xFF000000u;
        }
    }
    return out;
}

QImage LoadSkinBitmap(const QString& path)
{
    return MakePlainBitmap(LoadSkinImage(path));
}

QSize GetSkinPictureSize(const QString& path)
{
    QImageReader reader(ResolveSkinPath(path));
    const QSize size = reader.size();
    if (!size.isValid()) {
        return QSize(0, 0);
    }
    return size;
}

void ClearSkinImageCache()
{
    SkinCache& cache = Cache();
    std::lock_guard guard(cache.lock);
    cache.dirs.clear();
    cache.images.clear();
    cache.resources.clear();
}

uint64_t SkinImageDecodeCount()
{
    SkinCache& cache = Cache();
    std::lock_guard guard(cache.lock);
    return cache.decodes;
}

} // namespace zentro
