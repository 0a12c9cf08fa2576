#pragma once
// "RETURN": the member and every item they hold, the items to take back ticked (arrow keys move,
// Space ticks), then "Return" or "Cancel". "Return complete" follows with the refund buttons.
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "counter/return_transaction.h"

namespace kelvo::counter::qt {

class ReturnDialog : public QDialog {
  Q_OBJECT
 public:
  // The dialog changes the model's selection as the person ticks the lines.
  ReturnDialog(ReturnModel& model, QWidget* parent = nullptr);

 private:
  ReturnModel& model_;
  QListWidget* list_ = nullptr;
};

class ReturnCompleteDialog : public QDialog {
  Q_OBJECT
 public:
  ReturnCompleteDialog(bool cash_refund_offered, QWidget* parent = nullptr);
  RefundChoice choice() const { return choice_; }

 private:
  QPushButton* button(const QString& text, const char* name, RefundChoice c);
  RefundChoice choice_ = RefundChoice::Ok;
};

class QtReturnScreen : public ReturnScreen {
 public:
  explicit QtReturnScreen(QWidget* parent) : parent_(parent) {}
  bool choose_returns(ReturnModel& model) override;
  RefundChoice return_complete(bool cash_refund_offered) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kelvo::counter::qt
