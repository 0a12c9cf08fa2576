#include "catalogue/investigation_screen.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "platform/qt/heading_label.h"

namespace kelvo::catalogue {

using platform::qt::qs;

QComboBox* entry_list(const std::vector<text::u16>& entries, const char* name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const auto& e : entries) box->addItem(qs(e));
  box->setMinimumWidth(320);
  return box;
}

QWidget* rental_history_widget(const RentalHistory& history, QWidget* parent) {
  auto* group = new QGroupBox(QObject::tr("Recent rentals"), parent);
  auto* layout = new QVBoxLayout(group);
  auto* table = new QTableWidget(4, 3, group);
  table->setObjectName("recent");
  table->setAccessibleName(QObject::tr("Recent rentals"));
  table->setHorizontalHeaderLabels({QObject::tr("Item"), QObject::tr("Rented"), QObject::tr("Returned")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int r = 0; r < 4; ++r) {
    const bool shown = r < static_cast<int>(history.recent.size());
    table->setItem(r, 0, new QTableWidgetItem(shown ? qs(history.recent[r].item) : QString()));
    table->setItem(r, 1, new QTableWidgetItem(shown ? qs(history.recent[r].rented) : QString()));
    table->setItem(r, 2, new QTableWidgetItem(shown ? qs(history.recent[r].returned) : QString()));
  }
  table->setColumnWidth(0, 300);
  table->setColumnWidth(1, 110);
  table->setColumnWidth(2, 110);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setMinimumWidth(300 + 110 + 110 + 2 * table->frameWidth() + 4);
  table->setFixedHeight(table->horizontalHeader()->height() + 4 * table->verticalHeader()->defaultSectionSize() +
                        2 * table->frameWidth());
  layout->addWidget(table);
  auto* form = new QFormLayout;
  form->addRow(QObject::tr("Previous rentals"), entry_list(history.previous, "previous", group));
  layout->addLayout(form);
  return group;
}

namespace {

QLineEdit* shown(const text::u16& s, const char* name, QWidget* parent) {
  auto* e = new QLineEdit(qs(s), parent);
  e->setObjectName(name);
  e->setReadOnly(true);
  e->setMinimumWidth(320);
  return e;
}

}  // namespace

InvestigationScreen::InvestigationScreen(const Investigation& data, QWidget* parent) : QDialog(parent) {
  setObjectName("investigate_member");
  setWindowTitle(tr("Investigate member"));
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(platform::qt::heading_label(data.heading, this));
  auto* form = new QFormLayout;
  form->addRow(tr("Road"), shown(data.road, "road", this));
  form->addRow(tr("Last rented"), shown(data.last_rented, "last_rented", this));
  form->addRow(tr("Last returned"), shown(data.last_returned, "last_returned", this));
  form->addRow(tr("Amount owed"), shown(data.owed, "owed", this));
  outer->addLayout(form);
  outer->addWidget(rental_history_widget(data.history, this));
  auto* identical = new QGroupBox(tr("Identical"), this);
  auto* same = new QFormLayout(identical);
  same->addRow(tr("Last name"), entry_list(data.same_name, "same_name", identical));
  same->addRow(tr("Road"), entry_list(data.same_road, "same_road", identical));
  same->addRow(tr("Telephone"), entry_list(data.same_telephone, "same_telephone", identical));
  same->addRow(tr("Join date"), entry_list(data.same_join_date, "same_join_date", identical));
  outer->addWidget(identical);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  outer->addWidget(buttons);
}

}  // namespace kelvo::catalogue
