#include "SettingsWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "album/Matching.h"
#include "app/Album.h"
#include "app/Language.h"
#include "effects/EffectPlacement.h"

namespace lumora::ui {

SettingsWindow::SettingsWindow(Album &album, QWidget *parent) : QDialog(parent), m_album(album)
{
    setObjectName(QStringLiteral("TForm18"));
    setProperty("lumoraWindow", true);
    setWindowTitle(tr("系统设置"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);

    // One group: a caption and its buttons (an exclusive pair, or a single
    // button that stays checked).
    auto group
        = [this, layout](const QString &caption, std::initializer_list<std::pair<const char *, const char *>> buttons) {
              auto *box = new QGroupBox(caption, this);
              auto *row = new QHBoxLayout(box);
              auto *exclusive = new QButtonGroup(box);
              for (const auto &[name, text] : buttons) {
                  QRadioButton *b = radio(QString::fromLatin1(name), tr(text), box);
                  exclusive->addButton(b);
                  row->addWidget(b);
              }
              row->addStretch();
              layout->addWidget(box);
          };
    group(tr("导入照片时，对横照片的剪裁效果   (支持单张照片模板效果)"),
          {{"RadioButton_hengzhaopian_moren", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "横照片剪裁成适中效果")},
           {"RadioButton_hengzhaopian_quanping",
            QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "横照片剪裁成全屏效果")}});
    group(tr("导入照片时，对竖照片的剪裁效果   (支持单张照片模板效果)"),
          {{"RadioButton_shuzhaopian_moren", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "竖照片剪裁成适中效果")}});
    group(tr("主界面横照片显示效果"),
          {{"RadioButton_zhujiemian_heng_shizhong",
            QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "横照片适中显示效果")},
           {"RadioButton_zhujiemian_heng_quanpin",
            QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "横照片全屏显示效果")}});
    group(tr("主界面竖照片显示效果"),
          {{"RadioButton_zhujiemian_shu_shizhong",
            QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "竖照片适中显示效果")}});
    group(tr("添加照片时是否为已经使用模板自动添加文字特效"),
          {{"RadioButton_wenzitexiao_tianjia", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "自动添加文字特效")},
           {"RadioButton_wenzitexiao_butianjia", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "不添加文字特效")}});
    group(tr("添加照片时是否为已经使用模板自动添加画面特效"),
          {{"RadioButton_huamiantexiao_tianjia", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "自动添加画面特效")},
           {"RadioButton_huamiantexiao_butianjia", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "不添加画面特效")}});
    group(
        tr("导入照片时，使用模板组合效果"),
        {{"RadioButton_moban_zuhe_shiyong", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "使用模板组合效果")},
         {"RadioButton_moban_zuhe_bushiyong", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "不使用模板组合效果")}});
    group(tr("音量统一"),
          {{"RadioButton_yinliang_tongyi", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "各首歌曲统一到相同音量")},
           {"RadioButton_yinliang_yuanyang", QT_TRANSLATE_NOOP("lumora::ui::SettingsWindow", "保持歌曲原来的音量")}});

    // Photos cut to a slot's shape keep the faces in them whole.
    auto *facesBox = new QGroupBox(tr("照片剪裁"), this);
    auto *facesRow = new QHBoxLayout(facesBox);
    m_faces = new QCheckBox(tr("按人脸位置剪裁照片（人物的头部不被裁掉）"), facesBox);
    m_faces->setObjectName(QStringLiteral("CheckBox_renlian_jiancai"));
    connect(m_faces, &QCheckBox::toggled, this, [this] {
        if (m_loading)
            return;
        m_album.settings.faceCrop = m_faces->isChecked();
        // Automatic placements follow at once; placements the user saved stay.
        placeAutomaticSlots(m_album);
    });
    facesRow->addWidget(m_faces);
    facesRow->addStretch();
    layout->addWidget(facesBox);

    // The caption theme the automatic text effects draw from.
    auto *themeBox = new QGroupBox(tr("文字特效主题"), this);
    auto *themeRow = new QHBoxLayout(themeBox);
    m_theme = new QComboBox(themeBox);
    m_theme->setObjectName(QStringLiteral("ComboBox_wenzitexiao_zhuti"));
    m_theme->addItem(tr("全部"), -1);
    const QStringList themes = textEffectThemeNames();
    for (int i = 0; i < themes.size(); ++i)
        m_theme->addItem(shownText("lumora::TextEffectCategory", themes[i]), i);
    connect(m_theme, &QComboBox::currentIndexChanged, this, [this] { store(); });
    themeRow->addWidget(m_theme);
    themeRow->addStretch();
    layout->addWidget(themeBox);

    // The album's own opening title and closing line (empty: none).
    auto *titleBox = new QGroupBox(tr("片头标题和片尾字幕"), this);
    auto *titleForm = new QFormLayout(titleBox);
    auto line = [&](const char *name, const QString &hint) {
        auto *e = new QLineEdit(titleBox);
        e->setObjectName(QString::fromLatin1(name));
        e->setPlaceholderText(hint);
        e->setClearButtonEnabled(true);
        connect(e, &QLineEdit::textChanged, this, [this] { store(); });
        return e;
    };
    m_title = line("Edit_piantou_biaoti", tr("例如：外婆九十岁生日快乐（空着则不加片头）"));
    m_subtitle = line("Edit_piantou_fubiaoti", tr("第二行，例如日期"));
    m_ending = line("Edit_pianwei_zimu", tr("例如：谢谢观看（空着则不加片尾）"));
    titleForm->addRow(tr("片头标题:"), m_title);
    titleForm->addRow(tr("片头第二行:"), m_subtitle);
    titleForm->addRow(tr("片尾字幕:"), m_ending);
    layout->addWidget(titleBox);

    // The interface's language: kept in the user's configuration, not in
    // the album, and applied when the program starts next.
    auto *languageBox = new QGroupBox(tr("界面语言"), this);
    auto *languageRow = new QHBoxLayout(languageBox);
    m_language = new QComboBox(languageBox);
    m_language->setObjectName(QStringLiteral("ComboBox_jiemian_yuyan"));
    m_language->addItem(tr("跟随系统"), interfaceLanguageCode(InterfaceLanguage::System));
    m_language->addItem(tr("中文"), interfaceLanguageCode(InterfaceLanguage::Chinese));
    // Each language is named in its own words, whatever the interface speaks.
    m_language->addItem(QStringLiteral("English"), interfaceLanguageCode(InterfaceLanguage::English));
    m_language->setCurrentIndex(m_language->findData(interfaceLanguageCode(storedInterfaceLanguage())));
    connect(m_language, &QComboBox::currentIndexChanged, this,
            [this] { storeInterfaceLanguage(interfaceLanguageFromCode(m_language->currentData().toString())); });
    auto *languageNote = new QLabel(tr("重新启动程序后生效"), languageBox);
    languageNote->setObjectName(QStringLiteral("Label_jiemian_yuyan"));
    languageRow->addWidget(m_language);
    languageRow->addWidget(languageNote);
    languageRow->addStretch();
    layout->addWidget(languageBox);

    auto *buttons = new QHBoxLayout;
    auto *restore = new QPushButton(tr("恢复默认设置"), this);
    restore->setObjectName(QStringLiteral("Button2"));
    auto *back1 = new QPushButton(tr("返    回"), this);
    back1->setObjectName(QStringLiteral("Button1"));
    auto *back3 = new QPushButton(tr("返  回"), this);
    back3->setObjectName(QStringLiteral("Button3"));
    back3->setDefault(true);
    buttons->addWidget(restore);
    buttons->addStretch();
    buttons->addWidget(back1);
    buttons->addWidget(back3);
    layout->addLayout(buttons);
    connect(restore, &QPushButton::clicked, this, [this] {
        const bool faces = m_album.settings.faceCrop;
        m_album.settings.restoreDefaults();
        if (faces != m_album.settings.faceCrop)
            placeAutomaticSlots(m_album);
        load();
    });
    connect(back1, &QPushButton::clicked, this, &QDialog::accept);
    connect(back3, &QPushButton::clicked, this, &QDialog::accept);
    load();
}

QRadioButton *SettingsWindow::radio(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QRadioButton(text, parent);
    b->setObjectName(name);
    connect(b, &QRadioButton::toggled, this, [this] { store(); });
    return b;
}

void SettingsWindow::load()
{
    m_loading = true;
    const Settings &s = m_album.settings;
    auto set
        = [this](const char *name, bool on) { findChild<QRadioButton *>(QString::fromLatin1(name))->setChecked(on); };
    set(s.hengzhaopianQuanping ? "RadioButton_hengzhaopian_quanping" : "RadioButton_hengzhaopian_moren", true);
    set("RadioButton_shuzhaopian_moren", true);
    set(s.zhujiemianHengQuanpin ? "RadioButton_zhujiemian_heng_quanpin" : "RadioButton_zhujiemian_heng_shizhong", true);
    set("RadioButton_zhujiemian_shu_shizhong", true);
    set(s.wenzitexiaoTianjia ? "RadioButton_wenzitexiao_tianjia" : "RadioButton_wenzitexiao_butianjia", true);
    set(s.huamiantexiaoTianjia ? "RadioButton_huamiantexiao_tianjia" : "RadioButton_huamiantexiao_butianjia", true);
    set(s.mobanZuheShiyong ? "RadioButton_moban_zuhe_shiyong" : "RadioButton_moban_zuhe_bushiyong", true);
    set(s.yinliangTongyi ? "RadioButton_yinliang_tongyi" : "RadioButton_yinliang_yuanyang", true);
    const int index = m_theme->findData(s.textEffectTheme);
    m_theme->setCurrentIndex(index < 0 ? 0 : index);
    m_faces->setChecked(s.faceCrop);
    m_title->setText(s.piantouBiaoti);
    m_subtitle->setText(s.piantouFubiaoti);
    m_ending->setText(s.pianweiZimu);
    m_loading = false;
}

void SettingsWindow::store()
{
    if (m_loading)
        return;
    auto on = [this](const char *name) { return findChild<QRadioButton *>(QString::fromLatin1(name))->isChecked(); };
    Settings &s = m_album.settings;
    s.hengzhaopianQuanping = on("RadioButton_hengzhaopian_quanping");
    s.zhujiemianHengQuanpin = on("RadioButton_zhujiemian_heng_quanpin");
    s.wenzitexiaoTianjia = on("RadioButton_wenzitexiao_tianjia");
    s.huamiantexiaoTianjia = on("RadioButton_huamiantexiao_tianjia");
    s.mobanZuheShiyong = on("RadioButton_moban_zuhe_shiyong");
    s.yinliangTongyi = on("RadioButton_yinliang_tongyi");
    s.textEffectTheme = m_theme->currentData().toInt();
    s.piantouBiaoti = m_title->text();
    s.piantouFubiaoti = m_subtitle->text();
    s.pianweiZimu = m_ending->text();
}

} // namespace lumora::ui
