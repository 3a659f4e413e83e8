// The main window, the mode chooser, the settings and the single-instance
// start, driven through their object names with the dialog service answering.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <optional>

#include "album/AlbumFixture.h"
#include "app/DialogService.h"
#include "app/Language.h"
#include "app/MainWindow.h"
#include "app/ModeChooser.h"
#include "app/SettingsWindow.h"
#include "app/Style.h"
#include "session/AlbumSession.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

bool waitFor(const std::function<bool()> &done, int ms = 20000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

template <class T> T *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            if (auto *t = qobject_cast<T *>(w))
                return t;
    return nullptr;
}

struct Fixture : ::testing::Test {
    QTemporaryDir work;
    AlbumSession session{QStringLiteral(LUMORA_TEST_PROGRAM_DIR), work.path(), 1};
    ScriptedDialogService dialogs;
    MainWindow main{session, dialogs};

    void SetUp() override { applyProgramStyle(*qApp); }
    // Start-up to the chooser, then a mode through its button.
    ModeChooser *startToChooser()
    {
        EXPECT_EQ(main.startUp(), QString());
        ModeChooser *chooser = nullptr;
        EXPECT_TRUE(waitFor([&] { return (chooser = topLevel<ModeChooser>(QStringLiteral("TForm43"))) != nullptr; }));
        return chooser;
    }
    // `answer`: the answer to the confirmation, asked when the album holds work.
    void choose(ModeChooser *chooser, ModeKind mode, std::optional<bool> answer = {})
    {
        if (answer)
            dialogs.confirmAnswers.push_back(*answer);
        chooser->findChild<QPushButton *>(ModeChooser::buttonName(mode))->click();
        if (answer.value_or(true))
            ASSERT_TRUE(waitFor([&] { return topLevel<ModeChooser>(QStringLiteral("TForm43")) == nullptr; }));
    }
};

} // namespace

TEST_F(Fixture, StartUpReachesTheChooserWhichRefusesToCloseWithoutAMode)
{
    ModeChooser *chooser = startToChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(main.size(), QSize(1189, 695));
    EXPECT_EQ(chooser->size(), QSize(876, 639));
    EXPECT_TRUE(main.startupMovieRunning());

    chooser->close();
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(dialogs.notices(), QStringList{QStringLiteral("没有选择相册模式！")});

    // The chooser also opens a saved album.
    EXPECT_NE(chooser->findChild<QPushButton *>(QStringLiteral("Button_dakai_xiangce")), nullptr);

    // The first choice on an empty album has nothing to lose: no question.
    const size_t asked = dialogs.asked.size();
    choose(chooser, ModeKind::Portrait);
    EXPECT_EQ(dialogs.asked.size(), asked);
    EXPECT_EQ(session.album().mode, ModeKind::Portrait);
    EXPECT_GT(session.album().ListView_mobancanshu.size(), 0);
    QWidget *frame = main.findChild<QWidget *>(QStringLiteral("ScrollBox_zhujiemian_kuang_00001"));
    QWidget *border = main.findChild<QWidget *>(QStringLiteral("suiButton7"));
    QWidget *backdropWidget = main.stageBackdrop();
    EXPECT_EQ(frame->size(), QSize(250, 445));
    EXPECT_EQ(border->geometry(), frame->geometry().adjusted(-4, -4, 4, 4));
    EXPECT_EQ(border->size(), QSize(258, 453));
    EXPECT_EQ(frame->x() - backdropWidget->x(), (backdropWidget->width() - 250) / 2);
    EXPECT_EQ(frame->y() - backdropWidget->y(), (backdropWidget->height() - 445) / 2);
    EXPECT_TRUE(backdropWidget->isVisible());
    EXPECT_EQ(main.previewArea()->size(), QSize(250, 445));
    // The start-up movie follows the chosen preview size.
    EXPECT_EQ(main.findChild<QWidget *>(QStringLiteral("ScrollBox_qi_dong_dong_hua"))->size(), QSize(250, 445));
    EXPECT_EQ(main.findChild<QLabel *>(QStringLiteral("Label_dangqian_moshi"))->text(),
              QStringLiteral("当前模式：竖屏相册模式"));
}

TEST(StartUp, ADamagedStartupMovieGivesTheNoticeAndEndsTheProgram)
{
    // A program folder whose packed start-up movie is not a packed file.
    QTemporaryDir program, work;
    QDir().mkpath(program.path() + QStringLiteral("/smxcwjj/wj_0_or_2_2"));
    QFile damaged(program.path() + QStringLiteral("/smxcwjj/wj_0_or_2_2/wj_0_or_2_2_d.rar"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a packed movie");
    damaged.close();
    AlbumSession session(program.path(), work.path(), 1);
    ScriptedDialogService dialogs;
    MainWindow main(session, dialogs);
    QString fatal;
    QObject::connect(&main, &MainWindow::fatalError, [&](const QString &m) { fatal = m; });

    EXPECT_EQ(main.startUp(), QString()); // the window shows; the movie loads on a worker
    ASSERT_TRUE(waitFor([&] { return !fatal.isEmpty(); }));
    ASSERT_FALSE(dialogs.notices().isEmpty());
    EXPECT_TRUE(dialogs.notices().first().startsWith(QStringLiteral("程序资源已损坏，请重新安装。")));
    EXPECT_FALSE(main.startupMovieRunning());
}

TEST_F(Fixture, ChoosingTheActiveModeAgainClearsTheAlbumAndRebuildsTheCatalogue)
{
    choose(startToChooser(), ModeKind::Wide16x9);
    Album &album = session.album();
    session.addPhotos({session.paths().samplePhotoFolder()});
    ASSERT_GT(album.ListView_daoru_zhaopian.size(), 0);
    ASSERT_GT(album.ListView_moban_shiyong.size(), 0);
    album.settings.huamiantexiaoTianjia = true;
    album.ListView_mobancanshu.clear();

    // Unsaved work is offered for saving first (不保存 here).
    dialogs.choiceAnswers = {1};
    main.findChild<QPushButton *>(QStringLiteral("suiButton_xiangce_moshi"))->click();
    ModeChooser *again = nullptr;
    ASSERT_TRUE(waitFor([&] { return (again = topLevel<ModeChooser>(QStringLiteral("TForm43"))) != nullptr; }));
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_EQ(dialogs.asked.back().kind, QStringLiteral("choose"));
    EXPECT_EQ(dialogs.asked.back().title, QStringLiteral("相册模式"));
    // With work in the album a cancelled confirmation changes nothing.
    const int added = album.ListView_daoru_zhaopian.size();
    choose(again, ModeKind::Portrait, false);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(album.mode, ModeKind::Wide16x9);
    EXPECT_EQ(album.ListView_daoru_zhaopian.size(), added);
    EXPECT_EQ(dialogs.asked.back().message,
              QStringLiteral("更换相册模式会清空当前的所有数据，是否确定要选择【竖屏模式】吗？"));
    choose(again, ModeKind::Wide16x9, true);
    EXPECT_GT(album.ListView_mobancanshu.size(), 0);
    for (const RowTable *t :
         {&album.ListView_daoru_zhaopian, &album.ListView_moban_shiyong, &album.ListView_moban_shiyong_canshu,
          &album.ListView_moban_beijing, &album.ListView_qubu_hengzhao, &album.wenzi_ListView_Image,
          &album.huamian_ListView_Image})
        EXPECT_TRUE(t->empty());
    EXPECT_FALSE(album.settings.huamiantexiaoTianjia);
    EXPECT_FALSE(main.stageBackdrop()->isVisible());
    EXPECT_EQ(main.findChild<QLabel *>(QStringLiteral("Label_shuliang_zhaopian"))->text(), QStringLiteral("0 张"));

    // Reopened and closed without a choice: mode and data stay.
    session.addPhotos({session.paths().samplePhotoFolder()});
    const int photos = album.ListView_daoru_zhaopian.size();
    dialogs.choiceAnswers = {1};
    main.findChild<QPushButton *>(QStringLiteral("suiButton_xiangce_moshi"))->click();
    ASSERT_TRUE(waitFor([&] { return (again = topLevel<ModeChooser>(QStringLiteral("TForm43"))) != nullptr; }));
    again->close();
    EXPECT_TRUE(waitFor([&] { return topLevel<ModeChooser>(QStringLiteral("TForm43")) == nullptr; }));
    EXPECT_EQ(album.ListView_daoru_zhaopian.size(), photos);
}

// Templates left out of the catalogue because their package is damaged are
// named in one notice, once per mode and run.
TEST(ModeChange, DamagedTemplatesAreNamedOnce)
{
    test::AlbumFixture tree;
    tree.addTemplate(test::landscapeTemplate("A"));
    tree.addTemplate({"Short", "|heng|", "|x|picture_2|", "|0|0|", "|1080|1080|"}); // a slot without orientation
    tree.addTemplate(test::portraitTemplate("B"));
    tree.addTemplate(test::landscapeTemplate("NoMovie"), false);
    QTemporaryDir work;
    AlbumSession session(tree.dir(), work.path(), 1);
    ScriptedDialogService dialogs;
    MainWindow main(session, dialogs);
    for (int round = 0; round < 2; ++round) {
        bool changed = false;
        main.changeMode(ModeKind::Wide16x9, [&] { changed = true; });
        ASSERT_TRUE(waitFor([&] { return changed; }));
    }
    ASSERT_EQ(session.album().ListView_mobancanshu.size(), 2);
    const QStringList notices = dialogs.notices();
    ASSERT_EQ(notices.size(), 1) << notices.join('|').toStdString();
    EXPECT_TRUE(notices[0].contains(QStringLiteral("t_001.rar")));
    EXPECT_TRUE(notices[0].contains(QStringLiteral("t_003.rar")));
    EXPECT_FALSE(notices[0].contains(QStringLiteral("t_000.rar")));
}

TEST_F(Fixture, PlayingGuardRefusesEveryCommandOfTheseWindows)
{
    session.chooseMode(ModeKind::Wide16x9);
    main.applyAlbumReset();
    session.addPhotos({session.paths().samplePhotoFolder()});
    main.refreshPhotoViews();
    session.album().cells.setText(cell::kTuichu, QStringLiteral("bofang_kaishi"));
    const QString guard = QStringLiteral("正在播放相册,点停止按钮后,再操作！");
    for (const char *name :
         {"Button_gongneng_01", "Button_xitong_shezhi", "Button49", "Button20", "Button21", "Button50", "Button22",
          "Button23", "Button24", "Button_fangda_chuangkou", "suiButton_xiangce_moshi"}) {
        dialogs.asked.clear();
        main.findChild<QPushButton *>(QString::fromLatin1(name))->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(dialogs.notices(), QStringList{guard}) << name;
    }
    main.showLargePhoto(0);
    EXPECT_TRUE(session.album().cells.is(cell::kHangshu, QStringLiteral("wu")));
    EXPECT_EQ(topLevel<QWidget>(QStringLiteral("TForm3")), nullptr);
    EXPECT_EQ(topLevel<QWidget>(QStringLiteral("TForm18")), nullptr);
    EXPECT_EQ(session.album().cells.windowMode, QStringLiteral("moren_chuangkou"));

    // Once preview has stopped the commands work again.
    session.album().cells.setText(cell::kTuichu, QStringLiteral("bofang_tingzhi"));
    main.findChild<QPushButton *>(QStringLiteral("Button_xitong_shezhi"))->click();
    EXPECT_TRUE(waitFor([&] { return topLevel<QWidget>(QStringLiteral("TForm18")) != nullptr; }));
    topLevel<QWidget>(QStringLiteral("TForm18"))->close();
}

TEST_F(Fixture, RestoringDefaultsLeavesPictureEffectsAndCombinationsAlone)
{
    Album &album = session.album();
    SettingsWindow settings(album);
    auto radio = [&](const char *name) { return settings.findChild<QRadioButton *>(QString::fromLatin1(name)); };
    radio("RadioButton_hengzhaopian_moren")->click();
    radio("RadioButton_zhujiemian_heng_shizhong")->click();
    radio("RadioButton_wenzitexiao_butianjia")->click();
    radio("RadioButton_huamiantexiao_tianjia")->click();
    radio("RadioButton_moban_zuhe_shiyong")->click();
    EXPECT_FALSE(album.settings.hengzhaopianQuanping);
    EXPECT_FALSE(album.settings.zhujiemianHengQuanpin);
    EXPECT_FALSE(album.settings.wenzitexiaoTianjia);

    settings.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
    EXPECT_TRUE(album.settings.hengzhaopianQuanping);
    EXPECT_TRUE(album.settings.zhujiemianHengQuanpin);
    EXPECT_TRUE(album.settings.wenzitexiaoTianjia);
    EXPECT_TRUE(album.settings.huamiantexiaoTianjia);
    EXPECT_TRUE(album.settings.mobanZuheShiyong);
    EXPECT_TRUE(radio("RadioButton_huamiantexiao_tianjia")->isChecked());
    EXPECT_TRUE(radio("RadioButton_hengzhaopian_quanping")->isChecked());

    // The album reset returns both.
    session.chooseMode(ModeKind::Wide4x3);
    settings.load();
    EXPECT_TRUE(radio("RadioButton_huamiantexiao_butianjia")->isChecked());
    EXPECT_TRUE(radio("RadioButton_moban_zuhe_bushiyong")->isChecked());
}

TEST_F(Fixture, FaceCropCheckBoxIsOnByDefaultAndFollowsTheAlbum)
{
    Album &album = session.album();
    SettingsWindow settings(album);
    auto *faces = settings.findChild<QCheckBox *>(QStringLiteral("CheckBox_renlian_jiancai"));
    ASSERT_NE(faces, nullptr);
    EXPECT_TRUE(faces->isChecked());
    faces->click();
    EXPECT_FALSE(album.settings.faceCrop);
    settings.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
    EXPECT_TRUE(album.settings.faceCrop);
    EXPECT_TRUE(faces->isChecked());
}

// The opening title and closing line are typed into the album's settings,
// shown again when the window opens, and kept by "恢复默认设置" (they are
// the person's words, not a choice of display).
TEST_F(Fixture, TitleAndClosingLineAreTypedKeptAndShown)
{
    Album &album = session.album();
    SettingsWindow settings(album);
    auto edit = [&](const char *name) { return settings.findChild<QLineEdit *>(QString::fromLatin1(name)); };
    ASSERT_TRUE(edit("Edit_piantou_biaoti") && edit("Edit_piantou_fubiaoti") && edit("Edit_pianwei_zimu"));
    edit("Edit_piantou_biaoti")->setText(QStringLiteral("外婆九十岁生日快乐"));
    edit("Edit_piantou_fubiaoti")->setText(QStringLiteral("2026年5月20日"));
    edit("Edit_pianwei_zimu")->setText(QStringLiteral("谢谢观看"));
    EXPECT_EQ(album.settings.piantouBiaoti, QStringLiteral("外婆九十岁生日快乐"));
    EXPECT_EQ(album.settings.piantouFubiaoti, QStringLiteral("2026年5月20日"));
    EXPECT_EQ(album.settings.pianweiZimu, QStringLiteral("谢谢观看"));
    settings.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
    EXPECT_EQ(album.settings.pianweiZimu, QStringLiteral("谢谢观看"));

    album.settings.piantouBiaoti = QStringLiteral("小明 ♥ 小红");
    settings.load();
    EXPECT_EQ(edit("Edit_piantou_biaoti")->text(), QStringLiteral("小明 ♥ 小红"));
    session.chooseMode(ModeKind::Wide4x3); // a new album has none
    settings.load();
    EXPECT_TRUE(edit("Edit_piantou_biaoti")->text().isEmpty());
    EXPECT_TRUE(edit("Edit_pianwei_zimu")->text().isEmpty());
}

TEST(SingleInstance, ASecondCopyEndsAtOnceAndLeavesTheFirstRunning)
{
    const QString program = QStringLiteral(LUMORA_TEST_PROGRAM_DIR) + QStringLiteral("lumora");
    if (!QFileInfo::exists(program))
        GTEST_SKIP() << "lumora is not built: " << program.toStdString();
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    // The first copy holds the lock as soon as it runs.
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(runtime.path() + QStringLiteral("/lumora.lock")); }, 5000));
    QThread::msleep(300);

    QProcess second;
    second.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A first copy that dies (killed) leaves no lock behind.
    first.kill();
    first.waitForFinished(5000);
    QProcess third;
    third.setProcessEnvironment(env);
    third.start(program, {});
    EXPECT_FALSE(third.waitForFinished(1500)); // it runs: it took the lock
    third.kill();
    third.waitForFinished(5000);
}

TEST_F(Fixture, InterfaceLanguageIsKeptInTheUserConfigurationNotTheAlbum)
{
    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    Album &album = session.album();
    const Settings before = album.settings;
    {
        SettingsWindow settings(album);
        auto *language = settings.findChild<QComboBox *>(QStringLiteral("ComboBox_jiemian_yuyan"));
        ASSERT_NE(language, nullptr);
        EXPECT_EQ(language->currentData().toString(), QStringLiteral("system"));
        EXPECT_EQ(language->count(), 3);
        language->setCurrentIndex(language->findData(QStringLiteral("en")));
        // Applied at the next start, as the window says.
        EXPECT_EQ(settings.findChild<QLabel *>(QStringLiteral("Label_jiemian_yuyan"))->text(),
                  QStringLiteral("重新启动程序后生效"));
        settings.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
    }
    EXPECT_EQ(storedInterfaceLanguage(), InterfaceLanguage::English) << "restoring defaults keeps the language";
    EXPECT_TRUE(album.settings == before) << "the album holds no language";
    SettingsWindow again(album);
    EXPECT_EQ(again.findChild<QComboBox *>(QStringLiteral("ComboBox_jiemian_yuyan"))->currentData().toString(),
              QStringLiteral("en"));
    saved.isNull() ? void(qunsetenv("XDG_CONFIG_HOME")) : void(qputenv("XDG_CONFIG_HOME", saved));
}
