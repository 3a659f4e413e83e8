#pragma once
// The quality window (TForm6): the television system and the three picture
// quality levels of the album's production choices. A click stores the
// choice in the session's output choices at once; the hidden key cell
// Edit_huamianzhiliang_xuanzhong shows the key of the level checked.
// User-interface thread only.
#include <QDialog>

#include "production/OutputOptions.h"

class QLineEdit;
class QRadioButton;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class QualityWindow : public QDialog {
    Q_OBJECT
public:
    explicit QualityWindow(AlbumSession &session, QWidget *parent = nullptr);

    // The key of the checked level ("biaoqing", "gaoqing", "chaoqing").
    QString qualityKeyText() const;

protected:
    // Checks the buttons that match the session's choices.
    void showEvent(QShowEvent *event) override;

private:
    void loadChoice();
    void storeQuality(QualityLevel level);
    void storeTv(TvSystem tv);

    AlbumSession &m_session;
    QRadioButton *m_pal;
    QRadioButton *m_ntsc;
    QRadioButton *m_levels[3];
    QLineEdit *m_key;
};

} // namespace lumora::ui
