#pragma once
// The lyric settings editor TForm23 ("歌词设置") for one lyric file: default
// or custom display, position (sliders, or centred), colour, font, size,
// style and simplified/traditional characters, shown at once on a sample line
// on the 679 × 390 reference screen. "保存设置" writes the choices into the
// file's settings row; "取消" and the title-bar close leave it unchanged.
// The colour lists show the names people read, with a swatch; the row keeps
// the colour identifiers ("clWhite") and numbers. A font that is not
// installed, or a size outside 10–60, stays in the row as stored (the list
// shows it, a notice says what is drawn instead) and is never rewritten by a
// save that did not change it. The karaoke highlight colour is kept beside
// the line's settings.
#include <QDialog>

class QComboBox;
class QLabel;
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
    // The notice under the lists ("" when the row's font and size are usable).
    QString notice() const;

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
    QComboBox *m_highlight = nullptr; // karaoke highlight colour
    QLabel *m_notice = nullptr; // a stored font or size this system cannot show as it is
};

} // namespace lumora::ui
