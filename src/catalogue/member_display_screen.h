#pragma once
// "MEMBER": the current member record, read-only, with the photo in the top left corner when
// the member has one, and "Next" stepping to the member with the next higher number.
#include <QDialog>

#include "records/shop.h"

class QComboBox;
class QGridLayout;
class QLabel;

namespace kelvo::catalogue {

class MemberDisplayScreen : public QDialog {
  Q_OBJECT
 public:
  MemberDisplayScreen(records::Shop& shop, const records::MemberRecord& member, QWidget* parent = nullptr);
  // The text shown for a field, by its object name ("name", "owed", ...), for tests.
  QString shown(const QString& field) const;
  bool photo_shown() const;
  // "Next": the member with the next higher number; closes after the highest.
  void next();

 private:
  QLabel* value(const QString& field);
  void show_record(const records::MemberRecord& m);

  records::Shop& shop_;
  int64_t number_ = 0;
  QLabel* photo_ = nullptr;
  QLabel* heading_ = nullptr;
  QComboBox* on_loan_ = nullptr;
  QComboBox* previous_ = nullptr;
  QGridLayout* grid_ = nullptr;
};

}  // namespace kelvo::catalogue
