#pragma once
// The local files of a drag and drop (links to other places are left out).
#include <QMimeData>
#include <QStringList>
#include <QUrl>

namespace lumora::ui {

inline QStringList droppedLocalFiles(const QMimeData *mime)
{
    QStringList paths;
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

} // namespace lumora::ui
