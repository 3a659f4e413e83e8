#include "playback/StagingWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora::ui {

StagingWindow::StagingWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm12"));
    setWindowTitle(tr("准备相册"));
    setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(tr("正在准备相册的照片和模板，请稍候……"), this);
    layout->addWidget(label);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 0);
    m_bar->setMinimumWidth(360);
    layout->addWidget(m_bar);
    auto *stop = new QPushButton(tr("停止"), this);
    stop->setObjectName(QStringLiteral("Button_tingzhi"));
    layout->addWidget(stop, 0, Qt::AlignRight);
    connect(stop, &QPushButton::clicked, this, &StagingWindow::stopRequested);
}

void StagingWindow::setProgress(int done, int maximum)
{
    m_bar->setRange(0, std::max(1, maximum));
    m_bar->setValue(std::clamp(done, 0, std::max(1, maximum)));
}

void StagingWindow::reject()
{
    Q_EMIT stopRequested();
}

} // namespace lumora::ui
