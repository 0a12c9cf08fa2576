#include "exchange/xml_film_item.h"

#include <string_view>

#include "text/format.h"

namespace kelvo::exchange {

namespace {

using F = FilmXmlField;

void element(text::u16& out, std::u16string_view name, text::u16view value) {
  out += u'<';
  out += name;
  out += u'>';
  out += value;
  out += u"</";
  out += name;
  out += u">\r\n";
}

void text_element(text::u16& out, std::u16string_view name, const text::u16& value) {
  element(out, name, xml_escape(value));
}

}  // namespace

text::u16 xml_escape(text::u16view s) {
  text::u16 out;
  out.reserve(s.size());
  for (char16_t c : s) {
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += u"&quot;"; break;
      case u'\'': out += u"&apos;"; break;
      default:
        if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF) break;
        out += c;
    }
  }
  return out;
}

text::u16 xml_film_item(const records::FilmRecord& film, const FilmXmlFields& fields) {
  text::u16 out = u"<item>\r\n";
  auto with = [&](F f) { return fields.includes(f); };
  element(out, u"number", text::format("%I64d", {static_cast<long long>(film.number())}));
  text_element(out, u"title", film.title());
  if (with(F::category)) text_element(out, u"category", film.category());
  if (with(F::certificate)) text_element(out, u"certificate", film.certificate());
  if (with(F::supplier)) text_element(out, u"supplier", film.supplier());
  if (with(F::actor_1)) text_element(out, u"actor_1", film.actor_1());
  if (with(F::actor_2)) text_element(out, u"actor_2", film.actor_2());
  if (with(F::director)) text_element(out, u"director", film.director());
  if (with(F::format)) text_element(out, u"format", film.format());
  if (with(F::cost)) element(out, u"cost", text::format("%.2f", {film.cost()}));
  if (with(F::charge_band)) element(out, u"charge_band", text::format("%d", {film.charge_band()}));
  if (with(F::date_added)) text_element(out, u"date_added", film.date_added());
  if (with(F::rentals)) element(out, u"rentals", text::format("%d", {film.rentals()}));
  if (with(F::revenue)) element(out, u"revenue", text::format("%.2f", {film.revenue()}));
  if (with(F::language)) text_element(out, u"language", film.language());
  if (with(F::location)) text_element(out, u"location", film.location());
  if (with(F::last_hire)) text_element(out, u"last_hire", film.last_hire());
  if (with(F::on_loan_to))
    element(out, u"on_loan_to", text::format("%I64d", {static_cast<long long>(film.on_loan_to())}));
  if (with(F::return_date)) text_element(out, u"return_date", film.return_date());
  if (with(F::last_rental_by))
    element(out, u"last_rental_by", text::format("%I64d", {static_cast<long long>(film.last_rental_by())}));
  if (with(F::previous_to_last_rental_by))
    element(out, u"previous_to_last_rental_by",
            text::format("%I64d", {static_cast<long long>(film.previous_to_last_rental_by())}));
  text_element(out, u"website", film.website());
  text_element(out, u"notes", film.notes());
  out += u"</item>\r\n";
  return out;
}

}  // namespace kelvo::exchange
