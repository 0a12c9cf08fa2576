#include "records/config_block.h"

#include "records/file_io.h"
#include "text/format.h"

namespace kelvo::records {

namespace {

constexpr int kBandDefaults[8] = {150, 200, 125, 100, 150, 200, 150, 200};

constexpr const char16_t* kFilmLabels[] = {
    u"Number", u"Title", u"Category", u"Rating / Cert", u"Supplier", u"Actor 1", u"Actor 2",
    u"Director", u"Format", u"Charge band", u"Date purchased", u"Cost", u"Number of rentals",
    u"Total revenue", u"Last rental", u"On loan to", u"Return date", u"Last rented by",
    u"Language", u"Location"};

constexpr const char16_t* kMemberLabels[] = {
    u"Number", u"Title", u"Middle name", u"Last name", u"Road", u"Town", u"State",
    u"Zip / Post", u"Email", u"Driving licence", u"Social", u"Category", u"PIN", u"Comment 1",
    u"Comment 2", u"Credit card", u"CC Expiry", u"Date of birth", u"Telephone 1",
    u"Telephone 2", u"Rental credits", u"Discount", u"Family 1", u"Family 2",
    u"Membership fee", u"Total rented", u"Join date", u"Last used", u"Last returned",
    u"Previous items", u"On loan", u"Owed / Credit", u"First name", u"Membership type",
    u"Membership expiry"};

void set_default_operators(ConfigBlock& b) {
  b.set_operator_name(1, u"Administrator");
  b.set_operator_name(2, u"Manager");
  for (int n = 3; n <= 30; ++n) b.set_operator_name(n, text::format("Associate %d", {n}));
  for (int n = 1; n <= 30; ++n) b.set_str(cfg::operator_password(n), cfg::kOperatorPasswordWidth, u"");
  b.set_u16(cfg::kOperatorsInitialised, 2);
}

void set_default_offers(ConfigBlock& b) {
  for (int k = 1; k <= 4; ++k) {
    b.set_i64(cfg::offer_price(k), 200);
    b.set_i64(cfg::offer_days(k), 2);
  }
}

void set_default_formats(ConfigBlock& b) {
  b.set_str(cfg::kFormat1Name, 12, u"DVD");
  b.set_str(cfg::kFormat2Name, 12, u"PLA");
}

}  // namespace

text::u16 ConfigBlock::operator_name(int64_t n) const {
  if (n >= 1 && n <= 10) return str(cfg::kOperatorNamesLow + cfg::kOperatorNameLowWidth * (n - 1), cfg::kOperatorNameLowWidth);
  if (n >= 11 && n <= 30) return str(cfg::kOperatorNamesHigh + cfg::kOperatorNameHighWidth * (n - 11), cfg::kOperatorNameHighWidth);
  return {};
}

void ConfigBlock::set_operator_name(int64_t n, text::u16view name) {
  if (n >= 1 && n <= 10) set_str(cfg::kOperatorNamesLow + cfg::kOperatorNameLowWidth * (n - 1), cfg::kOperatorNameLowWidth, name);
  if (n >= 11 && n <= 30) set_str(cfg::kOperatorNamesHigh + cfg::kOperatorNameHighWidth * (n - 11), cfg::kOperatorNameHighWidth, name);
}

text::u16 ConfigBlock::format_name(int which) const {
  return str(which == 2 ? cfg::kFormat2Name : cfg::kFormat1Name, 12);
}

// A device name stays stored after the choice went back to "Default"; only the index says
// whether it is still the one chosen.
text::u16 ConfigBlock::receipt_printer() const {
  if (i32(cfg::kReceiptPrinterIndex) <= 0) return {};
  return str(cfg::kReceiptPrinterDevice, cfg::kReceiptPrinterDriver - cfg::kReceiptPrinterDevice);
}

void ConfigBlock::set_last_shutdown(const text::DateTime& t) {
  const int v[5] = {t.minute, t.hour, t.day, t.month, t.year};
  for (int i = 0; i < 5; ++i) set_i32(cfg::kLastShutdown + 4 * i, v[i]);
}

text::DateTime ConfigBlock::last_shutdown() const {
  text::DateTime t;
  t.minute = i32(cfg::kLastShutdown);
  t.hour = i32(cfg::kLastShutdown + 4);
  t.day = i32(cfg::kLastShutdown + 8);
  t.month = i32(cfg::kLastShutdown + 12);
  t.year = i32(cfg::kLastShutdown + 16);
  return t;
}

void ConfigBlock::set_first_run_defaults(const text::DateTime& now) {
  bytes_.fill(0);
  set_str(cfg::kReturnDeadline, 12, u"20:00");
  for (int b = 1; b <= 8; ++b) {
    set_i32(cfg::band_price(b), kBandDefaults[b - 1]);
    set_i64(cfg::overdue_rate(b), kBandDefaults[b - 1]);
  }
  set_i32(cfg::kDayReturnPrice, 99);
  set_last_shutdown(now);
  set_i64(cfg::kDefaultRentalDays, 1);
  set_i64(cfg::kNewSearches, 1);
  set_i64(cfg::kAutoOfferOff, 2);
  set_default_formats(*this);
  set_str(cfg::kReceiptClosingLine, cfg::kReceiptClosingLineWidth, u"Always happy to help!");
  for (int i = 0; i < static_cast<int>(std::size(kFilmLabels)); ++i) set_str(cfg::film_label(i), cfg::kLabelWidth, kFilmLabels[i]);
  for (int i = 0; i < static_cast<int>(std::size(kMemberLabels)); ++i) set_str(cfg::member_label(i), cfg::kLabelWidth, kMemberLabels[i]);
  set_i32(cfg::kTransactionCounter, 1);
  set_default_offers(*this);
  set_default_operators(*this);
}

void ConfigBlock::repair_after_load() {
  if (format_name(1).empty()) set_default_formats(*this);
  if (u16(cfg::kOperatorsInitialised) != 2) set_default_operators(*this);
  if (i64(cfg::offer_price(1)) <= 0) set_default_offers(*this);
  if (i32(cfg::kTransactionCounter) > 200000000) set_i32(cfg::kTransactionCounter, 1);
}

void ConfigBlock::repair_rental_days() {
  if (i64(cfg::kDefaultRentalDays) == 0) set_i64(cfg::kDefaultRentalDays, 1);
}

bool ConfigBlock::load(const std::filesystem::path& file) {
  bytes_.fill(0);
  saved_.reset();
  const long long got = read_at(file, 0, bytes_.data(), bytes_.size());
  if (got == static_cast<long long>(bytes_.size()) && records::file_size(file) == bytes_.size()) mark_saved();
  return got >= 0;
}

SaveResult ConfigBlock::save(const std::filesystem::path& file) const {
  if (!write_file_atomic(file, bytes_.data(), bytes_.size())) return SaveResult::Failed;
  mark_saved();
  return SaveResult::Ok;
}

std::vector<std::pair<size_t, size_t>> ConfigBlock::unsaved_ranges() const {
  // Differences closer than this are written as one range: fewer, slightly longer writes.
  constexpr size_t kJoin = 32;
  std::vector<std::pair<size_t, size_t>> out;
  if (!saved_) return {{0, bytes_.size()}};
  for (size_t i = 0; i < bytes_.size(); ++i) {
    if (bytes_[i] == (*saved_)[i]) continue;
    if (!out.empty() && i - out.back().second <= kJoin) out.back().second = i + 1;
    else out.emplace_back(i, i + 1);
  }
  return out;
}

void ConfigBlock::mark_saved() const { saved_ = std::make_shared<const Image>(bytes_); }

bool AddressLines::load(const std::filesystem::path& file) {
  bytes_.fill(0);
  return read_at(file, 0, bytes_.data(), bytes_.size()) >= 0;
}

void AddressLines::set_missing_defaults() {
  bytes_.fill(0);
  set_line(1, u"TARKWELL SYSTEM");
  set_line(7, u"TARKWELL SYSTEM");
}

SaveResult AddressLines::save(const std::filesystem::path& file) const {
  return write_file_atomic(file, bytes_.data(), bytes_.size()) ? SaveResult::Ok : SaveResult::Failed;
}

}  // namespace kelvo::records
