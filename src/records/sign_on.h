#pragma once
// Operator sign-on with the PIN pad, and the setting up of operators' names and passwords.
#include <cstdint>

#include "records/access.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::records {

constexpr int kOperatorCount = 30;
constexpr size_t kPasswordMaxDigits = 8;
constexpr size_t kOperatorNameMax = 19;

// What the PIN pad shows and does; the Qt screen only draws it and forwards the keys.
class PinPad {
 public:
  explicit PinPad(const ConfigBlock& config) : config_(&config) {}

  int number() const { return number_; }
  // "<number> <name>", as in "1 Administrator".
  text::u16 user_field() const;
  const text::u16& password() const { return password_; }

  void up();    // previous operator; before 1 comes 30
  void down();  // next operator; after 30 comes 1
  // Digits only, and no more than a stored password can hold.
  void digit(char16_t d);
  void clear() { password_.clear(); }   // "C"
  void clear_entry();                   // "CE": the last digit
  void set_password(text::u16view typed);

 private:
  const ConfigBlock* config_;
  int number_ = 1;
  text::u16 password_;
};

// The number at the start of the user field ("12 Associate 12" gives 12); 0 when none.
int64_t user_field_number(text::u16view field);

// Signs on when the number is 1-30 and the password equals the stored one exactly. On success
// stores the operator, sets the access state and logs the sign-on ("Data file: lgb4.dat."
// when the log cannot be written; the sign-on still counts). On failure nothing changes.
bool sign_on(Shop& shop, AccessState& access, int64_t number, text::u16view password);

// Utilities "Operator setup" through the operator's prompts; wr.cfg is saved when anything
// was changed.
void operator_setup(Shop& shop, AccessState access);

}  // namespace kelvo::records
