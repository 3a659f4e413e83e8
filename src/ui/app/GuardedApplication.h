#pragma once
// The desktop program's application object: no exception ends the program
// from inside the event loop. One that escapes an event's handler is caught
// where Qt delivers the event; the program goes on, and the fault handler is
// called once the event loop is back (never from inside the failed handler)
// with a notice in Chinese that names what failed.
#include <QApplication>
#include <QString>
#include <functional>

namespace lumora::ui {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int &argc, char **argv);

    // Called on the user-interface thread after a fault, with the notice.
    // Faults that happen while it runs are counted, not reported again.
    std::function<void(const QString &notice)> onFault;

    // The notice for an exception with message `what` that stopped the
    // handling of `event` by `receiver` (its object name or class named).
    static QString faultNotice(const QObject *receiver, const QEvent *event, const QString &what);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    void report(const QString &notice);
    bool m_reporting = false;
};

} // namespace lumora::ui
