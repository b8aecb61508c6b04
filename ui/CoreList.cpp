#include "ui/CoreList.h"

namespace spirex::ui {

CoreList::CoreList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
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

} // namespace spirex::ui
