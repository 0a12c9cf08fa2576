#include "catalogue/deletion.h"

#include <filesystem>
#include <system_error>
#include <type_traits>

namespace kelvo::catalogue {

namespace {

template <class R>
bool mark_deleted(records::Shop& shop, records::RecordStore<R>& store, const DataFileWords& words, const R& rec,
                  int64_t slot) {
  const int64_t number = rec.number();
  R gone = rec;
  gone.set_number(-1);
  if constexpr (std::is_same_v<R, records::FilmRecord>) gone.set_title(u"");
  else gone.set_name(u"");
  switch (store.write_slot(slot, gone)) {
    case records::WriteResult::NotOpened:
      shop.op().message(u"Fatal error", words.not_present);
      return false;
    case records::WriteResult::ShortWrite:
      platform::problem(shop.op(), words.write_failed);
      return false;
    case records::WriteResult::Ok:
      break;
  }
  store.index().mark_deleted(number);
  store.set_prefix(slot, u"");
  store.counts().live -= 1;
  store.counts().deleted += 1;
  return true;
}

}  // namespace

bool mark_film_deleted(records::Shop& shop, records::FilmRecord film, int64_t slot) {
  return mark_deleted(shop, shop.films, kFilmFile, film, slot);
}

bool mark_member_deleted(records::Shop& shop, records::MemberRecord member, int64_t slot) {
  return mark_deleted(shop, shop.members, kMemberFile, member, slot);
}

bool data_file_present(records::Shop& shop, const std::filesystem::path& file, const DataFileWords& words) {
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) return true;
  shop.op().message(u"Fatal error", words.not_present);
  return false;
}

}  // namespace kelvo::catalogue
