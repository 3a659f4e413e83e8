#include "DesktopNotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QVariantMap>

namespace lumora::ui {

bool DesktopNotice::send(const QString &title, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the desktop's default)
    call << QStringLiteral("Lumora") << uint(0) << QStringLiteral("lumora") << title << body << QStringList()
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("lumora")}} << int(-1);
    return bus.send(call);
}

} // namespace lumora::ui
