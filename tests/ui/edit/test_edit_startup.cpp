// Template management inside the main window (its preview buttons and the
// template preview window) and the recovery offer at start-up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/Columns.h"
#include "image/ImageIO.h"
#include "session/AlbumSession.h"
#include "session/ProjectFile.h"
#include "session/RecoveryFile.h"
#include "ui/album/TemplateManagerWindow.h"
#include "ui/app/DialogService.h"
#include "ui/app/EditCommands.h"
#include "ui/app/MainWindow.h"
#include "ui/app/Style.h"
#include "ui/templates/TemplatePreviewWindow.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

const QString kProgram = QStringLiteral(LUMORA_TEST_PROGRAM_DIR);

QStringList writePhotos(const QString &folder, int landscape, int portrait)
{
    QDir().mkpath(folder);
    QStringList out;
    for (int i = 0; i < landscape + portrait; ++i) {
        const bool wide = i < landscape;
        QImage img(wide ? 320 : 240, wide ? 240 : 320, QImage::Format_RGB32);
        img.fill(QColor::fromHsv(i * 50 % 360, 200, 200));
        out << folder + QStringLiteral("/p%1.jpg").arg(i);
        writeJpeg(img, out.back());
    }
    return out;
}

// What the template preview window showed when it opened, read while it runs
// modally; it is then stopped and closed with its own buttons.
struct PreviewSeen {
    bool opened = false;
    QString entry, name;
};

PreviewSeen clickAndWatchPreview(MainWindow &main, QPushButton *button)
{
    PreviewSeen seen;
    auto *preview = main.findChild<TemplatePreviewWindow *>(QStringLiteral("TForm19"));
    EXPECT_TRUE(preview);
    if (!preview)
        return seen;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!preview->isVisible())
            return;
        watch.stop();
        seen.opened = true;
        seen.entry = preview->entryWord();
        seen.name = preview->findChild<QLineEdit *>(QStringLiteral("Edit_mingcheng"))->text();
        // It plays at once; "返回" is enabled once stopped.
        preview->findChild<QPushButton *>(QStringLiteral("Button_tingzhi"))->click();
        preview->findChild<QPushButton *>(QStringLiteral("Button_fanhui"))->click();
        if (preview->isVisible())
            preview->close();
    });
    watch.start();
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::qWaitFor([&] { return seen.opened; }, 20000);
    return seen;
}

} // namespace

TEST(TemplateManagerInMainWindow, PreviewButtonsPlayTheChosenTemplate)
{
    applyProgramStyle(*qApp);
    QTemporaryDir tmp;
    AlbumSession session(kProgram, tmp.path() + QStringLiteral("/work/"), 3);
    session.chooseMode(ModeKind::Wide16x9);
    session.addPhotos(writePhotos(tmp.path() + QStringLiteral("/photos"), 3, 2));
    ScriptedDialogService dialogs;
    MainWindow main(session, dialogs);
    const Album &a = session.album();
    ASSERT_GE(a.ListView_moban_shiyong.size(), 2);

    QTest::mouseClick(main.button(QStringLiteral("Button_gongneng_07")), Qt::LeftButton);
    auto *tm = main.findChild<TemplateManagerWindow *>(QStringLiteral("TForm8"));
    ASSERT_TRUE(tm);
    QTRY_VERIFY(tm->tablesLoaded());
    auto *usedButton = tm->findChild<QPushButton *>(QStringLiteral("Button27"));
    auto *catalogueButton = tm->findChild<QPushButton *>(QStringLiteral("Button22"));
    ASSERT_TRUE(usedButton && catalogueButton);
    EXPECT_TRUE(usedButton->isEnabled());
    EXPECT_TRUE(catalogueButton->isEnabled());

    // The second used template (complete after automatic matching).
    ASSERT_EQ(a.ListView_moban_shiyong.cell(1, usedcol::kStatus), QStringLiteral("已完成"));
    tm->selectUsedTemplate(1);
    const PreviewSeen used = clickAndWatchPreview(main, usedButton);
    EXPECT_TRUE(used.opened) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(used.entry, QStringLiteral("yulan_shiyongmoban"));
    EXPECT_EQ(used.name, a.ListView_moban_shiyong.cell(1, usedcol::kName));

    // A catalogue template further down the list.
    auto *list = tm->findChild<QTreeWidget *>(QStringLiteral("ListView_moban"));
    const int row = a.ListView_moban.size() - 1;
    list->setCurrentItem(list->topLevelItem(row));
    const PreviewSeen catalogue = clickAndWatchPreview(main, catalogueButton);
    EXPECT_TRUE(catalogue.opened) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(catalogue.entry, QStringLiteral("yulan_yuanmoban"));
    EXPECT_EQ(catalogue.name, a.ListView_moban.cell(row, listcol::kName));
    tm->close();
}

// An album left behind by a run that died is offered at start-up, before the
// mode chooser. Accepted, it comes back with its own mode and the chooser
// does not open; declined, the chooser opens on an empty album. Either way
// the leftover is not offered again.
TEST(Recovery, OfferedAtStartUpBeforeTheModeChooser)
{
    applyProgramStyle(*qApp);
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(accept ? "accepted" : "declined");
        QTemporaryDir tmp;
        const QString folder = tmp.path() + QStringLiteral("/recovery");
        QDir().mkpath(folder);

        // The pid of a process that has ended names the leftover.
        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        ASSERT_TRUE(ended.waitForStarted());
        const qint64 deadPid = ended.processId();
        ASSERT_TRUE(ended.waitForFinished());
        AlbumSession crashed(kProgram, tmp.path() + QStringLiteral("/crashed/"), 4);
        crashed.chooseMode(ModeKind::Portrait);
        crashed.addPhotos(writePhotos(tmp.path() + QStringLiteral("/photos"), 1, 3));
        saveProject(crashed, folder + QStringLiteral("/recovery-%1.lumora").arg(deadPid));
        ASSERT_EQ(RecoveryFile::leftBehind(folder).size(), 1);

        AlbumSession session(kProgram, tmp.path() + QStringLiteral("/work/"), 5);
        ScriptedDialogService dialogs;
        dialogs.confirmAnswers = {accept};
        MainWindow main(session, dialogs);
        enableAlbumRecovery(main, folder);
        ASSERT_EQ(main.startUp(), QString());
        auto chooserShown = [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QStringLiteral("TForm43") && w->isVisible())
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!dialogs.asked.empty(), 20000);
        EXPECT_EQ(dialogs.asked.front().kind, QStringLiteral("confirm"));
        EXPECT_EQ(dialogs.asked.front().title, QStringLiteral("恢复相册"));
        if (accept) {
            QTRY_VERIFY_WITH_TIMEOUT(session.album().modeChosen, 20000);
            EXPECT_EQ(session.album().mode, ModeKind::Portrait);
            EXPECT_EQ(session.album().ListView_daoru_zhaopian, crashed.album().ListView_daoru_zhaopian);
            EXPECT_EQ(session.album().ListView_moban_shiyong_canshu, crashed.album().ListView_moban_shiyong_canshu);
            QTest::qWait(200);
            EXPECT_FALSE(chooserShown());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(chooserShown(), 20000);
            EXPECT_FALSE(session.album().modeChosen);
            EXPECT_TRUE(session.album().ListView_daoru_zhaopian.empty());
        }
        EXPECT_TRUE(RecoveryFile::leftBehind(folder).isEmpty());
    }
}
