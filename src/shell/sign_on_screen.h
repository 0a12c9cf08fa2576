#pragma once
// The PIN pad "QUENDRIX LOGON": big keys for a counter touch screen or a mouse, and the
// keyboard's digits for those who type.

// Qt's "slots" keyword macro must not reach the core's field names.
#pragma push_macro("slots")
#undef slots
#include "records/sign_on.h"
#pragma pop_macro("slots")

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvo::shell {

class SignOnScreen : public QDialog {
  Q_OBJECT
 public:
  explicit SignOnScreen(const records::ConfigBlock& config, QWidget* parent = nullptr);

  // What OK read: the number at the start of the user field and the password typed.
  int64_t chosen_number() const;
  text::u16 typed_password() const;
  const records::PinPad& pad() const { return pad_; }

 private:
  void show_pad();
  void key(char16_t digit);

  records::PinPad pad_;
  QLineEdit* user_;
  QLineEdit* password_;
  QLabel* note_;
};

}  // namespace kelvo::shell
