#pragma once
// The 679 × 390 reference screen Panel_LRC on which a lyric line is shown
// with its display settings (the music preview and the lyric settings
// editor). The line is the label Label_LRC, placed and styled by the
// engine's Apply settings.
#include <QWidget>

class QLabel;

namespace lumora {
class Row;
}

namespace lumora::ui {

class LyricPanel : public QWidget {
    Q_OBJECT
public:
    explicit LyricPanel(QWidget *parent = nullptr);
    // Shows `line` with the settings of `settings` (unscaled: the reference screen).
    void showLine(const Row &settings, const QString &line);
    // Shows the line with an explicit font, colour and position.
    void showStyled(const QString &line, const QFont &font, const QColor &colour, QPoint topLeft);
    void clearLine();
    QLabel *label() const { return m_label; }

private:
    QLabel *m_label = nullptr;
};

} // namespace lumora::ui
