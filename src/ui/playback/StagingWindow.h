#pragma once
// The staging window TForm12: the bar of the staging run that prepares the
// album before preview, with a stop command. Window-modal over the main
// window while the staging worker runs, so nothing touches the album.
#include <QDialog>

class QProgressBar;

namespace lumora::ui {

class StagingWindow : public QDialog {
    Q_OBJECT
public:
    explicit StagingWindow(QWidget *parent = nullptr);
    void setProgress(int done, int maximum);

Q_SIGNALS:
    void stopRequested();

protected:
    void reject() override; // Esc and the title-bar close ask to stop

private:
    QProgressBar *m_bar = nullptr;
};

} // namespace lumora::ui
