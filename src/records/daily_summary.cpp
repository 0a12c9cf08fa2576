#include "records/daily_summary.h"

#include <system_error>

#include "platform/operator.h"
#include "records/data_opening.h"
#include "records/file_io.h"
#include "text/coding.h"
#include "text/format.h"

namespace kelvo::records {

std::filesystem::path summary_path(const Shop& shop, int year, int month, int day) {
  std::string year_folder = std::to_string(year);
  std::string name = text::to_utf8(text::format("thed%02d%02d.dat", {month, day}));
  return shop.folder() / year_folder / name;
}

namespace {

text::u16 two_digits(int v) { return text::format("%02d", {v}); }

}  // namespace

text::u16 summary_text(const Shop& shop, const text::DateTime& now) {
  const ConfigBlock& c = shop.config;
  text::u16 hh = two_digits(now.hour), mm = two_digits(now.minute);
  text::u16 long_date = shop.locale().format_date(now, u"dddd MMMM d yyyy").value_or(u"");
  text::u16 out;
  out += text::format("%s  %c%c:%c%c %s", {shop.address.store_name(), hh[0], hh[1], mm[0], mm[1], long_date});
  out += text::format("\r\nToday's takings: %.2f", {c.takings_today()});
  out += text::format("\r\nOntime: %02d:%02d  Transaction number: %d",
                      {shop.started.hour, shop.started.minute, c.transaction_counter()});
  out += text::format("\r\nFilms on the system: %d, Members on the system: %d",
                      {static_cast<long long>(shop.films.counts().live),
                       static_cast<long long>(shop.members.counts().live)});
  out += text::format("\r\nNew members: %I64d", {static_cast<long long>(c.i64(cfg::kNewMembersToday))});
  out += text::format("\r\nActive Members: %d, Active films: %d",
                      {shop.activity.active_members, shop.activity.active_films});
  out += text::format("\r\nOverdue: %d", {shop.activity.overdue});
  out += text::format("\r\nToday Rent: %I64d Return: %I64d",
                      {static_cast<long long>(c.i64(cfg::kRentalsToday)),
                       static_cast<long long>(c.i64(cfg::kReturnsToday))});
  out += text::format("\r\nLate fees paid: %.2f", {c.f32(cfg::kLateFeesPaid)});
  out += text::format("\r\nLate fees left owing: %.2f", {c.f32(cfg::kLateFeesOwing)});
  out += text::format("\r\nLate fees written off: %.2f", {c.f32(cfg::kLateFeesWrittenOff)});
  out += text::format("\r\nLate fees total: %.2f", {c.f32(cfg::kLateFeesTotal)});
  out += text::format("\r\nArrears paid: %.2f", {c.f32(cfg::kArrearsPaid)});
  out += text::format("\r\nArrears written off: %.2f", {c.f32(cfg::kArrearsWrittenOff)});
  out += text::format("\r\nRental items sold (%d): %.2f",
                      {static_cast<int>(c.f32(cfg::kItemsSoldCount)), c.f32(cfg::kItemsSoldAmount)});
  out += text::format("\r\nStock sales (%.2f):", {c.f32(cfg::kStockSalesToday)});
  return out;
}

bool write_daily_summary(Shop& shop) {
  if (shop.do_not_save) return false;
  text::DateTime now = shop.now();
  std::filesystem::path file = summary_path(shop, now.year, now.month, now.day);
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  if (ec) return false;
  // The counting pass reports missing data files itself; the file is written with the counts
  // it reached.
  count_activity(shop);
  text::u16 body = summary_text(shop, now);
  const std::string bytes = text::utf16le_bytes(body);
  return write_file_atomic(file, bytes.data(), bytes.size());
}

text::u16 read_daily_summary(const Shop& shop, int year, int month, int day) {
  auto bytes = read_whole(summary_path(shop, year, month, day));
  if (!bytes) return u"No details";
  size_t units = std::min(bytes->size() / 2, kSummaryViewUnits);
  text::u16 out;
  out.reserve(units);
  for (size_t i = 0; i < units; ++i)
    out.push_back(static_cast<char16_t>((*bytes)[2 * i] | ((*bytes)[2 * i + 1] << 8)));
  return out;
}

namespace {

std::optional<int> ask_number(platform::Operator& op, text::u16view question, int proposal, int low,
                              int high) {
  platform::PromptOptions o;
  o.proposal = text::format("%d", {proposal});
  auto a = op.prompt(question, o);
  if (!a || a->text.empty()) return std::nullopt;
  long long v = text::parse_int64(a->text);
  if (v < low || v > high) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace

std::optional<SummaryDay> ask_summary_day(Shop& shop) {
  platform::Operator& op = shop.op();
  text::DateTime now = shop.now();
  SummaryDay d;
  auto day = ask_number(op, u"Please enter the day (1-31)", now.day, 1, 31);
  if (!day) return std::nullopt;
  auto month = ask_number(op, u"Please enter the month (1-12)", now.month, 1, 12);
  if (!month) return std::nullopt;
  auto year = ask_number(op, u"Please enter the year (yyyy)", now.year, 2000, 4000);
  if (!year) return std::nullopt;
  d.day = *day;
  d.month = *month;
  d.year = *year;
  return d;
}

}  // namespace kelvo::records
