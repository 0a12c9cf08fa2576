#include "records/shop.h"
#include "catalogue/reservation_screen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::catalogue {

using platform::qt::qs;
using platform::qt::u16;

ReservationScreen::ReservationScreen(ReservationAdd& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName("add_reservation");
  setWindowTitle(tr("Add reservation"));
  auto* outer = new QVBoxLayout(this);
  auto* date = new QLabel(qs(model.date_line()), this);
  date->setObjectName("date");
  QFont bold = date->font();
  bold.setBold(true);
  date->setFont(bold);
  outer->addWidget(date);

  auto* grid = new QGridLayout;
  member_ = new QLineEdit(this);
  member_->setObjectName("member");
  member_->setMaxLength(kTextLimitOnAdd);
  item_ = new QLineEdit(this);
  item_->setObjectName("item");
  item_->setMaxLength(kTextLimitOnAdd);
  for (QLineEdit* e : {member_, item_}) e->setMinimumWidth(320);
  auto* find_member = new QPushButton(tr("Find"), this);
  find_member->setObjectName("find_member");
  auto* find_item = new QPushButton(tr("Find"), this);
  find_item->setObjectName("find_item");
  find_member->setAccessibleName(tr("Find member"));
  find_item->setAccessibleName(tr("Find item"));
  grid->addWidget(new QLabel(tr("Member"), this), 0, 0);
  grid->addWidget(member_, 0, 1);
  grid->addWidget(find_member, 0, 2);
  grid->addWidget(new QLabel(tr("Item"), this), 1, 0);
  grid->addWidget(item_, 1, 1);
  grid->addWidget(find_item, 1, 2);
  by_member_ = new QComboBox(this);
  by_member_->setObjectName("by_member");
  by_member_->setAccessibleName(tr("Member reservations"));  // under a second "Member" label
  by_item_ = new QComboBox(this);
  by_item_->setObjectName("by_item");
  grid->addWidget(new QLabel(tr("Member"), this), 2, 0);
  grid->addWidget(by_member_, 2, 1, 1, 2);
  grid->addWidget(new QLabel(tr("Items"), this), 3, 0);
  grid->addWidget(by_item_, 3, 1, 1, 2);
  outer->addLayout(grid);

  auto* next = new QPushButton(tr("Next"), this);
  next->setObjectName("next");
  auto* finish = new QPushButton(tr("Add and finish"), this);
  finish->setObjectName("add_and_finish");
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("cancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {next, finish, cancel}) buttons->addWidget(b);
  outer->addLayout(buttons);

  connect(find_member, &QPushButton::clicked, this, [this, item = item_] {
    if (model_.find_member()) item->setFocus();
    member_->setText(qs(model_.member));
  });
  connect(find_item, &QPushButton::clicked, this, [this, next] {
    if (model_.find_item()) next->setFocus();
    item_->setText(qs(model_.item));
  });
  connect(next, &QPushButton::clicked, this, [this] { store(false); });
  connect(finish, &QPushButton::clicked, this, [this] { store(true); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  refill_lists();
  member_->setFocus();
}

void ReservationScreen::refill_lists() {
  by_member_->clear();
  by_item_->clear();
  for (const auto& l : model_.member_lines()) by_member_->addItem(qs(l));
  for (const auto& l : model_.item_lines()) by_item_->addItem(qs(l));
}

void ReservationScreen::store(bool finish) {
  model_.member = u16(member_->text());
  model_.item = u16(item_->text());
  const bool stored = model_.store();
  if (finish) {
    accept();
    return;
  }
  if (!stored) return;
  refill_lists();
  member_->clear();
  item_->clear();
  member_->setFocus();
}

void QtReservationScreens::add_reservations(ReservationAdd& model) {
  ReservationScreen screen(model, parent_);
  screen.exec();
}

}  // namespace kelvo::catalogue
