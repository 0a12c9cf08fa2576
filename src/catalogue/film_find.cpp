#include "catalogue/film_find.h"

#include <algorithm>

#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::catalogue {

using records::ReadResult;

std::optional<int64_t> typed_number(text::u16view typed, NumberRule rule) {
  if (rule == NumberRule::NamesOnly) return std::nullopt;
  const int64_t n = text::parse_int64(typed);
  if (n <= 0) return std::nullopt;
  if (rule == NumberRule::FindCommand && n > records::kMaxNumber) return std::nullopt;
  return n;
}

int64_t find_film_by_number(records::Shop& shop, int64_t number) {
  auto slot = number > 0 ? shop.films.index().find(number) : std::nullopt;
  if (!slot) return 0;
  records::FilmRecord film;
  switch (shop.films.read_slot(*slot, film)) {
    case ReadResult::Ok:
      shop.film = film;
      return number;
    case ReadResult::NotOpened:
      shop.op().message(u"Fatal error", u"Data file: film.dat, not present.");
      return 0;
    default:
      platform::problem(shop.op(), u"Not able to read film.dat");
      return 0;
  }
}

int64_t find_film(records::Shop& shop, CatalogueViews& views, text::u16view typed, bool case_sensitive, bool show,
                  NumberRule rule) {
  if (auto n = typed_number(typed, rule)) {
    const int64_t found = find_film_by_number(shop, *n);
    if (found && show) views.show_film(shop.film);
    return found;
  }
  text::u16 title(typed);
  if (title.empty()) {
    platform::PromptOptions o;
    o.max_length = static_cast<int>(kTitleSearchLimit);
    o.case_box = true;
    auto a = shop.op().prompt(u"Film title:", o);
    if (!a || a->text.empty()) return 0;
    title = a->text;
    case_sensitive = a->case_sensitive;
  }
  return title_search(shop, views, make_search(title, case_sensitive, kTitleSearchLimit));
}

int64_t title_search(records::Shop& shop, CatalogueViews& views, const SearchText& search) {
  const auto& prefixes = shop.films.prefixes();
  const int64_t slots = std::min<int64_t>(shop.films.counts().total, static_cast<int64_t>(prefixes.size()));
  records::FilmRecord film;
  auto cursor = shop.films.cursor();
  for (int64_t slot = 0; slot < slots; ++slot) {
    const auto& p = prefixes[slot];
    if (p[0] == 0 && p[1] == 0) continue;
    if (!prefix_matches(p[0], p[1], search.text, search.case_sensitive)) continue;
    if (shop.films.read_slot(cursor, slot, film) != ReadResult::Ok) {
      platform::problem(shop.op(), u"Film.dat");
      return 0;
    }
    if (film.number() <= 0 || !starts_with(film.title(), search.text, search.case_sensitive)) continue;
    shop.film = film;
    switch (views.offer_film(film)) {
      case MatchChoice::Select: return film.number();
      case MatchChoice::Cancel: return 0;
      case MatchChoice::Next: break;
    }
  }
  shop.op().message(u"Finished", u"No match found");
  return 0;
}

int64_t find_that_contain(records::Shop& shop, CatalogueViews& views, text::u16view fragment) {
  if (fragment.empty()) return 0;
  const auto& prefixes = shop.films.prefixes();
  const int64_t slots = std::min<int64_t>(shop.films.counts().total, static_cast<int64_t>(prefixes.size()));
  records::FilmRecord film;
  auto cursor = shop.films.cursor();
  for (int64_t slot = 0; slot < slots; ++slot) {
    const auto& p = prefixes[slot];
    if (p[0] == 0 && p[1] == 0) continue;
    if (shop.films.read_slot(cursor, slot, film) != ReadResult::Ok) {
      platform::problem(shop.op(), u"Film.dat");
      return 0;
    }
    if (film.number() <= 0 || !contains(film.title(), fragment)) continue;
    auto ask = text::format("%I64d, %s", {film.number(), film.title()});
    auto answer = shop.op().message(u"Search: No to continue", ask, platform::Buttons::YesNoCancel);
    if (answer == platform::Answer::No) continue;
    shop.film = film;
    if (answer == platform::Answer::Yes) views.show_film(film);
    return film.number();
  }
  shop.op().message(u"Finished", u"No match found");
  return 0;
}

namespace {
std::optional<platform::PromptAnswer> ask_with_case_box(records::Shop& shop, text::u16view question) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(kTitleSearchLimit);
  o.case_box = true;
  return shop.op().prompt(question, o);
}
}  // namespace

int64_t find_film_command(records::Shop& shop, CatalogueViews& views) {
  auto a = ask_with_case_box(shop, u"Find film number / title");
  if (!a || a->text.empty()) return 0;
  return find_film(shop, views, a->text, a->case_sensitive, true, NumberRule::FindCommand);
}

int64_t find_film_by_title_command(records::Shop& shop, CatalogueViews& views) {
  auto a = ask_with_case_box(shop, u"Find film by title");
  if (!a || a->text.empty()) return 0;
  return find_film(shop, views, a->text, a->case_sensitive, true, NumberRule::NamesOnly);
}

int64_t find_that_contain_command(records::Shop& shop, CatalogueViews& views) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(kTitleSearchLimit);
  auto a = shop.op().prompt(u"Fragment (case sensitive):", o);
  if (!a || a->text.empty()) return 0;
  return find_that_contain(shop, views, a->text);
}

int64_t next_film(records::Shop& shop, int64_t after) {
  for (const auto& e : shop.films.index().entries())
    if (e.number > after && e.number > 0) return find_film_by_number(shop, e.number);
  return 0;
}

}  // namespace kelvo::catalogue
