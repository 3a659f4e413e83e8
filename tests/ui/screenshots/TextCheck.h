#pragma once
// Finds the interface texts of a window that still hold Chinese characters:
// window titles, labels, buttons, group boxes, tabs, combo items, headers,
// place-holders, tool tips and actions of the window and its visible
// children. What the person or the album put there (file names, template
// and effect names, cells) is `content` and removed from a text before it
// is looked at. Each hit reads "objectName: text".
#include <QStringList>

class QWidget;

namespace lumora::screenshots {

QStringList chineseInterfaceTexts(QWidget *window, const QStringList &content);

} // namespace lumora::screenshots
