#pragma once
// "保存相册" and "打开相册" of the main window, and the recovery file: the album
// is handed to the recovery writer every few seconds (it writes only what
// changed, on its own thread), a clean exit removes the file, and at the next
// start a file left by a crash is offered for restoring.
//
// Use from the user-interface thread.
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QWidget;

namespace lumora {
class AlbumSession;
class RecoveryFile;
} // namespace lumora

namespace lumora::ui {

class DialogService;

class ProjectCommands : public QObject {
    Q_OBJECT
public:
    // window: parent of the dialogs. afterOpen: the main window shows the
    // album just opened. recoveryFolder: "" for no recovery file.
    ProjectCommands(AlbumSession &session, DialogService &dialogs, QWidget *window, std::function<void()> afterOpen,
                    const QString &recoveryFolder);
    ~ProjectCommands() override;

    // The file dialog, then the project written. Returns the path saved ("" when cancelled or failed).
    QString save();
    // The file dialog, then the project opened (missing files named and, if
    // the person agrees, left out). True when an album was opened.
    bool open();
    // Opens `path` with the notices and the question about missing files.
    bool openPath(const QString &path);
    // At start: offers the album a crashed run left behind. True when restored.
    bool offerRecovery();
    // Before an action that replaces or ends the album (打开相册, 相册模式,
    // 退出软件): when the album holds work that was never saved, asks
    // whether to save it first ("保存" / "不保存" / "取消"). True when the
    // action may go on: nothing to save, saved, or the person chose not to.
    bool settleUnsavedChanges(const QString &title);
    // The album as it is now counts as saved (after a save or an open).
    void markSaved();
    // Hands the album to the recovery writer now (also done every few seconds).
    void snapshotNow();
    // A clean exit: the recovery file is removed (unless endKeepingUnsavedWork
    // kept it).
    void cleanExit();
    // True when the album holds photos, songs or lyric files that no save
    // (or open) has put in a project file as they are now.
    bool hasUnsavedWork() const;
    // An exit the person did not choose (a signal): unsaved work is written
    // to the recovery file and kept there, to be offered at the next start;
    // without unsaved work the file is removed.
    void endKeepingUnsavedWork();
    // Writes the album to the recovery file now and waits until it is on
    // disk (after a fault, before anything else can go wrong).
    void writeRecoveryNow();
    RecoveryFile *recovery() const { return m_recovery.get(); }

private:
    AlbumSession &m_session;
    DialogService &m_dialogs;
    QWidget *m_window;
    std::function<void()> m_afterOpen;
    std::unique_ptr<RecoveryFile> m_recovery;
    QString m_recoveryFolder;
    QTimer m_timer;
    QString m_lastName; // the album file last saved or opened, without its folder and extension
    // The path 保存相册 suggests: the album's name in the folder of album files.
    QString suggestedPath() const;
    // The project document of the last save or open ("" before any).
    QByteArray m_savedDocument;
    bool m_keepRecovery = false;
    bool m_recoveryHoldsWork = false;
};

} // namespace lumora::ui
