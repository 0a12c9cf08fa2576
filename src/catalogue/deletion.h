#pragma once
// Marking a film or member deleted by hand (Delete, Prune) and making sure a new one has its
// file to go into. The record keeps its slot with number -1 and its title or name cleared;
// the index, prefix table and counts follow only once that record is on disk, so a failed
// write leaves the record live in memory as it still is in the file.
#include "records/record_files.h"
#include "records/shop.h"

namespace kelvo::catalogue {

// The counter's words for one data file.
struct DataFileWords {
  const char16_t* not_present;   // "Data file: film.dat, not present." (caption "Fatal error")
  const char16_t* write_failed;  // "Not able to write film.dat" (caption "Problem")
};
inline constexpr DataFileWords kFilmFile{u"Data file: film.dat, not present.", u"Not able to write film.dat"};
inline constexpr DataFileWords kMemberFile{u"Data file: member.dat, not present.", u"Not able to write member.dat"};

using records::mark_film_deleted;
using records::mark_member_deleted;

// A new record is only written into a file that is there: a missing one is the same fatal
// error as on any other open, and nothing is stored.
bool data_file_present(records::Shop& shop, const std::filesystem::path& file, const DataFileWords& words);

}  // namespace kelvo::catalogue
