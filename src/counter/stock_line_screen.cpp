#include "counter/stock_line_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "counter/stock_lines.h"
#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/ok_cancel.h"

namespace kelvo::counter::qt {

using platform::qt::qs;
using platform::qt::u16;

StockLineDialog::StockLineDialog(const QString& title, const StockLineForm& form, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title);
  setObjectName(QStringLiteral("stockLineScreen"));
  auto box = [this](const char* name, const text::u16& value, int max, int chars) {
    auto* e = platform::qt::typed_field(this, QString::fromLatin1(name), qs(value), max);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 16);
    return e;
  };
  number_ = box("number", form.number, 19, 19);
  description_ = box("description", form.description, static_cast<int>(kStockDescriptionLimit), 40);
  quantity_ = box("quantity", form.quantity, 10, 10);
  cost_ = box("costPrice", form.cost_price, 12, 10);
  sale_ = box("salePrice", form.sale_price, 12, 10);
  reorder_ = box("reorderQuantity", form.reorder_quantity, 10, 10);

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Line &number:"), number_);
  fields->addRow(QStringLiteral("&Description:"), description_);
  fields->addRow(QStringLiteral("&Quantity in stock:"), quantity_);
  fields->addRow(QStringLiteral("&Cost price:"), cost_);
  fields->addRow(QStringLiteral("&Sale price:"), sale_);
  fields->addRow(QStringLiteral("&Reorder quantity:"), reorder_);

  auto* buttons = platform::qt::ok_cancel_buttons(this);

  auto* all = new QVBoxLayout(this);
  all->addLayout(fields);
  all->addWidget(buttons);
  description_->setFocus();
}

StockLineForm StockLineDialog::form() const {
  return StockLineForm{u16(number_->text()), u16(description_->text()), u16(quantity_->text()),
                       u16(cost_->text()),   u16(sale_->text()),        u16(reorder_->text())};
}

std::optional<StockLineForm> QtStockLineScreen::edit_stock_line(text::u16view title, const StockLineForm& form) {
  StockLineDialog dialog(qs(title), form, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.form();
}

}  // namespace kelvo::counter::qt
