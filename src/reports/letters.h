#pragma once
// The letters and forms of one member, laid out on a begun printer: overdue letters 1 and 2,
// the unpaid fees letter, the member details sheet, the list of what a member rented before,
// and the application form (with the store's text, or the fixed one).
#include "platform/printer.h"
#include "records/member_record.h"
#include "records/shop.h"
#include "reports/letter_page.h"
#include "reports/letter_texts.h"

namespace kelvo::reports {

// The name line and the address lines that are not empty, at x; leaves the page on the line
// after the last of them.
void member_block(LetterPage& page, const records::MemberRecord& m, int x);

// False when film.dat could not be read: "Data file: film.dat, not present." (caption "Fatal
// error") was shown and the letter stops at that point.
bool overdue_letter(platform::Printer& p, records::Shop& shop, const records::MemberRecord& m, OverdueLetter which);
void unpaid_letter(platform::Printer& p, records::Shop& shop, const records::MemberRecord& m);
void member_details(platform::Printer& p, records::Shop& shop, const records::MemberRecord& m);
bool rented_by_member(platform::Printer& p, records::Shop& shop, const records::MemberRecord& m);

// `copies` pages of the form with the given text; nothing for fewer than one.
void application_form(platform::Printer& p, records::Shop& shop, text::u16view form_text, int copies);
void fixed_application_form(platform::Printer& p, records::Shop& shop);

}  // namespace kelvo::reports
