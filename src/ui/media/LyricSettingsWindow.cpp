#include "media/LyricSettingsWindow.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "media/LyricPanel.h"
#include "media/LyricSettings.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {
const QString kSample = QStringLiteral("此处显示歌词内容");

// Sub-items of a lyric settings row.
enum Cell {
    kDisplay = 3,
    kDefaultTop = 4,
    kLeft = 5,
    kTop = 6,
    kFont = 7,
    kStyle = 8,
    kSize = 9,
    kCentred = 10,
    kColourName = 12,
    kColourNumber = 13,
    kForm = 14
};

// The standard named colours; the number holds red in the low byte.
struct NamedColour {
    const char *name;
    QRgb rgb;
};
const NamedColour kColours[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x800000},  {"clGreen", 0x008000}, {"clOlive", 0x808000},
    {"clNavy", 0x000080},   {"clPurple", 0x800080},  {"clTeal", 0x008080},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0xFF0000},     {"clLime", 0x00FF00},  {"clYellow", 0xFFFF00},
    {"clBlue", 0x0000FF},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0x00FFFF},  {"clWhite", 0xFFFFFF},
};
QString colourNumber(QColor c)
{
    return QString::number(c.red() | (c.green() << 8) | (c.blue() << 16));
}
const QStringList kStyleTexts{QStringLiteral("常规"), QStringLiteral("倾斜"), QStringLiteral("粗体"),
                              QStringLiteral("粗体 倾斜")};
const QStringList kStyleKeys{lyrickey::kRegular, lyrickey::kItalic, lyrickey::kBold, lyrickey::kBoldItalic};
} // namespace

LyricSettingsWindow::LyricSettingsWindow(AlbumSession &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("TForm23"));
    setWindowTitle(QStringLiteral("歌词设置"));
    setModal(true);
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    m_panel = new LyricPanel(this);
    left->addWidget(m_panel);
    m_x = new QSlider(Qt::Horizontal, this);
    m_x->setObjectName(QStringLiteral("TrackBar_geci_x"));
    m_x->setRange(0, kLyricReferenceWidth);
    left->addWidget(m_x);
    layout->addLayout(left);
    m_y = new QSlider(Qt::Vertical, this);
    m_y->setObjectName(QStringLiteral("TrackBar_geci_y"));
    m_y->setRange(0, kLyricReferenceHeight);
    m_y->setInvertedAppearance(true);
    layout->addWidget(m_y);

    auto *right = new QVBoxLayout;
    auto *display = new QGroupBox(QStringLiteral("显示"), this);
    auto *d = new QVBoxLayout(display);
    m_default = new QRadioButton(QStringLiteral("默认显示"), display);
    m_default->setObjectName(QStringLiteral("RadioButton_moren_xianshi"));
    m_custom = new QRadioButton(QStringLiteral("自定义显示"), display);
    m_custom->setObjectName(QStringLiteral("RadioButton_zidingyi_xianshi"));
    d->addWidget(m_default);
    d->addWidget(m_custom);
    right->addWidget(display);
    auto *position = new QGroupBox(QStringLiteral("位置"), this);
    auto *p = new QVBoxLayout(position);
    m_free = new QRadioButton(QStringLiteral("自定义"), position);
    m_free->setObjectName(QStringLiteral("RadioButton_zidingyi_zidingyi"));
    m_centred = new QRadioButton(QStringLiteral("居中显示"), position);
    m_centred->setObjectName(QStringLiteral("RadioButton_zidingyi_juzhong"));
    p->addWidget(m_free);
    p->addWidget(m_centred);
    right->addWidget(position);
    auto *form = new QFormLayout;
    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("ColorBox_geci_yase"));
    for (const NamedColour &c : kColours) {
        QPixmap swatch(14, 14);
        swatch.fill(QColor(c.rgb));
        m_colour->addItem(QIcon(swatch), QString::fromLatin1(c.name), QColor(c.rgb));
    }
    form->addRow(QStringLiteral("歌词颜色"), m_colour);
    m_font = new QComboBox(this);
    m_font->setObjectName(QStringLiteral("ComboBox_geci_ziti"));
    m_font->addItem(QStringLiteral("黑体"));
    for (const QString &family : QFontDatabase::families())
        if (family != QStringLiteral("黑体"))
            m_font->addItem(family);
    form->addRow(QStringLiteral("歌词字体"), m_font);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("ComboBox_geci_daxiao"));
    for (int s = 10; s <= 60; ++s)
        m_size->addItem(QString::number(s));
    form->addRow(QStringLiteral("歌词大小"), m_size);
    m_style = new QComboBox(this);
    m_style->setObjectName(QStringLiteral("ComboBox_geci_zixing"));
    m_style->addItems(kStyleTexts);
    form->addRow(QStringLiteral("歌词字形"), m_style);
    m_form = new QComboBox(this);
    m_form->setObjectName(QStringLiteral("ComboBox_jiantifanti"));
    m_form->addItems({QStringLiteral("简体"), QStringLiteral("繁体")});
    form->addRow(QStringLiteral("简体繁体"), m_form);
    right->addLayout(form);
    right->addStretch(1);
    auto *buttons = new QHBoxLayout;
    auto *saveButton = new QPushButton(QStringLiteral("保存设置"), this);
    saveButton->setObjectName(QStringLiteral("Button_baocun_shezhi"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Button_quxiao"));
    buttons->addWidget(saveButton);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    layout->addLayout(right);

    connect(saveButton, &QPushButton::clicked, this, &LyricSettingsWindow::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_default, &QRadioButton::clicked, this, [this] {
        setCustomEnabled(false);
        m_free->setChecked(true);
        showStored();
    });
    connect(m_custom, &QRadioButton::clicked, this, [this] {
        setCustomEnabled(true);
        updateSample();
    });
    connect(m_centred, &QRadioButton::clicked, this, [this] { updateSample(); });
    connect(m_free, &QRadioButton::clicked, this, [this] { updateSample(); });
    for (QSlider *s : {m_x, m_y})
        connect(s, &QSlider::valueChanged, this, [this] { updateSample(); });
    for (QComboBox *c : {m_colour, m_font, m_size, m_style, m_form})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { updateSample(); });
}

void LyricSettingsWindow::prepare(int row)
{
    m_row = row;
    const Row &r = m_session.album().ListView_geci_shezhi_canshu[row];
    m_loading = true;
    const bool custom = r.subItem(kDisplay) == lyrickey::kCustomDisplay;
    (custom ? m_custom : m_default)->setChecked(true);
    (r.subItem(kCentred) == lyrickey::kCentred ? m_centred : m_free)->setChecked(true);
    const int colour = m_colour->findText(r.subItem(kColourName));
    m_colour->setCurrentIndex(colour < 0 ? m_colour->count() - 1 : colour);
    const int font = m_font->findText(r.subItem(kFont));
    m_font->setCurrentIndex(std::max(0, font));
    m_size->setCurrentIndex(std::max(0, m_size->findText(r.subItem(kSize))));
    m_style->setCurrentIndex(std::max<int>(0, int(kStyleKeys.indexOf(r.subItem(kStyle)))));
    m_form->setCurrentIndex(r.subItem(kForm) == lyrickey::kTraditional ? 1 : 0);
    m_x->setValue(custom ? r.subItem(kLeft).toInt() : 0);
    m_y->setValue(custom ? r.subItem(kTop).toInt() : r.subItem(kDefaultTop).toInt());
    setCustomEnabled(custom);
    m_loading = false;
    if (custom)
        updateSample();
    else
        showStored();
}

void LyricSettingsWindow::openFor(int row)
{
    prepare(row);
    exec();
}

void LyricSettingsWindow::setCustomEnabled(bool on)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_x, m_y, m_colour, m_font, m_size, m_style, m_form, m_free, m_centred})
        w->setEnabled(on);
}

QString LyricSettingsWindow::styleKey() const
{
    return kStyleKeys.value(m_style->currentIndex(), lyrickey::kRegular);
}

QColor LyricSettingsWindow::chosenColour() const
{
    return m_colour->currentData().value<QColor>();
}

void LyricSettingsWindow::showStored()
{
    const Row &r = m_session.album().ListView_geci_shezhi_canshu[m_row];
    m_panel->showLine(r, lyricTextForRow(r, kSample));
}

void LyricSettingsWindow::updateSample()
{
    if (m_loading || m_row < 0)
        return;
    if (m_default->isChecked()) {
        showStored();
        return;
    }
    Row r = m_session.album().ListView_geci_shezhi_canshu[m_row];
    r.setSubItem(kDisplay, lyrickey::kCustomDisplay);
    r.setSubItem(kLeft, QString::number(m_x->value()));
    r.setSubItem(kTop, QString::number(m_y->value()));
    r.setSubItem(kCentred, m_centred->isChecked() ? lyrickey::kCentred : lyrickey::kNotCentred);
    r.setSubItem(kFont, m_font->currentText());
    r.setSubItem(kStyle, styleKey());
    r.setSubItem(kSize, m_size->currentText());
    r.setSubItem(kColourName, m_colour->currentText());
    r.setSubItem(kColourNumber, colourNumber(chosenColour()));
    r.setSubItem(kForm, m_form->currentIndex() == 1 ? lyrickey::kTraditional : lyrickey::kSimplified);
    m_panel->showLine(r, lyricTextForRow(r, kSample));
}

void LyricSettingsWindow::save()
{
    if (m_row < 0)
        return;
    Row &r = m_session.album().ListView_geci_shezhi_canshu[m_row];
    const bool custom = m_custom->isChecked();
    r.setSubItem(kDisplay, custom ? lyrickey::kCustomDisplay : lyrickey::kDefaultDisplay);
    if (custom) {
        r.setSubItem(kLeft, QString::number(m_x->value()));
        r.setSubItem(kTop, QString::number(m_y->value()));
        r.setSubItem(kCentred, m_centred->isChecked() ? lyrickey::kCentred : lyrickey::kNotCentred);
        r.setSubItem(kFont, m_font->currentText());
        r.setSubItem(kStyle, styleKey());
        r.setSubItem(kSize, m_size->currentText());
        r.setSubItem(kColourName, m_colour->currentText());
        r.setSubItem(kColourNumber, colourNumber(chosenColour()));
        r.setSubItem(kForm, m_form->currentIndex() == 1 ? lyrickey::kTraditional : lyrickey::kSimplified);
    }
    accept();
}

} // namespace lumora::ui
