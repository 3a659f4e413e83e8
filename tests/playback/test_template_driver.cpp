// The template driver: loading staged templates and the mode movie, the
// identity check, num_stop, stepping to the end, capture and the log.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "MovieFixtures.h"
#include "app/Error.h"
#include "playback/TemplateDriver.h"
#include "resources/PackedFile.h"

using namespace lumora;

namespace {

class Driver : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        paths = Paths(dir.path());
    }
    // Stages template n (1-based folder) with a movie of `frames` frames.
    void stage(int n, const QByteArray &movie)
    {
        writeFileBytes(paths.stagedTemplateMovie(n, QStringLiteral(".rar")), movie);
        writeJpeg(test::solid(160, 90, QColor(255, 0, 0)), paths.templateStaging(n) + QStringLiteral("wj_y_l_b_j.jpg"));
    }
    QTemporaryDir dir;
    Paths paths{QStringLiteral("/nonexistent")};
};

} // namespace

TEST_F(Driver, A100FrameMovieShowsFrames0To99AndEndsOn99)
{
    stage(1, test::templateMovie(100));
    TemplateDriver d(paths, DriverContext::Preview, QSize(80, 45));
    d.setCounter(-1);
    d.loadTemplate(0, QStringLiteral("0"));
    std::vector<int> shown;
    bool ended = false;
    while (!ended && shown.size() < 500) {
        ended = d.stepFrame();
        shown.push_back(d.player()->frameNum());
    }
    ASSERT_EQ(shown.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(shown[size_t(i)], i);
    EXPECT_EQ(d.counter(), 99);
    EXPECT_EQ(d.frame().size(), QSize(80, 45));
}

TEST_F(Driver, LoadingPassesNumStopAndGivesAFreshMovie)
{
    stage(2, test::templateMovie(10));
    TemplateDriver d(paths, DriverContext::Production, QSize(160, 90));
    d.loadTemplate(1, QStringLiteral("100"));
    EXPECT_EQ(d.counter(), -1);
    EXPECT_EQ(d.player()->getVariable(QStringLiteral("num_stop")), QStringLiteral("100"));
    d.stepFrame();
    EXPECT_EQ(qRed(d.frame().pixel(80, 45)), 0); // fully transparent background
    d.player()->setVariable(QStringLiteral("left_over"), QStringLiteral("x"));
    const MoviePlayer *first = d.player();
    d.loadTemplate(1, QStringLiteral("0")); // the same template again
    EXPECT_EQ(d.counter(), -1);
    EXPECT_EQ(d.player()->getVariable(QStringLiteral("left_over")), QString());
    EXPECT_EQ(d.player()->frameNum(), 0);
    d.stepFrame();
    EXPECT_GT(qRed(d.frame().pixel(80, 45)), 245);
    (void)first;
}

TEST_F(Driver, IdentityFailureAndMissingMoviesStopTheRun)
{
    TemplateDriver d(paths, DriverContext::Preview, QSize(16, 9));
    EXPECT_THROW(d.loadTemplate(0, QStringLiteral("0")), Error);
    EXPECT_FALSE(d.hasPlayer());
    try {
        d.loadTemplate(4, QStringLiteral("0"));
    } catch (const IntegrityError &) {
        FAIL() << "a missing movie is not an integrity failure";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("wj_y_l_5"))) << e.message().toStdString();
    }
    QByteArray impostor = test::templateMovie(10);
    impostor.replace(kMovieIdentityValue.toUtf8(), "someone_else");
    stage(1, impostor);
    EXPECT_THROW(d.loadTemplate(0, QStringLiteral("0")), IntegrityError);
    EXPECT_FALSE(d.hasPlayer());
    EXPECT_THROW(d.loadModeMovie(), Error);
    EXPECT_THROW(d.stepFrame(), Error);
}

TEST_F(Driver, ModeMovieVariantsAndTheProductionLog)
{
    writeFileBytes(paths.stagedModeMovie(QStringLiteral(".rar")), test::templateMovie(150));
    QStringList log;
    TemplateDriver production(paths, DriverContext::Production, QSize(32, 18));
    production.setLogSink([&](const QString &line) { log << line; });
    production.setCounter(7);
    production.loadModeMovie();
    EXPECT_EQ(production.counter(), -1);
    EXPECT_EQ(production.player()->totalFrames(), 150);
    EXPECT_EQ(log, QStringList({QStringLiteral("B-卸载创建的FLASH完成！"), QStringLiteral("B-创建FLASH控件完成！")}));

    TemplateDriver preview(paths, DriverContext::Preview, QSize(32, 18));
    preview.setLogSink([&](const QString &line) { log << line; });
    preview.setCounter(-1);
    preview.loadModeMovie();
    EXPECT_EQ(preview.counter(), -1);
    EXPECT_EQ(log.size(), 2); // preview writes no log
}

TEST_F(Driver, CaptureWritesTheHandOverPictureAndSingleTemplateCopiesGo)
{
    const QString first = paths.previewStaging() + QStringLiteral("a.rar");
    const QString second = paths.previewStaging() + QStringLiteral("b.rar");
    writeFileBytes(first, test::templateMovie(30));
    writeFileBytes(second, test::templateMovie(30));
    writeJpeg(test::solid(160, 90, QColor(255, 0, 0)), paths.previewStaging() + QStringLiteral("wj_y_l_b_j.jpg"));
    TemplateDriver d(paths, DriverContext::TemplatePreview, QSize(120, 60));
    d.loadSingleTemplate(first, second);
    EXPECT_EQ(d.counter(), -1);
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_FALSE(QFile::exists(second));
    d.stepFrame();
    d.captureToHandOver();
    const JpegInfo info = readJpegInfo(paths.handOverPicture());
    EXPECT_EQ(QSize(info.width, info.height), QSize(120, 60));
    EXPECT_GT(qRed(decodeJpeg(paths.handOverPicture()).pixel(60, 30)), 240);
}
