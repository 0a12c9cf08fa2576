#include "reports/till_screen.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "text/format.h"

namespace kelvo::reports {

namespace {

QLineEdit* figure(float v, const QString& name, QWidget* parent) {
  auto* e = new QLineEdit(platform::qt::qs(text::format("%.2f", {v})), parent);
  e->setReadOnly(true);
  e->setAlignment(Qt::AlignRight);
  e->setObjectName(name);
  e->setMaximumWidth(120);
  return e;
}

}  // namespace

TillScreen::TillScreen(const TillFigures& f, std::function<bool(CloseoutChoice)> act, QWidget* parent)
    : QDialog(parent), act_(std::move(act)) {
  setObjectName(act_ ? "till_closeout" : "till_reconciliation");
  setWindowTitle(act_ ? tr("Till closeout") : tr("Till reconciliation"));
  auto* outer = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  const std::pair<QString, float> rows[] = {
      {tr("Initial till"), f.initial_till}, {tr("Rentals"), f.rentals},           {tr("Arrears"), f.arrears},
      {tr("Overdues"), f.overdues},         {tr("Memberships"), f.memberships},   {tr("Retail sales"), f.retail_sales},
      {tr("Item sales"), f.item_sales},     {tr("Total"), f.sub_total},           {tr("Refunds"), f.refunds}};
  for (const auto& [label, value] : rows) form->addRow(label, figure(value, label, this));
  outer->addLayout(form);
  auto* framed = new QGroupBox(tr("Till total"), this);
  auto* inner = new QVBoxLayout(framed);
  inner->addWidget(figure(f.till_total, "Till total", framed));
  outer->addWidget(framed);
  outer->addWidget(new QLabel(tr("The figures exclude credit rentals and credit refunds"), this));

  auto* buttons = new QDialogButtonBox(this);
  auto button = [&](const QString& text, const char* name, CloseoutChoice c) {
    QPushButton* b = buttons->addButton(text, QDialogButtonBox::ActionRole);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, [this, c] { choose(c); });
  };
  if (act_) {
    button(tr("Close and log off"), "close", CloseoutChoice::Close);
    button(tr("Print, close and log off"), "print", CloseoutChoice::PrintAndClose);
    button(tr("Cancel"), "cancel", CloseoutChoice::Cancel);
  } else {
    QPushButton* finish = buttons->addButton(tr("Finish"), QDialogButtonBox::AcceptRole);
    finish->setObjectName("finish");
    connect(finish, &QPushButton::clicked, this, &QDialog::accept);
  }
  outer->addWidget(buttons);
}

void TillScreen::choose(CloseoutChoice c) {
  if (act_(c)) done(c == CloseoutChoice::Cancel ? QDialog::Rejected : QDialog::Accepted);
}

void QtTillViews::show_reconciliation(const TillFigures& f) {
  TillScreen screen(f, {}, parent_);
  screen.exec();
}

void QtTillViews::run_closeout(const TillFigures& f, const std::function<bool(CloseoutChoice)>& act) {
  // Escape and the window's close box end it as Cancel does, without effect.
  TillScreen screen(f, act, parent_);
  screen.exec();
}

}  // namespace kelvo::reports
