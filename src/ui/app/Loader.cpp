#include "Loader.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include "Style.h"

namespace lumora::ui {

namespace {
constexpr QSize kSplash{500, 249};
}

Loader::Loader(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Lumora"));
    setFixedSize(kSplash);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar_jiazai"));
    m_bar->setTextVisible(false);
    m_bar->setGeometry(0, kSplash.height() - 1, kSplash.width(), 1);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_bar->setValue(100);
        hide();
        Q_EMIT finished();
    });
}

void Loader::start(int delayMs)
{
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    show();
    m_bar->setValue(30);
    m_timer->start(delayMs);
}

void Loader::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), kWindowGrey);
    QLinearGradient band(0, 0, width(), height());
    band.setColorAt(0, QColor(24, 32, 72));
    band.setColorAt(1, QColor(200, 110, 110));
    p.fillRect(QRect(0, 0, width(), height() - 60), band);
    QFont title(kInterfaceFamily);
    title.setPixelSize(54);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 30, width(), 90), Qt::AlignCenter, QStringLiteral("Lumora"));
    QFont sub(kInterfaceFamily);
    sub.setPixelSize(18);
    p.setFont(sub);
    p.drawText(QRect(0, 120, width(), 40), Qt::AlignCenter, tr("电子相册制作"));
    p.setPen(QColor(60, 60, 60));
    QFont small(kInterfaceFamily);
    small.setPixelSize(13);
    p.setFont(small);
    p.drawText(QRect(0, height() - 60, width(), 58), Qt::AlignCenter, tr("正在启动，请稍候……"));
}

} // namespace lumora::ui
