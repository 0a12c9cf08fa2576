#include "catalogue/transaction_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "catalogue/investigation_screen.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/heading_label.h"

namespace kelvo::catalogue {

using platform::qt::qs;

TransactionScreen::TransactionScreen(const TransactionData& data, QWidget* parent) : QDialog(parent) {
  setObjectName("transaction");
  setWindowTitle(qs(data.title));
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(platform::qt::heading_label(data.heading, this));
  auto* form = new QFormLayout;
  auto field = [&](const QString& label, const text::u16& value, const char* name) {
    auto* e = new QLineEdit(qs(value), this);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setMinimumWidth(360);
    form->addRow(label, e);
  };
  field(tr("Address"), data.address, "address");
  field(tr("Last rented"), data.last_rented, "last_rented");
  field(tr("Transaction amount"), data.transaction_amount, "transaction_amount");
  field(tr("Amount owed"), data.owed, "owed");
  outer->addLayout(form);
  auto* loans = new QGroupBox(tr("Items on loan"), this);
  auto* loans_layout = new QVBoxLayout(loans);
  auto* list = new QListWidget(loans);
  list->setObjectName("on_loan");
  for (const auto& line : data.on_loan) list->addItem(qs(line));
  list->setMinimumHeight(110);
  loans_layout->addWidget(list);
  outer->addWidget(loans);
  outer->addWidget(rental_history_widget(data.history, this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  outer->addWidget(buttons);
}

void QtHistoryViews::show_investigation(const Investigation& data) {
  InvestigationScreen screen(data, parent_);
  screen.exec();
}

bool QtHistoryViews::show_transaction(const TransactionData& data) {
  TransactionScreen screen(data, parent_);
  return screen.exec() == QDialog::Accepted;
}

}  // namespace kelvo::catalogue
