#include "reports/alpha_sort.h"

#include <algorithm>
#include <tuple>

#include "text/format.h"

namespace kelvo::reports {

namespace {

bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
char16_t ascii_upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c; }

std::optional<char16_t> range_letter(text::u16view typed) {
  if (typed.empty() || !is_letter(typed[0])) return std::nullopt;
  return ascii_upper(typed[0]);
}

// What the order compares, worked out once per record rather than at every comparison.
struct SortKey {
  int group;  // 0: not starting with A-Z, 1: starting with a letter
  char16_t first, second;
  text::u16 raised;
  bool operator<(const SortKey& o) const {
    return std::tie(group, first, second, raised) < std::tie(o.group, o.first, o.second, o.raised);
  }
};

SortKey key_of(text::u16view s) {
  const char16_t c0 = s.empty() ? 0 : s[0];
  const char16_t c1 = s.size() > 1 ? s[1] : 0;
  const bool letter = is_letter(c0);
  return {letter ? 1 : 0, ascii_upper(c0), ascii_upper(c1), letter ? text::to_upper(s) : text::u16(s)};
}

struct Keyed {
  SortKey key;
  WorkRecord record;
};

template <class Record, class Fill>
bool sort_into(records::Shop& shop, const records::RecordStore<Record>& store, std::string_view data_file,
               std::string_view work_file, AlphaRange range, platform::Progress& progress, Fill fill) {
  std::vector<Keyed> keyed;
  auto cursor = store.cursor();
  const auto& prefixes = store.prefixes();
  const int64_t slots = store.counts().total;
  Record r;
  for (int64_t slot = 0; slot < slots; ++slot) {
    if (!progress.step(u"Sorting", slot, slots)) return false;
    // The prefix table rules out most records of a narrow range without reading them.
    if (static_cast<size_t>(slot) < prefixes.size()) {
      const auto& p = prefixes[slot];
      const char16_t two[2] = {p[0], p[1]};
      if (p[0] == 0 || !in_alpha_range(text::u16view(two, 1), range)) continue;
    }
    if (store.read_slot(cursor, slot, r) != records::ReadResult::Ok) {
      shop.op().message(u"Fatal error", text::format("Data file: %s, not present.", {text::from_utf8(data_file)}));
      return false;
    }
    if (r.number() <= 0) continue;
    Keyed k{{}, {}};
    fill(r, k.record);
    if (!in_alpha_range(k.record.text1(), range)) continue;
    k.key = key_of(k.record.text1());
    keyed.push_back(std::move(k));
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  std::vector<WorkRecord> out;
  out.reserve(keyed.size());
  for (const auto& k : keyed) out.push_back(k.record);
  if (!write_work_file(shop.path(work_file), out)) {
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
