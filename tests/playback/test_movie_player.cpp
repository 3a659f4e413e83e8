// The player's operations and the renderer's output: variables, frame
// addressing, num_stop, reveals, missing pictures, kept aspect and golden frames.
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "MovieFixtures.h"
#include "app/Error.h"
#include "playback/MoviePlayer.h"
#include "resources/PackedFile.h"

using namespace lumora;

namespace {

class Player : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + u'/';
        writeJpeg(test::solid(160, 90, QColor(255, 0, 0)), folder + QStringLiteral("wj_y_l_b_j.jpg"));
    }
    QString write(const QByteArray &doc, const QString &name = QStringLiteral("m.rar"))
    {
        writeFileBytes(folder + name, doc);
        return folder + name;
    }
    QTemporaryDir dir;
    QString folder;
};

QRgb pixel(const QImage &img, int x, int y)
{
    return img.pixel(x, y);
}

} // namespace

TEST_F(Player, VariablesAndFramesAfterLoad)
{
    MoviePlayer p;
    EXPECT_EQ(p.totalFrames(), 0);
    p.load(write(test::templateMovie(100)));
    EXPECT_EQ(p.getVariable(kMovieIdentityVariable), kMovieIdentityValue);
    EXPECT_EQ(p.getVariable(QStringLiteral("no_such_variable")), QString());
    EXPECT_EQ(p.totalFrames(), 100);
    EXPECT_EQ(p.frameNum(), 0);
    p.setFrameNum(42);
    EXPECT_EQ(p.frameNum(), 42);
    p.setFrameNum(100); // past the end shows the last frame
    EXPECT_EQ(p.frameNum(), 99);
    p.setFrameNum(-5);
    EXPECT_EQ(p.frameNum(), 0);
    p.setVariable(QStringLiteral("num_stop"), QStringLiteral("35"));
    EXPECT_EQ(p.getVariable(QStringLiteral("num_stop")), QStringLiteral("35"));
    p.play();
    EXPECT_TRUE(p.isPlaying());
    EXPECT_GE(p.frameNum(), 0);
    p.stop();
    const int held = p.frameNum();
    EXPECT_EQ(p.frameNum(), held);
}

TEST_F(Player, BadFilesAreRefusedAndLeaveNoMovie)
{
    MoviePlayer p;
    EXPECT_THROW(p.load(folder + QStringLiteral("missing.rar")), Error);
    EXPECT_THROW(p.load(write("not a movie")), Error);
    EXPECT_FALSE(p.isLoaded());
    EXPECT_EQ(p.getVariable(kMovieIdentityVariable), QString());
    QImage img = p.paint(QSize(8, 8)); // nothing loaded: black, no crash
    EXPECT_EQ(qRed(pixel(img, 0, 0)), 0);
}

TEST_F(Player, NumStopIsTheBackgroundTransparency)
{
    MoviePlayer p;
    p.load(write(test::templateMovie(10)));
    struct Case {
        const char *value;
        int red; // expected red channel of the background over black
    } cases[] = {{"0", 254}, {"50", 128}, {"100", 0}, {"250", 0}, {"-3", 254}, {"abc", 254}};
    for (const Case &c : cases) {
        p.setVariable(QStringLiteral("num_stop"), QString::fromLatin1(c.value));
        const QImage img = p.paint(QSize(160, 90));
        EXPECT_NEAR(qRed(pixel(img, 80, 45)), c.red, 3) << c.value;
    }
}

TEST_F(Player, RenderingIsDeterministicAtAnySize)
{
    const QString layer = QStringLiteral(
        R"(,{"type":"rect","rect":[20,10,60,40],"fill":"#00ff00","border":{"width":4,"color":"#ffffff"},
           "shadow":{"dx":3,"dy":3,"blur":6},"anim":{"x":[[0,0],[9,50,"out"]],"rotation":[[0,0],[9,20]]}})");
    MoviePlayer p;
    p.load(write(test::templateMovie(10, layer)));
    for (QSize size : {QSize(160, 90), QSize(1920, 1080), QSize(33, 77)}) {
        QImage a(size, QImage::Format_RGB32), b(size, QImage::Format_RGB32);
        for (int f : {0, 4, 9}) {
            p.renderFrame(f, a);
            p.renderFrame(f, b);
            EXPECT_EQ(a, b) << f;
        }
    }
}

TEST_F(Player, RevealsAndSlidesMoveWithTheFrame)
{
    // A white layer wiped in from the left over 10 frames, and a blue square
    // sliding from x = 0 to x = 100.
    MoviePlayer p;
    p.load(write(test::templateMovie(21, QStringLiteral(R"(,{"type":"rect","rect":[0,0,160,90],"fill":"#ffffff",
            "clip":{"shape":"wipe","direction":"right","progress":[[0,0,"linear"],[10,1]]}},
            {"type":"rect","rect":[0,70,20,20],"fill":"#0000ff","anim":{"x":[[10,0,"linear"],[20,100]]}})"))));
    QImage img(160, 90, QImage::Format_RGB32);
    p.renderFrame(0, img); // nothing of the wipe yet: the red background
    EXPECT_GT(qRed(pixel(img, 5, 5)), 245);
    EXPECT_LT(qGreen(pixel(img, 5, 5)), 10);
    p.renderFrame(5, img); // half way: left half white, right half red
    EXPECT_GT(qGreen(pixel(img, 40, 5)), 245);
    EXPECT_LT(qGreen(pixel(img, 120, 5)), 10);
    p.renderFrame(20, img); // slide finished: the square sits at x = 100..120
    EXPECT_GT(qBlue(pixel(img, 110, 80)), 245);
    EXPECT_LT(qRed(pixel(img, 110, 80)), 10);
    EXPECT_GT(qRed(pixel(img, 10, 80)), 245); // white where the square was
}

TEST_F(Player, MissingPicturesDrawAsNothing)
{
    MoviePlayer p;
    p.load(
        write(test::templateMovie(5, QStringLiteral(R"(,{"type":"picture","rect":[0,0,80,90],"picture":"picture_1.jpg"},
            {"type":"picture","rect":[80,0,80,90],"picture":"../../pic/picture_0.jpg"})"))));
    EXPECT_EQ(p.missingPictures(),
              QStringList({QStringLiteral("picture_1.jpg"), QStringLiteral("../../pic/picture_0.jpg")}));
    const QImage img = p.paint(QSize(160, 90));
    EXPECT_GT(qRed(pixel(img, 40, 45)), 245); // the background shows through
}

TEST_F(Player, PicturesAreDecodedOnceAtLoad)
{
    MoviePlayer p;
    p.load(write(test::templateMovie(5)));
    QFile::remove(folder + QStringLiteral("wj_y_l_b_j.jpg"));
    EXPECT_GT(qRed(pixel(p.paint(QSize(64, 36)), 30, 20)), 245);
}

// A player that drops its decoded pictures once they are prepared (as
// production's does) draws what a keeping player draws, and decodes them
// again when another size is asked for.
TEST_F(Player, DroppedPicturesAreDecodedAgainForAnotherSize)
{
    const QString path = write(test::templateMovie(5));
    MoviePlayer keep, drop;
    drop.setKeepPictures(false);
    keep.load(path);
    drop.load(path);
    for (QSize size : {QSize(64, 36), QSize(160, 90), QSize(33, 20)}) {
        const QImage dropped = drop.paint(size);
        EXPECT_EQ(dropped, keep.paint(size)) << size.width();
        EXPECT_GT(qRed(pixel(dropped, size.width() / 2, size.height() / 2)), 245) << size.width();
    }
}

TEST_F(Player, KeptAspectLetterboxesAndLoopingWraps)
{
    const QByteArray doc = R"({"lumoraMovie":1,"stage":[100,50],"frames":4,"loop":true,"keepAspect":true,
        "backdrop":"#000000","layers":[{"type":"rect","rect":[0,0,100,50],"fill":"#ffffff"}]})";
    MoviePlayer p;
    p.load(write(doc));
    const QImage img = p.paint(QSize(100, 100)); // 100 × 50 centred: bands above and below
    EXPECT_EQ(qRed(pixel(img, 50, 10)), 0);
    EXPECT_EQ(qRed(pixel(img, 50, 50)), 255);
    EXPECT_EQ(qRed(pixel(img, 50, 90)), 0);
}

// Frames rendered one after another (the bottom layers that stop changing are
// kept between frames) equal frames rendered by a fresh player, while layers
// settle, appear and go, and num_stop changes.
TEST_F(Player, SteppedFramesEqualFreshRenders)
{
    writeJpeg(test::solid(64, 48, QColor(30, 160, 90)), folder + QStringLiteral("picture_1.jpg"));
    const QString path
        = write(test::templateMovie(20, QStringLiteral(R"(,{"type":"rect","rect":[0,0,160,90],"fill":"#7820302e"},
            {"type":"ellipse","rect":[10,10,30,30],"fill":"#60ffffff","anim":{"y":[[0,20],[10,0]]}},
            {"type":"rect","rect":[100,50,40,30],"fill":"#ff0000ff","from":5,"to":12},
            {"type":"picture","rect":[50,20,60,45],"picture":"picture_1.jpg","border":{"width":3,"color":"#fbfaf6"},
              "shadow":{"dx":2,"dy":3,"blur":4,"color":"#80000000"},
              "anim":{"rotation":[[0,6],[8,0]],"opacity":[[0,0.5],[4,1]]}})")));
    MoviePlayer stepped;
    stepped.load(path);
    for (int f = 0; f < 20; ++f) {
        const QString numStop = f < 14 ? QStringLiteral("0") : QStringLiteral("50");
        stepped.setVariable(QStringLiteral("num_stop"), numStop);
        QImage a(160, 90, QImage::Format_RGB32), b(160, 90, QImage::Format_RGB32);
        stepped.renderFrame(f, a);
        MoviePlayer fresh;
        fresh.load(path);
        fresh.setVariable(QStringLiteral("num_stop"), numStop);
        fresh.renderFrame(f, b);
        EXPECT_EQ(a, b) << "frame " << f;
    }
}

// Golden frames: a small scene with a picture frame, a turn, an iris and
// pan/zoom, compared with stored PNGs. LUMORA_UPDATE_GOLDEN=1 rewrites them.
TEST_F(Player, GoldenFrames)
{
    QImage photo(200, 150, QImage::Format_RGB32);
    {
        QPainter g(&photo);
        QLinearGradient lg(0, 0, 200, 150);
        lg.setColorAt(0, QColor(250, 200, 60));
        lg.setColorAt(1, QColor(30, 90, 200));
        g.fillRect(photo.rect(), lg);
        g.fillRect(QRect(80, 50, 40, 40), Qt::white);
    }
    writeJpeg(photo, folder + QStringLiteral("picture_1.jpg"));
    MoviePlayer p;
    p.load(write(test::templateMovie(
        40, QStringLiteral(R"(,{"type":"rect","rect":[0,0,160,90],"gradient":{"from":[0,0],"to":[1,1],
              "stops":[[0,"#802b1d2f"],[1,"#c07a3b52"]]}},
            {"type":"picture","rect":[30,15,100,60],"picture":"picture_1.jpg","radius":3,
              "border":{"width":3,"color":"#fbfaf6"},"shadow":{"dx":2,"dy":3,"blur":5},
              "anim":{"zoom":[[0,1.2],[39,1]],"panX":[[0,-1],[39,1]],"rotation":[[0,8,"back"],[30,-2]]}},
            {"type":"ellipse","rect":[120,5,30,30],"fill":"#60ffffff","anim":{"y":[[0,20,"out"],[30,0]]}},
            {"type":"picture","rect":[0,0,160,90],"picture":"wj_y_l_b_j.jpg","to":20,
              "clip":{"shape":"iris","invert":true,"progress":[[0,0,"in"],[20,1]]}})"))));
    const bool update = qEnvironmentVariableIntValue("LUMORA_UPDATE_GOLDEN") == 1;
    for (int f : {0, 10, 39}) {
        const QImage actual = p.paint(QSize(160, 90));
        QImage frame(160, 90, QImage::Format_RGB32);
        p.renderFrame(f, frame);
        const QString golden = QStringLiteral(LUMORA_TEST_DATA_DIR "playback/golden_%1.png").arg(f);
        if (update) {
            QDir().mkpath(QStringLiteral(LUMORA_TEST_DATA_DIR "playback"));
            writePng(frame, golden);
            continue;
        }
        ASSERT_TRUE(QFile::exists(golden)) << golden.toStdString();
        const double diff = test::meanDifference(frame, decodePng(golden));
        if (diff > 2.0) {
            writePng(frame, QStringLiteral(LUMORA_TEST_BUILD_DIR "golden_actual_%1.png").arg(f));
        }
        EXPECT_LE(diff, 2.0) << "frame " << f;
        (void)actual;
    }
}

// play() shows the frame of the clock's time: 25 per second, held while
// stopped, halted on the last frame; what paint() shows is that frame.
TEST_F(Player, PlayShowsTheFrameOfTheClock)
{
    MoviePlayer p;
    p.load(write(test::templateMovie(
        21,
        QStringLiteral(
            R"(,{"type":"rect","rect":[0,70,20,20],"fill":"#0000ff","anim":{"x":[[0,0,"linear"],[20,140]]}})"))));
    qint64 ms = 1000;
    p.setClock([&ms] { return ms; });
    p.play();
    EXPECT_EQ(p.frameNum(), 0);
    const struct {
        qint64 advance;
        int frame;
    } steps[] = {{39, 0}, {1, 1}, {160, 5}, {200, 10}};
    for (const auto &s : steps) {
        ms += s.advance;
        EXPECT_EQ(p.frameNum(), s.frame) << "at " << ms << " ms";
    }
    QImage expected(160, 90, QImage::Format_RGB32);
    p.renderFrame(10, expected);
    EXPECT_EQ(p.paint(QSize(160, 90)).convertToFormat(QImage::Format_RGB32), expected);

    p.stop();
    ms += 1000;
    EXPECT_EQ(p.frameNum(), 10) << "held while stopped";
    p.play();
    ms += 80;
    EXPECT_EQ(p.frameNum(), 12) << "goes on from where it stopped";
    p.setFrameNum(3);
    ms += 40;
    EXPECT_EQ(p.frameNum(), 4) << "a jump counts from the new frame";
    ms += 60000;
    EXPECT_EQ(p.frameNum(), 20) << "a movie that does not loop halts on its last frame";
}
