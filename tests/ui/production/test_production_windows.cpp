// The start command with its checks, the album type window, the quality
// window and the production window: real windows offscreen, driven through
// their object names, the dialog service answering. Productions run on the
// tiny two-template tree of the production tests at 320 × 176.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

#include "app/DialogService.h"
#include "app/FlagWords.h"
#include "app/StateCells.h"
#include "media/MediaFixtures.h"
#include "production/AlbumTypeWindow.h"
#include "production/ProductionFixture.h"
#include "production/ProductionStart.h"
#include "production/ProductionWindow.h"
#include "production/QualityWindow.h"
#include "session/AlbumSession.h"

using namespace lumora;
using namespace lumora::ui;
using lumora::test::ProductionFixture;

namespace {

constexpr int kProductionTimeoutMs = 180000;

template <typename T> T *child(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A session over the fixture tree with its own working root, photos added
// (automatic effects off: the tree has no effect packages).
class ProductionWindows : public ::testing::Test {
public:
    ProductionWindows(int firstFrames = 10, int secondFrames = 8) : tree(firstFrames, secondFrames) { }

    void SetUp() override
    {
        ASSERT_TRUE(work.isValid() && out.isValid());
        session = std::make_unique<AlbumSession>(tree.dir(), work.path(), 7);
        session->chooseMode(ModeKind::Wide16x9);
        session->album().settings.wenzitexiaoTianjia = false;
        session->album().settings.huamiantexiaoTianjia = false;
        main = std::make_unique<QWidget>();
        main->setObjectName(QStringLiteral("TForm2"));
        starter = new ProductionStart(*session, dialogs, main.get());
    }

    void addPhotos(int n = 2)
    {
        QStringList photos;
        for (int i = 0; i < n; ++i)
            photos << tree.photo(QStringLiteral("照片%1").arg(i + 1));
        session->addPhotos(photos);
        ASSERT_GT(session->album().ListView_moban_shiyong.size(), 0);
    }

    // Fills the type window and presses "开始制作".
    void typeAndStart(const QString &name, int sizeEntry = 0)
    {
        AlbumTypeWindow *w = starter->typeWindow();
        ASSERT_TRUE(w->isVisible());
        auto *sizes = child<QComboBox>(w, "ComboBox_xuanze_shuchu_chicun");
        sizes->setCurrentIndex(sizeEntry);
        Q_EMIT sizes->activated(sizeEntry);
        child<QLineEdit>(w, "Edit_xiangce_mingcheng")->setText(name);
        child<QPushButton>(w, "Button_kaishi_zhizuo")->click();
    }

    // Starts `type` with `name` into the output folder; returns the production window.
    ProductionWindow *startProduction(OutputType type, const QString &name)
    {
        dialogs.folderAnswers.push_back(out.path());
        EXPECT_TRUE(starter->start(type));
        typeAndStart(name);
        ProductionWindow *w = starter->productionWindow();
        EXPECT_NE(w, nullptr) << dialogs.lastMessage().toStdString();
        if (w)
            w->setFolderOpener([this](const QString &folder) { opened << folder; });
        return w;
    }

    ProductionFixture tree;
    QTemporaryDir work, out;
    std::unique_ptr<AlbumSession> session;
    ScriptedDialogService dialogs;
    std::unique_ptr<QWidget> main;
    ProductionStart *starter = nullptr;
    QStringList opened;
};

class LongProduction : public ProductionWindows {
protected:
    LongProduction() : ProductionWindows(600, 600) { }
};

// Templates long enough for several live pictures of each (a few a second)
// even on a fast machine; the test stops the production early.
class VeryLongProduction : public ProductionWindows {
protected:
    VeryLongProduction() : ProductionWindows(5000, 5000) { }
};

// ---- the start checks, in their order ----

TEST_F(ProductionWindows, StartChecksRefuseWithTheirNoticesInOrder)
{
    struct Case {
        const char *what;
        std::function<void(ProductionWindows &)> arrange;
        QString notice;
    };
    const std::vector<Case> cases{
        {"no photos", [](ProductionWindows &) {}, QStringLiteral("没有添加照片文件！")},
        {"playing comes first",
         [](ProductionWindows &t) { t.session->album().cells.setText(cell::kTuichu, flag::kPlaying); },
         QStringLiteral("正在播放相册,点停止按钮后,再操作！")},
        {"music sync without songs",
         [](ProductionWindows &t) {
             t.addPhotos();
             t.session->output().sync = SyncMode::Music;
         },
         QStringLiteral("没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！")},
        {"no used templates",
         [](ProductionWindows &t) {
             t.addPhotos();
             t.session->album().ListView_moban_shiyong.clear();
         },
         QStringLiteral("没有添加模板文件！")},
    };
    for (const Case &c : cases) {
        SetUp();
        c.arrange(*this);
        dialogs.asked.clear();
        EXPECT_FALSE(starter->start(OutputType::DVD)) << c.what;
        EXPECT_EQ(dialogs.notices(), QStringList{c.notice}) << c.what;
        EXPECT_FALSE(starter->typeWindow()->isVisible()) << c.what;
        EXPECT_NE(session->album().cells.text(cell::kXiangceLeixing), QStringLiteral("DVD")) << c.what;
    }
}

// ---- the album type window ----

TEST_F(ProductionWindows, TypeWindowOffersTheSizesOfTypeAndModeWithTheDefaultEntry)
{
    addPhotos();
    struct Case {
        ModeKind mode;
        OutputType type;
        int count;
        QString preselected;
        QString last;
    };
    const std::vector<Case> cases{
        {ModeKind::Portrait, OutputType::VCD, 5, QStringLiteral("480 × 720"), QStringLiteral("480 × 720")},
        {ModeKind::Wide16x9, OutputType::DVD, 11, QStringLiteral("1280 × 720"), QStringLiteral("3840 × 2160")},
        {ModeKind::Wide16x9, OutputType::MOV, 9, QStringLiteral("1920 × 1088"), QStringLiteral("2048 × 1152")},
        {ModeKind::Wide4x3, OutputType::VCD, 5, QStringLiteral("898 × 720"), QStringLiteral("898 × 720")},
    };
    AlbumTypeWindow *w = starter->typeWindow();
    for (const Case &c : cases) {
        const QString what = outputTypeName(c.type) + QLatin1Char(' ') + AlbumMode::get(c.mode).shortName;
        session->album().mode = c.mode;
        ASSERT_TRUE(starter->start(c.type)) << what.toStdString();
        ASSERT_TRUE(w->isVisible());
        EXPECT_EQ(session->album().cells.text(cell::kXiangceLeixing), outputTypeName(c.type));
        EXPECT_EQ(session->album().cells.text(cell::kZhizuoKaishi), flag::kProducing);
        auto *sizes = child<QComboBox>(w, "ComboBox_xuanze_shuchu_chicun");
        EXPECT_EQ(sizes->count(), c.count) << what.toStdString();
        EXPECT_EQ(sizes->currentText(), c.preselected) << what.toStdString();
        EXPECT_EQ(sizes->itemText(sizes->count() - 1), c.last) << what.toStdString();
        EXPECT_EQ(child<QLineEdit>(w, "Edit_shuchu_chicun")->text(), c.preselected);
        EXPECT_EQ(child<QLineEdit>(w, "Edit_shuchu_leixing")->text(), outputTypeName(c.type));
        EXPECT_EQ(sizeText(w->chosenSize()), c.preselected);
        // The hidden per-type lists hold widths and heights for the mode.
        auto *vcdWidths = child<QComboBox>(w, "ComboBox_vcd_1");
        auto *vcdHeights = child<QComboBox>(w, "ComboBox_vcd_2");
        ASSERT_EQ(vcdWidths->count(), 5);
        const QSize vcdDefault = outputSizes(OutputType::VCD, c.mode)[4];
        EXPECT_EQ(vcdWidths->itemText(4), QString::number(vcdDefault.width()));
        EXPECT_EQ(vcdHeights->itemText(4), QString::number(vcdDefault.height()));
        child<QPushButton>(w, "Button_quxiao")->click();
        EXPECT_EQ(w->outcome(), AlbumTypeWindow::kCancel);
        EXPECT_FALSE(starter->busy());
    }
    EXPECT_TRUE(dialogs.asked.empty()) << "a cancelled type window asks nothing more";
}

TEST_F(ProductionWindows, DefaultButtonReturnsToTheDefaultEntry)
{
    addPhotos();
    ASSERT_TRUE(starter->start(OutputType::SVCD));
    AlbumTypeWindow *w = starter->typeWindow();
    auto *sizes = child<QComboBox>(w, "ComboBox_xuanze_shuchu_chicun");
    sizes->setCurrentIndex(7);
    Q_EMIT sizes->activated(7);
    EXPECT_EQ(w->chosenSize(), QSize(1920, 1080));
    EXPECT_EQ(child<QLineEdit>(w, "Edit_chicun_width")->text(), QStringLiteral("1920"));
    child<QPushButton>(w, "Button_moren")->click();
    EXPECT_EQ(w->chosenSize(), QSize(1280, 720));
    EXPECT_EQ(child<QLineEdit>(w, "Edit_shuchu_chicun")->text(), QStringLiteral("1280 × 720"));
    w->reject();
}

// The first production offers an opening title (the album's name and the
// date) and a closing line; the offer is made once, taken or not, and never
// over titles the person set.
TEST_F(ProductionWindows, FirstProductionOffersATitleOnce)
{
    addPhotos();
    const Settings &settings = session->album().settings;
    for (const bool take : {false, true}) {
        session->album().settings.piantouTishi = false;
        ASSERT_TRUE(starter->start(OutputType::MP4));
        auto *offer = child<QCheckBox>(starter->typeWindow(), "CheckBox_piantou_pianwei");
        ASSERT_TRUE(offer->isVisible());
        EXPECT_TRUE(offer->isChecked()) << "offered switched on";
        offer->setChecked(take);
        typeAndStart(QStringLiteral("外婆九十岁"));
        EXPECT_TRUE(settings.piantouTishi);
        EXPECT_EQ(settings.piantouBiaoti, take ? QStringLiteral("外婆九十岁") : QString());
        EXPECT_EQ(settings.pianweiZimu, take ? QStringLiteral("谢谢观看") : QString());
        EXPECT_EQ(settings.piantouFubiaoti.isEmpty(), !take);
        if (starter->typeWindow()->isVisible())
            starter->typeWindow()->reject();

        // Not offered again.
        ASSERT_TRUE(starter->start(OutputType::MP4));
        EXPECT_FALSE(child<QCheckBox>(starter->typeWindow(), "CheckBox_piantou_pianwei")->isVisible());
        starter->typeWindow()->reject();
    }
    // Titles of the person's own are never replaced by the offer.
    session->album().settings.piantouTishi = false;
    ASSERT_TRUE(starter->start(OutputType::MP4));
    EXPECT_FALSE(child<QCheckBox>(starter->typeWindow(), "CheckBox_piantou_pianwei")->isVisible());
    starter->typeWindow()->reject();
}

TEST_F(ProductionWindows, AlbumNameIsCheckedAndTheWindowStaysOpen)
{
    addPhotos();
    const std::vector<std::pair<QString, QString>> refused{
        {QString(), QStringLiteral("相册名称不能为空,请输入相册名称！")},
        {QStringLiteral("   "), QStringLiteral("相册名称不能为空,请输入相册名称！")},
        {QStringLiteral("a/b"), QStringLiteral("相册名称不能包含 “/”：a/b")},
        {QString(300, QLatin1Char('x')), QStringLiteral("相册名称太长，请缩短后再试！")},
    };
    ASSERT_TRUE(starter->start(OutputType::MP4));
    for (const auto &[name, notice] : refused) {
        dialogs.asked.clear();
        typeAndStart(name);
        EXPECT_EQ(dialogs.notices(), QStringList{notice}) << name.toStdString();
        EXPECT_TRUE(starter->typeWindow()->isVisible());
        EXPECT_TRUE(starter->typeWindow()->outcome().isEmpty());
        EXPECT_EQ(starter->productionWindow(), nullptr);
    }
    starter->typeWindow()->reject();
}

TEST_F(ProductionWindows, FolderChoiceCancelledOrUnusableOpensNoProduction)
{
    addPhotos();
    QFile existing(out.path() + QStringLiteral("/旧相册.mp4"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();
    struct Case {
        const char *what;
        QString folder;
        QString name;
        QString notice; // "" when the start ends silently
    };
    const std::vector<Case> cases{
        {"cancelled", QString(), QStringLiteral("新相册"), QString()},
        {"missing", out.path() + QStringLiteral("/没有这个文件夹"), QStringLiteral("新相册"),
         QStringLiteral("保存文件夹不存在：%1/没有这个文件夹/").arg(out.path())},
        // /proc takes no new files, even for root.
        {"unwritable", QStringLiteral("/proc"), QStringLiteral("新相册"),
         QStringLiteral("无法在此文件夹中保存相册，请选择其他文件夹：/proc/")},
        {"replace refused", out.path(), QStringLiteral("旧相册"), QString()},
    };
    for (const Case &c : cases) {
        dialogs.asked.clear();
        dialogs.folderAnswers = {c.folder};
        dialogs.confirmAnswers = {false};
        ASSERT_TRUE(starter->start(OutputType::MP4)) << c.what;
        typeAndStart(c.name);
        EXPECT_EQ(dialogs.notices(), c.notice.isEmpty() ? QStringList() : QStringList{c.notice}) << c.what;
        EXPECT_EQ(dialogs.asked.front().kind, QStringLiteral("chooseFolder"));
        EXPECT_EQ(dialogs.asked.front().title, ProductionStart::kFolderTitle);
        EXPECT_EQ(starter->productionWindow(), nullptr) << c.what;
        EXPECT_FALSE(starter->busy()) << c.what;
    }
    EXPECT_EQ(dialogs.asked.back().kind, QStringLiteral("confirm"));
    QFile kept(existing.fileName());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept"));
}

// ---- the quality window ----

TEST_F(ProductionWindows, QualityWindowShowsAndStoresTheChoices)
{
    QualityWindow w(*session);
    w.show();
    EXPECT_TRUE(child<QRadioButton>(&w, "RadioButton_dianshizhishi_PAL")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&w, "RadioButton_yiban_huazhi")->isChecked());
    EXPECT_EQ(child<QLineEdit>(&w, "Edit_huamianzhiliang_xuanzhong")->text(), QStringLiteral("biaoqing"));
    child<QRadioButton>(&w, "RadioButton_chaoqing_huazhi")->click();
    child<QRadioButton>(&w, "RadioButton_dianshizhishi_NTSC")->click();
    EXPECT_EQ(session->output().quality, QualityLevel::Chaoqing);
    EXPECT_EQ(session->output().tv, TvSystem::NTSC);
    EXPECT_EQ(w.qualityKeyText(), QStringLiteral("chaoqing"));
    w.close();

    // A mode choice returns to the defaults; the window shows them when opened again.
    session->chooseMode(ModeKind::Wide16x9);
    w.show();
    EXPECT_TRUE(child<QRadioButton>(&w, "RadioButton_yiban_huazhi")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&w, "RadioButton_dianshizhishi_PAL")->isChecked());
}

// ---- the production window ----

TEST_F(ProductionWindows, ProducesAPlayableMp4AndClosesAfterCompletion)
{
    addPhotos();
    ProductionWindow *w = startProduction(OutputType::MP4, QStringLiteral("我的相册"));
    ASSERT_NE(w, nullptr);
    QPointer<ProductionWindow> alive(w);
    EXPECT_EQ(w->objectName(), QStringLiteral("TForm25"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("制作MP4相册"));
    EXPECT_EQ(child<QLineEdit>(w, "Edit_baocun_wenjianming")->text(), QStringLiteral("我的相册"));
    auto *openWhenDone = child<QCheckBox>(w, "CheckBox_wancheng_dakai_wenjianjia");
    // Cleared at every start, whatever it was; checked while the run goes on.
    openWhenDone->setChecked(true);
    QSignalSpy ended(w, &ProductionWindow::ended);
    QTRY_VERIFY(w->phase() != ProductionWindow::Phase::Waiting);
    EXPECT_FALSE(openWhenDone->isChecked());
    openWhenDone->setChecked(true);
    ASSERT_TRUE(ended.wait(kProductionTimeoutMs));
    ASSERT_EQ(w->result().outcome, ProductionOutcome::Completed) << w->result().error.toStdString();
    const long long total = 10 + 8 + kEndingFrames;
    EXPECT_EQ(child<QLineEdit>(w, "Edit_zhizuo_zongzhen_sum")->text(), QString::number(total));
    EXPECT_EQ(child<QTreeWidget>(w, "ListView_xuyao_shiyongmoban_shuliang")->topLevelItemCount(), 2);
    EXPECT_EQ(child<QTreeWidget>(w, "ListView_xuyao_yinyue_shuliang")->topLevelItemCount(), 0);
    auto *bar = child<QProgressBar>(w, "ProgressBar_kaishi_zhizuo_xiangce");
    EXPECT_EQ(bar->maximum(), total);
    EXPECT_EQ(bar->value(), total);
    auto *log = child<QListWidget>(w, "lstProgress");
    QStringList lines;
    for (int i = 0; i < log->count(); ++i)
        lines << log->item(i)->text();
    EXPECT_TRUE(lines.contains(QStringLiteral("Total frames:  %1").arg(total))) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Conversion ended.")));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("制作完成：")));

    // The closing timer closes the window and opens the folder as asked.
    QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 5000);
    EXPECT_EQ(opened, QStringList{out.path()});
    EXPECT_FALSE(starter->busy());

    const QString file = out.path() + QStringLiteral("/我的相册.mp4");
    EXPECT_EQ(lumora::test::decodedFrames(file), total);
    EXPECT_EQ(lumora::test::fullDecodeErrors(file), QString());
    EXPECT_EQ(lumora::test::probe(file, QStringLiteral("v:0"), QStringLiteral("width")), QStringLiteral("320"));
}

TEST_F(ProductionWindows, StopBeforeEncodingClosesTheWindowWithoutAFile)
{
    addPhotos();
    ProductionWindow *w = startProduction(OutputType::MP4, QStringLiteral("停止的相册"));
    ASSERT_NE(w, nullptr);
    QPointer<ProductionWindow> alive(w);
    QSignalSpy ended(w, &ProductionWindow::ended);
    w->begin(); // the shown window would begin on its next event; stop right behind it
    child<QPushButton>(w, "Button_tingzhi_zhizuo")->click();
    EXPECT_EQ(child<QLineEdit>(w, "Edit_tuichu")->text(), flag::kProductionStopped);
    ASSERT_TRUE(ended.wait(kProductionTimeoutMs));
    EXPECT_EQ(ended.first().first().value<ProductionOutcome>(), ProductionOutcome::StoppedEarly);
    QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 2000);
    EXPECT_FALSE(QFileInfo::exists(out.path() + QStringLiteral("/停止的相册.mp4")));
    EXPECT_TRUE(dialogs.notices().isEmpty());
}

TEST_F(ProductionWindows, SongThatDisappearsBeforeProductionFailsLoudlyAndLeavesNoFile)
{
    addPhotos();
    const QString song = tree.dir() + QStringLiteral("歌.mp3");
    lumora::test::makeSineMp3(song, 2.0);
    ASSERT_EQ(session->addSongs({song}).added, 1);
    ASSERT_TRUE(QFile::remove(song));

    ProductionWindow *w = startProduction(OutputType::MP4, QStringLiteral("没有歌"));
    ASSERT_NE(w, nullptr);
    QSignalSpy ended(w, &ProductionWindow::ended);
    ASSERT_TRUE(ended.wait(kProductionTimeoutMs));
    EXPECT_EQ(w->result().outcome, ProductionOutcome::Failed);
    // A failure is said in a notice and the window stays open with its log.
    ASSERT_EQ(dialogs.notices().size(), 1);
    EXPECT_TRUE(dialogs.notices().first().startsWith(QStringLiteral("制作失败：")))
        << dialogs.notices().first().toStdString();
    QTest::qWait(100);
    EXPECT_TRUE(w->isVisible());
    auto *close = child<QPushButton>(w, "Button_guanbi");
    EXPECT_TRUE(close->isVisible());
    EXPECT_FALSE(child<QPushButton>(w, "Button_tingzhi_zhizuo")->isVisible());
    EXPECT_FALSE(QFileInfo::exists(out.path() + QStringLiteral("/没有歌.mp4")));
    QPointer<ProductionWindow> alive(w);
    close->click();
    QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 2000);
    EXPECT_FALSE(starter->busy());
}

TEST_F(LongProduction, StopWhileEncodingLeavesAFileThatPlaysToItsEnd)
{
    addPhotos();
    ProductionWindow *w = startProduction(OutputType::MP4, QStringLiteral("半个相册"));
    ASSERT_NE(w, nullptr);
    QPointer<ProductionWindow> alive(w);
    QSignalSpy ended(w, &ProductionWindow::ended);
    auto *bar = child<QProgressBar>(w, "ProgressBar_kaishi_zhizuo_xiangce");
    QTRY_VERIFY_WITH_TIMEOUT(w->phase() == ProductionWindow::Phase::Encoding && bar->value() >= 50, 120000);
    EXPECT_EQ(child<QLineEdit>(w, "Edit_tuichu")->text(), flag::kProducing);
    EXPECT_NE(child<QLabel>(w, "Label_zhizuo_sudu")->text(), QString());
    // The title-bar close is a stop, confirmed first: 取消 goes on producing.
    dialogs.confirmAnswers = {false};
    w->close();
    EXPECT_FALSE(w->stopRequested());
    EXPECT_EQ(dialogs.asked.back().kind, QStringLiteral("confirm"));
    dialogs.choiceAnswers = {0}; // keep the partial file
    w->close();
    EXPECT_TRUE(w->stopRequested());
    ASSERT_TRUE(ended.wait(kProductionTimeoutMs));
    const ProductionResult r = w->result();
    ASSERT_EQ(r.outcome, ProductionOutcome::Stopped) << r.error.toStdString();
    // The window stays with what was kept, under a name that says so.
    const QString status = child<QLabel>(w, "Label_zhuangtai")->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("已停止：文件只包含前 00:"))) << status.toStdString();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFileInfo::exists(out.path() + QStringLiteral("/半个相册.mp4")));
    child<QPushButton>(w, "Button_guanbi")->click();
    QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 2000);

    const QString file = out.path() + QStringLiteral("/半个相册（未完成）.mp4");
    const long long frames = lumora::test::decodedFrames(file);
    EXPECT_GE(frames, 50);
    EXPECT_LT(frames, 600 + 600 + kEndingFrames);
    EXPECT_LE(std::abs(frames - r.framesComposed), 1) << r.framesComposed;
    EXPECT_EQ(lumora::test::fullDecodeErrors(file), QString());
}

TEST_F(VeryLongProduction, LivePictureFollowsTheFramesBeingEncoded)
{
    addPhotos();
    ProductionWindow *w = startProduction(OutputType::MP4, QStringLiteral("看得见的相册"));
    ASSERT_NE(w, nullptr);
    QPointer<ProductionWindow> alive(w);
    QSignalSpy ended(w, &ProductionWindow::ended);
    auto *picture = child<QLabel>(w, "Image_zhizuo_huamian");
    EXPECT_TRUE(picture->pixmap().isNull()) << "the placeholder until the first frame";
    EXPECT_EQ(picture->size(), QSize(320, 176));
    auto centre = [picture] {
        const QImage img = picture->pixmap().toImage();
        return img.isNull() ? QColor() : img.pixelColor(img.width() / 2, img.height() / 2);
    };
    auto near = [](const QColor &a, const QColor &b) {
        return a.isValid()
            && std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 40;
    };
    // The first template's colour, then the second's: the picture is the
    // composed frame and moves on with the production.
    QTRY_VERIFY_WITH_TIMEOUT(near(centre(), lumora::test::kFirstTemplateColour), 120000);
    EXPECT_EQ(picture->pixmap().size(), QSize(320, 176));
    QTRY_VERIFY_WITH_TIMEOUT(near(centre(), lumora::test::kSecondTemplateColour) || !ended.isEmpty(), 120000);
    EXPECT_TRUE(ended.isEmpty()) << "the second template was never shown";
    dialogs.choiceAnswers = {1}; // remove the partial file
    w->stop();
    ASSERT_TRUE(ended.wait(kProductionTimeoutMs) || !ended.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out.path() + QStringLiteral("/看得见的相册.mp4")));
    EXPECT_FALSE(QFileInfo::exists(out.path() + QStringLiteral("/看得见的相册（未完成）.mp4")));
    child<QPushButton>(w, "Button_guanbi")->click();
    QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 2000);
}

} // namespace
