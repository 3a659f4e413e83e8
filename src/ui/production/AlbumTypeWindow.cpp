#include "AlbumTypeWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/DialogService.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {

constexpr OutputType kAllTypes[] = {OutputType::VCD, OutputType::SVCD, OutputType::DVD, OutputType::AVI,
                                    OutputType::MP4, OutputType::WMV,  OutputType::MOV};

QLineEdit *hiddenCell(QWidget *parent, const QString &name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->hide();
    return e;
}

} // namespace

AlbumTypeWindow::AlbumTypeWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TForm24"));
    setWindowTitle(tr("选择相册类型"));

    m_typeText = new QLineEdit(this);
    m_typeText->setObjectName(QStringLiteral("Edit_shuchu_leixing"));
    m_typeText->setReadOnly(true);
    m_typeText->setFocusPolicy(Qt::NoFocus);

    m_sizeList = new QComboBox(this);
    m_sizeList->setObjectName(QStringLiteral("ComboBox_xuanze_shuchu_chicun"));
    m_sizeList->setEditable(false);
    auto *defaultButton = new QPushButton(tr("默认"), this);
    defaultButton->setObjectName(QStringLiteral("Button_moren"));
    defaultButton->setAutoDefault(false);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_sizeList, 1);
    sizeRow->addWidget(defaultButton);

    m_sizeText = new QLineEdit(this);
    m_sizeText->setObjectName(QStringLiteral("Edit_shuchu_chicun"));
    m_sizeText->setReadOnly(true);
    m_sizeText->setFocusPolicy(Qt::NoFocus);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit_xiangce_mingcheng"));
    m_name->setMinimumWidth(260);

    auto *form = new QFormLayout;
    form->addRow(tr("输出电子相册类型"), m_typeText);
    form->addRow(tr("选择相册输出尺寸"), sizeRow);
    form->addRow(tr("当前输出相册尺寸"), m_sizeText);
    form->addRow(tr("输入相册名称"), m_name);
    // Offered at the album's first production while it has no title of its own.
    m_titles = new QCheckBox(tr("开头加上片头标题（相册名称和今天的日期），结尾加上“谢谢观看”"), this);
    m_titles->setObjectName(QStringLiteral("CheckBox_piantou_pianwei"));
    m_titles->setToolTip(tr("以后可在“系统设置”中修改或去掉"));
    form->addRow(QString(), m_titles);

    auto *startButton = new QPushButton(tr("开始制作"), this);
    startButton->setObjectName(QStringLiteral("Button_kaishi_zhizuo"));
    startButton->setDefault(true);
    auto *cancelButton = new QPushButton(tr("取消"), this);
    cancelButton->setObjectName(QStringLiteral("Button_quxiao"));
    cancelButton->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(startButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    // The chosen size and the outcome: hidden cells read by the start command.
    m_width = hiddenCell(this, QStringLiteral("Edit_chicun_width"));
    m_height = hiddenCell(this, QStringLiteral("Edit_chicun_height"));
    m_outcome = hiddenCell(this, QStringLiteral("Edit_quxiao"));
    for (OutputType t : kAllTypes) {
        const QString base = QStringLiteral("ComboBox_%1_").arg(outputTypeName(t).toLower());
        auto *widths = new QComboBox(this);
        widths->setObjectName(base + QLatin1Char('1'));
        widths->hide();
        auto *heights = new QComboBox(this);
        heights->setObjectName(base + QLatin1Char('2'));
        heights->hide();
        m_typeLists.emplace_back(widths, heights);
    }

    connect(m_sizeList, qOverload<int>(&QComboBox::activated), this, &AlbumTypeWindow::chooseEntry);
    connect(defaultButton, &QPushButton::clicked, this, &AlbumTypeWindow::selectDefault);
    connect(startButton, &QPushButton::clicked, this, &AlbumTypeWindow::startClicked);
    connect(cancelButton, &QPushButton::clicked, this, &AlbumTypeWindow::cancelClicked);
}

void AlbumTypeWindow::fillTypeLists()
{
    for (size_t i = 0; i < std::size(kAllTypes); ++i) {
        auto [widths, heights] = m_typeLists[i];
        widths->clear();
        heights->clear();
        for (QSize s : outputSizes(kAllTypes[i], m_session.album().mode)) {
            widths->addItem(QString::number(s.width()));
            heights->addItem(QString::number(s.height()));
        }
    }
}

void AlbumTypeWindow::prepare(OutputType type)
{
    m_type = type;
    m_outcome->clear();
    fillTypeLists();
    m_sizes = outputSizes(type, m_session.album().mode);
    m_sizeList->clear();
    for (QSize s : m_sizes)
        m_sizeList->addItem(sizeText(s));
    m_typeText->setText(outputTypeName(type));
    m_name->clear();
    const Settings &settings = m_session.album().settings;
    const bool offer = !settings.piantouTishi && settings.piantouBiaoti.isEmpty() && settings.pianweiZimu.isEmpty();
    m_titles->setVisible(offer);
    m_titles->setChecked(offer);
    selectDefault();
}

void AlbumTypeWindow::selectDefault()
{
    chooseEntry(defaultSizeEntry(m_type));
}

void AlbumTypeWindow::chooseEntry(int index)
{
    if (index < 0 || index >= int(m_sizes.size()))
        return;
    m_sizeList->setCurrentIndex(index);
    m_sizeText->setText(m_sizeList->itemText(index));
    m_width->setText(QString::number(m_sizes[size_t(index)].width()));
    m_height->setText(QString::number(m_sizes[size_t(index)].height()));
}

QString AlbumTypeWindow::outcome() const
{
    return m_outcome->text();
}

QString AlbumTypeWindow::albumName() const
{
    return m_name->text();
}

QSize AlbumTypeWindow::chosenSize() const
{
    return QSize(m_width->text().toInt(), m_height->text().toInt());
}

void AlbumTypeWindow::startClicked()
{
    // Beyond the empty name: a name the file system cannot take (a '/', too
    // long) is refused here too, before any work starts.
    if (const QString refusal = AlbumSession::albumNameRefusal(m_name->text()); !refusal.isEmpty()) {
        m_dialogs.notice(this, refusal);
        m_name->setFocus();
        return;
    }
    if (m_titles->isVisible()) {
        Settings &settings = m_session.album().settings;
        settings.piantouTishi = true;
        if (m_titles->isChecked()) {
            settings.piantouBiaoti = m_name->text().trimmed();
            settings.piantouFubiaoti = QDate::currentDate().toString(tr("yyyy年M月d日"));
            settings.pianweiZimu = tr("谢谢观看");
        }
    }
    m_outcome->setText(kStart);
    accept();
}

void AlbumTypeWindow::cancelClicked()
{
    reject();
}

void AlbumTypeWindow::reject()
{
    if (m_outcome->text().isEmpty())
        m_outcome->setText(kCancel);
    QDialog::reject();
}

void AlbumTypeWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_name->setFocus();
}

} // namespace lumora::ui
