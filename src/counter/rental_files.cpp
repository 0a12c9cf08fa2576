#include "counter/rental_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace kelvo::counter {

namespace {

bool write_all_at(int fd, const uint8_t* p, size_t len, off_t pos) {
  size_t done = 0;
  while (done < len) {
    ssize_t n = ::pwrite(fd, p + done, len - done, pos + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

RentalFiles::~RentalFiles() { close(); }

bool RentalFiles::open(const records::Shop& shop) {
  close();
  film_ = ::open(shop.path(records::files::kFilm).c_str(), O_RDWR | O_CLOEXEC);
  if (film_ < 0) {
    shop.op().message(u"Fatal error", u"Data file: film.dat, not present.");
    return false;
  }
  log_ = ::open(shop.path(records::files::kLog).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (log_ < 0) {
    close();
    shop.op().message(u"Fatal error", u"Data file: lgb4.dat, not present.");
    return false;
  }
  return true;
}

bool RentalFiles::read_film(const records::Shop& shop, int64_t number, records::FilmRecord& out) const {
  auto slot = number > 0 ? shop.films.index().find(number) : std::nullopt;
  if (!slot || film_ < 0) return false;
  const off_t pos = static_cast<off_t>(*slot) * static_cast<off_t>(records::FilmRecord::kSize);
  size_t got = 0;
  while (got < records::FilmRecord::kSize) {
    ssize_t n = ::pread(film_, out.data() + got, records::FilmRecord::kSize - got, pos + static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<size_t>(n);
  }
  return out.number() == number;
}

bool RentalFiles::write_film(const records::Shop& shop, const records::FilmRecord& film) const {
  auto slot = shop.films.index().find(film.number());
  if (!slot || film_ < 0) return false;
  const off_t pos = static_cast<off_t>(*slot) * static_cast<off_t>(records::FilmRecord::kSize);
  return write_all_at(film_, film.data(), records::FilmRecord::kSize, pos);
}

bool RentalFiles::sync_films() const { return film_ >= 0 && ::fdatasync(film_) == 0; }

bool RentalFiles::append_log(text::u16view entry) const {
  if (log_ < 0) return false;
  std::string bytes;
  bytes.reserve(entry.size() * 2);
  for (char16_t c : entry) {
    bytes.push_back(static_cast<char>(c & 0xff));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(log_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return ::fdatasync(log_) == 0;
}

void RentalFiles::close() {
  if (film_ >= 0) ::close(film_);
  if (log_ >= 0) ::close(log_);
  film_ = log_ = -1;
}

}  // namespace kelvo::counter
