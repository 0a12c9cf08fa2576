#include "counter/arrears_overdue_screen.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/qt/choice_button.h"
#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::Shown;
using platform::qt::shown_field;
using platform::qt::qs;

namespace {
QLineEdit* shown_box(QWidget* parent, const char* name, const QString& value, bool money = true) {
  auto* e = shown_field(parent, name, value, money ? Shown::Money : Shown::Text);
  if (money) e->setMinimumWidth(120);
  return e;
}
}  // namespace

ArrearsOverdueDialog::ArrearsOverdueDialog(const ArrearsOverdueView& v, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Arrears / overdue"));
  setObjectName(QStringLiteral("arrearsOverdueScreen"));

  auto* items = new QTreeWidget(this);
  items->setObjectName(QStringLiteral("overdueItems"));
  items->setAccessibleName(QStringLiteral("Overdue items and charges"));
  items->setHeaderLabels({QStringLiteral("Overdue item"), QStringLiteral("Charge")});
  items->setRootIsDecorated(false);
  items->setFocusPolicy(Qt::NoFocus);
  items->setSelectionMode(QAbstractItemView::NoSelection);
  for (const auto& l : v.lines) {
    auto* row = new QTreeWidgetItem(items, {qs(l.item), qs(l.charge)});
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  }
  items->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  items->header()->setStretchLastSection(false);
  items->setMinimumWidth(420);

  auto* who = new QFormLayout;
  who->addRow(QStringLiteral("Member:"),
              shown_box(this, "member", QString::number(v.number) + QStringLiteral("  ") + qs(v.name), false));
  who->addRow(QStringLiteral("Address:"), shown_box(this, "address", qs(v.address), false));
  who->addRow(QStringLiteral("Comment:"), shown_box(this, "comment", qs(v.comment), false));

  auto* sums = new QFormLayout;
  sums->addRow(QStringLiteral("Arrears:"), shown_box(this, "arrears", qs(v.arrears)));
  sums->addRow(QStringLiteral("Overdue items:"), shown_box(this, "overdue", qs(v.overdue)));
  sums->addRow(QStringLiteral("Tax 1:"), shown_box(this, "tax1", qs(v.tax1)));
  sums->addRow(QStringLiteral("Tax 2:"), shown_box(this, "tax2", qs(v.tax2)));
  sums->addRow(QStringLiteral("Sub total:"), shown_box(this, "subTotal", qs(v.sub_total)));
  auto* total = shown_box(this, "total", qs(v.total));
  QFont big = total->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  total->setFont(big);
  sums->addRow(QStringLiteral("Total:"), total);

  auto* paid = button(QStringLiteral("&Paid"), "paid", OverdueChoice::Paid);
  auto* amend = button(QStringLiteral("&Amend / owe total due"), "amendOwe", OverdueChoice::AmendOwe);
  auto* owed = button(QStringLiteral("&Owed"), "owed", OverdueChoice::Owed);
  amend->setHidden(v.amend_hidden);
  QPushButton* first = v.focus_owed ? owed : paid;
  first->setDefault(true);
  first->setFocus();

  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(paid);
  row->addWidget(amend);
  row->addWidget(owed);

  auto* grid = new QGridLayout;
  grid->addWidget(items, 0, 0, 2, 1);
  grid->addLayout(who, 2, 0);
  grid->addLayout(sums, 0, 1, 3, 1);
  auto* all = new QVBoxLayout(this);
  all->addLayout(grid);
  all->addLayout(row);
  setTabOrder(paid, amend);
  setTabOrder(amend, owed);
}

QPushButton* ArrearsOverdueDialog::button(const QString& text, const char* name, OverdueChoice c) {
  return platform::qt::choice_button(this, text, name, choice_, c);
}

void ArrearsOverdueDialog::reject() {
  choice_ = OverdueChoice::Owed;
  QDialog::reject();
}

}  // namespace kelvo::counter::qt
