#pragma once
// Automatic text placement (TForm34, "文字特效自动加入模板中"): for every
// chosen complete template and each of its text marks, a matching text effect
// of the chosen category is added at the mark's frame position; the rows are
// tied to their template and their start times re-derived from the album's
// template order. "自动加入" runs the placement on a worker thread (the window
// stays modal with its controls disabled, so nothing else touches the album
// meanwhile), with the progress bar fed by queued signals; the result notice
// follows and the window closes.
// User-interface thread only.
#include <QDialog>
#include <QFutureWatcher>
#include <memory>

#include "effects/EffectPlacement.h"

class QCheckBox;
class QComboBox;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;

class TextPlacementWindow : public QDialog {
    Q_OBJECT
public:
    // provisionalStart: the text effect window's time selection (hh:mm:ss).
    TextPlacementWindow(AlbumSession &session, DialogService &dialogs, const QString &provisionalStart,
                        QWidget *parent);
    ~TextPlacementWindow() override;

    bool runningPlacement() const { return m_watcher.isRunning(); }

Q_SIGNALS:
    void progressed(int value, int maximum);

protected:
    void reject() override;

private:
    void categoryChosen(int row);
    void run();
    void done();
    void setControlsEnabled(bool enabled);

    AlbumSession &m_session;
    DialogService &m_dialogs;
    QString m_provisionalStart;
    QComboBox *m_category = nullptr;
    QRadioButton *m_every = nullptr, *m_interval = nullptr, *m_random = nullptr;
    QComboBox *m_intervalCount = nullptr;
    QCheckBox *m_removeOverlaps = nullptr; // "删除重叠的文字特效"
    QProgressBar *m_progress = nullptr;
    QPushButton *m_run = nullptr, *m_back = nullptr;
    QFutureWatcher<PlacementReport> m_watcher;
    // The draft of the session the running placement works on.
    std::shared_ptr<AlbumSession> m_draft;
};

} // namespace lumora::ui
