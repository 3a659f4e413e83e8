#pragma once
// A desktop notification (the freedesktop.org notification service on the
// session bus), for news a person should get while looking at another window.
// Fire and forget: nothing waits for the desktop's answer, and without a
// session bus or a notification service nothing happens.
// User-interface thread only.
#include <QString>

namespace lumora::ui {

class DesktopNotice {
public:
    // Returns false when no session bus is there to take the message.
    static bool send(const QString &title, const QString &body);
};

} // namespace lumora::ui
