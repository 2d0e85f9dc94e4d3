#include "controls/SkinImage.h"

#include "platform/ExeDir.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace zentro {

namespace {

// What identifies one version of a file or directory on disk.
struct FileStamp {
    int64_t mtimeNs = 0;
    int64_t size = 0;
    uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

bool StatPath(const QString& path, FileStamp& stamp, bool& isDir)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return false;
    }
    stamp.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.size = static_cast<int64_t>(st.st_size);
    stamp.inode = static_cast<uint64_t>(st.st_ino);
    isDir = S_ISDIR(st.st_mode);
    return true;
}

struct DirListing {
    FileStamp stamp;
    QStringList entries; // sorted, so a case-insensitive match is stable
};

struct ImageEntry {
    FileStamp stamp;
    QImage straight;      // Format_ARGB32; null when the file could not be decoded
    QImage premultiplied; // made on first DrawSkinPng
};

struct SkinCache {
    std::mutex lock;
    std::map<QString, DirListing> dirs;
    std::map<QString, ImageEntry> images;
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

// The cached entry of the picture (decoding it when new or changed); nullptr when the file
// is missing.
ImageEntry* LookupLocked(SkinCache& cache, const QString& path)
{
    const QString resolved = ResolveLocked(cache, path);
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
    QImageReader reader(resolved);
    reader.setAutoTransform(false);
    QImage decoded = reader.read();
    ++cache.decodes;
    if (!decoded.isNull()) {
        entry.straight = decoded.convertToFormat(QImage::Format_ARGB32);
    }
    return &cache.images.insert_or_assign(resolved, std::move(entry)).first->second;
}

// Colour channels multiplied by alpha and divided by 255 with the remainder dropped; the
// bytes are then read as premultiplied pixels.
QImage PremultiplyTruncating(const QImage& straight)
{
    QImage out(straight.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < straight.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
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
    const ImageEntry* entry = LookupLocked(cache, path);
    return entry != nullptr ? entry->straight : QImage();
}

int DrawSkinPng(QPainter& painter, const QString& path, int x, int y)
{
    QImage premultiplied;
    {
        SkinCache& cache = Cache();
        std::lock_guard guard(cache.lock);
        ImageEntry* entry = LookupLocked(cache, path);
        if (entry == nullptr || entry->straight.isNull()) {
            return 0;
        }
        if (entry->premultiplied.isNull()) {
            entry->premultiplied = PremultiplyTruncating(entry->straight);
        }
        premultiplied = entry->premultiplied;
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
    painter.drawImage(target, image);
    painter.restore();
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
    for (int y = 0; y < straight.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
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
}

uint64_t SkinImageDecodeCount()
{
    SkinCache& cache = Cache();
    std::lock_guard guard(cache.lock);
    return cache.decodes;
}

} // namespace zentro
