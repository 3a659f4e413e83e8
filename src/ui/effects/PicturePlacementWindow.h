#pragma once
// Automatic picture placement (TForm35, "自动添加画面特效"): a family of
// effect combinations laid end to end over the album's complete templates.
// "确定" runs the placement on a worker thread (the window stays modal and
// its controls disabled, so nothing else touches the album meanwhile), with
// the progress bar fed by queued signals; the result notice follows and the
// window closes.
// User-interface thread only.
#include <QDialog>
#include <QFutureWatcher>
#include <memory>

#include "effects/EffectPlacement.h"

class QComboBox;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;

class PicturePlacementWindow : public QDialog {
    Q_OBJECT
public:
    PicturePlacementWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent);
    ~PicturePlacementWindow() override;

    bool runningPlacement() const { return m_watcher.isRunning(); }

Q_SIGNALS:
    void progressed(int value, int maximum);

protected:
    void reject() override;

private:
    void run();
    void done();
    void setControlsEnabled(bool enabled);

    AlbumSession &m_session;
    DialogService &m_dialogs;
    QComboBox *m_family = nullptr;
    QRadioButton *m_continuous = nullptr, *m_random = nullptr, *m_interval = nullptr;
    QComboBox *m_seconds = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_ok = nullptr, *m_back = nullptr;
    QFutureWatcher<PlacementReport> m_watcher;
    // The draft of the session the running placement works on.
    std::shared_ptr<AlbumSession> m_draft;
};

} // namespace lumora::ui
