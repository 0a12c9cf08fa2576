#pragma once
// film.dat and the transaction log checked for the finish of one rental before anything of it
// is written, so a missing file stops the finish with its own message. The writes themselves
// go through the shop, so that they join the rental's commit.
#include <cstdint>

#include "records/film_record.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::counter {

class RentalFiles {
 public:
  RentalFiles() = default;
  ~RentalFiles();
  RentalFiles(const RentalFiles&) = delete;
  RentalFiles& operator=(const RentalFiles&) = delete;

  // Opens film.dat for reading and writing and checks that the log can be appended to, reporting
  // the first that fails ("Fatal error"). False leaves nothing open.
  bool open(const records::Shop& shop);
  // The live record of the number, checked against the number it carries; false when the
  // number is not on file any more.
  bool read_film(const records::Shop& shop, int64_t number, records::FilmRecord& out) const;
  // Writes the record back in place (into the open commit, if any).
  bool write_film(const records::Shop& shop, const records::FilmRecord& film) const;
  bool append_log(const records::Shop& shop, text::u16view entry) const;
  void close();

 private:
  int film_ = -1;
};

}  // namespace kelvo::counter
