#include "reports/letters.h"

#include "text/format.h"

namespace kelvo::reports {

using records::MemberRecord;
using text::format;

namespace {

constexpr const char16_t* kFilmMissing = u"Data file: film.dat, not present.";

text::u16 letter_date(const records::Shop& shop) {
  return shop.locale().format_date(shop.now(), u"MMM d yyyy").value_or(u"");
}

LetterPage headed_page(platform::Printer& p, const records::Shop& shop) {
  LetterPage page(p);
  letter_head(page, shop.address, shop.folder());
  return page;
}

// "%-6I64d %-35s rented at %c%c:%c%c on %s" for each item out whose days overdue are not 0.
bool overdue_items(LetterPage& page, records::Shop& shop, const MemberRecord& m) {
  const text::u16 deadline = shop.config.return_deadline();
  records::FilmRecord film;
  for (int i = 0; i < MemberRecord::kLoanSlots; ++i) {
    const int64_t item = m.on_loan(i);
    if (item == 0) continue;
    const auto read = shop.films.read_number(item, film);
    if (read == records::ReadResult::NotOpened) {
      shop.op().message(u"Fatal error", kFilmMissing);
      return false;
    }
    if (read != records::ReadResult::Ok) continue;  // no longer on file: nothing to ask back
    if (text::days_overdue(shop.now(), film.return_date(), deadline) == 0) continue;
    const text::u16 rented = m.on_loan_rented(i) + text::u16(15, u' ');
    page.line(format("%-6I64d %-35s rented at %c%c:%c%c on %s",
                     {item, film.title(), rented[0], rented[1], rented[3], rented[4], rented.substr(5, 10)}));
  }
  return true;
}

void details_heading(LetterPage& page, const MemberRecord& m) {
  page.down(2);
  page.line(format("Member number: %I64d", {m.number()}));
  page.down(1);
  page.line(format("%s %s %s", {m.title(), m.initial(), m.name()}));
  for (const text::u16& s : {m.road(), m.town(), m.area(), m.post_code()})
    if (!s.empty()) page.line(s);
  page.line(format("Tel. %s", {m.telephone1()}));
}

}  // namespace

void member_block(LetterPage& page, const MemberRecord& m, int x) {
  page.line(format("%s %s %s", {m.title(), m.initial(), m.name()}), x);
  for (const text::u16& s : {m.road(), m.area(), m.town(), m.post_code()})
    if (!s.empty()) page.line(s, x);
}

bool overdue_letter(platform::Printer& p, records::Shop& shop, const MemberRecord& m, OverdueLetter which) {
  LetterPage page = headed_page(p, shop);
  page.down(12);
  member_block(page, m, p.page_width() / 16);
  page.down(3);  // four lines below the last address line
  page.right(letter_date(shop));
  page.down(6);
  if (which == OverdueLetter::Final) {
    page.centred(u"FINAL NOTICE");
    page.down(2);
  }
  page.left(u"Dear Sir / Madam,");
  page.centred(format("Member number: %I64d", {m.number()}));
  page.down(2);
  page.line(u"According to our records the following item(s) rented on your card are");
  page.line(u"now overdue:");
  page.down(1);
  if (!overdue_items(page, shop, m)) return false;
  page.down(1);
  page.flow(closing_text(shop, which));
  return true;
}

void unpaid_letter(platform::Printer& p, records::Shop& shop, const MemberRecord& m) {
  LetterPage page = headed_page(p, shop);
  page.down(8);
  member_block(page, m, 0);
  page.right(letter_date(shop));
  page.down(4);
  page.centred(u"Unpaid fees");
  page.down(2);
  page.line(format("Dear Sir / Madam,           Member number: %I64d", {m.number()}));
  page.down(1);
  page.line(format("According to our records the amount of %.2f", {m.owed()}));
  page.line(u"is outstanding on your account.");
  page.line(u"Please contact us at your earliest convenience. Thank you.");
  page.line(u"Yours sincerely,");
  page.down(5);
  page.line(u"----------------------");
  page.line(u"Manager");
}

void member_details(platform::Printer& p, records::Shop& shop, const MemberRecord& m) {
  LetterPage page = headed_page(p, shop);
  details_heading(page, m);
  const std::pair<const char*, text::u16> optional_lines[] = {
      {"Tel. 2 %s", m.telephone2()},   {"Email: %s", m.email()},
      {"PIN: %s", m.pin()},            {"Comment 1: %s", m.comment1()},
      {"Comment 2: %s", m.comment2()}, {"Credit card: %s", m.credit_card()},
      {"Expiry: %s", m.credit_card_expiry()}, {"Family 1: %s", m.family1()},
      {"Family 2: %s", m.family2()},   {"DL: %s", m.driving_licence()},
      {"Social: %s", m.social()},      {"Born: %s", m.born()},
      {"Joined: %s", m.join_date()},   {"Last rented: %s", m.last_used()}};
  for (const auto& [fmt, value] : optional_lines)
    if (!value.empty()) page.line(format(fmt, {value}));
  page.down(1);
  page.line(format("Rented: %d", {m.rented()}));
  page.line(format("Category: %d", {m.category()}));
  page.line(format("Membership type: %d", {m.type_of_membership()}));
  page.line(format("Owed: %.2f", {m.owed()}));
}

bool rented_by_member(platform::Printer& p, records::Shop& shop, const MemberRecord& m) {
  LetterPage page = headed_page(p, shop);
  details_heading(page, m);
  page.down(1);
  page.line(u"Previously rented:");
  records::FilmRecord film;
  for (int i = 0; i < MemberRecord::kHistory; ++i) {
    const int64_t item = m.previous_items(i);
    if (item == 0) continue;
    const auto read = shop.films.read_number(item, film);
    if (read == records::ReadResult::NotOpened) {
      shop.op().message(u"Fatal error", kFilmMissing);
      return false;
    }
    page.line(format("%-16I64d, %s", {item, read == records::ReadResult::Ok ? film.title() : text::u16()}));
  }
  return true;
}

void application_form(platform::Printer& p, records::Shop& shop, text::u16view form_text, int copies) {
  for (int copy = 0; copy < copies; ++copy) {
    if (copy > 0) p.new_page();
    LetterPage page = headed_page(p, shop);
    page.down(4);
    page.centred(u"Application form");
    page.down(4);
    page.flow(form_text);
  }
}

void fixed_application_form(platform::Printer& p, records::Shop& shop) {
  LetterPage page = headed_page(p, shop);
  page.down(8);
  page.centred(u"Application form");
  page.down(4);
  page.left(u"Rules and conditions of membership");
  page.down(4);
  const char16_t* rules[] = {u"1. All members must be aged 18 or over",
                             u"2. The membership is not transferable",
                             u"3. Overdue items will be charged at the applicable daily rate",
                             u"4. If the membership card is lost or stolen you must",
                             u"   report it to us immediately otherwise fraudulent use",
                             u"   will be your responsibility",
                             u"5. Copyright exists in the material in the rental items",
                             u"6. The library reserves the right to alter these conditions"};
  for (const char16_t* rule : rules) {
    page.left(rule);
    page.down(2);
  }
  page.down(2);
  const text::u16 dots(17, u'.');
  page.left(u"Signed" + text::u16(33, u'.') + u"Date" + text::u16(19, u'.'));
  page.down(2);
  page.left(u"Proof of identity" + text::u16(45, u'.'));
  page.down(2);
  page.left(u"Membership number" + dots + u"Accepted by" + dots);
}

}  // namespace kelvo::reports
