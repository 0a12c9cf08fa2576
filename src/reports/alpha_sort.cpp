#include "reports/alpha_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>
#include <charconv>
#include <cstdint>

#include "records/file_io.h"
#include "records/record_walk.h"
#include "text/format.h"
#include "text/utf16.h"

namespace kelvo::reports {

namespace {

bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
char16_t ascii_upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c; }

std::optional<char16_t> range_letter(text::u16view typed) {
  if (typed.empty() || !is_letter(typed[0])) return std::nullopt;
  return ascii_upper(typed[0]);
}

// Text 1 of a work record, a unit at a time; the field is zero after the text, and a shorter
// text sorts first exactly as a zero would.
constexpr size_t kTextUnits = 42;
char16_t unit(const WorkRecord& w, size_t i) { return text::get_u16(w.data() + WorkRecord::k_text1 + 2 * i); }
char16_t raised(const WorkRecord& w, size_t i, bool letter) {
  const char16_t c = unit(w, i);
  return letter ? text::fold_upper(c) : c;
}

// The order's key, worked out once per record: the group (not starting with A-Z first), the first
// and second characters with letters of either case together, then the text, raised when it
// starts with a letter. The units are packed four to a number, first unit highest, so that
// comparing the numbers in turn compares the texts; the raised first unit is the first character
// already and is left out.
constexpr size_t kKeyWords = 1 + (kTextUnits - 2 + 3) / 4;
using Key = std::array<uint64_t, kKeyWords>;

Key key_of(const WorkRecord& w) {
  const char16_t c0 = unit(w, 0), c1 = unit(w, 1);
  const bool letter = is_letter(c0);
  Key k{};
  k[0] = (uint64_t{letter} << 48) | (uint64_t{ascii_upper(c0)} << 32) | (uint64_t{ascii_upper(c1)} << 16) |
         raised(w, 1, letter);
  // The field is zero after the text, and so are the numbers past its end.
  for (size_t word = 1, i = 2; word < kKeyWords && unit(w, i - 1) != 0; ++word)
    for (size_t last = i + 4; i < last; ++i) k[word] = (k[word] << 16) | (i < kTextUnits ? raised(w, i, letter) : 0);
  return k;
}

// The different keys met, each numbered once: a shop holds many copies of a title, and the sort
// then orders each text once instead of every copy.
class DistinctKeys {
 public:
  explicit DistinctKeys(size_t expected) : table_(std::bit_ceil(std::max<size_t>(2 * expected, 16)), kEmpty) {
    keys_.reserve(expected);
  }

  uint32_t number_of(const Key& k) {
    if (2 * (keys_.size() + 1) > table_.size()) grow();
    for (size_t at = hash(k) & (table_.size() - 1);; at = (at + 1) & (table_.size() - 1)) {
      if (table_[at] == kEmpty) {
        table_[at] = static_cast<uint32_t>(keys_.size());
        keys_.push_back(k);
        return table_[at];
      }
      if (keys_[table_[at]] == k) return table_[at];
    }
  }

  // The place of each key, by number, in the order of the keys. The first three numbers of each
  // key are sorted where they lie side by side; the rest of a key is looked up only for keys
  // alike in their first ten characters.
  std::vector<uint32_t> places() const {
    struct Entry {
      uint64_t first[3];
      uint32_t key;
    };
    std::vector<Entry> entries(keys_.size());
    for (uint32_t n = 0; n < keys_.size(); ++n) entries[n] = {{keys_[n][0], keys_[n][1], keys_[n][2]}, n};
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
      for (size_t i = 0; i < 3; ++i)
        if (a.first[i] != b.first[i]) return a.first[i] < b.first[i];
      return keys_[a.key] < keys_[b.key];
    });
    std::vector<uint32_t> place(keys_.size());
    for (uint32_t i = 0; i < entries.size(); ++i) place[entries[i].key] = i;
    return place;
  }
  size_t size() const { return keys_.size(); }

 private:
  static constexpr uint32_t kEmpty = UINT32_MAX;
  static uint64_t hash(const Key& k) {
    uint64_t h = 0;
    for (uint64_t w : k) h = (h ^ w) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 31);
  }
  void grow() {
    std::vector<uint32_t> bigger(table_.size() * 2, kEmpty);
    for (uint32_t n = 0; n < keys_.size(); ++n) {
      size_t at = hash(keys_[n]) & (bigger.size() - 1);
      while (bigger[at] != kEmpty) at = (at + 1) & (bigger.size() - 1);
      bigger[at] = n;
    }
    table_.swap(bigger);
  }
  std::vector<uint32_t> table_;
  std::vector<Key> keys_;
};

// The records in the order of their keys; records with the same key in the order read.
std::vector<uint32_t> sorted_order(const DistinctKeys& keys, const std::vector<uint32_t>& key_of_record) {
  const std::vector<uint32_t> place = keys.places();
  std::vector<uint32_t> first(keys.size() + 1, 0);
  for (uint32_t k : key_of_record) ++first[place[k] + 1];
  std::partial_sum(first.begin(), first.end(), first.begin());
  std::vector<uint32_t> order(key_of_record.size());
  for (uint32_t r = 0; r < key_of_record.size(); ++r) order[first[place[key_of_record[r]]]++] = r;
  return order;
}

template <class Record, class Fill>
bool sort_into(records::Shop& shop, const records::RecordStore<Record>& store, std::string_view data_file,
               std::string_view work_file, AlphaRange range, platform::Progress& progress, Fill fill) {
  const auto expected = static_cast<size_t>(std::max<int64_t>(store.counts().live, 0));
  std::vector<WorkRecord> work;
  std::vector<uint32_t> key_of_record;
  DistinctKeys keys(expected);
  work.reserve(expected);
  key_of_record.reserve(expected);
  const auto& prefixes = store.prefixes();
  // The prefix table rules out most records of a narrow range unlooked at.
  auto wanted = [&](int64_t slot) {
    if (static_cast<size_t>(slot) >= prefixes.size()) return true;
    const auto& p = prefixes[static_cast<size_t>(slot)];
    const char16_t first[1] = {p[0]};
    return in_alpha_range(text::u16view(first, p[0] != 0 ? 1 : 0), range);
  };
  const bool read = records::for_each_in_file_order(shop, store, data_file, progress, wanted, [&](int64_t, const Record& r) {
    if (r.number() <= 0) return;
    WorkRecord& w = work.emplace_back();
    fill(r, w);
    const char16_t first[1] = {unit(w, 0)};
    if (!in_alpha_range(text::u16view(first, first[0] != 0 ? 1 : 0), range)) {
      work.pop_back();
      return;
    }
    key_of_record.push_back(keys.number_of(key_of(w)));
  });
  if (!read) return false;
  std::vector<iovec> pieces;
  pieces.reserve(work.size());
  for (uint32_t r : sorted_order(keys, key_of_record)) pieces.push_back({work[r].data(), WorkRecord::kSize});
  records::FileReplacement out(shop.path(work_file), records::Durability::Scratch);
  out.write_pieces(std::move(pieces));
  if (!out.commit()) {
    platform::problem(shop.op(), text::format("Data file: %s.", {text::from_utf8(work_file)}));
    return false;
  }
  return true;
}

// The band as its decimal digits, as "%d" would write it.
void put_band(WorkRecord& w, int32_t band) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, band).ptr;
  char16_t units[16];
  for (char* c = digits; c != end; ++c) units[c - digits] = static_cast<char16_t>(*c);
  w.set_text3(text::u16view(units, static_cast<size_t>(end - digits)));
}

}  // namespace

std::optional<AlphaRange> alpha_range(text::u16view start, text::u16view end) {
  auto s = range_letter(start), e = range_letter(end);
  if (!s || !e || *e < *s) return std::nullopt;
  return AlphaRange{*s, *e};
}

bool in_alpha_range(text::u16view s, AlphaRange range) {
  if (s.empty() || !is_letter(s[0])) return range.start == u'A';
  const char16_t c = ascii_upper(s[0]);
  return c >= range.start && c <= range.end;
}

bool sort_films_into_work_file(records::Shop& shop, AlphaRange range, platform::Progress& progress) {
  using records::FilmRecord;
  return sort_into(shop, shop.films, records::files::kFilm, kFilmWorkFile, range, progress,
                   [](const FilmRecord& f, WorkRecord& w) {
                     w.set_number(f.number());
                     text::copy_text(w.data() + WorkRecord::k_text1, WorkRecord::w_text1,
                                     f.data() + FilmRecord::k_title, FilmRecord::w_title);
                     text::copy_text(w.data() + WorkRecord::k_text2, WorkRecord::w_text2,
                                     f.data() + FilmRecord::k_category, FilmRecord::w_category);
                     put_band(w, f.charge_band());
                   });
}

bool sort_members_into_work_file(records::Shop& shop, AlphaRange range, platform::Progress& progress) {
  using records::MemberRecord;
  return sort_into(shop, shop.members, records::files::kMember, kMemberWorkFile, range, progress,
                   [](const MemberRecord& m, WorkRecord& w) {
                     w.set_number(m.number());
                     text::copy_text(w.data() + WorkRecord::k_text1, WorkRecord::w_text1,
                                     m.data() + MemberRecord::k_name, MemberRecord::w_name);
                     text::copy_text(w.data() + WorkRecord::k_text2, WorkRecord::w_text2,
                                     m.data() + MemberRecord::k_title, MemberRecord::w_title);
                     text::copy_text(w.data() + WorkRecord::k_text3, WorkRecord::w_text3,
                                     m.data() + MemberRecord::k_initial, MemberRecord::w_initial);
                   });
}

}  // namespace kelvo::reports
