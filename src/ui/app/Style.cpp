#include "Style.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>
#include <QToolTip>

namespace lumora::ui {

namespace {

// The CJK families we can stand "黑体" for, best first.
const char *const kCjkFamilies[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC", "Droid Sans Fallback"};

QString installedCjkFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const char *f : kCjkFamilies) {
        const QString name = QString::fromLatin1(f);
        if (families.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return {};
}

} // namespace

QString programStyleSheet()
{
    return QStringLiteral(
        "QWidget#TForm1, QMainWindow, QDialog, QWidget[lumoraWindow=\"true\"] { background-color: rgb(238, 238, 238); }"
        "QToolTip { background-color: rgb(255, 255, 225); color: black; border: 1px solid rgb(118, 118, 118);"
        "  font-family: \"黑体\"; font-size: 10pt; padding: 2px; }"
        "QProgressBar#ProgressBar_jiazai { border: none; background: rgb(238, 238, 238); }"
        "QProgressBar#ProgressBar_jiazai::chunk { background: rgb(0, 120, 215); }");
}

QString applyProgramStyle(QApplication &app)
{
    const QString family = installedCjkFamily();
    if (!family.isEmpty())
        QFont::insertSubstitution(kInterfaceFamily, family);

    QFont font(kInterfaceFamily, 9);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);

    QPalette palette = app.palette();
    palette.setColor(QPalette::Window, kWindowGrey);
    palette.setColor(QPalette::Button, kWindowGrey);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    app.setPalette(palette);

    QFont tipFont(kInterfaceFamily, 10);
    QToolTip::setFont(tipFont);
    QToolTip::setPalette(palette);

    app.setStyleSheet(programStyleSheet());
    return family;
}

} // namespace lumora::ui
