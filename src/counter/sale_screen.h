#pragma once
// "Sale": the stock lines in a list ("Inventory") or a box for a scanned line number ("Item"),
// the units added so far, and the sub total, taxes and total of the basket.
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>

#include "counter/retail_views.h"
#include "counter/sale_basket.h"

namespace kelvo::counter::qt {

class SaleDialog : public QDialog {
  Q_OBJECT
 public:
  SaleDialog(SaleBasket& basket, SaleForm form, const std::vector<StockListRow>& rows, QWidget* parent = nullptr);

 private:
  QWidget* inventory_box(const std::vector<StockListRow>& rows);
  QWidget* item_box();
  void add_selected(int units);
  void refresh();

  SaleBasket& basket_;
  std::vector<int64_t> numbers_;  // the line of each row of the list
  QListWidget* stock_ = nullptr;
  QLineEdit* item_ = nullptr;
  QListWidget* basket_list_ = nullptr;
  QLineEdit* sub_total_ = nullptr;
  QLineEdit* tax1_ = nullptr;
  QLineEdit* tax2_ = nullptr;
  QLineEdit* total_ = nullptr;
};

class QtSaleScreen : public SaleScreen {
 public:
  explicit QtSaleScreen(QWidget* parent) : parent_(parent) {}
  bool run_sale(SaleBasket& basket, SaleForm form, const std::vector<StockListRow>& rows) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kelvo::counter::qt
