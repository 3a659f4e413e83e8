// A program that makes an album, hands it to the recovery file, says "ready"
// and waits to be killed: the recovery test kills it with SIGKILL and
// restores its album in another process.
// Arguments: program folder, working root, recovery folder, photo folder.
#include <QGuiApplication>
#include <cstdio>
#include <thread>

#include "session/AlbumSession.h"
#include "session/RecoveryFile.h"

int main(int argc, char **argv)
{
    // Lyric and caption placement measure text: fonts need a GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: project_recovery_helper PROGRAM_DIR WORK_ROOT RECOVERY_DIR PHOTO_DIR\n");
        return 2;
    }
    lumora::AlbumSession session(args[1], args[2], 11);
    session.chooseMode(lumora::ModeKind::Wide16x9);
    session.addPhotos({args[4]});
    lumora::RecoveryFile recovery(args[3], std::chrono::milliseconds(100));
    recovery.submit(lumora::captureProject(session));
    recovery.flush();
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}
