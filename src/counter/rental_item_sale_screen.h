#pragma once
// "Sale of rental item": the item and its title, and the sale price with its taxes and total.
#include <QDialog>
#include <QLineEdit>
#include <QPointer>

#include "counter/amount_rows_screen.h"
#include "counter/retail_views.h"
#include "records/config_block.h"

namespace kelvo::counter::qt {

class RentalItemSaleDialog : public QDialog {
  Q_OBJECT
 public:
  RentalItemSaleDialog(int64_t item, const QString& title, const records::ConfigBlock& config,
                       QWidget* parent = nullptr);
  const AmountFigures& figures() const { return rows_->figures(); }

 private:
  AmountRows* rows_ = nullptr;
};

class QtRentalItemSaleScreen : public RentalItemSaleScreen {
 public:
  QtRentalItemSaleScreen(QWidget* parent, const records::ConfigBlock& config) : parent_(parent), config_(config) {}
  std::optional<AmountFigures> ask_sale_price(int64_t item, text::u16view title) override;

 private:
  QPointer<QWidget> parent_;
  const records::ConfigBlock& config_;
};

}  // namespace kelvo::counter::qt
