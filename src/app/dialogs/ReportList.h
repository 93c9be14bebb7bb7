#pragma once

#include "forms/ListColumn.h"

#include <QTableWidget>

#include <functional>
#include <vector>

namespace dispcraft {

// A report-view list: titled columns of given widths, grid lines, whole-row selection, one row
// at a time. One column may be edited in place; the owner decides whether an edited text is
// taken.
class ReportList : public QTableWidget {
    Q_OBJECT
public:
    ReportList(const std::vector<ListColumn>& columns, QWidget* parent = nullptr);

    // Replaces the rows (the selection goes).
    void setRows(const std::vector<QStringList>& rows);
    QString cell(int row, int column) const;
    int selectedRow() const;
    void selectRow(int row);

    // In-place editing of a column, at most maxLength characters typed; commit decides: true
    // puts the returned text into the cell, false keeps the old one.
    using Commit = std::function<bool(int row, QString& text)>;
    void setEditableColumn(int column, int maxLength, Commit commit, EditTriggers triggers);

private:
    int m_editColumn = -1;
};

} // namespace dispcraft
