#include "counter/arrears_screen.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::qs;

namespace {
std::vector<ChoiceItem> items(const ArrearsView& v) {
  const bool h = v.part_and_write_off_hidden;
  return {{"totalPaid", QStringLiteral("&Total is paid")},
          {"payAnotherDay", QStringLiteral("&Pay another day")},
          {"partPaidRestOwed", QStringLiteral("Part is paid, rest &owed"), h},
          {"partPaidRestWrittenOff", QStringLiteral("Part is paid, rest &written off"), h},
          {"writtenOff", QStringLiteral("Total is written o&ff"), h}};
}
}  // namespace

ArrearsDialog::ArrearsDialog(const ArrearsView& v, QWidget* parent)
    : ChoiceListScreen(QStringLiteral("Arrears"), "arrearsScreen", items(v), static_cast<int>(v.preselected) - 1,
                       parent) {
  add_fact("member", QStringLiteral("Member:"), QString::number(v.number) + QStringLiteral("  ") + qs(v.name));
  add_fact("address", QStringLiteral("Address:"), qs(v.address));
  add_fact("lastRented", QStringLiteral("Last rented:"), qs(v.last_rented));
  add_fact("lastReturned", QStringLiteral("Last returned:"), qs(v.last_returned));
  auto* earlier = new QTreeWidget(this);
  earlier->setObjectName(QStringLiteral("earlierItems"));
  earlier->setAccessibleName(QStringLiteral("Earlier items"));
  earlier->setHeaderLabels({QStringLiteral("Earlier items"), QStringLiteral("Rented"), QStringLiteral("Returned")});
  earlier->setRootIsDecorated(false);
  earlier->setFocusPolicy(Qt::NoFocus);
  earlier->setSelectionMode(QAbstractItemView::NoSelection);
  for (const auto& e : v.earlier) new QTreeWidgetItem(earlier, {qs(e.item), qs(e.rented), qs(e.returned)});
  earlier->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  earlier->header()->setStretchLastSection(false);
  earlier->setFixedHeight(earlier->header()->sizeHint().height() + 4 * 22 + 6);
  facts()->addRow(earlier);
  add_fact("owed", QStringLiteral("Amount owed:"), qs(v.owed));
}

std::optional<ArrearsChoice> ArrearsDialog::choice() const {
  auto i = chosen();
  if (!i) return std::nullopt;
  return static_cast<ArrearsChoice>(*i + 1);
}

}  // namespace kelvo::counter::qt
