#pragma once
// "New stock line" and "Amend stock": the six boxes of one stock line.
#include <QDialog>
#include <QLineEdit>
#include <QPointer>

#include "counter/retail_views.h"

namespace kelvo::counter::qt {

class StockLineDialog : public QDialog {
  Q_OBJECT
 public:
  StockLineDialog(const QString& title, const StockLineForm& form, QWidget* parent = nullptr);
  StockLineForm form() const;

 private:
  QLineEdit* number_ = nullptr;
  QLineEdit* description_ = nullptr;
  QLineEdit* quantity_ = nullptr;
  QLineEdit* cost_ = nullptr;
  QLineEdit* sale_ = nullptr;
  QLineEdit* reorder_ = nullptr;
};

class QtStockLineScreen : public StockLineScreen {
 public:
  explicit QtStockLineScreen(QWidget* parent) : parent_(parent) {}
  std::optional<StockLineForm> edit_stock_line(text::u16view title, const StockLineForm& form) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kelvo::counter::qt
