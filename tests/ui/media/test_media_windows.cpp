// Music, lyric, lyric-settings, music-preview and sync windows, and the album
// preview in the main window: real windows offscreen, driven through their
// object names, the dialog service answering, the audio player silent.
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>

#include "app/ClockText.h"
#include "app/DialogService.h"
#include "app/FileFolders.h"
#include "app/MainWindow.h"
#include "app/PictureView.h"
#include "app/Style.h"
#include "media/AudioPlayer.h"
#include "media/LyricPanel.h"
#include "media/LyricSettingsWindow.h"
#include "media/LyricWindow.h"
#include "media/MediaFixtures.h"
#include "media/MusicPreviewWindow.h"
#include "media/MusicWindow.h"
#include "playback/AlbumPreview.h"
#include "playback/MediaWiring.h"
#include "playback/PreviewPlayback.h"
#include "playback/SyncWindow.h"
#include "production/ProductionFixture.h"
#include "production/ProductionRun.h"
#include "resources/PackedFile.h"
#include "session/AlbumSession.h"
#include "templates/PhotoTemplatesWindow.h"
#include "templates/TemplatePreviewWindow.h"
#include "templates/TextCodec.h"

using namespace lumora;
using namespace lumora::test;
using namespace lumora::ui;

namespace {

class MediaWindows : public ::testing::Test {
protected:
    MediaWindows() : session(fx.dir(), fx.dir() + QStringLiteral("work/"), 1)
    {
        session.chooseMode(ModeKind::Wide16x9);
    }
    QString song(const QString &name, double seconds)
    {
        const QString path = fx.dir() + name + QStringLiteral(".mp3");
        makeSineMp3(path, seconds);
        return path;
    }
    QString lyrics(const QString &name, const QString &text)
    {
        const QString path = fx.dir() + name + QStringLiteral(".lrc");
        writeFileBytes(path, encodeGbk(text));
        return path;
    }
    QStringList captions(const QTreeWidget *list, int column = 0) const
    {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(column);
        return out;
    }
    QStringList notices() const
    {
        QStringList out;
        for (const auto &a : dialogs.asked)
            if (a.kind == QStringLiteral("notice"))
                out << a.message;
        return out;
    }

    ProductionFixture fx;
    AlbumSession session;
    ScriptedDialogService dialogs;
};

} // namespace

TEST_F(MediaWindows, MusicWindowAddsMeasuresRefusesAndRenumbers)
{
    forgetFolders();
    MusicWindow w(session, dialogs, {});
    const QString a = song(QStringLiteral("甲"), 59.9), b = song(QStringLiteral("乙"), 2.0);
    const QString bad = fx.dir() + QStringLiteral("坏歌.mp3");
    writeFileBytes(bad, QByteArray("not a song"));
    dialogs.fileAnswers.push_back({a, a, bad, b});
    w.findChild<QPushButton *>(QStringLiteral("Button_tianjia_yinyue"))->click();

    auto *list = w.findChild<QTreeWidget *>(QStringLiteral("ListView_daoru_yinyue"));
    EXPECT_EQ(captions(list), (QStringList{"1", "2", "3"})) << "the same file twice gives two rows";
    EXPECT_EQ(list->topLevelItem(0)->text(3), QStringLiteral("00:00:59"));
    ASSERT_EQ(notices().size(), 1);
    EXPECT_TRUE(notices()[0].contains(bad)) << notices()[0].toStdString();

    // The dialog started in the home's Music folder (or home), not in the
    // program's sample folder, and takes upper-case names too; the next one
    // starts where these songs were taken.
    ASSERT_EQ(dialogs.asked.front().kind, QStringLiteral("openFiles"));
    EXPECT_FALSE(dialogs.asked.front().start.startsWith(session.paths().root()));
    EXPECT_TRUE(dialogs.asked.front().message.contains(QStringLiteral("*.MP3")));
    dialogs.fileAnswers.push_back({});
    w.findChild<QPushButton *>(QStringLiteral("Button_tianjia_yinyue"))->click();
    EXPECT_EQ(dialogs.asked.back().start, QFileInfo(a).absolutePath());

    // Deleting row 2 of 3 renumbers; the third song is now row 2, selected,
    // and the done message is in the status line (one box: the question).
    auto *status = w.findChild<QLabel *>(QStringLiteral("Label_zhuangtai"));
    ASSERT_TRUE(status);
    list->setCurrentItem(list->topLevelItem(1));
    w.findChild<QLineEdit *>(QStringLiteral("Edit_mingcheng"))->text();
    const int noticesBefore = int(notices().size());
    dialogs.confirmAnswers.push_back(true);
    w.findChild<QPushButton *>(QStringLiteral("Button_shanchu_yinyue"))->click();
    EXPECT_EQ(captions(list), (QStringList{"1", "2"}));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("乙"));
    EXPECT_EQ(session.album().ListView_daoru_yinyue[1].caption(), QStringLiteral("2"));
    EXPECT_EQ(status->text(), QStringLiteral("选中的音乐文件已经删除！"));
    EXPECT_EQ(int(notices().size()), noticesBefore);
    EXPECT_EQ(w.selectedRow(), 1);
    // 删除音乐 again deletes the song now selected (the last: the one before it is selected next).
    dialogs.confirmAnswers.push_back(true);
    w.findChild<QPushButton *>(QStringLiteral("Button_shanchu_yinyue"))->click();
    EXPECT_EQ(captions(list), (QStringList{"1"}));
    EXPECT_EQ(w.selectedRow(), 0);

    // Delete with nothing selected: said at once, without the question; then delete all.
    list->clearSelection();
    dialogs.asked.clear();
    w.findChild<QPushButton *>(QStringLiteral("Button_shanchu_yinyue"))->click();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(notices().back(), QStringLiteral("没有选中音乐文件！"));
    dialogs.confirmAnswers.push_back(true);
    w.findChild<QPushButton *>(QStringLiteral("Button_quanbu_shanchu"))->click();
    EXPECT_EQ(status->text(), QStringLiteral("音乐文件已经全部删除！"));
    EXPECT_EQ(list->topLevelItemCount(), 0);
    w.findChild<QPushButton *>(QStringLiteral("Button_quanbu_shanchu"))->click();
    EXPECT_EQ(notices().back(), QStringLiteral("没有添加音乐文件！"));
}

TEST_F(MediaWindows, LyricWindowDeletesTheSettingsRowWithItsFile)
{
    LyricWindow w(session, dialogs, {}, {});
    const QString bad = fx.dir() + QStringLiteral("二进制.lrc");
    writeFileBytes(bad, QByteArray("\x00\x01\x02\x03 binary", 10));
    dialogs.fileAnswers.push_back({lyrics(QStringLiteral("一"), QStringLiteral("[00:01.00]一\r\n")),
                                   lyrics(QStringLiteral("二"), QStringLiteral("[00:01.00]二\r\n")), bad,
                                   lyrics(QStringLiteral("三"), QStringLiteral("[00:01.00]三\r\n"))});
    w.findChild<QPushButton *>(QStringLiteral("Button_tianjia_geci"))->click();
    ASSERT_EQ(session.album().ListView_daoru_LRC.size(), 3);
    ASSERT_FALSE(notices().isEmpty());
    EXPECT_TRUE(notices().back().contains(bad));
    session.album().ListView_geci_shezhi_canshu[1].setSubItem(14, QStringLiteral("fanti"));

    auto *list = w.findChild<QTreeWidget *>(QStringLiteral("ListView_daoru_LRC"));
    list->setCurrentItem(list->topLevelItem(1));
    dialogs.confirmAnswers.push_back(true);
    w.findChild<QPushButton *>(QStringLiteral("Button_shanchu_geci"))->click();
    const Album &album = session.album();
    ASSERT_EQ(album.ListView_geci_shezhi_canshu.size(), 2);
    EXPECT_EQ(album.ListView_daoru_LRC[1].subItem(0), QStringLiteral("三"));
    EXPECT_EQ(album.ListView_geci_shezhi_canshu[1].subItem(0), QStringLiteral("三"));
    EXPECT_EQ(album.ListView_geci_shezhi_canshu[1].caption(), QStringLiteral("2"));
    EXPECT_EQ(album.ListView_geci_shezhi_canshu[1].subItem(14), QStringLiteral("jianti"));
    EXPECT_EQ(w.selectedRow(), 1) << "the next lyric file is selected";
    EXPECT_EQ(w.findChild<QLabel *>(QStringLiteral("Label_zhuangtai"))->text(),
              QStringLiteral("选中的歌词文件已经删除！"));

    // Settings without a selection, and the lyric preview without songs.
    list->clearSelection();
    w.findChild<QPushButton *>(QStringLiteral("Button_shezhi_geci"))->click();
    EXPECT_EQ(notices().back(), QStringLiteral("没有选中歌词文件！"));
    w.findChild<QPushButton *>(QStringLiteral("Button_geci_yulan"))->click();
    EXPECT_EQ(notices().back(), QStringLiteral("没有添加音乐文件！"));
}

TEST_F(MediaWindows, LyricSettingsSaveWritesTheRowAndCancelDoesNot)
{
    session.addLyricFiles({lyrics(QStringLiteral("歌"), QStringLiteral("[00:01.00]歌\r\n"))});
    LyricSettingsWindow w(session);
    w.prepare(0);
    EXPECT_FALSE(w.findChild<QSlider *>(QStringLiteral("TrackBar_geci_x"))->isEnabled());
    w.findChild<QRadioButton *>(QStringLiteral("RadioButton_zidingyi_xianshi"))->click();
    // A default row's custom place starts where the default showed it: centred.
    EXPECT_GT(w.findChild<QSlider *>(QStringLiteral("TrackBar_geci_x"))->value(), 200);
    w.findChild<QSlider *>(QStringLiteral("TrackBar_geci_x"))->setValue(100);
    w.findChild<QComboBox *>(QStringLiteral("ComboBox_geci_daxiao"))->setCurrentText(QStringLiteral("24"));
    w.findChild<QComboBox *>(QStringLiteral("ComboBox_geci_zixing"))->setCurrentText(QStringLiteral("倾斜"));
    w.findChild<QComboBox *>(QStringLiteral("ColorBox_geci_yase"))->setCurrentText(QStringLiteral("红色"));
    EXPECT_EQ(w.panel()->label()->x(), 100);
    EXPECT_TRUE(w.panel()->label()->font().italic());
    const Row before = session.album().ListView_geci_shezhi_canshu[0];
    w.reject();
    EXPECT_EQ(session.album().ListView_geci_shezhi_canshu[0].subItem(3), before.subItem(3));
    w.findChild<QPushButton *>(QStringLiteral("Button_baocun_shezhi"))->click();
    const Row &r = session.album().ListView_geci_shezhi_canshu[0];
    EXPECT_EQ(r.subItem(3), QStringLiteral("zidingyi_xianshi"));
    EXPECT_EQ(r.subItem(5), QStringLiteral("100"));
    EXPECT_EQ(r.subItem(8), QStringLiteral("xieti"));
    EXPECT_EQ(r.subItem(9), QStringLiteral("24"));
    EXPECT_EQ(r.subItem(12), QStringLiteral("clRed")); // the list shows 红色, the row keeps the identifier
    EXPECT_EQ(r.subItem(13), QStringLiteral("255"));
    EXPECT_EQ(r.subItem(15), QStringLiteral("51455")); // the karaoke highlight, default kept
}

TEST_F(MediaWindows, MusicPreviewPlaysToTheEndAndReturnsToIdle)
{
    session.addSongs({song(QStringLiteral("短歌"), 1.5)});
    session.addLyricFiles({lyrics(QStringLiteral("短歌"), QStringLiteral("[00:01.00]短歌一句\r\n"))});
    qint64 now = 0;
    AudioPlayer audio;
    audio.useSilentSink([&] { return now; });
    MusicPreviewWindow w(session, dialogs, audio);
    ASSERT_TRUE(w.prepare(QStringLiteral("bofanggeci"), 0));
    auto *songs = w.findChild<QComboBox *>(QStringLiteral("ComboBox_yinyue"));
    auto *lyricFiles = w.findChild<QComboBox *>(QStringLiteral("ComboBox_geci"));
    // Opened for the selected lyric file: it and its song are chosen.
    EXPECT_EQ(songs->currentIndex(), 0);
    EXPECT_EQ(lyricFiles->currentIndex(), 0);
    lyricFiles->setCurrentIndex(-1);
    w.findChild<QPushButton *>(QStringLiteral("Button_bofang_yinyue"))->click();
    EXPECT_EQ(notices().back(), QStringLiteral("没有选择歌词文件！"));
    lyricFiles->setCurrentIndex(0);
    Q_EMIT lyricFiles->activated(0);
    w.findChild<QPushButton *>(QStringLiteral("Button_bofang_yinyue"))->click();
    ASSERT_TRUE(w.playing());
    EXPECT_FALSE(songs->isEnabled());
    audio.waitDecoded();
    now = 1200;
    w.tick();
    EXPECT_EQ(w.findChild<QLabel *>(QStringLiteral("Label_dangqianshijian"))->text(), QStringLiteral("00:01"));
    EXPECT_EQ(w.findChild<QLabel *>(QStringLiteral("Label_LRC"))->text(), QStringLiteral("短歌一句"));
    now = 3000;
    w.tick();
    EXPECT_FALSE(w.playing());
    EXPECT_TRUE(songs->isEnabled());
    EXPECT_EQ(w.findChild<QLabel *>(QStringLiteral("Label_dangqianshijian"))->text(), QStringLiteral("00:00"));
    EXPECT_TRUE(w.findChild<QLabel *>(QStringLiteral("Label_LRC"))->text().isEmpty());
}

TEST_F(MediaWindows, SyncWindowSetsTheSessionChoice)
{
    SyncWindow w(session);
    EXPECT_TRUE(w.findChild<QRadioButton *>(QStringLiteral("RadioButton_moban_tongbu"))->isChecked());
    w.findChild<QRadioButton *>(QStringLiteral("RadioButton_yinyue_tongbu"))->click();
    EXPECT_EQ(session.output().sync, SyncMode::Music);
    w.findChild<QRadioButton *>(QStringLiteral("RadioButton_jiepai_tongbu"))->click();
    EXPECT_EQ(session.output().sync, SyncMode::Beat);
    session.chooseMode(ModeKind::Wide16x9); // an album reset brings template sync back
    w.refresh();
    EXPECT_TRUE(w.findChild<QRadioButton *>(QStringLiteral("RadioButton_moban_tongbu"))->isChecked());
}

TEST_F(MediaWindows, MainWindowPlaysStopsAndSeeksTheAlbum)
{
    MainWindow main(session, dialogs);
    auto *preview = main.findChild<AlbumPreview *>();
    ASSERT_TRUE(preview);
    preview->audio().useSilentSink();
    main.show();
    QApplication::setActiveWindow(&main);
    auto *play = main.button(QStringLiteral("Button33"));
    ASSERT_TRUE(play->isEnabled());
    play->click();
    EXPECT_EQ(notices().back(), QStringLiteral("没有添加照片文件！"));

    session.addPhotos({fx.photo(QStringLiteral("一")), fx.photo(QStringLiteral("二"))});
    ASSERT_EQ(session.album().ListView_daoru_zhaopian.size(), 2);
    play->click();
    PreviewPlayback &playback = preview->playback();
    EXPECT_EQ(session.album().cells.playingGuard().isEmpty(), false);
    playback.waitForWorker();
    ASSERT_EQ(playback.state(), PreviewState::Playing) << notices().join('\n').toStdString();
    EXPECT_TRUE(play->isEnabled());
    EXPECT_EQ(play->text(), QStringLiteral("暂停"));
    EXPECT_FALSE(main.previewPicture()->image().isNull());
    auto *bar = main.findChild<QSlider *>(QStringLiteral("TrackBar_bofang_weizhi"));
    ASSERT_TRUE(bar && bar->isVisible());
    EXPECT_EQ(bar->maximum(), playback.timeline().totalFrames - 1);
    bar->setValue(25 * 3 + 1);
    playback.waitForSeek(); // a template not loaded yet loads on a worker
    EXPECT_EQ(playback.shownFrame(), 76);
    EXPECT_EQ(main.findChild<QLabel *>(QStringLiteral("Label_danqianshijian"))->text(), QStringLiteral("00:00:03"));

    // A click on the bar jumps to the moment under the pointer; a drag seeks
    // as it goes and the picture follows the handle to where it is let go.
    const auto frameAt = [&](double share) { return QPoint(int(bar->width() * share), bar->height() / 2); };
    const auto near = [&](long long frame, double share) {
        return std::abs(double(frame) - share * bar->maximum()) <= 0.05 * bar->maximum();
    };
    QTest::mouseClick(bar, Qt::LeftButton, {}, frameAt(0.75));
    playback.waitForSeek();
    EXPECT_TRUE(near(playback.shownFrame(), 0.75)) << playback.shownFrame() << " of " << bar->maximum();
    EXPECT_EQ(bar->value(), playback.shownFrame());
    QTest::mousePress(bar, Qt::LeftButton, {}, frameAt(0.25));
    for (int step = 1; step <= 10; ++step) {
        QMouseEvent move(QEvent::MouseMove, frameAt(0.25 + 0.04 * step), bar->mapToGlobal(frameAt(0.25 + 0.04 * step)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QApplication::processEvents();
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, frameAt(0.65));
    playback.waitForSeek();
    EXPECT_TRUE(near(playback.shownFrame(), 0.65)) << playback.shownFrame() << " of " << bar->maximum();
    EXPECT_NE(playback.state(), PreviewState::Idle); // still playing (here the closing movie)

    // 暂停 holds the moment and offers 播放; Space plays on and pauses again.
    auto *current = main.findChild<QLabel *>(QStringLiteral("Label_danqianshijian"));
    play->click();
    EXPECT_TRUE(playback.paused());
    EXPECT_EQ(play->text(), QStringLiteral("播放"));
    const long long held = playback.shownFrame();
    const QString heldTime = current->text();
    QTest::qWait(300);
    EXPECT_EQ(playback.shownFrame(), held);
    EXPECT_EQ(current->text(), heldTime);
    EXPECT_FALSE(session.album().cells.playingGuard().isEmpty()) << "a paused album is not edited";
    QShortcut *space = nullptr;
    for (QShortcut *s : main.findChildren<QShortcut *>())
        if (s->key() == QKeySequence(Qt::Key_Space))
            space = s;
    ASSERT_TRUE(space);
    Q_EMIT space->activated();
    EXPECT_FALSE(playback.paused());
    EXPECT_EQ(play->text(), QStringLiteral("暂停"));
    Q_EMIT space->activated();
    EXPECT_TRUE(playback.paused());

    // 停止 goes back to the start from a pause; the idle picture comes back
    // and play is offered again.
    main.button(QStringLiteral("Button26"))->click();
    EXPECT_EQ(playback.state(), PreviewState::Idle);
    EXPECT_FALSE(playback.paused());
    EXPECT_EQ(current->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(play->text(), QStringLiteral("播放"));

    // While nothing plays the total shows the album's length as far as it is
    // known: the matched templates, or in music sync the songs added.
    auto *total = main.findChild<QLabel *>(QStringLiteral("Label_zongshijian"));
    main.refreshTotalTime();
    EXPECT_EQ(total->text(), playback.totalText());
    EXPECT_NE(total->text(), QStringLiteral("00:00:00"));
    session.output().sync = SyncMode::Music;
    session.addSongs({song(QStringLiteral("七秒"), 7.3)});
    main.refreshMusicList(); // as the music window leaves it
    EXPECT_EQ(total->text(), QStringLiteral("00:00:07"));
    EXPECT_TRUE(play->isEnabled());
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(session.album().cells.playingGuard().isEmpty());
}

TEST_F(MediaWindows, PhotoInOneCompleteTemplateOpensItsPreviewDirectly)
{
    session.addPhotos({fx.photo(QStringLiteral("一")), fx.photo(QStringLiteral("二"))});
    const Album &album = session.album();
    ASSERT_EQ(album.ListView_moban_shiyong.size(), 2);
    TemplatePreviewWindow preview(session, dialogs);
    PhotoTemplatesWindow photos(session, dialogs, preview, {});
    photos.setShowPreview(false);
    photos.previewPhoto(1);
    EXPECT_EQ(preview.entryWord(), QStringLiteral("yulan_zhujiemian_duiying_shiyongmoban"));
    EXPECT_TRUE(preview.preparing()) << "the template is staged off the user-interface thread";
    ASSERT_TRUE(preview.waitPrepared()) << notices().join('\n').toStdString();
    ASSERT_TRUE(preview.playing());
    preview.step();
    // The second template's time starts at the first one's duration.
    const long long first = catalogueFrames(album, album.ListView_moban_shiyong[0].caption().toInt());
    EXPECT_EQ(preview.currentTime(), clockTextHMS(frameSeconds(first + 1)));
    EXPECT_EQ(photos.list()->topLevelItemCount(), 1);
    EXPECT_FALSE(preview.picture()->image().isNull());
    // A used template shows its photos as cropped: no fit buttons.
    auto *fill = preview.findChild<QRadioButton *>(QStringLiteral("RadioButton_quanping"));
    auto *fit = preview.findChild<QRadioButton *>(QStringLiteral("RadioButton_shizhong"));
    EXPECT_FALSE(fill->isVisibleTo(&preview));
    EXPECT_FALSE(fit->isVisibleTo(&preview));
    EXPECT_TRUE(fill->isChecked());
    while (preview.step()) { }
    EXPECT_FALSE(preview.playing());
    EXPECT_TRUE(preview.findChild<QPushButton *>(QStringLiteral("Button_bofang"))->isEnabled());

    // The crop mark comes from the slot chosen, not from the template's first slot.
    const int used = album.ListView_moban_shiyong_canshu.cell(0, slotcol::kUsedRow).toInt();
    int second = -1;
    for (int s = 1; s < album.ListView_moban_shiyong_canshu.size() && second < 0; ++s)
        if (album.ListView_moban_shiyong_canshu.cell(s, slotcol::kUsedRow).toInt() == used)
            second = s;
    Album &edited = session.album();
    edited.ListView_moban_shiyong_canshu.setCell(0, slotcol::kCropMark, QStringLiteral("quanping_or_jubuquanping"));
    const int chosen = second >= 0 ? second : 0;
    edited.ListView_moban_shiyong_canshu.setCell(chosen, slotcol::kCropMark, QStringLiteral("shizhong"));
    ASSERT_TRUE(preview.prepareUsed(used, QStringLiteral("yulan_zhujiemian_duiying_shiyongmoban"), chosen));
    EXPECT_TRUE(fit->isChecked());
    ASSERT_TRUE(preview.waitPrepared());
}

TEST_F(MediaWindows, CatalogueTemplatePlaceholdersFollowTheFitButtons)
{
    TemplatePreviewWindow preview(session, dialogs);
    ASSERT_TRUE(preview.prepareCatalogue(0));
    ASSERT_TRUE(preview.waitPrepared()) << notices().join('\n').toStdString();
    const QString picture = session.paths().previewStaging() + QStringLiteral("picture_1.jpg");
    EXPECT_EQ(QImage(picture).size(), QSize(800, 450));
    auto *fit = preview.findChild<QRadioButton *>(QStringLiteral("RadioButton_shizhong"));
    ASSERT_TRUE(fit->isVisibleTo(&preview)) << "single landscape templates offer the fit buttons";
    preview.stop();
    fit->click();
    ASSERT_TRUE(preview.waitPrepared());
    EXPECT_EQ(QImage(picture).size(), QSize(675, 450));

    // A template that takes either orientation is listed twice: each entry
    // previews as what it is listed as.
    // (The single landscape template 0 listed a second time as 竖照模板, as
    // the catalogue lists a template whose slot takes either orientation.)
    Album &album = session.album();
    const int either = 0;
    for (int i = 0; i < album.ListView_moban.size(); ++i)
        if (album.ListView_moban.cell(i, listcol::kIndex).toInt() == either) {
            Row copy = album.ListView_moban[i];
            ASSERT_EQ(copy.cell(listcol::kCategory), kCategoryLandscape);
            copy.setCell(listcol::kCategory, kCategoryPortrait);
            album.ListView_moban.append(copy);
            break;
        }
    auto *category = preview.findChild<QLineEdit *>(QStringLiteral("Edit_fenlei"));
    preview.stop();
    ASSERT_TRUE(preview.prepareCatalogue(either, kCategoryPortrait));
    ASSERT_TRUE(preview.waitPrepared());
    EXPECT_EQ(category->text(), kCategoryPortrait);
    EXPECT_FALSE(fit->isVisibleTo(&preview));
    const QString eitherPicture = session.paths().previewStaging() + QStringLiteral("picture_1.jpg");
    EXPECT_EQ(QImage(eitherPicture).size(), QSize(450, 800));
    preview.stop();
    ASSERT_TRUE(preview.prepareCatalogue(either, kCategoryLandscape));
    ASSERT_TRUE(preview.waitPrepared());
    EXPECT_EQ(category->text(), kCategoryLandscape);
    EXPECT_TRUE(fit->isVisibleTo(&preview));
    EXPECT_EQ(QImage(eitherPicture).size(), QSize(800, 450));

    // "返回" while it plays stops and closes.
    ASSERT_TRUE(preview.playing());
    auto *back = preview.findChild<QPushButton *>(QStringLiteral("Button_fanhui"));
    EXPECT_TRUE(back->isEnabled());
    preview.show();
    back->click();
    EXPECT_FALSE(preview.playing());
    EXPECT_FALSE(preview.isVisible());

    // Closed while its worker still stages: nothing plays, and the staging
    // folder goes once the worker has ended.
    preview.stop();
    ASSERT_TRUE(preview.prepareCatalogue(0));
    preview.findChild<QPushButton *>(QStringLiteral("Button_fanhui"))->click();
    EXPECT_FALSE(preview.waitPrepared());
    EXPECT_FALSE(preview.playing());
    EXPECT_FALSE(QFile::exists(session.paths().previewStaging()));
}
