// The core list: single selection, in the order the items were added. Once an item is selected,
// one stays selected: the mouse and the keyboard can move the selection but never clear it. Like a
// Windows list box, it shows whole rows only, however tall the style makes a row.
#pragma once

#include <QListWidget>

namespace spirex::ui {

class CoreList final : public QListWidget {
    Q_OBJECT

public:
    explicit CoreList(QWidget* parent = nullptr);

    // The selected item's text, or the empty text when nothing is selected.
    [[nodiscard]] QString SelectedText() const;

protected:
    [[nodiscard]] QItemSelectionModel::SelectionFlags
    selectionCommand(const QModelIndex& index, const QEvent* event) const override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

private:
    void ShowWholeRows();
};

} // namespace spirex::ui
