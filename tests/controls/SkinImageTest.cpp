#include "support/GuiTestSupport.h"

#include "controls/SkinImage.h"
#include "controls/SkinKit.h"

#include <QFile>
#include <QPainter>

#include <fcntl.h>
#include <sys/stat.h>

using namespace zentro;
using namespace zentro::test;

namespace {

// Gives path a modification time of `seconds` past the epoch.
void SetMtime(const QString& path, time_t seconds)
{
    timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

QImage BlackTarget(int w, int h)
{
    QImage target(w, h, QImage::Format_RGB32);
    target.fill(qRgb(0, 0, 0));
    return target;
}

} // namespace

struct PathFormCase {
    const char* onDisk;  // relative path as the file is stored
    const char* written; // the path as the program spells it
};

class SkinPathFormTest : public ::testing::TestWithParam<PathFormCase> {};

TEST_P(SkinPathFormTest, ResolvesToTheStoredFile)
{
    CTempProgramDir dir;
    const QString full = dir.Save(GetParam().onDisk, SolidImage(3, 2, qRgba(1, 2, 3, 255)));

    EXPECT_EQ(ResolveSkinPath(GetParam().written).toStdString(), full.toStdString());
    EXPECT_EQ(LoadSkinImage(GetParam().written).size(), QSize(3, 2));
    // The full form (program directory + written path) reaches the same file.
    EXPECT_EQ(ResolveSkinPath(dir.Path() + GetParam().written).toStdString(), full.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    AllSpellings, SkinPathFormTest,
    ::testing::Values(
        PathFormCase{"Skins/Enable.png", "Skins\\Enable.png"},
        PathFormCase{"Skins/Enable.png", "Skins/Enable.png"},
        PathFormCase{"Skins/AngleSnap/BK_AngleSnap.png", "Skins\\AngleSnap\\BK_AngleSnap.png"},
        PathFormCase{"Skins/AngleSnap/BK_AngleSnap.png", "skins/AngleSnap/BK_AngleSnap.png"},
        PathFormCase{"Skins/ItemBK.png", "\\skins\\ItemBK.png"},
        PathFormCase{"Skins/main.png", "/skins/main.png"},
        PathFormCase{"Skins/Lighting/BK_Lighting.png", "/Skins/Lighting/BK_Lighting.png"},
        PathFormCase{"Skins/MacroManagement/Record-normal.png",
                     "\\skins/MacroManagement/Record-normal.png"},
        PathFormCase{"Skins/USBReportRate/1000HZ.png", "Skins\\/USBReportRate/1000HZ.png"},
        PathFormCase{"Skins/Mouse/Front/F-1-normal.png", "Skins\\/Mouse/Front/F-1-normal.png"},
        PathFormCase{"skins/mouse/front/f-1-normal.png", "/Skins/Mouse/Front/F-1-NORMAL.png"},
        PathFormCase{"Skins/DPISetting/DPIStage/0.png", "\\skins\\\\DPISetting//DPIStage\\0.png"}));

TEST(SkinPath, PrefersTheExactSpellingWhenNamesDifferOnlyInCase)
{
    CTempProgramDir dir;
    dir.Save("Skins/a.png", SolidImage(1, 1, qRgb(1, 1, 1)));
    const QString exact = dir.Save("Skins/A.png", SolidImage(2, 2, qRgb(1, 1, 1)));
    EXPECT_EQ(ResolveSkinPath("skins\\A.png").toStdString(), exact.toStdString());
}

TEST(SkinPath, FindsAFileAddedAfterTheFolderWasListed)
{
    CTempProgramDir dir;
    dir.Save("Skins/first.png", SolidImage(1, 1, qRgb(1, 1, 1)));
    EXPECT_TRUE(LoadSkinImage("skins/LATER.png").isNull());
    const QString later = dir.Save("Skins/Later.png", SolidImage(4, 1, qRgb(1, 1, 1)));
    // The folder's listing is cached; a change of the folder must be noticed.
    EXPECT_EQ(ResolveSkinPath("skins/LATER.png").toStdString(), later.toStdString());
    EXPECT_EQ(LoadSkinImage("skins/LATER.png").width(), 4);
}

TEST(SkinImage, MissingOrBrokenFileIsEmptyAndDrawsNothing)
{
    CTempProgramDir dir;
    QDir().mkpath(dir.Path() + "Skins");
    QFile broken(dir.Path() + "Skins/broken.png");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();

    for (const char* path : {"Skins\\missing.png", "Skins\\broken.png", "Nope\\x\\y.png"}) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(LoadSkinImage(path).isNull());
        EXPECT_EQ(GetSkinPictureSize(path), QSize(0, 0));
        QImage target = BlackTarget(4, 4);
        const QImage before = target;
        QPainter painter(&target);
        EXPECT_EQ(DrawSkinPng(painter, path, 0, 0), 0);
        painter.end();
        EXPECT_EQ(target, before);
    }
}

TEST(SkinImage, LoadKeepsStraightAlphaAndPictureSizeReadsTheHeader)
{
    CTempProgramDir dir;
    QImage picture(5, 3, QImage::Format_ARGB32);
    picture.fill(qRgba(200, 100, 50, 64));
    dir.Save("Skins/p.png", picture);

    const QImage loaded = LoadSkinImage("\\skins\\P.png");
    ASSERT_EQ(loaded.format(), QImage::Format_ARGB32);
    EXPECT_EQ(loaded.pixel(2, 1), qRgba(200, 100, 50, 64));
    EXPECT_EQ(GetSkinPictureSize("/skins/p.png"), QSize(5, 3));
}

TEST(DrawSkinPng, PremultipliesWithTruncationThenBlendsSourceOver)
{
    CTempProgramDir dir;
    QImage picture(4, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(255, 255, 255, 0)); // fully transparent
    picture.setPixel(1, 0, qRgba(255, 0, 0, 128));   // enters as red 128
    picture.setPixel(2, 0, qRgba(1, 3, 200, 128));   // 0.50, 1.51, 100.39 -> 0, 1, 100
    picture.setPixel(3, 0, qRgba(9, 8, 7, 255));     // opaque: copied
    dir.Save("Skins/blend.png", picture);

    QImage target = BlackTarget(6, 3);
    target.setPixel(1, 1, qRgb(10, 20, 30));
    QPainter painter(&target);
    EXPECT_EQ(DrawSkinPng(painter, "Skins\\blend.png", 1, 1), 1);
    painter.end();

    EXPECT_EQ(target.pixel(1, 1), qRgb(10, 20, 30)); // unchanged under alpha 0
    EXPECT_EQ(target.pixel(2, 1), qRgb(128, 0, 0));
    EXPECT_EQ(target.pixel(3, 1), qRgb(0, 1, 100));
    EXPECT_EQ(target.pixel(4, 1), qRgb(9, 8, 7));
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0)); // nothing outside the picture
    EXPECT_EQ(target.pixel(5, 1), qRgb(0, 0, 0));
}

TEST(DrawSkinPng, BlendsWithPerPixelAlphaOnlyWhateverThePainterOpacity)
{
    CTempProgramDir dir;
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(9, 8, 7, 255));
    picture.setPixel(1, 0, qRgba(255, 0, 0, 128));
    dir.Save("Skins/o.png", picture);

    QImage target = BlackTarget(2, 1);
    QPainter painter(&target);
    painter.setOpacity(0.5);
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    EXPECT_EQ(DrawSkinPng(painter, "skins/o.png", 0, 0), 1);
    EXPECT_EQ(painter.opacity(), 0.5);
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_Plus);
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(9, 8, 7));
    EXPECT_EQ(target.pixel(1, 0), qRgb(128, 0, 0));
}

TEST(DrawSkinPng, DecodesOnceAndReloadsWhenTheFileChanges)
{
    CTempProgramDir dir;
    const QString full = dir.Save("Skins/c.png", SolidImage(2, 2, qRgb(255, 0, 0)));
    SetMtime(full, 1000000);

    auto drawnColour = [] {
        QImage target = BlackTarget(2, 2);
        QPainter painter(&target);
        DrawSkinPng(painter, "skins/C.png", 0, 0);
        painter.end();
        return target.pixel(0, 0);
    };

    const uint64_t start = SkinImageDecodeCount();
    EXPECT_EQ(drawnColour(), qRgb(255, 0, 0));
    EXPECT_EQ(drawnColour(), qRgb(255, 0, 0));
    EXPECT_EQ(SkinImageDecodeCount(), start + 1);

    // Same size, new content, a later modification time: the next paint shows it.
    dir.Save("Skins/c.png", SolidImage(2, 2, qRgb(0, 255, 0)));
    SetMtime(full, 1000001);
    EXPECT_EQ(drawnColour(), qRgb(0, 255, 0));
    EXPECT_EQ(SkinImageDecodeCount(), start + 2);
    EXPECT_EQ(LoadSkinImage("Skins\\c.png").pixel(1, 1), qRgb(0, 255, 0));

    // A removed file draws nothing again.
    QFile::remove(full);
    EXPECT_EQ(drawnColour(), qRgb(0, 0, 0));
}

TEST(PlainBitmap, KeepsStoredColoursAndIgnoresAlpha)
{
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(10, 20, 30, 0));
    picture.setPixel(1, 0, qRgba(200, 100, 50, 128));
    const QImage plain = MakePlainBitmap(picture);
    ASSERT_EQ(plain.format(), QImage::Format_RGB32);

    QImage target(2, 1, QImage::Format_RGB32);
    target.fill(qRgb(255, 255, 255));
    QPainter painter(&target);
    painter.drawImage(0, 0, plain);
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(target.pixel(1, 0), qRgb(200, 100, 50));
    EXPECT_TRUE(MakePlainBitmap(QImage()).isNull());
}

TEST(StretchedDrawing, ScalesToTheTargetAndBlendsByAlpha)
{
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0, 0, 255, 255));
    picture.setPixel(1, 0, qRgba(255, 0, 0, 0)); // transparent: target shows through
    QImage target(8, 4, QImage::Format_RGB32);
    target.fill(qRgb(0, 255, 0));
    QPainter painter(&target);
    DrawSkinImageStretched(painter, picture, QRect(0, 0, 8, 4));
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(4, 0), qRgb(0, 255, 0));
    EXPECT_EQ(target.pixel(7, 3), qRgb(0, 255, 0));

    // Straight alpha: half-transparent white over green is half of each, not white on top.
    QImage half(1, 1, QImage::Format_ARGB32);
    half.setPixel(0, 0, qRgba(255, 255, 255, 128));
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    QPainter blend(&green);
    blend.setOpacity(0.25); // the caller's opacity plays no part
    DrawSkinImageStretched(blend, half, QRect(0, 0, 4, 4));
    blend.end();
    for (const QPoint p : {QPoint(0, 0), QPoint(3, 3)}) {
        const QRgb c = green.pixel(p);
        EXPECT_NEAR(qRed(c), 128, 1);
        EXPECT_EQ(qGreen(c), 255);
        EXPECT_NEAR(qBlue(c), 128, 1);
    }

    QImage opaque(1, 1, QImage::Format_RGB32);
    opaque.fill(qRgb(7, 7, 7));
    QPainter second(&target);
    DrawSkinImageStretched(second, opaque, QRect(4, 0, 4, 4));
    second.end();
    EXPECT_EQ(target.pixel(7, 3), qRgb(7, 7, 7));
}

// ---- high-density companions ----

namespace {

// A picture whose every pixel differs from its neighbours: w x h, colour from x, y and a tag.
QImage PatternImage(int w, int h, int tag)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(20 * x + 1, 20 * y + 1, tag, 255));
    return image;
}

} // namespace

struct CompanionCase {
    const char* name;
    qreal ratio;
    QSize at2x; // empty: no @2x file
    QSize at3x; // empty: no @3x file
    int made;   // tag of the picture the result comes from: 1, 2 or 3
    QSize size; // pixels of the result
};

class SkinCompanionTest : public ::testing::TestWithParam<CompanionCase> {};

TEST_P(SkinCompanionTest, PicksTheCompanionMadeForTheRatio)
{
    const CompanionCase& c = GetParam();
    CTempProgramDir dir;
    dir.Save("Skins/Pic/p.png", PatternImage(4, 2, 1));
    if (!c.at2x.isEmpty())
        dir.Save("Skins/Pic/p@2x.png", PatternImage(c.at2x.width(), c.at2x.height(), 2));
    if (!c.at3x.isEmpty())
        dir.Save("Skins/Pic/p@3x.png", PatternImage(c.at3x.width(), c.at3x.height(), 3));

    const QImage made = LoadSkinImageAt("skins\\pic\\P.png", c.ratio);
    ASSERT_FALSE(made.isNull());
    EXPECT_EQ(made.size(), c.size);
    EXPECT_EQ(made.format(), QImage::Format_ARGB32);
    // It draws at the 1x picture's logical size wherever it came from.
    EXPECT_NEAR(made.deviceIndependentSize().width(), 4, 0.34);
    EXPECT_NEAR(made.deviceIndependentSize().height(), 2, 0.34);
    EXPECT_EQ(made.devicePixelRatio(), c.made == 1 ? 1.0 : c.ratio);
    EXPECT_EQ(qBlue(made.pixel(0, 0)), c.made);
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, SkinCompanionTest,
    ::testing::Values(
        CompanionCase{"OneUsesThePicture", 1.0, {8, 4}, {12, 6}, 1, {4, 2}},
        CompanionCase{"TwoUsesTheTwiceSizedOne", 2.0, {8, 4}, {12, 6}, 2, {8, 4}},
        CompanionCase{"ThreeUsesTheThriceSizedOne", 3.0, {8, 4}, {12, 6}, 3, {12, 6}},
        CompanionCase{"OneAndAHalfScalesTheNextLargerDown", 1.5, {8, 4}, {12, 6}, 2, {6, 3}},
        CompanionCase{"TwoAndAHalfScalesTheNextLargerDown", 2.5, {8, 4}, {12, 6}, 3, {10, 5}},
        CompanionCase{"TwoWithoutTwiceSizedScalesThriceDown", 2.0, {}, {12, 6}, 3, {8, 4}},
        CompanionCase{"ThreeWithoutThriceSizedScalesTwiceUp", 3.0, {8, 4}, {}, 2, {12, 6}},
        CompanionCase{"StaleCompanionOfAnotherSizeIsIgnored", 2.0, {7, 4}, {}, 1, {4, 2}},
        CompanionCase{"NoCompanionKeepsThePicture", 2.0, {}, {}, 1, {4, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

// Drawn on a device of ratio 2, pictures, parts of them and opaque bitmaps come from the
// companion, pixel for pixel, at the picture's logical place.
TEST(SkinCompanion, DrawsFromTheCompanionAtTheDevicesRatio)
{
    CTempProgramDir dir;
    dir.Save("Skins/p.png", PatternImage(4, 2, 1));
    const QImage dense = PatternImage(8, 4, 2);
    dir.Save("Skins/p@2x.png", dense);

    auto target = [] {
        QImage t(20, 12, QImage::Format_RGB32);
        t.fill(qRgb(0, 0, 0));
        t.setDevicePixelRatio(2);
        return t;
    };
    // the whole picture by path, at logical (3, 1)
    QImage whole = target();
    {
        QPainter painter(&whole);
        EXPECT_EQ(DrawSkinPng(painter, "Skins/p.png", 3, 1), 1);
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(whole.pixel(6 + x, 2 + y), dense.pixel(x, y) | 0xFF000000u) << x << "," << y;

    // a part cut as an opaque bitmap (what buttons and sliders hold), drawn in part
    const QImage bitmap = CropBitmap(SkinBitmap("skins\\P.png"), QRect(1, 0, 3, 2));
    ASSERT_EQ(bitmap.size(), QSize(3, 2));
    QImage part = target();
    {
        QPainter painter(&part);
        DrawSkinPicture(painter, QPoint(0, 0), bitmap, QRect(1, 0, 2, 2));
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(part.pixel(x, y), dense.pixel(4 + x, y) | 0xFF000000u) << x << "," << y;
    EXPECT_EQ(part.pixel(4, 0), qRgb(0, 0, 0)) << "drew outside the part";

    // at ratio 1 the same calls draw the 1x picture as before
    QImage plain(6, 3, QImage::Format_RGB32);
    plain.fill(qRgb(0, 0, 0));
    {
        QPainter painter(&plain);
        DrawSkinPicture(painter, QPoint(0, 0), bitmap, QRect(1, 0, 2, 2));
    }
    EXPECT_EQ(plain.pixel(0, 0), PatternImage(4, 2, 1).pixel(2, 0));

    // a picture not from the skin is drawn as it is
    QImage foreign = target();
    {
        QPainter painter(&foreign);
        DrawSkinPicture(painter, QPoint(0, 0), SolidImage(2, 2, qRgb(9, 9, 9)));
    }
    EXPECT_EQ(foreign.pixel(3, 3), qRgb(9, 9, 9));
}

TEST(SkinCompanion, ReloadsAChangedCompanion)
{
    CTempProgramDir dir;
    dir.Save("Skins/q.png", SolidImage(2, 2, qRgb(1, 1, 1)));
    const QString dense = dir.Save("Skins/q@2x.png", SolidImage(4, 4, qRgb(2, 2, 2)));
    SetMtime(dense, 1000000);
    EXPECT_EQ(LoadSkinImageAt("Skins/q.png", 2).pixel(0, 0), qRgb(2, 2, 2));
    dir.Save("Skins/q@2x.png", SolidImage(4, 4, qRgb(3, 3, 3)));
    SetMtime(dense, 1000001);
    EXPECT_EQ(LoadSkinImageAt("Skins/q.png", 2).pixel(0, 0), qRgb(3, 3, 3));
    QFile::remove(dense);
    EXPECT_EQ(LoadSkinImageAt("Skins/q.png", 2).size(), QSize(2, 2));
}

// ---- pictures loaded for the window's ratio (the start-up path) ----

struct RatioPictureCase {
    const char* name;
    qreal ratio;
    QSize size;       // of the 1x picture; the companion is twice as large
    bool translucent; // some pixels half transparent, else every pixel opaque
    bool prefetched;  // the companion decoded ahead by the start-up worker
};

class SkinRatioPictureTest : public ::testing::TestWithParam<RatioPictureCase> {};

// LoadSkinPicture + DrawSkinPicture draw exactly what DrawSkinPng draws, decode one file (the
// picture made for the ratio, never the 1x pixels beside it, never twice when the worker had
// it), and the picture keeps the 1x picture's logical size.
TEST_P(SkinRatioPictureTest, DrawsWhatThePathDrawsFromOneDecode)
{
    const RatioPictureCase& c = GetParam();
    CTempProgramDir dir;
    auto picture = [&c](int scale) {
        QImage image = PatternImage(c.size.width() * scale, c.size.height() * scale, scale);
        if (c.translucent)
            for (int x = 0; x < image.width(); x += 2)
                image.setPixel(x, 0, qRgba(200, 101, 51, 128)); // 50.7: rounding differs
        return image;
    };
    dir.Save("Skins/Big/p.png", picture(1));
    dir.Save("Skins/Big/p@2x.png", picture(2));
    ClearSkinImageCache();

    const uint64_t before = SkinImageDecodeCount();
    if (c.prefetched)
        PrefetchSkinPictures({"skins/big/P.png"}, c.ratio);
    const QImage loaded = LoadSkinPicture("Skins\\Big\\p.png", c.ratio);
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(loaded.deviceIndependentSize().toSize(), c.size);
    EXPECT_EQ(loaded.devicePixelRatio(), c.ratio);

    auto target = [&c] {
        QImage t(qRound((c.size.width() + 4) * c.ratio), qRound((c.size.height() + 2) * c.ratio),
                 QImage::Format_RGB32);
        t.fill(qRgb(10, 20, 30));
        t.setDevicePixelRatio(c.ratio);
        return t;
    };
    QImage byPath = target();
    QImage byPicture = target();
    {
        QPainter painter(&byPath);
        ASSERT_EQ(DrawSkinPng(painter, "Skins/Big/p.png", 2, 1), 1);
    }
    {
        QPainter painter(&byPicture);
        DrawSkinPicture(painter, QPoint(2, 1), loaded);
    }
    EXPECT_TRUE(byPicture == byPath) << "the loaded picture draws other pixels than the path";
    EXPECT_NE(byPath.pixel(qRound(2 * c.ratio), qRound(1 * c.ratio)), qRgb(10, 20, 30));

    ClearSkinImageCache(); // waits for the worker
    EXPECT_EQ(SkinImageDecodeCount() - before, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkinRatioPictureTest,
    ::testing::Values(RatioPictureCase{"OneOpaque", 1.0, {6, 4}, false, false},
                      RatioPictureCase{"OneTranslucent", 1.0, {6, 4}, true, false},
                      RatioPictureCase{"TwoOpaque", 2.0, {6, 4}, false, false},
                      RatioPictureCase{"TwoTranslucent", 2.0, {6, 4}, true, false},
                      RatioPictureCase{"TwoPrefetched", 2.0, {6, 4}, true, true},
                      // large enough to be read into memory set aside for huge pages
                      RatioPictureCase{"TwoLargePrefetched", 2.0, {640, 480}, false, true},
                      RatioPictureCase{"TwoLargeTranslucent", 2.0, {640, 480}, true, false},
                      RatioPictureCase{"AtOneNothingIsPrefetched", 1.0, {6, 4}, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A picture loaded for ratio 2 and drawn where the ratio is 3 (the window moved to another
// screen) is drawn from the 3x picture, as the path would be; where it is 1, at its logical size.
TEST(SkinRatioPicture, FollowsThePaintersRatio)
{
    CTempProgramDir dir;
    dir.Save("Skins/m.png", PatternImage(6, 4, 1));
    dir.Save("Skins/m@2x.png", PatternImage(12, 8, 2));
    dir.Save("Skins/m@3x.png", PatternImage(18, 12, 3));
    for (bool plain : {false, true}) {
        const QImage loaded = LoadSkinPicture("Skins/m.png", 2, plain);
        ASSERT_EQ(loaded.devicePixelRatio(), 2.0);
        auto target = [](qreal ratio) {
            QImage t(qRound(10 * ratio), qRound(8 * ratio), QImage::Format_RGB32);
            t.fill(qRgb(10, 20, 30));
            t.setDevicePixelRatio(ratio);
            return t;
        };
        QImage byPath = target(3);
        QImage byPicture = target(3);
        {
            QPainter painter(&byPath);
            DrawSkinPng(painter, "Skins/m.png", 1, 2);
        }
        {
            QPainter painter(&byPicture);
            DrawSkinPicture(painter, QPoint(1, 2), loaded);
        }
        EXPECT_TRUE(byPicture == byPath) << "plain " << plain;

        QImage single = target(1);
        {
            QPainter painter(&single);
            DrawSkinPicture(painter, QPoint(1, 2), loaded);
        }
        EXPECT_NE(single.pixel(1, 2), qRgb(10, 20, 30));
        EXPECT_NE(single.pixel(6, 5), qRgb(10, 20, 30));
        EXPECT_EQ(single.pixel(7, 5), qRgb(10, 20, 30)) << "drawn larger than its logical size";
        EXPECT_EQ(single.pixel(6, 6), qRgb(10, 20, 30));
    }
}

// A companion changed after the worker began is drawn as it is now, never as it was.
TEST(SkinPrefetch, AChangedCompanionIsNotServedStale)
{
    CTempProgramDir dir;
    dir.Save("Skins/r.png", SolidImage(3, 3, qRgb(1, 1, 1)));
    const QString dense = dir.Save("Skins/r@2x.png", SolidImage(6, 6, qRgb(2, 2, 2)));
    SetMtime(dense, 1000000);
    PrefetchSkinPictures({"Skins/r.png"}, 2);
    dir.Save("Skins/r@2x.png", SolidImage(6, 6, qRgb(3, 3, 3)));
    SetMtime(dense, 1000001);
    const QImage loaded = LoadSkinPicture("Skins/r.png", 2);
    ASSERT_EQ(loaded.size(), QSize(6, 6));
    EXPECT_EQ(loaded.pixel(5, 5), qRgb(3, 3, 3));
}
