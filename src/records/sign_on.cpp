#include "records/sign_on.h"

#include "platform/operator.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::records {

text::u16 PinPad::user_field() const {
  return text::format("%d %s", {number_, config_->operator_name(number_)});
}

void PinPad::up() { number_ = number_ <= 1 ? kOperatorCount : number_ - 1; }

void PinPad::down() { number_ = number_ >= kOperatorCount ? 1 : number_ + 1; }

void PinPad::digit(char16_t d) {
  if (d < u'0' || d > u'9' || password_.size() >= kPasswordMaxDigits) return;
  password_.push_back(d);
}

void PinPad::clear_entry() {
  if (!password_.empty()) password_.pop_back();
}

void PinPad::set_password(text::u16view typed) {
  password_.clear();
  for (char16_t c : typed) digit(c);
}

int64_t user_field_number(text::u16view field) { return text::parse_int64(field); }

bool sign_on(Shop& shop, AccessState& access, int64_t number, text::u16view password) {
  if (number < 1 || number > kOperatorCount) return false;
  if (password.size() > kPasswordMaxDigits) return false;
  if (shop.config.operator_password(static_cast<int>(number)) != password) return false;

  shop.config.set_i64(cfg::kSignedOnOperator, number);
  access = access_after_sign_on(number);
  text::DateTime t = shop.now();
  text::u16 entry = text::format("\r\n%02d:%02d D:%d M:%d %d  User %I64d logged on.\r\n",
                                 {t.hour, t.minute, t.day, t.month, t.year, static_cast<long long>(number)});
  if (!append_log(shop, entry)) platform::problem(shop.op(), u"Data file: lgb4.dat.");
  return true;
}

namespace {

bool digits_only(text::u16view s) {
  for (char16_t c : s)
    if (c < u'0' || c > u'9') return false;
  return true;
}

// A password answer the field could have accepted: up to 8 digits.
std::optional<text::u16> ask_password(platform::Operator& op, text::u16view question) {
  platform::PromptOptions o;
  o.hidden = true;
  auto a = op.prompt(question, o);
  if (!a) return std::nullopt;
  // The field on the counter takes digits only; letters would lock the operator out, as the
  // PIN pad cannot type them.
  if (a->text.size() > kPasswordMaxDigits || !digits_only(a->text)) {
    platform::problem(op, u"Outside range");
    return std::nullopt;
  }
  return a->text;
}

// Steps 2 to 4; true when something was stored.
bool set_up_clerk(Shop& shop, int n) {
  platform::Operator& op = shop.op();
  platform::PromptOptions o;
  o.proposal = shop.config.operator_name(n);
  auto name = op.prompt(u"Clerks name (to 19 characters):", o);
  if (!name) return false;
  if (name->text.size() > kOperatorNameMax) {
    platform::problem(op, u"Outside range");
    return false;
  }
  shop.config.set_operator_name(n, name->text);

  auto first = ask_password(op, u"Password (Digits only, to 8 characters):");
  if (!first) return true;
  auto second = ask_password(op, u"Confirm password:");
  if (!second) return true;
  if (*first != *second) {
    platform::problem(op, u"Passwords do not match");
    return true;
  }
  shop.config.set_str(cfg::operator_password(n), cfg::kOperatorPasswordWidth, *first);
  op.message(u"Clerk", u"Amended");
  return true;
}

}  // namespace

void operator_setup(Shop& shop, AccessState access) {
  platform::Operator& op = shop.op();
  if (!require_administrator(op, access)) return;
  platform::PromptOptions o;
  o.proposal = u"1";
  auto a = op.prompt(u"Please enter the clerk number (1-30):", o);
  if (!a) return;
  int64_t n = text::parse_int64(a->text);
  if (n < 1 || n > kOperatorCount) {
    platform::problem(op, u"Outside range");
    return;
  }
  if (set_up_clerk(shop, static_cast<int>(n))) shop.save_config();
}

}  // namespace kelvo::records
