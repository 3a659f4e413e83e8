#include "RowTable.h"

#include "Error.h"

namespace lumora {

void Row::setSubItem(int k, const QString &text)
{
    while (m_subItems.size() <= k)
        m_subItems.append(QString());
    m_subItems[k] = text;
}

void Row::setCell(int column, const QString &text)
{
    if (column == 0)
        m_caption = text;
    else
        setSubItem(column - 1, text);
}

int Row::subItemInt(int k) const
{
    return subItem(k).trimmed().toInt();
}

QString RowTable::cell(int rowIndex, const QString &caption) const
{
    const int c = columnOf(caption);
    if (c < 0)
        throw Error(QStringLiteral("unknown column \"%1\"").arg(caption));
    return cell(rowIndex, c);
}

void RowTable::setCell(int rowIndex, const QString &caption, const QString &text)
{
    const int c = columnOf(caption);
    if (c < 0)
        throw Error(QStringLiteral("unknown column \"%1\"").arg(caption));
    setCell(rowIndex, c, text);
}

QStringList RowTable::columnTexts(int column) const
{
    QStringList out;
    for (const Row &r : m_rows)
        out << r.cell(column);
    return out;
}

namespace rowref {

QString afterDelete(const QString &ref, int deleted)
{
    bool ok = false;
    const int v = ref.trimmed().toInt(&ok);
    if (!ok || v <= deleted)
        return ref;
    return QString::number(v - 1);
}

void renumberColumn(RowTable &table, int column, int deleted)
{
    for (Row &r : table)
        r.setCell(column, afterDelete(r.cell(column), deleted));
}

int removeReferencing(RowTable &table, int column, int deleted)
{
    int removed = 0;
    for (int i = table.size() - 1; i >= 0; --i) {
        bool ok = false;
        if (table[i].cell(column).trimmed().toInt(&ok) == deleted && ok) {
            table.remove(i);
            ++removed;
        }
    }
    renumberColumn(table, column, deleted);
    return removed;
}

} // namespace rowref
} // namespace lumora
