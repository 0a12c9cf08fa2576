#include "catalogue/multicopy.h"

#include <bit>
#include <cstdint>

#include "catalogue/film_find.h"
#include "text/format.h"

namespace kelvo::catalogue {

int rentals_last_7_days(const records::FilmRecord& film, const text::DateTime& now) {
  const int d = text::days_since(now, film.last_hire());
  if (d >= 7) return 0;
  unsigned bits = film.hire_days_7();
  for (int i = 6; i >= 1; --i)
    if (d > 6 - i) bits &= ~(1u << i);
  return std::popcount(bits & 0x7Fu);
}

int rentals_last_30_days(const records::FilmRecord& film, const text::DateTime& now) {
  const int d = text::days_since(now, film.last_hire());
  if (d > 30) return 0;
  uint32_t bits = film.hire_days_30() & 0x3FFFFFFFu;
  for (int i = 29; i >= 1; --i)
    if (d > 29 - i) bits &= ~(1u << i);
  return std::popcount(bits);
}

namespace {
text::u16 share(int sum, int copies, int days) {
  if (sum == 0) return u"0 (0%)";
  return text::format("%d (%.0f%%)", {sum, static_cast<double>(sum) * 100 / (copies * days)});
}
}  // namespace

MulticopyResult analyse_copies(records::Shop& shop, const records::FilmRecord& chosen) {
  MulticopyResult r;
  const auto title = chosen.title();
  const auto& prefixes = shop.films.prefixes();
  const int64_t slots = std::min<int64_t>(shop.films.counts().total, static_cast<int64_t>(prefixes.size()));
  records::FilmRecord f;
  const auto now = shop.now();
  auto cursor = shop.films.cursor();
  for (int64_t slot = 0; slot < slots; ++slot) {
    const auto& p = prefixes[slot];
    if (title.size() < 2 || p[0] != title[0] || p[1] != title[1]) continue;
    if (shop.films.read_slot(cursor, slot, f) != records::ReadResult::Ok) {
      platform::problem(shop.op(), u"Film.dat");
      break;
    }
    if (f.number() <= 0 || f.title() != title) continue;
    ++r.copies;
    r.sum_7 += rentals_last_7_days(f, now);
    r.sum_30 += rentals_last_30_days(f, now);
  }
  r.title_line = text::format("%s (%d copies)", {title, r.copies});
  r.last_7 = share(r.sum_7, r.copies, 7);
  r.last_30 = share(r.sum_30, r.copies, 30);
  return r;
}

void multicopy_analysis(records::Shop& shop, CatalogueViews& views) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(kTitleSearchLimit);
  o.case_box = true;
  auto a = shop.op().prompt(u"Please enter film number / title", o);
  if (!a || a->text.empty()) return;
  if (find_film(shop, views, a->text, a->case_sensitive, false) == 0) return;
  views.show_multicopy(analyse_copies(shop, shop.film));
}

}  // namespace kelvo::catalogue
