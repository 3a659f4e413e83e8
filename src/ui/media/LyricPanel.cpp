#include "media/LyricPanel.h"

#include <QLabel>

#include "app/RowTable.h"
#include "media/LyricSettings.h"

namespace lumora::ui {

LyricPanel::LyricPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel_LRC"));
    setToolTip(tr("屏幕"));
    setFixedSize(kLyricReferenceWidth, kLyricReferenceHeight);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label_LRC"));
    m_label->setAttribute(Qt::WA_TranslucentBackground);
}

void LyricPanel::showLine(const Row &settings, const QString &line)
{
    const LyricPlacement p = applyLyricSettings(settings, line, size(), false, this);
    // A long line shows wrapped, as the album draws it, each line centred
    // under the other when the line is centred.
    const QRect box = p.box();
    showStyled(p.lines.isEmpty() ? p.text : p.lines.join(u'\n'), p.font, p.color,
               p.lines.size() > 1 ? box.topLeft() : p.topLeft);
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void LyricPanel::showStyled(const QString &line, const QFont &font, const QColor &colour, QPoint topLeft)
{
    m_label->setFont(font);
    m_label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour.name()));
    m_label->setText(line);
    m_label->adjustSize();
    m_label->move(topLeft);
    m_label->show();
}

void LyricPanel::clearLine()
{
    m_label->clear();
}

} // namespace lumora::ui
