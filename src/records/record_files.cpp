#include "records/record_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <type_traits>

#include "records/commit.h"
#include "records/file_io.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::records {

namespace {

struct FileWords {
  const char16_t* not_present;   // "Data file: film.dat, not present."
  const char16_t* write_failed;  // short write on rewrite
  const char16_t* add_failed;    // short write on add
  // A rewrite of a film or member other flows asked for is reported as a problem of theirs;
  // the stock file missing is the fatal error it is at every other step of the retail side.
  const char16_t* rewrite_missing_caption;
};
constexpr FileWords kFilmWords{u"Data file: film.dat, not present.", u"Film.dat", u"Not able to write to film.dat",
                               u"Problem"};
constexpr FileWords kMemberWords{u"Data file: member.dat, not present.", u"Member.dat",
                                 u"Not able to write to member.dat", u"Problem"};
constexpr FileWords kStockWords{u"Data file: mans.dat, not present.", u"Mans.dat", u"Not able to write to mans.dat",
                                u"Fatal error"};

template <class R>
bool read_record(Shop& shop, const RecordStore<R>& store, const FileWords& words, int64_t number, R& out) {
  auto slot = number > 0 ? store.index().find(number) : std::nullopt;
  if (!slot) return false;
  if (store.read_slot(*slot, out) == ReadResult::Ok) return true;
  shop.op().message(u"Fatal error", words.not_present);
  return false;
}

bool reported(Shop& shop, WriteResult result, const FileWords& words) {
  if (result == WriteResult::NotOpened) shop.op().message(words.rewrite_missing_caption, words.not_present);
  if (result == WriteResult::ShortWrite) platform::problem(shop.op(), words.write_failed);
  return result == WriteResult::Ok;
}

template <class R>
bool rewrite_record(Shop& shop, const RecordStore<R>& store, const FileWords& words, const R& rec) {
  auto slot = rec.number() > 0 ? store.index().find(rec.number()) : std::nullopt;
  if (!slot) {
    platform::problem(shop.op(), u"Invalid number.");
    return false;
  }
  return reported(shop, store.write_slot(*slot, rec), words);
}

// Writes the new record, then brings the memory up to date. An append that fails part-way is
// cut off again, so the file stays a whole number of records and the next start still opens.
template <class R>
bool store_new_record(Shop& shop, RecordStore<R>& store, const FileWords& words, const R& rec, text::u16view prefix) {
  auto reuse = store.index().first_deleted_slot();
  const int64_t slot = reuse ? *reuse : store.counts().total;
  WriteResult wrote = store.write_slot(slot, rec);
  if (wrote != WriteResult::Ok) {
    if (!reuse && wrote == WriteResult::ShortWrite)
      ::truncate(store.file().c_str(), static_cast<off_t>(slot * static_cast<int64_t>(R::kSize)));
    if (wrote == WriteResult::NotOpened) shop.op().message(u"Fatal error", words.not_present);
    else if (wrote == WriteResult::ShortWrite) platform::problem(shop.op(), words.add_failed);
    return false;
  }
  if (reuse) {
    store.index().take_first_deleted();
    store.counts().deleted -= 1;
  } else {
    store.counts().total += 1;
  }
  store.index().insert(rec.number(), slot);
  store.set_prefix(slot, prefix);
  store.counts().live += 1;
  return true;
}

// The record keeps its slot with number -1 and its title or name cleared; memory follows only
// once that is on disk, so a failed write leaves the record live in memory as it is in the file.
template <class R>
bool mark_deleted(Shop& shop, RecordStore<R>& store, const char16_t* not_present, const char16_t* not_written,
                  R rec, int64_t slot) {
  const int64_t number = rec.number();
  rec.set_number(-1);
  if constexpr (std::is_same_v<R, FilmRecord>) rec.set_title(u"");
  else if constexpr (std::is_same_v<R, MemberRecord>) rec.set_name(u"");
  switch (store.write_slot(slot, rec)) {
    case WriteResult::NotOpened:
      shop.op().message(u"Fatal error", not_present);
      return false;
    case WriteResult::ShortWrite:
      platform::problem(shop.op(), not_written);
      return false;
    case WriteResult::Refused:
      return false;
    case WriteResult::Ok:
      break;
  }
  store.index().mark_deleted(number);
  store.set_prefix(slot, u"");
  store.counts().live -= 1;
  store.counts().deleted += 1;
  return true;
}

template <class R>
bool delete_with_log(Shop& shop, RecordStore<R>& store, bool (*mark)(Shop&, const R&, int64_t), const R& rec,
                     int64_t slot, text::u16view entry, const RefusalWords& words) {
  typename RecordStore<R>::Memory memory(store);
  Commit commit(shop);
  if (!mark(shop, rec, slot)) return false;
  append_log(shop, entry);
  if (commit.finish(words)) return true;
  memory.put_back();
  return false;
}

bool number_in_range(int64_t n) { return n >= 1 && n <= kMaxNumber; }

}  // namespace

// A sale booked in the takings with no stock change or no log entry could never be traced, and
// a form typed in full for a file that is gone is work lost: the files are tried first.
bool data_files_present(const Shop& shop, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    const bool log = name == files::kLog;
    const int fd = open_regular(shop.path(name), log ? (O_WRONLY | O_CREAT | O_APPEND) : O_RDWR);
    if (fd >= 0) {
      ::close(fd);
      continue;
    }
    shop.op().message(u"Fatal error", text::format("Data file: %s, not present.", {text::from_utf8(name)}));
    return false;
  }
  return true;
}

text::u16 count_line(const char* what, const RecordCounts& c) {
  std::string fmt = std::string(what) + " records: %d";
  if (c.deleted > 0) return text::format(fmt + " (%d deleted)", {c.total, c.deleted});
  return text::format(fmt, {c.total});
}

bool read_film(Shop& shop, int64_t number, FilmRecord& out) {
  return read_record(shop, shop.films, kFilmWords, number, out);
}
bool read_member(Shop& shop, int64_t number, MemberRecord& out) {
  return read_record(shop, shop.members, kMemberWords, number, out);
}
bool rewrite_film(Shop& shop, const FilmRecord& film) {
  return rewrite_record(shop, shop.films, kFilmWords, film);
}
bool rewrite_member(Shop& shop, const MemberRecord& member) {
  return rewrite_record(shop, shop.members, kMemberWords, member);
}

bool add_film(Shop& shop, FilmRecord& film) {
  const char16_t* refusal = nullptr;
  if (!number_in_range(film.number())) refusal = u"Number outside range.";
  else if (film.charge_band() < 1 || film.charge_band() > 8) refusal = u"Invalid charge band (1-8)";
  else if (film.title().size() < 2) refusal = u"The title must have at least two characters.";
  else if (shop.films.index().contains(film.number())) refusal = u"Number in use.";
  if (refusal) {
    shop.warn();
    platform::problem(shop.op(), refusal);
    return false;
  }
  film.reset_for_new();
  if (!store_new_record(shop, shop.films, kFilmWords, film, film.title())) return false;
  announce_new_film(shop, film);
  return true;
}

bool add_film_copy(Shop& shop, const FilmRecord& film) {
  if (!number_in_range(film.number()) || shop.films.index().contains(film.number())) {
    platform::problem(shop.op(), u"Number in use.");
    return false;
  }
  return store_new_record(shop, shop.films, kFilmWords, film, film.title());
}

void announce_new_film(Shop& shop, const FilmRecord& film) {
  shop.op().activity(text::format("New film: %I64d %s", {film.number(), film.title()}));
  shop.op().activity(u"  ");
  shop.op().activity(count_line("Film", shop.films.counts()));
  shop.op().activity(u"  ");
}

bool add_member(Shop& shop, MemberRecord& member, float membership_fee) {
  if (!prepare_new_member(shop, member, membership_fee) || !add_member_copy(shop, member)) return false;
  announce_new_member(shop, member);
  return true;
}

bool prepare_new_member(Shop& shop, MemberRecord& member, float membership_fee) {
  const char16_t* refusal = nullptr;
  if (!number_in_range(member.number())) refusal = u"Number outside range.";
  else if (member.name().size() < 2) refusal = u"The name must have at least two characters.";
  else if (member.category() < 1 || member.category() > 4000) refusal = u"Invalid category (1-4000)";
  else if (membership_fee < 0) refusal = u"Invalid membership fee";
  else if (shop.members.index().contains(member.number())) refusal = u"Number in use.";
  if (refusal) {
    shop.warn();
    platform::problem(shop.op(), refusal);
    return false;
  }
  member.reset_for_new();
  return true;
}

bool add_member_copy(Shop& shop, const MemberRecord& member) {
  if (!number_in_range(member.number()) || shop.members.index().contains(member.number())) {
    platform::problem(shop.op(), u"Number in use.");
    return false;
  }
  return store_new_record(shop, shop.members, kMemberWords, member, member.name());
}

void announce_new_member(Shop& shop, const MemberRecord& member) {
  shop.op().activity(text::format("New member: %I64d %s %s", {member.number(), member.title(), member.name()}));
  shop.op().activity(u"  ");
  shop.op().activity(count_line("Member", shop.members.counts()));
  shop.op().activity(u"  ");
}

bool mark_film_deleted(Shop& shop, const FilmRecord& film, int64_t slot) {
  return mark_deleted(shop, shop.films, kFilmWords.not_present, u"Not able to write film.dat", film, slot);
}

bool mark_member_deleted(Shop& shop, const MemberRecord& member, int64_t slot) {
  return mark_deleted(shop, shop.members, kMemberWords.not_present, u"Not able to write member.dat", member, slot);
}

bool delete_film_with_log(Shop& shop, const FilmRecord& film, int64_t slot, text::u16view entry) {
  return delete_with_log(shop, shop.films, &mark_film_deleted, film, slot, entry, kFilmDeletionWords);
}

bool delete_member_with_log(Shop& shop, const MemberRecord& member, int64_t slot, text::u16view entry) {
  static const RefusalWords words{files::kMember, kMemberWords.not_present, u"Not able to write member.dat"};
  return delete_with_log(shop, shop.members, &mark_member_deleted, member, slot, entry, words);
}

const RefusalWords kFilmDeletionWords{files::kFilm, kFilmWords.not_present, u"Not able to write film.dat"};


bool read_stock(Shop& shop, int64_t number, StockRecord& out) {
  return read_record(shop, shop.stock, kStockWords, number, out);
}
bool rewrite_stock(Shop& shop, const StockRecord& line) {
  return rewrite_record(shop, shop.stock, kStockWords, line);
}
bool add_stock(Shop& shop, const StockRecord& line) {
  return store_new_record(shop, shop.stock, kStockWords, line, line.description());
}
bool mark_stock_deleted(Shop& shop, const StockRecord& line, int64_t slot) {
  return mark_deleted(shop, shop.stock, kStockWords.not_present, kStockWords.write_failed, line, slot);
}

bool delete_film(Shop& shop, int64_t number) {
  FilmRecord film;
  if (!read_film(shop, number, film)) return false;
  if (film.on_loan_to() != 0) {
    shop.op().message(u"Film is on loan", u"Unable to delete");
    return false;
  }
  return mark_film_deleted(shop, film, *shop.films.index().find(number));
}

bool delete_member(Shop& shop, int64_t number) {
  MemberRecord member;
  if (!read_member(shop, number, member)) return false;
  if (member.on_loan_flag() != 0) {
    shop.op().message(u"Member is active", u"Unable to delete");
    return false;
  }
  auto caption = text::format("%I64d Name: %s", {member.number(), member.name()});
  if (shop.op().message(caption, u"Are you sure?", platform::Buttons::OkCancel) != platform::Answer::Ok) return false;
  return mark_member_deleted(shop, member, *shop.members.index().find(number));
}

}  // namespace kelvo::records
