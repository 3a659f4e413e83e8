// Photos of real people (the portraits the scikit-image package carries),
// placed off-centre on larger canvases of several shapes: the faces are
// found, cached, kept in album files, and every staged slot shows them whole.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

#include "album/AlbumTables.h"
#include "album/CropPlacement.h"
#include "album/FacePlacement.h"
#include "album/FaceScan.h"
#include "album/Matching.h"
#include "album/Staging.h"
#include "image/FaceDetector.h"
#include "image/ImageIO.h"
#include "session/AlbumSession.h"
#include "session/ProjectFile.h"
#include "templates/Catalogue.h"

using namespace lumora;

namespace {

const QString kAstronaut = QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/astronaut.png");
const QString kProgramDir = QStringLiteral(LUMORA_TEST_PROGRAM_DIR);

struct Placed {
    QString path;
    QRect portrait; // where the portrait was drawn on the canvas
};

// The portrait (512 × 512, its face about 90 pixels) drawn `size` pixels
// large at (x, y) on a grey canvas of w × h; it may reach over the edges.
// Faces are searched from a twelfth of the long side: size ≥ 0.53 × long side.
Placed writePeoplePhoto(const QString &path, int w, int h, int size, int x, int y)
{
    const QImage person(kAstronaut);
    QImage canvas(w, h, QImage::Format_RGB32);
    canvas.fill(QColor(90, 100, 110));
    QPainter p(&canvas);
    const QRect at(x, y, size, size);
    p.drawImage(at, person);
    p.end();
    writeJpeg(canvas, path);
    return {path, at};
}

// The face of the portrait itself, searched once.
QRect portraitFace()
{
    static const QRect face = [] {
        const std::vector<QRect> own = detectFacesInImage(QImage(kAstronaut));
        return own.empty() ? QRect() : own.front();
    }();
    return face;
}

// Where the portrait's face lies in a photo made by writePeoplePhoto.
QRect expectedFace(const Placed &p)
{
    const QRect f = portraitFace();
    const double s = p.portrait.width() / 512.0;
    return QRect(p.portrait.x() + int(f.x() * s), p.portrait.y() + int(f.y() * s), int(f.width() * s),
                 int(f.height() * s));
}

double overlap(const QRect &a, const QRect &b)
{
    const QRect i = a.intersected(b);
    const double inter = double(i.width()) * i.height();
    return inter / (double(a.width()) * a.height() + double(b.width()) * b.height() - inter);
}

// Shapes and places: wide, tall, square and panorama canvases with the
// person at an edge, where a centred cut loses the face.
std::vector<Placed> writeShapes(const QString &folder)
{
    return {
        writePeoplePhoto(folder + "/wide_left.jpg", 2400, 1350, 1300, -350, 25),
        writePeoplePhoto(folder + "/tall_low.jpg", 1200, 2400, 1300, -60, 1850),
        writePeoplePhoto(folder + "/square_corner.jpg", 1800, 1800, 1000, 800, 800),
        writePeoplePhoto(folder + "/panorama_right.jpg", 2600, 1250, 1250, 1650, 0),
        writePeoplePhoto(folder + "/tall_top.jpg", 1000, 2600, 1400, -250, 0),
        writePeoplePhoto(folder + "/wide_right_low.jpg", 2600, 1500, 1400, 1700, 100),
        writePeoplePhoto(folder + "/portrait_side.jpg", 1500, 2000, 1100, 800, 300),
    };
}

bool haveTree()
{
    return QFileInfo::exists(kProgramDir + QStringLiteral("smxcwjj"));
}

} // namespace

TEST(Faces, FoundInPortraitsPlacedOffCentreInPhotoPixels)
{
    ASSERT_TRUE(QFileInfo::exists(kAstronaut)) << "python3-skimage is missing";
    // The face in the portrait itself, then in every placement of it (a
    // detector may also answer weakly elsewhere, on the suit).
    ASSERT_EQ(detectFacesInImage(QImage(kAstronaut)).size(), 1u);
    QTemporaryDir dir;
    for (const Placed &p : writeShapes(dir.path())) {
        SCOPED_TRACE(qPrintable(QFileInfo(p.path).fileName()));
        const std::vector<QRect> found = detectPhotoFaces(p.path);
        EXPECT_TRUE(
            std::any_of(found.begin(), found.end(), [&](const QRect &f) { return overlap(f, expectedFace(p)) > 0.5; }));
    }
    // A photo without people has no face.
    const QString empty = dir.path() + "/empty.jpg";
    QImage grey(1600, 900, QImage::Format_RGB32);
    grey.fill(QColor(120, 130, 140));
    writeJpeg(grey, empty);
    EXPECT_TRUE(detectPhotoFaces(empty).empty());
}

TEST(Faces, CachedByPathSizeAndTime)
{
    QTemporaryDir dir;
    const QString cache = dir.path() + "/cache";
    const Placed p = writePeoplePhoto(dir.path() + "/a.jpg", 1600, 1000, 900, 700, 100);
    EXPECT_TRUE(cachedPhotoFaces(p.path, cache).isEmpty());
    const QString faces = scanPhotoFaces(p.path, cache);
    ASSERT_FALSE(facesFromCell(faces)->empty());
    EXPECT_EQ(cachedPhotoFaces(p.path, cache), faces);
    // The same file changed (another picture at the same path): not the cached faces.
    QImage grey(1600, 1000, QImage::Format_RGB32);
    grey.fill(Qt::gray);
    QFile::remove(p.path);
    writeJpeg(grey, p.path);
    QFile(p.path).setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    EXPECT_TRUE(cachedPhotoFaces(p.path, cache).isEmpty());
    EXPECT_EQ(scanPhotoFaces(p.path, cache), kNoFaces);
}

TEST(Faces, EveryStagedSlotShowsTheFacesInEveryMode)
{
    if (!haveTree())
        GTEST_SKIP() << "the authored tree is not built";
    QTemporaryDir dir, work;
    const std::vector<Placed> shapes = writeShapes(dir.path());
    QStringList paths;
    QHash<QString, QRect> face;
    for (int round = 0; round < 2; ++round)
        for (const Placed &p : shapes) {
            paths << p.path;
            face.insert(p.path, expectedFace(p));
        }
    for (ModeKind mode : {ModeKind::Wide16x9, ModeKind::Wide4x3, ModeKind::Portrait}) {
        SCOPED_TRACE(qPrintable(AlbumMode::get(mode).key));
        AlbumSession session(kProgramDir, work.path(), 7);
        session.setFaceCacheFolder(dir.path() + "/cache");
        session.chooseMode(mode);
        session.album().settings.wenzitexiaoTianjia = false;
        const AddPhotosReport added = session.addPhotos(paths);
        ASSERT_EQ(added.added, paths.size());
        session.findFaces(2);
        Album &album = session.album();
        int cut = 0, slotsChecked = 0;
        auto facesOutside = [&] {
            int outside = 0;
            for (int k = 0; k < album.ListView_moban_shiyong_canshu.size(); ++k) {
                const Row &s = album.ListView_moban_shiyong_canshu[k];
                if (s.cell(slotcol::kPhotoPath).isEmpty())
                    continue;
                const Row &photo = album.ListView_daoru_zhaopian[s.cell(slotcol::kPhotoRow).toInt()];
                const auto faces = facesFromCell(photo.cell(photocol::kFaces));
                EXPECT_TRUE(faces && !faces->empty()) << qPrintable(photo.cell(photocol::kPath));
                const QRect crop = stagedPhotoCrop(album, k);
                if (crop.size() != QSize(photo.cell(photocol::kWidth).toInt(), photo.cell(photocol::kHeight).toInt()))
                    ++cut;
                ++slotsChecked;
                const QRect f = face.value(photo.cell(photocol::kPath));
                if (!crop.contains(f)) {
                    ++outside;
                    if (album.settings.faceCrop)
                        ADD_FAILURE() << "slot " << k << " " << qPrintable(s.cell(slotcol::kName)) << " of "
                                      << qPrintable(QFileInfo(photo.cell(photocol::kPath)).fileName());
                }
            }
            return outside;
        };
        EXPECT_EQ(facesOutside(), 0);
        EXPECT_GT(cut, 0) << "no slot cuts its photo: the test shows nothing";
        EXPECT_GT(slotsChecked, 0);
        // The same album placed centred loses faces: the check above bites.
        album.settings.faceCrop = false;
        placeAutomaticSlots(album);
        EXPECT_GT(facesOutside(), 0);
    }
}

TEST(Faces, ASavedCropWinsAndAlbumFilesKeepFacesAndCrops)
{
    if (!haveTree())
        GTEST_SKIP() << "the authored tree is not built";
    QTemporaryDir dir, work;
    const std::vector<Placed> shapes = writeShapes(dir.path());
    AlbumSession session(kProgramDir, work.path(), 3);
    session.setFaceCacheFolder(dir.path() + "/cache");
    session.chooseMode(ModeKind::Wide16x9);
    QStringList paths;
    for (const Placed &p : shapes)
        paths << p.path;
    session.addPhotos(paths);
    Album &album = session.album();
    // Before the faces are known: the user saves a crop of the first slot.
    int slot = -1;
    for (int k = 0; k < album.ListView_moban_shiyong_canshu.size() && slot < 0; ++k)
        if (!album.ListView_moban_shiyong_canshu.cell(k, slotcol::kPhotoPath).isEmpty()
            && cropEditable(cropSlot(album, k), initialCropDisplay(cropSlot(album, k))))
            slot = k;
    ASSERT_GE(slot, 0);
    const CropSlot cs = cropSlot(album, slot);
    const CropView shown = storedCropView(cs, initialCropDisplay(cs));
    const CropView dragged = dragCrop(shown, shown.photo.topLeft() + QPoint(0, 0));
    saveCrop(album, slot, dragged, initialCropDisplay(cs));
    const Row saved = album.ListView_moban_shiyong_canshu[slot];
    session.findFaces(2);
    // The faces arrived and moved the other slots, never the saved one.
    const Row after = album.ListView_moban_shiyong_canshu[slot];
    for (int c = slotcol::kFillX; c <= slotcol::kFitH; ++c)
        EXPECT_EQ(after.cell(c), saved.cell(c)) << c;
    EXPECT_EQ(after.cell(slotcol::kPlacedBy), kPlacedByUser);

    // Album files keep the faces and every placement.
    const QString file = dir.path() + "/album.lumora";
    saveProject(session, file);
    AlbumSession reopened(kProgramDir, work.path(), 3);
    reopened.setFaceCacheFolder(QString()); // nothing may come from the cache
    openProject(reopened, file);
    const Album &b = reopened.album();
    ASSERT_EQ(b.ListView_daoru_zhaopian.size(), album.ListView_daoru_zhaopian.size());
    for (int i = 0; i < b.ListView_daoru_zhaopian.size(); ++i) {
        EXPECT_EQ(b.ListView_daoru_zhaopian.cell(i, photocol::kFaces),
                  album.ListView_daoru_zhaopian.cell(i, photocol::kFaces));
        EXPECT_NE(b.ListView_daoru_zhaopian.cell(i, photocol::kFaces), QString());
    }
    for (int k = 0; k < b.ListView_moban_shiyong_canshu.size(); ++k)
        EXPECT_EQ(stagedPhotoCrop(b, k), stagedPhotoCrop(album, k)) << k;
    EXPECT_EQ(b.ListView_moban_shiyong_canshu.cell(slot, slotcol::kPlacedBy), kPlacedByUser);
}

TEST(Faces, PlanListsFacesAndCropsAndFacesOffCentres)
{
    if (!haveTree())
        GTEST_SKIP() << "the authored tree is not built";
    QTemporaryDir dir;
    const std::vector<Placed> shapes = writeShapes(dir.path());
    QStringList files;
    for (const Placed &p : shapes)
        files << p.path;
    auto plan = [&](const QString &faces) {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CACHE_HOME", dir.path() + "/xdg-cache");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        run.setProcessEnvironment(env);
        run.start(kProgramDir + "lumora-make",
                  QStringList{"--plan", "--json", "--faces", faces, "--text-effects", "off"} + files);
        EXPECT_TRUE(run.waitForFinished(120000));
        EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(run.readAllStandardOutput()).object();
    };
    auto rect = [](const QJsonValue &v) {
        const QJsonArray a = v.toArray();
        return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
    };
    QHash<QString, QRect> face;
    for (const Placed &p : shapes)
        face.insert(p.path, expectedFace(p));
    int slots = 0, outsideOff = 0;
    const QJsonObject on = plan("on"), off = plan("off");
    for (const QJsonValue &t : on["templates"].toArray())
        for (const QJsonValue &s : t.toObject()["slots"].toArray()) {
            const QString photo = s.toObject()["photo"].toString();
            const QJsonArray faces = s.toObject()["faces"].toArray();
            ASSERT_FALSE(faces.isEmpty()) << qPrintable(photo);
            bool found = false;
            for (const QJsonValue &f : faces)
                found = found || overlap(rect(f), face.value(photo)) > 0.5;
            EXPECT_TRUE(found) << qPrintable(photo);
            EXPECT_TRUE(rect(s.toObject()["crop"]).contains(face.value(photo))) << qPrintable(photo);
            ++slots;
        }
    EXPECT_GT(slots, 0);
    // Off: no faces searched, the centred cut (which loses some).
    const QJsonArray onTemplates = on["templates"].toArray();
    for (int t = 0; t < off["templates"].toArray().size(); ++t) {
        const QJsonArray slotsOff = off["templates"].toArray()[t].toObject()["slots"].toArray();
        const QJsonArray slotsOn = onTemplates[t].toObject()["slots"].toArray();
        for (int k = 0; k < slotsOff.size(); ++k) {
            EXPECT_TRUE(slotsOff[k].toObject()["faces"].isNull());
            EXPECT_EQ(slotsOff[k].toObject()["photo"], slotsOn[k].toObject()["photo"]);
            outsideOff += !rect(slotsOff[k].toObject()["crop"])
                               .contains(face.value(slotsOn[k].toObject()["photo"].toString()));
        }
    }
    EXPECT_GT(outsideOff, 0);
}
