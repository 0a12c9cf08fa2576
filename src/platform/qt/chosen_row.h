#pragma once
// The row a clerk chose in a list: the selected one, however it was selected (mouse, keys or a
// screen reader, which selects without moving the cursor), else the row under the cursor.
#include <QListWidget>

namespace kelvo::platform::qt {

inline int chosen_row(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  if (!selected.isEmpty()) return list->row(selected.front());
  return list->currentRow();
}

}  // namespace kelvo::platform::qt
