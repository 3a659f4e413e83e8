#pragma once
// Errors of the engine. They carry context (file, frame, slot, library message)
// and travel to the boundary, where the windows or lumora-make turn them into
// the notices users see. The engine never opens a dialog.
#include <stdexcept>
#include <string>

#include <QString>

namespace lumora {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) { }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// The failures of the disk a person can act on (full, file too large,
// read-only, no access, an I/O error), said in Chinese; "" for any other
// `errno` value, whose library or system words are shown instead.
QString plainDiskError(int errnoValue);

// A shipped resource failed its integrity contract (no templates for the mode,
// wrong parameter-file marker, a movie that fails its identity check). The
// application ends when it meets one of these.
class IntegrityError : public Error {
public:
    using Error::Error;
};

} // namespace lumora
