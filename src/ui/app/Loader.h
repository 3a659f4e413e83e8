#pragma once
// The loader window TForm1: a borderless splash of 500 × 249 with the
// 1-pixel progress bar ProgressBar_jiazai along its bottom edge. After a
// second it hides and hands over to the main window (`finished`).
#include <QWidget>

class QProgressBar;
class QTimer;

namespace lumora::ui {

class Loader : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 1000;
    explicit Loader(QWidget *parent = nullptr);
    // Shows the splash and starts Timer1.
    void start(int delayMs = kDelayMs);
    QProgressBar *progressBar() const { return m_bar; }

Q_SIGNALS:
    void finished();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QProgressBar *m_bar;
    QTimer *m_timer;
};

} // namespace lumora::ui
