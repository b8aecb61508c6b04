#include "ui/CoreList.h"

#include <QEvent>

namespace spirex::ui {

CoreList::CoreList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    // The list scrolls by whole rows, and the inside below the last row that fits whole stays
    // blank, in the list's own colour.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

QString CoreList::SelectedText() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

QItemSelectionModel::SelectionFlags CoreList::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (!selectionModel()->hasSelection()) {
        return flags;
    }
    // Ctrl+click or Ctrl+Space on the selected item would deselect it, and a click below the last
    // item would clear the selection: keep the selection as it is instead.
    const bool clears =
        flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle |
                           QItemSelectionModel::Clear) &&
        !flags.testFlag(QItemSelectionModel::Select);
    if (!index.isValid() || clears) {
        return QItemSelectionModel::NoUpdate;
    }
    return flags;
}

void CoreList::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) {
        ShowWholeRows();
    }
}

void CoreList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    ShowWholeRows();
}

void CoreList::rowsInserted(const QModelIndex& parent, int start, int end) {
    QListWidget::rowsInserted(parent, start, end);
    ShowWholeRows();
}

// The rows keep the height the style gives them; the list's frame keeps its place and size, and
// the rows are shown in the tallest area inside it that holds a whole number of them.
void CoreList::ShowWholeRows() {
    const int row = sizeHintForRow(0); // -1 while the list is empty
    const int inside = contentsRect().height();
    setViewportMargins(0, 0, 0, row > 0 && inside >= row ? inside % row : 0);
}

} // namespace spirex::ui
