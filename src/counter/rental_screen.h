#pragma once
// "RENTAL": the member above, the items in the middle, days and money on the right, and the
// buttons underneath. Built for a scanner and the keyboard: with "Automatically offer item on
// rental" the item prompt comes up at once and again after each item; an empty item prompt
// returns here, where Enter finishes and Esc cancels.
#include <functional>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "counter/rental.h"

namespace kelvo::counter::qt {

class RentalDialog : public QDialog {
  Q_OBJECT
 public:
  RentalDialog(RentalModel& model, QWidget* parent = nullptr);
  ~RentalDialog() override;
  RentalEnd end() const { return end_; }
  // "Help" and "Retail" are the shell's business; a button without one is disabled.
  void set_help(std::function<void()> help);
  void set_retail(std::function<void()> retail);

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void reject() override;

 private:
  QLineEdit* shown(const QString& name, const text::u16& value, int chars);
  QPushButton* button(const QString& text, const char* name);
  void refresh();
  void act(std::optional<RentalEnd> end);
  void add_items(bool free);

  RentalModel& model_;
  RentalEnd end_ = RentalEnd::Cancel;
  bool offered_ = false;
  QListWidget* items_ = nullptr;
  QLabel* due_ = nullptr;
  QLineEdit* credits_ = nullptr;
  QLineEdit* days_ = nullptr;
  QLineEdit* sub_total_ = nullptr;
  QLineEdit* tax1_ = nullptr;
  QLineEdit* tax2_ = nullptr;
  QLineEdit* total_ = nullptr;
  QLineEdit* comment_ = nullptr;
  QLineEdit* sundries_ = nullptr;
  QPushButton* help_ = nullptr;
  QPushButton* retail_ = nullptr;
  std::function<void()> on_help_, on_retail_;
};

class QtRentalScreen : public RentalScreen {
 public:
  explicit QtRentalScreen(QWidget* parent) : parent_(parent) {}
  RentalEnd run_rental(RentalModel& model) override;
  std::function<void()> help;
  std::function<void()> retail;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace kelvo::counter::qt
