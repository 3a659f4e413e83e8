// How the album's recovery file ends with the program: removed on a chosen
// exit, kept (and so offered at the next start) when a signal ends a program
// holding unsaved work, removed when the work is saved.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/DialogService.h"
#include "app/ProjectCommands.h"
#include "image/ImageIO.h"
#include "session/AlbumSession.h"
#include "session/RecoveryFile.h"

using namespace lumora;
using namespace lumora::ui;

TEST(ProjectExit, ASignalKeepsOnlyUnsavedWork)
{
    QTemporaryDir work, files, recovery;
    AlbumSession session(QStringLiteral(LUMORA_TEST_PROGRAM_DIR), work.path(), 3);
    ScriptedDialogService dialogs;
    auto recoveryFiles = [&] { return QDir(recovery.path()).entryList({QStringLiteral("*.lumora")}, QDir::Files); };

    {
        // No mode, then a mode without photos: nothing to keep.
        ProjectCommands commands(session, dialogs, nullptr, {}, recovery.path());
        EXPECT_FALSE(commands.hasUnsavedWork());
        session.chooseMode(ModeKind::Wide16x9);
        EXPECT_FALSE(commands.hasUnsavedWork());
        commands.endKeepingUnsavedWork();
        commands.cleanExit();
        EXPECT_TRUE(recoveryFiles().isEmpty());
    }
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    writeJpeg(img, files.path() + QStringLiteral("/a.jpg"));
    session.addPhotos({files.path() + QStringLiteral("/a.jpg")});
    {
        // A photo no save holds: the signal keeps it in the recovery file,
        // and the clean-up at the very end leaves the file.
        ProjectCommands commands(session, dialogs, nullptr, {}, recovery.path());
        EXPECT_TRUE(commands.hasUnsavedWork());
        commands.endKeepingUnsavedWork();
        commands.cleanExit();
    }
    ASSERT_EQ(recoveryFiles().size(), 1);
    for (const QString &f : recoveryFiles())
        QFile::remove(recovery.path() + QLatin1Char('/') + f);
    {
        // Saved: nothing unsaved, the file goes.
        ProjectCommands commands(session, dialogs, nullptr, {}, recovery.path());
        dialogs.fileAnswers.push_back({files.path() + QStringLiteral("/album.lumora")});
        ASSERT_FALSE(commands.save().isEmpty());
        EXPECT_FALSE(commands.hasUnsavedWork());
        commands.snapshotNow();
        commands.endKeepingUnsavedWork();
        commands.cleanExit();
        EXPECT_TRUE(recoveryFiles().isEmpty());
    }
}
