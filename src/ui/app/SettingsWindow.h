#pragma once
// The settings window TForm18 ("系统设置"): the seven option groups and the
// caption theme, the face-aware cut (CheckBox_renlian_jiancai), the album's
// opening title (two lines) and closing line, bound to the album's settings
// as the user clicks and types;
// the interface language (ComboBox_jiemian_yuyan, kept in the user's
// configuration for the next start); "恢复默认设置" (Button2) and the two back buttons (Button1, Button3).
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
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
    QComboBox *m_language = nullptr; // ComboBox_jiemian_yuyan
    QCheckBox *m_faces = nullptr; // CheckBox_renlian_jiancai
    QLineEdit *m_title = nullptr; // Edit_piantou_biaoti
    QLineEdit *m_subtitle = nullptr; // Edit_piantou_fubiaoti
    QLineEdit *m_ending = nullptr; // Edit_pianwei_zimu
    bool m_loading = false;
};

} // namespace lumora::ui
