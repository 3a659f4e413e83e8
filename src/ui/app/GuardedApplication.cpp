#include "GuardedApplication.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaEnum>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "app/Error.h"

namespace lumora::ui {

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv)
{
}

QString GuardedApplication::faultNotice(const QObject *receiver, const QEvent *event, const QString &what)
{
    QString where;
    if (receiver) {
        where = receiver->objectName();
        if (where.isEmpty())
            where = QString::fromLatin1(receiver->metaObject()->className());
    }
    const char *kind = event ? QMetaEnum::fromType<QEvent::Type>().valueToKey(event->type()) : nullptr;
    return QCoreApplication::translate(
               "lumora::ui::GuardedApplication",
               "操作没有完成，程序内部出错：%1\n（出错位置：%2，%3）\n相册保持原样，可以继续使用。")
        .arg(what.isEmpty() ? QCoreApplication::translate("lumora::ui::GuardedApplication", "未知错误") : what,
             where.isEmpty() ? QCoreApplication::translate("lumora::ui::GuardedApplication", "未知") : where,
             kind ? QString::fromLatin1(kind)
                  : QCoreApplication::translate("lumora::ui::GuardedApplication", "未知事件"));
}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error &e) {
        report(faultNotice(receiver, event, e.message()));
    } catch (const std::exception &e) {
        report(faultNotice(receiver, event, QString::fromLocal8Bit(e.what())));
    } catch (...) {
        report(faultNotice(receiver, event, QString()));
    }
    return false;
}

void GuardedApplication::report(const QString &notice)
{
    std::fprintf(stderr, "lumora: %s\n", qPrintable(notice));
    if (m_reporting || !onFault)
        return;
    m_reporting = true;
    // Shown from the event loop, not from inside the handler that failed.
    QTimer::singleShot(0, this, [this, notice] {
        try {
            onFault(notice);
        } catch (...) {
        }
        m_reporting = false;
    });
}

} // namespace lumora::ui
