#include "app/dialogs/ReportList.h"

#include "app/UiText.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyledItemDelegate>

namespace dispcraft {

namespace {

// The in-place edit of one column: its length limit, and the owner's verdict on the text.
class CellEditor : public QStyledItemDelegate {
public:
    CellEditor(int maxLength, ReportList::Commit commit, QObject* parent)
        : QStyledItemDelegate(parent), m_maxLength(maxLength), m_commit(std::move(commit)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setMaxLength(m_maxLength);
            edit->setObjectName(QStringLiteral("cellEdit"));
        }
        return w;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit) {
            return;
        }
        QString text = edit->text();
        if (m_commit(index.row(), text)) {
            model->setData(index, text, Qt::EditRole);
        }
    }

private:
    int m_maxLength;
    ReportList::Commit m_commit;
};

} // namespace

ReportList::ReportList(const std::vector<ListColumn>& columns, QWidget* parent)
    : QTableWidget(0, static_cast<int>(columns.size()), parent) {
    QStringList titles;
    for (const ListColumn& c : columns) {
        titles << ui::text(c.title);
    }
    setHorizontalHeaderLabels(titles);
    for (size_t i = 0; i < columns.size(); ++i) {
        // The columns' widths in the program's pixels, a little wider for today's fonts.
        setColumnWidth(static_cast<int>(i), columns[i].width + 16);
    }
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    int width = 4;
    for (const ListColumn& c : columns) {
        width += c.width + 16;
    }
    // Room for the vertical scroll bar, so that a full list needs no horizontal one.
    setMinimumWidth(width + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * frameWidth());
}

void ReportList::setRows(const std::vector<QStringList>& rows) {
    const QSignalBlocker block(this);
    clearContents();
    setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            auto* item = new QTableWidgetItem(c < rows[static_cast<size_t>(r)].size() ? rows[static_cast<size_t>(r)][c] : QString());
            Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
            if (c == m_editColumn) {
                flags |= Qt::ItemIsEditable;
            }
            item->setFlags(flags);
            setItem(r, c, item);
        }
    }
    setCurrentCell(-1, -1);
    clearSelection();
}

QString ReportList::cell(int row, int column) const {
    const QTableWidgetItem* i = item(row, column);
    return i ? i->text() : QString();
}

int ReportList::selectedRow() const {
    const QList<QTableWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : items.first()->row();
}

void ReportList::selectRow(int row) {
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        return;
    }
    setCurrentCell(row, 0);
    QTableWidget::selectRow(row);
    scrollToItem(item(row, 0));
}

void ReportList::setEditableColumn(int column, int maxLength, Commit commit, EditTriggers triggers) {
    m_editColumn = column;
    setItemDelegateForColumn(column, new CellEditor(maxLength, std::move(commit), this));
    setEditTriggers(triggers);
}

} // namespace dispcraft
