#include "reports/alpha_sort.h"

#include <algorithm>
#include <cstdint>

#include "records/file_io.h"
#include "reports/list_rows.h"
#include "text/format.h"

namespace kelvo::reports {

namespace {

bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
char16_t ascii_upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c; }

std::optional<char16_t> range_letter(text::u16view typed) {
  if (typed.empty() || !is_letter(typed[0])) return std::nullopt;
  return ascii_upper(typed[0]);
}

// What the order compares, worked out once per record rather than at every comparison: the
// group (not starting with A-Z first), the first and second characters with letters of either
// case together, packed into one number; then the raised text.
struct SortKey {
  uint64_t head;
  text::u16 raised;
  bool operator<(const SortKey& o) const { return head != o.head ? head < o.head : raised < o.raised; }
};

SortKey key_of(text::u16view s) {
  const char16_t c0 = s.empty() ? 0 : s[0];
  const char16_t c1 = s.size() > 1 ? s[1] : 0;
  const bool letter = is_letter(c0);
  const uint64_t head = (uint64_t{letter ? 1u : 0u} << 32) | (uint64_t{ascii_upper(c0)} << 16) | ascii_upper(c1);
  return {head, letter ? text::to_upper(s) : text::u16(s)};
}

struct Sorted {
  SortKey key;
  uint32_t at;  // place of the record in the order read
};

template <class Record, class Fill>
bool sort_into(records::Shop& shop, const records::RecordStore<Record>& store, std::string_view data_file,
               std::string_view work_file, AlphaRange range, platform::Progress& progress, Fill fill) {
  std::vector<WorkRecord> records;
  std::vector<Sorted> order;
  records.reserve(static_cast<size_t>(store.counts().live));
  order.reserve(static_cast<size_t>(store.counts().live));
  const auto& prefixes = store.prefixes();
  // The prefix table rules out deleted records and most records of a narrow range unread.
  auto wanted = [&](int64_t slot) {
    if (static_cast<size_t>(slot) >= prefixes.size()) return true;
    const auto& p = prefixes[static_cast<size_t>(slot)];
    const char16_t first[1] = {p[0]};
    return p[0] != 0 && in_alpha_range(text::u16view(first, 1), range);
  };
  const bool read = for_each_in_file_order(shop, store, data_file, progress, wanted, [&](int64_t, const Record& r) {
    if (r.number() <= 0) return;
    WorkRecord w;
    fill(r, w);
    text::u16 text1 = w.text1();
    if (!in_alpha_range(text1, range)) return;
    order.push_back({key_of(text1), static_cast<uint32_t>(records.size())});
    records.push_back(w);
  });
  if (!read) return false;
  // The keys are sorted with the place of their record, not the records themselves; equal keys
  // keep the order read.
  std::stable_sort(order.begin(), order.end(), [](const Sorted& a, const Sorted& b) { return a.key < b.key; });
  // An array of work records is the file's byte layout.
  std::vector<WorkRecord> sorted;
  sorted.reserve(order.size());
  for (const Sorted& s : order) sorted.push_back(records[s.at]);
  if (!write_work_file(shop.path(work_file), sorted)) {
    platform::problem(shop.op(), text::format("Data file: %s.", {text::from_utf8(work_file)}));
    return false;
  }
  return true;
}

}  // namespace

std::optional<AlphaRange> alpha_range(text::u16view start, text::u16view end) {
  auto s = range_letter(start), e = range_letter(end);
  if (!s || !e || *e < *s) return std::nullopt;
  return AlphaRange{*s, *e};
}

bool in_alpha_range(text::u16view s, AlphaRange range) {
  if (s.empty()) return false;
  if (!is_letter(s[0])) return range.start == u'A';
  const char16_t c = ascii_upper(s[0]);
  return c >= range.start && c <= range.end;
}

bool alpha_before(text::u16view a, text::u16view b) { return key_of(a) < key_of(b); }

bool sort_films_into_work_file(records::Shop& shop, AlphaRange range, platform::Progress& progress) {
  return sort_into(shop, shop.films, records::files::kFilm, kFilmWorkFile, range, progress,
                   [](const records::FilmRecord& f, WorkRecord& w) {
                     w.set_number(f.number());
                     w.set_text1(f.title());
                     w.set_text2(f.category());
                     w.set_text3(text::format("%d", {f.charge_band()}));
                   });
}

bool sort_members_into_work_file(records::Shop& shop, AlphaRange range, platform::Progress& progress) {
  return sort_into(shop, shop.members, records::files::kMember, kMemberWorkFile, range, progress,
                   [](const records::MemberRecord& m, WorkRecord& w) {
                     w.set_number(m.number());
                     w.set_text1(m.name());
                     w.set_text2(m.title());
                     w.set_text3(m.initial());
                   });
}

}  // namespace kelvo::reports
