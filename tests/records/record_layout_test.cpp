// The byte layouts of the records and of the configuration block, checked against the layout
// tables: every field lands at its offset with its width and encoding.
#include <gtest/gtest.h>

#include <set>

#include "records/config_block.h"
#include "records/film_record.h"
#include "records/member_record.h"
#include "records/stock_record.h"
#include "text/coding.h"

using namespace kelvo;
using namespace kelvo::records;

namespace {

// Writes a text that overflows its field and checks where it lands and where it stops.
template <class R, class Set, class Get>
void expect_text_field(size_t offset, size_t width, Set set, Get get) {
  R r;
  std::u16string longer(width, u'x');
  set(r, longer);
  EXPECT_EQ(get(r).size(), width / 2 - 1) << "field at " << offset;
  EXPECT_EQ(r.data()[offset], 'x');
  EXPECT_EQ(r.data()[offset + width - 2], 0) << "terminator inside the field at " << offset;
  if (offset > 0) {
    EXPECT_EQ(r.data()[offset - 1], 0) << "nothing written before " << offset;
  }
  if (offset + width < R::kSize) {
    EXPECT_EQ(r.data()[offset + width], 0) << "nothing written after " << offset;
  }
}

#define TEXT_FIELD(R, name, off, width)                                              \
  EXPECT_EQ(R::k_##name, size_t{off});                                               \
  expect_text_field<R>(off, width, [](R& r, std::u16string_view v) { r.set_##name(v); }, \
                       [](const R& r) { return r.name(); })

}  // namespace

TEST(FilmLayout, TextFieldsSitAtTheirOffsetsAndWidths) {
  TEXT_FIELD(FilmRecord, title, 8, 400);
  TEXT_FIELD(FilmRecord, category, 408, 40);
  TEXT_FIELD(FilmRecord, certificate, 448, 20);
  TEXT_FIELD(FilmRecord, supplier, 468, 8);
  TEXT_FIELD(FilmRecord, actor_1, 476, 80);
  TEXT_FIELD(FilmRecord, director, 556, 40);
  TEXT_FIELD(FilmRecord, format, 596, 40);
  TEXT_FIELD(FilmRecord, actor_2, 636, 160);
  TEXT_FIELD(FilmRecord, language, 806, 120);
  TEXT_FIELD(FilmRecord, location, 926, 80);
  TEXT_FIELD(FilmRecord, website, 1006, 560);
  TEXT_FIELD(FilmRecord, date_added, 1570, 22);
  TEXT_FIELD(FilmRecord, notes, 2688, 160);
  TEXT_FIELD(FilmRecord, last_hire, 2856, 32);
  TEXT_FIELD(FilmRecord, return_date, 2920, 32);
}

TEST(FilmLayout, NumbersAreLittleEndianAtTheirOffsets) {
  FilmRecord f;
  f.set_number(0x0102030405060708LL);
  f.set_charge_band(7);
  f.set_cost(2.5f);
  f.set_rentals(0x11223344);
  f.set_revenue(1.0f);
  f.set_on_loan_to(99);
  f.set_previous_to_last_rental_by(5);
  f.set_last_rental_by(6);
  f.set_earlier_renters(7, 4);
  const uint8_t* b = f.data();
  EXPECT_EQ(b[0], 0x08);
  EXPECT_EQ(b[7], 0x01);
  EXPECT_EQ(text::get_i32(b + 1566), 7);  // unaligned
  EXPECT_EQ(text::get_f32(b + 1592), 2.5f);
  EXPECT_EQ(b[2848], 0x44);
  EXPECT_EQ(text::get_f32(b + 2852), 1.0f);
  EXPECT_EQ(text::get_i64(b + 2952), 99);
  EXPECT_EQ(text::get_i64(b + 2960 + 56), 4);
  EXPECT_EQ(text::get_i64(b + 3024), 5);
  EXPECT_EQ(text::get_i64(b + 3032), 6);
}

TEST(FilmLayout, ThirtyDayMapIsStoredBigEndian) {
  FilmRecord f;
  f.set_hire_days_30((1u << 29) | (1u << 8) | 1u);
  EXPECT_EQ(f.data()[800], 0x20);  // bits 24-29 in the first byte
  EXPECT_EQ(f.data()[801], 0x00);
  EXPECT_EQ(f.data()[802], 0x01);  // bits 8-15
  EXPECT_EQ(f.data()[803], 0x01);  // bits 0-7 in the last byte
  f.set_hire_days_7(0x21);
  EXPECT_EQ(f.data()[804], 0x21);
  EXPECT_EQ(f.data()[805], 0);
}

TEST(FilmLayout, ReservedBytesSurviveAccessorWrites) {
  FilmRecord f;
  f.data()[1600] = 0xAB;
  f.data()[2890] = 0xCD;
  f.data()[797] = 0xEF;
  f.set_title(u"Brazil");
  f.set_cost(3);
  f.set_notes(u"note");
  f.push_renter(12);
  EXPECT_EQ(f.data()[1600], 0xAB);
  EXPECT_EQ(f.data()[2890], 0xCD);
  EXPECT_EQ(f.data()[797], 0xEF);
}

TEST(MemberLayout, TextFieldsSitAtTheirOffsetsAndWidths) {
  TEXT_FIELD(MemberRecord, title, 8, 12);
  TEXT_FIELD(MemberRecord, initial, 20, 60);
  TEXT_FIELD(MemberRecord, middle_name, 80, 60);
  TEXT_FIELD(MemberRecord, name, 140, 60);
  TEXT_FIELD(MemberRecord, road, 200, 60);
  TEXT_FIELD(MemberRecord, area, 260, 60);
  TEXT_FIELD(MemberRecord, town, 320, 60);
  TEXT_FIELD(MemberRecord, post_code, 380, 20);
  TEXT_FIELD(MemberRecord, telephone1, 400, 40);
  TEXT_FIELD(MemberRecord, telephone2, 440, 40);
  TEXT_FIELD(MemberRecord, telephone1_ext, 480, 40);
  TEXT_FIELD(MemberRecord, telephone2_ext, 520, 80);
  TEXT_FIELD(MemberRecord, expiry, 608, 40);
  TEXT_FIELD(MemberRecord, pin, 648, 40);
  TEXT_FIELD(MemberRecord, comment1, 688, 60);
  TEXT_FIELD(MemberRecord, credit_card, 748, 240);
  TEXT_FIELD(MemberRecord, credit_card_expiry, 988, 120);
  TEXT_FIELD(MemberRecord, family1, 1108, 60);
  TEXT_FIELD(MemberRecord, family2, 1168, 60);
  TEXT_FIELD(MemberRecord, driving_licence, 1228, 60);
  TEXT_FIELD(MemberRecord, social, 1288, 60);
  TEXT_FIELD(MemberRecord, transaction, 1348, 320);
  TEXT_FIELD(MemberRecord, comment2, 1676, 80);
  TEXT_FIELD(MemberRecord, email, 1756, 80);
  TEXT_FIELD(MemberRecord, born, 1840, 24);
  TEXT_FIELD(MemberRecord, join_date, 1864, 24);
  TEXT_FIELD(MemberRecord, last_used, 1888, 32);
  TEXT_FIELD(MemberRecord, last_returned, 1952, 128);
}

TEST(MemberLayout, NumbersAndArraysAtTheirOffsets) {
  MemberRecord m;
  m.set_category(4000);
  m.set_type_of_membership(20);
  m.set_rented(3);
  m.set_rental_credits(4);
  m.set_discount(0.5f);
  m.set_highlight_comment(2);
  m.set_owed(-1.25f);
  m.set_transaction_amount(9.5f);
  m.set_on_loan_flag(2);
  m.set_has_photo(1);
  m.set_previous_items(99, 77);
  m.set_previous_rented(99, u"10:0007/12/2026");
  m.set_previous_returned(0, u"R");
  m.set_on_loan(99, 55);
  m.set_older_items(0, 33);
  m.set_on_loan_rented(1, u"A");
  m.set_on_loan_due(99, u"D");
  const uint8_t* b = m.data();
  EXPECT_EQ(text::get_i32(b + 600), 4000);
  EXPECT_EQ(text::get_i32(b + 604), 20);
  EXPECT_EQ(text::get_i32(b + 1668), 3);
  EXPECT_EQ(text::get_i32(b + 1672), 4);
  EXPECT_EQ(text::get_f32(b + 1836), 0.5f);
  EXPECT_EQ(text::get_i32(b + 2080), 2);
  EXPECT_EQ(text::get_f32(b + 9640), -1.25f);
  EXPECT_EQ(text::get_f32(b + 9644), 9.5f);
  EXPECT_EQ(text::get_i64(b + 9648), 2);
  EXPECT_EQ(text::get_i32(b + 17656), 1);
  EXPECT_EQ(text::get_i64(b + 2440 + 8 * 99), 77);
  EXPECT_EQ(text::get_text(b + 3240 + 32 * 99, 32), u"10:0007/12/2026");
  EXPECT_EQ(text::get_text(b + 6440, 32), u"R");
  EXPECT_EQ(text::get_i64(b + 9656 + 8 * 99), 55);
  EXPECT_EQ(text::get_i64(b + 10456), 33);
  EXPECT_EQ(text::get_text(b + 11256 + 32, 32), u"A");
  EXPECT_EQ(text::get_text(b + 14456 + 32 * 99, 32), u"D");
}

TEST(StockLayout, FieldsAtTheirOffsets) {
  StockRecord s;
  s.set_number(-1);
  s.set_description(u"Popcorn");
  s.set_quantity(12);
  s.set_reorder_quantity(3);
  s.set_cost_price(0.4f);
  s.set_sale_price(1.2f);
  const uint8_t* b = s.data();
  EXPECT_EQ(text::get_i64(b), -1);
  EXPECT_EQ(text::get_text(b + 88, 1244), u"Popcorn");
  EXPECT_EQ(text::get_i32(b + 1332), 12);
  EXPECT_EQ(text::get_i32(b + 1336), 3);
  EXPECT_EQ(text::get_f32(b + 1476), 0.4f);
  EXPECT_EQ(text::get_f32(b + 1484), 1.2f);
}

TEST(ConfigLayout, OperatorNamesLandInTheirTables) {
  ConfigBlock c;
  c.set_operator_name(10, u"Ten");
  c.set_operator_name(11, u"Eleven");
  c.set_operator_name(30, u"Thirty");
  EXPECT_EQ(text::get_text(c.data() + 59596 + 540, 60), u"Ten");
  EXPECT_EQ(text::get_text(c.data() + 53268, 40), u"Eleven");
  EXPECT_EQ(text::get_text(c.data() + 54028, 40), u"Thirty");
  EXPECT_EQ(c.operator_name(31), u"");
}

TEST(ConfigLayout, FirstRunDefaultsAtTheirOffsets) {
  ConfigBlock c;
  c.set_first_run_defaults(text::DateTime{2026, 12, 7, 14, 5, 0, 1});
  const uint8_t* b = c.data();
  EXPECT_EQ(text::get_text(b + 0, 12), u"20:00");
  const int bands[8] = {150, 200, 125, 100, 150, 200, 150, 200};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(text::get_i32(b + 816 + 4 * i), bands[i]);
    EXPECT_EQ(text::get_i64(b + 2168 + 8 * i), bands[i]);
  }
  EXPECT_EQ(text::get_i32(b + 848), 99);
  EXPECT_EQ(text::get_i32(b + 1600), 5);   // minute
  EXPECT_EQ(text::get_i32(b + 1604), 14);  // hour
  EXPECT_EQ(text::get_i32(b + 1608), 7);
  EXPECT_EQ(text::get_i32(b + 1612), 12);
  EXPECT_EQ(text::get_i32(b + 1616), 2026);
  EXPECT_EQ(text::get_i64(b + 2016), 1);
  EXPECT_EQ(text::get_i64(b + 2024), 1);
  EXPECT_EQ(text::get_i64(b + 2272), 2);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(text::get_i64(b + 2320 + 16 * k), 200);
    EXPECT_EQ(text::get_i64(b + 2328 + 16 * k), 2);
  }
  EXPECT_EQ(text::get_i32(b + 2480), 1);
  EXPECT_EQ(text::get_text(b + 2562, 12), u"DVD");
  EXPECT_EQ(text::get_text(b + 2574, 12), u"PLA");
  EXPECT_EQ(text::get_text(b + 67676, 508), u"Always happy to help!");
  EXPECT_EQ(text::get_text(b + 76764, 80), u"Number");
  EXPECT_EQ(text::get_text(b + 76764 + 80 * 19, 80), u"Location");
  EXPECT_EQ(text::get_text(b + 76764 + 80 * 20, 80), u"");
  EXPECT_EQ(text::get_text(b + 79164 + 80 * 3, 80), u"Last name");
  EXPECT_EQ(text::get_text(b + 79164 + 80 * 34, 80), u"Membership expiry");
  EXPECT_EQ(text::get_text(b + 59596, 60), u"Administrator");
  EXPECT_EQ(text::get_text(b + 59596 + 60, 60), u"Manager");
  EXPECT_EQ(text::get_text(b + 59596 + 120, 60), u"Associate 3");
  EXPECT_EQ(text::get_text(b + 53268 + 40 * 19, 40), u"Associate 30");
  EXPECT_EQ(text::get_u16(b + 54866), 2);
}

TEST(ConfigLayout, LoadRepairsPutBackWhatAnEmptyBlockLacks) {
  ConfigBlock c;
  c.set_i32(cfg::kTransactionCounter, 200000001);
  c.set_str(cfg::operator_password(4), cfg::kOperatorPasswordWidth, u"1234");
  c.repair_after_load();
  EXPECT_EQ(c.format_name(1), u"DVD");
  EXPECT_EQ(c.format_name(2), u"PLA");
  EXPECT_EQ(c.operator_name(1), u"Administrator");
  EXPECT_EQ(c.operator_name(17), u"Associate 17");
  EXPECT_EQ(c.operator_password(4), u"") << "passwords are cleared with the default names";
  EXPECT_EQ(c.i64(cfg::offer_price(3)), 200);
  EXPECT_EQ(c.i64(cfg::offer_days(4)), 2);
  EXPECT_EQ(c.transaction_counter(), 1);
  EXPECT_EQ(c.i64(cfg::kDefaultRentalDays), 0) << "rental days are repaired later in the opening";
  c.repair_rental_days();
  EXPECT_EQ(c.i64(cfg::kDefaultRentalDays), 1);

  ConfigBlock kept;
  kept.set_i32(cfg::kTransactionCounter, 200000000);
  kept.set_i64(cfg::offer_price(1), 350);
  kept.set_i64(cfg::offer_price(2), 0);
  kept.repair_after_load();
  EXPECT_EQ(kept.transaction_counter(), 200000000);
  EXPECT_EQ(kept.i64(cfg::offer_price(2)), 0) << "offers are only reset when the first is not positive";
}

// The offsets this program chose for values the stored layout leaves open must not overlap
// each other nor any field the layout names.
TEST(ConfigLayout, ChosenOffsetsStayInUnnamedStretches) {
  struct Span { size_t at, len; const char* what; };
  const std::vector<Span> chosen = {
      {cfg::kBackupFolder, cfg::kBackupFolderWidth, "backup folder"},
      {cfg::kLastBackup, 20, "last backup"},
      {cfg::kMembershipTakingsToday, 4, "membership takings"},
      {cfg::kDefaultTillTotal, 4, "default till total"},
      {cfg::kMemberSearchList, 4, "member search list"},
      {cfg::kOverduePrintDetail, 4, "overdue print detail"},
      {cfg::kCustomReceiptLines, 4 * cfg::kCustomReceiptElements, "custom receipt lines"},
      {cfg::kCustomReceiptBlankLines, 4, "custom receipt blank lines"},
      {cfg::kCustomReceiptLogo, 4, "custom receipt logo"},
      {cfg::kTillRentals, cfg::kTillEnd - cfg::kTillRentals, "till closeout"},
      {cfg::kReservationCounter, 4, "reservation counter"},
      {cfg::kSelectAllOnReturn, 4, "select all on return"},
  };
  const std::vector<Span> named = {
      {0, 12, "deadline"}, {12, 720, "categories"}, {812, 148, "prices and day figures"},
      {960, 8, "returns"}, {976, 144, "returned items"}, {1120, 160, "rentals"}, {1600, 20, "shutdown"},
      {1660, 8, "tips"}, {1760, 240, "counters"}, {2000, 480, "settings"}, {2488, 12, "currency"},
      {2500, 8, "day values"}, {2562, 24, "formats"}, {2588, 1608, "takings history"},
      {4196, 312, "day figures"}, {10264, 24 * 1616, "series"}, {53268, 1600, "operators"},
      {56148, 384, "pole texts"}, {56788, 800, "receipt printer"}, {59188, 8, "operator"},
      {59596, 600, "operator names"}, {67676, 508, "closing line"}, {68184, 40, "tax descriptions"},
      {70508, 72, "receipt options"}, {70604, 48, "access flags"}, {70652, 16, "credits rule"},
      {70828, 52, "band days"}, {70908, 20, "pole"}, {70940, 8, "pole and drawer"},
      {71004, 12, "logo"}, {71028, 44, "sale and barcodes"}, {71084, 12, "limits"},
      {72908, 64, "drawer sequence"}, {76764, 2400, "film labels"}, {79164, 3280, "member labels"},
  };
  std::set<size_t> used;
  for (const auto& c : chosen) {
    ASSERT_LE(c.at + c.len, cfg::kSize) << c.what;
    for (size_t i = c.at; i < c.at + c.len; ++i) EXPECT_TRUE(used.insert(i).second) << c.what << " overlaps at " << i;
  }
  for (const auto& n : named) {
    for (size_t i = n.at; i < n.at + n.len; ++i) {
      // The select-all flag at 2484 and the till block lie where the layout leaves room for them.
      if (i >= cfg::kSelectAllOnReturn && i < cfg::kSelectAllOnReturn + 4) continue;
      EXPECT_EQ(used.count(i), 0u) << n.what << " is overlapped at " << i;
    }
  }
}
