#pragma once
// Finding, adding, rewriting and deleting film, member and stock records, with every check and
// message the counter shows. Each operation opens its file, works on whole records at their
// slots and closes it again.
#include <initializer_list>
#include <string_view>

#include "records/commit.h"
#include "records/shop.h"

namespace kelvo::records {

// Reads the record of a live number; reports a file that cannot be read ("Fatal error").
// False, without a message, when the number is not in the index.
bool read_film(Shop& shop, int64_t number, FilmRecord& out);
bool read_member(Shop& shop, int64_t number, MemberRecord& out);

// Writes the record back at the slot of its number.
bool rewrite_film(Shop& shop, const FilmRecord& film);
bool rewrite_member(Shop& shop, const MemberRecord& member);

// Checks and stores a new record in the first deleted slot, else at the end of the file. The
// index, prefix table and counts change only once the record is safely on disk.
bool add_film(Shop& shop, FilmRecord& film);
bool add_member(Shop& shop, MemberRecord& member, float membership_fee = 0);
// The checks of add_member (number range, name, category, fee, number free), each refusal
// sounded and reported; a member that passes is made ready for a first rental.
bool prepare_new_member(Shop& shop, MemberRecord& member, float membership_fee);
// Stores a film built whole by its caller (a file of items to add) the way Add stores a new
// film, keeping all the record carries; "Number in use." for a number not free.
bool add_film_copy(Shop& shop, const FilmRecord& film);
// "New film: %I64d %s" and the film count line in the activity pane.
void announce_new_film(Shop& shop, const FilmRecord& film);
// Stores a copy of a member under a new number the way Add stores a new member (slot reuse or
// append, index, name prefix, counts), keeping all the copy carries.
bool add_member_copy(Shop& shop, const MemberRecord& copy);
// "New member: %I64d %s %s" and the member count line in the activity pane.
void announce_new_member(Shop& shop, const MemberRecord& member);

// Marks the record at the slot deleted (number -1, title or name cleared, slot kept); the
// index, prefix table and counts follow once it is on disk. No checks: the callers make them.
bool mark_film_deleted(Shop& shop, const FilmRecord& film, int64_t slot);
bool mark_member_deleted(Shop& shop, const MemberRecord& member, int64_t slot);

// Marks the record deleted and appends its log entry as one transaction, so that after a crash
// the shop holds both or neither. False when it was refused (and reported): the index, prefix
// table and counts then match the unchanged files again.
bool delete_film_with_log(Shop& shop, const FilmRecord& film, int64_t slot, text::u16view entry);
bool delete_member_with_log(Shop& shop, const MemberRecord& member, int64_t slot, text::u16view entry);
// The words a transaction deleting a film is refused with ("Data file: film.dat, not present.",
// "Not able to write film.dat").
extern const RefusalWords kFilmDeletionWords;

// Marks the record deleted (number -1, title or name cleared) after the checks.
bool delete_film(Shop& shop, int64_t number);
bool delete_member(Shop& shop, int64_t number);

// Stock lines: the same, in mans.dat. add_stock stores without checks (the stock screens make
// them); a deleted stock line keeps its description, only its number becomes -1.
bool read_stock(Shop& shop, int64_t number, StockRecord& out);
bool rewrite_stock(Shop& shop, const StockRecord& line);
bool add_stock(Shop& shop, const StockRecord& line);
bool mark_stock_deleted(Shop& shop, const StockRecord& line, int64_t slot);

// Opens each named file as a transaction will use it (the log for appending, creating it; the
// others for reading and writing) before anything changes. The first that cannot be opened is
// reported, "Data file: mans.dat, not present." (caption "Fatal error"), and false returned.
bool data_files_present(const Shop& shop, std::initializer_list<std::string_view> names);

// "Film records: %d" or "Film records: %d (%d deleted)", and the same for members and stock.
text::u16 count_line(const char* what, const RecordCounts& counts);

constexpr int64_t kMaxNumber = 100000000000000000LL;

}  // namespace kelvo::records
