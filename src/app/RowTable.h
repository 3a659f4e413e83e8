#pragma once
// An ordered table of rows of text cells: a caption cell plus sub-items.
// Cells are addressed by column number (caption = column 0), by sub-item
// number (first cell after the caption = sub-item 0) or by column caption.
// Numbers, paths, row references and flags are stored as decimal text, as
// every table of the album does; code that computes converts once.
#include <QString>
#include <QStringList>
#include <vector>

namespace lumora {

class Row {
public:
    Row() = default;
    explicit Row(QString caption, QStringList subItems = {})
        : m_caption(std::move(caption)), m_subItems(std::move(subItems))
    {
    }

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &text) { m_caption = text; }

    // Sub-item k; an absent sub-item reads as "" (as an unset list-view cell does).
    QString subItem(int k) const { return k >= 0 && k < m_subItems.size() ? m_subItems[k] : QString(); }
    // Writing past the end grows the row with empty cells.
    void setSubItem(int k, const QString &text);
    int subItemCount() const { return int(m_subItems.size()); }
    const QStringList &subItems() const { return m_subItems; }
    void appendSubItem(const QString &text) { m_subItems.append(text); }

    // Column c: 0 is the caption, c >= 1 is sub-item c - 1.
    QString cell(int column) const { return column == 0 ? m_caption : subItem(column - 1); }
    void setCell(int column, const QString &text);

    int subItemInt(int k) const; // plain integer conversion; non-numeric text is 0
    bool operator==(const Row &o) const = default;

private:
    QString m_caption;
    QStringList m_subItems;
};

class RowTable {
public:
    RowTable() = default;
    explicit RowTable(QStringList columnCaptions) : m_columns(std::move(columnCaptions)) { }

    const QStringList &columns() const { return m_columns; }
    void setColumns(QStringList captions) { m_columns = std::move(captions); }
    // Column number of a caption, or -1.
    int columnOf(const QString &caption) const { return int(m_columns.indexOf(caption)); }

    int size() const { return int(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    void clear() { m_rows.clear(); }

    Row &row(int i) { return m_rows.at(size_t(i)); }
    const Row &row(int i) const { return m_rows.at(size_t(i)); }
    Row &operator[](int i) { return row(i); }
    const Row &operator[](int i) const { return row(i); }

    Row &append(Row r)
    {
        m_rows.push_back(std::move(r));
        return m_rows.back();
    }
    Row &append(const QString &caption, const QStringList &subItems = {}) { return append(Row(caption, subItems)); }
    void insert(int i, Row r) { m_rows.insert(m_rows.begin() + i, std::move(r)); }
    void remove(int i) { m_rows.erase(m_rows.begin() + i); }

    // Cell by column number / caption; throws lumora::Error for an unknown caption.
    QString cell(int rowIndex, int column) const { return row(rowIndex).cell(column); }
    QString cell(int rowIndex, const QString &caption) const;
    void setCell(int rowIndex, int column, const QString &text) { row(rowIndex).setCell(column, text); }
    void setCell(int rowIndex, const QString &caption, const QString &text);
    // Every row's text in one column (caption = 0) / one sub-item, in row order.
    QStringList columnTexts(int column) const;
    QStringList subItemTexts(int k) const { return columnTexts(k + 1); }

    std::vector<Row>::const_iterator begin() const { return m_rows.begin(); }
    std::vector<Row>::const_iterator end() const { return m_rows.end(); }
    std::vector<Row>::iterator begin() { return m_rows.begin(); }
    std::vector<Row>::iterator end() { return m_rows.end(); }

    bool operator==(const RowTable &o) const = default;

private:
    QStringList m_columns;
    std::vector<Row> m_rows;
};

// Row references: 0-based row positions written as decimal text.
namespace rowref {
// After row `deleted` was removed: a reference to a later row is lowered by
// one; a reference to the deleted row itself is returned unchanged (callers
// delete or rewrite such rows first); non-numeric text is left as it is.
QString afterDelete(const QString &ref, int deleted);
// Lower every reference in `column` of `table` that points past `deleted`.
void renumberColumn(RowTable &table, int column, int deleted);
// Remove every row whose `column` references `deleted`, then lower the rest.
// Returns the number of rows removed.
int removeReferencing(RowTable &table, int column, int deleted);
} // namespace rowref

} // namespace lumora
