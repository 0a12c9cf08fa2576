// resn.dat as stored: today's count and the daily roll of the day records.
#include "fuzz_folder.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/reservation_file.h"
#include "quiet_operator.h"

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bench::QuietOperator op;
  static platform::FixedClock clock(text::DateTime{});
  static platform::EnglishLocale locale;
  static records::Shop shop(fuzz::scratch_folder(), op, clock, locale);
  const int days = size > 0 ? data[0] % 32 : 0;
  fuzz::put_file("resn.dat", data, size);
  records::reservations_today(shop);
  records::roll_reservation_file(shop, days);
  records::reservations_today(shop);
  return 0;
}
