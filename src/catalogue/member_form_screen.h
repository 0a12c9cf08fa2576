#pragma once
// "NEW MEMBER" / "Amend member": the member form model drawn as one dialog, the boxes in
// groups (member, address, contact, identity, account, comments) so the whole form fits a
// 1024 x 768 counter screen.
#include <array>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "catalogue/member_form.h"
#include "catalogue/member_maintenance.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace kelvo::catalogue {

// The configured member field names, in the stored order; an empty entry falls back to the
// name the shop started with.
enum class MemberLabel {
  Number = 0, Title, MiddleName, LastName, Road, Town, State, ZipPost, Email, DrivingLicence, Social, Category,
  Pin, Comment1, Comment2, CreditCard, CcExpiry, DateOfBirth, Telephone1, Telephone2, RentalCredits, Discount,
  Family1, Family2, MembershipFee, TotalRented, JoinDate, LastUsed, LastReturned, PreviousItems, OnLoan, Owed,
  FirstName, MembershipType, MembershipExpiry,
};
QString member_label(const records::ConfigBlock& config, MemberLabel which);

// Three lists (day, month, year) showing a DateChoice over the lists it may take.
class DateBox : public QWidget {
  Q_OBJECT
 public:
  DateBox(const QString& name, const DateLists& lists, QWidget* parent = nullptr);
  void set(const DateChoice& c);
  DateChoice get() const;
  QComboBox* day() const { return day_; }
  QComboBox* month() const { return month_; }
  QComboBox* year() const { return year_; }

 private:
  QComboBox* day_;
  QComboBox* month_;
  QComboBox* year_;
};

class MemberFormScreen : public QDialog {
  Q_OBJECT
 public:
  MemberFormScreen(const records::ConfigBlock& config, MemberForm& form, QWidget* parent = nullptr);
  // Runs the screen; what was typed is written back to the form whatever the button.
  FormButton run();

  QLineEdit* box(MemberField f) const { return boxes_[static_cast<size_t>(f)]; }

 private:
  QLineEdit* add_box(MemberField f, const QString& object_name);
  void load();
  void take();
  void finish(FormButton b);

  MemberForm& form_;
  std::array<QLineEdit*, kMemberFieldCount> boxes_{};
  QComboBox* category_ = nullptr;
  QComboBox* membership_type_ = nullptr;
  QCheckBox* highlight_ = nullptr;
  DateBox* born_ = nullptr;
  DateBox* join_ = nullptr;
  DateBox* expiry_ = nullptr;
  QPushButton* next_ = nullptr;
  FormButton pressed_ = FormButton::Cancel;
};

// The member form view of the add and amend flows, drawn with MemberFormScreen.
class QtMemberFormView : public MemberFormView {
 public:
  QtMemberFormView(QWidget* parent, const records::ConfigBlock& config) : parent_(parent), config_(config) {}
  FormButton edit(MemberForm& form) override;

 private:
  QWidget* parent_;
  const records::ConfigBlock& config_;
};

}  // namespace kelvo::catalogue
