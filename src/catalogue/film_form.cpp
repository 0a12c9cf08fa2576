#include "catalogue/film_form.h"

#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::catalogue {

namespace {
constexpr std::array<int, kFilmFieldCount> kLimits = {19, 34, 3, 8, 3, 19, 19, 19, 18, 38, 18, 9, 19, 19, 19, 38, 78};
}

int FilmForm::limit(FilmField f) { return kLimits[static_cast<size_t>(f)]; }

FilmForm::FilmForm(FormLayout layout, int year) : layout_(layout), year_(year), boxes_(kLimits) {}

text::u16 FilmForm::window_title() const {
  return layout_ == FormLayout::New || layout_ == FormLayout::Copy ? u"NEW ITEM" : u"Amend film";
}

void FilmForm::load(const records::FilmRecord& f) {
  set(FilmField::Number, text::format("%I64d", {f.number()}));
  set(FilmField::Title, f.title());
  set(FilmField::Category, f.category());
  set(FilmField::Certificate, f.certificate());
  set(FilmField::Supplier, f.supplier());
  set(FilmField::Actor1, f.actor_1());
  set(FilmField::Actor2, f.actor_2());
  set(FilmField::Director, f.director());
  set(FilmField::Language, f.language());
  set(FilmField::Location, f.location());
  set(FilmField::Format, f.format());
  set(FilmField::ChargeBand, text::format("%d", {f.charge_band()}));
  set(FilmField::Cost, text::format("%.2f", {f.cost()}));
  set(FilmField::Rentals, text::format("%d", {f.rentals()}));
  set(FilmField::Revenue, text::format("%.2f", {f.revenue()}));
  set(FilmField::Website, f.website());
  set(FilmField::Notes, f.notes());
  purchased = choice_from_date(f.date_added());
  if (!purchase_lists().offers(purchased)) purchased = {};
  last_rental = choice_from_stamp(f.last_hire());
  if (!last_rental_lists().offers(last_rental)) last_rental = {};
}

FilmForm FilmForm::blank(const records::Shop& shop, FilmRange range) {
  const auto now = shop.now();
  FilmForm form(FormLayout::New, now.year);
  const bool inhibit = film_start_inhibited(shop.config);
  form.set(FilmField::Number,
           inhibit ? text::u16() : text::format("%I64d", {propose_film_number(shop.films.index(), shop.config, range)}));
  form.number_focused_ = inhibit;
  form.set(FilmField::Format, shop.config.format_name(range == FilmRange::Format1 ? 1 : 2));
  form.set(FilmField::ChargeBand, u"1");
  form.set(FilmField::Cost, u"0.00");
  form.set(FilmField::Rentals, u"None");
  form.set(FilmField::Revenue, u"0");
  form.set(FilmField::Language, u"English");
  form.purchased = today_choice(now);
  return form;
}

FilmForm FilmForm::copy_of(const records::Shop& shop, const records::FilmRecord& stored, FilmRange range) {
  records::FilmRecord clean = stored;
  clean.reset_for_new();
  FilmForm form(FormLayout::Copy, shop.now().year);
  form.load(clean);
  const bool inhibit = film_start_inhibited(shop.config);
  form.set(FilmField::Number,
           inhibit ? text::u16() : text::format("%I64d", {propose_film_number(shop.films.index(), shop.config, range)}));
  form.number_focused_ = inhibit;
  return form;
}

FilmForm FilmForm::amend(const records::FilmRecord& film, int current_year) {
  FilmForm form(FormLayout::Amend, current_year);
  form.load(film);
  return form;
}

void FilmForm::store_into(records::FilmRecord& f) const {
  f.set_number(text::parse_int64(get(FilmField::Number)));
  f.set_title(get(FilmField::Title));
  f.set_category(get(FilmField::Category));
  f.set_certificate(get(FilmField::Certificate));
  f.set_supplier(get(FilmField::Supplier));
  f.set_actor_1(get(FilmField::Actor1));
  f.set_actor_2(get(FilmField::Actor2));
  f.set_director(get(FilmField::Director));
  f.set_language(get(FilmField::Language));
  f.set_location(get(FilmField::Location));
  f.set_format(get(FilmField::Format));
  f.set_charge_band(static_cast<int32_t>(text::parse_int64(get(FilmField::ChargeBand))));
  f.set_cost(static_cast<float>(text::parse_double(get(FilmField::Cost))));
  f.set_rentals(static_cast<int32_t>(text::parse_int64(get(FilmField::Rentals))));
  f.set_revenue(static_cast<float>(text::parse_double(get(FilmField::Revenue))));
  f.set_website(get(FilmField::Website));
  f.set_notes(get(FilmField::Notes));
  f.set_date_added(chosen_date_or(purchased, f.date_added()));
  f.set_last_hire(last_hire_stamp(last_rental, f.last_hire()));
}

const char16_t* FilmForm::refusal(const records::FilmRecord& f) {
  if (f.number() < 1 || f.number() > records::kMaxNumber) return u"Number outside range.";
  if (f.title().size() < 2) return u"The title must have at least two characters.";
  if (f.charge_band() < 1 || f.charge_band() > 8) return u"Invalid charge band (1-8)";
  return nullptr;
}

}  // namespace kelvo::catalogue
