#include "controls/SkinImage.h"

#include "platform/ExeDir.h"
#include "platform/FileStatus.h"
#include "platform/MemoryAdvice.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>
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

// A premultiplied picture without a single translucent pixel (the window's backgrounds) is
// marked an opaque bitmap: the same bytes, but drawn by copying instead of blending, which
// draws the same pixels in a fraction of the time.
void MarkOpaque(QImage& premultiplied)
{
    if (premultiplied.format() != QImage::Format_ARGB32_Premultiplied) {
        return;
    }
    const int width = premultiplied.width();
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) != 255) {
                return;
            }
        }
    }
    premultiplied.reinterpretAsFormat(QImage::Format_RGB32);
}

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
        if (picture.format() == QImage::Format_ARGB32) {
            picture.convertTo(QImage::Format_ARGB32_Premultiplied);
            MarkOpaque(picture);
        }
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

// A companion decoded ahead by the start-up worker, waiting to be made into a ScaledPicture.
struct PrefetchedPicture {
    FileStamp stamp;
    QImage decoded;
};

struct SkinCache {
    std::mutex lock;
    std::map<QString, DirListing> dirs;
    std::map<QString, ImageEntry> images;
    // pictures built into the program, made for a ratio: by path, ratio x 100, opaque
    std::map<std::tuple<QString, int, bool>, QImage> resources;
    uint64_t decodes = 0;
    // Companions the worker (PrefetchSkinPictures) is decoding and has decoded, by file path.
    // A picture being decoded there is waited for, not decoded twice.
    std::set<QString> pending;
    std::map<QString, PrefetchedPicture> prefetched;
    std::condition_variable_any prefetchDone;
    std::thread worker; // joined before the next start, by ClearSkinImageCache and at exit

    ~SkinCache() { JoinWorker(); }
    void JoinWorker()
    {
        if (worker.joinable()) {
            worker.join();
        }
    }
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

// reader.read(), for a large picture into memory the kernel may back with huge pages: a
// picture of several megabytes (the window's background at 2x) then costs a few page faults
// instead of thousands, which is most of its decoding time. Its pixels stay the image's own,
// so later conversions still happen in place.
QImage ReadPicture(QImageReader& reader)
{
    constexpr qsizetype kHugePage = qsizetype(2) << 20;
    const QSize size = reader.size();
    QImage picture;
    if (size.isValid() && reader.imageFormat() == QImage::Format_ARGB32 &&
        qsizetype(size.width()) * size.height() * 4 >= 2 * kHugePage) {
        picture = QImage(size, QImage::Format_ARGB32);
        if (!picture.isNull()) {
            AdviseHugePages(picture.bits(), static_cast<size_t>(picture.sizeInBytes()));
        }
    }
    // an image of the reader's size and format is filled in place, any other replaced
    if (!reader.read(&picture)) {
        return QImage();
    }
    return picture;
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
        QImage decoded = ReadPicture(reader);
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

// The companion `path` as the start-up worker decoded it, when it did so from the version
// `stamp`; waits while the worker is still at it. Null when it is not there.
QImage TakePrefetchedLocked(SkinCache& cache, const QString& path, const FileStamp& stamp)
{
    while (cache.pending.count(path) != 0) {
        cache.prefetchDone.wait(cache.lock); // the lock is released while waiting
    }
    const auto found = cache.prefetched.find(path);
    if (found == cache.prefetched.end()) {
        return QImage();
    }
    QImage picture;
    if (found->second.stamp == stamp) {
        picture = std::move(found->second.decoded);
    }
    cache.prefetched.erase(found);
    return picture;
}

// The companion file of the resolved picture `resolved` in the given scale ("a/b@2x.png"),
// spelled as in its directory; empty when there is none.
QString CompanionLocked(SkinCache& cache, const QString& resolved, int scale)
{
    const qsizetype slash = resolved.lastIndexOf(QLatin1Char('/'));
    const QString dir = resolved.left(slash + 1);
    const QString file = resolved.mid(slash + 1);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? file : file.left(dot);
    const QString ext = dot < 0 ? QString() : file.mid(dot);
    const QString match = MatchEntry(cache, dir, stem + QStringLiteral("@%1x").arg(scale) + ext);
    return match.isEmpty() ? QString() : dir + match;
}

// The scale of the companion drawn at `ratio`, then the one tried without it.
std::array<int, 2> CompanionScales(qreal ratio)
{
    const int wanted = std::clamp(static_cast<int>(std::ceil(ratio - 1e-6)), 2, 3);
    return {wanted, wanted == 2 ? 3 : 2};
}

// The picture of `base` (the entry of file `resolved`) made for `ratio` from the best
// companion; nullptr when the 1x picture is to be drawn.
ScaledPicture* FindScaledLocked(SkinCache& cache, ImageEntry* base, const QString& resolved,
                                qreal ratio)
{
    if (base == nullptr || !base->size.isValid() || ratio <= 1.0) {
        return nullptr;
    }
    const QSize size = base->size;
    for (const int scale : CompanionScales(ratio)) {
        const QString companionPath = CompanionLocked(cache, resolved, scale);
        if (companionPath.isEmpty()) {
            continue;
        }
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
        // Decoded here (or by the start-up worker), not through the cache of files: the
        // picture is owned by this entry alone, so setting its ratio copies nothing.
        made = ScaledPicture{companionPath, stamp, {}, {}};
        QImage picture = TakePrefetchedLocked(cache, companionPath, stamp);
        if (picture.isNull()) {
            QImageReader reader(companionPath);
            reader.setAutoTransform(false);
            if (reader.size() != size * scale) {
                continue; // stale: drawn for another picture
            }
            picture = ReadPicture(reader);
            ++cache.decodes;
        }
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

// Draws the part `source` (logical pixels) of a picture made for a ratio (LoadSkinPicture) into
// `target`: as it is on a painter of its ratio; on a painter of another ratio above 1 (the
// window moved to another screen) from the same file's picture made for that ratio; else
// scaled smoothly.
void DrawMadePicture(QPainter& painter, const QRectF& target, const QImage& picture,
                     const QRectF& source)
{
    const qreal ratio = PainterPixelRatio(painter);
    QImage drawn = picture;
    const QString path = picture.text(kSkinPathKey);
    if (ratio > 1.0 && ratio != picture.devicePixelRatio() && !path.isEmpty() &&
        !path.startsWith(QLatin1String(":/"))) {
        SkinCache& cache = Cache();
        std::lock_guard guard(cache.lock);
        QString resolved;
        ImageEntry* base = LookupLocked(cache, path, &resolved);
        if (ScaledPicture* made = FindScaledLocked(cache, base, resolved, ratio)) {
            // opaque either way: a plain bitmap or an opaque premultiplied picture
            drawn =
                picture.format() == QImage::Format_RGB32 ? made->Plain() : made->Premultiplied();
        }
    }
    const qreal s = drawn.devicePixelRatio();
    const bool smooth = s != ratio && !painter.testRenderHint(QPainter::SmoothPixmapTransform);
    if (smooth) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    }
    painter.drawImage(
        target, drawn,
        QRectF(source.x() * s, source.y() * s, source.width() * s, source.height() * s));
    if (smooth) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
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

QImage LoadSkinPicture(const QString& path, qreal ratio, bool plain)
{
    {
        SkinCache& cache = Cache();
        std::lock_guard guard(cache.lock);
        QString resolved;
        ImageEntry* entry = LookupLocked(cache, path, &resolved);
        if (entry == nullptr) {
            return QImage();
        }
        if (ScaledPicture* made = FindScaledLocked(cache, entry, resolved, ratio)) {
            return plain ? made->Plain() : made->Premultiplied();
        }
    }
    const QImage picture = LoadSkinImage(path);
    if (plain) {
        return MakePlainBitmap(picture);
    }
    // as DrawSkinPng premultiplies the 1x pixels
    QImage premultiplied = picture.isNull() ? QImage() : PremultiplyTruncating(picture);
    CopySkinText(picture, premultiplied);
    MarkOpaque(premultiplied);
    return premultiplied;
}

void PrefetchSkinPictures(const QStringList& paths, qreal ratio)
{
    if (ratio <= 1.0) {
        return;
    }
    SkinCache& cache = Cache();
    cache.JoinWorker(); // an earlier start-up's worker (it takes the lock to finish)
    std::vector<std::pair<QString, QSize>> jobs; // companion, the size it must have
    {
        std::lock_guard guard(cache.lock);
        for (const QString& path : paths) {
            const QString resolved = ResolveLocked(cache, path);
            ImageEntry* base = LookupResolvedLocked(cache, resolved);
            if (base == nullptr || !base->size.isValid() ||
                base->scaled.count(qRound(ratio * 100)) != 0) {
                continue; // missing, or already made for this ratio
            }
            for (const int scale : CompanionScales(ratio)) {
                const QString companion = CompanionLocked(cache, resolved, scale);
                if (companion.isEmpty()) {
                    continue;
                }
                if (cache.pending.count(companion) == 0 && cache.prefetched.count(companion) == 0) {
                    cache.pending.insert(companion);
                    jobs.emplace_back(companion, base->size * scale);
                }
                break;
            }
        }
    }
    if (jobs.empty()) {
        return;
    }
    cache.worker = std::thread([&cache, jobs = std::move(jobs)] {
        for (const auto& [companion, expected] : jobs) {
            FileStamp stamp;
            bool isDir = false;
            QImage picture;
            if (StatPath(companion, stamp, isDir) && !isDir) {
                QImageReader reader(companion);
                reader.setAutoTransform(false);
                if (reader.size() == expected) {
                    picture = ReadPicture(reader);
                }
            }
            {
                std::lock_guard guard(cache.lock);
                if (!picture.isNull()) {
                    ++cache.decodes;
                    cache.prefetched[companion] = PrefetchedPicture{stamp, std::move(picture)};
                }
                cache.pending.erase(companion);
            }
            cache.prefetchDone.notify_all();
        }
    });
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
                MarkOpaque(entry->premultiplied);
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
    if (picture.devicePixelRatio() != 1.0) {
        const QRect inside = source & QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize());
        if (!inside.isEmpty()) {
            DrawMadePicture(painter,
                            QRectF(at + inside.topLeft() - source.topLeft(), inside.size()),
                            picture, inside);
        }
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
    if (picture.devicePixelRatio() != 1.0) {
        DrawMadePicture(painter, QRectF(target), picture, source);
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
    DrawSkinPicture(painter, at, picture,
                    QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
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
    cache.JoinWorker();
    std::lock_guard guard(cache.lock);
    cache.prefetched.clear();
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
