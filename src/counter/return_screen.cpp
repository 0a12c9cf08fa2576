#include "counter/return_screen.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/choice_button.h"
#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::shown_field;
using platform::qt::qs;

namespace {

// Space ticks the line under the cursor; the list's own handling of Space differs between
// styles, and the counter staff work the list from the keyboard.
class SpaceTicks : public QObject {
 public:
  explicit SpaceTicks(QListWidget* list) : QObject(list), list_(list) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->key() != Qt::Key_Space) return false;
    if (QListWidgetItem* item = list_->currentItem())
      item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    return true;
  }

 private:
  QListWidget* list_;
};

}  // namespace

ReturnDialog::ReturnDialog(ReturnModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(QStringLiteral("RETURN"));
  setObjectName(QStringLiteral("returnScreen"));

  auto* member = new QGroupBox(QStringLiteral("Member"), this);
  auto* form = new QFormLayout(member);
  form->addRow(QStringLiteral("Number:"), shown_field(this, "number", QString::number(model.member)));
  form->addRow(QStringLiteral("Name:"), shown_field(this, "name", qs(model.name)));
  form->addRow(QStringLiteral("Address:"), shown_field(this, "address", qs(model.address)));
  form->addRow(QStringLiteral("Telephone:"), shown_field(this, "telephone", qs(model.telephone)));
  form->addRow(QStringLiteral("Join date:"), shown_field(this, "joinDate", qs(model.join_date)));
  form->addRow(QStringLiteral("Comment:"), shown_field(this, "comment1", qs(model.comment1)));
  form->addRow(QStringLiteral("Comment 2:"), shown_field(this, "comment2", qs(model.comment2)));
  auto* charge = shown_field(this, "transactionCharge", qs(model.transaction_charge));
  charge->setAlignment(Qt::AlignRight);
  charge->setMaximumWidth(120);
  form->addRow(QStringLiteral("Transaction charge:"), charge);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("returnList"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setMinimumSize(440, 180);
  int first = -1;
  for (const auto& line : model.lines()) {
    auto* item = new QListWidgetItem(qs(line.text), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(line.selected ? Qt::Checked : Qt::Unchecked);
    if (first < 0 && line.selected) first = list_->count() - 1;
  }
  list_->setCurrentRow(first < 0 ? 0 : first);
  list_->installEventFilter(new SpaceTicks(list_));
  connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    model_.select(static_cast<size_t>(list_->row(item)), item->checkState() == Qt::Checked);
  });
  auto* caption = new QLabel(QStringLiteral("&Items on loan (Space ticks an item to return):"), this);
  caption->setBuddy(list_);

  auto* ret = new QPushButton(QStringLiteral("&Return"), this);
  ret->setObjectName(QStringLiteral("return"));
  ret->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  connect(ret, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ret);
  buttons->addWidget(cancel);

  auto* all = new QVBoxLayout(this);
  all->addWidget(member);
  all->addWidget(caption);
  all->addWidget(list_, 1);
  all->addLayout(buttons);
  setTabOrder(list_, ret);
  setTabOrder(ret, cancel);
  list_->setFocus();
}

ReturnCompleteDialog::ReturnCompleteDialog(bool cash_refund_offered, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Return complete"));
  setObjectName(QStringLiteral("returnCompleteScreen"));
  auto* text = new QLabel(QStringLiteral("The items are back in stock."), this);
  text->setAlignment(Qt::AlignCenter);
  text->setMinimumHeight(40);
  setMinimumWidth(380);
  auto* ok = button(QStringLiteral("OK"), "ok", RefundChoice::Ok);
  auto* cash = button(QStringLiteral("Cas&h refund"), "cashRefund", RefundChoice::CashRefund);
  auto* credit = button(QStringLiteral("C&redit refund"), "creditRefund", RefundChoice::CreditRefund);
  cash->setHidden(!cash_refund_offered);
  ok->setDefault(true);
  ok->setFocus();
  auto* row = new QHBoxLayout;
  row->addWidget(ok);
  row->addWidget(cash);
  row->addWidget(credit);
  auto* all = new QVBoxLayout(this);
  all->addWidget(text);
  all->addLayout(row);
}

QPushButton* ReturnCompleteDialog::button(const QString& text, const char* name, RefundChoice c) {
  return platform::qt::choice_button(this, text, name, choice_, c);
}

bool QtReturnScreen::choose_returns(ReturnModel& model) {
  ReturnDialog d(model, parent_);
  return d.exec() == QDialog::Accepted;
}

RefundChoice QtReturnScreen::return_complete(bool cash_refund_offered) {
  ReturnCompleteDialog d(cash_refund_offered, parent_);
  d.exec();
  return d.choice();
}

}  // namespace kelvo::counter::qt
