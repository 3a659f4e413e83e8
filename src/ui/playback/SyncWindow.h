#pragma once
// The sync window TForm7 ("同步效果"): whether the album follows its
// templates (the music repeats) or its music (the templates repeat). The
// choice lives in the session's output choices, read by preview and
// production; an album reset brings it back to template sync.
#include <QDialog>

class QRadioButton;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class SyncWindow : public QDialog {
    Q_OBJECT
public:
    SyncWindow(AlbumSession &session, QWidget *parent = nullptr);
    // Shows the session's current choice.
    void refresh();

protected:
    void showEvent(QShowEvent *e) override;

private:
    AlbumSession &m_session;
    QRadioButton *m_templates = nullptr;
    QRadioButton *m_music = nullptr;
    QRadioButton *m_beat = nullptr;
};

} // namespace lumora::ui
