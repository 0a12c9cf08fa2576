// Receipts on the recording printer (a page 2400 x 3300, lines of 50): where each text lands,
// the item lines, the totals block's conditions, the logo shift and the printer selection.
#include "reports/receipts.h"

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "catalogue/member_photo.h"
#include "platform/recording_printer.h"
#include "records/config_layout.h"
#include "records/data_opening.h"
#include "records/record_files.h"
#include "reports/receipts_lines.h"
#include "reports/receipts_settings.h"
#include "support/scripted_operator.h"
#include "text/format.h"

namespace kelvo::reports {
namespace {

namespace cfg = records::cfg;
using counter::ReceiptItem;
using counter::RentalReceipt;
using counter::RentalReceiptForm;
using platform::Align;
using platform::RecordingPrinter;
using Kind = RecordingPrinter::Kind;

struct Placed {
  int line;
  std::string text;
  bool operator==(const Placed&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Placed& p) { return o << p.line << ":'" << p.text << "'"; }

// Every text of the document as (line, text), in drawing order.
std::vector<Placed> placed(const RecordingPrinter& p) {
  std::vector<Placed> out;
  for (const auto& op : p.ops())
    if (op.kind == Kind::Text) out.push_back({op.y / p.char_height(), text::to_utf8(op.text)});
  return out;
}
int line_of(const RecordingPrinter& p, text::u16view s) {
  const auto* op = p.find_text(s);
  return op ? op->y / p.char_height() : -1;
}

RentalReceipt receipt() {
  RentalReceipt r;
  r.member = 42;
  r.title = u"Mr";
  r.initial = u"J";
  r.name = u"Smith";
  r.road = u"1 High Street";
  r.town = u"Lowtown";
  r.items = {{7, u"Gone Fishing", u"14:0507/12/2026", u"14:0510/12/2026"},
             {8, u"Heat", u"14:0507/12/2026", u"14:0509/12/2026"}};
  r.rental_charge = 4.5f;
  r.rentals_ex_tax = 4.5f;
  r.transaction = 17;
  r.return_time = u"17:05";
  r.when = testing::at(2026, 12, 7, 14, 5);
  return r;
}

class ReceiptsTest : public testing::ShopTest {
 protected:
  void SetUp() override {
    for (int i = 1; i <= 6; ++i) shop_.address.set_line(i, text::format("Store %d", {i}));
    shop_.config.set_str(cfg::kReceiptClosingLine, cfg::kReceiptClosingLineWidth, u"Always happy to help!");
    shop_.config.set_str(cfg::kCurrencySymbol, 10, u"$");
    shop_.config.set_i32(cfg::kIncludeLogoOff, 2);
  }
  RecordingPrinter& draw(const RentalReceipt& r, RentalReceiptForm form) {
    EXPECT_EQ(p_.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
    draw_rental_receipt(shop_, p_, r, form);
    return p_;
  }
  void write_bmp(const char* name, int w, int h) {
    const std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, 0x00ff0000);
    const auto bytes = catalogue::photo_file_bytes(w, h, pixels.data());
    std::ofstream(shop_.path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  RecordingPrinter p_;
};

TEST(ReceiptLines, TillLinesTellTheReturnTimeOnATwelveHourClock) {
  const ReceiptItem item{1234, u"The Long Goodbye", u"09:3007/12/2026", u"09:3009/12/2026"};
  const struct {
    const char16_t* time;
    const char* till;
  } cases[] = {
      {u"11:59", "1234 The Long G due Dec 09 at 11:59am"},
      {u"12:00", "1234 The Long G due Dec 09 at 12:00pm"},
      {u"12:30", "1234 The Long G due Dec 09 at 12:30pm"},
      {u"17:05", "1234 The Long G due Dec 09 at 5:05pm"},
      {u"09:00", "1234 The Long G due Dec 09 at 09:00am"},
      {u"23:59", "1234 The Long G due Dec 09 at 11:59pm"},
      {u"", "1234 The Long G due Dec 09 at am"},  // a deadline never set prints nothing false
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(text::to_utf8(c.time));
    EXPECT_EQ(text::to_utf8(till_item_line(item, c.time)), c.till);
  }
}

TEST(ReceiptLines, PageLinesGiveRentedAndDueDaysAndMonths) {
  const std::string heat = "7      Heat" + std::string(31, ' ');
  const struct {
    ReceiptItem item;
    std::string page;
  } cases[] = {
      {{7, u"Heat", u"14:0531/12/2026", u"14:0502/01/2027"}, heat + " at 14:05 Dec 31 due 20:00 Jan 02"},
      // A month outside 1 to 12 prints as January; a plain date is read as one.
      {{7, u"Heat", u"14:0531/13/2026", u"02/00/2027"}, heat + " at 14:05 Jan 31 due 20:00 Jan 02"},
      // Texts cut short print blanks where their characters are missing.
      {{7, u"Heat", u"1", u""}, heat + " at 1 :   Jan 1  due 20:00 Jan   "},
  };
  for (const auto& c : cases) EXPECT_EQ(text::to_utf8(page_item_line(c.item, u"20:00")), c.page);
}

TEST_F(ReceiptsTest, TotalsBlockShowsEachLineOnlyWhenItsConditionHolds) {
  auto& c = shop_.config;
  c.set_i64(cfg::kTax1Rate, 1750);
  c.set_i64(cfg::kTax2Rate, 500);
  c.set_str(cfg::kTax2Description, cfg::kTaxDescriptionWidth, u"GST");
  const struct {
    const char* name;
    float arrears;
    int marker;
    float sundries, tax1, tax2;
    std::vector<std::string> lines;
  } cases[] = {
      {"plain", 0, 0, 0, 0, 0, {"Rentals: 4.50", "Total: $4.50"}},
      {"late fees paid", 2.25f, 0, 0, 0, 0, {"Late fees: 2.25", "Rentals: 4.50", "Total: $6.75"}},
      {"marked arrears are not late fees", 2.25f, 1, 0, 0, 0, {"Rentals: 4.50", "Total: $4.50"}},
      {"sundries", 0, 0, 1.2f, 0, 0, {"Rentals: 4.50", "Sundries: 1.20", "Total: $5.70"}},
      {"taxes show the sub total and fall back to Tax 1", 0, 0, 0, 0.7f, 0.2f,
       {"Rentals: 3.60", "Tax 1: 0.70 (17.50%)", "GST: 0.20 (5.00%)", "Total: $4.50"}},
      {"tax 2 alone", 0, 0, 0, 0, 0.2f, {"Rentals: 3.60", "GST: 0.20 (5.00%)", "Total: $4.50"}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    RentalReceipt r = receipt();
    r.arrears_settled = k.arrears;
    r.settlement_marker = k.marker;
    r.sundries = k.sundries;
    r.tax1 = k.tax1;
    r.tax2 = k.tax2;
    if (k.tax1 != 0 || k.tax2 != 0) r.rentals_ex_tax = 3.6f;
    std::vector<std::string> got;
    for (const auto& l : totals(r, c).lines()) got.push_back(text::to_utf8(l));
    EXPECT_EQ(got, k.lines);
  }
}

TEST_F(ReceiptsTest, PageAndTillReceiptsPutEachTextOnItsLine) {
  const struct {
    RentalReceiptForm form;
    std::vector<Placed> expected;
  } cases[] = {
      {RentalReceiptForm::Page,
       {{2, "Store 1"}, {7, "Store 6"},
        {15, "Mr J Smith (ID: 42)"}, {16, "1 High Street"}, {17, "Lowtown"}, {18, "Dec 7 2026"},
        {24, "Items:"},
        {26, "7      Gone Fishing                        at 14:05 Dec 07 due 17:05 Dec 10"},
        {27, "8      Heat                                at 14:05 Dec 07 due 17:05 Dec 09"},
        {29, "Rentals: 4.50"}, {30, "Total: $4.50"}, {32, "Always happy to help!"},
        {36, "Signed ....................."}}},
      {RentalReceiptForm::Till1,
       {{2, "Store 1"}, {7, "Store 6"}, {9, "Sales Receipt # 17"}, {10, "Dec 7 2026"}, {11, "------------------"},
        {13, "Rentals: 4.50"}, {14, "Total: $4.50"}, {15, "=================="},
        {17, "Always happy to help!"}, {19, "  "}}},
      {RentalReceiptForm::Till2,
       {{2, "Store 1"}, {7, "Store 6"}, {9, "Sales Receipt # 17"}, {10, "Dec 7 2026"}, {11, "------------------"},
        {13, "Mr J Smith"}, {14, "7 Gone Fishi due Dec 10 at 5:05pm"}, {15, "8 Heat due Dec 09 at 5:05pm"},
        {17, "Rentals: 4.50"}, {18, "Total: $4.50"}, {19, "=================="},
        {21, "Always happy to help!"}, {23, "  "}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.form));
    RecordingPrinter p;
    ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
    draw_rental_receipt(shop_, p, receipt(), c.form);
    std::vector<Placed> got = placed(p);
    // Store lines 2 to 5 lie between the first and last checked; the rest is compared whole.
    got.erase(std::remove_if(got.begin(), got.end(),
                             [](const Placed& x) { return x.text.starts_with("Store ") && x.text != "Store 1" && x.text != "Store 6"; }),
              got.end());
    EXPECT_EQ(got, c.expected);
  }
  // The page receipt's date stands at the right edge, two units in.
  draw(receipt(), RentalReceiptForm::Page);
  ASSERT_NE(p_.find_text(u"Dec 7 2026"), nullptr);
  EXPECT_EQ(p_.find_text(u"Dec 7 2026")->x, 2398);
  EXPECT_EQ(p_.find_text(u"Dec 7 2026")->align, Align::Right);
}

// A rental of 1.50 and 10.00 of sales, tax 1 at 10 % on both: every layout totals the 12.65 paid.
TEST_F(ReceiptsTest, EveryLayoutTotalsWhatTheCustomerPaid) {
  shop_.config.set_i64(cfg::kTax1Rate, 1000);
  for (int element : {11, 12, 14, 15}) shop_.config.set_i32(cfg::kCustomReceiptLines + 4 * element, element);
  RentalReceipt r = receipt();
  r.rental_charge = 1.65f, r.rentals_ex_tax = 1.5f, r.sundries = 10.0f, r.sundries_taxes = 1.0f, r.tax1 = 1.15f;
  const std::vector<std::string> block = {"Rentals: 1.50", "Sundries: 10.00", "Tax 1: 1.15 (10.00%)", "Total: $12.65"};
  const struct { RentalReceiptForm form; std::vector<std::string> texts; int copies; } cases[] = {
      {RentalReceiptForm::Page, block, 1}, {RentalReceiptForm::Till1, block, 1}, {RentalReceiptForm::Till2, block, 1},
      {RentalReceiptForm::TwoPerPage1, block, 2}, {RentalReceiptForm::Custom, block, 1},
      {RentalReceiptForm::TwoPerPage2, {"Rentals: 1.50    Sales: 10.00", "Total: 12.65      Remaining balance: "}, 2},
  };
  for (const auto& k : cases) {
    RecordingPrinter p;
    ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
    draw_rental_receipt(shop_, p, r, k.form);
    const std::vector<Placed> got = placed(p);
    for (const std::string& text : k.texts)
      EXPECT_EQ(std::count_if(got.begin(), got.end(), [&](const Placed& x) { return x.text == text; }), k.copies)
          << static_cast<int>(k.form) << " " << text;
  }
}

TEST_F(ReceiptsTest, TwoPerPageTwoShowsTheBalancesTwiceFromTheMiddleOfThePage) {
  const struct {
    const char* name;
    float before, arrears, after;
    int marker;
    const char* beginning;
    const char* total;
  } cases[] = {
      {"arrears paid", 5.0f, 5.0f, 0.0f, 0, "Beginning balance: 5.00    Late fees paid: 5.00",
       "Total: 9.50      Remaining balance: "},
      {"marked arrears", 5.0f, 5.0f, 0.0f, 1, "Beginning balance: 5.00    Late fees paid: 0.00",
       "Total: 4.50      Remaining balance: "},
      {"left owing", 5.0f, 0.0f, 9.5f, 0, "Beginning balance: 5.00    Late fees paid: 0.00",
       "Total: 4.50      Remaining balance: 9.50"},
      {"credit left", -2.0f, 0.0f, -0.5f, 0, "Beginning balance: -2.00    Late fees paid: 0.00",
       "Total: 4.50      Remaining balance: "},
  };
  const int second = 3300 / 2 / 50 + 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RentalReceipt r = receipt();
    r.balance_before = c.before;
    r.arrears_settled = c.arrears;
    r.settlement_marker = c.marker;
    r.balance_after = c.after;
    RecordingPrinter p;
    ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
    draw_rental_receipt(shop_, p, r, RentalReceiptForm::TwoPerPage2);
    const std::vector<Placed> first = {
        {1, "Store 1"}, {2, "Store 2     Enquires  Call: Store 6"}, {3, "Store 3, Store 4"},
        {4, "14:05 Dec 7 2026"}, {5, std::string(67, '-')}, {6, "42, Mr J Smith"}, {7, "1 High Street"},
        {8, "Lowtown"}, {9, c.beginning}, {10, "Rentals: 4.50    Sales: 0.00"}, {11, c.total},
        {12, std::string(67, '-')}};
    std::vector<Placed> both = first;
    for (Placed x : first) both.push_back({x.line - 1 + second, x.text});
    EXPECT_EQ(placed(p), both);
  }
}

TEST_F(ReceiptsTest, CustomReceiptPrintsItsElementsWhereverTheyAreSet) {
  auto& c = shop_.config;
  auto set_line = [&](int element, int line) { c.set_i32(cfg::kCustomReceiptLines + 4 * element, line); };
  c.set_i32(cfg::kCustomReceiptBlankLines, 3);
  set_line(14, 3);
  draw(receipt(), RentalReceiptForm::Custom);
  EXPECT_EQ(placed(p_), (std::vector<Placed>{{3, "Total: $4.50"}, {5, "  "}, {6, "  "}, {7, "  "}}));

  // Items run on from their line; the blank lines start below the last one; the totals texts
  // print whatever their conditions; line 40 is the last a value may name.
  set_line(14, 0);
  set_line(4, 1);
  set_line(10, 2);
  set_line(16, 38);
  set_line(20, 40);
  c.set_i32(cfg::kCustomReceiptBlankLines, 1);
  RecordingPrinter p;
  ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  draw_rental_receipt(shop_, p, receipt(), RentalReceiptForm::Custom);
  EXPECT_EQ(placed(p), (std::vector<Placed>{{1, "Store 5"}, {2, "Late fees: 0.00"}, {38, "7      Gone Fishing"},
                                             {39, "8      Heat"}, {40, std::string(20, '=')}, {42, "  "}}));
}

TEST_F(ReceiptsTest, LogoShiftsTheLinesBelowItByItsHeight) {
  write_bmp("receipt.bmp", 40, 30);
  const struct {
    const char* name;
    bool include, full;
    int x, w, h, shift;
  } cases[] = {
      {"half width", true, false, 600, 1200, 900, (900 + 10) / 50},
      {"full width", true, true, 0, 2400, 1800, (1800 + 10) / 50},
      {"not included", false, false, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    shop_.config.set_i32(cfg::kIncludeLogoOff, c.include ? 0 : 2);
    shop_.config.set_i32(cfg::kLogoFullWidth, c.full ? 2 : 0);
    RecordingPrinter p;
    ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
    draw_rental_receipt(shop_, p, receipt(), RentalReceiptForm::Till1);
    EXPECT_EQ(line_of(p, u"Store 1"), 2 + c.shift);
    EXPECT_EQ(line_of(p, u"Sales Receipt # 17"), 9 + c.shift);
    int images = 0;
    for (const auto& op : p.ops())
      if (op.kind == Kind::Image) {
        ++images;
        EXPECT_EQ((std::vector<int>{op.x, op.y, op.w, op.h}), (std::vector<int>{c.x, 10, c.w, c.h}));
      }
    EXPECT_EQ(images, c.include ? 1 : 0);
  }
  // A file that is no bitmap leaves the text-only layout.
  std::ofstream(shop_.path("receipt.bmp"), std::ios::trunc) << "not a picture";
  shop_.config.set_i32(cfg::kIncludeLogoOff, 0);
  draw(receipt(), RentalReceiptForm::Till1);
  EXPECT_EQ(line_of(p_, u"Store 1"), 2);
}

TEST_F(ReceiptsTest, RetailReceiptsListEachUnitTheTaxesAndTheTotal) {
  shop_.config.set_str(cfg::kTax1Description, cfg::kTaxDescriptionWidth, u"VAT");
  counter::SaleReceipt sale;
  sale.items = {{u"Popcorn", 1.5f}, {u"Popcorn", 1.5f}, {u"Cola", 0.9f}};
  sale.tax1 = 0.39f;
  sale.total = 4.29f;
  EXPECT_EQ(p_.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  draw_sale_receipt(shop_, p_, sale, counter::SaleReceiptForm::MultiTill);
  auto got = placed(p_);
  got.erase(got.begin(), got.begin() + 6);  // the store lines
  EXPECT_EQ(got, (std::vector<Placed>{{9, "Dec 7 2026"}, {10, "======="}, {11, "Popcorn  1.50"}, {12, "Popcorn  1.50"},
                                      {13, "Cola  0.90"}, {14, "VAT: 0.39"}, {15, std::string(14, '=')},
                                      {16, "Total: $4.29"}, {17, "Always happy to help!"}, {18, "  "}, {19, "  "}}));

  RecordingPrinter single;
  ASSERT_EQ(single.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
  sale.items.resize(1);
  sale.tax1 = 0;
  sale.tax2 = 0.1f;
  shop_.config.set_str(cfg::kTax2Description, cfg::kTaxDescriptionWidth, u"");
  draw_sale_receipt(shop_, single, sale, counter::SaleReceiptForm::SingleTill);
  EXPECT_EQ(line_of(single, u"Tax 2: 0.10"), 12);
  EXPECT_EQ(line_of(single, text::u16(14, u'-')), 13);
  EXPECT_EQ(single.find_text(u"VAT: 0.00"), nullptr);
}

// A sale made inside a rental names its member; one on its own does not, whoever was served last.
TEST_F(ReceiptsTest, RetailPageReceiptIsHeadedByTheMemberOnlyWhenTheSaleNamesOne) {
  ASSERT_TRUE(records::open_data(shop_));
  records::MemberRecord m;
  m.set_number(42), m.set_title(u"Mr"), m.set_initial(u"J"), m.set_name(u"Smith"), m.set_road(u"1 High Street");
  m.set_category(1);
  ASSERT_TRUE(records::add_member(shop_, m));
  shop_.member = m;
  for (auto [member, items_line] : {std::pair{42, 23}, {0, 22}}) {
    counter::SaleReceipt sale;
    sale.items = {{u"Popcorn", 1.5f}}, sale.total = 1.5f, sale.member = member;
    RecordingPrinter p;
    ASSERT_EQ(p.begin(u"QUENDRIX", {}), platform::PrintStart::Started);
    draw_sale_receipt(shop_, p, sale, counter::SaleReceiptForm::MultiPage);
    const std::vector<Placed> got = placed(p);
    EXPECT_EQ(std::count(got.begin(), got.end(), Placed{15, "Mr J Smith"}), member != 0) << member;
    EXPECT_EQ(std::count(got.begin(), got.end(), Placed{items_line, "Items:"}), 1) << member;
  }
}

// --- Printer selection ------------------------------------------------------------------------

TEST_F(ReceiptsTest, EveryReceiptChoosesThePrinterAndReportsWhatFailed) {
  const struct {
    const char* name;
    int index;
    const char16_t* device;
    int omit;  // stored 0 when ticked
    platform::PrintStart start;
    bool end_ok;
    std::string printer;
    bool confirm;
    std::vector<testing::Message> messages;
    int documents;
  } cases[] = {
      {"print dialog", 0, u"", 2, platform::PrintStart::Started, true, "", true, {}, 1},
      {"default printer without asking", 0, u"", 0, platform::PrintStart::Started, true, "", false, {}, 1},
      {"dialog cancelled", 0, u"", 2, platform::PrintStart::Cancelled, true, "", true, {}, 0},
      {"named receipt printer", 1, u"TM-T88", 2, platform::PrintStart::Started, true, "TM-T88", false, {}, 1},
      {"named printer missing", 1, u"TM-T88", 0, platform::PrintStart::Failed, true, "TM-T88", false,
       {{"Problem, unable to open printer", "TM-T88"}}, 0},
      {"a device kept but the index on Default", 0, u"TM-T88", 0, platform::PrintStart::Started, true, "", false, {}, 1},
      {"not released", 0, u"", 0, platform::PrintStart::Started, false, "", false,
       {{"Problem", "Unable to release printer"}}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    op_.messages.clear();
    shop_.config.set_i32(cfg::kReceiptPrinterIndex, c.index);
    shop_.config.set_str(cfg::kReceiptPrinterDevice, 400, c.device);
    shop_.config.set_i32(cfg::kOmitPrintConfirm, c.omit);
    RecordingPrinter p;
    p.set_start(c.start);
    p.set_end_result(c.end_ok);
    Receipts receipts(shop_, p);
    receipts.print_rental_receipt(receipt(), RentalReceiptForm::Till1);
    ASSERT_FALSE(p.ops().empty());
    const auto& begin = p.ops().front();
    EXPECT_EQ(text::to_utf8(begin.text), "QUENDRIX");
    EXPECT_EQ(text::to_utf8(begin.where.printer_name), c.printer);
    EXPECT_EQ(begin.where.confirm, c.confirm);
    EXPECT_EQ(p.find_text(u"Sales Receipt # 17") != nullptr, c.documents == 1);
    ASSERT_EQ(op_.messages.size(), c.messages.size());
    for (size_t i = 0; i < c.messages.size(); ++i) {
      EXPECT_EQ(op_.messages[i].caption, c.messages[i].caption);
      EXPECT_EQ(op_.messages[i].body, c.messages[i].body);
    }
  }
}

TEST_F(ReceiptsTest, CustomReceiptWithNoLineSetPrintsNothingAndSaysSo) {
  Receipts receipts(shop_, p_);
  receipts.print_rental_receipt(receipt(), RentalReceiptForm::Custom);
  EXPECT_TRUE(p_.ops().empty());
  EXPECT_TRUE(op_.saw("Custom receipt not configured", "Please set up from the Options menu"));
  // Only the items element set is still a layout to print.
  shop_.config.set_i32(cfg::kCustomReceiptLines + 4 * 19, 1);
  op_.messages.clear();
  receipts.print_rental_receipt(receipt(), RentalReceiptForm::Custom);
  EXPECT_TRUE(op_.messages.empty());
  EXPECT_EQ(line_of(p_, u"8 Heat due Dec 09 at 5:05pm"), 2);
}

// --- Settings -----------------------------------------------------------------------------------

TEST_F(ReceiptsTest, CustomLayoutTakesLinesUpToFortyAndBlankLinesFromOneToTwenty) {
  auto& c = shop_.config;
  for (int e = 0; e < cfg::kCustomReceiptElements; ++e) c.set_i32(cfg::kCustomReceiptLines + 4 * e, 7);
  c.set_i32(cfg::kCustomReceiptBlankLines, 5);
  const struct {
    const char16_t* typed;
    int stored;
  } lines[] = {{u"0", 0}, {u"1", 1}, {u"40", 40}, {u"41", 7}, {u"-1", 7}, {u"abc", 7}, {u"", 7}, {u" 12 ", 12}};
  const struct {
    const char16_t* typed;
    int stored;
  } blanks[] = {{u"0", 5}, {u"1", 1}, {u"20", 20}, {u"21", 5}, {u"x", 5}};
  for (const auto& b : blanks) {
    CustomLayoutTyped typed;
    for (int e = 0; e < cfg::kCustomReceiptElements; ++e) typed.lines[e] = lines[e % std::size(lines)].typed;
    typed.blank_lines = b.typed;
    typed.logo = true;
    c.set_i32(cfg::kCustomReceiptBlankLines, 5);
    for (int e = 0; e < cfg::kCustomReceiptElements; ++e) c.set_i32(cfg::kCustomReceiptLines + 4 * e, 7);
    store_custom_layout(c, typed);
    const CustomLayout got = custom_layout(c);
    for (int e = 0; e < cfg::kCustomReceiptElements; ++e)
      EXPECT_EQ(got.lines[e], lines[e % std::size(lines)].stored) << text::to_utf8(lines[e % std::size(lines)].typed);
    EXPECT_EQ(got.blank_lines, b.stored) << text::to_utf8(b.typed);
    EXPECT_EQ(c.i32(cfg::kCustomReceiptLogo), 2);
  }
}

TEST_F(ReceiptsTest, ReceiptSettingsAreStoredWithTheirPolarities) {
  auto& c = shop_.config;
  const std::vector<text::u16> installed = {u"Office", u"TM-T88"};
  ReceiptSettings s;
  s.printer = u"TM-T88";
  s.omit_print_confirm = false;
  s.footer = text::u16(300, u'x');
  s.include_logo = false;
  s.logo_full_width = true;
  s.auto_receipt = 6;
  store_receipt_settings(c, s, installed);
  EXPECT_EQ(c.i32(cfg::kReceiptPrinterIndex), 2);
  EXPECT_EQ(c.str(cfg::kReceiptPrinterDevice, 400), u"TM-T88");
  EXPECT_EQ(c.i32(cfg::kOmitPrintConfirm), 2);
  EXPECT_EQ(c.str(cfg::kReceiptClosingLine, cfg::kReceiptClosingLineWidth), text::u16(kFooterLimit, u'x'));
  EXPECT_EQ(c.i32(cfg::kIncludeLogoOff), 2);
  EXPECT_EQ(c.i32(cfg::kLogoFullWidth), 2);
  EXPECT_EQ(c.i32(cfg::kAutoReceipt), 6);

  // A printer that has gone away is "Default", and the ticked boxes store their own values.
  s.printer = u"Gone";
  s.omit_print_confirm = true;
  s.include_logo = true;
  store_receipt_settings(c, s, installed);
  EXPECT_EQ(c.i32(cfg::kReceiptPrinterIndex), 0);
  EXPECT_EQ(c.str(cfg::kReceiptPrinterDevice, 400), u"");
  EXPECT_EQ(c.i32(cfg::kOmitPrintConfirm), 0);
  EXPECT_EQ(c.i32(cfg::kIncludeLogoOff), 0);
}

}  // namespace
}  // namespace kelvo::reports
