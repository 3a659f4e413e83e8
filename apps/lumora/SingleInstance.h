#pragma once
// Keeps the program to one running copy per user: an exclusive flock on
// <runtime folder>/lumora.lock. The system releases the lock when the
// process ends in any way, so a crashed copy never locks the user out.
#include <QString>

namespace lumora {

class SingleInstance {
public:
    // Takes the lock; isFirst() tells whether this process got it.
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    bool isFirst() const { return m_fd >= 0; }
    const QString &lockPath() const { return m_path; }
    // Why the lock could not be taken other than a running copy ("" if none).
    const QString &error() const { return m_error; }

private:
    int m_fd = -1;
    QString m_path;
    QString m_error;
};

} // namespace lumora
