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
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Sale of rental item"));
  setObjectName(QStringLiteral("rentalItemSaleScreen"));
  auto* item_box = shown_field(this, "item", QString::number(item));
  auto* title_box = shown_field(this, "title", title);
  title_box->setMinimumWidth(title_box->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Item:"), item_box);
  form->addRow(QStringLiteral("Title:"), title_box);
  rows_ = new AmountRows(this, form, config, "price",
                         {QStringLiteral("&Sale price:"), QStringLiteral("Tax 1:"), QStringLiteral("Tax 2:")});
  rows_->amount()->setMaxLength(12);

  auto* buttons = platform::qt::ok_cancel_buttons(this);

  auto* all = new QVBoxLayout(this);
  all->addLayout(form);
  all->addWidget(buttons);
  rows_->amount()->setFocus();
}

std::optional<AmountFigures> QtRentalItemSaleScreen::ask_sale_price(int64_t item, text::u16view title) {
  RentalItemSaleDialog dialog(item, qs(title), config_, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.figures();
}

}  // namespace kelvo::counter::qt
