#include "EffectTableModel.h"

#include "app/Language.h"

namespace lumora::ui {

EffectTableModel::EffectTableModel(const RowTable &table, QObject *parent) : QAbstractTableModel(parent), m_table(table)
{
}

int EffectTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.size();
}

int EffectTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.columns().size());
}

QVariant EffectTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_table.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return shownCell(m_table.cell(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

QVariant EffectTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return shownText("lumora::columns", m_table.columns().value(section));
    return section + 1;
}

void EffectTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

} // namespace lumora::ui
