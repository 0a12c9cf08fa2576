#include "counter/rental_files.h"

#include <fcntl.h>
#include <unistd.h>

#include "records/file_io.h"
#include "records/transaction_log.h"

namespace kelvo::counter {


RentalFiles::~RentalFiles() { close(); }

bool RentalFiles::open(const records::Shop& shop) {
  close();
  film_ = records::open_regular(shop.path(records::files::kFilm), O_RDWR);
  if (film_ < 0) {
    shop.op().message(u"Fatal error", u"Data file: film.dat, not present.");
    return false;
  }
  // The log is only checked here (the commit appends to it): a stat, not an open. A log that is
  // missing is one the commit creates, as the open with O_CREAT did.
  const auto log = shop.path(records::files::kLog);
  std::error_code ec;
  if (!records::writable_file(log) && std::filesystem::exists(log, ec)) {
    close();
    shop.op().message(u"Fatal error", u"Data file: lgb4.dat, not present.");
    return false;
  }
  return true;
}

bool RentalFiles::read_film(const records::Shop& shop, int64_t number, records::FilmRecord& out) const {
  auto slot = number > 0 ? shop.films.index().find(number) : std::nullopt;
  if (!slot || film_ < 0) return false;
  const uint64_t pos = static_cast<uint64_t>(*slot) * records::FilmRecord::kSize;
  if (records::pread_all(film_, out.data(), records::FilmRecord::kSize, pos) != records::FilmRecord::kSize) return false;
  return out.number() == number;
}

bool RentalFiles::write_film(const records::Shop& shop, const records::FilmRecord& film) const {
  auto slot = shop.films.index().find(film.number());
  if (!slot || film_ < 0) return false;
  return shop.films.write_slot(*slot, film) == records::WriteResult::Ok;
}

bool RentalFiles::append_log(const records::Shop& shop, text::u16view entry) const {
  return film_ >= 0 && records::append_log(shop, entry);
}

void RentalFiles::close() {
  if (film_ >= 0) ::close(film_);
  film_ = -1;
}

}  // namespace kelvo::counter
