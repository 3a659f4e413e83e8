#pragma once
// Writes pictures of windows for the screenshot driver: <folder>/<object
// name>.png for the first shot of a window, <object name>-2.png, -3.png …
// for the later ones. Also waits for the event loop to settle.
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace lumora::screenshots {

class Shooter {
public:
    explicit Shooter(QString folder);

    // Shows the window if needed, lets it paint and writes its picture.
    // Returns the file written ("" on failure, reported on stderr).
    QString shoot(QWidget *window);
    // Processes events for `ms` milliseconds.
    static void settle(int ms = 150);
    // Processes events until `done` answers true or `timeoutMs` passes.
    static bool waitFor(const std::function<bool()> &done, int timeoutMs = 10000);
    // Runs `action` once the event loop is running (for modal windows: the
    // action finds the window, shoots it and closes it).
    static void later(int ms, const std::function<void()> &action);

    // Looks at every window shot: a non-empty answer (the faults found)
    // counts as a failure and is reported on stderr.
    void setCheck(std::function<QStringList(QWidget *)> check) { m_check = std::move(check); }

    int failures() const { return m_failures; }
    int written() const { return m_written; }

private:
    QString m_folder;
    QHash<QString, int> m_counts;
    int m_failures = 0;
    int m_written = 0;
    std::function<QStringList(QWidget *)> m_check;
};

} // namespace lumora::screenshots
