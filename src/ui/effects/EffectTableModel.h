#pragma once
// A read-only Qt table model over one effect table of the album (a RowTable):
// the column captions as headers, the caption cell as column 0. The window
// calls refresh() after every engine call that may have changed the table.
// User-interface thread only.
#include <QAbstractTableModel>

#include "app/RowTable.h"

namespace lumora::ui {

class EffectTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    EffectTableModel(const RowTable &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void refresh();

private:
    const RowTable &m_table;
};

} // namespace lumora::ui
