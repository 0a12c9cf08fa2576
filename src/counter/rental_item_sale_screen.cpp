#include "counter/rental_item_sale_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/ok_cancel.h"

namespace kelvo::counter::qt {

using platform::qt::Shown;
using platform::qt::shown_field;
using platform::qt::qs;
using platform::qt::u16;

RentalItemSaleDialog::RentalItemSaleDialog(int64_t item, const QString& title, const records::ConfigBlock& config,
                                           QWidget* parent)
    : QDialog(parent), model_(config) {
  setWindowTitle(QStringLiteral("Sale of rental item"));
  setObjectName(QStringLiteral("rentalItemSaleScreen"));
  auto* item_box = shown_field(this, "item", QString::number(item));
  auto* title_box = shown_field(this, "title", title);
  title_box->setMinimumWidth(title_box->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);
  price_ = new QLineEdit(this);
  price_->setObjectName(QStringLiteral("price"));
  price_->setAlignment(Qt::AlignRight);
  price_->setMaxLength(12);
  tax1_ = shown_field(this, "tax1", {}, Shown::Money);
  tax2_ = shown_field(this, "tax2", {}, Shown::Money);
  total_ = shown_field(this, "total", {}, Shown::Money);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Item:"), item_box);
  form->addRow(QStringLiteral("Title:"), title_box);
  form->addRow(QStringLiteral("&Sale price:"), price_);
  form->addRow(QStringLiteral("Tax 1:"), tax1_);
  form->addRow(QStringLiteral("Tax 2:"), tax2_);
  form->addRow(QStringLiteral("Total:"), total_);

  auto* buttons = platform::qt::ok_cancel_buttons(this);
  connect(price_, &QLineEdit::textChanged, this, &RentalItemSaleDialog::refresh);

  auto* all = new QVBoxLayout(this);
  all->addLayout(form);
  all->addWidget(buttons);
  price_->setFocus();
  refresh();
}

void RentalItemSaleDialog::refresh() {
  model_.set_sub_total(u16(price_->text()));
  tax1_->setText(qs(model_.tax1_text()));
  tax2_->setText(qs(model_.tax2_text()));
  total_->setText(qs(model_.total_text()));
}

std::optional<AmountFigures> QtRentalItemSaleScreen::ask_sale_price(int64_t item, text::u16view title) {
  RentalItemSaleDialog dialog(item, qs(title), config_, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.figures();
}

}  // namespace kelvo::counter::qt
