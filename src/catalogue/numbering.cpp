#include "catalogue/numbering.h"

#include <algorithm>

namespace kelvo::catalogue {

namespace cfg = records::cfg;

int64_t propose_number(const records::NumberIndex& index, int64_t start) {
  const auto& e = index.entries();
  auto it = std::lower_bound(e.begin(), e.end(), start,
                             [](const records::IndexEntry& a, int64_t n) { return a.number < n; });
  if (it == e.end() || it->number != start) return start;
  int64_t last = it->number;
  for (++it; it != e.end() && it->number == last + 1; ++it) last = it->number;
  return last + 1;
}

int64_t film_range_start(const records::ConfigBlock& config, FilmRange range) {
  return config.i64(range == FilmRange::Format1 ? cfg::kFormat1Start : cfg::kFormat2Start) + 1;
}

int64_t member_range_start(records::ConfigBlock& config) {
  int64_t start = config.i64(cfg::kMemberStart) + 1;
  if (start < 1) {
    config.set_i64(cfg::kMemberStart, 0);
    start = 1;
  }
  return start;
}

int64_t propose_film_number(const records::NumberIndex& index, const records::ConfigBlock& config, FilmRange range) {
  return propose_number(index, film_range_start(config, range));
}

int64_t propose_member_number(const records::NumberIndex& index, records::ConfigBlock& config) {
  return propose_number(index, member_range_start(config));
}

bool film_start_inhibited(const records::ConfigBlock& config) { return config.i64(cfg::kInhibitFilmStart) != 0; }
bool member_start_inhibited(const records::ConfigBlock& config) { return config.i64(cfg::kInhibitMemberStart) != 0; }

}  // namespace kelvo::catalogue
