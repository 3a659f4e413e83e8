#pragma once
// The settings window TForm18 ("系统设置"): the seven option groups and the
// caption theme and the face-aware cut (CheckBox_renlian_jiancai), bound to the album's settings as the user clicks;
// "恢复默认设置" (Button2) and the two back buttons (Button1, Button3).
#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace lumora {
struct Album;
struct Settings;
} // namespace lumora

namespace lumora::ui {

class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    explicit SettingsWindow(Album &album, QWidget *parent = nullptr);
    // Shows the album's settings in the buttons (on opening).
    void load();

private:
    QRadioButton *radio(const QString &name, const QString &text, QWidget *parent);
    void store();

    Album &m_album;
    QComboBox *m_theme = nullptr;
    QCheckBox *m_faces = nullptr; // CheckBox_renlian_jiancai
    bool m_loading = false;
};

} // namespace lumora::ui
