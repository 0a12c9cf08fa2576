#include "records/counter_session.h"

#include <filesystem>

#include "records/data_opening.h"
#include "records/reservation_file.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::records {

bool open_counter_data(Shop& shop) {
  shop.started = shop.now();
  bool ok = true;
  if (is_first_run(shop)) ok = create_data_files(shop);
  if (ok) ok = open_data(shop, OpenMode::Counter);
  if (!ok) shop.do_not_save = true;
  return ok;
}

text::DateTime announce_start(Shop& shop) {
  // The start is recorded as the last shutdown before the block is written, so that a run
  // that ends without its shutdown steps (power cut, crash) does not make the next start close
  // the same day a second time and shift the history again.
  text::DateTime previous = shop.config.last_shutdown();
  shop.config.set_last_shutdown(shop.now());
  shop.save_config();

  text::u16 entry = log_prefix(shop.now()) + u"  Switched on.\r\n";
  if (!append_log(shop, entry)) shop.op().message(u"Problem", u"Unable to open lgb4.dat in WM_CREATE.");

  std::error_code ec;
  if (!std::filesystem::exists(shop.path(files::kReservations), ec)) {
    shop.op().message(u"Reservation file", u"New");
    if (!create_reservation_file(shop)) shop.op().message(u"Problem", u"Unable to create reservation file.");
  }

  // Receipts keep the symbol of the first start even if the machine's settings change later.
  if (shop.config.u16(cfg::kCurrencyTaken) != 2) {
    text::u16 symbol = shop.locale().currency_symbol().substr(0, 4);
    shop.config.set_str(cfg::kCurrencySymbol, 10, symbol);
    shop.config.set_u16(cfg::kCurrencyTaken, 2);
  }
  return previous;
}

text::u16 display_mode_line(int depth_bits) {
  if (depth_bits <= 1) return u"Display mode: 2 colors";
  if (depth_bits <= 4) return u"Display mode: 16 colors";
  if (depth_bits <= 8) return u"Display mode: 256 colors";
  return u"Display mode: True color";
}

std::vector<text::u16> session_lines(Shop& shop, int depth_bits) {
  count_activity(shop);
  const text::DateTime& t = shop.started;
  text::u16 date = shop.locale().format_date(t, u"ddd MMM d yyyy").value_or(text::make_date(t.day, t.month, t.year));

  std::vector<text::u16> own = {u"Session start:", text::format("%d:%02d ", {t.hour, t.minute}) + date,
                                display_mode_line(depth_bits)};
  for (const text::u16& line : startup_lines(shop)) own.push_back(line);
  if (int reserved = reservations_today(shop); reserved > 0)
    own.push_back(text::format("Reservations for today: %d", {reserved}));

  std::vector<text::u16> lines;
  for (const text::u16& line : own) {
    // The shared start-up lines may bring their own separators; never show two in a row.
    if (line == u"  ") continue;
    lines.push_back(line);
    lines.push_back(u"  ");
  }
  return lines;
}

text::u16 switched_off_entry(const Shop& shop, const text::DateTime& now) {
  int64_t n = shop.config.signed_on_operator();
  return log_prefix(now) + u"  Switched off.\r\n" +
         text::format("Operator: %I64d, %s\r\n", {static_cast<long long>(n), shop.config.operator_name(n)});
}

bool close_session(Shop& shop) {
  if (shop.do_not_save) return false;
  text::DateTime now = shop.now();
  shop.config.set_last_shutdown(now);
  if (shop.config.save(shop.path(files::kConfig)) != SaveResult::Ok)
    shop.op().message(u"Problem", u"Unable to create WR.CFG at end of WinMain");
  if (shop.address.save(shop.path(files::kAddress)) != SaveResult::Ok)
    shop.op().message(u"Problem", u"Unable to create ADDRESS.RK at end of WinMain");
  if (!append_log(shop, switched_off_entry(shop, now)))
    shop.op().message(u"Problem", u"Unable to open lgb4.dat at end of WinMain.");
  return true;
}

}  // namespace kelvo::records
