#include "catalogue/film_maintenance.h"

#include "catalogue/deletion.h"
#include "catalogue/film_find.h"
#include "records/record_files.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::catalogue {

namespace {

void refuse(records::Shop& shop, const char16_t* message) {
  shop.warn();
  platform::problem(shop.op(), message);
}

std::optional<platform::PromptAnswer> ask_for_film(records::Shop& shop, text::u16view question) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(kTitleSearchLimit);
  o.case_box = true;
  auto a = shop.op().prompt(question, o);
  if (!a || a->text.empty()) return std::nullopt;
  return a;
}

}  // namespace

int new_items(records::Shop& shop, FilmFormView& view, FilmRange range) {
  int stored = 0;
  FilmForm form = FilmForm::blank(shop, range);
  for (;;) {
    const FormButton button = view.edit(form);
    if (button == FormButton::Cancel) return stored;
    records::FilmRecord film;
    if (form.layout() == FormLayout::Copy || form.layout() == FormLayout::Retry) film = shop.film;
    form.store_into(film);
    if (auto why = FilmForm::refusal(film)) {
      shop.film = film;
      refuse(shop, why);
      form.refuse();
      continue;
    }
    film.reset_for_new();
    if (shop.films.index().contains(film.number())) {
      platform::problem(shop.op(), u"Number in use.");
      return stored;
    }
    if (!data_file_present(shop, shop.films.file(), kFilmFile)) return stored;
    if (!records::add_film(shop, film)) return stored;
    shop.film = film;
    ++stored;
    if (button == FormButton::Next && form.offers_next_and_multiple()) {
      form = FilmForm::blank(shop, range);
    } else if (button == FormButton::Multiple && form.offers_next_and_multiple()) {
      form = FilmForm::copy_of(shop, film, range);
    } else {
      return stored;
    }
  }
}

bool amend_film(records::Shop& shop, CatalogueViews& views, FilmFormView& view) {
  auto a = ask_for_film(shop, u"Amend film number / title");
  if (!a) return false;
  const int64_t number = find_film(shop, views, a->text, a->case_sensitive, false);
  if (number == 0) return false;
  FilmForm form = FilmForm::amend(shop.film, shop.now().year);
  if (view.edit(form) == FormButton::Cancel) return false;
  records::FilmRecord film = shop.film;
  form.store_into(film);
  if (film.number() != number) {
    platform::problem(shop.op(), u"Number cannot be changed");
    return false;
  }
  if (film.title().size() < 2) {
    refuse(shop, u"The title must have at least two characters.");
    return false;
  }
  if (film.charge_band() < 1 || film.charge_band() > 8) {
    refuse(shop, u"Invalid charge band (1-8)");
    return false;
  }
  if (!records::rewrite_film(shop, film)) return false;
  // The prefix follows the file: a rewrite that failed leaves the old title on disk.
  shop.films.set_prefix(*shop.films.index().find(number), film.title());
  shop.film = film;
  shop.op().activity(text::format("Film %I64d %s amended", {film.number(), film.title()}));
  shop.op().activity(u"  ");
  return true;
}

std::optional<LeavingFilm> film_leaving_stock(records::Shop& shop, CatalogueViews& views, text::u16view question) {
  auto a = ask_for_film(shop, question);
  if (!a) return std::nullopt;
  const int64_t number = find_film(shop, views, a->text, a->case_sensitive, false);
  if (number == 0) return std::nullopt;
  const auto slot = shop.films.index().find(number);
  if (!slot) return std::nullopt;
  if (shop.film.on_loan_to() != 0) {
    shop.op().message(u"Film is on loan", u"Unable to delete");
    return std::nullopt;
  }
  return LeavingFilm{shop.film, *slot};
}

bool delete_film_command(records::Shop& shop, CatalogueViews& views) {
  auto leaving = film_leaving_stock(shop, views, u"Delete film number / title");
  if (!leaving) return false;
  const records::FilmRecord& film = leaving->film;
  const auto last = film.last_hire();
  const auto caption = text::format("%I64d Title: %s Last: %s",
                                    {film.number(), film.title(), last.size() > 5 ? last.substr(5) : text::u16()});
  if (shop.op().message(caption, u"Are you sure?", platform::Buttons::OkCancel) != platform::Answer::Ok) return false;
  const auto now = shop.now();
  const auto entry = text::format("\r\nFilm %I64d, %s deleted.  Date: %02d:%02d %s\r\n",
                                  {film.number(), film.title(), now.hour, now.minute,
                                   text::make_date(now.day, now.month, now.year)});
  if (!records::delete_film_with_log(shop, film, leaving->slot, entry)) return false;
  shop.op().activity(text::format("Film deleted: %I64d %s", {film.number(), film.title()}));
  shop.op().activity(u"  ");
  shop.op().activity(records::count_line("Film", shop.films.counts()));
  shop.op().activity(u"  ");
  return true;
}

}  // namespace kelvo::catalogue
