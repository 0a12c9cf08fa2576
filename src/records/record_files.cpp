#include "records/record_files.h"

#include <unistd.h>

#include "records/file_io.h"
#include "text/format.h"

namespace kelvo::records {

namespace {

struct FileWords {
  const char16_t* not_present;   // "Data file: film.dat, not present."
  const char16_t* write_failed;  // short write on rewrite
  const char16_t* add_failed;    // short write on add
};
constexpr FileWords kFilmWords{u"Data file: film.dat, not present.", u"Film.dat", u"Not able to write to film.dat"};
constexpr FileWords kMemberWords{u"Data file: member.dat, not present.", u"Member.dat", u"Not able to write to member.dat"};

template <class R>
bool read_record(Shop& shop, const RecordStore<R>& store, const FileWords& words, int64_t number, R& out) {
  auto slot = number > 0 ? store.index().find(number) : std::nullopt;
  if (!slot) return false;
  if (store.read_slot(*slot, out) == ReadResult::Ok) return true;
  shop.op().message(u"Fatal error", words.not_present);
  return false;
}

bool reported(Shop& shop, WriteResult result, const FileWords& words) {
  if (result == WriteResult::NotOpened) platform::problem(shop.op(), words.not_present);
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
    platform::problem(shop.op(), wrote == WriteResult::NotOpened ? words.not_present : words.add_failed);
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

template <class R>
void mark_deleted_in_memory(RecordStore<R>& store, int64_t number, int64_t slot) {
  store.index().mark_deleted(number);
  store.set_prefix(slot, u"");
  store.counts().live -= 1;
  store.counts().deleted += 1;
}

bool number_in_range(int64_t n) { return n >= 1 && n <= kMaxNumber; }

}  // namespace

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
  shop.op().activity(text::format("New film: %I64d %s", {film.number(), film.title()}));
  shop.op().activity(u"  ");
  shop.op().activity(count_line("Film", shop.films.counts()));
  shop.op().activity(u"  ");
  return true;
}

bool add_member(Shop& shop, MemberRecord& member, float membership_fee) {
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
  if (!store_new_record(shop, shop.members, kMemberWords, member, member.name())) return false;
  shop.op().activity(text::format("New member: %I64d %s %s", {member.number(), member.title(), member.name()}));
  shop.op().activity(u"  ");
  shop.op().activity(count_line("Member", shop.members.counts()));
  shop.op().activity(u"  ");
  return true;
}

bool delete_film(Shop& shop, int64_t number) {
  FilmRecord film;
  if (!read_film(shop, number, film)) return false;
  if (film.on_loan_to() != 0) {
    shop.op().message(u"Film is on loan", u"Unable to delete");
    return false;
  }
  const int64_t slot = *shop.films.index().find(number);
  film.set_number(-1);
  film.set_title(u"");
  if (!reported(shop, shop.films.write_slot(slot, film), kFilmWords)) return false;
  mark_deleted_in_memory(shop.films, number, slot);
  return true;
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
  const int64_t slot = *shop.members.index().find(number);
  member.set_number(-1);
  member.set_name(u"");
  if (!reported(shop, shop.members.write_slot(slot, member), kMemberWords)) return false;
  mark_deleted_in_memory(shop.members, number, slot);
  return true;
}

}  // namespace kelvo::records
