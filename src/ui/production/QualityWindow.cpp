#include "QualityWindow.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {
constexpr QualityLevel kLevels[3] = {QualityLevel::Biaoqing, QualityLevel::Gaoqing, QualityLevel::Chaoqing};
}

QualityWindow::QualityWindow(AlbumSession &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(tr("画面质量"));

    auto *tvGroup = new QGroupBox(tr("制式"), this);
    m_pal = new QRadioButton(tr("PAL 电视制式"), tvGroup);
    m_pal->setObjectName(QStringLiteral("RadioButton_dianshizhishi_PAL"));
    m_ntsc = new QRadioButton(tr("NTSC 电视制式"), tvGroup);
    m_ntsc->setObjectName(QStringLiteral("RadioButton_dianshizhishi_NTSC"));
    auto *tvLayout = new QVBoxLayout(tvGroup);
    tvLayout->addWidget(m_pal);
    tvLayout->addWidget(m_ntsc);

    auto *qualityGroup = new QGroupBox(tr("画质"), this);
    const char *names[3] = {"RadioButton_yiban_huazhi", "RadioButton_gaoqing_huazhi", "RadioButton_chaoqing_huazhi"};
    const QString captions[3] = {tr("标清画质效果"), tr("高清画质效果"), tr("超清画质效果 (画面细腻)")};
    auto *qualityLayout = new QVBoxLayout(qualityGroup);
    for (int i = 0; i < 3; ++i) {
        m_levels[i] = new QRadioButton(captions[i], qualityGroup);
        m_levels[i]->setObjectName(QString::fromLatin1(names[i]));
        if (kLevels[i] == QualityLevel::Chaoqing) {
            auto *row = new QHBoxLayout;
            row->addWidget(m_levels[i]);
            auto *hint = new QLabel(tr("← 推荐"), qualityGroup);
            hint->setObjectName(QStringLiteral("Label_tuijian"));
            row->addWidget(hint);
            row->addStretch(1);
            qualityLayout->addLayout(row);
        } else {
            qualityLayout->addWidget(m_levels[i]);
        }
        connect(m_levels[i], &QRadioButton::clicked, this, [this, i] { storeQuality(kLevels[i]); });
    }
    connect(m_pal, &QRadioButton::clicked, this, [this] { storeTv(TvSystem::PAL); });
    connect(m_ntsc, &QRadioButton::clicked, this, [this] { storeTv(TvSystem::NTSC); });

    m_key = new QLineEdit(this);
    m_key->setObjectName(QStringLiteral("Edit_huamianzhiliang_xuanzhong"));
    m_key->hide();

    auto *ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("Button_queding"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tvGroup);
    layout->addWidget(qualityGroup);
    layout->addLayout(buttons);
    loadChoice();
}

void QualityWindow::loadChoice()
{
    const OutputChoice &c = m_session.output();
    (c.tv == TvSystem::PAL ? m_pal : m_ntsc)->setChecked(true);
    for (int i = 0; i < 3; ++i)
        if (kLevels[i] == c.quality)
            m_levels[i]->setChecked(true);
    m_key->setText(qualityKey(c.quality));
}

QString QualityWindow::qualityKeyText() const
{
    return m_key->text();
}

void QualityWindow::storeQuality(QualityLevel level)
{
    m_session.output().quality = level;
    m_key->setText(qualityKey(level));
}

void QualityWindow::storeTv(TvSystem tv)
{
    m_session.output().tv = tv;
}

void QualityWindow::showEvent(QShowEvent *event)
{
    loadChoice();
    QDialog::showEvent(event);
}

} // namespace lumora::ui
