#include "records/log_commands.h"

#include "platform/operator.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::records {

std::vector<text::u16> log_capacity_rows() {
  std::vector<text::u16> rows;
  for (int k = 1; k <= 9; ++k) rows.push_back(text::format("%dK", {k * 100}));
  return rows;
}

void choose_log_capacity(Shop& shop) {
  int current = shop.config.log_capacity();
  if (current < 0 || current > 8) current = 0;
  auto row = shop.op().choose(u"Log capacity", log_capacity_rows(), current);
  if (!row || *row < 0 || *row > 8) return;
  shop.config.set_i32(cfg::kLogCapacity, *row);
  shop.save_config();
}

void purge_log_files(Shop& shop) {
  purge_logs(shop);
  shop.op().message(u"Purge Log files: lgb2.dat and lgb4.dat", u"Complete.");
}

void takings_adjustment(Shop& shop) {
  platform::PromptOptions o;
  o.proposal = text::format("%.2f", {shop.config.takings_today()});
  auto a = shop.op().prompt(u"Takings adjustment:", o);
  if (!a) return;
  // A log that cannot be written is reported inside; the takings are changed all the same.
  adjust_takings(shop, static_cast<float>(text::parse_double(a->text)));
}

std::optional<text::u16> ask_log_day(Shop& shop) {
  auto a = shop.op().prompt(u"Enter day (DD/MM/YYYY):", {});
  if (!a) return std::nullopt;
  if (!valid_log_day(a->text)) {
    platform::problem(shop.op(), u"Invalid date");
    return std::nullopt;
  }
  return a->text;
}

}  // namespace kelvo::records
