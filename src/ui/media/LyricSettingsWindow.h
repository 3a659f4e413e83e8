#pragma once
// The lyric settings editor TForm23 ("歌词设置") for one lyric file: default
// or custom display, position (sliders, or centred), colour, font, size,
// style and simplified/traditional characters, shown at once on a sample line
// on the 679 × 390 reference screen. "保存设置" writes the choices into the
// file's settings row; "取消" and the title-bar close leave it unchanged.
#include <QDialog>

class QComboBox;
class QRadioButton;
class QSlider;

namespace lumora {
class AlbumSession;
class Row;
} // namespace lumora

namespace lumora::ui {

class LyricPanel;

class LyricSettingsWindow : public QDialog {
    Q_OBJECT
public:
    explicit LyricSettingsWindow(AlbumSession &session, QWidget *parent = nullptr);

    // Loads settings row `row` into the editor; openFor() also shows it modally.
    void prepare(int row);
    void openFor(int row);
    // Writes the editor's state into the row and closes.
    void save();
    LyricPanel *panel() const { return m_panel; }

private:
    void showStored(); // the sample with the row's stored settings
    void updateSample(); // the sample with the editor's current choices
    void setCustomEnabled(bool on);
    QString styleKey() const;
    QColor chosenColour() const;

    AlbumSession &m_session;
    int m_row = -1;
    bool m_loading = false;
    LyricPanel *m_panel = nullptr;
    QRadioButton *m_default = nullptr, *m_custom = nullptr, *m_free = nullptr, *m_centred = nullptr;
    QSlider *m_x = nullptr, *m_y = nullptr;
    QComboBox *m_colour = nullptr, *m_font = nullptr, *m_size = nullptr, *m_style = nullptr, *m_form = nullptr;
};

} // namespace lumora::ui
