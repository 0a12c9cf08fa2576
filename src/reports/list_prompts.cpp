#include "reports/list_prompts.h"

#include "records/record_files.h"

namespace kelvo::reports {

namespace {

std::optional<text::u16> ask(records::Shop& shop, text::u16view question, text::u16view proposal) {
  platform::PromptOptions o;
  o.proposal = text::u16(proposal);
  auto a = shop.op().prompt(question, o);
  if (!a) return std::nullopt;
  return a->text;
}

}  // namespace

std::optional<int64_t> number_in_bounds(records::Shop& shop, text::u16view typed) {
  const long long n = text::parse_int64(typed);
  if (n < 1 || n > records::kMaxNumber) {
    shop.warn();
    platform::problem(shop.op(), u"Outside range");
    return std::nullopt;
  }
  return n;
}

std::optional<int64_t> ask_start_number(records::Shop& shop, text::u16view question, text::u16view proposal) {
  auto typed = ask(shop, question, proposal);
  if (!typed || typed->empty()) return std::nullopt;
  return number_in_bounds(shop, *typed);
}

std::optional<NumberRange> ask_number_range(records::Shop& shop, catalogue::ListScreens& screens) {
  auto typed = screens.number_range();
  if (!typed) return std::nullopt;
  auto from = number_in_bounds(shop, typed->from);
  if (!from) return std::nullopt;
  auto to = number_in_bounds(shop, typed->to);
  if (!to) return std::nullopt;
  return NumberRange{*from, *to};
}

std::optional<AlphaRange> ask_alpha_range(records::Shop& shop) {
  auto start = ask(shop, u"Enter the start character:", u"A");
  if (!start) return std::nullopt;
  auto end = ask(shop, u"Enter the end character:", u"Z");
  if (!end) return std::nullopt;
  return alpha_range(*start, *end);
}

std::optional<int> ask_days_overdue(records::Shop& shop) {
  return ask_int(shop, u"Enter days overdue (2-100):", 2, 100);
}

std::optional<text::u16> ask_day(records::Shop& shop) {
  auto typed = ask(shop, u"Enter day (DD/MM/YYYY):", {});
  if (!typed || typed->size() < 10) return std::nullopt;
  return typed->substr(0, 10);
}

std::optional<text::u16> ask_text(records::Shop& shop, text::u16view question, text::u16view proposal) {
  auto typed = ask(shop, question, proposal);
  if (!typed || typed->empty()) return std::nullopt;
  return typed;
}

std::optional<int> ask_int(records::Shop& shop, text::u16view question, int lo, int hi, text::u16view proposal) {
  auto typed = ask(shop, question, proposal);
  if (!typed || typed->empty()) return std::nullopt;
  const long long v = text::parse_int64(*typed);
  if (v < lo || v > hi) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace kelvo::reports
