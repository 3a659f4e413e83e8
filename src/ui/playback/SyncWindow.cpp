#include "playback/SyncWindow.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "session/AlbumSession.h"

namespace lumora::ui {

SyncWindow::SyncWindow(AlbumSession &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(tr("同步效果"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(tr("同步"), this);
    auto *g = new QVBoxLayout(group);
    m_templates = new QRadioButton(tr("随模板文件同步  (音乐循环)"), group);
    m_templates->setObjectName(QStringLiteral("RadioButton_moban_tongbu"));
    m_music = new QRadioButton(tr("随音乐文件同步  (模板循环)"), group);
    m_music->setObjectName(QStringLiteral("RadioButton_yinyue_tongbu"));
    m_beat = new QRadioButton(tr("随音乐节拍同步  (图片卡点)"), group);
    m_beat->setObjectName(QStringLiteral("RadioButton_jiepai_tongbu"));
    g->addWidget(m_templates);
    g->addWidget(m_music);
    g->addWidget(m_beat);
    layout->addWidget(group);
    auto *ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("Button_queding"));
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_templates, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_session.output().sync = SyncMode::Template;
    });
    connect(m_music, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_session.output().sync = SyncMode::Music;
    });
    connect(m_beat, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_session.output().sync = SyncMode::Beat;
    });
    refresh();
}

void SyncWindow::refresh()
{
    const SyncMode sync = m_session.output().sync;
    (sync == SyncMode::Music ? m_music : sync == SyncMode::Beat ? m_beat : m_templates)->setChecked(true);
}

void SyncWindow::showEvent(QShowEvent *e)
{
    refresh();
    QDialog::showEvent(e);
}

} // namespace lumora::ui
