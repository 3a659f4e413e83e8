#include "media/LyricSettingsWindow.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "media/LyricPanel.h"
#include "media/LyricSettings.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {
const char *const kSample = QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "此处显示歌词内容");

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
    kForm = 14,
    kHighlightNumber = 15
};

// The standard named colours: the identifier the row stores, the name the
// list shows. The number holds red in the low byte.
struct NamedColour {
    const char *id;
    const char *name;
    QRgb rgb;
};
const NamedColour kColours[] = {
    {"clBlack", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "黑色"), 0x000000},
    {"clMaroon", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "栗色"), 0x800000},
    {"clGreen", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "绿色"), 0x008000},
    {"clOlive", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "橄榄色"), 0x808000},
    {"clNavy", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "藏青色"), 0x000080},
    {"clPurple", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "紫色"), 0x800080},
    {"clTeal", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "青色"), 0x008080},
    {"clGray", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "灰色"), 0x808080},
    {"clSilver", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "银色"), 0xC0C0C0},
    {"clRed", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "红色"), 0xFF0000},
    {"clLime", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "亮绿色"), 0x00FF00},
    {"clYellow", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "黄色"), 0xFFFF00},
    {"clBlue", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "蓝色"), 0x0000FF},
    {"clFuchsia", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "紫红色"), 0xFF00FF},
    {"clAqua", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "浅蓝色"), 0x00FFFF},
    {"clWhite", QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "白色"), 0xFFFFFF},
};
QString colourNumber(QColor c)
{
    return lyricColourNumber(c);
}
QIcon swatch(QColor c)
{
    QPixmap p(14, 14);
    p.fill(c);
    return QIcon(p);
}
// The row as the default display shows it.
Row defaultPlaceRow(Row r)
{
    r.setSubItem(kDisplay, lyrickey::kDefaultDisplay);
    return r;
}

const char *const kStyleTexts[] = {
    QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "常规"),
    QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "倾斜"),
    QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "粗体"),
    QT_TRANSLATE_NOOP("lumora::ui::LyricSettingsWindow", "粗体 倾斜"),
};
const QStringList kStyleKeys{lyrickey::kRegular, lyrickey::kItalic, lyrickey::kBold, lyrickey::kBoldItalic};
} // namespace

LyricSettingsWindow::LyricSettingsWindow(AlbumSession &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("TForm23"));
    setWindowTitle(tr("歌词设置"));
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
    auto *display = new QGroupBox(tr("显示"), this);
    auto *d = new QVBoxLayout(display);
    m_default = new QRadioButton(tr("默认显示"), display);
    m_default->setObjectName(QStringLiteral("RadioButton_moren_xianshi"));
    m_custom = new QRadioButton(tr("自定义显示"), display);
    m_custom->setObjectName(QStringLiteral("RadioButton_zidingyi_xianshi"));
    d->addWidget(m_default);
    d->addWidget(m_custom);
    right->addWidget(display);
    auto *position = new QGroupBox(tr("位置"), this);
    auto *p = new QVBoxLayout(position);
    m_free = new QRadioButton(tr("自定义"), position);
    m_free->setObjectName(QStringLiteral("RadioButton_zidingyi_zidingyi"));
    m_centred = new QRadioButton(tr("居中显示"), position);
    m_centred->setObjectName(QStringLiteral("RadioButton_zidingyi_juzhong"));
    p->addWidget(m_free);
    p->addWidget(m_centred);
    right->addWidget(position);
    auto *form = new QFormLayout;
    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("ColorBox_geci_yase"));
    m_highlight = new QComboBox(this);
    m_highlight->setObjectName(QStringLiteral("ColorBox_geci_gaoliang"));
    m_highlight->addItem(swatch(lyricColourFromNumber(kDefaultLyricHighlightNumber)), tr("金黄色"),
                         lyricColourFromNumber(kDefaultLyricHighlightNumber));
    for (const NamedColour &c : kColours) {
        m_colour->addItem(swatch(QColor(c.rgb)), tr(c.name), QString::fromLatin1(c.id));
        m_colour->setItemData(m_colour->count() - 1, QColor(c.rgb), Qt::UserRole + 1);
        m_highlight->addItem(swatch(QColor(c.rgb)), tr(c.name), QColor(c.rgb));
    }
    form->addRow(tr("歌词颜色"), m_colour);
    m_highlight->setToolTip(tr("卡拉OK歌词(逐字时间)唱到的字填充的颜色"));
    form->addRow(tr("高亮颜色"), m_highlight);
    m_font = new QComboBox(this);
    m_font->setObjectName(QStringLiteral("ComboBox_geci_ziti"));
    // The font's name is kept in the lyric settings as it is: not translated.
    m_font->addItem(QStringLiteral("黑体"));
    for (const QString &family : QFontDatabase::families())
        if (family != QStringLiteral("黑体"))
            m_font->addItem(family);
    form->addRow(tr("歌词字体"), m_font);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("ComboBox_geci_daxiao"));
    for (int s = 10; s <= 60; ++s)
        m_size->addItem(QString::number(s));
    form->addRow(tr("歌词大小"), m_size);
    m_style = new QComboBox(this);
    m_style->setObjectName(QStringLiteral("ComboBox_geci_zixing"));
    for (const char *text : kStyleTexts)
        m_style->addItem(tr(text));
    form->addRow(tr("歌词字形"), m_style);
    m_form = new QComboBox(this);
    m_form->setObjectName(QStringLiteral("ComboBox_jiantifanti"));
    m_form->addItems({tr("简体"), tr("繁体")});
    form->addRow(tr("简体繁体"), m_form);
    right->addLayout(form);
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("Label_tishi"));
    m_notice->setWordWrap(true);
    m_notice->setMaximumWidth(240);
    m_notice->hide();
    right->addWidget(m_notice);
    right->addStretch(1);
    auto *buttons = new QHBoxLayout;
    auto *saveButton = new QPushButton(tr("保存设置"), this);
    saveButton->setObjectName(QStringLiteral("Button_baocun_shezhi"));
    auto *cancel = new QPushButton(tr("取消"), this);
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
        // A row shown at the default place starts its custom place there:
        // centred, at the default top.
        const Row &r = m_session.album().ListView_geci_shezhi_canshu[m_row];
        if (r.subItem(kDisplay) != lyrickey::kCustomDisplay) {
            const QSignalBlocker bx(m_x), by(m_y);
            const LyricPlacement p
                = applyLyricSettings(defaultPlaceRow(r), tr(kSample), m_panel->size(), false, m_panel);
            m_x->setValue(std::max(0, p.topLeft.x()));
            m_y->setValue(r.subItem(kDefaultTop).toInt());
        }
        updateSample();
    });
    connect(m_centred, &QRadioButton::clicked, this, [this] { updateSample(); });
    connect(m_free, &QRadioButton::clicked, this, [this] { updateSample(); });
    for (QSlider *s : {m_x, m_y})
        connect(s, &QSlider::valueChanged, this, [this] { updateSample(); });
    for (QComboBox *c : {m_colour, m_highlight, m_font, m_size, m_style, m_form})
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
    const int colour = m_colour->findData(r.subItem(kColourName));
    m_colour->setCurrentIndex(colour < 0 ? m_colour->count() - 1 : colour);
    const QColor highlight = lyricHighlightColour(r);
    int h = m_highlight->findData(highlight);
    if (h < 0) {
        m_highlight->addItem(swatch(highlight), highlight.name(), highlight);
        h = m_highlight->count() - 1;
    }
    m_highlight->setCurrentIndex(h);
    // A stored font or size the lists do not hold is added to them as it is,
    // so a save does not rewrite it, and the notice says what is drawn.
    QStringList notices;
    const QString fontName = r.subItem(kFont);
    int font = m_font->findText(fontName);
    if (font < 0 && !fontName.isEmpty()) {
        m_font->addItem(fontName);
        font = m_font->count() - 1;
        notices << tr("字体“%1”在本机没有安装，显示时用相近的字体代替。").arg(fontName);
    }
    m_font->setCurrentIndex(std::max(0, font));
    const QString sizeText = r.subItem(kSize);
    int size = m_size->findText(sizeText);
    if (size < 0 && !sizeText.isEmpty()) {
        m_size->addItem(sizeText);
        size = m_size->count() - 1;
        notices << tr("字号“%1”不在 10～60 之内，按保存的字号显示。").arg(sizeText);
    }
    m_size->setCurrentIndex(std::max(0, size));
    m_notice->setText(notices.join(u'\n'));
    m_notice->setVisible(!notices.isEmpty());
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
    return m_colour->currentData(Qt::UserRole + 1).value<QColor>();
}

QString LyricSettingsWindow::notice() const
{
    return m_notice->isVisible() ? m_notice->text() : QString();
}

// "默认显示": the sample where the default puts it (centred, at the default
// top) with the row's stored font, size, style and colour.
void LyricSettingsWindow::showStored()
{
    const Row r = defaultPlaceRow(m_session.album().ListView_geci_shezhi_canshu[m_row]);
    m_panel->showLine(r, lyricTextForRow(r, tr(kSample)));
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
    r.setSubItem(kColourName, m_colour->currentData().toString());
    r.setSubItem(kColourNumber, colourNumber(chosenColour()));
    r.setSubItem(kForm, m_form->currentIndex() == 1 ? lyrickey::kTraditional : lyrickey::kSimplified);
    m_panel->showLine(r, lyricTextForRow(r, tr(kSample)));
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
        r.setSubItem(kColourName, m_colour->currentData().toString());
        r.setSubItem(kColourNumber, colourNumber(chosenColour()));
        r.setSubItem(kForm, m_form->currentIndex() == 1 ? lyrickey::kTraditional : lyrickey::kSimplified);
    }
    r.setSubItem(kHighlightNumber, colourNumber(m_highlight->currentData().value<QColor>()));
    accept();
}

} // namespace lumora::ui
