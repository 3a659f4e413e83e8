#include "media/SongBeats.h"

#include <QStringList>

namespace lumora {

QString SongBeats::toText() const
{
    if (!m_analysed)
        return {};
    QString s = QStringLiteral("v1;%1;%2;%3;").arg(tempoBpm, 0, 'f', 2).arg(confidence, 0, 'f', 3).arg(clear ? 1 : 0);
    s.reserve(s.size() + int(beatsMs.size()) * 7);
    for (size_t i = 0; i < beatsMs.size(); ++i) {
        if (i > 0)
            s += QLatin1Char(',');
        s += QString::number(beatsMs[i]);
        if (i < strong.size() && strong[i])
            s += QLatin1Char('*');
    }
    return s;
}

SongBeats SongBeats::fromText(const QString &text)
{
    SongBeats b;
    const QStringList parts = text.split(QLatin1Char(';'));
    if (parts.size() != 5 || parts[0] != QLatin1String("v1"))
        return b;
    bool ok1 = false, ok2 = false;
    b.tempoBpm = parts[1].toDouble(&ok1);
    b.confidence = parts[2].toDouble(&ok2);
    if (!ok1 || !ok2 || (parts[3] != QLatin1String("0") && parts[3] != QLatin1String("1")))
        return SongBeats();
    b.clear = parts[3] == QLatin1String("1");
    if (!parts[4].isEmpty()) {
        for (const QString &item : parts[4].split(QLatin1Char(','))) {
            const bool strong = item.endsWith(QLatin1Char('*'));
            bool ok = false;
            const long long ms = (strong ? item.chopped(1) : item).toLongLong(&ok);
            // Beats are ascending times; anything else is a damaged cell.
            if (!ok || ms < 0 || (!b.beatsMs.empty() && ms <= b.beatsMs.back()))
                return SongBeats();
            b.beatsMs.push_back(ms);
            b.strong.push_back(strong);
        }
    }
    b.setAnalysed(true);
    return b;
}

} // namespace lumora
