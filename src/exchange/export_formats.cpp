#include "exchange/export_formats.h"

#include "exchange/xml_film_item.h"
#include "text/format.h"

namespace kelvo::exchange {

namespace {

text::u16 i64(int64_t v) { return text::format("%I64d", {static_cast<long long>(v)}); }
text::u16 i32(int32_t v) { return text::format("%d", {v}); }
text::u16 money(float v) { return text::format("%.2f", {v}); }

// Fields of a Text line, each followed by a comma; the last comma becomes the line end.
class CommaLine {
 public:
  CommaLine& add(const text::u16& v) {
    line_ += v;
    line_ += u',';
    return *this;
  }
  CommaLine& add_if(bool on, const text::u16& v) { return on ? add(v) : *this; }
  text::u16 finish() {
    if (!line_.empty()) line_.pop_back();
    return line_ + u"\r\n";
  }

 private:
  text::u16 line_;
};

}  // namespace

const std::array<const char16_t*, FieldChoice::kBoxes>& field_labels(ExportRecords which) {
  static const std::array<const char16_t*, FieldChoice::kBoxes> films{
      u"Number", u"Title", u"Category", u"Certificate", u"Supplier",
      u"Format", u"Charge band", u"Purchase date", u"Cost", u"Rentals"};
  static const std::array<const char16_t*, FieldChoice::kBoxes> members{
      u"Number", u"Title", u"Initial", u"Name", u"Address 1",
      u"Address 2", u"Address 3", u"Address 4", u"Telephone", u"Comment"};
  return which == ExportRecords::Films ? films : members;
}

text::u16 text_film_line(const records::FilmRecord& f, const FieldChoice& c) {
  CommaLine line;
  line.add_if(c.on(1), i64(f.number()))
      .add_if(c.on(2), f.title())
      .add_if(c.on(3), f.category())
      .add_if(c.on(4), f.certificate())
      .add_if(c.on(5), f.supplier())
      .add_if(c.on(6), f.format())
      .add_if(c.on(7), i32(f.charge_band()))
      .add_if(c.on(8), f.date_added())
      .add_if(c.on(9), money(f.cost()))
      .add_if(c.on(10), i32(f.rentals()));
  if (c.entire) {
    // The three most recent renters, oldest first: the newest of the earlier ones, then the
    // renter before the last, then the last.
    line.add(f.actor_1()).add(f.actor_2()).add(f.director())
        .add(money(f.revenue()))
        .add(f.last_hire())
        .add(i64(f.on_loan_to()))
        .add(f.return_date())
        .add(i64(f.earlier_renters(7))).add(i64(f.previous_to_last_rental_by())).add(i64(f.last_rental_by()))
        .add(f.website())
        .add(f.notes());
  }
  return line.finish();
}

text::u16 text_member_line(const records::MemberRecord& m, const FieldChoice& c) {
  CommaLine line;
  line.add_if(c.on(1), i64(m.number()))
      .add_if(c.on(2), m.title())
      .add_if(c.on(3), m.initial())
      .add_if(c.on(4), m.name())
      .add_if(c.on(5), m.road())
      .add_if(c.on(6), m.area())
      .add_if(c.on(7), m.town())
      .add_if(c.on(8), m.post_code())
      .add_if(c.on(9), m.telephone1())
      .add_if(c.entire, m.telephone2())
      .add_if(c.on(10), m.comment1());
  if (c.entire) {
    line.add(m.comment2()).add(m.credit_card()).add(m.family1()).add(m.family2())
        .add(i32(m.rented()))
        .add(m.driving_licence()).add(m.social()).add(m.email()).add(m.born()).add(m.last_used())
        .add(m.last_returned()).add(m.pin())
        .add(i32(m.category()))
        .add(money(m.owed()));
  }
  return line.finish();
}

text::u16 html_escape(text::u16view s) {
  text::u16 out;
  out.reserve(s.size());
  for (char16_t c : s) {
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

text::u16 html_head(TextSize size) {
  const char16_t digit = size == TextSize::Small ? u'1' : size == TextSize::Medium ? u'2' : u'3';
  return text::u16(u"<HTML><BODY>\r\n<FONT SIZE='") + digit + u"'>\r\n";
}

namespace {

text::u16 bold_if(bool bold, const text::u16& s) { return bold ? u"<B>" + s + u"</B>" : s; }
text::u16 spaced(const text::u16& s) { return u" " + html_escape(s); }

}  // namespace

text::u16 html_film_line(const records::FilmRecord& f, const FieldChoice& c, const HtmlStyle& style) {
  text::u16 out;
  if (c.on(1)) out += bold_if(style.bold_number, i64(f.number()));
  if (c.on(2)) out += bold_if(style.bold_title, spaced(f.title()));
  if (c.on(3)) out += spaced(f.category());
  if (c.on(4)) out += spaced(f.certificate());
  if (c.on(5)) out += spaced(f.supplier());
  if (c.on(6)) out += spaced(f.format());
  if (c.on(7)) out += u" " + i32(f.charge_band());
  if (c.on(8)) out += spaced(f.date_added());
  if (c.on(9)) out += u" " + money(f.cost());
  if (c.on(10)) out += u" " + i32(f.rentals());
  return out + u"<BR>\r\n";
}

text::u16 html_member_line(const records::MemberRecord& m, const FieldChoice& c, const HtmlStyle& style) {
  text::u16 out;
  if (c.on(1)) out += bold_if(style.bold_number, i64(m.number()));
  const bool bold_name = style.bold_title && c.on(2);
  if (bold_name) out += u"<B>";
  if (c.on(2)) out += spaced(m.title());
  if (c.on(3)) out += spaced(m.initial());
  if (c.on(4)) out += spaced(m.name());
  if (bold_name) out += u"</B>";
  if (c.on(5)) out += spaced(m.road());
  if (c.on(6)) out += spaced(m.area());
  if (c.on(7)) out += spaced(m.town());
  if (c.on(8)) out += spaced(m.post_code());
  if (c.on(9)) out += spaced(m.telephone1());
  if (c.on(10)) out += spaced(m.comment1());
  return out + u"<BR>\r\n";
}

text::u16 xml_member_item(const records::MemberRecord& m) {
  text::u16 out = u"<customer>\r\n";
  auto element = [&out](const char16_t* name, const text::u16& value) {
    out += text::u16(u"<") + name + u">" + value + u"</" + name + u">\r\n";
  };
  auto text_element = [&](const char16_t* name, const text::u16& value) { element(name, xml_escape(value)); };
  element(u"number", i64(m.number()));
  text_element(u"title", m.title());
  text_element(u"initial", m.initial());
  text_element(u"name", m.name());
  text_element(u"road", m.road());
  text_element(u"area", m.area());
  text_element(u"town", m.town());
  text_element(u"post_code", m.post_code());
  text_element(u"telephone1", m.telephone1());
  text_element(u"telephone2", m.telephone2());
  text_element(u"comment1", m.comment1());
  text_element(u"comment2", m.comment2());
  text_element(u"credit_card", m.credit_card());
  text_element(u"credit_card_expiry", m.credit_card_expiry());
  text_element(u"family1", m.family1());
  text_element(u"family2", m.family2());
  text_element(u"driving_licence", m.driving_licence());
  text_element(u"social", m.social());
  text_element(u"email", m.email());
  text_element(u"born", m.born());
  text_element(u"last_used", m.last_used());
  text_element(u"pin", m.pin());
  element(u"rented", i32(m.rented()));
  element(u"category", i32(m.category()));
  element(u"owed", money(m.owed()));
  element(u"rental_credits", i32(m.rental_credits()));
  text_element(u"expiry", m.expiry());
  element(u"type_of_membership", i32(m.type_of_membership()));
  return out + u"</customer>\r\n";
}

}  // namespace kelvo::exchange
